// The answers of the header list and the field grids, without a window.

#include "view/CatalogView.h"

#include "../zip/ZipTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace sf6 {
namespace {

TEST(HeadListCell, SplitsKeyAndValueAtColumn31AndTrimsOnlyTrailingBlanks) {
  struct Case {
    std::string line;
    const char *name;
    const char *value;
  };
  const Case cases[] = {
      {"version                       6.8.3  ", "version", "6.8.3"},
      {std::string(30, 'k'), "kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk", ""}, // exactly 30 characters
      {std::string(30, 'a') + "bcd", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "bcd"}, // key longer than 30
      {"  lead                          value", "  lead", "  value"}, // leading blanks stay
      {"short", "short", ""},
      {"", "", ""},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(HeadListCell(c.line, 0), c.name) << c.line;
    EXPECT_EQ(HeadListCell(c.line, 1), c.value) << c.line;
    EXPECT_EQ(HeadListCell(c.line, 2), "") << c.line;
  }
}

TEST(HeadListCell, ValueIsCutTo255Characters) {
  const std::string line = std::string(30, ' ') + std::string(300, 'v');
  EXPECT_EQ(HeadListCell(line, 1), std::string(255, 'v'));
}

TEST(FieldGrid, ColumnsAreNumberNameAndValue) {
  const struct {
    int dataIndex;
    const char *caption;
    int width;
    Alignment align;
  } expected[] = {{1, "Feld-Nr.", 60, Alignment::Right},
                  {2, "Feldname", 150, Alignment::Left},
                  {3, "Feldwert", 200, Alignment::Left},
                  {4, "", 50, Alignment::Left}};
  for (const auto &e : expected) {
    std::string caption;
    int width = 50;
    Alignment align = Alignment::Left;
    FieldGridColumn(e.dataIndex, caption, width, align);
    EXPECT_EQ(caption, e.caption);
    EXPECT_EQ(width, e.width);
    EXPECT_EQ(align, e.align);
  }
}

TEST(FieldGrid, CellsGiveNumberCaptionAndTextOfTheRecord) {
  const Sf6Layout &layout = LensTypeLayout();
  const Sf6AnyRecord record = layout.parse("BSP001Name");
  TvxListDataType type = kListText;
  EXPECT_EQ(FieldGridCell(layout, record, 0, 9, type), "10");
  EXPECT_EQ(type, kListNumber);
  type = kListText;
  EXPECT_EQ(FieldGridCell(layout, record, 1, 1, type), "Bezeichnung");
  EXPECT_EQ(type, kListText);
  EXPECT_EQ(FieldGridCell(layout, record, 2, 0, type), "BSP001");
  EXPECT_EQ(FieldGridCell(layout, record, 3, 0, type), "");
}

TEST(ViewerPanes, TwelvePanesWithZeroedRecordsOfTheirOwnFile) {
  ASSERT_EQ(ViewerPanes().size(), 12u);
  ASSERT_EQ(ViewerLoadOrder().size(), 12u);
  const int rows[] = {40, 28, 24, 10, 44, 19, 13, 5, 5, 4, 3, 6};
  for (size_t i = 0; i < ViewerPanes().size(); ++i) {
    const ViewerPane &pane = ViewerPanes()[i];
    const Sf6Layout &layout = pane.layout();
    EXPECT_STREQ(layout.fileName, pane.entryName);
    EXPECT_EQ(layout.fieldCount, rows[i]) << pane.entryName;
    const Sf6AnyRecord zeroed = ZeroedRecord(layout);
    ASSERT_FALSE(zeroed.empty()) << pane.entryName;
    // A record of another file renders as nothing; this one shows its
    // zeroes, flags and first enumeration texts.
    bool anyText = false;
    for (int n = 1; n <= layout.fieldCount; ++n)
      anyText = anyText || !layout.text(n, zeroed).empty();
    EXPECT_TRUE(anyText) << pane.entryName;
  }
  std::vector<int> order(ViewerLoadOrder().begin(), ViewerLoadOrder().end());
  std::sort(order.begin(), order.end());
  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(order[i], i);
}

// The tab the user looks at is read right after Head.dat and handed over
// before the entries after it are read: LensType.Dat, unreadable here,
// reports its failure only afterwards. Every present pane is handed over as
// it is read, its text ending at its first NUL byte, and left out of the
// catalog returned.
TEST(LoadViewerCatalog, HandsThePanesOverAsTheyAreReadTheCurrentOneFirst) {
  using test::BuildArchive;
  test::ScratchDir dir;
  const auto path = dir / "early.zip";
  test::WriteFileBytes(path, BuildArchive({{.name = "Head.dat", .data = "head\r\n"},
                                           {.name = "LensType.Dat", .data = "T1\r\n", .method = 99},
                                           {.name = "LensPrice.Dat", .data = "P1\r\nP2\r\n\0junk"},
                                           {.name = "Options.Dat", .data = "O1\r\n"}})
                                 .bytes);
  const int prices = 3;
  const int options = 4;
  ASSERT_EQ(std::string(ViewerPanes()[prices].entryName), "LensPrice.Dat");
  std::vector<std::string> events;
  CatalogLoadOptions load;
  load.messageSink = [&](const std::string &, const std::string &) { events.push_back("error"); };
  ViewerPaneHandover handover;
  handover.first = prices;
  handover.paneRead = [&](int pane, ByteBuffer text) {
    events.push_back(std::to_string(pane) + " " + std::string(AsView(text)));
  };
  const ViewerCatalog catalog = LoadViewerCatalog(path, load, handover);
  EXPECT_EQ(events, (std::vector<std::string>{"3 P1\r\nP2\r\n", "error", "4 O1\r\n"}));
  EXPECT_TRUE(catalog.handedOver[prices]);
  EXPECT_TRUE(catalog.handedOver[options]);
  EXPECT_FALSE(catalog.handedOver[0]); // unreadable
  EXPECT_TRUE(catalog.paneTexts[prices].empty());
  EXPECT_EQ(catalog.unreadable, std::vector<std::string>{"LensType.Dat"});

  // Without a receiver the texts stay in the catalog.
  const ViewerCatalog kept = LoadViewerCatalog(path, {}, {prices, {}});
  EXPECT_EQ(kept.handedOver, (std::array<bool, 12>{}));
  EXPECT_EQ(AsView(kept.paneTexts[prices]), "P1\r\nP2\r\n");
}

} // namespace
} // namespace sf6
