// "Katalog prüfen" in the viewer on the offscreen platform: the check runs
// on a worker while the window keeps handling events, its problems fill the
// list grid, Enter and a double-click go to the problem's line, column and
// field, a caption click sorts, and Esc cancels a running check.

#include "app/MainWindow.h"
#include "app/FrameFileview.h"
#include "app/ProblemListWindow.h"
#include "app/TextView.h"
#include "check/CheckTestCatalog.h"
#include "ui/Cp1252Qt.h"
#include "ui/TvxListGd.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

namespace {

using sf6::test::CleanCatalog;
using sf6::test::Put;
using sf6::test::TestCatalog;

class ProblemListTest : public QObject {
  Q_OBJECT

  static std::string cell(TvxListGd &grid, int displayRow, int column) {
    return grid.logic().cellText(displayRow, column);
  }

  // A catalog with an error in LensPrice.Dat and a warning in OrderOptions.Dat.
  static TestCatalog brokenCatalog() {
    TestCatalog c = CleanCatalog();
    Put(c.line("LensPrice.Dat", 1), 18, "0012,55");
    c.line("OrderOptions.Dat", 1) += "  ";
    return c;
  }

  static QString write(const sf6::test::ScratchDir &dir, const TestCatalog &catalog) {
    const auto path = dir / "catalog.zip";
    sf6::test::WriteFileBytes(path, sf6::test::BuildArchive(catalog.entries()).bytes);
    return QString::fromStdString(path.string());
  }

  static void runCheck(TFormlup6FileView &window) {
    ProblemListWindow &list = *window.problemList();
    QSignalSpy done(&list, &ProblemListWindow::finished);
    list.action()->trigger();
    QVERIFY(list.running());
    QVERIFY(done.wait(20000));
    QCOMPARE(done.front().front().toBool(), false);
    QCoreApplication::processEvents(); // lays out the list that just appeared
  }

private slots:
  void menuHasTheCommandAfterLoading() {
    TFormlup6FileView window;
    const QList<QAction *> actions = window.menuBar()->actions().front()->menu()->actions();
    QCOMPARE(actions.at(2)->text(), QStringLiteral("Katalog pr\u00fcfen"));
    // Before a load there is nothing to check.
    window.problemList()->action()->trigger();
    QVERIFY(!window.problemList()->running());
    QVERIFY(window.statusBar()->currentMessage().contains(QStringLiteral("Kein Katalog")));
  }

  void listsTheProblemsAndCountsThemInTheStatusBar() {
    sf6::test::ScratchDir dir;
    TFormlup6FileView window;
    window.show();
    window.loadCatalog(write(dir, brokenCatalog()));
    runCheck(window);
    TvxListGd &grid = *window.problemList()->grid();
    QVERIFY(window.problemList()->isVisible());
    QCOMPARE(grid.logic().itemCount(), 2);
    QCOMPARE(cell(grid, 0, 0), std::string("LensPrice.Dat"));
    QCOMPARE(cell(grid, 0, 1), std::string("1"));
    QCOMPARE(cell(grid, 0, 2), std::string("22"));
    QCOMPARE(cell(grid, 0, 3), std::string("6 Preis 1"));
    QCOMPARE(cell(grid, 0, 4), std::string("Fehler"));
    QVERIFY(cell(grid, 0, 5).find("[field.number]") != std::string::npos);
    QCOMPARE(cell(grid, 1, 0), std::string("OrderOptions.Dat"));
    QCOMPARE(cell(grid, 1, 4), std::string("Warnung"));
    QCOMPARE(window.statusBar()->currentMessage(),
             QStringLiteral("Katalog gepr\u00fcft: 1 Fehler, 1 Warnung"));
    QVERIFY(window.problemList()->action()->isEnabled());
  }

  void enterAndDoubleClickGoToLineColumnAndField() {
    sf6::test::ScratchDir dir;
    TFormlup6FileView window;
    window.resize(900, 700);
    window.show();
    window.loadCatalog(write(dir, brokenCatalog()));
    runCheck(window);
    TvxListGd &grid = *window.problemList()->grid();

    grid.setCurrentDataRow(0);
    QTest::keyClick(&grid, Qt::Key_Return);
    TFrameFileview1 *price = window.pane(3);
    QCOMPARE(window.tabs()->currentWidget(), price);
    QCOMPARE(price->RichEdit->state().selectionEnd().line, 0);
    QCOMPARE(price->RichEdit->state().selectionEnd().column, 21);
    QCOMPARE(price->RichEdit->markLine(), 0);
    QCOMPARE(price->RichEdit->markColumn(), 18);
    QCOMPARE(price->RichEdit->markWidth(), 7);
    QCOMPARE(price->ListDetail->currentDataRow(), 5);

    const int rowY = grid.logic().headerHeight() + grid.logic().rowHeight() + 5;
    QVERIFY2(grid.height() > rowY, "the list shows its second row");
    // A double-click: the first click selects the row, the second goes to it.
    QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(40, rowY));
    QCOMPARE(grid.currentDataRow(), 1);
    QTest::mouseDClick(&grid, Qt::LeftButton, {}, QPoint(40, rowY));
    QCOMPARE(window.tabs()->currentWidget(), window.pane(9));
    QCOMPARE(window.pane(9)->RichEdit->state().selectionEnd().column, 12);
  }

  void captionClickSortsByThatColumn() {
    sf6::test::ScratchDir dir;
    TFormlup6FileView window;
    window.show();
    window.loadCatalog(write(dir, brokenCatalog()));
    runCheck(window);
    TvxListGd &grid = *window.problemList()->grid();
    QCOMPARE(grid.logic().sortColumn(), 0);
    // "Schwere": the warning sorts after the error, as text.
    const int x = 130 + 55 + 50 + 170 + 20;
    QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(x, 5));
    QCOMPARE(grid.logic().sortColumn(), 5);
    QCOMPARE(cell(grid, 0, 4), std::string("Fehler"));
    QCOMPARE(cell(grid, 1, 4), std::string("Warnung"));
  }

  void aNewCheckReplacesARunningOne() {
    sf6::test::ScratchDir dir;
    TFormlup6FileView window;
    window.show();
    window.loadCatalog(write(dir, brokenCatalog()));
    ProblemListWindow &list = *window.problemList();
    QSignalSpy done(&list, &ProblemListWindow::finished);
    list.start(window.catalogPath());
    list.start(window.catalogPath());
    QVERIFY(done.wait(20000));
    QTest::qWait(100); // the first check's late report, if any, arrives now
    QCOMPARE(done.size(), 1);
    QCOMPARE(done.front().front().toBool(), false);
    QCOMPARE(list.grid()->logic().itemCount(), 2);
    QVERIFY(list.action()->isEnabled());
  }

  void escapeCancelsARunningCheck() {
    sf6::test::ScratchDir dir;
    TestCatalog c = CleanCatalog();
    auto &prices = c.lines["LensPrice.Dat"];
    for (int i = 0; i < 300000; ++i)
      prices.push_back(prices.front());
    TFormlup6FileView window;
    window.show();
    window.loadCatalog(write(dir, c));
    ProblemListWindow &list = *window.problemList();
    QSignalSpy done(&list, &ProblemListWindow::finished);
    list.action()->trigger();
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(done.wait(20000));
    QCOMPARE(done.front().front().toBool(), true);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Pr\u00fcfung abgebrochen"));
    QVERIFY(!list.running());
  }
};

} // namespace

QTEST_MAIN(ProblemListTest)
#include "ProblemList_test.moc"
