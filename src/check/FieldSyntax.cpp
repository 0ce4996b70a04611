#include "check/FieldSyntax.h"

#include "check/CheckReport.h"
#include "sf6/Sf6Enums.h"
#include "text/FieldText.h"

namespace sf6::check {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::optional<FieldFault> fault(RuleId rule, FaultReason reason, std::size_t offset) {
  return FieldFault{rule, reason, static_cast<int>(offset)};
}

// [sign] digits with blanks only around them; the sign in the first column
// for a signed field.
std::optional<FieldFault> checkNumber(std::string_view text, bool isSigned, RuleId rule) {
  std::size_t i = 0;
  if (isSigned) {
    if (text[0] != '+' && text[0] != '-')
      return fault(rule, FaultReason::SignMissing, 0);
    i = 1;
  } else {
    while (i < text.size() && text[i] == ' ')
      ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
      ++i;
  }
  while (i < text.size() && text[i] == ' ')
    ++i;
  const std::size_t firstDigit = i;
  while (i < text.size() && isDigit(text[i]))
    ++i;
  if (i == firstDigit) {
    if (i == text.size())
      return fault(rule, FaultReason::NoDigits, 0);
    const char c = text[i];
    return fault(rule,
                 c == ',' || c == '.' ? FaultReason::DecimalSeparator : FaultReason::NotADigit, i);
  }
  if (i == text.size())
    return std::nullopt;
  const char c = text[i];
  if (c == ',' || c == '.')
    return fault(rule, FaultReason::DecimalSeparator, i);
  if (c != ' ')
    return fault(rule, FaultReason::NotADigit, i);
  const std::size_t blank = i;
  while (i < text.size() && text[i] == ' ')
    ++i;
  if (i == text.size())
    return std::nullopt;
  return fault(rule, isDigit(text[i]) ? FaultReason::InnerBlank : FaultReason::NotADigit,
               isDigit(text[i]) ? blank : i);
}

std::optional<FieldFault> checkDate(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!isDigit(text[i]))
      return fault(RuleId::FieldDate, FaultReason::DateForm, i);
  if (text == "00000000")
    return std::nullopt;
  const auto number = [&](std::size_t at, std::size_t n) {
    int v = 0;
    for (std::size_t i = at; i < at + n; ++i)
      v = v * 10 + (text[i] - '0');
    return v;
  };
  TDateTime date = 0;
  if (!TryEncodeDate(number(0, 4), number(4, 2), number(6, 2), date))
    return fault(RuleId::FieldDate, FaultReason::DateInvalid, 0);
  return std::nullopt;
}

std::optional<FieldFault> checkDiameter(std::string_view text) {
  for (std::size_t i = 0; i < 2; ++i)
    if (!isDigit(text[i]))
      return fault(RuleId::FieldDiameter, FaultReason::DiameterFirst, i);
  const bool digits = isDigit(text[2]) && isDigit(text[3]);
  const bool blanks = text[2] == ' ' && text[3] == ' ';
  if (!digits && !blanks)
    return fault(RuleId::FieldDiameter, FaultReason::DiameterSecond,
                 isDigit(text[2]) || text[2] == ' ' ? 3 : 2);
  if (text.size() > 4 && text[4] != 'E' && text[4] != 'e' && text[4] != ' ')
    return fault(RuleId::FieldDiameter, FaultReason::DiameterMarker, 4);
  return std::nullopt;
}

} // namespace

bool EnumHasCode(const Sf6EnumTable &table, int code) {
  for (const Sf6EnumEntry &e : table.entries)
    if (e.code == code)
      return true;
  return false;
}

std::optional<FieldFault> CheckFieldSyntax(const Sf6FieldInfo &f, std::string_view text) {
  using K = Sf6FieldKind;
  if (f.kind == K::Text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      const auto c = static_cast<unsigned char>(text[i]);
      if (c < 0x20 || c == 0x7F)
        return fault(RuleId::FieldText, FaultReason::ControlCharacter, i);
    }
    return std::nullopt;
  }
  if (f.kind == K::DiameterE || text.size() < static_cast<std::size_t>(f.writeWidth))
    return std::nullopt;
  if (IsBlank(text)) {
    if (f.kind == K::Enumeration && !EnumHasCode(*f.enumTable, 0))
      return fault(RuleId::FieldEnum, FaultReason::EnumCode, 0);
    return std::nullopt;
  }
  switch (f.kind) {
  case K::Integer:
  case K::Scaled:
    return checkNumber(text, f.isSigned, RuleId::FieldNumber);
  case K::Flag:
  case K::MaterialFlag:
    for (std::size_t i = 0; i < text.size(); ++i)
      if (text[i] != '0' && text[i] != '1' && !(i > 0 && text[i] == ' '))
        return fault(RuleId::FieldFlag, FaultReason::FlagValue, i);
    return std::nullopt;
  case K::ProductType:
    if (text[0] != '0' && text[0] != '1')
      return fault(RuleId::FieldProductType, FaultReason::ProductTypeValue, 0);
    return std::nullopt;
  case K::Date:
    return checkDate(text);
  case K::Enumeration: {
    if (auto bad = checkNumber(text, false, RuleId::FieldEnum))
      return bad;
    if (!EnumHasCode(*f.enumTable, TextToInt(text)))
      return fault(RuleId::FieldEnum, FaultReason::EnumCode, text.find_first_not_of(' '));
    return std::nullopt;
  }
  case K::Diameter:
    return checkDiameter(text);
  case K::Colour: {
    if (auto bad = checkNumber(text, false, RuleId::FieldColour))
      return bad;
    const int32_t value = TextToInt(text);
    if (value < 0 || value > 255)
      return fault(RuleId::FieldColour, FaultReason::ColourRange, text.find_first_not_of(' '));
    return std::nullopt;
  }
  case K::Text:
  case K::DiameterE:
    break;
  }
  return std::nullopt;
}

namespace {

// What the reader makes of a number column, as a plain decimal.
std::string readerNumber(const Sf6FieldInfo &f, std::string_view text) {
  if (f.kind == Sf6FieldKind::Scaled)
    return FloatToDotText(TextToFloat(text) / f.divisor);
  return std::to_string(TextToInt(text));
}

std::string codeList(const Sf6EnumTable &table) {
  std::string list;
  for (const Sf6EnumEntry &e : table.entries) {
    if (!list.empty())
      list += ", ";
    list += std::to_string(e.code);
  }
  return list;
}

} // namespace

std::string DescribeFieldFault(const Sf6FieldInfo &f, std::string_view text,
                               const FieldFault &fault) {
  Message m;
  m.field(f) << ": ";
  const std::string_view at = text.substr(static_cast<std::size_t>(fault.offset), 1);
  switch (fault.reason) {
  case FaultReason::ControlCharacter:
    m << "Steuerzeichen ";
    m.quoted(at) << " im Text";
    break;
  case FaultReason::NotADigit:
    m.quoted(text) << " ist keine Zahl: ";
    m.quoted(at) << " ist keine Ziffer; Leser lesen " << readerNumber(f, text);
    break;
  case FaultReason::DecimalSeparator:
    m << "Dezimaltrennzeichen ";
    m.quoted(at) << " in ";
    m.quoted(text) << ": das Feld hält nur Ziffern";
    if (f.kind == Sf6FieldKind::Scaled && f.divisor > 1)
      m << " (in 1/" << f.divisor << ")";
    m << "; Leser lesen " << readerNumber(f, text);
    break;
  case FaultReason::InnerBlank:
    m << "Leerzeichen innerhalb der Zahl ";
    m.quoted(text) << "; Leser lesen " << readerNumber(f, text);
    break;
  case FaultReason::SignMissing:
    m << "die erste Spalte muss das Vorzeichen „+“ oder „-“ tragen: ";
    m.quoted(text);
    break;
  case FaultReason::NoDigits:
    m.quoted(text) << " enthält keine Ziffer";
    break;
  case FaultReason::FlagValue:
    m.quoted(text) << " ist weder 0 noch 1; Leser lesen ";
    if (f.kind == Sf6FieldKind::MaterialFlag)
      m << "„Nein“";
    else
      m << (TextToInt(text) > 0 ? "„Ja“" : "„Nein“");
    break;
  case FaultReason::ProductTypeValue:
    m.quoted(text) << " ist weder 0 (Glas) noch 1 (Beschichtung)";
    break;
  case FaultReason::DateForm:
    m.quoted(text) << " ist kein Datum JJJJMMTT";
    break;
  case FaultReason::DateInvalid:
    m.quoted(text) << " ist kein gültiges Kalenderdatum; Leser lesen: kein Datum";
    break;
  case FaultReason::EnumCode: {
    const Sf6EnumTable &table = *f.enumTable;
    if (IsBlank(text))
      m << "leer (Code 0)";
    else
      m << "Code " << TextToInt(text);
    m << " ist nicht erlaubt (erlaubt: " << codeList(table)
      << "); Leser nehmen stillschweigend den Code " << EnumCode(table, table.defaultOrdinal);
    break;
  }
  case FaultReason::DiameterFirst:
    m.quoted(text) << ": die Stellen 1-2 müssen den Durchmesser in zwei Ziffern halten";
    break;
  case FaultReason::DiameterSecond:
    m.quoted(text) << ": die Stellen 3-4 müssen zwei Ziffern oder zwei Leerzeichen sein";
    break;
  case FaultReason::DiameterMarker:
    m.quoted(text) << ": die Stelle 5 muss „E“ oder ein Leerzeichen sein";
    break;
  case FaultReason::ColourRange:
    m << TextToInt(text) << " liegt nicht zwischen 0 und 255; Leser lesen "
      << (static_cast<uint32_t>(TextToInt(text)) & 0xFFu);
    break;
  }
  return m.take();
}

} // namespace sf6::check
