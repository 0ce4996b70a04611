#pragma once

// The shape of the exported catalog data: one table per data file, named in
// lower case (lens_type ... code_substitution), whose columns are the line
// number and then one column per field in field order, named from the field's
// caption; an enumeration field has a second column NAME_text with its text.
// The SQLite database and the JSON Lines form use the same names.

#include "sf6/Sf6FileSet.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sf6 {

// The column name of a caption (Windows-1252): lower case; ä, ö, ü (either
// case) become ae, oe, ue and ß ss; every other run of characters outside
// a-z and 0-9 becomes one "_"; no "_" at either end. An empty result gives
// "field_N" with N the field number. Repeats within a table are not resolved
// here (see ExportTableOf).
std::string ColumnNameOfCaption(std::string_view caption, int fieldNumber);

struct ExportColumn {
  std::string name;             // unique within its table, never "line"
  int fieldNumber = 0;          // 1-based
  std::string caption;          // Windows-1252, as the field grid shows it
  std::string kindName;         // Sf6FieldKindName, or "enumeration text"
  std::size_t fieldIndex = 0;   // index of the field's value (fieldNumber - 1)
  bool enumerationText = false; // the NAME_text column of an enumeration
  bool indexed = false;         // a lens-code or option-code column
};

struct ExportTable {
  Sf6Entry entry = Sf6Entry::LensType;
  std::string_view tableName; // "lens_type", ...
  const Sf6Layout *layout = nullptr;
  std::vector<ExportColumn> columns; // after the leading "line" column
};

// The twelve data tables in file-set order, computed once. A name that
// repeats within a table gets "_2", "_3", ... in column order.
std::span<const ExportTable> ExportTables();
const ExportTable &ExportTableOf(Sf6Entry entry); // not Head

// The table of Head.dat: columns line, key, value.
inline constexpr std::string_view kHeadTableName = "head";

} // namespace sf6
