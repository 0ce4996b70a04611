#include "text/Errors.h"
#include "text/FieldText.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

TDateTime date(int y, int m, int d) {
  TDateTime value = 0;
  EXPECT_TRUE(TryEncodeDate(y, m, d, value));
  return value;
}

// Day counts computed independently (Python's datetime.date ordinals).
TEST(DayCount, AgreesWithTheCalendar) {
  EXPECT_EQ(date(1899, 12, 30), 0);
  EXPECT_EQ(date(1900, 3, 1), 61);
  EXPECT_EQ(date(2003, 4, 15), 37726);
  EXPECT_EQ(date(9999, 12, 31), 2958465);
  EXPECT_EQ(date(1, 1, 1), -693593);
  EXPECT_EQ(date(2000, 2, 29), 36585);
  TDateTime out = 0;
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, out));
  EXPECT_FALSE(TryEncodeDate(2003, 13, 1, out));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, out));
  EXPECT_FALSE(TryEncodeDate(10000, 1, 1, out));
}

TEST(DayCount, DecodesBackToTheSameDateAndTime) {
  for (int y : {1, 1600, 1899, 1900, 1999, 2000, 2024, 9999})
    for (int m : {1, 2, 12}) {
      // Before day 0 the time of day counts away from zero too.
      const TDateTime d = date(y, m, 28);
      const DateTimeParts p = DecodeDateTime(d >= 0 ? d + 0.75 : d - 0.75);
      EXPECT_EQ(p.year, y);
      EXPECT_EQ(p.month, m);
      EXPECT_EQ(p.day, 28);
      EXPECT_EQ(p.hour, 18);
    }
}

TEST(CompactDates, WriteAllThreeForms) {
  const TDateTime t = date(2003, 4, 15) + (13 * 60 + 7) / 1440.0 + 9 / 86400.0;
  EXPECT_EQ(DateToCompact(t, false), "20030415");
  EXPECT_EQ(DateTimeToCompactMinutes(t), "200304151307");
  EXPECT_EQ(DateTimeToCompactSeconds(t), "20030415130709");
  EXPECT_EQ(DateToCompact(0, true), "");
  EXPECT_EQ(DateToCompact(kEmptyDateThreshold, true), "");
  EXPECT_EQ(DateToCompact(0, false), "18991230");
  EXPECT_EQ(DateToCompact(1.0 / 86400.0, true), "18991230");
}

TEST(CompactToDateTime, AbsorbsInvalidParts) {
  EXPECT_EQ(CompactToDateTime("20031315"), 0);
  EXPECT_EQ(CompactToDateTime("200304152599"), date(2003, 4, 15));
  EXPECT_EQ(CompactToDateTime("20030415"), date(2003, 4, 15));
  EXPECT_EQ(CompactToDateTime(""), 0);
  EXPECT_EQ(CompactToDateTime("        "), 0);
  EXPECT_EQ(CompactToDateTime("00000000"), 0);
  EXPECT_DOUBLE_EQ(CompactToDateTime("20030415120000"), date(2003, 4, 15) + 0.5);
  // An invalid date keeps a valid time.
  EXPECT_DOUBLE_EQ(CompactToDateTime("000000001200"), 0.5);
}

TEST(CompactMinutesToDateTime, RaisesOnInvalidParts) {
  EXPECT_DOUBLE_EQ(CompactMinutesToDateTime("200304151800"), date(2003, 4, 15) + 0.75);
  EXPECT_THROW(CompactMinutesToDateTime("200313151800"), ConversionError);
  EXPECT_THROW(CompactMinutesToDateTime("200304152500"), ConversionError);
  EXPECT_THROW(CompactMinutesToDateTime(""), ConversionError);
}

TEST(DateToLocaleText, FollowsTheShortDateFormat) {
  const std::string saved = ShortDateFormat();
  EXPECT_EQ(DateToLocaleText(date(2003, 4, 5)), "05.04.2003");
  EXPECT_EQ(DateToLocaleText(0.99), "");
  SetShortDateFormat("M/d/yy");
  EXPECT_EQ(DateToLocaleText(date(2003, 4, 5)), "4/5/03");
  SetShortDateFormat("yyyy-MM-dd");
  EXPECT_EQ(DateToLocaleText(date(2003, 12, 25) + 0.9), "2003-12-25");
  SetShortDateFormat(saved);
}

} // namespace
} // namespace sf6
