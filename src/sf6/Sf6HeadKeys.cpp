#include "sf6/Sf6HeadKeys.h"

namespace sf6 {

std::span<const Sf6HeadKey> Sf6HeadKeys() {
  using K = Sf6HeadValueKind;
  static constexpr Sf6HeadKey keys[] = {
      {1, "version", K::Text},
      {2, "Software-id", K::Text},
      {3, "comment", K::Text},
      {4, "uid-manufacturer", K::Text},
      {5, "uid-postedit", K::Text},
      {6, "Valid-from", K::Date},
      {7, "Valid-until", K::Date},
      {8, "country", K::Text},
      {9, "language", K::Text},
      {10, "manufacturer-code", K::Text},
      {11, "manufacturer-subcode", K::Text},
      {12, "manufacturer-name", K::Text},
      {13, "street", K::Text},
      {14, "zip-code", K::Text},
      {15, "city", K::Text},
      {16, "po-box-zip-code", K::Text},
      {17, "po-box-text", K::Text},
      {18, "phone", K::Text},
      {19, "fax", K::Text},
      {20, "phone-order", K::Text},
      {21, "fax-order", K::Text},
      {22, "mail", K::Text},
      {23, "Url", K::Text},
      {24, "pricedefinition-cylinder", K::Flag},
      {25, "cylindergroup-base", K::Integer},
      {26, "cylindergroup-1", K::Integer},
      {27, "cylindergroup-2", K::Integer},
      {28, "prismgroup-1", K::Integer},
      {29, "prismgroup-2", K::Integer},
      {30, "prismgroup-3", K::Integer},
      {31, "prismgroup-4", K::Integer},
      {32, "prismgroup-5", K::Integer},
      {33, "currencydescription", K::Text},
      {34, "currencydescription-decimals", K::Text},
      {35, "pricefield-01", K::PriceType},
      {36, "pricefield-02", K::PriceType},
      {37, "pricefield-03", K::PriceType},
      {38, "pricefield-04", K::PriceType},
      {39, "pricefield-05", K::PriceType},
      {40, "pricefield-description-01", K::Text},
      {41, "pricefield-description-02", K::Text},
      {42, "pricefield-description-03", K::Text},
      {43, "pricefield-description-04", K::Text},
      {44, "pricefield-description-05", K::Text},
      {45, "characterset", K::Integer},
  };
  return keys;
}

} // namespace sf6
