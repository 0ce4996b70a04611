// Combination.Dat: whether a lens with up to three options can be delivered.

#include "sf6/Sf6FieldTable.h"
#include "sf6/Sf6FileSet.h"
#include "sf6/Sf6Procs.h"

namespace sf6 {
namespace {

using namespace detail;
using R = TSf6DataCombination;

const Sf6Field<R> kFields[] = {
    lensCode(textField(1, "Hst-Code Grundglas", 1, 6, &R::LensCode)),
    enumField<&R::Availability>(2, "Lieferbarkeit", 7),
    optionCode(textField(3, "Schicht 1", 8, 6, &R::Coating1)),
    optionCode(textField(4, "Schicht 2", 14, 6, &R::Coating2)),
    optionCode(textField(5, "Schicht 3", 20, 6, &R::Coating3)),
};

const Sf6Table<R> kTable{kFields};

std::string rebuild(std::string_view line) {
  return BuildCombinationLine(ParseCombinationLine(line));
}

} // namespace

TSf6DataCombination ParseCombinationLine(std::string_view line) {
  return parseLine(kTable, line);
}
std::string BuildCombinationLine(const TSf6DataCombination &record) {
  return buildLine(kTable, record);
}
std::string CombinationFieldCaption(int fieldNumber) {
  return fieldCaption(kTable, fieldNumber);
}
std::string CombinationFieldText(int fieldNumber, const TSf6DataCombination &record) {
  return fieldText(kTable, fieldNumber, record);
}

const Sf6Layout &CombinationLayout() {
  static const Sf6Layout layout = makeLayout<R, kTable, ParseCombinationLine, CombinationFieldText>(
      Sf6EntryName(Sf6Entry::Combination).data(), "TSf6DataCombination", rebuild);
  return layout;
}

} // namespace sf6
