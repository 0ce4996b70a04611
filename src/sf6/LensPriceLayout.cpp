// LensPrice.Dat: up to five prices of a lens for one diameter, sphere group
// and cylinder group per line.

#include "sf6/Sf6FieldTable.h"
#include "sf6/Sf6FileSet.h"
#include "sf6/Sf6Procs.h"

namespace sf6 {
namespace {

using namespace detail;
using R = TSf6DataLensPrice;

constexpr int kFirstPriceField = 6;
constexpr int kFirstPriceColumn = 18;

const Sf6Field<R> kFields[] = {
    lensCode(textField(1, "Hst-Code Grundglas", 1, 6, &R::Code)),
    // Columns 7-10 only: this file has no "E" marker.
    diameterField(2, "Durchmesser", 7, 4, &R::Diameter),
    intField(3, "Sph-Gruppe", 11, 2, &R::SphGroup),
    intField(4, "Cyl-Gruppe", 13, 2, &R::CylGroup),
    intField(5, "Lieferbereichsindex", 15, 3, &R::RangeIndex),
    scaledField(6, "Preis 1", 18, 7, &R::Price1, kDiv100),
    scaledField(7, "Preis 2", 25, 7, &R::Price2, kDiv100),
    scaledField(8, "Preis 3", 32, 7, &R::Price3, kDiv100),
    scaledField(9, "Preis 4", 39, 7, &R::Price4, kDiv100),
    scaledField(10, "Preis 5", 46, 7, &R::Price5, kDiv100),
};

const Sf6Table<R> kTable{kFields};

std::string rebuild(std::string_view line) {
  return BuildLensPriceLine(ParseLensPriceLine(line), pricesPresentInLine(line, kFirstPriceColumn));
}

} // namespace

TSf6DataLensPrice ParseLensPriceLine(std::string_view line) {
  return parseLine(kTable, line);
}

std::string BuildLensPriceLine(const TSf6DataLensPrice &record, const PricePresence &PricePresent) {
  return buildPriceLine(kTable, record, kFirstPriceField, PricePresent);
}

std::string LensPriceFieldCaption(int fieldNumber) {
  return fieldCaption(kTable, fieldNumber);
}
std::string LensPriceFieldText(int fieldNumber, const TSf6DataLensPrice &record) {
  return fieldText(kTable, fieldNumber, record);
}

const Sf6Layout &LensPriceLayout() {
  static const Sf6Layout layout = makeLayout<R, kTable, ParseLensPriceLine, LensPriceFieldText>(
      Sf6EntryName(Sf6Entry::LensPrice).data(), "TSf6DataLensPrice", rebuild);
  return layout;
}

} // namespace sf6
