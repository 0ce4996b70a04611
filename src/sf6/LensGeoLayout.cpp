// LensGeo.Dat: geometry data of a lens per line, for one diameter or for all
// centred or all decentred diameters, with or without a power range.

#include "sf6/Sf6FieldTable.h"
#include "sf6/Sf6FileSet.h"
#include "sf6/Sf6Procs.h"

namespace sf6 {
namespace {

using namespace detail;
using R = TSf6DataLensGeo;

const Sf6Field<R> kFields[] = {
    lensCode(textField(1, "Hst-Code Grundglas", 1, 6, &R::Code)),
    diameterField(2, "Durchmesser", 7, 5, &R::Diameter),
    diameterEField(3, "Elliptisch", 11, &R::Diameter),
    scaledField(4, "Wirkung Hs von", 12, 5, &R::PowerFrom, kSigned100),
    scaledField(5, "Wirkung Hs bis", 17, 5, &R::PowerTo, kSigned100),
    scaledField(6, "\xD8 vert. Halbachse", 22, 4, &R::SemiAxisVertical, kDiv100),
    scaledField(7, "\xD8 hori. Halbachse", 26, 4, &R::SemiAxisHorizontal, kDiv100),
    enumField<&R::SegmentType>(8, "Nahteiltyp", 30),
    scaledField(9, "Vertikaler Abstand Fernbezugspunkt", 31, 5, &R::FarRefVertical, kSigned100),
    scaledField(10, "Horizontaler Abstand Fernbezugspunkt", 36, 5, &R::FarRefHorizontal,
                kSigned100),
    scaledField(11, "Vertikaler Abstand Trennkante", 41, 5, &R::SegmentEdgeVertical, kSigned100),
    scaledField(12, "Horizontaler Abstand Trennkante", 46, 5, &R::SegmentEdgeHorizontal,
                kSigned100),
    scaledField(13, "Vert. Abst. Mittelpunkt Nahteil", 51, 5, &R::SegmentCentreVertical,
                kSigned100),
    scaledField(14, "Unterer Radius des Nahteils", 56, 4, &R::SegmentRadiusLower, kDiv100),
    scaledField(15, "Oberer Radius des Nahteils", 60, 4, &R::SegmentRadiusUpper, kDiv100),
    scaledField(16, "Breite des Nahteils", 64, 4, &R::SegmentWidth, kDiv100),
    scaledField(17, "H\xF6he des Nahteils", 68, 4, &R::SegmentHeight, kDiv100),
    scaledField(18, "H\xF6he des Zwischenteils", 72, 4, &R::IntermediateHeight, kDiv100),
    scaledField(19, "Vertikaler Abstand Zentrierkreuz ferne", 76, 4, &R::FittingCrossVertical,
                kDiv100),
    enumField<&R::ViewDirection>(20, "Blickrichtung", 80),
    scaledField(21, "Max. vert. Abst. Nahbezugspunkt", 81, 4, &R::NearRefVerticalMax, kDiv100),
    scaledField(22, "Min. vert. Abst. Nahbezugspunkt", 85, 4, &R::NearRefVerticalMin, kDiv100),
    scaledField(23, "Max. hori. Abst. Nahbezugspunkt", 89, 4, &R::NearRefHorizontalMax, kDiv100),
    scaledField(24, "Min. hori. Abst. Nahbezugspunkt", 93, 4, &R::NearRefHorizontalMin, kDiv100),
};

// "00" in columns 7-10 stands for all centred diameters, "0000" for all
// decentred ones; then there is no diameter and no semi-axes.
void afterRead(std::string_view line, R &r) {
  const std::string marker = RightTrim(Columns(line, 7, 4));
  r.DiameterMode = marker == "00" ? 1 : marker == "0000" ? 2 : 0;
  if (r.DiameterMode != 0) {
    r.Diameter = {};
    r.SemiAxisVertical = 0;
    r.SemiAxisHorizontal = 0;
  }
  r.NoPowerRange = RightTrim(Columns(line, 12, 10)).empty();
}

bool writeHook(const Sf6Field<R> &f, const R &r, std::string &out) {
  switch (f.number) {
  case 2:
    if (r.DiameterMode == 0)
      return false;
    out += r.DiameterMode == 2 ? "0000 " : "00   ";
    return true;
  case 4:
    if (!r.NoPowerRange)
      return false;
    out.append(10, ' ');
    return true;
  case 5:
    return r.NoPowerRange; // written with field 4
  case 6:
    if (r.DiameterMode == 0)
      return false;
    out.append(8, ' ');
    return true;
  case 7:
    return r.DiameterMode != 0; // written with field 6
  default:
    return false;
  }
}

bool textHook(const Sf6Field<R> &f, const R &r, std::string &text) {
  switch (f.number) {
  case 2:
    if (r.DiameterMode == 0)
      return false;
    text = r.DiameterMode == 2 ? "alle dezentrierten Durchmesser" : "alle zentrischen Durchmesser";
    return true;
  case 4:
  case 5:
    text.clear();
    return r.NoPowerRange;
  case 6:
  case 7:
    text.clear();
    return r.DiameterMode != 0;
  default:
    return false;
  }
}

const Sf6Table<R> kTable{kFields, {afterRead, writeHook, textHook}};

std::string rebuild(std::string_view line) {
  return BuildLensGeoLine(ParseLensGeoLine(line));
}

} // namespace

TSf6DataLensGeo ParseLensGeoLine(std::string_view line) {
  return parseLine(kTable, line);
}
std::string BuildLensGeoLine(const TSf6DataLensGeo &record) {
  return buildLine(kTable, record);
}
std::string LensGeoFieldCaption(int fieldNumber) {
  return fieldCaption(kTable, fieldNumber);
}
std::string LensGeoFieldText(int fieldNumber, const TSf6DataLensGeo &record) {
  return fieldText(kTable, fieldNumber, record);
}

const Sf6Layout &LensGeoLayout() {
  static const Sf6Layout layout = makeLayout<R, kTable, ParseLensGeoLine, LensGeoFieldText>(
      Sf6EntryName(Sf6Entry::LensGeo).data(), "TSf6DataLensGeo", rebuild);
  return layout;
}

} // namespace sf6
