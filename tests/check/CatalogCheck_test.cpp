// The catalog check over whole archives: a clean catalog gives nothing; each
// case breaks one rule in one place and must give exactly that problem, at
// its entry, line and column, with its field, rule and severity.

#include "check/CatalogCheck.h"
#include "check/CheckTestCatalog.h"
#include "export/ConvertSf4.h"
#include "model/Catalog.h"
#include "sf4/Sf4Object.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace sf6::check {
namespace {

using test::CheckTestCatalog;
using test::CleanCatalog;
using test::Put;
using test::ScratchDir;
using test::TestCatalog;

std::string Describe(const CheckResult &result) {
  std::string text;
  for (const CatalogProblem &p : result.problems)
    text += p.entry + ":" + std::to_string(p.line) + ":" + std::to_string(p.column) + " [" +
            Rule(p.rule).name + "] " + p.message + "\n";
  return text;
}

TEST(CatalogCheck, CleanCatalogGivesNoProblem) {
  ScratchDir dir;
  const CheckResult result = CheckTestCatalog(CleanCatalog(), dir);
  EXPECT_TRUE(result.problems.empty()) << Describe(result);
  EXPECT_EQ(result.errors + result.warnings, 0u);
}

TEST(CatalogCheck, ExampleCatalogIsClean) {
  const CheckResult result =
      CheckCatalogFile(std::string(TEST_DATA_DIR) + "/../../examples/example-catalog.zip");
  EXPECT_TRUE(result.problems.empty()) << Describe(result);
}

TEST(CatalogCheck, SurchargeCodesAndTheNoCodeMarkReferToNothing) {
  ScratchDir dir;
  TestCatalog c = CleanCatalog();
  std::string surcharge = c.line("OptionsPrice.Dat", 1);
  Put(surcharge, 1, "P3    ");
  c.lines["OptionsPrice.Dat"].push_back(surcharge);
  Put(c.line("Combination.Dat", 1), 14, "******");
  const CheckResult result = CheckTestCatalog(c, dir);
  EXPECT_TRUE(result.problems.empty()) << Describe(result);
}

struct Expected {
  const char *entry;
  uint32_t line;
  uint32_t column;
  int field;
  RuleId rule;
  Severity severity;
};

struct RuleCase {
  const char *name;
  std::function<void(TestCatalog &)> breakIt;
  std::vector<Expected> expected;
};

constexpr Severity E = Severity::Error;
constexpr Severity W = Severity::Warning;

std::string headLine(std::string_view key, std::string_view value) {
  return PadRight(key, 30) + std::string(value);
}

const std::vector<RuleCase> &RuleCases() {
  static const std::vector<RuleCase> cases = {
      {"NulByte",
       [](TestCatalog &c) {
         c.rawBytes["LensType.Dat"] = c.line("LensType.Dat", 1) + std::string("\r\n\0xyz", 6);
       },
       {{"LensType.Dat", 2, 1, 0, RuleId::NulByte, E}}},
      {"NulByteInsideALine",
       [](TestCatalog &c) {
         c.rawBytes["OrderOptions.Dat"] =
             c.line("OrderOptions.Dat", 1) + std::string("\0", 1) + "\r\n";
       },
       {{"OrderOptions.Dat", 1, 13, 0, RuleId::NulByte, E}}},
      {"UndefinedByte",
       [](TestCatalog &c) { Put(c.line("LensType.Dat", 1), 10, "\x81"); },
       {{"LensType.Dat", 1, 10, 0, RuleId::UndefinedByte, E}}},
      {"MixedLineEndings",
       [](TestCatalog &c) {
         const std::string first = c.line("Information.Dat", 1);
         c.rawBytes["Information.Dat"] = first + "\r\n" + "0L1    02002Mehr\n";
       },
       {{"Information.Dat", 2, 17, 0, RuleId::MixedLineEndings, W}}},
      {"HeadKeyMissing",
       [](TestCatalog &c) {
         auto &head = c.lines["Head.dat"];
         head.erase(head.begin() + 2); // comment
       },
       {{"Head.dat", 0, 0, 3, RuleId::HeadKeyMissing, E}}},
      {"HeadKeyDuplicate",
       [](TestCatalog &c) { c.lines["Head.dat"].push_back(headLine("version", "6.2")); },
       {{"Head.dat", 46, 1, 1, RuleId::HeadKeyDuplicate, E}}},
      {"HeadKeyUnknown",
       [](TestCatalog &c) { c.lines["Head.dat"].push_back(headLine("Version", "6.2")); },
       {{"Head.dat", 46, 1, 0, RuleId::HeadKeyUnknown, W}}},
      {"HeadDateValue",
       [](TestCatalog &c) { c.line("Head.dat", 6) = headLine("Valid-from", "20250231"); },
       {{"Head.dat", 6, 31, 6, RuleId::HeadValue, E}}},
      {"HeadNumberValue",
       [](TestCatalog &c) { c.line("Head.dat", 25) = headLine("cylindergroup-base", "2,5"); },
       {{"Head.dat", 25, 31, 25, RuleId::HeadValue, E}}},
      // A price type missing from a line cut short after its key (found by
      // fuzzing): pointed at the line's end, not past it.
      {"HeadValueMissingFromShortLine",
       [](TestCatalog &c) { c.line("Head.dat", 35) = "pricefield-01"; },
       {{"Head.dat", 35, 14, 35, RuleId::HeadValue, E}}},
      {"HeadValidityRange",
       [](TestCatalog &c) {
         c.line("Head.dat", 6) = headLine("Valid-from", "20260101");
         c.line("Head.dat", 7) = headLine("Valid-until", "20251231");
       },
       {{"Head.dat", 6, 31, 6, RuleId::RangeOrder, E}}},
      {"HeadPriceUndeclared",
       [](TestCatalog &c) { c.line("Head.dat", 35) = headLine("pricefield-01", "00"); },
       {{"Head.dat", 35, 31, 35, RuleId::HeadPriceUndeclared, E}}},
      {"HeadPriceUnused",
       [](TestCatalog &c) { c.line("Head.dat", 36) = headLine("pricefield-02", "20"); },
       {{"Head.dat", 36, 31, 36, RuleId::HeadPriceUnused, W}}},
      {"LineEmpty",
       [](TestCatalog &c) { c.lines["LensGeo.Dat"].push_back(""); },
       {{"LensGeo.Dat", 2, 1, 0, RuleId::LineEmpty, W}}},
      {"LineTooShort",
       [](TestCatalog &c) { c.line("Combination.Dat", 1).resize(13); },
       {{"Combination.Dat", 1, 14, 0, RuleId::LineTooShort, E}}},
      {"LineEndsInsideAPrice",
       [](TestCatalog &c) { c.line("LensPrice.Dat", 1) += "001"; },
       // The cut price 2 is present to readers, and Head.dat does not declare it.
       {{"LensPrice.Dat", 1, 28, 0, RuleId::LineTooShort, E},
        {"Head.dat", 36, 31, 36, RuleId::HeadPriceUndeclared, E}}},
      {"LineTooLong",
       [](TestCatalog &c) { c.line("OrderOptions.Dat", 1) += "X"; },
       {{"OrderOptions.Dat", 1, 13, 0, RuleId::LineTooLong, E}}},
      {"LineTrailingBlanks",
       [](TestCatalog &c) { c.line("OrderOptions.Dat", 1) += "   "; },
       {{"OrderOptions.Dat", 1, 13, 0, RuleId::LineTrailingBlanks, W}}},
      {"DecimalSeparatorInPrice",
       [](TestCatalog &c) { Put(c.line("LensPrice.Dat", 1), 18, "0012,55"); },
       {{"LensPrice.Dat", 1, 22, 6, RuleId::FieldNumber, E}}},
      {"SignColumnOfASignedField",
       [](TestCatalog &c) { Put(c.line("LensRange.Dat", 1), 12, " 0400"); },
       {{"LensRange.Dat", 1, 12, 4, RuleId::FieldNumber, E}}},
      {"LetterInAnInteger",
       [](TestCatalog &c) { Put(c.line("LensPrice.Dat", 1), 11, "0A"); },
       {{"LensPrice.Dat", 1, 12, 3, RuleId::FieldNumber, E}}},
      {"InvalidDate",
       [](TestCatalog &c) { Put(c.line("LensType.Dat", 1), 47, "20250231"); },
       {{"LensType.Dat", 1, 47, 3, RuleId::FieldDate, E}}},
      {"FlagTwo",
       [](TestCatalog &c) { Put(c.line("LensType.Dat", 1), 90, "2"); },
       {{"LensType.Dat", 1, 90, 19, RuleId::FieldFlag, E}}},
      {"MaterialFlagTwo",
       [](TestCatalog &c) { Put(c.line("Options.Dat", 1), 64, "2"); },
       {{"Options.Dat", 1, 64, 6, RuleId::FieldFlag, E}}},
      {"EnumerationCodeOutsideItsList",
       [](TestCatalog &c) { Put(c.line("LensRange.Dat", 1), 48, "0"); },
       {{"LensRange.Dat", 1, 48, 13, RuleId::FieldEnum, E}}},
      {"DiameterGroup",
       [](TestCatalog &c) { Put(c.line("LensRange.Dat", 1), 7, "6 "); },
       {{"LensRange.Dat", 1, 8, 2, RuleId::FieldDiameter, E}}},
      {"ColourComponent",
       [](TestCatalog &c) { Put(c.line("OptionsColor.Dat", 1), 54, "300"); },
       {{"OptionsColor.Dat", 1, 54, 6, RuleId::FieldColour, E}}},
      {"ProductType",
       [](TestCatalog &c) { Put(c.line("OrderOptions.Dat", 1), 1, "2"); },
       {{"OrderOptions.Dat", 1, 1, 1, RuleId::FieldProductType, E}}},
      {"ControlCharacterInText",
       [](TestCatalog &c) { Put(c.line("Options.Dat", 1), 10, "\t"); },
       {{"Options.Dat", 1, 10, 2, RuleId::FieldText, E}}},
      {"EmptyCode",
       [](TestCatalog &c) { Put(c.line("OptionsColor.Dat", 1), 4, "      "); },
       {{"OptionsColor.Dat", 1, 4, 2, RuleId::FieldCodeEmpty, E}}},
      {"SphereFromAboveTo",
       [](TestCatalog &c) { Put(c.line("LensRange.Dat", 1), 12, "+0500"); },
       {{"LensRange.Dat", 1, 12, 4, RuleId::RangeOrder, E}}},
      {"CylinderFromAboveToByMagnitude",
       [](TestCatalog &c) { Put(c.line("LensRange.Dat", 1), 22, "-300"); },
       {{"LensRange.Dat", 1, 22, 6, RuleId::RangeOrder, E}}},
      {"UnknownLens",
       [](TestCatalog &c) { Put(c.line("LensGeo.Dat", 1), 1, "L9"); },
       {{"LensGeo.Dat", 1, 1, 1, RuleId::RefLens, E}}},
      {"UnknownLensOfAnInformationLine",
       [](TestCatalog &c) { Put(c.line("Information.Dat", 1), 2, "L9"); },
       {{"Information.Dat", 1, 2, 2, RuleId::RefLens, E}}},
      {"UnknownOption",
       [](TestCatalog &c) { Put(c.line("Combination.Dat", 1), 14, "O9"); },
       {{"Combination.Dat", 1, 14, 4, RuleId::RefOption, E}}},
      {"UnknownOptionOfATypeOneLine",
       [](TestCatalog &c) { Put(c.line("ProductGroup.Dat", 1), 1, "1"); },
       {{"ProductGroup.Dat", 1, 2, 2, RuleId::RefOption, E}}},
      {"UnknownNewCode",
       [](TestCatalog &c) { Put(c.line("CodeSubstitution.Dat", 1), 9, "L9"); },
       {{"CodeSubstitution.Dat", 1, 9, 4, RuleId::RefSubstNewCode, E}}},
      {"ReplacedCodeStillDefined",
       [](TestCatalog &c) { Put(c.line("CodeSubstitution.Dat", 1), 2, "L1"); },
       {{"CodeSubstitution.Dat", 1, 2, 2, RuleId::RefSubstOldCode, W}}},
      {"UnknownRangeIndex",
       [](TestCatalog &c) { Put(c.line("LensPrice.Dat", 1), 15, "002"); },
       {{"LensPrice.Dat", 1, 15, 5, RuleId::RefRangeIndex, E}}},
      {"LensCodeTwice",
       [](TestCatalog &c) { c.lines["LensType.Dat"].push_back(c.line("LensType.Dat", 1)); },
       {{"LensType.Dat", 2, 1, 1, RuleId::DupLensCode, E}}},
      {"OptionCodeTwice",
       [](TestCatalog &c) { c.lines["Options.Dat"].push_back(c.line("Options.Dat", 1)); },
       {{"Options.Dat", 2, 1, 1, RuleId::DupOptionCode, E}}},
      {"LensPriceKeyTwice",
       [](TestCatalog &c) {
         std::string second = c.line("LensPrice.Dat", 1);
         Put(second, 18, "0099999"); // another price, same key
         c.lines["LensPrice.Dat"].push_back(second);
       },
       {{"LensPrice.Dat", 2, 1, 1, RuleId::DupLensPrice, E}}},
      {"LensPriceKeyTwiceApart", // out of order: the lines before are indexed
       [](TestCatalog &c) {
         std::string other = c.line("LensPrice.Dat", 1);
         Put(other, 13, "02");
         c.lines["LensPrice.Dat"].push_back(other);
         c.lines["LensPrice.Dat"].push_back(c.line("LensPrice.Dat", 1));
       },
       {{"LensPrice.Dat", 3, 1, 1, RuleId::DupLensPrice, E}}},
      {"BlankLensPriceKey",
       [](TestCatalog &c) {
         std::string blank = c.line("LensPrice.Dat", 1);
         Put(blank, 1, std::string(17, ' '));
         c.lines["LensPrice.Dat"].insert(c.lines["LensPrice.Dat"].begin(), blank);
         c.lines["LensPrice.Dat"].push_back(blank);
       },
       {{"LensPrice.Dat", 1, 1, 1, RuleId::FieldCodeEmpty, E},
        {"LensPrice.Dat", 3, 1, 1, RuleId::FieldCodeEmpty, E},
        {"LensPrice.Dat", 3, 1, 1, RuleId::DupLensPrice, E}}},
      {"OptionPriceKeyTwice",
       [](TestCatalog &c) { c.lines["OptionsPrice.Dat"].push_back(c.line("OptionsPrice.Dat", 1)); },
       {{"OptionsPrice.Dat", 2, 1, 1, RuleId::DupOptionPrice, E}}},
      {"CombinationTwiceWithAnotherAvailability",
       [](TestCatalog &c) {
         std::string second = c.line("Combination.Dat", 1);
         Put(second, 7, "0");
         c.lines["Combination.Dat"].push_back(second);
       },
       {{"Combination.Dat", 2, 1, 1, RuleId::DupCombination, E}}},
      {"LensWithoutPrice",
       [](TestCatalog &c) {
         std::string lens = c.line("LensType.Dat", 1);
         Put(lens, 1, "L2");
         c.lines["LensType.Dat"].push_back(lens);
         std::string range = c.line("LensRange.Dat", 1);
         Put(range, 1, "L2");
         c.lines["LensRange.Dat"].push_back(range);
       },
       {{"LensType.Dat", 2, 1, 1, RuleId::LensWithoutPrice, W}}},
      {"LensWithoutRange",
       [](TestCatalog &c) {
         std::string lens = c.line("LensType.Dat", 1);
         Put(lens, 1, "L2");
         c.lines["LensType.Dat"].push_back(lens);
         std::string price = c.line("LensPrice.Dat", 1);
         Put(price, 1, "L2");
         c.lines["LensPrice.Dat"].push_back(price);
       },
       // Its price line's range index has no range either.
       {{"LensType.Dat", 2, 1, 1, RuleId::LensWithoutRange, W},
        {"LensPrice.Dat", 2, 15, 5, RuleId::RefRangeIndex, E}}},
      {"OptionUnused",
       [](TestCatalog &c) {
         std::string option = c.line("Options.Dat", 1);
         Put(option, 1, "O2");
         c.lines["Options.Dat"].push_back(option);
       },
       {{"Options.Dat", 2, 1, 1, RuleId::OptionUnused, W}}},
  };
  return cases;
}

class RuleCaseTest : public testing::TestWithParam<RuleCase> {};

TEST_P(RuleCaseTest, GivesExactlyItsProblem) {
  ScratchDir dir;
  TestCatalog catalog = CleanCatalog();
  GetParam().breakIt(catalog);
  const CheckResult result = CheckTestCatalog(catalog, dir);
  const std::vector<Expected> &expected = GetParam().expected;
  ASSERT_EQ(result.problems.size(), expected.size()) << Describe(result);
  std::set<std::string> wanted, got;
  for (const Expected &e : expected)
    wanted.insert(std::string(e.entry) + ":" + std::to_string(e.line) + ":" +
                  std::to_string(e.column) + " field " + std::to_string(e.field) + " " +
                  Rule(e.rule).name + (e.severity == E ? " error" : " warning"));
  for (const CatalogProblem &p : result.problems)
    got.insert(p.entry + ":" + std::to_string(p.line) + ":" + std::to_string(p.column) + " field " +
               std::to_string(p.field) + " " + Rule(p.rule).name +
               (p.severity == E ? " error" : " warning"));
  EXPECT_EQ(got, wanted) << Describe(result);
  for (const CatalogProblem &p : result.problems) {
    EXPECT_FALSE(p.message.empty());
    if (p.field > 0) {
      EXPECT_NE(p.message.find(p.caption), std::string::npos)
          << "the message names the field by its caption: " << p.message;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, RuleCaseTest, testing::ValuesIn(RuleCases()),
                         [](const testing::TestParamInfo<RuleCase> &info) {
                           return std::string(info.param.name);
                         });

// Archive-level rules need archives built entry by entry. -----------------

CheckResult CheckEntries(const std::vector<test::RawEntry> &entries, const ScratchDir &dir) {
  const auto path = dir / "catalog.zip";
  test::WriteFileBytes(path, test::BuildArchive(entries).bytes);
  return CheckCatalogFile(path);
}

TEST(CatalogCheck, ReportsMissingDamagedMisnamedAndForeignEntries) {
  ScratchDir dir;
  std::vector<test::RawEntry> entries = CleanCatalog().entries();
  entries.erase(entries.begin() + 3); // LensGeo.Dat
  for (test::RawEntry &e : entries) {
    if (e.name == "OrderOptions.Dat")
      e.name = "orderoptions.dat";
    if (e.name == "ProductGroup.Dat")
      e.crc = 1; // fails its CRC-32
  }
  entries.push_back({.name = "Bilder/logo.txt", .data = "x"});
  const CheckResult result = CheckEntries(entries, dir);
  std::vector<std::string> got;
  for (const CatalogProblem &p : result.problems)
    got.push_back(p.entry + ":" + std::to_string(p.line) + ":" + std::to_string(p.column) + " " +
                  Rule(p.rule).name);
  EXPECT_EQ(got, (std::vector<std::string>{
                     "LensGeo.Dat:0:0 archive.entry-missing",
                     "OrderOptions.Dat:0:0 archive.entry-name-case",
                     "ProductGroup.Dat:0:0 archive.entry-unreadable",
                     "Bilder\\logo.txt:0:0 archive.unexpected-entry",
                 }))
      << Describe(result);
  EXPECT_EQ(result.errors, 2u);
  EXPECT_EQ(result.warnings, 2u);
}

TEST(CatalogCheck, ConvertersEntryNameIsOneWarningNotAMissingEntry) {
  ScratchDir dir;
  std::vector<test::RawEntry> entries = CleanCatalog().entries();
  entries.back().name = "CodesSubst.Dat";
  const CheckResult result = CheckEntries(entries, dir);
  ASSERT_EQ(result.problems.size(), 1u) << Describe(result);
  EXPECT_EQ(result.problems[0].entry, "CodesSubst.Dat");
  EXPECT_EQ(result.problems[0].rule, RuleId::UnexpectedEntry);
  EXPECT_NE(result.problems[0].message.find("CodeSubstitution.Dat"), std::string::npos);
}

TEST(CatalogCheck, UnreadableArchiveIsAProblemAtLineZero) {
  ScratchDir dir;
  test::WriteFileBytes(dir / "bad.zip", "not an archive");
  for (const auto &path : {dir / "bad.zip", dir / "none.zip"}) {
    const CheckResult result = CheckCatalogFile(path);
    ASSERT_EQ(result.problems.size(), 1u);
    const CatalogProblem &p = result.problems[0];
    EXPECT_EQ(p.rule, RuleId::ArchiveUnreadable);
    EXPECT_EQ(p.severity, Severity::Error);
    EXPECT_EQ(p.entry, path.string());
    EXPECT_EQ(p.line, 0u);
    EXPECT_EQ(p.column, 0u);
  }
}

// The cap per rule ------------------------------------------------------

TEST(CatalogCheck, CapKeepsTheFirstProblemsOfARuleInOutputOrderAndCountsTheRest) {
  ScratchDir dir;
  TestCatalog c = CleanCatalog();
  // Options.Dat is checked before LensRange.Dat but listed after it.
  Put(c.line("Options.Dat", 1), 117, "0x1");
  Put(c.line("LensRange.Dat", 1), 97, "0x5");
  for (int i = 0; i < 3; ++i)
    c.lines["LensPrice.Dat"].push_back(c.line("LensPrice.Dat", 1));
  CheckOptions options;
  options.maxPerRule = 1;
  const CheckResult result = CheckTestCatalog(c, dir, options);
  ASSERT_EQ(result.problems.size(), 2u) << Describe(result);
  EXPECT_EQ(result.problems[0].entry, "LensRange.Dat");
  EXPECT_EQ(result.problems[0].rule, RuleId::FieldNumber);
  EXPECT_EQ(result.problems[1].entry, "LensPrice.Dat");
  EXPECT_EQ(result.problems[1].line, 2u);
  EXPECT_EQ(result.errors, 5u);
  EXPECT_EQ(result.leftOut, 3u);

  options.maxPerRule = 0;
  const CheckResult none = CheckTestCatalog(c, dir, options);
  EXPECT_TRUE(none.problems.empty());
  EXPECT_EQ(none.errors, 5u);
}

TEST(CatalogCheck, ProgressSeesEveryByteAndCanCancel) {
  ScratchDir dir;
  TestCatalog c = CleanCatalog();
  const CatalogArchive archive = [&] {
    test::WriteFileBytes(dir / "c.zip", test::BuildArchive(c.entries()).bytes);
    return LoadCatalogArchive(dir / "c.zip");
  }();
  uint64_t lastDone = 0, lastTotal = 1;
  CheckOptions options;
  options.progress = [&](uint64_t done, uint64_t total) {
    lastDone = done;
    lastTotal = total;
  };
  CheckCatalog(archive, options);
  EXPECT_EQ(lastDone, lastTotal);
  options.progress = [](uint64_t, uint64_t) { throw std::runtime_error("cancelled"); };
  EXPECT_THROW(CheckCatalog(archive, options), std::runtime_error);
}

// A catalog converted from SF4 ------------------------------------------

TEST(CatalogCheck, ConvertedSf4CatalogGivesItsKnownProblemsOnly) {
  ScratchDir dir;
  std::filesystem::copy(std::string(TEST_DATA_DIR) + "/sf4/coatings", dir.path(),
                        std::filesystem::copy_options::recursive);
  Tlup6Dataobject root;
  TSf4Object sf4(root);
  const Sf4ConversionResult converted = ConvertSf4Directory(sf4, dir.path().string(), "1.0.0.0");
  const CheckResult result = CheckCatalogFile(converted.archivePath);
  std::vector<std::string> got;
  for (const CatalogProblem &p : result.problems)
    got.push_back(p.entry + ":" + std::to_string(p.line) + " " + Rule(p.rule).name);
  // The fixture's lenses have no ranges or prices, one combination names a
  // coating the fixture lacks, and the converter names the substitution
  // entry CodesSubst.Dat.
  EXPECT_EQ(got, (std::vector<std::string>{
                     "LensType.Dat:1 complete.lens-without-price",
                     "LensType.Dat:1 complete.lens-without-range",
                     "LensType.Dat:2 complete.lens-without-price",
                     "LensType.Dat:2 complete.lens-without-range",
                     "Combination.Dat:3 ref.option",
                     "CodesSubst.Dat:0 archive.unexpected-entry",
                 }))
      << Describe(result);
}

} // namespace
} // namespace sf6::check
