// Information.Dat: one line of free-text product information per line,
// numbered per product and information type.

#include "sf6/Sf6FieldTable.h"
#include "sf6/Sf6FileSet.h"
#include "sf6/Sf6Procs.h"

namespace sf6 {
namespace {

using namespace detail;
using R = TSf6DataInformation;

constexpr int kTextWidth = 250;

const Sf6Field<R> kFields[] = {
    productTypeField(1, "Produkt-Typ", 1, &R::ProductType),
    productCode(textField(2, "Herstellercode Glas/Besch", 2, 6, &R::Code)),
    enumField<&R::InfoType>(3, "Informationstyp", 8, 2),
    intField(4, "Zeilennummer", 10, 3, &R::LineNumber),
    textField(5, "Informationszeile", 13, kTextWidth, &R::Text),
};

const Sf6Table<R> kTable{kFields};

std::string rebuild(std::string_view line) {
  const R r = ParseInformationLine(line);
  return BuildInformationLine(r.ProductType != 0, r.Code, EnumCode(r.InfoType), r.LineNumber,
                              r.Text);
}

} // namespace

TSf6DataInformation ParseInformationLine(std::string_view line) {
  return parseLine(kTable, line);
}

std::string BuildInformationLine(bool isCoating, std::string_view code, int infoTypeCode,
                                 int lineNumber, std::string_view text) {
  std::string out = isCoating ? "1" : "0";
  out += PadRight(code, 6);
  out += IntToZeroPadded(infoTypeCode, 2);
  out += IntToZeroPadded(lineNumber, 3);
  out += RightTrim(text.substr(0, kTextWidth));
  return out;
}

std::string InformationFieldCaption(int fieldNumber) {
  return fieldCaption(kTable, fieldNumber);
}
std::string InformationFieldText(int fieldNumber, const TSf6DataInformation &record) {
  return fieldText(kTable, fieldNumber, record);
}

const Sf6Layout &InformationLayout() {
  static const Sf6Layout layout = makeLayout<R, kTable, ParseInformationLine, InformationFieldText>(
      Sf6EntryName(Sf6Entry::Information).data(), "TSf6DataInformation", rebuild);
  return layout;
}

} // namespace sf6
