#include "sf4/Sf4Lines.h"

#include "model/Lup6Object.h"

#include <array>
#include <cstdint>
#include <span>
#include <variant>

namespace sf6 {

namespace {

// Digit value 0-9 to catalog ordinal.
using DigitMap = std::array<int8_t, 10>;

constexpr DigitMap kKeep0To3 = {0, 1, 2, 3, 0, 0, 0, 0, 0, 0};
constexpr DigitMap kKeep0To2 = {0, 1, 2, 0, 0, 0, 0, 0, 0, 0};
constexpr DigitMap kZeroElseOne = {0, 1, 1, 1, 1, 1, 1, 1, 1, 1};
constexpr DigitMap kLensMaterial = {1, 2, 2, 1, 1, 1, 1, 1, 1, 1};
// SF4 tint 3 has no SF6 counterpart; 4 to 6 are the graded tints.
constexpr DigitMap kTint = {0, 1, 2, 0, 3, 4, 5, 0, 0, 0};
constexpr DigitMap kAddStep = {2, 0, 1, 2, 2, 2, 2, 2, 2, 2};
constexpr DigitMap kCoatingKind = {1, 2, 2, 1, 1, 1, 1, 1, 1, 1};
constexpr DigitMap kAntiReflection = {0, 0, 1, 0, 0, 2, 0, 0, 3, 0};
constexpr DigitMap kAvailability = {0, 2, 1, 1, 1, 1, 1, 1, 1, 1};
// Only "4" and "5" name a further material; 0 leaves the lens alone.
constexpr DigitMap kNewMaterial = {0, 0, 0, 0, 3, 4, 0, 0, 0, 0};

enum class Kind : uint8_t { Text, Integer, Digit, Flag, Hundredths, Thousandths };

template <class R>
using Target = std::variant<std::string R::*, int R::*, double R::*, bool R::*>;

template <class R> struct Field {
  int first; // 1-based column
  int width;
  Kind kind;
  Target<R> target;
  const DigitMap *map = nullptr; // Digit: null keeps the digit itself
};

// The one engine behind every SF4 line reader.
template <class R> R readFields(std::string_view line, std::span<const Field<R>> fields) {
  R record;
  for (const Field<R> &field : fields) {
    const std::string_view text = Columns(line, field.first, field.width);
    switch (field.kind) {
    case Kind::Text:
      record.*std::get<std::string R::*>(field.target) = RightTrim(text);
      break;
    case Kind::Integer:
      record.*std::get<int R::*>(field.target) = TextToInt(text);
      break;
    case Kind::Digit: {
      const int32_t digit = TextToInt(text);
      const int value = (digit >= 0 && digit <= 9) ? digit : 0;
      record.*std::get<int R::*>(field.target) = field.map ? (*field.map)[value] : value;
      break;
    }
    case Kind::Flag:
      record.*std::get<bool R::*>(field.target) = TextToBool(text);
      break;
    case Kind::Hundredths:
      record.*std::get<double R::*>(field.target) = TextToFloat(text) / 100.0;
      break;
    case Kind::Thousandths:
      record.*std::get<double R::*>(field.target) = TextToFloat(text) / 1000.0;
      break;
    }
  }
  return record;
}

using H = Sf4HeadLine;
const Field<H> kHeadFields[] = {
    {3, 2, Kind::Integer, &H::day},     {5, 2, Kind::Integer, &H::month},
    {7, 2, Kind::Integer, &H::year},    {9, 3, Kind::Text, &H::LAND},
    {12, 3, Kind::Text, &H::EDV},       {15, 30, Kind::Text, &H::Name},
    {45, 1, Kind::Integer, &H::ZB},     {46, 1, Kind::Integer, &H::ZG1},
    {47, 1, Kind::Integer, &H::ZG2},    {48, 2, Kind::Integer, &H::PG1},
    {50, 2, Kind::Integer, &H::PG2},    {52, 2, Kind::Integer, &H::PG3},
    {54, 2, Kind::Integer, &H::PG4},    {56, 2, Kind::Integer, &H::PG5},
};

using L = Sf4LensLine;
const Field<L> kLensFields[] = {
    {1, 6, Kind::Text, &L::EDV},
    {7, 25, Kind::Text, &L::B1},
    {32, 1, Kind::Digit, &L::EM, &kKeep0To3},
    {34, 1, Kind::Digit, &L::ME, &kZeroElseOne},
    {35, 1, Kind::Digit, &L::MAT, &kLensMaterial},
    {36, 4, Kind::Thousandths, &L::BR},
    {40, 3, Kind::Hundredths, &L::DI},
    {43, 1, Kind::Flag, &L::AS},
    {44, 1, Kind::Flag, &L::ST},
    {45, 1, Kind::Digit, &L::FA, &kTint},
    {46, 1, Kind::Digit, &L::NTT, &kKeep0To3},
    {47, 5, Kind::Hundredths, &L::VAFB},
    {52, 5, Kind::Hundredths, &L::HAFB},
    {67, 4, Kind::Hundredths, &L::URN},
    {71, 4, Kind::Hundredths, &L::ORN},
    {79, 4, Kind::Hundredths, &L::HN},
    {83, 4, Kind::Hundredths, &L::HZ},
};

using N = Sf4NewMaterialLine;
const Field<N> kNewMaterialFields[] = {
    {1, 6, Kind::Text, &N::lensCode},
    {7, 1, Kind::Digit, &N::MAT, &kNewMaterial},
};

using W = Sf4PowerRangeLine;
const Field<W> kPowerRangeFields[] = {
    {1, 6, Kind::Text, &W::lensCode},      {7, 2, Kind::Integer, &W::diameter1},
    {9, 2, Kind::Integer, &W::diameter2},  {13, 3, Kind::Hundredths, &W::cylBoundA},
    {16, 3, Kind::Hundredths, &W::cylBoundB}, {19, 5, Kind::Hundredths, &W::SphV},
    {24, 5, Kind::Hundredths, &W::SphB},   {29, 4, Kind::Hundredths, &W::PV},
    {33, 3, Kind::Hundredths, &W::addBoundA}, {36, 3, Kind::Hundredths, &W::addBoundB},
    {39, 1, Kind::Digit, &W::AddS, &kAddStep},
};

using P = Sf4LensPriceLine;
const Field<P> kLensPriceFields[] = {
    {1, 6, Kind::Text, &P::lensCode},     {7, 2, Kind::Integer, &P::diameter1},
    {9, 2, Kind::Integer, &P::diameter2}, {11, 2, Kind::Integer, &P::GSph},
    {13, 2, Kind::Integer, &P::GCyl},     {17, 7, Kind::Hundredths, &P::price1},
    {24, 7, Kind::Hundredths, &P::price2},
};

using B = Sf4CoatingLine;
const Field<B> kCoatingFields[] = {
    {1, 6, Kind::Text, &B::code},
    {7, 25, Kind::Text, &B::B1},
    {32, 1, Kind::Digit, &B::kind, &kCoatingKind},
    {33, 1, Kind::Digit, &B::ET, &kAntiReflection},
    {34, 1, Kind::Digit, &B::FA, &kTint},
    {35, 1, Kind::Flag, &B::PH},
    {36, 1, Kind::Flag, &B::HA},
    {37, 1, Kind::Flag, &B::CL},
    {38, 1, Kind::Flag, &B::UV},
    {39, 1, Kind::Digit, &B::ADU, &kKeep0To3},
    {40, 1, Kind::Digit, &B::AD, &kKeep0To2},
    {41, 1, Kind::Flag, &B::ADB},
    {42, 1, Kind::Flag, &B::BTOR},
    {43, 1, Kind::Flag, &B::PRH},
    {45, 1, Kind::Flag, &B::AAD},
};

using R2 = Sf4CoatingRuleLine;
const Field<R2> kCoatingRuleFields[] = {
    {1, 6, Kind::Text, &R2::code},
    {7, 6, Kind::Text, &R2::replacement},
    {13, 1, Kind::Digit, &R2::materialRule},
};

using E = Sf4EllipticLine;
const Field<E> kEllipticFields[] = {
    {1, 6, Kind::Text, &E::lensCode},
    {7, 1, Kind::Digit, &E::rangeSelector},
    {8, 1, Kind::Digit, &E::clamp},
};

using Z = Sf4SurchargeLine;
const Field<Z> kSurchargeFields[] = {
    {1, 6, Kind::Text, &Z::code},
    {7, 7, Kind::Hundredths, &Z::price1},
    {14, 7, Kind::Hundredths, &Z::price2},
};

// The format reads combination lines as if followed by 20 blanks; with
// short fields reading as blanks that changes nothing here.
using K = Sf4CombinationLine;
const Field<K> kCombinationFields[] = {
    {1, 6, Kind::Text, &K::GE},
    {7, 6, Kind::Text, &K::B1E},
    {13, 6, Kind::Text, &K::B2E},
    {19, 1, Kind::Digit, &K::LB, &kAvailability},
};

using F = Sf4ColourLine;
const Field<F> kColourFields[] = {
    {1, 3, Kind::Text, &F::EDV},      {4, 6, Kind::Text, &F::coatingCode},
    {10, 25, Kind::Text, &F::B1},     {35, 2, Kind::Integer, &F::AbO},
    {37, 2, Kind::Integer, &F::AbV},
};

} // namespace

TDateTime sf4HeadDate(int day, int month, int twoDigitYear) {
  if (twoDigitYear < 0)
    return 0;
  const int year = twoDigitYear <= 10 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
  TDateTime date = 0;
  if (!TryEncodeDate(year, month, day, date))
    return 0;
  return date;
}

Sf4HeadLine readSf4HeadLine(std::string_view line) {
  Sf4HeadLine head = readFields<H>(line, kHeadFields);
  head.GA = sf4HeadDate(head.day, head.month, head.year);
  if (SameCode(head.LAND, "D"))
    head.LAND = "DE";
  return head;
}

Sf4LensLine readSf4LensLine(std::string_view line) { return readFields<L>(line, kLensFields); }

Sf4NewMaterialLine readSf4NewMaterialLine(std::string_view line) {
  return readFields<N>(line, kNewMaterialFields);
}

Sf4PowerRangeLine readSf4PowerRangeLine(std::string_view line) {
  return readFields<W>(line, kPowerRangeFields);
}

Sf4LensPriceLine readSf4LensPriceLine(std::string_view line) {
  return readFields<P>(line, kLensPriceFields);
}

Sf4CoatingLine readSf4CoatingLine(std::string_view line) {
  return readFields<B>(line, kCoatingFields);
}

Sf4CoatingRuleLine readSf4CoatingRuleLine(std::string_view line) {
  return readFields<R2>(line, kCoatingRuleFields);
}

Sf4EllipticLine readSf4EllipticLine(std::string_view line) {
  return readFields<E>(line, kEllipticFields);
}

Sf4SurchargeLine readSf4SurchargeLine(std::string_view line) {
  return readFields<Z>(line, kSurchargeFields);
}

Sf4CombinationLine readSf4CombinationLine(std::string_view line) {
  return readFields<K>(line, kCombinationFields);
}

Sf4ColourLine readSf4ColourLine(std::string_view line) {
  return readFields<F>(line, kColourFields);
}

std::string readSf4LineCode(std::string_view line) { return RightTrim(Columns(line, 1, 6)); }

} // namespace sf6
