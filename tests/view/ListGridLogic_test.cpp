// The list grid's logic driven headless: an owner answering from a table.

#include "view/ListGridLogic.h"

#include <gtest/gtest.h>
#include <ostream>

#include <string>
#include <vector>

namespace sf6 {
namespace {

// An owner with rows of cells; column 0 may be declared a number column.
struct TableOwner {
  std::vector<std::string> captions;
  std::vector<std::vector<std::string>> rows;
  bool firstColumnIsNumber = false;
  int clicks = 0;
  int dataRequests = 0;

  void attach(ListGridLogic &list) {
    list.events.OnGetItemCount = [this](int &count) { count = static_cast<int>(rows.size()); };
    list.events.OnGetColNames = [this](int dataIndex, std::string &text, int &width, Alignment &) {
      if (dataIndex <= static_cast<int>(captions.size())) {
        text = captions[dataIndex - 1];
        width = 100;
      }
    };
    list.events.OnGetItemData = [this](std::string &text, TvxListDataType &type, int col, int row) {
      ++dataRequests;
      if (col == 0 && firstColumnIsNumber)
        type = kListNumber;
      if (row >= 0 && row < static_cast<int>(rows.size()) &&
          col < static_cast<int>(rows[row].size()))
        text = rows[row][col];
    };
    list.events.OnClick = [this] { ++clicks; };
  }
};

std::vector<std::string> displayedColumn(ListGridLogic &list, int column) {
  std::vector<std::string> out;
  const int count = list.itemCount();
  for (int row = 0; row < count; ++row)
    out.push_back(list.cellText(row, column));
  return out;
}

// A grid 200 wide whose height shows `visible` whole rows.
void sizeFor(ListGridLogic &list, int visible) {
  list.setClientSize(200, 18 + 4 + 18 * visible);
}

// A one-column grid of thirty rows showing ten.
struct ThirtyRows {
  ListGridLogic list;
  TableOwner owner;
  ThirtyRows() {
    owner.captions = {"A"};
    for (int i = 0; i < 30; ++i)
      owner.rows.push_back({"r"});
    owner.attach(list);
    sizeFor(list, 10);
  }
};

TEST(ListGridLogic, EmptyOwnerHasNoRowsNoScrollBarAndNoCurrentRow) {
  ListGridLogic list;
  TableOwner owner;
  owner.captions = {"A"};
  owner.attach(list);
  sizeFor(list, 5);
  EXPECT_EQ(list.itemCount(), 0);
  EXPECT_EQ(list.itemIndex(), -1);
  EXPECT_FALSE(list.verticalBar().visible);
  EXPECT_EQ(list.rowAt(30), -1);
}

TEST(ListGridLogic, ColumnAnnouncementStopsAtFirstEmptyCaption) {
  ListGridLogic list;
  TableOwner owner;
  owner.captions = {"Feld-Nr.", "Feldname", "Feldwert", "", "Never"};
  owner.attach(list);
  list.itemCount();
  ASSERT_EQ(list.columns().size(), 3u);
  EXPECT_EQ(list.columns()[2].caption, "Feldwert");
  EXPECT_EQ(list.columns()[2].dataIndex, 3);
  EXPECT_EQ(list.sortColumn(), 1);
}

TEST(ListGridLogic, NumberColumnSortsByValueNotByText) {
  ListGridLogic list;
  TableOwner owner;
  owner.captions = {"Nr"};
  owner.firstColumnIsNumber = true;
  for (int i = 40; i >= 1; --i)
    owner.rows.push_back({std::to_string(i)});
  owner.attach(list);
  const auto shown = displayedColumn(list, 0);
  ASSERT_EQ(shown.size(), 40u);
  for (int i = 0; i < 40; ++i)
    EXPECT_EQ(shown[i], std::to_string(i + 1));
}

TEST(ListGridLogic, NumberColumnOrdersNegativeAndFractionalValues) {
  ListGridLogic list;
  TableOwner owner;
  owner.captions = {"Wert"};
  owner.firstColumnIsNumber = true;
  owner.rows = {{"2"}, {"-1,25"}, {"0.5"}, {"-10"}, {"1.25"}, {"-1.2"}, {"1.5"}, {"-0.5"}, {"0"}};
  owner.attach(list);
  EXPECT_EQ(displayedColumn(list, 0), (std::vector<std::string>{"-10", "-1,25", "-1.2", "-0.5", "0",
                                                                "0.5", "1.25", "1.5", "2"}));
}

TEST(ListGridLogic, TextColumnSortsWithoutRegardToCaseAndEqualKeysInReverseRowOrder) {
  ListGridLogic list;
  TableOwner owner;
  owner.captions = {"Feldname", "Feldwert"};
  owner.rows = {{"version", "6.8"}, {"Software-id", "x"}, {"", "first"},     {"comment", "c"},
                {"", "second"},     {"\xC4nderung", "a"}, {"\xE4ndern", "b"}};
  owner.attach(list);
  EXPECT_EQ(displayedColumn(list, 0),
            (std::vector<std::string>{"", "", "comment", "Software-id", "version", "\xE4ndern",
                                      "\xC4nderung"}));
  EXPECT_EQ(list.cellText(0, 1), "second");
  EXPECT_EQ(list.cellText(1, 1), "first");
}

TEST(ListGridLogic, HeaderClickSortsByThatColumnAndKeepsCurrentDataRow) {
  ListGridLogic list;
  TableOwner owner;
  owner.captions = {"Feldname", "Feldwert"};
  owner.rows = {{"b", "3"}, {"a", "2"}, {"c", "1"}};
  owner.attach(list);
  sizeFor(list, 5);
  list.setItemIndex(0); // "a", data row 1
  ASSERT_EQ(list.currentDataRow(), 1);
  // Press and release within 5 pixels on the second caption (x 101..200).
  list.mousePress(150, 5, true, false);
  list.mouseRelease(153, 8, true);
  EXPECT_EQ(list.sortColumn(), 2);
  EXPECT_EQ(displayedColumn(list, 1), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(list.currentDataRow(), 1);
  EXPECT_EQ(list.itemIndex(), 1);
}

TEST(ListGridLogic, CaptionDraggedFurtherThanFivePixelsDoesNotSort) {
  ListGridLogic list;
  TableOwner owner;
  owner.captions = {"A", "B"};
  owner.rows = {{"b", "1"}};
  owner.attach(list);
  sizeFor(list, 5);
  list.itemCount();
  list.mousePress(150, 5, true, false);
  list.mouseMove(153, 5, true);
  EXPECT_EQ(list.dropMarkX(), -1); // within 5 pixels: still a click
  list.mouseMove(20, 5, true);
  EXPECT_EQ(list.dropMarkX(), 1);
  list.mouseRelease(20, 5, true);
  EXPECT_EQ(list.dropMarkX(), -1);
  EXPECT_EQ(list.sortColumn(), 1);
  EXPECT_EQ(list.columns()[0].caption, "B"); // moved before the column it was dropped on
}

TEST(ListGridLogic, CaptionDroppedToTheRightLandsWhereTheMarkShows) {
  ListGridLogic list;
  TableOwner owner;
  owner.captions = {"A", "B", "C"};
  owner.rows = {{"a", "b", "c"}};
  owner.attach(list);
  sizeFor(list, 5);
  list.itemCount();
  const auto captions = [&list] {
    std::string order;
    for (const ListGridColumn &column : list.columns())
      order += column.caption;
    return order;
  };
  // Columns are 100 pixels wide from x = 1: A 1-100, B 101-200, C 201-300.
  list.mousePress(20, 5, true, false);
  list.mouseMove(120, 5, true);
  EXPECT_EQ(list.dropMarkX(), 101); // before B, that is where A stands
  list.mouseRelease(120, 5, true);
  EXPECT_EQ(captions(), "ABC");
  list.mousePress(20, 5, true, false);
  list.mouseMove(220, 5, true);
  EXPECT_EQ(list.dropMarkX(), 201); // before C
  list.mouseRelease(220, 5, true);
  EXPECT_EQ(captions(), "BAC");

  list.mousePress(20, 5, true, false); // B, now first
  list.mouseMove(400, 5, true);
  EXPECT_EQ(list.dropMarkX(), 301); // after the last column
  list.mouseRelease(400, 5, true);
  EXPECT_EQ(captions(), "ACB");
}

TEST(ListGridLogic, DraggingColumnBorderResizesButNotBelowFourPixels) {
  ListGridLogic list;
  TableOwner owner;
  owner.captions = {"A", "B"};
  owner.attach(list);
  sizeFor(list, 5);
  list.itemCount();
  list.mousePress(101, 5, true, false); // right border of column A
  list.mouseMove(131, 5, true);
  EXPECT_EQ(list.columns()[0].width, 130);
  list.mouseMove(-200, 5, true);
  list.mouseRelease(-200, 5, true);
  EXPECT_EQ(list.columns()[0].width, 4);
  EXPECT_EQ(list.sortColumn(), 1);
}

struct NavCase {
  const char *name;
  int startRow;
  int startTop;
  ListKey key;
  int expectRow;
};

// Shown by CTest beside the test name: the case's name, not its bytes.
void PrintTo(const NavCase &c, std::ostream *out) {
  *out << c.name;
}

class ListGridNavigation : public ::testing::TestWithParam<NavCase> {};

TEST_P(ListGridNavigation, MovesCurrentRow) {
  const NavCase &c = GetParam();
  ListGridLogic list;
  TableOwner owner;
  owner.captions = {"Nr"};
  owner.firstColumnIsNumber = true;
  for (int i = 0; i < 100; ++i)
    owner.rows.push_back({std::to_string(i)});
  owner.attach(list);
  sizeFor(list, 10);
  list.itemCount();
  list.setTopRow(c.startTop);
  if (c.startRow >= 0)
    list.setItemIndex(c.startRow);
  list.setTopRow(c.startTop);
  EXPECT_TRUE(list.keyDown(c.key, false));
  EXPECT_EQ(list.itemIndex(), c.expectRow) << c.name;
  EXPECT_GE(list.itemIndex(), list.topRow());
  EXPECT_LT(list.itemIndex(), list.topRow() + list.visibleRows());
  EXPECT_EQ(owner.clicks, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ListGridNavigation,
    ::testing::Values(NavCase{"down", 5, 0, ListKey::Down, 6},
                      NavCase{"down at last", 99, 90, ListKey::Down, 99},
                      NavCase{"up at first", 0, 0, ListKey::Up, 0},
                      NavCase{"up without current", -1, 0, ListKey::Up, 0},
                      NavCase{"home", 50, 45, ListKey::Home, 0},
                      NavCase{"end", 3, 0, ListKey::End, 99},
                      // top 0, 10 visible: rows at or below 8 jump by 10
                      NavCase{"page down near bottom", 8, 0, ListKey::PageDown, 18},
                      NavCase{"page down mid page", 2, 0, ListKey::PageDown, 8},
                      NavCase{"page down mid last page", 95, 90, ListKey::PageDown, 98},
                      NavCase{"page down past end", 99, 90, ListKey::PageDown, 99},
                      NavCase{"page up at top row", 20, 20, ListKey::PageUp, 11},
                      NavCase{"page up mid page", 25, 20, ListKey::PageUp, 20},
                      NavCase{"page up before start", 3, 3, ListKey::PageUp, 0}),
    [](const auto &info) {
      std::string name = info.param.name;
      for (char &ch : name)
        if (ch == ' ')
          ch = '_';
      return name;
    });

TEST(ListGridLogic, IncrementalSearchFindsFirstRowStartingWithTypedTextInAnyColumn) {
  ListGridLogic list;
  TableOwner owner;
  owner.captions = {"Feldname", "Feldwert"};
  owner.rows = {{"alpha", "zulu"}, {"beta", "Zebra"}, {"zeta", "x"}};
  owner.attach(list);
  sizeFor(list, 5);
  list.keyPress('Z');
  EXPECT_EQ(list.cellText(list.itemIndex(), 0), "alpha"); // "zulu" in column 2
  list.keyPress('e');
  EXPECT_EQ(list.cellText(list.itemIndex(), 0), "beta");
  EXPECT_EQ(list.searchText(), "Ze");
  list.keyDown(ListKey::Home, false);
  EXPECT_EQ(list.searchText(), "");
}

TEST(ListGridLogic, RowAtMapsPointerBelowHeaderThroughTopRow) {
  ThirtyRows grid;
  ListGridLogic &list = grid.list;
  [[maybe_unused]] TableOwner &owner = grid.owner;
  list.itemCount();
  EXPECT_EQ(list.rowAt(10), -1);
  EXPECT_EQ(list.rowAt(19), 0);
  EXPECT_EQ(list.rowAt(19 + 18 * 3 + 5), 3);
  list.setTopRow(5);
  EXPECT_EQ(list.rowAt(19), 5);
  EXPECT_EQ(list.rowAt(5000), 29);
}

TEST(ListGridLogic, ScrollBarParametersFollowCountAndVisibleRows) {
  ThirtyRows grid;
  ListGridLogic &list = grid.list;
  [[maybe_unused]] TableOwner &owner = grid.owner;
  const ScrollBarParams bar = list.verticalBar();
  EXPECT_TRUE(bar.visible);
  EXPECT_EQ(bar.maximum, 30);
  EXPECT_EQ(bar.pageSize, 10);
  EXPECT_EQ(bar.largeChange, 8);
  owner.rows.resize(10); // exactly fills the view: nothing to scroll
  EXPECT_FALSE(list.verticalBar().visible);
  owner.rows.resize(3);
  EXPECT_FALSE(list.verticalBar().visible);
  EXPECT_FALSE(list.horizontalBar().visible);
  list.setClientSize(50, 200);
  EXPECT_TRUE(list.horizontalBar().visible);
}

TEST(ListGridLogic, WheelScrollsFourRowsPerNotchNotPastTheEnd) {
  ThirtyRows grid;
  ListGridLogic &list = grid.list;
  [[maybe_unused]] TableOwner &owner = grid.owner;
  list.itemCount();
  list.wheel(-120, 30, false);
  EXPECT_EQ(list.topRow(), 4);
  for (int i = 0; i < 10; ++i)
    list.wheel(-120, 30, false);
  EXPECT_EQ(list.topRow(), 20);
  list.wheel(120 * 10, 30, false);
  EXPECT_EQ(list.topRow(), 0);
}

TEST(ListGridLogic, FineWheelStepsAddUpToRows) {
  ThirtyRows grid;
  ListGridLogic &list = grid.list;
  [[maybe_unused]] TableOwner &owner = grid.owner;
  list.itemCount();
  for (int i = 0; i < 12; ++i)
    list.wheel(-10, 30, false); // a touchpad's small steps, one notch in all
  EXPECT_EQ(list.topRow(), 4);
  list.wheel(-20, 30, false);
  list.wheel(15, 30, false); // turning back drops the rest of the other way
  EXPECT_EQ(list.topRow(), 4);
  list.wheel(15, 30, false);
  EXPECT_EQ(list.topRow(), 3);
}

TEST(ListGridLogic, ChangedDataIsResortedWhenMarkedEvenWithSameCount) {
  ListGridLogic list;
  TableOwner owner;
  owner.captions = {"A"};
  owner.rows = {{"b"}, {"a"}};
  owner.attach(list);
  EXPECT_EQ(displayedColumn(list, 0), (std::vector<std::string>{"a", "b"}));
  owner.rows = {{"c"}, {"d"}};
  list.invalidateData();
  EXPECT_EQ(displayedColumn(list, 0), (std::vector<std::string>{"c", "d"}));
}

TEST(ListGridLogic, MouseClickMakesRowCurrentAndNotifiesOnRelease) {
  ListGridLogic list;
  TableOwner owner;
  owner.captions = {"A"};
  for (int i = 0; i < 5; ++i)
    owner.rows.push_back({std::string(1, static_cast<char>('a' + i))});
  owner.attach(list);
  sizeFor(list, 10);
  list.mousePress(10, 19 + 18 * 2 + 3, true, false);
  EXPECT_EQ(list.itemIndex(), 2);
  EXPECT_TRUE(list.isHighlighted(2));
  EXPECT_FALSE(list.isHighlighted(1));
  list.mouseRelease(10, 19 + 18 * 2 + 3, true);
  EXPECT_EQ(owner.clicks, 1);
  EXPECT_TRUE(list.isHighlighted(2));
}

TEST(ListGridCells, DateCellsFormatTimestamps) {
  EXPECT_EQ(DateCellText("20240315"), "15.03.2024");
  EXPECT_EQ(DateCellText("202403151245"), "15.03.2024 12:45:00");
  EXPECT_EQ(DateCellText("20240315      yyyy-mm-dd"), "2024-03-15");
  EXPECT_EQ(DateCellText("20240315123456dd.mm. hh:mm"), "15.03. 12:34");
  EXPECT_EQ(DateCellText(""), "");
  EXPECT_EQ(DateCellText("00000000"), "");
  EXPECT_EQ(DateCellText("abc"), "");
}

TEST(ListGridCells, ElideCutsTextToFitWithEllipsisKeepingOneCharacter) {
  const auto width = [](std::string_view text) { return static_cast<int>(text.size()) * 10; };
  EXPECT_EQ(ElideText("abcdef", 60, width), "abcdef");
  EXPECT_EQ(ElideText("abcdefg", 60, width), "abc...");
  EXPECT_EQ(ElideText("abcdefg", 5, width), "a...");
  EXPECT_EQ(ElideText("", 0, width), "");
}

} // namespace
} // namespace sf6
