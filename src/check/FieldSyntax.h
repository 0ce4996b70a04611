#pragma once

// The form of one field's column text, judged by the field's kind alone, so
// one engine covers all twelve layouts. The rule for every kind is what the
// writer writes plus what the reader takes without changing the value:
//
//   every kind but Text: all blanks is the empty value (0, no date, not set),
//                        except an enumeration whose list lacks code 0
//   Integer, Scaled      digits; blanks only before and after them; signed
//                        fields carry "+" or "-" in their first column,
//                        others may start with "-" (the writer's negative)
//   Flag, MaterialFlag   "0" or "1"          ProductType  "0" or "1"
//   Date                 "00000000" or a real calendar date yyyymmdd
//   Enumeration          a number whose code is in the enumeration's list
//   Diameter             two digits, then two digits or two blanks, then
//                        (5 wide) "E", "e" or a blank
//   Colour               a number 0 to 255
//   Text                 no control characters
//
// Offsets count from 0 within the field's text.

#include "check/CheckRules.h"
#include "sf6/Sf6FieldInfo.h"

#include <optional>
#include <string>
#include <string_view>

namespace sf6::check {

enum class FaultReason {
  ControlCharacter,
  NotADigit,
  DecimalSeparator,
  InnerBlank,
  SignMissing,
  NoDigits,
  FlagValue,
  ProductTypeValue,
  DateForm,
  DateInvalid,
  EnumCode,
  DiameterFirst,
  DiameterSecond,
  DiameterMarker,
  ColourRange,
};

struct FieldFault {
  RuleId rule;
  FaultReason reason;
  int offset; // of the offending character within the field's text
};

// Judges the text of field f (fewer characters than its width when the line
// ends inside it: kinds other than Text are then left to the line-length
// rule and pass).
std::optional<FieldFault> CheckFieldSyntax(const Sf6FieldInfo &f, std::string_view text);

// The German message for a fault that CheckFieldSyntax found in text.
std::string DescribeFieldFault(const Sf6FieldInfo &f, std::string_view text,
                               const FieldFault &fault);

// True when code is one of the enumeration's codes.
bool EnumHasCode(const Sf6EnumTable &table, int code);

inline bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

} // namespace sf6::check
