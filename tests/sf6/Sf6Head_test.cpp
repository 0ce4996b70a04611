#include "sf6/Sf6Procs.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

TEST(HeadLines, WritesTheFortyFiveKeysPaddedToThirtyColumns) {
  TSf6DataHead head;
  head.Version = "6.0";
  TryEncodeDate(2025, 1, 2, head.ValidFrom);
  head.CylinderGroup1 = -2;
  head.PriceField[0] = TSf6PriceType::EmpfVkInklVers;
  head.PriceField[4] = TSf6PriceType::SonstigesVk;
  head.Characterset = 1252;
  LineList lines{"stale"};
  WriteHeadLines(head, lines);
  ASSERT_EQ(lines.size(), 45u);
  EXPECT_EQ(lines[0], "version                       6.0");
  EXPECT_EQ(lines[5], "Valid-from                    20250102");
  EXPECT_EQ(lines[6], std::string("Valid-until") + std::string(19, ' '));
  EXPECT_EQ(lines[23], "pricedefinition-cylinder      -");
  EXPECT_EQ(lines[25], "cylindergroup-1               -2");
  EXPECT_EQ(lines[31], "prismgroup-5                  0");
  EXPECT_EQ(lines[33], "currencydescription-decimals  ");
  EXPECT_EQ(lines[34], "pricefield-01                 21");
  EXPECT_EQ(lines[35], "pricefield-02                 00");
  EXPECT_EQ(lines[38], "pricefield-05                 91");
  EXPECT_EQ(lines[43], std::string("pricefield-description-05") + std::string(5, ' '));
  EXPECT_EQ(lines[44], "characterset                  1252");
}

TEST(HeadLines, RowsAreOrderedByNameWithoutRegardToCase) {
  const LineList lines = {"version                       6.0",
                          "Software-id                   1.0.0.0", "comment"};
  const std::vector<Sf6HeadRow> rows = HeadRows(lines);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].name, "comment");
  EXPECT_EQ(rows[0].value, "");
  EXPECT_EQ(rows[1].name, "Software-id");
  EXPECT_EQ(rows[1].value, "1.0.0.0");
  EXPECT_EQ(rows[2].name, "version");
}

TEST(HeadLines, EqualNamesAppearInReverseFileOrder) {
  const std::vector<Sf6HeadRow> rows = HeadRows({"", "b", "                              first",
                                                 "                              second"});
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].value, "second");
  EXPECT_EQ(rows[1].value, "first");
  EXPECT_EQ(rows[2].value, "");
  EXPECT_EQ(rows[3].name, "b");
}

TEST(HeadLines, RowCutsLongKeysAndValues) {
  const Sf6HeadRow longKey = HeadRowOfLine(std::string(30, 'k') + "rest  ");
  EXPECT_EQ(longKey.name, std::string(30, 'k'));
  EXPECT_EQ(longKey.value, "rest");
  const Sf6HeadRow longValue = HeadRowOfLine(std::string(30, ' ') + "  " + std::string(300, 'v'));
  EXPECT_EQ(longValue.value, "  " + std::string(253, 'v'));
  EXPECT_EQ(HeadRowOfLine("key").value, "");
}

} // namespace
} // namespace sf6
