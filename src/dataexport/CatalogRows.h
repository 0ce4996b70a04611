#pragma once

// What both data exports share: the archive must be whole, the header lines
// become key and value rows, and catalog text leaves as UTF-8.

#include "catalog/CatalogArchive.h"

#include <string>
#include <string_view>

namespace sf6 {

// Throws Sf6Error naming the entries that exist in the archive but cannot be
// read: an export of a damaged catalog would silently lose their lines.
// Missing entries are fine; they give empty tables.
void RequireReadableEntries(const CatalogArchive &archive);

// A Head.dat line as a row: the key is columns 1-30 and the value column 31
// to the end of the line, both without trailing blanks (the whole value, not
// the header list's 255-character cut).
struct HeadRow {
  std::string_view key;
  std::string_view value;
};
HeadRow HeadRowOf(std::string_view line);

// Sets out to the UTF-8 form of Windows-1252 text, reusing out's storage.
void AssignUtf8(std::string_view cp1252, std::string &out);
// True when text has no byte above 127 (its 1252 and UTF-8 forms agree).
bool IsAsciiText(std::string_view text);

} // namespace sf6
