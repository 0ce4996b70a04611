#pragma once

// Inside the checker: where problems are gathered (with the per-rule cap
// applied while they are found, so a broken catalog of a million lines
// does not build a million messages), and how messages are worded.

#include "check/CatalogCheck.h"

#include <string>
#include <string_view>
#include <vector>

namespace sf6 {
struct Sf6FieldInfo;
}

namespace sf6::check {

// A message under construction: German wording given as UTF-8 in the source,
// catalog text given as the Windows-1252 bytes it is.
class Message {
public:
  // Wording (UTF-8 in the source), converted to Windows-1252.
  Message &operator<<(std::string_view utf8);
  Message &operator<<(long long number);
  Message &operator<<(int number) { return *this << static_cast<long long>(number); }
  Message &operator<<(unsigned number) { return *this << static_cast<long long>(number); }
  Message &operator<<(std::size_t number) { return *this << static_cast<long long>(number); }
  // Catalog text in German quotes, control and undefined bytes as \xNN.
  Message &quoted(std::string_view cp1252);
  // A field named by its caption in German quotes ("Feld 35" without one).
  Message &field(const Sf6FieldInfo &field);
  std::string take() { return std::move(m_text); }

private:
  std::string m_text;
};

class ProblemSink {
public:
  ProblemSink(std::size_t maxPerRule, std::size_t entryCount);

  // Counts a problem of rule in entry and, while the cap for rule and entry
  // is not reached, lists it with the message that makeMessage builds
  // (called only then).
  template <class MakeMessage>
  void report(RuleId rule, uint32_t entryOrder, std::string_view entry, uint32_t line,
              uint32_t column, const Sf6FieldInfo *field, MakeMessage &&makeMessage) {
    if (!count(rule, entryOrder))
      return;
    add(rule, entryOrder, entry, line, column, field, makeMessage());
  }
  // The same for a field given by number and caption (Head.dat keys).
  void add(RuleId rule, uint32_t entryOrder, std::string_view entry, uint32_t line, uint32_t column,
           int fieldNumber, std::string_view caption, std::string message);
  bool count(RuleId rule, uint32_t entryOrder);

  // Sorts, applies the cap per rule over the whole output and hands over.
  CheckResult finish();

private:
  void add(RuleId rule, uint32_t entryOrder, std::string_view entry, uint32_t line, uint32_t column,
           const Sf6FieldInfo *field, std::string message);

  std::size_t m_maxPerRule;
  std::size_t m_entryCount;
  std::vector<std::size_t> m_counts; // per rule and entry
  CheckResult m_result;
};

} // namespace sf6::check
