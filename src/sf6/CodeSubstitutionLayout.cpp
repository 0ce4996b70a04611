// CodeSubstitution.Dat: an old product code replaced by, or proposing, up to
// three new ones. Read only.

#include "sf6/Sf6FieldTable.h"
#include "sf6/Sf6FileSet.h"
#include "sf6/Sf6Procs.h"

namespace sf6 {
namespace {

using namespace detail;
using R = TSf6DataCodeSubst;

const Sf6Field<R> kFields[] = {
    productTypeField(1, "Produkt-Typ", 1, &R::ProductType),
    productCode(textField(2, "HerstellerCode Alt", 2, 6, &R::OldCode)),
    enumField<&R::Action>(3, "Aktion", 8),
    productCode(textField(4, "HerstellerCode NEU 1", 9, 6, &R::NewCode1)),
    productCode(textField(5, "HerstellerCode NEU 2", 15, 6, &R::NewCode2)),
    productCode(textField(6, "HerstellerCode NEU 3", 21, 6, &R::NewCode3)),
};

const Sf6Table<R> kTable{kFields};

} // namespace

TSf6DataCodeSubst ParseCodeSubstitutionLine(std::string_view line) {
  return parseLine(kTable, line);
}
std::string CodeSubstitutionFieldCaption(int fieldNumber) {
  return fieldCaption(kTable, fieldNumber);
}
std::string CodeSubstitutionFieldText(int fieldNumber, const TSf6DataCodeSubst &record) {
  return fieldText(kTable, fieldNumber, record);
}

const Sf6Layout &CodeSubstitutionLayout() {
  static const Sf6Layout layout =
      makeLayout<R, kTable, ParseCodeSubstitutionLine, CodeSubstitutionFieldText>(
          Sf6EntryName(Sf6Entry::CodeSubstitution).data(), "TSf6DataCodeSubst", nullptr);
  return layout;
}

} // namespace sf6
