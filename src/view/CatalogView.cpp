#include "view/CatalogView.h"

#include "text/FieldText.h"

#include <array>

namespace sf6 {

namespace {

const std::array<ViewerPane, 12> kPanes{{
    {"LensType.dat", "FrameLensType", "LensType.Dat", &LensTypeLayout},
    {"LensRange.dat", "FrameLensRange", "LensRange.Dat", &LensRangeLayout},
    {"LensGeo.dat", "FrameLensGeo", "LensGeo.Dat", &LensGeoLayout},
    {"LensPrice.dat", "FrameLensPrice", "LensPrice.Dat", &LensPriceLayout},
    {"Options.dat", "FrameOptions", "Options.Dat", &OptionsLayout},
    {"OptionsColor.dat", "FrameOptionsColor", "OptionsColor.Dat", &OptionsColorLayout},
    {"OptionsPrice.dat", "FrameOptionsPrice", "OptionsPrice.Dat", &OptionsPriceLayout},
    {"Combination.dat", "FrameCombination", "Combination.Dat", &CombinationLayout},
    {"Information.dat", "Frameinformation", "Information.Dat", &InformationLayout},
    {"OrderOptions.Dat", "FrameOrderOptions", "OrderOptions.Dat", &OrderOptionsLayout},
    {"ProductGroup.Dat", "FrameProductGroup", "ProductGroup.Dat", &ProductGroupLayout},
    {"CodeSubstitution.Dat", "FrameCodeSubstitution", "CodeSubstitution.Dat",
     &CodeSubstitutionLayout},
}};

// LensType, LensGeo, LensPrice, Options, OptionsColor, OptionsPrice,
// Combination, LensRange, Information, OrderOptions, ProductGroup, CodeSubstitution.
const std::array<int, 12> kLoadOrder{0, 2, 3, 4, 5, 6, 7, 1, 8, 9, 10, 11};

} // namespace

std::span<const ViewerPane> ViewerPanes() { return kPanes; }
std::span<const int> ViewerLoadOrder() { return kLoadOrder; }

Sf6AnyRecord ZeroedRecord(const Sf6Layout &layout) {
  if (&layout == &LensTypeLayout())
    return TSf6DataLensType{};
  if (&layout == &LensRangeLayout())
    return TSf6DataLensRange{};
  if (&layout == &LensGeoLayout())
    return TSf6DataLensGeo{};
  if (&layout == &LensPriceLayout())
    return TSf6DataLensPrice{};
  if (&layout == &OptionsLayout())
    return TSf6Dataoptions{};
  if (&layout == &OptionsColorLayout())
    return TSf6DataoptionsColor{};
  if (&layout == &OptionsPriceLayout())
    return TSf6DataoptionsPrice{};
  if (&layout == &CombinationLayout())
    return TSf6DataCombination{};
  if (&layout == &InformationLayout())
    return TSf6DataInformation{};
  if (&layout == &OrderOptionsLayout())
    return TSf6DataOrderOptions{};
  if (&layout == &ProductGroupLayout())
    return TSf6DataProductgroup{};
  if (&layout == &CodeSubstitutionLayout())
    return TSf6DataCodeSubst{};
  return {};
}

void HeadListColumn(int dataIndex, std::string &caption, int &width, TAlignment &) {
  if (dataIndex == 1) {
    caption = "Feldname";
    width = 200;
  } else if (dataIndex == 2) {
    caption = "Feldwert";
    width = 200;
  }
}

std::string HeadListCell(std::string_view line, int column) {
  if (column == 0)
    return RightTrim(Columns(line, 1, 30));
  if (column == 1)
    return RightTrim(Columns(line, 31, 255));
  return {};
}

void FieldGridColumn(int dataIndex, std::string &caption, int &width, TAlignment &align) {
  switch (dataIndex) {
  case 1:
    caption = "Feld-Nr.";
    width = 60;
    align = TAlignment::taRightJustify;
    break;
  case 2:
    caption = "Feldname";
    width = 150;
    break;
  case 3:
    caption = "Feldwert";
    width = 200;
    break;
  default: break;
  }
}

std::string FieldGridCell(const Sf6Layout &layout, const Sf6AnyRecord &record, int column,
                          int row, TvxListDataType &type) {
  const int number = row + 1;
  switch (column) {
  case 0:
    type = kListNumber;
    return IntToText(number);
  case 1: return layout.caption(number);
  case 2: return layout.text(number, record);
  default: return {};
  }
}

} // namespace sf6
