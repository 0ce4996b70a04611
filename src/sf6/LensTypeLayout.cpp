// LensType.Dat: one lens product per line.

#include "sf6/Sf6FieldTable.h"
#include "sf6/Sf6FileSet.h"
#include "sf6/Sf6Procs.h"

namespace sf6 {
namespace {

using namespace detail;
using R = TSf6DataLensType;

const Sf6Field<R> kFields[] = {
    lensCode(textField(1, "Hst-Code Grundglas", 1, 6, &R::Code)),
    textField(2, "Bezeichnung", 7, 40, &R::Name),
    dateField(3, "Lieferbar ab", 47, &R::ValidFrom),
    dateField(4, "Lieferbar bis", 55, &R::ValidUntil),
    enumField<&R::LensKind>(5, "Ein/Mehrst.", 63),
    flagField(6, "Ausgleichsglas", 64, &R::BalanceLens),
    intField(7, "Ausgl. Kondition Glas", 65, 3, &R::BalanceConditionLens),
    intField(8, "Ausgl. Kondition Besch", 68, 3, &R::BalanceConditionCoating),
    enumField<&R::BrandClass>(9, "Standard/Marke", 71),
    enumField<&R::Material>(10, "Material", 72),
    scaledField(11, "Brechungsindex", 73, 5, &R::RefractiveIndex, kDiv10000),
    scaledField(12, "Dichte", 78, 3, &R::Density, kDiv100),
    scaledField(13, "Abbezahl", 81, 4, &R::AbbeNumber, kDiv100),
    flagField(14, "Asph\xE4risch", 85, &R::Aspheric),
    flagField(15, "LentiGlas", 86, &R::Lenticular),
    enumField<&R::AntiReflection>(16, "ET", 87),
    enumField<&R::Tint>(17, "Farbe", 88),
    flagField(18, "Phototrop", 89, &R::Photochromic),
    flagField(19, "Hart", 90, &R::Hard),
    flagField(20, "Clean", 91, &R::Clean),
    flagField(21, "UV", 92, &R::Uv),
    flagField(22, "Verspiegelung", 93, &R::Mirror),
    flagField(23, "MDM", 94, &R::Mdm),
    enumField<&R::SmallDiameter>(24, "kl.Durchmesser", 95),
    flagField(25, "Abw. Dicke", 96, &R::DeviatingThickness),
    flagField(26, "Versicherung inkl.", 97, &R::InsuranceIncluded),
    flagField(27, "Prisma inkl.", 98, &R::PrismIncluded),
    intField(28, "Filterkategorie", 99, 1, &R::FilterCategory),
    enumField<&R::RoadUse>(29,
                           "Einschr\xE4nkung im Stra\xDF"
                           "enverkehr",
                           100),
    scaledField(30, "UV-Kante", 101, 3, &R::UvEdge, kNoScale0),
    scaledField(31, "UVA", 104, 4, &R::Uva, kDiv100),
    scaledField(32, "UVB", 108, 4, &R::Uvb, kDiv100),
    flagField(33, "erweiterte Garantie", 112, &R::ExtendedWarranty),
    enumField<&R::SingleLensOrder>(34, "Einzelglasbestellung", 113),
    // Filled by the export from the lens's TS flag; the grid shows no caption.
    flagField(35, "", 114, &R::TS),
    intField(36, "Sortierung", 115, 3, &R::SortOrder),
    textField(37, "Kurzbeschreibung", 118, 15, &R::ShortDescription, Sf6Trim::None),
    intField(38, "kleinster m\xF6glicher Druchmesser", 133, 2, &R::MinDiameter),
    intField(39, "Kleinster Durchmesser Abstufung", 135, 2, &R::DiameterStep),
    // Read from two columns so that a two-digit category is kept, but written
    // in one: the written line is 137 characters.
    intField(40, "Filterkategorie belichtet", 137, 2, &R::FilterCategoryExposed, 1),
};

const Sf6Table<R> kTable{kFields};

std::string rebuild(std::string_view line) {
  return BuildLensTypeLine(ParseLensTypeLine(line));
}

} // namespace

TSf6DataLensType ParseLensTypeLine(std::string_view line) {
  return parseLine(kTable, line);
}
std::string BuildLensTypeLine(const TSf6DataLensType &record) {
  return buildLine(kTable, record);
}
std::string LensTypeFieldCaption(int fieldNumber) {
  return fieldCaption(kTable, fieldNumber);
}
std::string LensTypeFieldText(int fieldNumber, const TSf6DataLensType &record) {
  return fieldText(kTable, fieldNumber, record);
}

const Sf6Layout &LensTypeLayout() {
  static const Sf6Layout layout = makeLayout<R, kTable, ParseLensTypeLine, LensTypeFieldText>(
      Sf6EntryName(Sf6Entry::LensType).data(), "TSf6DataLensType", rebuild);
  return layout;
}

} // namespace sf6
