// OrderOptions.Dat: an order field a lens or option needs, and how it must be
// transmitted.

#include "sf6/Sf6FieldTable.h"
#include "sf6/Sf6FileSet.h"
#include "sf6/Sf6Procs.h"

namespace sf6 {
namespace {

using namespace detail;
using R = TSf6DataOrderOptions;

const Sf6Field<R> kFields[] = {
    productTypeField(1, "Produkt-Typ", 1, &R::ProductType),
    productCode(textField(2, "HerstellerCode", 2, 6, &R::Code)),
    enumField<&R::FieldType>(3, "Feldtyp", 8, 4),
    intField(4, "Priorit\xE4t", 12, 1, &R::Priority),
};

// The priority has texts for three values only; others show an empty cell.
bool textHook(const Sf6Field<R> &f, const R &r, std::string &text) {
  if (f.number != 4)
    return false;
  switch (r.Priority) {
  case 1:
    text = "Feld/Wert muss per Tel/Fax \xFC"
           "bertragen werden";
    break;
  case 5:
    text = "Feld/Wert kann per DF\xDC \xFC"
           "bertragen werden";
    break;
  case 6:
    text = "Feld/Wert muss per DF\xDC \xFC"
           "bertragen werden";
    break;
  default:
    text.clear();
  }
  return true;
}

const Sf6Table<R> kTable{kFields, {nullptr, nullptr, textHook}};

std::string rebuild(std::string_view line) {
  const R r = ParseOrderOptionsLine(line);
  return BuildOrderOptionsLine(r.ProductType != 0, r.Code, r.FieldType, r.Priority);
}

} // namespace

TSf6DataOrderOptions ParseOrderOptionsLine(std::string_view line) {
  return parseLine(kTable, line);
}

std::string BuildOrderOptionsLine(bool isCoating, std::string_view code,
                                  TSf6OrderFieldType fieldType, int priority) {
  std::string out = isCoating ? "1" : "0";
  out += PadRight(code, 6);
  out += IntToZeroPadded(EnumCode(fieldType), 4);
  out += IntToZeroPadded(priority, 1);
  return out;
}

std::string OrderOptionsFieldCaption(int fieldNumber) {
  return fieldCaption(kTable, fieldNumber);
}
std::string OrderOptionsFieldText(int fieldNumber, const TSf6DataOrderOptions &record) {
  return fieldText(kTable, fieldNumber, record);
}

const Sf6Layout &OrderOptionsLayout() {
  static const Sf6Layout layout =
      makeLayout<R, kTable, ParseOrderOptionsLine, OrderOptionsFieldText>(
          Sf6EntryName(Sf6Entry::OrderOptions).data(), "TSf6DataOrderOptions", rebuild);
  return layout;
}

} // namespace sf6
