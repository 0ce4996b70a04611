#include "check/CheckReport.h"

#include "sf6/Sf6FieldInfo.h"
#include "text/CodePage.h"

#include <algorithm>
#include <array>

namespace sf6::check {

Message &Message::operator<<(std::string_view utf8) {
  m_text += Utf8ToCp1252(utf8);
  return *this;
}

Message &Message::operator<<(long long number) {
  m_text += std::to_string(number);
  return *this;
}

Message &Message::quoted(std::string_view cp1252) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  m_text += '\x84';
  for (const char c : cp1252) {
    const auto byte = static_cast<unsigned char>(c);
    const bool undefined =
        byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
    if (byte < 0x20 || byte == 0x7F || undefined) {
      m_text += "\\x";
      m_text += kHex[byte >> 4];
      m_text += kHex[byte & 15];
      continue;
    }
    m_text += c;
  }
  m_text += '\x93';
  return *this;
}


Message &Message::field(const Sf6FieldInfo &f) {
  if (*f.caption == '\0')
    return *this << "Feld " << f.number;
  m_text += '\x84';
  m_text += f.caption;
  m_text += '\x93';
  return *this;
}

ProblemSink::ProblemSink(std::size_t maxPerRule, std::size_t entryCount)
    : m_maxPerRule(maxPerRule), m_entryCount(entryCount), m_counts(kRuleCount * entryCount, 0) {}

bool ProblemSink::count(RuleId rule, uint32_t entryOrder) {
  if (Rule(rule).severity == Severity::Error)
    ++m_result.errors;
  else
    ++m_result.warnings;
  const std::size_t at = static_cast<std::size_t>(rule) * m_entryCount +
                         std::min<std::size_t>(entryOrder, m_entryCount - 1);
  // Within one entry a rule's problems are found in line order, so the first
  // ones kept per entry hold the first ones per rule of the whole output.
  if (m_counts[at] >= m_maxPerRule) {
    ++m_result.leftOut;
    return false;
  }
  ++m_counts[at];
  return true;
}

void ProblemSink::add(RuleId rule, uint32_t entryOrder, std::string_view entry, uint32_t line,
                      uint32_t column, const Sf6FieldInfo *field, std::string message) {
  add(rule, entryOrder, entry, line, column, field ? field->number : 0,
      field ? std::string_view(field->caption) : std::string_view(), std::move(message));
}

void ProblemSink::add(RuleId rule, uint32_t entryOrder, std::string_view entry, uint32_t line,
                      uint32_t column, int fieldNumber, std::string_view caption,
                      std::string message) {
  CatalogProblem p;
  p.entry = std::string(entry);
  p.line = line;
  p.column = column;
  p.field = fieldNumber;
  p.caption = std::string(caption);
  p.severity = Rule(rule).severity;
  p.rule = rule;
  p.message = std::move(message);
  p.entryOrder = entryOrder;
  m_result.problems.push_back(std::move(p));
}

CheckResult ProblemSink::finish() {
  auto &problems = m_result.problems;
  std::stable_sort(problems.begin(), problems.end(),
                   [](const CatalogProblem &a, const CatalogProblem &b) {
                     if (a.entryOrder != b.entryOrder)
                       return a.entryOrder < b.entryOrder;
                     if (a.line != b.line)
                       return a.line < b.line;
                     if (a.column != b.column)
                       return a.column < b.column;
                     return a.rule < b.rule;
                   });
  if (m_maxPerRule != kAllProblems) {
    std::array<std::size_t, kRuleCount> listed{};
    std::size_t kept = 0;
    for (std::size_t i = 0; i < problems.size(); ++i) {
      std::size_t &n = listed[static_cast<std::size_t>(problems[i].rule)];
      if (n >= m_maxPerRule) {
        ++m_result.leftOut;
        continue;
      }
      ++n;
      if (kept != i)
        problems[kept] = std::move(problems[i]);
      ++kept;
    }
    problems.resize(kept);
  }
  return std::move(m_result);
}

} // namespace sf6::check
