// Options.Dat: one coating, tint or other option per line.

#include "sf6/Sf6FieldTable.h"
#include "sf6/Sf6FileSet.h"
#include "sf6/Sf6Procs.h"

namespace sf6 {
namespace {

using namespace detail;
using R = TSf6Dataoptions;

const Sf6Field<R> kFields[] = {
    optionCode(textField(1, "Hst-Code Schicht", 1, 6, &R::Code, Sf6Trim::Both)),
    textField(2, "Bezeichnung", 7, 40, &R::Name, Sf6Trim::Both),
    dateField(3, "Lieferbar ab", 47, &R::ValidFrom),
    dateField(4, "Lieferbar bis", 55, &R::ValidUntil),
    enumField<&R::BrandClass>(5, "Standard/Marke", 63),
    materialField(6, "Silikat", 64, &R::Materials, TSf6Material::Silikat),
    materialField(7, "Kunststoff", 65, &R::Materials, TSf6Material::Kunststoff),
    materialField(8, "Polycarbonat", 66, &R::Materials, TSf6Material::Polycarbonat),
    materialField(9, "Trivex", 67, &R::Materials, TSf6Material::Trivex),
    enumField<&R::AntiReflection>(10, "ET", 68),
    enumField<&R::Tint>(11, "Farbe", 69),
    flagField(12, "Phototrop", 70, &R::Photochromic),
    flagField(13, "Hart", 71, &R::Hard),
    flagField(14, "Clean", 72, &R::Clean),
    flagField(15, "UV", 73, &R::Uv),
    flagField(16, "Verspiegelung", 74, &R::Mirror),
    enumField<&R::Edging>(17, "Endrandung", 75),
    enumField<&R::DiameterChange>(18, "abw. Durchmesser", 76),
    enumField<&R::ThicknessChange>(19, "abw. Dicke", 77),
    flagField(20, "abw. Durchbiegung", 78, &R::DeviatingCurve),
    flagField(21, "abw. Addition", 79, &R::DeviatingAddition),
    enumField<&R::FormChange>(22, "abw. Form", 80),
    flagField(23, "Wirkung ausserhalb des Lieferbereiches", 81, &R::PowerOutsideRange),
    flagField(24, "Dezentration", 82, &R::Decentration),
    flagField(25, "prismatischer H\xF6henausgleich", 83, &R::PrismaticHeightBalance),
    flagField(26, "Mattieren", 84, &R::Matting),
    flagField(27, "Beschichtung entfernen", 85, &R::RemoveCoating),
    flagField(28, "Bi-Gl\xE4ser", 86, &R::BiLenses),
    flagField(29, "aussentorisch", 87, &R::OutsideToric),
    flagField(30, "Bonusf\xE4hig", 88, &R::BonusEligible),
    flagField(31, "Versicherung", 89, &R::Insurance),
    enumField<&R::RoadUse>(32, "Einschr\xE4nkung im Strassenverkehr", 90),
    intField(33, "Filterkategorie", 91, 1, &R::FilterCategory),
    scaledField(34, "UV-Kante", 92, 3, &R::UvEdge, kNoScale0),
    scaledField(35, "UVA", 95, 4, &R::Uva, kDiv10),
    scaledField(36, "UVB", 99, 4, &R::Uvb, kDiv10),
    scaledField(37, "Grundglas Sph. von", 103, 5, &R::BaseSphFrom, kSigned100),
    scaledField(38, "Grundglas Sph. bis", 108, 5, &R::BaseSphTo, kSigned100),
    intField(39, "Durchmesser von", 113, 2, &R::DiameterFrom),
    intField(40, "Durchmesser bis", 115, 2, &R::DiameterTo),
    intField(41, "Sortierung", 117, 3, &R::SortOrder),
    textField(42, "Kurzbeschreibung", 120, 15, &R::ShortDescription, Sf6Trim::None),
    intField(43, "Filterkategorie belichtet", 135, 1, &R::FilterCategoryExposed),
    flagField(44, "Onlinebestellung", 136, &R::OnlineOrder),
};

const Sf6Table<R> kTable{kFields};

std::string rebuild(std::string_view line) {
  return BuildOptionsLine(ParseOptionsLine(line));
}

} // namespace

TSf6Dataoptions ParseOptionsLine(std::string_view line) {
  return parseLine(kTable, line);
}
std::string BuildOptionsLine(const TSf6Dataoptions &record) {
  return buildLine(kTable, record);
}
std::string OptionsFieldCaption(int fieldNumber) {
  return fieldCaption(kTable, fieldNumber);
}
std::string OptionsFieldText(int fieldNumber, const TSf6Dataoptions &record) {
  return fieldText(kTable, fieldNumber, record);
}

const Sf6Layout &OptionsLayout() {
  static const Sf6Layout layout = makeLayout<R, kTable, ParseOptionsLine, OptionsFieldText>(
      Sf6EntryName(Sf6Entry::Options).data(), "TSf6Dataoptions", rebuild);
  return layout;
}

} // namespace sf6
