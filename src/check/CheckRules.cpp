#include "check/CheckRules.h"

namespace sf6::check {

namespace {
constexpr Severity E = Severity::Error;
constexpr Severity W = Severity::Warning;

// RuleId order; one row per rule.
constexpr CheckRule kRules[] = {
    {RuleId::ArchiveUnreadable, "archive.unreadable", E,
     "The archive is missing, cannot be opened or its directory is damaged."},
    {RuleId::EntryMissing, "archive.entry-missing", E,
     "One of the thirteen entries of the file set is not in the archive."},
    {RuleId::EntryUnreadable, "archive.entry-unreadable", E,
     "An entry exists but cannot be decoded (damaged data, CRC error, unknown method)."},
    {RuleId::EntryNameCase, "archive.entry-name-case", W,
     "An entry's stored name differs from the file set's name in letter case only."},
    {RuleId::UnexpectedEntry, "archive.unexpected-entry", W,
     "An entry outside the file set (CodesSubst.Dat named as such: readers look for "
     "CodeSubstitution.Dat)."},
    {RuleId::NulByte, "text.nul-byte", E, "A NUL byte: readers end the entry's text there."},
    {RuleId::UndefinedByte, "text.undefined-byte", E,
     "A byte that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)."},
    {RuleId::MixedLineEndings, "text.mixed-line-endings", W,
     "An entry whose lines end in more than one way (CR LF, LF, CR); reported once."},
    {RuleId::HeadKeyMissing, "head.key-missing", E,
     "A key the Head.dat writer writes is not in Head.dat."},
    {RuleId::HeadKeyDuplicate, "head.key-duplicate", E, "A Head.dat key given more than once."},
    {RuleId::HeadKeyUnknown, "head.key-unknown", W,
     "A Head.dat line whose key is not one the writer writes (also other capitalisation)."},
    {RuleId::HeadValue, "head.value", E,
     "A Head.dat value of the wrong form: dates, numbers, the \"+\"/\"-\" flag, price-type "
     "codes, control characters."},
    {RuleId::HeadPriceUndeclared, "head.price-undeclared", E,
     "A price used in LensPrice.Dat or OptionsPrice.Dat whose pricefield-0k is \"00\"."},
    {RuleId::HeadPriceUnused, "head.price-unused", W,
     "A price field declared in Head.dat that no price line uses."},
    {RuleId::LineEmpty, "line.empty", W, "An empty line in a data file."},
    {RuleId::LineTooShort, "line.too-short", E,
     "A data line shorter than its layout (variable endings respected)."},
    {RuleId::LineTooLong, "line.too-long", E,
     "A data line longer than its layout with characters other than blanks beyond it."},
    {RuleId::LineTrailingBlanks, "line.trailing-blanks", W,
     "A data line longer than its layout by blanks only."},
    {RuleId::FieldNumber, "field.number", E,
     "An integer or scaled number that is not digits (sign column of signed fields, blanks "
     "only around the digits, no decimal separator)."},
    {RuleId::FieldDate, "field.date", E,
     "A date that is neither blank, 00000000 nor a real calendar date yyyymmdd."},
    {RuleId::FieldFlag, "field.flag", E, "A flag or material flag other than 0, 1 or blank."},
    {RuleId::FieldEnum, "field.enum", E,
     "An enumeration code not in its list (the reader's default would hide it)."},
    {RuleId::FieldDiameter, "field.diameter", E,
     "A diameter group that is not two digits, two digits or blanks, and E or a blank."},
    {RuleId::FieldColour, "field.colour", E, "A colour component that is not 0 to 255."},
    {RuleId::FieldProductType, "field.product-type", E,
     "A product type other than 0 (lens) or 1 (option)."},
    {RuleId::FieldText, "field.text", E, "A control character in a text field or Head.dat value."},
    {RuleId::FieldCodeEmpty, "field.code-empty", E, "A product code that must be given is blank."},
    {RuleId::RangeOrder, "range.order", E,
     "A \"von\" greater than its \"bis\" (powers, cylinder by magnitude, addition, diameters, "
     "dates)."},
    {RuleId::RefLens, "ref.lens", E, "A lens code that LensType.Dat does not define."},
    {RuleId::RefOption, "ref.option", E, "An option code that Options.Dat does not define."},
    {RuleId::RefSubstNewCode, "ref.subst-new-code", E,
     "A new code of a CodeSubstitution.Dat line that its product type does not define."},
    {RuleId::RefSubstOldCode, "ref.subst-old-code", W,
     "The old code of a \"Code ersetzen\" substitution is still defined."},
    {RuleId::RefRangeIndex, "ref.range-index", E,
     "A LensPrice.Dat delivery-range index that none of the lens's LensRange.Dat lines has."},
    {RuleId::DupLensCode, "dup.lens-code", E, "A lens code defined a second time."},
    {RuleId::DupOptionCode, "dup.option-code", E, "An option code defined a second time."},
    {RuleId::DupLensPrice, "dup.lens-price", E,
     "A second LensPrice.Dat line for the same lens, diameter, groups and range index."},
    {RuleId::DupOptionPrice, "dup.option-price", E,
     "A second OptionsPrice.Dat line for the same option, lens, kinds and materials."},
    {RuleId::DupCombination, "dup.combination", E,
     "A second Combination.Dat line for the same lens and options."},
    {RuleId::LensWithoutPrice, "complete.lens-without-price", W,
     "A lens without any LensPrice.Dat line."},
    {RuleId::LensWithoutRange, "complete.lens-without-range", W,
     "A lens without any LensRange.Dat line (delivery range)."},
    {RuleId::OptionUnused, "complete.option-unused", W,
     "An option that no LensRange.Dat, Combination.Dat or OptionsPrice.Dat line uses."},
};
static_assert(std::size(kRules) == kRuleCount);
} // namespace

std::span<const CheckRule> CheckRules() {
  return kRules;
}

const CheckRule &Rule(RuleId id) {
  return kRules[static_cast<std::size_t>(id)];
}

const CheckRule *FindRule(std::string_view name) {
  for (const CheckRule &rule : kRules)
    if (name == rule.name)
      return &rule;
  return nullptr;
}

const char *SeverityText(Severity severity) {
  return severity == Severity::Error ? "Fehler" : "Warnung";
}

} // namespace sf6::check
