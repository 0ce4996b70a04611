#include "check/HeadCheck.h"

#include <algorithm>

#include "check/FieldSyntax.h"
#include "sf6/Sf6Enums.h"
#include "text/FieldText.h"

namespace sf6::check {

namespace {

constexpr uint32_t kValueColumn = kHeadKeyWidth + 1;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) {
  if (text.empty())
    return false;
  for (const char c : text)
    if (!isDigit(c))
      return false;
  return true;
}

bool isValidDate(std::string_view text) {
  if (text.size() != 8 || !allDigits(text))
    return false;
  const int year = std::stoi(std::string(text.substr(0, 4)));
  const int month = std::stoi(std::string(text.substr(4, 2)));
  const int day = std::stoi(std::string(text.substr(6, 2)));
  TDateTime date = 0;
  return TryEncodeDate(year, month, day, date);
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool equalNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i]))
      return false;
  return true;
}

std::string_view rightTrimmed(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

} // namespace

void HeadCheck::line(std::string_view line, uint32_t number) {
  ProblemSink &sink = m_target.sink;
  if (line.empty()) {
    sink.report(RuleId::LineEmpty, m_target.order, m_target.name, number, 1, nullptr,
                [] { return (Message() << "Leere Zeile").take(); });
    return;
  }
  const std::string_view key = rightTrimmed(line.substr(0, kHeadKeyWidth));
  const std::string_view value =
      line.size() > kHeadKeyWidth ? rightTrimmed(line.substr(kHeadKeyWidth)) : std::string_view();

  const Sf6HeadKey *known = nullptr;
  for (const Sf6HeadKey &k : Sf6HeadKeys())
    if (key == k.key)
      known = &k;
  const int fieldNumber = known ? known->number : 0;
  const std::string_view caption = known ? std::string_view(known->key) : std::string_view();

  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c >= 0x20 && c != 0x7F)
      continue;
    if (sink.count(RuleId::FieldText, m_target.order)) {
      Message m;
      m << "Steuerzeichen ";
      m.quoted(line.substr(i, 1)) << " in der Zeile";
      sink.add(RuleId::FieldText, m_target.order, m_target.name, number,
               static_cast<uint32_t>(i + 1), fieldNumber, caption, m.take());
    }
    break;
  }

  if (!known) {
    const Sf6HeadKey *similar = nullptr;
    for (const Sf6HeadKey &k : Sf6HeadKeys())
      if (equalNoCase(key, k.key))
        similar = &k;
    if (sink.count(RuleId::HeadKeyUnknown, m_target.order)) {
      Message m;
      m << "Unbekannter Schlüssel ";
      m.quoted(key);
      if (similar) {
        m << ", gemeint ist wohl ";
        m.quoted(similar->key) << " (Schlüssel werden in genau dieser Schreibweise gesucht)";
      }
      sink.add(RuleId::HeadKeyUnknown, m_target.order, m_target.name, number, 1, 0, {}, m.take());
    }
    return;
  }
  uint32_t &seen = m_lineOfKey[static_cast<std::size_t>(known->number - 1)];
  if (seen != 0) {
    if (sink.count(RuleId::HeadKeyDuplicate, m_target.order)) {
      Message m;
      m << "Schlüssel ";
      m.quoted(known->key) << " steht schon in Zeile " << seen;
      sink.add(RuleId::HeadKeyDuplicate, m_target.order, m_target.name, number, 1, fieldNumber,
               caption, m.take());
    }
    return;
  }
  seen = number;
  this->value(*known, value, number, line.size());
}

void HeadCheck::value(const Sf6HeadKey &key, std::string_view value, uint32_t number,
                      std::size_t lineLength) {
  ProblemSink &sink = m_target.sink;
  const auto bad = [&](std::size_t offset, const char *expected) {
    if (!sink.count(RuleId::HeadValue, m_target.order))
      return;
    Message m;
    m << "Wert ";
    m.quoted(value) << " von ";
    m.quoted(key.key) << ": erwartet " << expected;
    // A value missing from a line that ends before its column is pointed at
    // the line's end, where a caret can stand.
    const std::size_t column = std::min<std::size_t>(kValueColumn + offset, lineLength + 1);
    sink.add(RuleId::HeadValue, m_target.order, m_target.name, number,
             static_cast<uint32_t>(column), key.number, key.key, m.take());
  };
  switch (key.kind) {
  case Sf6HeadValueKind::Text:
    return;
  case Sf6HeadValueKind::Date:
    if (value.empty() || value == "00000000")
      return;
    if (!isValidDate(value))
      return bad(0, "ein Datum JJJJMMTT oder nichts");
    (key.number == 6 ? m_validFrom : m_validUntil) = value;
    if (!m_validFrom.empty() && !m_validUntil.empty() && m_validFrom > m_validUntil) {
      const uint32_t fromLine = m_lineOfKey[5];
      if (sink.count(RuleId::RangeOrder, m_target.order)) {
        Message m;
        m << "„Valid-from“ ";
        m.quoted(m_validFrom) << " liegt nach „Valid-until“ ";
        m.quoted(m_validUntil);
        sink.add(RuleId::RangeOrder, m_target.order, m_target.name, fromLine, kValueColumn, 6,
                 "Valid-from", m.take());
      }
    }
    return;
  case Sf6HeadValueKind::Flag:
    if (value != "+" && value != "-")
      return bad(0, "„+“ oder „-“");
    return;
  case Sf6HeadValueKind::Integer: {
    const std::string_view digits = !value.empty() && value[0] == '-' ? value.substr(1) : value;
    if (!allDigits(digits))
      return bad(0, "eine ganze Zahl");
    return;
  }
  case Sf6HeadValueKind::PriceType: {
    if (value.size() != 2 || !allDigits(value) ||
        !EnumHasCode(EnumTableOf<TSf6PriceType>(), TextToInt(value)))
      return bad(0, "ein Preistyp-Code in zwei Ziffern (00, 10, 20, 21, 40, 50, 51, 52, 90, 91)");
    m_priceCode[static_cast<std::size_t>(key.number - 35)] = TextToInt(value);
    return;
  }
  }
}

void HeadCheck::finish() {
  for (const Sf6HeadKey &key : Sf6HeadKeys()) {
    if (m_lineOfKey[static_cast<std::size_t>(key.number - 1)] != 0)
      continue;
    if (!m_target.sink.count(RuleId::HeadKeyMissing, m_target.order))
      continue;
    Message m;
    m << "Schlüssel ";
    m.quoted(key.key) << " fehlt";
    m_target.sink.add(RuleId::HeadKeyMissing, m_target.order, m_target.name, 0, 0, key.number,
                      key.key, m.take());
  }
}

void HeadCheck::checkPrices(unsigned usedPrices) {
  for (std::size_t k = 0; k < m_priceCode.size(); ++k) {
    const int code = m_priceCode[k];
    if (code < 0)
      continue;
    const bool used = (usedPrices >> k & 1u) != 0;
    const Sf6HeadKey &key = Sf6HeadKeys()[34 + k];
    const uint32_t line = m_lineOfKey[34 + k];
    if (code == 0 && used) {
      if (!m_target.sink.count(RuleId::HeadPriceUndeclared, m_target.order))
        continue;
      Message m;
      m << "Preis " << (k + 1) << " wird in Preiszeilen verwendet, aber ";
      m.quoted(key.key) << " ist „00“ (nicht gefüllt): seine Bedeutung ist nicht erklärt";
      m_target.sink.add(RuleId::HeadPriceUndeclared, m_target.order, m_target.name, line,
                        kValueColumn, key.number, key.key, m.take());
    } else if (code != 0 && !used) {
      if (!m_target.sink.count(RuleId::HeadPriceUnused, m_target.order))
        continue;
      Message m;
      m.quoted(key.key) << " erklärt Preis " << (k + 1)
                        << ", aber keine Zeile von LensPrice.Dat oder OptionsPrice.Dat hat ihn";
      m_target.sink.add(RuleId::HeadPriceUnused, m_target.order, m_target.name, line, kValueColumn,
                        key.number, key.key, m.take());
    }
  }
}

} // namespace sf6::check
