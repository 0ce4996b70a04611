#pragma once

// The catalog data as JSON Lines: one object per line of every entry, in
// file-set order (Head.dat first), each
//   {"entry": "LensPrice.Dat", "line": 17, "fields": {COLUMN: VALUE, ...}}
// with the entry's file-set name, the 1-based line number and the columns of
// the SQLite tables (ExportColumns.h) in field order. Values: text as a
// string, integers as numbers, scaled numbers as numbers (the scaled value),
// flags true/false, dates "YYYY-MM-DD" or null, an enumeration as its code
// followed by NAME_text. A Head.dat line has the fields key and value.
// Output is UTF-8, one object and "\n" per record.

#include "catalog/CatalogArchive.h"

#include <filesystem>
#include <functional>
#include <string_view>

namespace sf6 {

// Receives the output in pieces of about a megabyte; may throw to stop.
using JsonLinesSink = std::function<void(std::string_view)>;

// Writes every record to sink. Throws Sf6Error before writing anything when
// an entry of the archive cannot be read.
void WriteCatalogJsonLines(const CatalogArchive &archive, const JsonLinesSink &sink);

// Writes the JSON Lines into a temporary file beside target and renames it
// over target at the end; after a failure target is unchanged and no
// temporary file stays. Throws Sf6Error with the reason.
void ExportCatalogToJsonLines(const CatalogArchive &archive, const std::filesystem::path &target);

} // namespace sf6
