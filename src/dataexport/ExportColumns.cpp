#include "dataexport/ExportColumns.h"

#include "sf6/Sf6FieldValue.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <unordered_set>

namespace sf6 {
namespace {

// The columns holding a lens code or an option code, by field number: these
// are what queries join the files on, so each gets an index.
struct CodeFields {
  Sf6Entry entry;
  std::string_view tableName;
  std::initializer_list<int> codeFields;
};

const std::array<CodeFields, 12> kTables = {{
    {Sf6Entry::LensType, "lens_type", {1}},
    {Sf6Entry::LensRange, "lens_range", {1, 14, 15, 16, 17, 18}},
    {Sf6Entry::LensGeo, "lens_geo", {1}},
    {Sf6Entry::LensPrice, "lens_price", {1}},
    {Sf6Entry::Options, "options", {1}},
    {Sf6Entry::OptionsColor, "options_color", {2}},
    {Sf6Entry::OptionsPrice, "options_price", {1, 2}},
    {Sf6Entry::Combination, "combination", {1, 3, 4, 5}},
    {Sf6Entry::Information, "information", {2}},
    {Sf6Entry::OrderOptions, "order_options", {2}},
    {Sf6Entry::ProductGroup, "product_group", {2}},
    {Sf6Entry::CodeSubstitution, "code_substitution", {2, 4, 5, 6}},
}};

// Gives name, or name_2, name_3, ... when taken, and marks it taken.
std::string uniqueName(const std::string &name, std::unordered_set<std::string> &taken) {
  std::string candidate = name;
  for (int n = 2; taken.count(candidate) != 0; ++n)
    candidate = name + "_" + std::to_string(n);
  taken.insert(candidate);
  return candidate;
}

ExportTable buildTable(const CodeFields &row) {
  ExportTable table;
  table.entry = row.entry;
  table.tableName = row.tableName;
  table.layout = Sf6EntryLayout(row.entry);
  std::unordered_set<std::string> taken{"line"};
  const auto fields = table.layout->fields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const Sf6FieldInfo &field = fields[i];
    ExportColumn column;
    column.name = uniqueName(ColumnNameOfCaption(field.caption, field.number), taken);
    column.fieldNumber = field.number;
    column.caption = field.caption;
    column.kindName = std::string(Sf6FieldKindName(field.kind));
    column.fieldIndex = i;
    column.indexed = std::find(row.codeFields.begin(), row.codeFields.end(), field.number) !=
                     row.codeFields.end();
    table.columns.push_back(column);
    if (field.type != Sf6ValueType::Enumeration)
      continue;
    column.name = uniqueName(column.name + "_text", taken);
    column.kindName = "enumeration text";
    column.enumerationText = true;
    column.indexed = false;
    table.columns.push_back(column);
  }
  return table;
}

} // namespace

std::string ColumnNameOfCaption(std::string_view caption, int fieldNumber) {
  std::string name;
  bool pendingSeparator = false;
  auto put = [&](std::string_view letters) {
    if (pendingSeparator && !name.empty())
      name += '_';
    pendingSeparator = false;
    name += letters;
  };
  for (const char ch : caption) {
    const unsigned char byte = static_cast<unsigned char>(ch);
    if (byte >= 'A' && byte <= 'Z') {
      const char lower = static_cast<char>(byte - 'A' + 'a');
      put(std::string_view(&lower, 1));
    } else if ((byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9')) {
      put(std::string_view(&ch, 1));
    } else if (byte == 0xE4 || byte == 0xC4) { // ä Ä
      put("ae");
    } else if (byte == 0xF6 || byte == 0xD6) { // ö Ö
      put("oe");
    } else if (byte == 0xFC || byte == 0xDC) { // ü Ü
      put("ue");
    } else if (byte == 0xDF) { // ß
      put("ss");
    } else {
      pendingSeparator = true;
    }
  }
  if (name.empty())
    return "field_" + std::to_string(fieldNumber);
  return name;
}

std::span<const ExportTable> ExportTables() {
  static const std::vector<ExportTable> tables = [] {
    std::vector<ExportTable> all;
    for (const CodeFields &row : kTables)
      all.push_back(buildTable(row));
    return all;
  }();
  return tables;
}

const ExportTable &ExportTableOf(Sf6Entry entry) {
  return ExportTables()[static_cast<std::size_t>(entry) - 1];
}

} // namespace sf6
