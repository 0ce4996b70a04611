#pragma once

// What the viewer's window shows, without a window system: the panes in tab
// order with their archive entries and layouts, the order in which a load
// reads the entries, and the answers of the header list and the field grids.

#include "catalog/CatalogArchive.h"
#include "sf6/Sf6Layout.h"
#include "text/LineList.h"
#include "view/ListGridLogic.h"

#include <array>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sf6 {

struct ViewerPane {
  const char *tabCaption; // "LensType.dat", ...
  const char *frameName;  // "FrameLensType", ...
  const char *entryName;  // the entry read from the archive, "LensType.Dat", ...
  const Sf6Layout &(*layout)();
};

inline constexpr const char *kHeadEntryName = "Head.dat";
inline constexpr const char *kHeadTabCaption = "Head.dat";
inline constexpr const char *kStartTabCaption = "Startseite";

// The twelve file panes in tab order.
std::span<const ViewerPane> ViewerPanes();
// The order in which a load reads the panes' entries (after "Head.dat"), as
// indexes into ViewerPanes().
std::span<const int> ViewerLoadOrder();

// What a load puts into the window: Head.dat's lines, each pane's text (up
// to the first NUL byte, as every text entry ends there) and the entries the
// archive lacks or could not decode, named in the order the load reads them.
struct ViewerCatalog {
  LineList headLines;
  std::array<ByteBuffer, 12> paneTexts;
  std::vector<std::string> missing;
  std::vector<std::string> unreadable;
  // The panes whose texts were handed over while the load read them
  // (ViewerPaneHandover): their paneTexts entries are empty.
  std::array<bool, 12> handedOver{};
};

// Hands the panes' texts over as the load reads them, the tab the user looks
// at first, right after Head.dat: the window shows that tab and prepares the
// others while the rest of the archive is still being read.
struct ViewerPaneHandover {
  int first = -1; // index into ViewerPanes(); -1: the load order only
  // Called on the loading thread for each pane whose entry is present, with
  // its text (up to the first NUL byte). May throw to cancel the load.
  std::function<void(int pane, ByteBuffer text)> paneRead;
};

// Reads the archive in the viewer's load order (Head.dat, handover.first
// when given, then the rest of ViewerLoadOrder()); options.order and
// options.entryRead are ignored. Throws what LoadCatalogArchive throws;
// nothing is half loaded then, but texts handed over may have been shown:
// the caller decides what to show instead.
ViewerCatalog LoadViewerCatalog(const std::filesystem::path &path, CatalogLoadOptions options = {},
                                const ViewerPaneHandover &handover = {});

// A record of the pane's file with every field zeroed: empty texts, 0, false,
// no date, each enumeration at its first ordinal.
Sf6AnyRecord ZeroedRecord(const Sf6Layout &layout);

// The header list: columns "Feldname" and "Feldwert" (dataIndex from 1).
void HeadListColumn(int dataIndex, std::string &caption, int &width, Alignment &align);
// Column 0: characters 1-30 of the line, column 1: characters 31-285, each
// without trailing blanks; "" for other columns.
std::string HeadListCell(std::string_view line, int column);

// The field grids: "Feld-Nr." (a number column), "Feldname", "Feldwert".
void FieldGridColumn(int dataIndex, std::string &caption, int &width, Alignment &align);
// The cell of field row + 1 of record; sets type to number for column 0.
std::string FieldGridCell(const Sf6Layout &layout, const Sf6AnyRecord &record, int column, int row,
                          TvxListDataType &type);

} // namespace sf6
