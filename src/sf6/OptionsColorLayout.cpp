// OptionsColor.Dat: one colour of a tint option per line.

#include "sf6/Sf6FieldTable.h"
#include "sf6/Sf6FileSet.h"
#include "sf6/Sf6Procs.h"

namespace sf6 {
namespace {

using namespace detail;
using R = TSf6DataoptionsColor;

const Sf6Field<R> kFields[] = {
    textField(1, "Hst-Code Farbe", 1, 3, &R::ColourCode),
    optionCode(textField(2, "Hst-Code Schicht", 4, 6, &R::Code)),
    textField(3, "Bezeichnung", 10, 40, &R::Name),
    intField(4, "Absorption oben", 50, 2, &R::AbsorptionTop),
    intField(5, "Absorption unten", 52, 2, &R::AbsorptionBottom),
    colourField(6, "RGB Wert rot oben", 54, &R::ColourTop, 0),
    colourField(7, "RGB Wert gr\xFCn oben", 57, &R::ColourTop, 1),
    colourField(8, "RGB Wert blau oben", 60, &R::ColourTop, 2),
    colourField(9, "RGB Wert rot mitte", 63, &R::ColourMiddle, 0),
    colourField(10, "RGB Wert gr\xFCn mitte", 66, &R::ColourMiddle, 1),
    colourField(11, "RGB Wert blau mitte", 69, &R::ColourMiddle, 2),
    colourField(12, "RGB Wert rot unten", 72, &R::ColourBottom, 0),
    colourField(13, "RGB Wert gr\xFCn unten", 75, &R::ColourBottom, 1),
    colourField(14, "RGB Wert blau unten", 78, &R::ColourBottom, 2),
    enumField<&R::RoadUse>(15, "Einschr\xE4nkung im Strassenverkehr", 81),
    intField(16, "Filterkategorie", 82, 1, &R::FilterCategory),
    scaledField(17, "UV-Kante", 83, 3, &R::UvEdge, kNoScale2),
    scaledField(18, "UVA", 86, 4, &R::Uva, kDiv10),
    scaledField(19, "UVB", 90, 4, &R::Uvb, kDiv10),
};

const Sf6Table<R> kTable{kFields};

std::string rebuild(std::string_view line) {
  return BuildOptionsColorLine(ParseOptionsColorLine(line));
}

} // namespace

TSf6DataoptionsColor ParseOptionsColorLine(std::string_view line) {
  return parseLine(kTable, line);
}
std::string BuildOptionsColorLine(const TSf6DataoptionsColor &record) {
  return buildLine(kTable, record);
}
std::string OptionsColorFieldCaption(int fieldNumber) {
  return fieldCaption(kTable, fieldNumber);
}
std::string OptionsColorFieldText(int fieldNumber, const TSf6DataoptionsColor &record) {
  return fieldText(kTable, fieldNumber, record);
}

const Sf6Layout &OptionsColorLayout() {
  static const Sf6Layout layout =
      makeLayout<R, kTable, ParseOptionsColorLine, OptionsColorFieldText>(
          Sf6EntryName(Sf6Entry::OptionsColor).data(), "TSf6DataoptionsColor", rebuild);
  return layout;
}

} // namespace sf6
