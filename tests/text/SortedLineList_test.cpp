#include "text/Collation.h"
#include "text/SortedLineList.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

TEST(SortedLineList, OrdersWithoutRegardToCaseAndKeepsTheFirstOfEquals) {
  SortedLineList list;
  for (const char *line : {"b", "A", "a", "ab", "B", "", "a"})
    list.Add(line);
  EXPECT_EQ(list.Lines(), (LineList{"", "A", "ab", "b"}));
  list.Add("AA");
  list.Add("0");
  EXPECT_EQ(list.Lines(), (LineList{"", "0", "A", "AA", "ab", "b"}));
  EXPECT_EQ(list.Count(), 6u);
}

TEST(SortedLineList, FoldsWindows1252LettersOnly) {
  EXPECT_EQ(CompareNoCase1252("\xE4", "\xC4"), 0); // ä Ä
  EXPECT_EQ(CompareNoCase1252("\x9A", "\x8A"), 0); // š Š
  EXPECT_EQ(CompareNoCase1252("\xFF", "\x9F"), 0); // ÿ Ÿ
  EXPECT_NE(CompareNoCase1252("\xF7", "\xD7"), 0); // ÷ is no letter
  EXPECT_NE(CompareNoCase1252("\xDF", "\xFF"), 0); // ß stays itself
  // Unsigned byte order: "Z" < "[" < "_" < accented letters.
  EXPECT_LT(CompareNoCase1252("Z", "_"), 0);
  EXPECT_LT(CompareNoCase1252("z", "\xE4"), 0);
  EXPECT_LT(CompareNoCase1252("ab", "abc"), 0);
  EXPECT_GT(CompareNoCase1252("b", "ABC"), 0);
}

TEST(SortedLineList, SortsLargeInputInOrder) {
  SortedLineList list;
  for (int i = 20000; i > 0; --i)
    list.Add(std::to_string(i % 5000 + 10000));
  const LineList &lines = list.Lines();
  ASSERT_EQ(lines.size(), 5000u);
  EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
}

} // namespace
} // namespace sf6
