// ProductGroup.Dat: the product group name of a lens or option. Read only.

#include "sf6/Sf6FieldTable.h"
#include "sf6/Sf6FileSet.h"
#include "sf6/Sf6Procs.h"

namespace sf6 {
namespace {

using namespace detail;
using R = TSf6DataProductgroup;

const Sf6Field<R> kFields[] = {
    productTypeField(1, "Produkt-Typ", 1, &R::ProductType),
    productCode(textField(2, "HerstellerCode", 2, 6, &R::Code)),
    textField(3, "Produktgruppenname", 8, 30, &R::GroupName),
};

const Sf6Table<R> kTable{kFields};

} // namespace

TSf6DataProductgroup ParseProductGroupLine(std::string_view line) {
  return parseLine(kTable, line);
}
std::string ProductGroupFieldCaption(int fieldNumber) {
  return fieldCaption(kTable, fieldNumber);
}
std::string ProductGroupFieldText(int fieldNumber, const TSf6DataProductgroup &record) {
  return fieldText(kTable, fieldNumber, record);
}

const Sf6Layout &ProductGroupLayout() {
  static const Sf6Layout layout =
      makeLayout<R, kTable, ParseProductGroupLine, ProductGroupFieldText>(
          Sf6EntryName(Sf6Entry::ProductGroup).data(), "TSf6DataProductgroup", nullptr);
  return layout;
}

} // namespace sf6
