#pragma once

// What the viewer's window shows, without a window system: the panes in tab
// order with their archive entries and layouts, the order in which a load
// reads the entries, and the answers of the header list and the field grids.

#include "sf6/Sf6Layout.h"
#include "ui/grid/ListGridLogic.h"

#include <span>
#include <string>
#include <string_view>

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

// A record of the pane's file with every field zeroed: empty texts, 0, false,
// no date, each enumeration at its first ordinal.
Sf6AnyRecord ZeroedRecord(const Sf6Layout &layout);

// The header list: columns "Feldname" and "Feldwert" (dataIndex from 1).
void HeadListColumn(int dataIndex, std::string &caption, int &width, TAlignment &align);
// Column 0: characters 1-30 of the line, column 1: characters 31-285, each
// without trailing blanks; "" for other columns.
std::string HeadListCell(std::string_view line, int column);

// The field grids: "Feld-Nr." (a number column), "Feldname", "Feldwert".
void FieldGridColumn(int dataIndex, std::string &caption, int &width, TAlignment &align);
// The cell of field row + 1 of record; sets type to number for column 0.
std::string FieldGridCell(const Sf6Layout &layout, const Sf6AnyRecord &record, int column,
                          int row, TvxListDataType &type);

} // namespace sf6
