#pragma once

// The catalog data as an SQLite database: a table per data file (see
// ExportColumns.h) holding every line of its entry with typed values, the
// table head (line, key, value) for Head.dat, and the table fields
// (table_name, column_name, field_number, caption, kind) describing every
// field column. Lens-code and option-code columns are indexed.
//
// Values by kind: text as TEXT (empty text is ''), integers, product type,
// priority and colour components as INTEGER, scaled numbers as REAL (the
// scaled value), flags as INTEGER 0/1, dates as TEXT "YYYY-MM-DD" or NULL for
// no date (the only NULLs), diameters as TEXT as the field grid shows them,
// an enumeration as the INTEGER code of its decoded ordinal followed by its
// German text in NAME_text. Text is stored as UTF-8.

#include "catalog/CatalogArchive.h"

#include <filesystem>

namespace sf6 {

// Writes the database to target. The whole database is written in one
// transaction into a temporary file beside target and renamed over it at
// the end, so target is either the complete new database or, after any
// failure, exactly what it was before (absent or the old file); no temporary
// file stays behind. Throws Sf6Error with the reason: an unreadable entry in
// the archive, a folder that cannot be written, a full disk.
void ExportCatalogToSqlite(const CatalogArchive &archive, const std::filesystem::path &target);

} // namespace sf6
