#include "text/FieldText.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

TEST(PadRight, AddsAtMost250Blanks) {
  EXPECT_EQ(PadRight("", 255), std::string(250, ' '));
  EXPECT_EQ(PadRight("ab", 5), "ab   ");
  EXPECT_EQ(PadRight("abcdef", 3), "abc");
  EXPECT_EQ(PadRight("x", 0), "");
  EXPECT_EQ(PadRight("abc", 300).size(), 253u);
}

TEST(TextShaping, TrimsOnlyBlanksWhereAsked) {
  EXPECT_EQ(RightTrim("  a b  "), "  a b");
  EXPECT_EQ(RightTrim("a\t"), "a\t");
  EXPECT_EQ(RightTrimChar("1.500", '0'), "1.5");
  EXPECT_EQ(BothTrim("  a b  "), "a b");
  EXPECT_EQ(RemoveSpaces(" 1 234,5 "), "1234,5");
  EXPECT_EQ(StripTrailingBackslash("C:\\dir\\"), "C:\\dir");
  EXPECT_EQ(StripTrailingBackslash("C:\\dir\\\\"), "C:\\dir\\");
  EXPECT_EQ(PrefixIfNotEmpty("E", ""), "");
  EXPECT_EQ(PrefixIfNotEmpty("E", "1"), "E1");
  EXPECT_EQ(SpaceString(300).size(), 300u);
  EXPECT_EQ(ZeroString(3), "000");
  EXPECT_EQ(SpaceString(-1), "");
}

TEST(NthToken, CountsEmptyPiecesAndStopsAtTheEnd) {
  EXPECT_EQ(NthToken("a;;b", ";", 1), "a");
  EXPECT_EQ(NthToken("a;;b", ";", 2), "");
  EXPECT_EQ(NthToken("a;;b", ";", 3), "b");
  EXPECT_EQ(NthToken("a;;b", ";", 4), "");
  EXPECT_EQ(NthToken("a", ";", 2), "");
  EXPECT_EQ(NthToken("a", ";", 0), "");
  EXPECT_EQ(NthToken("65/70E", "/", 2), "70E");
  EXPECT_EQ(NthToken("a<>b<>c", "<>", 3), "c");
  EXPECT_EQ(NthToken("a;", ";", 2), "");
}

TEST(Columns, ReadsOnlyInsideTheLine) {
  EXPECT_EQ(Columns("abcdef", 2, 3), "bcd");
  EXPECT_EQ(Columns("abcdef", 5, 10), "ef");
  EXPECT_EQ(Columns("abcdef", 7, 1), "");
  EXPECT_EQ(Columns("abcdef", 0, 3), "");
}

TEST(TextToInt, ReadsSignedDecimalOrZero) {
  EXPECT_EQ(TextToInt("12  "), 12);
  EXPECT_EQ(TextToInt(""), 0);
  EXPECT_EQ(TextToInt("x"), 0);
  EXPECT_EQ(TextToInt("-007"), -7);
  EXPECT_EQ(TextToInt("+5"), 5);
  EXPECT_EQ(TextToInt("1 2"), 0);
  EXPECT_EQ(TextToInt("-"), 0);
  EXPECT_EQ(TextToInt("2147483647"), 2147483647);
  EXPECT_EQ(TextToInt("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(TextToInt("2147483648"), 0);
  EXPECT_EQ(TextToInt("99999999999999999999999"), 0);
}

TEST(IntToZeroPadded, KeepsLastDigitsAndPutsTheSignFirst) {
  struct Case {
    int64_t value;
    int width;
    const char *expected;
  };
  const Case cases[] = {
      {7, 3, "007"},   {-7, 3, "-07"}, {1234, 3, "234"}, {0, 4, "0000"},
      {-123, 3, "-23"}, {5, 0, ""},    {-5, 1, "-"},     {2147483647, 4, "3647"},
  };
  for (const Case &c : cases)
    EXPECT_EQ(IntToZeroPadded(c.value, c.width), c.expected) << c.value << "," << c.width;
  EXPECT_EQ(IntToZeroPadded(7, 100), std::string(30, '0') + "7");
  EXPECT_EQ(IntToZeroPadded(-7, 100), "-" + std::string(29, '0') + "7");
}

TEST(IntToSignedPadded, AlwaysStartsWithTheSign) {
  EXPECT_EQ(IntToSignedPadded(7, 3), "+07");
  EXPECT_EQ(IntToSignedPadded(0, 2), "+0");
  EXPECT_EQ(IntToSignedPadded(-7, 3), "-07");
  EXPECT_EQ(IntToSignedPadded(12345, 3), "+45");
}

TEST(TextToFloat, AcceptsCommaAndPointAndNeverFails) {
  struct Case {
    const char *text;
    double expected;
  };
  const Case cases[] = {
      {" 1 234,5", 1234.5}, {"abc", 0}, {"1.25", 1.25}, {"1,25", 1.25}, {"  1,5", 1.5},
      {"1.5 ", 1.5},        {"", 0},    {"-0,5", -0.5}, {"+2", 2},      {"1,2,3", 0},
      {"1.2.3", 0},         {"1,2.3", 0}, {"inf", 0},   {"nan", 0},     {"1e3", 1000},
      {"-", 0},             {".5", 0.5}, {"0x10", 0},
  };
  for (const Case &c : cases)
    EXPECT_DOUBLE_EQ(TextToFloat(c.text), c.expected) << '"' << c.text << '"';
}

TEST(FloatToFixed, FormatsWithPointAndOptionalPlus) {
  EXPECT_EQ(FloatToFixed(0.000000000001, 2, true, true), "");
  EXPECT_EQ(FloatToFixed(1.5, 2, true, false), "+1.50");
  EXPECT_EQ(FloatToFixed(-1.5, 2, true, false), "-1.50");
  EXPECT_EQ(FloatToFixed(0, 2, true, false), "0.00");
  EXPECT_EQ(FloatToFixed(0, 2, false, true), "");
  EXPECT_EQ(FloatToFixed(1234567.891, 2, false, false), "1234567.89");
  EXPECT_EQ(FloatToFixed(12.0, 0, false, false), "12");
  EXPECT_EQ(FloatToFixed(0.05, 1, false, false), "0.0");
  EXPECT_EQ(FloatToFixed(-0.001, 2, false, false), "0.00");
  EXPECT_EQ(FloatToFixed(9.999, 2, false, false), "10.00");
}

TEST(FloatToFixed, RoundsHalvesToEven) {
  // The halves are judged on the value's 15 significant digits, so 2.675
  // (stored as 2.67499999...) still counts as a half.
  struct Case {
    double value;
    int decimals;
    const char *expected;
  };
  const Case cases[] = {
      {0.125, 2, "0.12"}, {0.375, 2, "0.38"}, {2.5, 0, "2"},     {3.5, 0, "4"},
      {-2.5, 0, "-2"},    {2.675, 2, "2.68"}, {2.665, 2, "2.66"}, {1.0005, 3, "1.000"},
      {0.5, 0, "0"},      {1.5, 0, "2"},      {0.1251, 2, "0.13"},
  };
  for (const Case &c : cases)
    EXPECT_EQ(FloatToFixed(c.value, c.decimals, false, false), c.expected) << c.value;
}

TEST(RoundHalfEven, GoesToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.51), 3);
  EXPECT_EQ(RoundHalfEven(1e300), INT64_MAX);
}

TEST(FloatToDotText, GivesShortestFifteenDigitForm) {
  EXPECT_EQ(FloatToDotText(1.5), "1.5");
  EXPECT_EQ(FloatToDotText(100), "100");
  EXPECT_EQ(FloatToDotText(0), "0");
  EXPECT_EQ(FloatToDotText(-0.25), "-0.25");
  EXPECT_EQ(FloatToDotText(0.1 + 0.2), "0.3");
  EXPECT_EQ(FloatToDotText(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(FloatToDotText(0.00001), "0.00001");
  EXPECT_EQ(FloatToDotText(0.0000015), "1.5E-6");
  EXPECT_EQ(FloatToDotText(1e20), "1E20");
  EXPECT_EQ(FloatToDotText(123456789012345.0), "123456789012345");
}

TEST(Flags, OnlyALeadingOneIsTrue) {
  EXPECT_TRUE(TextToBool("1"));
  EXPECT_TRUE(TextToBool("10"));
  EXPECT_FALSE(TextToBool("2"));
  EXPECT_FALSE(TextToBool(""));
  EXPECT_FALSE(TextToBool(" 1"));
  EXPECT_EQ(BoolToDigit(true), "1");
  EXPECT_EQ(BoolToDigit(false), "0");
  EXPECT_EQ(ChooseText(true, "Ja", "Nein"), "Ja");
  EXPECT_EQ(ChooseText(false, "Ja", "Nein"), "Nein");
}

} // namespace
} // namespace sf6
