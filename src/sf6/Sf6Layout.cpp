#include "sf6/Sf6Layout.h"

#include "text/Collation.h"

#include "sf6/Sf6FieldTable.h"

#include <array>
#include <cmath>

namespace sf6 {

namespace detail {

std::string scaledToText(double value, int divisor, int width, bool isSigned) {
  // A value beyond the 64-bit range keeps its sign and loses its leading
  // digits like any other number too wide for its field.
  double scaled = value * divisor;
  if (std::isnan(scaled))
    scaled = 0;
  constexpr double kLimit = 9.0e18;
  if (scaled > kLimit)
    scaled = kLimit;
  if (scaled < -kLimit)
    scaled = -kLimit;
  const int64_t n = RoundHalfEven(scaled);
  return isSigned ? IntToSignedPadded(n, width) : IntToZeroPadded(n, width);
}

std::string flagText(bool value) {
  return value ? "Ja" : "Nein";
}

double scaledFromText(std::string_view text) {
  // Up to 15 digits are an exact double, the value TextToFloat also gives.
  if (text.empty() || text.size() > 15)
    return TextToFloat(text);
  int64_t n = 0;
  for (const char c : text) {
    if (c < '0' || c > '9')
      return TextToFloat(text);
    n = n * 10 + (c - '0');
  }
  return static_cast<double>(n);
}

std::string scaledDisplay(double value, int decimals, bool withPlus) {
  // A value within a tiny fraction of a whole number n of its last decimal
  // has 15-digit decimal form n / 10^decimals, which FloatToFixed prints as
  // the digits of n; anything else (zero, huge, in between) takes the
  // general path.
  static constexpr int64_t kPowers[] = {1, 10, 100, 1000, 10000};
  if (decimals < 0 || decimals > 4 || !(std::fabs(value) < 1e9))
    return FloatToFixed(value, decimals, withPlus, false);
  const double x = value * static_cast<double>(kPowers[decimals]);
  const double rounded = std::nearbyint(x);
  if (rounded == 0 || std::fabs(x - rounded) > 1e-7)
    return FloatToFixed(value, decimals, withPlus, false);
  const int64_t n = static_cast<int64_t>(rounded);
  uint64_t magnitude = static_cast<uint64_t>(n < 0 ? -n : n);
  char digits[32];
  int pos = 32;
  for (int i = 0; i < decimals; ++i) {
    digits[--pos] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  }
  if (decimals > 0)
    digits[--pos] = '.';
  do {
    digits[--pos] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (n < 0)
    digits[--pos] = '-';
  else if (withPlus)
    digits[--pos] = '+';
  return std::string(digits + pos, static_cast<size_t>(32 - pos));
}

} // namespace detail

std::span<const Sf6Layout> Sf6Layouts() {
  static const std::array<Sf6Layout, 12> layouts = {
      LensTypeLayout(),    LensRangeLayout(),    LensGeoLayout(),      LensPriceLayout(),
      OptionsLayout(),     OptionsColorLayout(), OptionsPriceLayout(), CombinationLayout(),
      InformationLayout(), OrderOptionsLayout(), ProductGroupLayout(), CodeSubstitutionLayout(),
  };
  return layouts;
}

const Sf6Layout *FindSf6Layout(std::string_view fileName) {
  for (const Sf6Layout &layout : Sf6Layouts())
    if (EqualsAsciiNoCase(layout.fileName, fileName))
      return &layout;
  return nullptr;
}

std::string ViewerLine(std::string_view line) {
  // The viewer pads by at most 250 blanks, so an empty line becomes 250 blanks.
  return PadRight(line, 255);
}

} // namespace sf6

#include "sf6/Sf6FileSet.h"

namespace sf6 {

const Sf6Layout *Sf6EntryLayout(Sf6Entry entry) {
  if (entry == Sf6Entry::Head)
    return nullptr;
  return &Sf6Layouts()[static_cast<std::size_t>(entry) - 1];
}

} // namespace sf6
