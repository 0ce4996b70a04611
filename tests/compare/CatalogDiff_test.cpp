// The comparison of two catalogs: records matched by key whatever their
// order, repeated keys in order of occurrence, changed fields with their
// display texts, prices with their percent, Head.dat by key, missing and
// damaged entries.

#include "compare/CatalogDiff.h"
#include "compare/CompareRules.h"
#include "compare/CompareTestSupport.h"
#include "text/Errors.h"
#include "text/FieldText.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

using test::CatalogTexts;
using test::HeadLine;
using test::LensPriceLine;
using test::LensTypeLine;
using test::Lines;
using test::ScratchDir;

CatalogComparison Compare(const CatalogTexts &older, const CatalogTexts &newer,
                          const CompareOptions &options = {}) {
  ScratchDir dir;
  const CatalogArchive a = LoadCatalogArchive(test::WriteCatalog(dir, "old.zip", older));
  const CatalogArchive b = LoadCatalogArchive(test::WriteCatalog(dir, "new.zip", newer));
  return CompareCatalogs(a, b, options);
}

using Key = std::vector<std::string>;

const std::string kPriceA = LensPriceLine("GL1", "70", "01", "01", "001", {"0010000"});
const std::string kPriceB = LensPriceLine("GL1", "70", "02", "01", "001", {"0012000"});
const std::string kPriceC = LensPriceLine("GL2", "6570", "01", "01", "001", {"0020000"});

TEST(CatalogDiff, AddedAndRemovedRecordsGiveTheirKeyAndLine) {
  const auto result = Compare({{"LensPrice.Dat", Lines({kPriceA, kPriceB})}},
                              {{"LensPrice.Dat", Lines({kPriceA, "", kPriceC})}});
  EXPECT_FALSE(result.equal());
  const EntryCounts &counts = result.countsOf(Sf6Entry::LensPrice);
  EXPECT_EQ(counts.added, 1u);
  EXPECT_EQ(counts.removed, 1u);
  EXPECT_EQ(counts.changed, 0u);
  ASSERT_EQ(result.differences.size(), 2u);
  const CatalogDifference &removed = result.differences[0];
  EXPECT_EQ(removed.change, CatalogChange::Removed);
  EXPECT_EQ(removed.key, (Key{"GL1", "70", "2", "1", "1"}));
  EXPECT_EQ(removed.oldLine, 2);
  EXPECT_EQ(removed.newLine, 0);
  const CatalogDifference &added = result.differences[1];
  EXPECT_EQ(added.change, CatalogChange::Added);
  // The diameter shows as the grid shows it; the blank line still counts.
  EXPECT_EQ(added.key, (Key{"GL2", "65/70", "1", "1", "1"}));
  EXPECT_EQ(added.newLine, 3);
  EXPECT_EQ(added.oldLine, 0);
}

TEST(CatalogDiff, ReorderedAndDifferentlyWrittenLinesAreEqual) {
  // Same records in another order; one line has trailing blanks, one writes
  // its sphere group as "1 " instead of "01" (both show 1).
  const std::string samePriceOtherForm = LensPriceLine("GL1", "70", "1 ", "01", "001", {"0010000"});
  const auto result =
      Compare({{"LensPrice.Dat", Lines({kPriceA, kPriceB, kPriceC})}},
              {{"LensPrice.Dat", Lines({kPriceC + "   ", kPriceB, samePriceOtherForm})}});
  EXPECT_TRUE(result.equal());
  EXPECT_TRUE(result.differences.empty());
}

TEST(CatalogDiff, LinesEndingInLoneCarriageReturnsAreRecordsToo) {
  // Line ends of CR alone: the index cannot size itself by counting LFs and
  // has to grow while it reads.
  std::string crOnly;
  std::string crLf;
  for (int i = 0; i < 500; ++i) {
    const std::string line = "AR" + std::to_string(i) + "    Option " + std::to_string(i);
    crOnly += line + "\r";
    crLf += (i == 250 ? line + "x" : line) + "\r\n";
  }
  const auto result = Compare({{"Options.Dat", crOnly}}, {{"Options.Dat", crLf}});
  EXPECT_EQ(result.countsOf(Sf6Entry::Options).changed, 1u);
  EXPECT_EQ(result.differences.size(), 1u);
  EXPECT_EQ(result.differences[0].oldLine, 251);
}

TEST(CatalogDiff, ChangedRecordListsEachDifferingFieldWithCaptionAndTexts) {
  const auto result = Compare(
      {{"LensType.Dat", Lines({LensTypeLine("GL1", "Einst\xE4rken 1.5", "20250101", "20261231")})}},
      {{"LensType.Dat", Lines({LensTypeLine("GL1", "Einst\xE4rken 1.6", "20250101", "")})}});
  ASSERT_EQ(result.differences.size(), 1u);
  const CatalogDifference &d = result.differences[0];
  EXPECT_EQ(d.change, CatalogChange::Changed);
  EXPECT_EQ(d.key, Key{"GL1"});
  EXPECT_EQ(d.oldLine, 1);
  EXPECT_EQ(d.newLine, 1);
  ASSERT_EQ(d.fields.size(), 2u);
  EXPECT_EQ(d.fields[0].field, 2);
  EXPECT_EQ(d.fields[0].caption, "Bezeichnung");
  EXPECT_EQ(d.fields[0].oldText, "Einst\xE4rken 1.5");
  EXPECT_EQ(d.fields[0].newText, "Einst\xE4rken 1.6");
  EXPECT_EQ(d.fields[1].field, 4);
  EXPECT_EQ(d.fields[1].caption, "Lieferbar bis");
  EXPECT_EQ(d.fields[1].oldText, "31.12.2026");
  EXPECT_EQ(d.fields[1].newText, "");
  EXPECT_FALSE(d.fields[1].percentTenths);
}

TEST(CatalogDiff, DatesReadDayMonthYearWhateverTheShortDateFormat) {
  const std::string saved = ShortDateFormat();
  SetShortDateFormat("M/d/yyyy");
  const auto result =
      Compare({{"LensType.Dat", Lines({LensTypeLine("GL1", "A", "20250105", "")})}},
              {{"LensType.Dat", Lines({LensTypeLine("GL1", "A", "20250106", "")})}});
  SetShortDateFormat(saved);
  ASSERT_EQ(result.differences.size(), 1u);
  ASSERT_EQ(result.differences[0].fields.size(), 1u);
  EXPECT_EQ(result.differences[0].fields[0].oldText, "05.01.2025");
  EXPECT_EQ(result.differences[0].fields[0].newText, "06.01.2025");
}

TEST(CatalogDiff, PriceChangesGiveThePercentOfTheOldPrice) {
  const auto older = Lines({LensPriceLine("GL1", "70", "01", "01", "001",
                                          {"0010000", "0001200", "0000000", "0005000"})});
  const auto newer = Lines({LensPriceLine("GL1", "70", "01", "01", "001",
                                          {"0010450", "0001050", "0000500", "0004999"})});
  const auto result = Compare({{"LensPrice.Dat", older}}, {{"LensPrice.Dat", newer}});
  ASSERT_EQ(result.differences.size(), 1u);
  const auto &fields = result.differences[0].fields;
  ASSERT_EQ(fields.size(), 4u);
  EXPECT_EQ(fields[0].caption, "Preis 1");
  EXPECT_EQ(fields[0].oldText, "100.00");
  EXPECT_EQ(fields[0].newText, "104.50");
  EXPECT_EQ(fields[0].percentTenths, 45);
  EXPECT_EQ(fields[1].percentTenths, -125);
  EXPECT_FALSE(fields[2].percentTenths) << "no percent of an old price of 0";
  EXPECT_EQ(fields[3].percentTenths, 0) << "-0.02 % rounds to 0.0";

  const auto options = Compare({{"OptionsPrice.Dat", "AR1   GL1   1110000010000\r\n"}},
                               {{"OptionsPrice.Dat", "AR1   GL1   1110000020000\r\n"}});
  ASSERT_EQ(options.differences.size(), 1u);
  ASSERT_EQ(options.differences[0].fields.size(), 1u);
  EXPECT_EQ(options.differences[0].fields[0].field, 9);
  EXPECT_EQ(options.differences[0].fields[0].percentTenths, 1000);
}

TEST(CatalogDiff, PricesWrittenWithAnExponentCompareWithoutOverflow) {
  // Found by fuzzing: "45002e02" in a price column reads as a number far
  // beyond any price, whose percent overflowed 64-bit cents.
  CatalogArchive older;
  CatalogArchive newer;
  for (std::size_t i = 0; i < kSf6EntryCount; ++i)
    older.entries[i].id = newer.entries[i].id = static_cast<Sf6Entry>(i);
  CatalogEntry &before = older.entry(Sf6Entry::LensPrice);
  CatalogEntry &after = newer.entry(Sf6Entry::LensPrice);
  before.state = after.state = CatalogEntryState::Present;
  before.bytes = ToByteBuffer("GL1   70  010100100010000\r\n");
  after.bytes = ToByteBuffer(std::string_view("GL1   70  01010010\xCC\xCE\x10"
                                              "45002e020\0\0\0\0\0\0\x1e"
                                              "0100\r\n",
                                              36));
  const CatalogComparison comparison = CompareCatalogs(older, newer);
  EXPECT_EQ(comparison.countsOf(Sf6Entry::LensPrice).changed, 1u);
  EXPECT_FALSE(CompareCatalogs(newer, older).equal());
}

TEST(CatalogDiff, PercentTextHasSignDecimalCommaAndOneDecimal) {
  EXPECT_EQ(PercentText(45), "+4,5 %");
  EXPECT_EQ(PercentText(-125), "-12,5 %");
  EXPECT_EQ(PercentText(0), "+0,0 %");
  EXPECT_EQ(PercentText(-3), "-0,3 %");
  EXPECT_EQ(PercentText(12345), "+1234,5 %");
}

TEST(CatalogDiff, RepeatedKeysAreMatchedInOrderOfOccurrence) {
  // Information lines with the same key (product, type, line number) three
  // times in the old file, twice in the new one.
  const std::string one = "0GL1   02001erste";
  const std::string two = "0GL1   02001zweite";
  const std::string three = "0GL1   02001dritte";
  const auto result = Compare({{"Information.Dat", Lines({one, two, three})}},
                              {{"Information.Dat", Lines({one, "0GL1   02001ZWEITE"})}});
  const EntryCounts &counts = result.countsOf(Sf6Entry::Information);
  EXPECT_EQ(counts.changed, 1u);
  EXPECT_EQ(counts.removed, 1u);
  EXPECT_EQ(counts.added, 0u);
  ASSERT_EQ(result.differences.size(), 2u);
  EXPECT_EQ(result.differences[0].change, CatalogChange::Removed);
  EXPECT_EQ(result.differences[0].oldLine, 3);
  EXPECT_EQ(result.differences[1].change, CatalogChange::Changed);
  EXPECT_EQ(result.differences[1].oldLine, 2);
  EXPECT_EQ(result.differences[1].fields[0].newText, "ZWEITE");
}

TEST(CatalogDiff, AnEntryMissingOnOneSideCountsAllItsRecords) {
  const CatalogTexts withOptions = {{"Options.Dat", Lines({"AR1   A", "AR2   B", "AR3   C"})}};
  const auto removed = Compare(withOptions, {});
  EXPECT_EQ(removed.countsOf(Sf6Entry::Options).removed, 3u);
  const auto added = Compare({}, withOptions);
  EXPECT_EQ(added.countsOf(Sf6Entry::Options).added, 3u);
  EXPECT_EQ(added.differences.back().newLine, 3);
  // Missing on both sides, or missing against an empty entry: equal.
  EXPECT_TRUE(Compare({}, {}).equal());
  EXPECT_TRUE(Compare({{"Options.Dat", ""}}, {}).equal());
}

TEST(CatalogDiff, HeadValuesAreMatchedByKey) {
  const auto older = Lines({HeadLine("version", "6.1"), HeadLine("comment", "alt"),
                            HeadLine("Valid-from", "20250101"), ""});
  const auto newer = Lines(
      {HeadLine("Valid-from", "20250101"), HeadLine("comment", "neu"), HeadLine("language", "DE")});
  const auto result = Compare({{"Head.dat", older}}, {{"Head.dat", newer}});
  const EntryCounts &counts = result.countsOf(Sf6Entry::Head);
  EXPECT_EQ(counts.added, 1u);
  EXPECT_EQ(counts.removed, 1u);
  EXPECT_EQ(counts.changed, 1u);
  ASSERT_EQ(result.differences.size(), 3u);
  const CatalogDifference &changed = result.differences[0];
  EXPECT_EQ(changed.key, Key{"comment"});
  ASSERT_EQ(changed.fields.size(), 1u);
  EXPECT_EQ(changed.fields[0].field, 0);
  EXPECT_EQ(changed.fields[0].caption, "comment");
  EXPECT_EQ(changed.fields[0].oldText, "alt");
  EXPECT_EQ(changed.fields[0].newText, "neu");
  EXPECT_EQ(result.differences[1].key, Key{"language"});
  EXPECT_EQ(result.differences[1].change, CatalogChange::Added);
  EXPECT_EQ(result.differences[2].key, Key{"version"});
  EXPECT_EQ(result.differences[2].change, CatalogChange::Removed);
}

TEST(CatalogDiff, DifferencesAreSortedByEntryThenKeyNumbersByValue) {
  const auto older = Lines({LensPriceLine("GL1", "70", "10", "01", "001", {"0010000"})});
  const auto newer = Lines({LensPriceLine("GL1", "70", "02", "01", "001", {"0010000"}),
                            LensPriceLine("GL1", "65", "01", "01", "001", {"0010000"})});
  const auto result = Compare({{"LensPrice.Dat", older}, {"Head.dat", HeadLine("a", "1")}},
                              {{"LensPrice.Dat", newer}, {"Head.dat", HeadLine("a", "2")}});
  ASSERT_EQ(result.differences.size(), 4u);
  EXPECT_EQ(result.differences[0].entry, Sf6Entry::Head);
  EXPECT_EQ(result.differences[1].key[1], "65");
  EXPECT_EQ(result.differences[2].key[2], "2");
  EXPECT_EQ(result.differences[3].key[2], "10");
}

TEST(CatalogDiff, EntryOptionComparesOneEntryAndCountsOnlyKeepsNoList) {
  const CatalogTexts older = {{"Options.Dat", Lines({"AR1   A"})},
                              {"LensType.Dat", Lines({"GL1"})}};
  const CatalogTexts newer = {{"Options.Dat", Lines({"AR1   A"})},
                              {"LensType.Dat", Lines({"GL2"})}};
  CompareOptions options;
  options.entry = Sf6Entry::Options;
  EXPECT_TRUE(Compare(older, newer, options).equal());
  options.entry = Sf6Entry::LensType;
  options.countsOnly = true;
  const auto counted = Compare(older, newer, options);
  EXPECT_EQ(counted.countsOf(Sf6Entry::LensType).added, 1u);
  EXPECT_EQ(counted.countsOf(Sf6Entry::LensType).removed, 1u);
  EXPECT_TRUE(counted.differences.empty());
}

TEST(CatalogDiff, AnUnreadableEntryIsAFailureNotARemoval) {
  ScratchDir dir;
  test::RawEntry damaged{.name = "LensType.Dat", .data = "GL1\r\n"};
  damaged.crc = 1;
  test::WriteFileBytes(dir / "bad.zip", test::BuildArchive({damaged}).bytes);
  const auto good = test::WriteCatalog(dir, "good.zip", {{"LensType.Dat", "GL1\r\n"}});
  const CatalogArchive bad = LoadCatalogArchive(dir / "bad.zip");
  const CatalogArchive fine = LoadCatalogArchive(good);
  EXPECT_THROW(CompareCatalogs(fine, bad), Sf6Error);
  CompareOptions other;
  other.entry = Sf6Entry::Options;
  EXPECT_TRUE(CompareCatalogs(fine, bad, other).equal()) << "only the compared entries count";
}

TEST(CatalogDiff, ProgressReachesTheTotalAndCanCancel) {
  std::string many;
  for (int i = 0; i < 40000; ++i)
    many += "AR" + std::to_string(i) + "\r\n";
  uint64_t last = 0;
  uint64_t total = 0;
  CompareOptions options;
  options.progress = [&](uint64_t done, uint64_t all) {
    EXPECT_GE(done, last);
    last = done;
    total = all;
    return true;
  };
  Compare({{"Options.Dat", many}}, {{"Options.Dat", many}}, options);
  EXPECT_EQ(last, total);
  EXPECT_EQ(total, 2 * many.size());

  options.progress = [](uint64_t, uint64_t) { return false; };
  EXPECT_THROW(Compare({{"Options.Dat", many}}, {}, options), CompareCancelled);
}

TEST(CompareRules, PriceAndDateFieldsAreExactlyThoseOfTheLayouts) {
  for (size_t i = 1; i < kSf6EntryCount; ++i) {
    const auto entry = static_cast<Sf6Entry>(i);
    const Sf6Layout &layout = *Sf6EntryLayout(entry);
    const CompareRule &rule = CompareRuleOf(entry);
    EXPECT_EQ(rule.entry, entry);
    EXPECT_FALSE(rule.keyFields.empty()) << layout.fileName;
    for (int field : rule.keyFields)
      EXPECT_TRUE(field >= 1 && field <= layout.fieldCount) << layout.fileName << " " << field;
    for (int field = 1; field <= layout.fieldCount; ++field) {
      const std::string caption = layout.caption(field);
      EXPECT_EQ(rule.isPrice(field), caption.starts_with("Preis "))
          << layout.fileName << " " << field;
      EXPECT_EQ(rule.isDate(field),
                caption.starts_with("Lieferbar ") && layout.place(field).width == 8)
          << layout.fileName << " " << field;
    }
  }
}

} // namespace
} // namespace sf6
