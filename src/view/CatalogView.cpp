#include "view/CatalogView.h"

#include "text/FieldText.h"
#include "zip/VXZip.h"

#include <array>

namespace sf6 {

namespace {

const std::array<ViewerPane, 12> kPanes{{
    {"LensType.dat", "FrameLensType", kSf6EntryNames[1].data(), &LensTypeLayout},
    {"LensRange.dat", "FrameLensRange", kSf6EntryNames[2].data(), &LensRangeLayout},
    {"LensGeo.dat", "FrameLensGeo", kSf6EntryNames[3].data(), &LensGeoLayout},
    {"LensPrice.dat", "FrameLensPrice", kSf6EntryNames[4].data(), &LensPriceLayout},
    {"Options.dat", "FrameOptions", kSf6EntryNames[5].data(), &OptionsLayout},
    {"OptionsColor.dat", "FrameOptionsColor", kSf6EntryNames[6].data(), &OptionsColorLayout},
    {"OptionsPrice.dat", "FrameOptionsPrice", kSf6EntryNames[7].data(), &OptionsPriceLayout},
    {"Combination.dat", "FrameCombination", kSf6EntryNames[8].data(), &CombinationLayout},
    {"Information.dat", "Frameinformation", kSf6EntryNames[9].data(), &InformationLayout},
    {"OrderOptions.Dat", "FrameOrderOptions", kSf6EntryNames[10].data(), &OrderOptionsLayout},
    {"ProductGroup.Dat", "FrameProductGroup", kSf6EntryNames[11].data(), &ProductGroupLayout},
    {"CodeSubstitution.Dat", "FrameCodeSubstitution", kSf6EntryNames[12].data(),
     &CodeSubstitutionLayout},
}};

// LensType, LensGeo, LensPrice, Options, OptionsColor, OptionsPrice,
// Combination, LensRange, Information, OrderOptions, ProductGroup, CodeSubstitution.
const std::array<int, 12> kLoadOrder{0, 2, 3, 4, 5, 6, 7, 1, 8, 9, 10, 11};

} // namespace

std::span<const ViewerPane> ViewerPanes() {
  return kPanes;
}
std::span<const int> ViewerLoadOrder() {
  return kLoadOrder;
}

ViewerCatalog LoadViewerCatalog(const std::filesystem::path &path, CatalogLoadOptions options,
                                const ViewerPaneHandover &handover) {
  // The panes are the data files in file-set order: pane i is entry i + 1.
  const int first =
      handover.first >= 0 && handover.first < static_cast<int>(kPanes.size()) ? handover.first : -1;
  std::array<std::size_t, kSf6EntryCount> order{};
  std::size_t next = 0;
  order[next++] = static_cast<std::size_t>(Sf6Entry::Head);
  if (first >= 0)
    order[next++] = static_cast<std::size_t>(first) + 1;
  for (const int pane : kLoadOrder)
    if (pane != first)
      order[next++] = static_cast<std::size_t>(pane) + 1;
  options.order = order;

  ViewerCatalog catalog;
  options.entryRead = [&](CatalogEntry &entry) {
    const int pane = static_cast<int>(entry.id) - 1;
    if (pane < 0 || entry.state != CatalogEntryState::Present || !handover.paneRead)
      return;
    entry.bytes.resize(entry.text().size());
    catalog.handedOver[static_cast<std::size_t>(pane)] = true;
    handover.paneRead(pane, std::move(entry.bytes));
    entry.bytes.clear();
  };
  CatalogArchive archive = LoadCatalogArchive(path, options);

  for (std::size_t index : order) {
    CatalogEntry &entry = archive.entries[index];
    if (entry.state == CatalogEntryState::Missing)
      catalog.missing.emplace_back(entry.name());
    else if (entry.state == CatalogEntryState::Unreadable)
      catalog.unreadable.emplace_back(entry.name());
  }
  catalog.headLines = SplitEntryText(AsView(archive.entry(Sf6Entry::Head).bytes));
  for (std::size_t pane = 0; pane < catalog.paneTexts.size(); ++pane) {
    ByteBuffer &bytes = archive.entries[pane + 1].bytes;
    bytes.resize(archive.entries[pane + 1].text().size());
    catalog.paneTexts[pane] = std::move(bytes);
  }
  return catalog;
}

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

void HeadListColumn(int dataIndex, std::string &caption, int &width, Alignment &) {
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

void FieldGridColumn(int dataIndex, std::string &caption, int &width, Alignment &align) {
  switch (dataIndex) {
  case 1:
    caption = "Feld-Nr.";
    width = 60;
    align = Alignment::Right;
    break;
  case 2:
    caption = "Feldname";
    width = 150;
    break;
  case 3:
    caption = "Feldwert";
    width = 200;
    break;
  default:
    break;
  }
}

std::string FieldGridCell(const Sf6Layout &layout, const Sf6AnyRecord &record, int column, int row,
                          TvxListDataType &type) {
  const int number = row + 1;
  switch (column) {
  case 0:
    type = kListNumber;
    return IntToText(number);
  case 1:
    return layout.caption(number);
  case 2:
    return layout.text(number, record);
  default:
    return {};
  }
}

} // namespace sf6
