#pragma once

// The toolkit-free logic of the owner-data list grid TvxListGd: it stores no
// cell data but asks its owner (events below) for the row count, the columns
// and each cell's text, keeps the sort index that maps display rows to data
// rows, the current and top row, scrolling, keyboard and mouse handling. A
// window-system widget owns one of these, paints what it reports and
// forwards input to it. Geometry is in pixels; rows and columns count from 0
// unless stated otherwise. Texts are Windows-1252.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sf6 {

enum class Alignment : uint8_t { Left = 0, Right = 1, Center = 2 };

// The type of a cell, set by the owner in OnGetItemData (preset 1, text).
// 0 and 2 sort numerically; 3 holds a timestamp "yyyymmdd[hhnn[ss]]" in
// characters 1-14 and an optional display format from character 15 on.
using TvxListDataType = uint8_t;
inline constexpr TvxListDataType kListNumber = 0;
inline constexpr TvxListDataType kListText = 1;
inline constexpr TvxListDataType kListNumber2 = 2;
inline constexpr TvxListDataType kListDate = 3;

struct ListGridColumn {
  int width = 50;
  std::string caption;
  int dataIndex = 0; // 1-based, the number the column was announced under
  Alignment align = Alignment::Left;
};

// The owner's answers. Every event is optional.
struct ListGridEvents {
  // Preset 0.
  std::function<void(int &itemCount)> OnGetItemCount;
  // dataIndex counts from 1; presets: empty text, width 50, left aligned. An
  // empty text means there is no such column.
  std::function<void(int dataIndex, std::string &columnText, int &width, Alignment &align)>
      OnGetColNames;
  // aCol = data index - 1, aRow = data row; presets: empty text, type 1.
  std::function<void(std::string &aDataString, TvxListDataType &aDataType, int aCol, int aRow)>
      OnGetItemData;
  // May change a cell's background, given as 0xRRGGBB and preset to the row's
  // colour; aCol is 0-based, aRow the display row (not through the sort index).
  std::function<void(uint32_t &aColor, int aCol, int aRow)> OnGetItemBgColor;
  // With setSelected false report whether data row aRow is selected, else store it.
  std::function<void(bool &selected, int aRow, bool setSelected)> OnSelected;
  // The click notification after navigation keys and mouse releases.
  std::function<void()> OnClick;
  std::function<void()> OnColSizePosChanged;
};

enum class ListKey { Up, Down, Home, End, PageUp, PageDown, Space };

struct ScrollBarParams {
  bool visible = false;
  int minimum = 0;
  int maximum = 0;
  int pageSize = 1;
  int largeChange = 1;
  int position = 0;
};

// Formats a day count with a format of the letters d, dd, m, mm, yy, yyyy,
// h, hh, n, nn, s, ss (an m or mm right after an hour stands for minutes);
// other characters and text in double or single quotes stand as they are.
std::string FormatDateTimeText(std::string_view format, double dateTime);

// The display text of a date cell (type 3): "" when the timestamp in
// characters 1-14 gives no date, else the date in the format from character
// 15 on, or "dd.mm.yyyy" (timestamps of up to 8 characters) or
// "dd.mm.yyyy hh:nn:ss".
std::string DateCellText(std::string_view cell);

// The sort key of a cell: the text itself for text and date cells; for number
// cells a key that orders by value (negative values included).
std::string SortKeyOf(std::string_view text, TvxListDataType type);

// text when it fits maxWidth, else text cut from its end (keeping at least one
// character) followed by "..." so that it fits. measure gives a text's width.
std::string ElideText(std::string_view text, int maxWidth,
                      const std::function<int(std::string_view)> &measure);

class ListGridLogic {
public:
  static constexpr int kHeaderRowHeight = 18;
  static constexpr int kMaxColumns = 1000;

  ListGridEvents events;
  bool Multiselect = false;
  // Orders the texts of two text cells when sorting (<0, 0, >0). The window
  // system sets the user's locale-aware, case-insensitive collation; unset,
  // CompareNoCase1252 (a fixed Windows-1252 order) is used. Number and date
  // cells always sort by their keys.
  std::function<int(std::string_view a, std::string_view b)> compareText;
  bool ExtendedSelect = false;

  // The control's size; visible rows follow from the height.
  void setClientSize(int width, int height);
  int clientWidth() const { return m_width; }
  int clientHeight() const { return m_height; }

  int rowHeight() const { return kHeaderRowHeight; }
  int headerHeight() const { return kHeaderRowHeight; }
  int visibleRows() const;

  // Asks the owner for the count (loading the columns on the first call) and
  // rebuilds the sort index when the count changed or the data was marked
  // changed.
  int itemCount();
  // The owner's data changed: the sort index is rebuilt on the next request,
  // keeping the current data row current.
  void invalidateData() { m_sortDirty = true; }

  const std::vector<ListGridColumn> &columns() const { return m_columns; }
  bool columnsLoaded() const { return m_columnsLoaded; }
  // The data index (1-based) of the sort column, 0 for none.
  int sortColumn() const { return m_sortColumn; }
  // Makes the column with this data index the sort column, keeping the
  // current data row current.
  void setSortColumn(int dataIndex);

  // The current display row: the stored one, or count - 1 when it is not below the count.
  int itemIndex();
  void setItemIndex(int row);
  int currentDataRow();
  void setCurrentDataRow(int dataRow);
  int topRow() const { return m_topRow; }
  void setTopRow(int row);

  int dataRowOf(int displayRow) const;
  int displayRowOf(int dataRow) const;

  // The text of a cell (display row, 0-based column = data index - 1), date
  // cells already formatted.
  std::string cellText(int displayRow, int column, TvxListDataType *type = nullptr);
  bool isHighlighted(int displayRow);
  bool isSelected(int displayRow);

  // Keyboard: true when the key was a navigation key the list handled.
  bool keyDown(ListKey key, bool shift);
  // Incremental search with a typed character (codes above 31).
  void keyPress(unsigned char ch);
  const std::string &searchText() const { return m_searchText; }

  // The display row at client y, or -1 at or above the header's lower edge or without rows.
  int rowAt(int y);
  // The index into columns() of the column under client x, or -1.
  int columnAt(int x) const;
  // The column whose right border is within 3 pixels of x (header only), or -1.
  int columnBorderAt(int x) const;

  // Mouse input; shift tells whether Shift is held.
  void mousePress(int x, int y, bool leftButton, bool shift);
  void mouseMove(int x, int y, bool leftHeld);
  void mouseRelease(int x, int y, bool leftButton);
  bool resizingColumn() const { return m_resizeColumn >= 0; }
  // While a caption is dragged further than 5 pixels: the x of the place it
  // would be dropped at (the left edge of the column under the pointer, or
  // the right edge of the last column beyond it), else -1.
  int dropMarkX() const;
  // The index the dragged column is inserted before when dropped at x.
  int dropIndexAt(int x) const;
  void wheel(int delta, int y, bool leftHeld);

  ScrollBarParams verticalBar();
  ScrollBarParams horizontalBar() const;
  int horizontalOffset() const { return m_hOffset; }
  void setHorizontalOffset(int offset);
  int totalColumnWidth() const;

private:
  void loadColumns();
  void rebuildSortIndex();
  void clampTopRow();
  void scrollIntoView(int row);
  void clearSelection();
  void setSelected(int displayRow, bool value);
  void navigateTo(int row, bool shift);

  int m_width = 0;
  int m_height = 0;
  int m_itemCount = 0;
  int m_itemIndex = -1;
  int m_topRow = 0;
  int m_wheelRest = 0; // wheel delta not yet turned into rows
  int m_anchor = -1;
  int m_dragStart = -1;
  int m_dragEnd = -1;
  int m_hOffset = 0;
  bool m_columnsLoaded = false;
  bool m_sortDirty = true;
  int m_sortColumn = 0;
  std::vector<ListGridColumn> m_columns;
  std::vector<int> m_order; // display row -> data row
  std::string m_searchText;
  // header mouse state
  bool m_headerPress = false;
  int m_pressX = 0;
  int m_pressY = 0;
  int m_resizeColumn = -1;
  int m_resizeStartWidth = 0;
  bool m_listDrag = false;
  int m_headerDragX = 0;
};

} // namespace sf6
