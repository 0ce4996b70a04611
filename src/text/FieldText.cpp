#include "text/FieldText.h"

#include "text/Errors.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace sf6 {

// Text shaping ---------------------------------------------------------------

std::string RightTrim(std::string_view text) {
  size_t n = text.size();
  while (n > 0 && text[n - 1] == ' ')
    --n;
  return std::string(text.substr(0, n));
}

std::string RightTrimChar(std::string_view text, char ch) {
  size_t n = text.size();
  while (n > 0 && text[n - 1] == ch)
    --n;
  return std::string(text.substr(0, n));
}

std::string BothTrim(std::string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && text[first] == ' ')
    ++first;
  while (last > first && text[last - 1] == ' ')
    --last;
  return std::string(text.substr(first, last - first));
}

std::string RemoveSpaces(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text)
    if (c != ' ')
      result += c;
  return result;
}

std::string PadRight(std::string_view text, int width) {
  if (width <= 0)
    return {};
  // At most 250 blanks are appended before the cut: a field wider than its
  // text by more than that stays short.
  const size_t w = static_cast<size_t>(width);
  const size_t kept = std::min(text.size(), w);
  const size_t blanks = std::min<size_t>(w - kept, text.size() >= w ? 0 : 250);
  std::string result;
  result.reserve(kept + blanks);
  result.append(text.substr(0, kept));
  result.append(blanks, ' ');
  return result;
}

std::string SpaceString(int n) { return n > 0 ? std::string(static_cast<size_t>(n), ' ') : std::string(); }

std::string ZeroString(int n) { return n > 0 ? std::string(static_cast<size_t>(n), '0') : std::string(); }

std::string StripTrailingBackslash(std::string_view path) {
  if (!path.empty() && path.back() == '\\')
    path.remove_suffix(1);
  return std::string(path);
}

std::string ChooseText(bool flag, std::string_view whenTrue, std::string_view whenFalse) {
  return std::string(flag ? whenTrue : whenFalse);
}

std::string PrefixIfNotEmpty(std::string_view prefix, std::string_view text) {
  if (text.empty())
    return {};
  std::string result(prefix);
  result.append(text);
  return result;
}

std::string NthToken(std::string_view text, std::string_view separator, int n) {
  if (n < 1)
    return {};
  if (separator.empty())
    return n == 1 ? std::string(text) : std::string();
  size_t start = 0;
  for (int piece = 1;; ++piece) {
    const size_t hit = text.find(separator, start);
    if (piece == n)
      return std::string(text.substr(start, hit == std::string_view::npos ? std::string_view::npos : hit - start));
    if (hit == std::string_view::npos)
      return {};
    start = hit + separator.size();
  }
}

std::string_view Columns(std::string_view text, int first, int width) {
  if (first < 1 || width <= 0)
    return {};
  const size_t from = static_cast<size_t>(first - 1);
  if (from >= text.size())
    return {};
  return text.substr(from, static_cast<size_t>(width));
}

// Integers -----------------------------------------------------------------

int32_t TextToInt(std::string_view text) {
  while (!text.empty() && text.back() == ' ')
    text.remove_suffix(1);
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  if (text.empty())
    return 0;
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty())
    return 0;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9')
      return 0;
    value = value * 10 + (c - '0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1)
      return 0;
  }
  if (negative)
    value = -value;
  if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min())
    return 0;
  return static_cast<int32_t>(value);
}

namespace {

// The digits of |value| behind 30 zeros, of which the last `width` are kept.
std::string zeroPaddedMagnitude(int64_t value, int width) {
  char digits[24];
  const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, magnitude);
  (void)ec;
  const size_t digitCount = static_cast<size_t>(end - digits);
  const size_t total = 30 + digitCount;
  const size_t keep = width <= 0 ? 0 : std::min(total, static_cast<size_t>(width));
  std::string result(keep, '0');
  const size_t fromDigits = std::min(keep, digitCount);
  std::memcpy(result.data() + (keep - fromDigits), end - fromDigits, fromDigits);
  return result;
}

} // namespace

std::string IntToZeroPadded(int64_t value, int width) {
  std::string result = zeroPaddedMagnitude(value, width);
  if (value < 0 && !result.empty())
    result[0] = '-';
  return result;
}

std::string IntToSignedPadded(int64_t value, int width) {
  std::string result = zeroPaddedMagnitude(value, width);
  if (!result.empty())
    result[0] = value < 0 ? '-' : '+';
  return result;
}

std::string IntToText(int64_t value) {
  char digits[24];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  (void)ec;
  return std::string(digits, end);
}

// Floats -------------------------------------------------------------------

double TextToFloat(std::string_view text) {
  char buffer[64];
  size_t n = 0;
  bool comma = false;
  bool point = false;
  for (char c : text) {
    if (c == ' ')
      continue;
    if (n >= sizeof buffer)
      return 0;
    // The first "," and the first "." each stand for the decimal point; a
    // second one of either makes the text unreadable.
    if (c == ',' && !comma) {
      comma = true;
      c = '.';
    } else if (c == '.' && !point) {
      point = true;
    } else if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'e' || c == 'E')) {
      return 0;
    }
    buffer[n++] = c;
  }
  if (n == 0)
    return 0;
  const char *first = buffer;
  const char *last = buffer + n;
  bool negative = false;
  if (*first == '+' || *first == '-') {
    negative = *first == '-';
    ++first;
  }
  if (first == last || *first == '+' || *first == '-')
    return 0;
  double value = 0;
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec != std::errc() || ptr != last || !std::isfinite(value))
    return 0;
  return negative ? -value : value;
}

bool IsNearZero(double value) { return std::fabs(value) < kNearZero; }

int64_t RoundHalfEven(double value) {
  if (!std::isfinite(value))
    return 0;
  // nearbyint follows the default rounding mode, which is to nearest with
  // halves to even.
  const double r = std::nearbyint(value);
  if (r >= 9.2e18)
    return std::numeric_limits<int64_t>::max();
  if (r <= -9.2e18)
    return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(r);
}

namespace {

// A value as 15 significant decimal digits: value = 0.d1d2...d15 * 10^exponent.
struct Decimal15 {
  char digits[16] = {};
  int count = 0;       // significant digits kept (trailing zeros removed)
  int exponent = 0;    // position of the decimal point after `exponent` digits
  bool negative = false;
  bool zero = true;
};

Decimal15 toDecimal15(double value) {
  Decimal15 d;
  if (!std::isfinite(value) || value == 0)
    return d;
  char buffer[40];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  (void)ec;
  const char *p = buffer;
  if (*p == '-') {
    d.negative = true;
    ++p;
  }
  // d.dddddddddddddde[+-]XX
  d.digits[d.count++] = *p++;
  if (*p == '.')
    ++p;
  while (p < end && *p != 'e')
    d.digits[d.count++] = *p++;
  int exponent = 0;
  std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exponent);
  d.exponent = exponent + 1;
  while (d.count > 0 && d.digits[d.count - 1] == '0')
    --d.count;
  d.zero = d.count == 0;
  return d;
}

} // namespace

std::string FloatToFixed(double value, int decimals, bool withPlus, bool emptyIfZero) {
  if (emptyIfZero && IsNearZero(value))
    return {};
  if (decimals < 0)
    decimals = 0;
  const Decimal15 d = toDecimal15(value);
  // Digits of the integer part and of the fraction, rounded to `decimals`
  // places on the 15-digit decimal form; an exact half goes to the even side.
  const int intDigits = std::max(d.exponent, 0);
  const int total = intDigits + decimals; // digits kept, counted from the first integer digit
  std::string out;
  out.reserve(static_cast<size_t>(total) + 4);
  // digit(i): the i-th digit from the position 10^(intDigits-1) downwards.
  auto digitAt = [&](int i) -> int {
    const int index = i - (intDigits - d.exponent); // index into d.digits
    if (index < 0 || index >= d.count)
      return 0;
    return d.digits[index] - '0';
  };
  std::string kept(static_cast<size_t>(total), '0');
  for (int i = 0; i < total; ++i)
    kept[static_cast<size_t>(i)] = static_cast<char>('0' + digitAt(i));
  // Decide rounding from the digits after the kept ones.
  const int firstDropped = digitAt(total);
  bool moreAfter = false;
  for (int i = total + 1 - (intDigits - d.exponent); i < d.count; ++i)
    if (i >= 0 && d.digits[i] != '0')
      moreAfter = true;
  const int lastKept = total > 0 ? kept.back() - '0' : 0;
  const bool roundUp = firstDropped > 5 || (firstDropped == 5 && (moreAfter || (lastKept % 2) == 1));
  if (roundUp) {
    int i = total - 1;
    while (i >= 0 && kept[static_cast<size_t>(i)] == '9') {
      kept[static_cast<size_t>(i)] = '0';
      --i;
    }
    if (i >= 0)
      kept[static_cast<size_t>(i)]++;
    else
      kept.insert(kept.begin(), '1');
  }
  const size_t intLength = kept.size() - static_cast<size_t>(decimals);
  const bool allZero = kept.find_first_not_of('0') == std::string::npos;
  if (d.negative && !allZero)
    out += '-';
  if (intLength == 0)
    out += '0';
  else
    out.append(kept, 0, intLength);
  if (decimals > 0) {
    out += '.';
    out.append(kept, intLength, std::string::npos);
  }
  if (withPlus && !IsNearZero(value) && out.front() != '-')
    out.insert(out.begin(), '+');
  return out;
}

std::string FloatToDotText(double value) {
  const Decimal15 d = toDecimal15(value);
  if (d.zero)
    return "0";
  std::string out;
  if (d.negative)
    out += '-';
  const double magnitude = std::fabs(value);
  if (d.exponent <= 15 && magnitude >= 0.00001) {
    if (d.exponent <= 0) {
      out += "0.";
      out.append(static_cast<size_t>(-d.exponent), '0');
      out.append(d.digits, static_cast<size_t>(d.count));
      return out;
    }
    for (int i = 0; i < std::max(d.count, d.exponent); ++i) {
      if (i == d.exponent)
        out += '.';
      out += i < d.count ? d.digits[i] : '0';
    }
    return out;
  }
  out += d.digits[0];
  if (d.count > 1) {
    out += '.';
    out.append(d.digits + 1, static_cast<size_t>(d.count - 1));
  }
  out += 'E';
  out += IntToText(d.exponent - 1);
  return out;
}

// Flags --------------------------------------------------------------------

bool TextToBool(std::string_view text) { return !text.empty() && text.front() == '1'; }

std::string BoolToDigit(bool flag) { return flag ? "1" : "0"; }

// Dates --------------------------------------------------------------------

namespace {

// Days from 0001-01-01 style civil computations (proleptic Gregorian).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromDays(int64_t z, int &year, int &month, int &day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2));
}

// 1899-12-30 in days since 1970-01-01.
constexpr int64_t kEpochOffset = -25569;

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// A date part and a time of day joined as the day count does it: before day
// 0 the time counts away from zero as well.
TDateTime joinDateTime(TDateTime date, double time) { return date >= 0 ? date + time : date - time; }

void appendDigits(std::string &out, int value, int width) {
  char buffer[12];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value < 0 ? -value : value);
  (void)ec;
  for (int pad = width - static_cast<int>(end - buffer); pad > 0; --pad)
    out += '0';
  out.append(buffer, end);
}

std::string compactForm(TDateTime value, bool emptyIfZero, int parts) {
  if (emptyIfZero && value <= kEmptyDateThreshold)
    return {};
  const DateTimeParts p = DecodeDateTime(value);
  std::string out;
  out.reserve(14);
  appendDigits(out, p.year, 4);
  appendDigits(out, p.month, 2);
  appendDigits(out, p.day, 2);
  if (parts >= 5) {
    appendDigits(out, p.hour, 2);
    appendDigits(out, p.minute, 2);
  }
  if (parts >= 6)
    appendDigits(out, p.second, 2);
  return out;
}

int fieldAt(std::string_view text, int first, int width) { return TextToInt(Columns(text, first, width)); }

std::string &shortDateFormatStorage() {
  // The user's short date format is the one process-wide setting of the core.
  static std::string format = "dd.MM.yyyy";
  return format;
}

} // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime &out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
    return false;
  out = static_cast<double>(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                            kEpochOffset);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, double &out) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
      millisecond > 999)
    return false;
  out = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
  return true;
}

DateTimeParts DecodeDateTime(TDateTime value) {
  DateTimeParts p;
  if (!std::isfinite(value) || std::fabs(value) > 3.0e6)
    return p;
  int64_t days = static_cast<int64_t>(value); // toward zero, as the day count does
  int64_t ms = std::llround(std::fabs(value - static_cast<double>(days)) * 86400000.0);
  if (ms >= 86400000) {
    ms -= 86400000;
    days += value < 0 ? -1 : 1;
  }
  civilFromDays(days + kEpochOffset, p.year, p.month, p.day);
  p.hour = static_cast<int>(ms / 3600000);
  p.minute = static_cast<int>(ms / 60000 % 60);
  p.second = static_cast<int>(ms / 1000 % 60);
  p.millisecond = static_cast<int>(ms % 1000);
  return p;
}

std::string DateToCompact(TDateTime value, bool emptyIfZero) { return compactForm(value, emptyIfZero, 3); }

std::string DateTimeToCompactMinutes(TDateTime value, bool emptyIfZero) {
  return compactForm(value, emptyIfZero, 5);
}

std::string DateTimeToCompactSeconds(TDateTime value, bool emptyIfZero) {
  return compactForm(value, emptyIfZero, 6);
}

TDateTime CompactToDateTime(std::string_view text) {
  TDateTime date = 0;
  if (!TryEncodeDate(fieldAt(text, 1, 4), fieldAt(text, 5, 2), fieldAt(text, 7, 2), date))
    date = 0;
  double time = 0;
  if (!TryEncodeTime(fieldAt(text, 9, 2), fieldAt(text, 11, 2), fieldAt(text, 13, 2), 0, time))
    time = 0;
  return joinDateTime(date, time);
}

TDateTime CompactMinutesToDateTime(std::string_view text) {
  TDateTime date = 0;
  double time = 0;
  if (!TryEncodeDate(fieldAt(text, 1, 4), fieldAt(text, 5, 2), fieldAt(text, 7, 2), date))
    throw ConversionError("Invalid argument to date encode");
  if (!TryEncodeTime(fieldAt(text, 9, 2), fieldAt(text, 11, 2), 0, 0, time))
    throw ConversionError("Invalid argument to time encode");
  return joinDateTime(date, time);
}

std::string DateToLocaleText(TDateTime value) {
  if (!(value >= 1.0))
    return {};
  const DateTimeParts p = DecodeDateTime(value);
  const std::string &format = shortDateFormatStorage();
  std::string out;
  out.reserve(format.size() + 2);
  for (size_t i = 0; i < format.size();) {
    const char c = format[i];
    size_t run = 1;
    while (i + run < format.size() && format[i + run] == c)
      ++run;
    if (c == 'd') {
      appendDigits(out, p.day, run >= 2 ? 2 : 1);
    } else if (c == 'M') {
      appendDigits(out, p.month, run >= 2 ? 2 : 1);
    } else if (c == 'y') {
      if (run <= 2)
        appendDigits(out, p.year % 100, 2);
      else
        appendDigits(out, p.year, 4);
    } else {
      out.append(run, c);
    }
    i += run;
  }
  return out;
}

void SetShortDateFormat(std::string format) { shortDateFormatStorage() = std::move(format); }

const std::string &ShortDateFormat() { return shortDateFormatStorage(); }

} // namespace sf6
