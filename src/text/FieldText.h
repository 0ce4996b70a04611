#pragma once

// The fixed-form text of catalog fields: numbers, flags and dates encoded and
// decoded the same way by every reader and writer. None of these functions
// reports an error, except CompactMinutesToDateTime: a text that cannot be
// converted gives 0 or an empty date. Texts are Windows-1252 bytes; positions
// count from 1. Nothing here depends on the process locale.

#include <cstdint>
#include <string>
#include <string_view>

namespace sf6 {

// A date-time as a day count: day 0 is 30 December 1899, the fraction is the
// time of day. 0 stands for no date.
using TDateTime = double;

inline constexpr double kNearZero = 1e-11;
// Half a second in days: a date-time at or below it counts as no date.
inline constexpr double kEmptyDateThreshold = 1.0 / 172800.0;

// Text shaping ---------------------------------------------------------------

// Removes trailing blanks (character 32) only.
std::string RightTrim(std::string_view text);
// Removes trailing occurrences of ch.
std::string RightTrimChar(std::string_view text, char ch);
// Removes blanks on both sides.
std::string BothTrim(std::string_view text);
// Removes every blank anywhere in the text.
std::string RemoveSpaces(std::string_view text);
// The text followed by up to 250 blanks, cut to width characters: a text
// shorter than width by more than 250 gets exactly 250 blanks.
std::string PadRight(std::string_view text, int width);
// n blanks / n characters "0" (n may exceed 250; n <= 0 gives "").
std::string SpaceString(int n);
std::string ZeroString(int n);
// Removes one trailing "\".
std::string StripTrailingBackslash(std::string_view path);
std::string ChooseText(bool flag, std::string_view whenTrue, std::string_view whenFalse);
// prefix + text, or "" when text is empty.
std::string PrefixIfNotEmpty(std::string_view prefix, std::string_view text);
// The n-th piece (from 1) of text cut at every occurrence of separator; ""
// when there are fewer than n pieces or n < 1.
std::string NthToken(std::string_view text, std::string_view separator, int n);
// Characters from 1-based column `first` for `width` characters: fewer when
// the text is shorter, "" when it ends before `first`.
std::string_view Columns(std::string_view text, int first, int width);

// Integers -----------------------------------------------------------------

// RightTrim, then decimal with an optional sign; empty, non-numeric or
// out-of-range text gives 0.
int32_t TextToInt(std::string_view text);
// The digits of |value| behind 30 "0", of which the last width characters are
// taken (all of them when width is larger); for a negative value the first
// character is replaced by "-". (7,3) "007", (-7,3) "-07", (1234,3) "234".
std::string IntToZeroPadded(int64_t value, int width);
// Like IntToZeroPadded with the first character always the sign: (7,3) "+07".
std::string IntToSignedPadded(int64_t value, int width);
std::string IntToText(int64_t value);

// Floats -------------------------------------------------------------------

// RemoveSpaces, then "," and "." both read as the decimal point; anything
// that still fails to convert gives 0.
double TextToFloat(std::string_view text);
// Fixed point with exactly `decimals` digits after a "."; halves round to
// even. emptyIfZero: "" for a near-zero value. withPlus: "+" before a value
// that is not near zero and does not begin with "-".
std::string FloatToFixed(double value, int decimals, bool withPlus, bool emptyIfZero);
// General format, 15 significant digits, shortest form, "." as the point.
std::string FloatToDotText(double value);
bool IsNearZero(double value);
// Nearest integer, a value exactly halfway going to the even neighbour.
int64_t RoundHalfEven(double value);

// Flags --------------------------------------------------------------------

// True exactly when the first character is "1".
bool TextToBool(std::string_view text);
// "1" or "0".
std::string BoolToDigit(bool flag);

// Dates --------------------------------------------------------------------

// Day count of a calendar date; false when the date is invalid (years 1..9999).
bool TryEncodeDate(int year, int month, int day, TDateTime &out);
// Fraction of a day; false when the time is invalid.
bool TryEncodeTime(int hour, int minute, int second, int millisecond, double &out);
struct DateTimeParts {
  int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0, millisecond = 0;
};
DateTimeParts DecodeDateTime(TDateTime value);

// "yyyymmdd"; with emptyIfZero a value at or below half a second gives "".
std::string DateToCompact(TDateTime value, bool emptyIfZero);
// "yyyymmddhhnn" / "yyyymmddhhnnss", 24-hour clock.
std::string DateTimeToCompactMinutes(TDateTime value, bool emptyIfZero = false);
std::string DateTimeToCompactSeconds(TDateTime value, bool emptyIfZero = false);
// Reads positions 1-4 year, 5-6 month, 7-8 day, 9-10 hour, 11-12 minute,
// 13-14 second; an invalid date gives date 0, an invalid time adds nothing.
TDateTime CompactToDateTime(std::string_view text);
// Reads "yyyymmddhhnn"; an invalid date or time throws ConversionError.
TDateTime CompactMinutesToDateTime(std::string_view text);

// The date in the process-wide short date format, "" below 1.0.
std::string DateToLocaleText(TDateTime value);
// The short date format in Windows notation ("dd.MM.yyyy", "M/d/yyyy", ...):
// d, dd, M, MM, yy, yyyy; other characters stand as they are. The default is
// "dd.MM.yyyy"; the viewer sets it from the user's locale at start-up.
void SetShortDateFormat(std::string format);
const std::string &ShortDateFormat();

} // namespace sf6
