#include "check/EntryScan.h"

#include <array>

namespace sf6::check {

namespace {

constexpr std::array<bool, 256> undefinedBytes() {
  std::array<bool, 256> table{};
  for (const unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
    table[b] = true;
  return table;
}
constexpr std::array<bool, 256> kUndefined = undefinedBytes();

const char *endingName(LineEnd end) {
  switch (end) {
  case LineEnd::CrLf:
    return "CR LF";
  case LineEnd::Lf:
    return "LF";
  case LineEnd::Cr:
    return "CR";
  case LineEnd::None:
    break;
  }
  return "";
}

} // namespace

void ReportUndefinedBytes(const EntryTarget &target, std::string_view line, uint32_t number) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto byte = static_cast<unsigned char>(line[i]);
    if (!kUndefined[byte])
      continue;
    target.sink.report(RuleId::UndefinedByte, target.order, target.name, number,
                       static_cast<uint32_t>(i + 1), nullptr, [&] {
                         Message m;
                         m << "Byte ";
                         m.quoted(line.substr(i, 1))
                             << " ist in Windows-1252 nicht belegt (falsche Zeichenkodierung?)";
                         return m.take();
                       });
  }
}

void ReportNulByte(const EntryTarget &target, const CatalogEntry &entry, uint32_t lines,
                   std::size_t lastLineLength, bool endedWithBreak) {
  const std::size_t at = entry.text().size();
  const uint32_t line = endedWithBreak ? lines + 1 : lines;
  const uint32_t column = endedWithBreak ? 1 : static_cast<uint32_t>(lastLineLength + 1);
  target.sink.report(RuleId::NulByte, target.order, target.name, line, column, nullptr, [&] {
    Message m;
    m << "NUL-Byte: Leser beenden den Text hier, die folgenden " << (entry.bytes.size() - at - 1)
      << " Bytes werden nicht gelesen";
    return m.take();
  });
}

void ReportMixedEndings(const EntryTarget &target, std::string_view line, uint32_t number,
                        LineEnd first, LineEnd now) {
  target.sink.report(RuleId::MixedLineEndings, target.order, target.name, number,
                     static_cast<uint32_t>(line.size() + 1), nullptr, [&] {
                       Message m;
                       m << "Zeilenende " << endingName(now) << ", die erste Zeile endet mit "
                         << endingName(first) << " (gemischte Zeilenenden)";
                       return m.take();
                     });
}

} // namespace sf6::check
