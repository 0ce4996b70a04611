#include "sf6/Sf6Layout.h"

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

std::string flagText(bool value) { return value ? "Ja" : "Nein"; }

} // namespace detail

std::span<const Sf6Layout> Sf6Layouts() {
  static const std::array<Sf6Layout, 12> layouts = {
      LensTypeLayout(),    LensRangeLayout(),    LensGeoLayout(),     LensPriceLayout(),
      OptionsLayout(),     OptionsColorLayout(), OptionsPriceLayout(), CombinationLayout(),
      InformationLayout(), OrderOptionsLayout(), ProductGroupLayout(), CodeSubstitutionLayout(),
  };
  return layouts;
}

namespace {
char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (asciiLower(a[i]) != asciiLower(b[i]))
      return false;
  return true;
}
} // namespace

const Sf6Layout *FindSf6Layout(std::string_view fileName) {
  for (const Sf6Layout &layout : Sf6Layouts())
    if (equalIgnoringCase(layout.fileName, fileName))
      return &layout;
  return nullptr;
}

std::string ViewerLine(std::string_view line) {
  // The viewer pads by at most 250 blanks, so an empty line becomes 250 blanks.
  return PadRight(line, 255);
}

} // namespace sf6
