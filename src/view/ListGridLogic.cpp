#include "view/ListGridLogic.h"

#include "text/Collation.h"
#include "text/FieldText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace sf6 {

namespace {

constexpr int kKeyDigits = 20;

std::string padDigits(uint64_t value) {
  std::string digits = std::to_string(value);
  if (digits.size() < kKeyDigits)
    digits.insert(0, kKeyDigits - digits.size(), '0');
  return digits;
}

void complementDigits(std::string &digits) {
  for (char &c : digits)
    if (c >= '0' && c <= '9')
      c = static_cast<char>('9' - (c - '0'));
}

} // namespace

std::string SortKeyOf(std::string_view text, TvxListDataType type) {
  if (type != kListNumber && type != kListNumber2)
    return std::string(text);
  const std::string_view separator = text.find('.') != std::string_view::npos ? "." : ",";
  double value = TextToFloat(text);
  if (!std::isfinite(value))
    value = 0;
  value = std::clamp(value, -9e18, 9e18);
  const bool negative = value < 0;
  std::string key = padDigits(static_cast<uint64_t>(std::fabs(std::trunc(value))));
  // The digits after the separator, padded so that equal values give equal
  // keys and shorter fractions compare as their value.
  const std::string piece = NthToken(text, separator, 2);
  std::string fraction;
  for (char c : piece) {
    if (c < '0' || c > '9')
      break;
    fraction += c;
  }
  fraction.resize(kKeyDigits, '0');
  key += fraction;
  // Negative values: the sign sorts before every digit, and the complemented
  // digits put larger magnitudes first.
  if (negative) {
    complementDigits(key);
    key.insert(0, 1, '-');
  }
  return key;
}

std::string FormatDateTimeText(std::string_view format, double dateTime) {
  const DateTimeParts p = DecodeDateTime(dateTime);
  auto two = [](int v) { return IntToZeroPadded(v, 2); };
  std::string out;
  bool lastWasHour = false;
  size_t i = 0;
  while (i < format.size()) {
    const char c = format[i];
    if (c == '"' || c == '\'') {
      const size_t end = format.find(c, i + 1);
      const size_t stop = end == std::string_view::npos ? format.size() : end;
      out.append(format.substr(i + 1, stop - i - 1));
      i = stop + 1;
      continue;
    }
    const char lower = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    size_t run = 1;
    while (i + run < format.size() &&
           (format[i + run] == c || format[i + run] == lower || format[i + run] == lower - 32))
      ++run;
    switch (lower) {
    case 'd':
      out += run >= 2 ? two(p.day) : std::to_string(p.day);
      break;
    case 'm': {
      const int v = lastWasHour ? p.minute : p.month;
      out += run >= 2 ? two(v) : std::to_string(v);
      break;
    }
    case 'y':
      out += run <= 2 ? two(p.year % 100) : IntToZeroPadded(p.year, 4);
      break;
    case 'h':
      out += run >= 2 ? two(p.hour) : std::to_string(p.hour);
      break;
    case 'n':
      out += run >= 2 ? two(p.minute) : std::to_string(p.minute);
      break;
    case 's':
      out += run >= 2 ? two(p.second) : std::to_string(p.second);
      break;
    default:
      out.append(format.substr(i, run));
      break;
    }
    if (lower == 'h')
      lastWasHour = true;
    else if (lower >= 'a' && lower <= 'z')
      lastWasHour = false;
    i += run;
  }
  return out;
}

std::string DateCellText(std::string_view cell) {
  const std::string stamp = RightTrim(Columns(cell, 1, 14));
  const double value = CompactToDateTime(stamp);
  if (value < 1.0)
    return {};
  std::string format = cell.size() > 14 ? RightTrim(cell.substr(14)) : std::string();
  if (format.empty())
    format = stamp.size() < 9 ? "dd.mm.yyyy" : "dd.mm.yyyy hh:nn:ss";
  return FormatDateTimeText(format, value);
}

std::string ElideText(std::string_view text, int maxWidth,
                      const std::function<int(std::string_view)> &measure) {
  if (measure(text) <= maxWidth || text.size() <= 1)
    return std::string(text);
  // The widest prefix that fits with "..." (prefix widths grow with length).
  size_t low = 1;
  size_t high = text.size() - 1;
  while (low < high) {
    const size_t mid = (low + high + 1) / 2;
    if (measure(std::string(text.substr(0, mid)) + "...") <= maxWidth)
      low = mid;
    else
      high = mid - 1;
  }
  return std::string(text.substr(0, low)) + "...";
}

// ListGridLogic -------------------------------------------------------------

void ListGridLogic::setClientSize(int width, int height) {
  m_width = std::max(0, width);
  m_height = std::max(0, height);
  clampTopRow();
}

int ListGridLogic::visibleRows() const {
  return std::max(0, (m_height - headerHeight() - 4) / rowHeight());
}

void ListGridLogic::loadColumns() {
  m_columnsLoaded = true;
  m_columns.clear();
  for (int dataIndex = 1; dataIndex <= kMaxColumns; ++dataIndex) {
    ListGridColumn column;
    column.dataIndex = dataIndex;
    events.OnGetColNames(dataIndex, column.caption, column.width, column.align);
    if (column.caption.empty())
      break;
    m_columns.push_back(std::move(column));
  }
}

int ListGridLogic::itemCount() {
  if (!m_columnsLoaded && events.OnGetColNames) {
    loadColumns();
    m_sortColumn = 1;
    m_sortDirty = true;
  }
  if (events.OnGetItemCount) {
    int count = 0;
    events.OnGetItemCount(count);
    count = std::max(0, count);
    if (count != m_itemCount) {
      m_itemCount = count;
      clampTopRow();
    }
  }
  if (m_sortDirty || static_cast<int>(m_order.size()) != m_itemCount)
    rebuildSortIndex();
  return m_itemCount;
}

void ListGridLogic::rebuildSortIndex() {
  const int previousData = m_itemIndex >= 0 && m_itemIndex < static_cast<int>(m_order.size())
                               ? m_order[m_itemIndex]
                               : -1;
  m_sortDirty = false;
  m_order.resize(m_itemCount);
  std::iota(m_order.begin(), m_order.end(), 0);
  if (m_sortColumn > 0 && events.OnGetItemData) {
    std::vector<std::string> keys(m_itemCount);
    std::vector<char> isText(static_cast<size_t>(m_itemCount));
    for (int row = 0; row < m_itemCount; ++row) {
      std::string text;
      TvxListDataType type = kListText;
      events.OnGetItemData(text, type, m_sortColumn - 1, row);
      keys[row] = SortKeyOf(text, type);
      isText[static_cast<size_t>(row)] =
          type != kListNumber && type != kListNumber2 && type != kListDate;
    }
    // Equal keys: the later data row comes first.
    std::sort(m_order.begin(), m_order.end(), [&](int a, int b) {
      const bool byCollation =
          compareText && isText[static_cast<size_t>(a)] && isText[static_cast<size_t>(b)];
      const int order =
          byCollation ? compareText(keys[a], keys[b]) : CompareNoCase1252(keys[a], keys[b]);
      if (order != 0)
        return order < 0;
      return a > b;
    });
  }
  if (previousData >= 0 && previousData < m_itemCount)
    m_itemIndex = displayRowOf(previousData);
}

void ListGridLogic::setSortColumn(int dataIndex) {
  if (dataIndex == m_sortColumn)
    return;
  const int current = currentDataRow();
  m_sortColumn = dataIndex;
  rebuildSortIndex();
  if (current >= 0)
    setCurrentDataRow(current);
}

int ListGridLogic::dataRowOf(int displayRow) const {
  if (displayRow >= 0 && displayRow < static_cast<int>(m_order.size()))
    return m_order[displayRow];
  return displayRow;
}

int ListGridLogic::displayRowOf(int dataRow) const {
  const auto found = std::find(m_order.begin(), m_order.end(), dataRow);
  if (found == m_order.end())
    return dataRow;
  return static_cast<int>(found - m_order.begin());
}

int ListGridLogic::itemIndex() {
  const int count = itemCount();
  if (m_itemIndex >= count)
    return count - 1;
  return m_itemIndex;
}

void ListGridLogic::setItemIndex(int row) {
  if (!Multiselect) {
    clearSelection();
    m_anchor = m_dragStart = m_dragEnd = row;
  }
  m_itemIndex = row;
  scrollIntoView(row);
}

int ListGridLogic::currentDataRow() {
  const int row = itemIndex();
  return row < 0 ? row : dataRowOf(row);
}

void ListGridLogic::setCurrentDataRow(int dataRow) {
  setItemIndex(displayRowOf(dataRow));
}

void ListGridLogic::setTopRow(int row) {
  m_topRow = row;
  clampTopRow();
}

void ListGridLogic::clampTopRow() {
  m_topRow = std::max(0, std::min(m_topRow, m_itemCount - visibleRows()));
}

void ListGridLogic::scrollIntoView(int row) {
  const int visible = visibleRows();
  if (row < 0) {
    m_topRow = 0;
    return;
  }
  if (row < m_topRow)
    m_topRow = row;
  else if (row > m_topRow + visible - 1)
    m_topRow = row - visible + 3;
  clampTopRow();
  if (row < m_topRow)
    m_topRow = row;
}

std::string ListGridLogic::cellText(int displayRow, int column, TvxListDataType *type) {
  std::string text;
  TvxListDataType dataType = kListText;
  if (events.OnGetItemData)
    events.OnGetItemData(text, dataType, column, dataRowOf(displayRow));
  if (dataType == kListDate)
    text = DateCellText(text);
  if (type)
    *type = dataType;
  return text;
}

bool ListGridLogic::isSelected(int displayRow) {
  if (!events.OnSelected || displayRow < 0)
    return false;
  bool selected = false;
  events.OnSelected(selected, dataRowOf(displayRow), false);
  return selected;
}

void ListGridLogic::setSelected(int displayRow, bool value) {
  if (!events.OnSelected || displayRow < 0)
    return;
  bool selected = value;
  events.OnSelected(selected, dataRowOf(displayRow), true);
}

void ListGridLogic::clearSelection() {
  if (!events.OnSelected)
    return;
  for (int row = 0; row < m_itemCount; ++row)
    setSelected(row, false);
}

bool ListGridLogic::isHighlighted(int displayRow) {
  if (displayRow < 0 || displayRow >= m_itemCount)
    return false;
  const bool inDrag = m_dragStart >= 0 && m_dragEnd >= 0 &&
                      displayRow >= std::min(m_dragStart, m_dragEnd) &&
                      displayRow <= std::max(m_dragStart, m_dragEnd);
  const bool selected = isSelected(displayRow);
  if (selected != inDrag)
    return true;
  return displayRow == itemIndex() && !Multiselect;
}

void ListGridLogic::navigateTo(int row, bool shift) {
  const int previous = m_itemIndex;
  if (!Multiselect) {
    setItemIndex(row);
    setSelected(row, true);
    return;
  }
  if (ExtendedSelect && !shift) {
    clearSelection();
    m_itemIndex = row;
    setSelected(row, true);
    m_anchor = row;
    scrollIntoView(row);
    return;
  }
  if (shift && previous >= 0) {
    int from = previous;
    if (from != m_anchor && from != row)
      from += row > from ? 1 : -1;
    for (int r = std::min(from, row); r <= std::max(from, row); ++r)
      setSelected(r, !isSelected(r));
  }
  m_itemIndex = row;
  scrollIntoView(row);
}

bool ListGridLogic::keyDown(ListKey key, bool shift) {
  const int count = itemCount();
  const int current = itemIndex();
  const int visible = visibleRows();
  if (key == ListKey::Space) {
    if (!Multiselect || current < 0)
      return false;
    setSelected(current, !isSelected(current));
    return true;
  }
  m_searchText.clear();
  if (count == 0)
    return true;
  int next = current;
  switch (key) {
  case ListKey::Down:
    next = current < count - 1 ? current + 1 : current;
    break;
  case ListKey::Up:
    next = current > 0 ? current - 1 : current;
    break;
  case ListKey::Home:
    next = 0;
    break;
  case ListKey::End:
    next = count - 1;
    break;
  case ListKey::PageDown:
    next = current >= m_topRow + visible - 2 ? current + visible : m_topRow + visible - 2;
    break;
  case ListKey::PageUp:
    next = current <= m_topRow ? current - (visible - 1) : m_topRow;
    break;
  case ListKey::Space:
    break;
  }
  next = std::clamp(next, 0, count - 1);
  navigateTo(next, shift);
  if (events.OnClick)
    events.OnClick();
  return true;
}

void ListGridLogic::keyPress(unsigned char ch) {
  if (ch <= 31)
    return;
  m_searchText += static_cast<char>(ch);
  const int count = itemCount();
  for (int row = 0; row < count; ++row) {
    for (const ListGridColumn &column : m_columns) {
      const std::string text = cellText(row, column.dataIndex - 1);
      if (text.size() < m_searchText.size())
        continue;
      if (CompareNoCase1252(std::string_view(text).substr(0, m_searchText.size()), m_searchText) !=
          0)
        continue;
      if (!(Multiselect && !ExtendedSelect))
        clearSelection();
      m_itemIndex = row;
      m_anchor = m_dragStart = m_dragEnd = row;
      scrollIntoView(row);
      return;
    }
  }
}

int ListGridLogic::rowAt(int y) {
  if (y < 1 + headerHeight())
    return -1;
  const int count = itemCount();
  if (count == 0)
    return -1;
  const int row = (y - 1 - headerHeight()) / rowHeight() + m_topRow;
  return std::min(row, count - 1);
}

int ListGridLogic::columnAt(int x) const {
  int left = 1 - m_hOffset;
  for (size_t i = 0; i < m_columns.size(); ++i) {
    if (x >= left && x < left + m_columns[i].width)
      return static_cast<int>(i);
    left += m_columns[i].width;
  }
  return -1;
}

int ListGridLogic::dropIndexAt(int x) const {
  const int target = columnAt(x);
  if (target >= 0)
    return target;
  return x < 1 ? 0 : static_cast<int>(m_columns.size());
}

int ListGridLogic::dropMarkX() const {
  if (!m_headerPress || m_resizeColumn >= 0 || std::abs(m_headerDragX - m_pressX) <= 5)
    return -1;
  const int before = dropIndexAt(m_headerDragX);
  int left = 1 - m_hOffset;
  for (int i = 0; i < before; ++i)
    left += m_columns[i].width;
  return left;
}

int ListGridLogic::columnBorderAt(int x) const {
  int right = 1 - m_hOffset;
  for (size_t i = 0; i < m_columns.size(); ++i) {
    right += m_columns[i].width;
    if (std::abs(x - right) <= 3)
      return static_cast<int>(i);
  }
  return -1;
}

void ListGridLogic::mousePress(int x, int y, bool leftButton, bool shift) {
  if (y < 1 + headerHeight()) {
    if (!leftButton)
      return;
    m_headerPress = true;
    m_headerDragX = x;
    m_pressX = x;
    m_pressY = y;
    m_resizeColumn = columnBorderAt(x);
    if (m_resizeColumn >= 0)
      m_resizeStartWidth = m_columns[m_resizeColumn].width;
    return;
  }
  if (!leftButton && Multiselect)
    return;
  const int row = rowAt(y);
  if (row < 0)
    return;
  if (!Multiselect || (ExtendedSelect && !shift))
    clearSelection();
  m_itemIndex = row;
  m_anchor = m_dragStart = m_dragEnd = row;
  scrollIntoView(row);
  m_listDrag = leftButton;
}

void ListGridLogic::mouseMove(int x, int y, bool leftHeld) {
  if (m_headerPress) {
    m_headerDragX = x;
    if (m_resizeColumn >= 0 && leftHeld)
      m_columns[m_resizeColumn].width = std::max(4, m_resizeStartWidth + x - m_pressX);
    return;
  }
  if (!leftHeld || !m_listDrag)
    return;
  const int row = rowAt(std::max(y, 1 + headerHeight()));
  if (row < 0)
    return;
  m_itemIndex = row;
  m_dragEnd = row;
  if (!Multiselect)
    m_anchor = m_dragStart = row;
  scrollIntoView(row);
}

void ListGridLogic::mouseRelease(int x, int y, bool leftButton) {
  if (!leftButton)
    return;
  if (m_headerPress) {
    m_headerPress = false;
    if (m_resizeColumn >= 0) {
      m_resizeColumn = -1;
      if (events.OnColSizePosChanged)
        events.OnColSizePosChanged();
      return;
    }
    const int pressed = columnAt(m_pressX);
    if (pressed < 0)
      return;
    if (std::abs(x - m_pressX) <= 5 && std::abs(y - m_pressY) <= 5) {
      setSortColumn(m_columns[pressed].dataIndex);
      return;
    }
    // A caption dragged further away moves its column to where the drop mark
    // stands: before the column under the pointer, or after the last one.
    int before = dropIndexAt(x);
    if (before > pressed)
      --before; // the column leaves its own place first
    if (before == pressed)
      return;
    ListGridColumn moved = m_columns[pressed];
    m_columns.erase(m_columns.begin() + pressed);
    m_columns.insert(m_columns.begin() + before, std::move(moved));
    if (events.OnColSizePosChanged)
      events.OnColSizePosChanged();
    return;
  }
  if (!m_listDrag)
    return;
  m_listDrag = false;
  if (m_dragStart >= 0 && m_dragEnd >= 0 && Multiselect) {
    for (int r = std::min(m_dragStart, m_dragEnd); r <= std::max(m_dragStart, m_dragEnd); ++r)
      setSelected(r, !isSelected(r));
  }
  m_dragStart = m_dragEnd = -1;
  if (events.OnClick)
    events.OnClick();
}

void ListGridLogic::wheel(int delta, int y, bool leftHeld) {
  const int count = itemCount();
  // Fine-step wheels and touchpads send deltas below one row's 30; they add
  // up until they make a row, and a turn the other way starts afresh.
  if ((delta > 0) != (m_wheelRest > 0))
    m_wheelRest = 0;
  m_wheelRest += delta;
  const int rows = m_wheelRest / 30;
  m_wheelRest -= rows * 30;
  m_topRow -= rows;
  m_topRow = std::min(m_topRow, count - 1);
  clampTopRow();
  if (leftHeld) {
    const int row = rowAt(y);
    if (row >= 0)
      m_itemIndex = row;
  }
}

ScrollBarParams ListGridLogic::verticalBar() {
  const int count = itemCount();
  const int visible = visibleRows();
  ScrollBarParams bar;
  // Rows that exactly fill the view need no bar: its thumb could not scroll.
  bar.visible = count > visible && count > 0;
  bar.maximum = count;
  bar.pageSize = visible < count ? visible : 1;
  bar.largeChange = std::max(1, visible - 2);
  bar.position = m_topRow;
  return bar;
}

int ListGridLogic::totalColumnWidth() const {
  int total = 0;
  for (const ListGridColumn &column : m_columns)
    total += column.width;
  return total;
}

ScrollBarParams ListGridLogic::horizontalBar() const {
  ScrollBarParams bar;
  bar.visible = !m_columns.empty() && totalColumnWidth() >= m_width;
  bar.maximum = totalColumnWidth();
  bar.pageSize = std::max(1, m_width - 5);
  bar.largeChange = bar.pageSize;
  bar.position = bar.visible ? m_hOffset : 0;
  return bar;
}

void ListGridLogic::setHorizontalOffset(int offset) {
  const int limit = std::max(0, totalColumnWidth() - std::max(1, m_width - 5));
  m_hOffset = std::clamp(offset, 0, limit);
}

} // namespace sf6
