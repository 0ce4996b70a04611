// LensRange.Dat: one delivery range of a lens per line.

#include "sf6/Sf6FieldTable.h"
#include "sf6/Sf6FileSet.h"
#include "sf6/Sf6Procs.h"

namespace sf6 {
namespace {

using namespace detail;
using R = TSf6DataLensRange;

const Sf6Field<R> kFields[] = {
    lensCode(textField(1, "Hst-Code Grundglas", 1, 6, &R::Code)),
    diameterField(2, "Durchmeser", 7, 5, &R::Diameter),
    diameterEField(3, "Elliptisch", 11, &R::Diameter),
    scaledField(4, "Sph von", 12, 5, &R::SphFrom, kSigned100Plus),
    scaledField(5, "Sph bis", 17, 5, &R::SphTo, kSigned100Plus),
    scaledField(6, "Zyl von", 22, 4, &R::CylFrom, kDiv100),
    scaledField(7, "Zyl bis", 26, 4, &R::CylTo, kDiv100),
    intField(8, "Zyl-Wirk. von", 30, 3, &R::CylPowerFrom),
    intField(9, "Zyl-Wirk. bis", 33, 3, &R::CylPowerTo),
    scaledField(10, "Prisma bis", 36, 4, &R::PrismTo, kDiv100),
    scaledField(11, "von Add", 40, 4, &R::AddFrom, kDiv100),
    scaledField(12, "bis Add", 44, 4, &R::AddTo, kDiv100),
    enumField<&R::AddStep>(13, "Add Stufe", 48),
    optionCode(textField(14, "Schicht 1", 49, 6, &R::Coating1, Sf6Trim::Both)),
    optionCode(textField(15, "Schicht 2", 55, 6, &R::Coating2, Sf6Trim::Both)),
    optionCode(textField(16, "Schicht 3", 61, 6, &R::Coating3, Sf6Trim::Both)),
    optionCode(textField(17, "Schicht 4", 67, 6, &R::Coating4, Sf6Trim::Both)),
    optionCode(textField(18, "Schicht 5", 73, 6, &R::Coating5, Sf6Trim::Both)),
    flagField(19, "Schicht im Glaspreis", 79, &R::CoatingInLensPrice),
    dateField(20, "Lieferbar ab", 80, &R::ValidFrom),
    dateField(21, "Lieferbar bis", 88, &R::ValidUntil),
    flagField(22, "Lagerglas", 96, &R::StockLens),
    intField(23, "Lieferzeit", 97, 3, &R::DeliveryTime),
    flagField(24, "Erw. Lieferbereich", 100, &R::ExtendedRange),
    flagField(25, "Bonusf\xE4hig", 101, &R::BonusEligible),
    flagField(26, "DF\xDC-Rabatt", 102, &R::EdiDiscount),
    flagField(27, "Onlinebestellung", 103, &R::OnlineOrder),
    intField(28, "Lieferbereichsindex", 104, 3, &R::RangeIndex),
};

const Sf6Table<R> kTable{kFields};

std::string rebuild(std::string_view line) {
  return BuildLensRangeLine(ParseLensRangeLine(line));
}

} // namespace

TSf6DataLensRange ParseLensRangeLine(std::string_view line) {
  return parseLine(kTable, line);
}
std::string BuildLensRangeLine(const TSf6DataLensRange &record) {
  return buildLine(kTable, record);
}
std::string LensRangeFieldCaption(int fieldNumber) {
  return fieldCaption(kTable, fieldNumber);
}
std::string LensRangeFieldText(int fieldNumber, const TSf6DataLensRange &record) {
  return fieldText(kTable, fieldNumber, record);
}

const Sf6Layout &LensRangeLayout() {
  static const Sf6Layout layout = makeLayout<R, kTable, ParseLensRangeLine, LensRangeFieldText>(
      Sf6EntryName(Sf6Entry::LensRange).data(), "TSf6DataLensRange", rebuild);
  return layout;
}

} // namespace sf6
