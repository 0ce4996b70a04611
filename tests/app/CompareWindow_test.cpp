// "Vergleichen mit…" on the offscreen platform: an older archive compared
// with the catalog loaded in the viewer, the list and its counts, sorting, a
// double-click that shows the changed field in its pane, and a long
// comparison that keeps the window responsive and stops on Esc.

#include "app/CompareWindow.h"
#include "app/MainWindow.h"
#include "app/FrameFileview.h"
#include "app/TextView.h"
#include "ui/Cp1252Qt.h"
#include "ui/TvxListGd.h"
#include "view/CatalogView.h"
#include "zip/VXZip.h"

#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <map>

namespace {

using Entries = std::map<std::string, sf6::LineList>;

std::string priceLine(const std::string &code, const std::string &sph, const std::string &price) {
  std::string line = code;
  line.resize(6, ' ');
  return line + "70  " + sph + "01001" + price;
}

const Entries kOlder = {
    {"Head.dat", {"version                       6.1", "comment                       Herbst"}},
    {"LensPrice.Dat",
     {priceLine("GL1", "01", "0010000"), priceLine("GL1", "02", "0012000"),
      priceLine("GL2", "01", "0020000")}},
    {"Options.Dat", {"AR1   Super"}}};

const Entries kNewer = {
    {"Head.dat",
     {"version                       6.1", "comment                       Fr\xFChjahr"}},
    {"LensPrice.Dat",
     {priceLine("GL2", "01", "0020000"), priceLine("GL1", "01", "0010450"),
      priceLine("GL3", "01", "0030000")}},
    {"Options.Dat", {"AR1   Super"}}};

QString cell(TvxListGd *grid, int displayRow, int column) {
  return sf6::fromCp1252(grid->logic().cellText(displayRow, column));
}

} // namespace

class CompareWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir m_dir;

  QString writeArchive(const QString &name, const Entries &entries) {
    const QString path = m_dir.filePath(name);
    QFile::remove(path);
    sf6::TVXZip zip;
    zip.ZipName(std::filesystem::path(path.toStdString()));
    for (const auto &[entry, lines] : entries)
      zip.StringsToTextfile(entry, lines);
    return path;
  }

  std::unique_ptr<TFormlup6FileView> viewerWith(const Entries &entries) {
    auto viewer = std::make_unique<TFormlup6FileView>();
    viewer->showMessage = [](const QString &, const QString &, bool) {};
    viewer->show();
    viewer->loadCatalog(writeArchive(QStringLiteral("loaded.zip"), entries));
    return viewer;
  }

  // Runs a comparison with the older entries to its end.
  static void compare(CompareWindow &window, const QString &olderPath) {
    QSignalSpy ended(&window, &CompareWindow::comparisonEnded);
    window.start(olderPath);
    QVERIFY(ended.wait(20000));
  }

private slots:
  void menuOffersTheComparison() {
    TFormlup6FileView viewer;
    const QList<QAction *> entries = viewer.menuBar()->actions()[0]->menu()->actions();
    QCOMPARE(entries[1]->text(), QString::fromUtf8("Vergleichen mit\u2026"));
    QVERIFY(entries[1]->isEnabled());
  }

  void listsCountsAndOneRowPerDifferenceAndField() {
    auto viewer = viewerWith(kNewer);
    CompareWindow window(*viewer);
    window.show();
    compare(window, writeArchive(QStringLiteral("older.zip"), kOlder));

    QCOMPARE(window.summary()->text(),
             QString::fromUtf8("Head.dat: 0 neu, 0 entfernt, 1 ge\u00e4ndert\n"
                               "LensPrice.Dat: 1 neu, 1 entfernt, 1 ge\u00e4ndert"));
    TvxListGd *list = window.list();
    QCOMPARE(list->logic().itemCount(), 4);
    QStringList captions;
    for (const auto &column : list->logic().columns())
      captions << sf6::fromCp1252(column.caption);
    QCOMPARE(captions,
             QString::fromUtf8("Datei,\u00c4nderung,Schl\u00fcssel,Feld,alt,neu").split(','));

    QCOMPARE(cell(list, 0, 0), QStringLiteral("Head.dat"));
    QCOMPARE(cell(list, 0, 3), QStringLiteral("comment"));
    QCOMPARE(cell(list, 0, 5), QString::fromUtf8("Fr\u00fchjahr"));
    // LensPrice.Dat by key: GL1 1 changed, GL1 2 removed, GL3 added.
    QCOMPARE(cell(list, 1, 1), QString::fromUtf8("ge\u00e4ndert"));
    QCOMPARE(cell(list, 1, 2), QStringLiteral("GL1 70 1 1 1"));
    QCOMPARE(cell(list, 1, 3), QStringLiteral("6 Preis 1"));
    QCOMPARE(cell(list, 1, 4), QStringLiteral("100.00"));
    QCOMPARE(cell(list, 1, 5), QStringLiteral("104.50 (+4,5 %)"));
    QCOMPARE(cell(list, 2, 1), QStringLiteral("entfernt"));
    QCOMPARE(cell(list, 3, 1), QStringLiteral("neu"));
    QCOMPARE(cell(list, 3, 2), QStringLiteral("GL3 70 1 1 1"));
    QCOMPARE(cell(list, 3, 3), QString());
    QVERIFY(viewer->statusBar()->currentMessage().startsWith(QStringLiteral("Vergleich beendet")));
  }

  void sortsByAColumn() {
    auto viewer = viewerWith(kNewer);
    CompareWindow window(*viewer);
    compare(window, writeArchive(QStringLiteral("older.zip"), kOlder));
    window.list()->logic().setSortColumn(2); // Änderung
    QStringList changes;
    for (int row = 0; row < 4; ++row)
      changes << cell(window.list(), row, 1);
    QCOMPARE(changes, QString::fromUtf8("entfernt,ge\u00e4ndert,ge\u00e4ndert,neu").split(','));
  }

  void doubleClickShowsTheChangedFieldInItsLine() {
    auto viewer = viewerWith(kNewer);
    CompareWindow window(*viewer);
    window.show();
    compare(window, writeArchive(QStringLiteral("older.zip"), kOlder));
    TvxListGd *list = window.list();
    const int rowHeight = list->logic().rowHeight();
    const QPoint changedRow(40, list->logic().headerHeight() + rowHeight + rowHeight / 2);
    QTest::mouseDClick(list, Qt::LeftButton, {}, changedRow);

    const int pane = [] {
      const auto panes = sf6::ViewerPanes();
      for (size_t i = 0; i < panes.size(); ++i)
        if (std::string(panes[i].entryName) == "LensPrice.Dat")
          return static_cast<int>(i);
      return -1;
    }();
    TFrameFileview1 *frame = viewer->pane(pane);
    QCOMPARE(viewer->tabs()->currentWidget(), frame);
    QCOMPARE(frame->CaretLineIndex(), 1); // line 2 of the loaded catalog
    QCOMPARE(frame->RichEdit->markLine(), 1);
    QCOMPARE(frame->RichEdit->markColumn(), 18); // "Preis 1": columns 18-24
    QCOMPARE(frame->RichEdit->markWidth(), 7);
    QCOMPARE(frame->ListDetail->currentDataRow(), 5);

    // A removed record is not in the loaded catalog; an added one is.
    QVERIFY(!window.openRow(2));
    QVERIFY(window.openRow(3));
    QCOMPARE(frame->CaretLineIndex(), 2);
    // The Head.dat row selects the value's line in the header list.
    QVERIFY(window.openRow(0));
    QCOMPARE(viewer->tabs()->currentWidget(), viewer->ListHead);
    QCOMPARE(viewer->ListHead->currentDataRow(), 1);
  }

  void aNewComparisonReplacesARunningOne() {
    auto viewer = viewerWith(kNewer);
    CompareWindow window(*viewer);
    QSignalSpy ended(&window, &CompareWindow::comparisonEnded);
    window.start(m_dir.filePath(QStringLiteral("none.zip")));
    window.start(writeArchive(QStringLiteral("older.zip"), kOlder));
    QVERIFY(ended.wait(20000));
    QTest::qWait(100);
    QCOMPARE(ended.count(), 1); // the first one's end is dropped
    QCOMPARE(window.list()->logic().itemCount(), 4);
  }

  void failureIsShownAboveTheList() {
    auto viewer = viewerWith(kNewer);
    CompareWindow window(*viewer);
    compare(window, m_dir.filePath(QStringLiteral("none.zip")));
    QVERIFY(!window.summary()->text().isEmpty());
    QCOMPARE(window.list()->logic().itemCount(), 0);
    QCOMPARE(viewer->statusBar()->currentMessage(), QStringLiteral("Vergleich fehlgeschlagen"));
  }

  void longComparisonKeepsTheWindowLiveAndEscCancels() {
    Entries big = kNewer;
    sf6::LineList &prices = big["LensPrice.Dat"];
    for (int i = 0; i < 400000; ++i)
      prices.push_back(priceLine("G" + std::to_string(i / 100), std::to_string(10 + i % 90),
                                 std::to_string(1000000 + i)));
    auto viewer = viewerWith(big);
    const QString older = writeArchive(QStringLiteral("older.zip"), kOlder);
    CompareWindow window(*viewer);
    window.show();
    viewer->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(viewer.get()));
    QSignalSpy ended(&window, &CompareWindow::comparisonEnded);
    window.start(older);
    QVERIFY(window.running());
    // Progress arrives while the comparison runs: the event loop is not blocked.
    QTRY_VERIFY_WITH_TIMEOUT(
        viewer->statusBar()->currentMessage().startsWith(QString::fromUtf8("Vergleich l\u00e4uft")),
        10000);
    QTest::keyClick(viewer.get(), Qt::Key_Escape);
    QVERIFY(ended.wait(20000));
    QCOMPARE(window.summary()->text(), QStringLiteral("Vergleich abgebrochen."));
    QCOMPARE(window.list()->logic().itemCount(), 0);
    QVERIFY(!window.running());
  }

  void closingTheViewerDuringAComparisonStopsIt() {
    auto viewer = viewerWith(kNewer);
    auto *window = new CompareWindow(*viewer);
    window->start(writeArchive(QStringLiteral("older.zip"), kOlder));
    viewer.reset(); // deletes the window: its thread is cancelled and joined
  }
};

QTEST_MAIN(CompareWindowTest)
#include "CompareWindow_test.moc"
