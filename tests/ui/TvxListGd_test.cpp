// The grid widget on the offscreen platform: input reaches the logic and the
// painted rows use the grid's colours.

#include "ui/TvxListGd.h"

#include <QImage>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include <string>
#include <vector>

class TvxListGdTest : public QObject {
  Q_OBJECT

  std::vector<std::string> m_rows{"b", "c", "a", "e", "d"};

  void attach(TvxListGd &grid) {
    auto &events = grid.logic().events;
    events.OnGetItemCount = [this](int &count) { count = static_cast<int>(m_rows.size()); };
    events.OnGetColNames = [](int dataIndex, std::string &text, int &width, sf6::Alignment &) {
      if (dataIndex == 1) {
        text = "Feldname";
        width = 150;
      }
    };
    events.OnGetItemData = [this](std::string &text, sf6::TvxListDataType &, int, int row) {
      text = m_rows[row];
    };
  }

private slots:
  void textColumnsSortInTheLocaleWithoutRegardToCase() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    m_rows = {"Zwickau",
              "\xDC"
              "berlingen",
              "aachen", "Ulm"};
    TvxListGd grid;
    attach(grid);
    grid.logic().itemCount();
    grid.logic().setSortColumn(1);
    std::vector<std::string> order;
    for (int row = 0; row < 4; ++row)
      order.push_back(m_rows[static_cast<size_t>(grid.logic().dataRowOf(row))]);
    QCOMPARE(order, (std::vector<std::string>{"aachen",
                                              "\xDC"
                                              "berlingen",
                                              "Ulm", "Zwickau"}));
    m_rows = {"b", "c", "a", "e", "d"};
    QLocale::setDefault(QLocale::system());
  }

  void keysMoveTheCurrentRowAndReportTheDataRow() {
    TvxListGd grid;
    attach(grid);
    grid.resize(200, 150);
    grid.show();
    QSignalSpy spy(&grid, &TvxListGd::currentRowChanged);
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Home);
    QCOMPARE(grid.currentDataRow(), 2); // "a"
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(grid.currentDataRow(), 0); // "b"
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.last().at(0).toInt(), 0);
  }

  void clickOnRowMakesItCurrentAndPaintsItNavyWhenFocused() {
    TvxListGd grid;
    attach(grid);
    grid.resize(200, 150);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    // Third row: y = 1 + 18 + 2 * 18 + 5.
    QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(40, 60));
    QCOMPARE(grid.currentDataRow(), 1); // "c"
    QVERIFY(grid.hasFocus());
    const QImage image = grid.grab().toImage();
    QCOMPARE(image.pixelColor(100, 60), QColor(0x00, 0x00, 0x80));
    QCOMPARE(image.pixelColor(100, 42), QColor(Qt::white));
  }

  void ownerMayColourCellBackgrounds() {
    TvxListGd grid;
    attach(grid);
    grid.logic().events.OnGetItemBgColor = [](uint32_t &colour, int, int row) {
      if (row == 1)
        colour = 0xFFFF00;
    };
    grid.resize(200, 150);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const QImage image = grid.grab().toImage();
    QCOMPARE(image.pixelColor(100, 1 + 18 + 18 + 9), QColor(0xFF, 0xFF, 0x00));
    QCOMPARE(image.pixelColor(100, 1 + 18 + 9), QColor(Qt::white));
  }
};

QTEST_MAIN(TvxListGdTest)
#include "TvxListGd_test.moc"
