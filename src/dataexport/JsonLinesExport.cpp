#include "dataexport/JsonLinesExport.h"

#include "dataexport/CatalogRows.h"
#include "dataexport/ExportColumns.h"
#include "zip/VXZip.h"
#include "zip/ZipPlatform.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace sf6 {
namespace {

// Keys keep their insertion order, so fields appear in field order.
using Json = nlohmann::ordered_json;

constexpr std::size_t kPieceSize = 1 << 20;

class PieceWriter {
public:
  explicit PieceWriter(const JsonLinesSink &sink) : m_sink(sink) { m_buffer.reserve(kPieceSize); }

  void record(const Json &object) {
    m_buffer += object.dump();
    m_buffer += '\n';
    if (m_buffer.size() >= kPieceSize)
      flush();
  }
  void flush() {
    if (m_buffer.empty())
      return;
    m_sink(m_buffer);
    m_buffer.clear();
  }

private:
  const JsonLinesSink &m_sink;
  std::string m_buffer;
};

// Sets slot to the UTF-8 form of the text, reusing the string it holds from
// the previous line.
void setText(Json &slot, std::string_view cp1252) {
  if (!slot.is_string())
    slot = std::string();
  AssignUtf8(cp1252, slot.get_ref<std::string &>());
}

// The record object of one entry: its members are made once and only their
// values change from line to line.
Json recordTemplate(std::string_view entryName) {
  Json object = Json::object();
  object["entry"] = std::string(entryName);
  object["line"] = 0;
  object["fields"] = Json::object();
  return object;
}

void writeHead(const CatalogArchive &archive, PieceWriter &out) {
  Json object = recordTemplate(Sf6EntryName(Sf6Entry::Head));
  Json &line = object["line"];
  Json &fields = object["fields"];
  fields["key"] = "";
  fields["value"] = "";
  Json &key = fields["key"];
  Json &value = fields["value"];
  std::int64_t lineNumber = 0;
  VisitEntryLines(AsView(archive.entry(Sf6Entry::Head).bytes), [&](std::string_view text) {
    const HeadRow row = HeadRowOf(text);
    line = ++lineNumber;
    setText(key, row.key);
    setText(value, row.value);
    out.record(object);
  });
}

void setValue(Json &slot, const ExportColumn &column, const Sf6FieldValue &value) {
  if (column.enumerationText) {
    setText(slot, value.text);
    return;
  }
  switch (value.type) {
  case Sf6ValueType::Text:
    setText(slot, value.text);
    return;
  case Sf6ValueType::Integer:
  case Sf6ValueType::Enumeration:
    slot = value.integer;
    return;
  case Sf6ValueType::Flag:
    slot = value.flag();
    return;
  case Sf6ValueType::Real:
    slot = value.real;
    return;
  case Sf6ValueType::Date:
    if (value.hasDate())
      setText(slot, value.text); // digits and dashes only
    else
      slot = nullptr;
    return;
  }
}

void writeTable(const ExportTable &table, const CatalogEntry &entry, PieceWriter &out) {
  Json object = recordTemplate(entry.name());
  Json &line = object["line"];
  Json &fields = object["fields"];
  for (const ExportColumn &column : table.columns)
    fields[column.name] = nullptr;
  // The member values in column order; stable while no member is added.
  std::vector<Json *> slots;
  for (const ExportColumn &column : table.columns)
    slots.push_back(&fields[column.name]);

  const Sf6Layout &layout = *table.layout;
  std::vector<Sf6FieldValue> values(static_cast<std::size_t>(layout.fieldCount));
  std::int64_t lineNumber = 0;
  VisitEntryLines(AsView(entry.bytes), [&](std::string_view text) {
    layout.values(layout.parse(text), values);
    line = ++lineNumber;
    for (std::size_t c = 0; c < table.columns.size(); ++c)
      setValue(*slots[c], table.columns[c], values[table.columns[c].fieldIndex]);
    out.record(object);
  });
}

} // namespace

void WriteCatalogJsonLines(const CatalogArchive &archive, const JsonLinesSink &sink) {
  RequireReadableEntries(archive);
  PieceWriter out(sink);
  writeHead(archive, out);
  for (const ExportTable &table : ExportTables())
    writeTable(table, archive.entry(table.entry), out);
  out.flush();
}

void ExportCatalogToJsonLines(const CatalogArchive &archive, const std::filesystem::path &target) {
  RequireReadableEntries(archive);
  ReplacementFile file(target);
  WriteCatalogJsonLines(archive, [&](std::string_view piece) { file.write(piece); });
  file.commit();
}

} // namespace sf6
