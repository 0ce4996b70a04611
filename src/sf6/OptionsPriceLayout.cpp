// OptionsPrice.Dat: up to five prices of an option per line, for a lens code
// and a combination of sphere/toric, single/multifocal and materials.

#include "sf6/Sf6FieldTable.h"
#include "sf6/Sf6FileSet.h"
#include "sf6/Sf6Procs.h"

namespace sf6 {
namespace {

using namespace detail;
using R = TSf6DataoptionsPrice;

constexpr int kFirstPriceField = 9;
constexpr int kFirstPriceColumn = 19;

const Sf6Field<R> kFields[] = {
    optionCode(textField(1, "Hst-Code Schicht", 1, 6, &R::Code)),
    lensCode(textField(2, "Hst-Code Grundglas", 7, 6, &R::LensCode)),
    enumField<&R::SphTor>(3, "Sph\xE4risch/Torisch", 13),
    enumField<&R::SingleMulti>(4, "Einst\xE4rken/Mehrst\xE4rken", 14),
    materialField(5, "Silikat", 15, &R::Materials, TSf6Material::Silikat),
    materialField(6, "Kunststoff", 16, &R::Materials, TSf6Material::Kunststoff),
    materialField(7, "Polycarbonat", 17, &R::Materials, TSf6Material::Polycarbonat),
    materialField(8, "Trivex", 18, &R::Materials, TSf6Material::Trivex),
    scaledField(9, "Preis 1", 19, 7, &R::Price1, kDiv100),
    scaledField(10, "Preis 2", 26, 7, &R::Price2, kDiv100),
    scaledField(11, "Preis 3", 33, 7, &R::Price3, kDiv100),
    scaledField(12, "Preis 4", 40, 7, &R::Price4, kDiv100),
    scaledField(13, "Preis 5", 47, 7, &R::Price5, kDiv100),
};

const Sf6Table<R> kTable{kFields};

std::string rebuild(std::string_view line) {
  return BuildOptionsPriceLine(ParseOptionsPriceLine(line),
                               pricesPresentInLine(line, kFirstPriceColumn));
}

} // namespace

TSf6DataoptionsPrice ParseOptionsPriceLine(std::string_view line) {
  return parseLine(kTable, line);
}

std::string BuildOptionsPriceLine(const TSf6DataoptionsPrice &record,
                                  const PricePresence &PricePresent) {
  return buildPriceLine(kTable, record, kFirstPriceField, PricePresent);
}

std::string OptionsPriceFieldCaption(int fieldNumber) {
  return fieldCaption(kTable, fieldNumber);
}
std::string OptionsPriceFieldText(int fieldNumber, const TSf6DataoptionsPrice &record) {
  return fieldText(kTable, fieldNumber, record);
}

const Sf6Layout &OptionsPriceLayout() {
  static const Sf6Layout layout =
      makeLayout<R, kTable, ParseOptionsPriceLine, OptionsPriceFieldText>(
          Sf6EntryName(Sf6Entry::OptionsPrice).data(), "TSf6DataoptionsPrice", rebuild);
  return layout;
}

} // namespace sf6
