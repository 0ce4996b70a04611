#include "sf6/Sf6FieldValue.h"

namespace sf6 {

std::string_view Sf6FieldKindName(Sf6FieldKind kind) {
  switch (kind) {
  case Sf6FieldKind::Text:
    return "text";
  case Sf6FieldKind::Integer:
    return "integer";
  case Sf6FieldKind::Scaled:
    return "scaled number";
  case Sf6FieldKind::Flag:
    return "flag";
  case Sf6FieldKind::Date:
    return "date";
  case Sf6FieldKind::Enumeration:
    return "enumeration";
  case Sf6FieldKind::Diameter:
    return "diameter";
  case Sf6FieldKind::DiameterE:
    return "elliptical";
  case Sf6FieldKind::MaterialFlag:
    return "material flag";
  case Sf6FieldKind::Colour:
    return "colour component";
  case Sf6FieldKind::ProductType:
    return "product type";
  }
  return {};
}

Sf6ValueType Sf6ValueTypeOf(Sf6FieldKind kind) {
  switch (kind) {
  case Sf6FieldKind::Text:
  case Sf6FieldKind::Diameter:
    return Sf6ValueType::Text;
  case Sf6FieldKind::Integer:
  case Sf6FieldKind::ProductType:
  case Sf6FieldKind::Colour:
    return Sf6ValueType::Integer;
  case Sf6FieldKind::Scaled:
    return Sf6ValueType::Real;
  case Sf6FieldKind::Flag:
  case Sf6FieldKind::DiameterE:
  case Sf6FieldKind::MaterialFlag:
    return Sf6ValueType::Flag;
  case Sf6FieldKind::Date:
    return Sf6ValueType::Date;
  case Sf6FieldKind::Enumeration:
    return Sf6ValueType::Enumeration;
  }
  return Sf6ValueType::Text;
}

std::string IsoDateText(TDateTime date) {
  const std::string compact = DateToCompact(date, true);
  if (compact.size() != 8)
    return {};
  std::string iso;
  iso.reserve(10);
  iso.append(compact, 0, 4)
      .append(1, '-')
      .append(compact, 4, 2)
      .append(1, '-')
      .append(compact, 6, 2);
  return iso;
}

} // namespace sf6
