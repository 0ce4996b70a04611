#pragma once

// The rules of the catalog check as one table: each rule has a stable
// English id (shown in brackets after every problem and usable in scripts),
// a fixed severity and a one-line description. docs/checks.md lists the same
// table; a test holds the two together.

#include <cstddef>
#include <span>
#include <string_view>

namespace sf6::check {

enum class Severity { Error, Warning };

enum class RuleId {
  ArchiveUnreadable,
  EntryMissing,
  EntryUnreadable,
  EntryNameCase,
  UnexpectedEntry,
  NulByte,
  UndefinedByte,
  MixedLineEndings,
  HeadKeyMissing,
  HeadKeyDuplicate,
  HeadKeyUnknown,
  HeadValue,
  HeadPriceUndeclared,
  HeadPriceUnused,
  LineEmpty,
  LineTooShort,
  LineTooLong,
  LineTrailingBlanks,
  FieldNumber,
  FieldDate,
  FieldFlag,
  FieldEnum,
  FieldDiameter,
  FieldColour,
  FieldProductType,
  FieldText,
  FieldCodeEmpty,
  RangeOrder,
  RefLens,
  RefOption,
  RefSubstNewCode,
  RefSubstOldCode,
  RefRangeIndex,
  DupLensCode,
  DupOptionCode,
  DupLensPrice,
  DupOptionPrice,
  DupCombination,
  LensWithoutPrice,
  LensWithoutRange,
  OptionUnused,
};

struct CheckRule {
  RuleId id;
  const char *name; // e.g. "field.number"
  Severity severity;
  const char *description; // English, one line
};

// Every rule in RuleId order.
std::span<const CheckRule> CheckRules();
const CheckRule &Rule(RuleId id);
// The rule named name; nullptr when there is none.
const CheckRule *FindRule(std::string_view name);

inline constexpr std::size_t kRuleCount = static_cast<std::size_t>(RuleId::OptionUnused) + 1;

// "Fehler" / "Warnung", as the problem lines and the viewer show them.
const char *SeverityText(Severity severity);

} // namespace sf6::check
