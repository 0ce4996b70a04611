#include "sf4/Sf4Lines.h"

#include "Sf4TestLine.h"

#include <ostream>
#include <cctype>
#include <gtest/gtest.h>

#include <functional>

namespace sf6 {
namespace {

using test::Sf4Line;

TDateTime dateOf(int year, int month, int day) {
  TDateTime date = 0;
  EXPECT_TRUE(TryEncodeDate(year, month, day, date));
  return date;
}

TEST(Sf4HeadLine, ReadsDateCountryCodeNameAndLimits) {
  const std::string line = Sf4Line()
                               .at(1, "XX150699")
                               .at(9, "D  ")
                               .at(12, "ABC")
                               .at(15, "Muster Optik GmbH")
                               .at(45, "468")
                               .at(48, "0306101500");
  const Sf4HeadLine head = readSf4HeadLine(line);
  EXPECT_EQ(head.GA, dateOf(1999, 6, 15));
  EXPECT_EQ(head.LAND, "DE");
  EXPECT_EQ(head.EDV, "ABC");
  EXPECT_EQ(head.Name, "Muster Optik GmbH");
  EXPECT_EQ(head.ZB, 4);
  EXPECT_EQ(head.ZG1, 6);
  EXPECT_EQ(head.ZG2, 8);
  EXPECT_EQ(head.PG1, 3);
  EXPECT_EQ(head.PG2, 6);
  EXPECT_EQ(head.PG3, 10);
  EXPECT_EQ(head.PG4, 15);
  EXPECT_EQ(head.PG5, 0);
}

TEST(Sf4HeadLine, MapsTwoDigitYearsAroundTheCentury) {
  struct Case {
    const char *cols3to8;
    TDateTime expected;
  };
  const Case cases[] = {
      {"150699", dateOf(1999, 6, 15)}, {"011005", dateOf(2005, 10, 1)},
      {"010100", dateOf(2000, 1, 1)},  {"311210", dateOf(2010, 12, 31)},
      {"010111", dateOf(1911, 1, 1)},  {"310299", 0},
      {"000000", 0},                   {"      ", 0},
      {"0101-1", 0},                   {"290201", 0},
      {"2902xx", dateOf(2000, 2, 29)},
  };
  for (const Case &c : cases) {
    const Sf4HeadLine head = readSf4HeadLine(Sf4Line().at(3, c.cols3to8).str());
    EXPECT_EQ(head.GA, c.expected) << c.cols3to8;
  }
}

TEST(Sf4HeadLine, StoresOnlyTheCountryDAsDE) {
  EXPECT_EQ(readSf4HeadLine(Sf4Line().at(9, "d").str()).LAND, "DE");
  EXPECT_EQ(readSf4HeadLine(Sf4Line().at(9, "DK").str()).LAND, "DK");
  EXPECT_EQ(readSf4HeadLine(Sf4Line().at(9, " D").str()).LAND, " D");
  EXPECT_EQ(readSf4HeadLine("").LAND, "");
}

TEST(Sf4LensLine, ReadsImpliedDecimals) {
  const Sf4LensLine lens = readSf4LensLine(Sf4Line().at(1, "abc123").at(36, "1604132").str());
  EXPECT_EQ(lens.EDV, "abc123");
  EXPECT_DOUBLE_EQ(lens.BR, 1.604);
  EXPECT_DOUBLE_EQ(lens.DI, 1.32);
  EXPECT_DOUBLE_EQ(readSf4LensLine(Sf4Line().at(36, "1,60").str()).BR, 0.0016);
}

TEST(Sf4LensLine, ReadsGeometryColumns) {
  const Sf4LensLine lens = readSf4LensLine(Sf4Line()
                                               .at(46, "2")
                                               .at(47, "00400")
                                               .at(52, "-0250")
                                               .at(57, "9999999999")
                                               .at(67, "1400")
                                               .at(71, "1500")
                                               .at(75, "9999")
                                               .at(79, "1800")
                                               .at(83, "0050")
                                               .str());
  EXPECT_EQ(lens.NTT, 2);
  EXPECT_DOUBLE_EQ(lens.VAFB, 4.0);
  EXPECT_DOUBLE_EQ(lens.HAFB, -2.5);
  EXPECT_DOUBLE_EQ(lens.URN, 14.0);
  EXPECT_DOUBLE_EQ(lens.ORN, 15.0);
  EXPECT_DOUBLE_EQ(lens.HN, 18.0);
  EXPECT_DOUBLE_EQ(lens.HZ, 0.5);
}

TEST(Sf4LensLine, LineEndingAtColumn31LeavesLaterFieldsEmpty) {
  const std::string line = Sf4Line().at(1, "L1").at(7, "Einstaerken 1.5 Hart      ").str().substr(0, 31);
  const Sf4LensLine lens = readSf4LensLine(line);
  EXPECT_EQ(lens.EDV, "L1");
  EXPECT_EQ(lens.B1, "Einstaerken 1.5 Hart");
  EXPECT_EQ(lens.EM, 0);
  EXPECT_EQ(lens.ME, 0);
  EXPECT_EQ(lens.MAT, 1);
  EXPECT_EQ(lens.BR, 0.0);
  EXPECT_FALSE(lens.AS);
  EXPECT_FALSE(lens.ST);
  EXPECT_EQ(lens.FA, 0);
  EXPECT_EQ(lens.HZ, 0.0);
}

TEST(Sf4LensLine, KeepsLeadingBlanksOfTexts) {
  const Sf4LensLine lens = readSf4LensLine(" L1   " "  Name  ");
  EXPECT_EQ(lens.EDV, " L1");
  EXPECT_EQ(lens.B1, "  Name");
}

TEST(Sf4Flags, OnlyTheDigitOneIsTrue) {
  for (const char *text : {"1", "0", " ", "J", "2", ""}) {
    const Sf4LensLine lens = readSf4LensLine(Sf4Line().at(43, text).str());
    EXPECT_EQ(lens.AS, std::string_view(text) == "1") << '"' << text << '"';
  }
}

// Every digit column: its value for the digits 0-9 and for a blank, a letter
// and a sign (all three read as 0).
struct DigitCase {
  const char *name;
  int col;
  std::function<int(const std::string &)> read;
  int expected[10];
  int forNonDigit;
};

// Shown by CTest beside the test name: the case's name, not its bytes.
void PrintTo(const DigitCase &c, std::ostream *out) { *out << c.name; }

class Sf4DigitMaps : public ::testing::TestWithParam<DigitCase> {};

TEST_P(Sf4DigitMaps, MapEveryDigit) {
  const DigitCase &c = GetParam();
  for (int digit = 0; digit <= 9; ++digit) {
    const std::string line = Sf4Line().at(c.col, std::string(1, char('0' + digit))).str();
    EXPECT_EQ(c.read(line), c.expected[digit]) << c.name << " digit " << digit;
  }
  for (const char *other : {" ", "x", "-", "+"})
    EXPECT_EQ(c.read(Sf4Line().at(c.col, other).str()), c.forNonDigit) << c.name << " '" << other << "'";
  EXPECT_EQ(c.read(""), c.forNonDigit) << c.name << " past the end";
}

const DigitCase kDigitCases[] = {
    {"lens EM", 32, [](const std::string &l) { return readSf4LensLine(l).EM; },
     {0, 1, 2, 3, 0, 0, 0, 0, 0, 0}, 0},
    {"lens ME", 34, [](const std::string &l) { return readSf4LensLine(l).ME; },
     {0, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 0},
    {"lens MAT", 35, [](const std::string &l) { return readSf4LensLine(l).MAT; },
     {1, 2, 2, 1, 1, 1, 1, 1, 1, 1}, 1},
    {"lens FA", 45, [](const std::string &l) { return readSf4LensLine(l).FA; },
     {0, 1, 2, 0, 3, 4, 5, 0, 0, 0}, 0},
    {"lens NTT", 46, [](const std::string &l) { return readSf4LensLine(l).NTT; },
     {0, 1, 2, 3, 0, 0, 0, 0, 0, 0}, 0},
    {"new material", 7, [](const std::string &l) { return readSf4NewMaterialLine(l).MAT; },
     {0, 0, 0, 0, 3, 4, 0, 0, 0, 0}, 0},
    {"range AddS", 39, [](const std::string &l) { return readSf4PowerRangeLine(l).AddS; },
     {2, 0, 1, 2, 2, 2, 2, 2, 2, 2}, 2},
    {"coating kind", 32, [](const std::string &l) { return readSf4CoatingLine(l).kind; },
     {1, 2, 2, 1, 1, 1, 1, 1, 1, 1}, 1},
    {"coating ET", 33, [](const std::string &l) { return readSf4CoatingLine(l).ET; },
     {0, 0, 1, 0, 0, 2, 0, 0, 3, 0}, 0},
    {"coating FA", 34, [](const std::string &l) { return readSf4CoatingLine(l).FA; },
     {0, 1, 2, 0, 3, 4, 5, 0, 0, 0}, 0},
    {"coating ADU", 39, [](const std::string &l) { return readSf4CoatingLine(l).ADU; },
     {0, 1, 2, 3, 0, 0, 0, 0, 0, 0}, 0},
    {"coating AD", 40, [](const std::string &l) { return readSf4CoatingLine(l).AD; },
     {0, 1, 2, 0, 0, 0, 0, 0, 0, 0}, 0},
    {"material rule", 13, [](const std::string &l) { return readSf4CoatingRuleLine(l).materialRule; },
     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 0},
    {"range selector", 7, [](const std::string &l) { return readSf4EllipticLine(l).rangeSelector; },
     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 0},
    {"combination LB", 19, [](const std::string &l) { return readSf4CombinationLine(l).LB; },
     {0, 2, 1, 1, 1, 1, 1, 1, 1, 1}, 0},
};

INSTANTIATE_TEST_SUITE_P(AllColumns, Sf4DigitMaps, ::testing::ValuesIn(kDigitCases),
                         [](const ::testing::TestParamInfo<DigitCase> &info) {
                           // The case's name with its column, as a test name.
                           std::string name;
                           for (const char c : std::string(info.param.name))
                             name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name + "_column_" + std::to_string(info.param.col);
                         });

TEST(Sf4CoatingLine, ReadsFlagsAtTheirColumns) {
  struct Case {
    int col;
    bool Sf4CoatingLine::*flag;
  };
  const Case cases[] = {{35, &Sf4CoatingLine::PH},   {36, &Sf4CoatingLine::HA},
                        {37, &Sf4CoatingLine::CL},   {38, &Sf4CoatingLine::UV},
                        {41, &Sf4CoatingLine::ADB},  {42, &Sf4CoatingLine::BTOR},
                        {43, &Sf4CoatingLine::PRH},  {45, &Sf4CoatingLine::AAD}};
  for (const Case &c : cases) {
    const Sf4CoatingLine coating = readSf4CoatingLine(Sf4Line().at(c.col, "1").str());
    for (const Case &other : cases)
      EXPECT_EQ(coating.*other.flag, other.col == c.col) << "col " << c.col << " vs " << other.col;
  }
  // Col 44 is not used.
  const Sf4CoatingLine col44 = readSf4CoatingLine(Sf4Line().at(44, "1").str());
  for (const Case &c : cases)
    EXPECT_FALSE(col44.*c.flag);
}

TEST(Sf4PowerRangeLine, ReadsBoundsAsWritten) {
  const Sf4PowerRangeLine range = readSf4PowerRangeLine(Sf4Line()
                                                            .at(1, "L1")
                                                            .at(7, "6570")
                                                            .at(11, "99")
                                                            .at(13, "400000")
                                                            .at(19, "-0800+0600")
                                                            .at(29, "0200")
                                                            .at(33, "350075")
                                                            .at(39, "2")
                                                            .str());
  EXPECT_EQ(range.lensCode, "L1");
  EXPECT_EQ(range.diameter1, 65);
  EXPECT_EQ(range.diameter2, 70);
  EXPECT_DOUBLE_EQ(range.cylBoundA, 4.0);
  EXPECT_DOUBLE_EQ(range.cylBoundB, 0.0);
  EXPECT_DOUBLE_EQ(range.SphV, -8.0);
  EXPECT_DOUBLE_EQ(range.SphB, 6.0);
  EXPECT_DOUBLE_EQ(range.PV, 2.0);
  EXPECT_DOUBLE_EQ(range.addBoundA, 3.5);
  EXPECT_DOUBLE_EQ(range.addBoundB, 0.75);
  EXPECT_EQ(range.AddS, 1);
}

TEST(Sf4LensPriceLine, ReadsGroupsDiameterAndBothPrices) {
  const Sf4LensPriceLine price = readSf4LensPriceLine(
      Sf4Line().at(1, "L1").at(7, "70000402").at(15, "99").at(17, "00123450012345").str());
  EXPECT_EQ(price.diameter1, 70);
  EXPECT_EQ(price.diameter2, 0);
  EXPECT_EQ(price.GSph, 4);
  EXPECT_EQ(price.GCyl, 2);
  EXPECT_DOUBLE_EQ(price.price1, 123.45);
  EXPECT_DOUBLE_EQ(price.price2, 123.45);
}

TEST(Sf4ShortLines, SurchargeCombinationAndColourReadWhatExists) {
  const Sf4SurchargeLine surcharge = readSf4SurchargeLine("Z01   0001250");
  EXPECT_EQ(surcharge.code, "Z01");
  EXPECT_DOUBLE_EQ(surcharge.price1, 12.5);
  EXPECT_EQ(surcharge.price2, 0.0);

  const Sf4CombinationLine combination = readSf4CombinationLine("L1    HC");
  EXPECT_EQ(combination.GE, "L1");
  EXPECT_EQ(combination.B1E, "HC");
  EXPECT_EQ(combination.B2E, "");
  EXPECT_EQ(combination.LB, 0);

  const Sf4ColourLine colour = readSf4ColourLine(Sf4Line().at(1, "G15TINT  Grau 15%").at(35, "1585").str());
  EXPECT_EQ(colour.EDV, "G15");
  EXPECT_EQ(colour.coatingCode, "TINT");
  EXPECT_EQ(colour.B1, "Grau 15%");
  EXPECT_EQ(colour.AbO, 15);
  EXPECT_EQ(colour.AbV, 85);
}

TEST(Sf4Lines, EmptyAndHugeLinesNeverFail) {
  const std::string huge(20000, '\xFF');
  EXPECT_EQ(readSf4LensLine("").EDV, "");
  EXPECT_EQ(readSf4LensLine(huge).EDV, std::string(6, '\xFF'));
  EXPECT_EQ(readSf4HeadLine(huge).GA, 0.0);
  EXPECT_EQ(readSf4CoatingLine(std::string(45, '\0')).kind, 1);
}

} // namespace
} // namespace sf6
