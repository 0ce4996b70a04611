// The viewer's main window on the offscreen platform: archives written into
// a temporary folder are loaded through the window's load command, and keys,
// typing and clicks go to the real widgets.

#include "app/ColumnRuler.h"
#include "app/FindAllWindow.h"
#include "app/FrameFileview.h"
#include "app/MainWindow.h"
#include "app/TextView.h"
#include "ui/Cp1252Qt.h"
#include "ui/TvxListGd.h"
#include "view/CatalogView.h"
#include "view/FieldColumns.h"
#include "zip/VXZip.h"

#include "Sf6Version.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <map>
#include <string>
#include <vector>

namespace {

using Entries = std::map<std::string, sf6::LineList>;

const sf6::LineList kLensTypes{
    "BSP001Beispiel Einst\xE4rken 1.5                 2025010120261231000000000021500013205800",
    "BSP002Zweites Glas",
    "", // an empty line inside the file
    "BSP003" + std::string(300, 'x')};

Entries fullCatalog() {
  Entries entries;
  entries["Head.dat"] = {"version                       6.8.3",
                         "Software-id                   test",
                         "comment                       erster"};
  entries["LensType.Dat"] = kLensTypes;
  entries["ProductGroup.Dat"] = {"0BSP001Einst\xE4rken"};
  for (const sf6::ViewerPane &pane : sf6::ViewerPanes())
    entries.try_emplace(pane.entryName, sf6::LineList{std::string("ZZ") + pane.entryName});
  return entries;
}

// A catalog whose lines refer to each other: a power range of BSP002 with
// the coating ENT in its first coating field, two price lines of BSP002
// after one of BSP003, and the options HC1 and ENT.
Entries relatedCatalog() {
  Entries entries = fullCatalog();
  entries["LensRange.Dat"] = {"BSP002" + std::string(42, ' ') + "ENT   "};
  entries["LensPrice.Dat"] = {"BSP003  6501010010001000", "BSP002  6501010010002000",
                              "BSP002  7001010010003000"};
  entries["Options.Dat"] = {"HC1   Hartschicht", "ENT   Entspiegelung"};
  return entries;
}

// The pane of the tab captioned caption.
int paneIndex(const char *caption) {
  const auto panes = sf6::ViewerPanes();
  for (size_t i = 0; i < panes.size(); ++i)
    if (std::string(panes[i].tabCaption) == caption)
      return static_cast<int>(i);
  return -1;
}

QString cell(TvxListGd *grid, int displayRow, int column) {
  return sf6::fromCp1252(grid->logic().cellText(displayRow, column));
}

} // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir m_dir;
  std::vector<std::pair<QString, QString>> m_messages;
  QList<QUrl> m_opened;

  QString writeArchive(const QString &name, const Entries &entries, int packLevel = 6) {
    const QString path = m_dir.filePath(name);
    QFile::remove(path);
    sf6::TVXZip zip;
    zip.ZipName(std::filesystem::path(path.toStdString()));
    zip.PackLevel(packLevel);
    for (const auto &[entry, lines] : entries)
      zip.StringsToTextfile(entry, lines);
    return path;
  }

  std::unique_ptr<TFormlup6FileView> makeWindow() {
    auto window = std::make_unique<TFormlup6FileView>();
    window->showMessage = [this](const QString &caption, const QString &text, bool) {
      m_messages.emplace_back(caption, text);
    };
    window->show();
    return window;
  }

  TFrameFileview1 *showPane(TFormlup6FileView &window, const char *caption) {
    const int index = paneIndex(caption);
    window.tabs()->setCurrentWidget(window.pane(index));
    window.pane(index)->RichEdit->setFocus();
    return window.pane(index);
  }

public slots:
  // Receives what the start page's links open (QDesktopServices handler).
  void openUrl(const QUrl &url) { m_opened << url; }

private slots:
  void initTestCase() {
    // Settings (recent files, last folder) go to a test location of their own.
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
  }

  void recentFilesSurviveARestartAndMissingOnesAreDropped() {
    const QString first = writeArchive("first.zip", fullCatalog());
    const QString second = writeArchive("second.zip", fullCatalog());
    {
      auto window = makeWindow();
      window->loadCatalog(first);
      window->loadCatalog(second);
      window->loadCatalog(first);
    }
    auto window = makeWindow(); // a new run reads what the last one kept
    QCOMPARE(window->recentFiles(), (QStringList{first, second}));
    QFile::remove(second);
    m_messages.clear();
    window->fillRecentMenu();
    QCOMPARE(window->recentFiles(), QStringList{first});
    QCOMPARE(m_messages.size(), size_t{1});
    QVERIFY(m_messages.front().second.contains(QStringLiteral("second.zip")));
  }

  void f5ReloadsAndCtrlGGoesToALine() {
    const QString path = writeArchive("reload.zip", fullCatalog());
    auto window = makeWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window->loadCatalog(path);
    Entries changed = fullCatalog();
    changed["LensType.Dat"] = {"NEU001Neues Glas"};
    writeArchive("reload.zip", changed);
    QTest::keyClick(window.get(), Qt::Key_F5);
    TFrameFileview1 *pane = showPane(*window, "LensType.dat");
    QCOMPARE(pane->RichEdit->document().line(0), std::string_view("NEU001Neues Glas"));
    window->loadCatalog(writeArchive("reload.zip", fullCatalog()));
    window->goToLine(2);
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("0/2"));
    QCOMPARE(pane->CaretLineIndex(), 2);
    QVERIFY(pane->RichEdit->hasFocus());
    window->goToLine(99); // past the end: the last line
    QCOMPARE(pane->CaretLineIndex(), pane->RichEdit->document().lineCount() - 1);
  }

  void findBarFindsAsYouTypeWrapsAndGivesTheFocusBack() {
    auto window = makeWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window->loadCatalog(writeArchive("find.zip", fullCatalog()));
    TFrameFileview1 *pane = showPane(*window, "LensType.dat");
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(window->findBar()->isVisible());
    QVERIFY(window->findField()->hasFocus());
    QTest::keyClicks(window->findField(), "bsp00");
    QCOMPARE(pane->CaretLineIndex(), 0); // found as typed, from the caret
    QTest::keyClicks(window->findField(), "2");
    QCOMPARE(pane->CaretLineIndex(), 1);
    QCOMPARE(pane->RichEdit->state().selectionStart(), (sf6::TextPos{1, 0}));
    QCOMPARE(cell(pane->ListDetail, 0, 2), QStringLiteral("BSP002")); // the grid follows
    QTest::keyClick(window->findField(), Qt::Key_Return); // the only match: wraps to itself
    QCOMPARE(pane->CaretLineIndex(), 1);
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Suche am Anfang fortgesetzt"));
    window->findField()->setText(QStringLiteral("bsp"));
    QTest::keyClick(window.get(), Qt::Key_F3); // F3: the next one
    QCOMPARE(pane->CaretLineIndex(), 3);
    QTest::keyClick(window.get(), Qt::Key_F3, Qt::ShiftModifier); // Shift+F3: back
    QCOMPARE(pane->CaretLineIndex(), 1);
    window->findField()->setText(QStringLiteral("gibt es nicht"));
    QTest::keyClick(window->findField(), Qt::Key_Return);
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("nicht gefunden"));
    QCOMPARE(pane->CaretLineIndex(), 1);
    QTest::keyClick(window->findField(), Qt::Key_Escape);
    QVERIFY(!window->findBar()->isVisible());
    QVERIFY(pane->RichEdit->hasFocus());
    QCOMPARE(pane->CaretLineIndex(), 1);
  }

  void findInAllFilesListsHitsAndEnterGoesToOne() {
    auto window = makeWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window->loadCatalog(writeArchive("findall.zip", fullCatalog()));
    showPane(*window, "LensType.dat");
    FindAllWindow *list = window->findAll();
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(list->isVisible());
    QVERIFY(list->searchField()->hasFocus());
    QTest::keyClicks(list->searchField(), "bsp00");
    QTest::keyClick(list->searchField(), Qt::Key_Return);
    // Three lens types and the product group line; the list keeps file order.
    TvxListGd *grid = list->grid();
    QCOMPARE(grid->logic().itemCount(), 4);
    QCOMPARE(cell(grid, 0, 0), QStringLiteral("LensType.Dat"));
    QCOMPARE(cell(grid, 2, 1), QStringLiteral("3"));
    QCOMPARE(cell(grid, 3, 0), QStringLiteral("ProductGroup.Dat"));
    QCOMPARE(cell(grid, 3, 2), QStringLiteral("1"));
    QCOMPARE(cell(grid, 3, 3), QString::fromUtf8("0BSP001Einst\u00e4rken"));
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("4 Treffer in 2 Dateien"));
    // Messages show left of the archive's permanent label, which leaves them room.
    const auto *archiveLabel =
        window->statusBar()->findChild<QLabel *>(QStringLiteral("ArchiveStatus"));
    QVERIFY(archiveLabel->geometry().left() > window->statusBar()->width() / 3);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_End);
    QTest::keyClick(grid, Qt::Key_Return);
    TFrameFileview1 *group = window->pane(paneIndex("ProductGroup.Dat"));
    QCOMPARE(window->tabs()->currentWidget(), group);
    QCOMPARE(group->RichEdit->state().selectionStart(), (sf6::TextPos{0, 1}));
    QCOMPARE(group->RichEdit->state().selectionEnd(), (sf6::TextPos{0, 6}));
    QVERIFY(group->RichEdit->hasFocus());
    QCOMPARE(group->LabelXY->text(), QStringLiteral("6/0"));
    // A hit in Head.dat selects its row of the header list.
    list->open(QStringLiteral("ERSTER"));
    QTest::keyClick(list->searchField(), Qt::Key_Return);
    QCOMPARE(cell(grid, 0, 0), QStringLiteral("Head.dat"));
    list->jumpTo(0);
    QCOMPARE(window->tabs()->currentWidget(), window->ListHead);
    QCOMPARE(window->ListHead->currentDataRow(), 2);

    // A large catalog is searched on a worker thread: the texts are read-only
    // meanwhile, and Esc cancels.
    std::string many;
    for (int i = 0; i < 400000; ++i)
      many += "BSP" + std::to_string(i) + "  6501010010001000\r\n";
    TFrameFileview1 *prices = window->pane(paneIndex("LensPrice.dat"));
    prices->setText(sf6::ToByteBuffer(many));
    list->threadFromLines = 0;
    QSignalSpy ended(list, &FindAllWindow::finished);
    list->searchField()->setText(QStringLiteral("650101"));
    list->start();
    QVERIFY(prices->RichEdit->isReadOnly());
    QTest::keyClick(list->searchField(), Qt::Key_Escape);
    QVERIFY(ended.wait(10000));
    QCOMPARE(ended.front().front().toBool(), true);
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Suche abgebrochen"));
    QVERIFY(!prices->RichEdit->isReadOnly());
    QCOMPARE(grid->logic().itemCount(), 1); // the last list stays
    // Run to its end: the list holds the first hits, the status the count.
    list->start();
    QVERIFY(ended.wait(20000));
    QCOMPARE(ended.back().front().toBool(), false);
    QCOMPARE(grid->logic().itemCount(), static_cast<int>(FindAllWindow::kListedHits));
    QCOMPARE(window->statusBar()->currentMessage(),
             QStringLiteral("400000 Treffer, die ersten 10000 gelistet"));
  }

  void jumpsToRelatedLinesAndBack() {
    auto window = makeWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window->loadCatalog(writeArchive("related.zip", relatedCatalog()));
    TFrameFileview1 *range = showPane(*window, "LensRange.dat");
    TFrameFileview1 *options = window->pane(paneIndex("Options.dat"));
    TFrameFileview1 *prices = window->pane(paneIndex("LensPrice.dat"));
    // F12 on the coating field: its option.
    range->RichEdit->setCaret({0, 50}, {0, 50});
    QTest::keyClick(range->RichEdit, Qt::Key_F12);
    QCOMPARE(window->tabs()->currentWidget(), options);
    QCOMPARE(options->RichEdit->state().caret(), (sf6::TextPos{1, 0}));
    QVERIFY(options->RichEdit->hasFocus());
    QCOMPARE(cell(options->ListDetail, 0, 2), QStringLiteral("ENT")); // decoded there
    // Alt+Left: back where the jump started.
    QTest::keyClick(options->RichEdit, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(window->tabs()->currentWidget(), range);
    QCOMPARE(range->RichEdit->state().caret(), (sf6::TextPos{0, 50}));
    QVERIFY(range->RichEdit->hasFocus());
    // Shift+F12 elsewhere in the line: the first prices of its lens; F12 from
    // there its lens type; two steps back.
    range->RichEdit->setCaret({0, 8}, {0, 8});
    QTest::keyClick(range->RichEdit, Qt::Key_F12, Qt::ShiftModifier);
    QCOMPARE(window->tabs()->currentWidget(), prices);
    QCOMPARE(prices->CaretLineIndex(), 1);
    QTest::keyClick(prices->RichEdit, Qt::Key_F12);
    TFrameFileview1 *lenses = window->pane(paneIndex("LensType.dat"));
    QCOMPARE(window->tabs()->currentWidget(), lenses);
    QCOMPARE(lenses->CaretLineIndex(), 1);
    QCOMPARE(window->jumpDepth(), 2);
    QTest::keyClick(lenses->RichEdit, Qt::Key_Left, Qt::AltModifier);
    QTest::keyClick(prices->RichEdit, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(window->tabs()->currentWidget(), range);
    QCOMPARE(range->RichEdit->state().caret(), (sf6::TextPos{0, 8}));
    // No target: the status bar says why and nothing moves.
    showPane(*window, "LensType.dat");
    QTest::keyClick(lenses->RichEdit, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(lenses->RichEdit, Qt::Key_F12, Qt::ShiftModifier);
    QCOMPARE(window->tabs()->currentWidget(), lenses);
    QCOMPARE(window->statusBar()->currentMessage(),
             QString::fromUtf8("Keine Preise zu Glascode \u201eBSP001\u201c in LensPrice.Dat"));

    // The context menu: a right click on the coating's last letter puts the
    // caret on it, and "Zur Option" goes to ENT.
    showPane(*window, "LensRange.dat");
    range->RichEdit->setCaret({0, 0}, {0, 0});
    QString menuTexts;
    QTimer::singleShot(0, this, [&menuTexts] {
      auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
      if (!menu)
        return;
      for (QAction *action : menu->actions())
        menuTexts += action->text() + QLatin1Char('|');
      for (QAction *action : menu->actions())
        if (action->text() == QStringLiteral("Zur Option"))
          action->trigger();
      menu->close();
    });
    TextView *text = range->RichEdit;
    const QPoint at(qRound((50 - text->horizontalScrollBar()->value() + 0.5) * text->charWidth()),
                    3);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, text->viewport()->mapToGlobal(at));
    QApplication::sendEvent(text->viewport(), &rightClick);
    QVERIFY(menuTexts.startsWith(QString::fromUtf8("Zum Glas|Zu den Preisen|Zur Option|")));
    QCOMPARE(window->tabs()->currentWidget(), options);
    QCOMPARE(options->CaretLineIndex(), 1);
    QTest::keyClick(options->RichEdit, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(range->RichEdit->state().caret(), (sf6::TextPos{0, 50}));
  }

  void rulerAndFieldGridFollowTheCaretsField() {
    auto window = makeWindow();
    window->loadCatalog(writeArchive("ruler.zip", fullCatalog()));
    TFrameFileview1 *pane = showPane(*window, "LensType.dat");
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    for (int i = 0; i < 7; ++i)
      QTest::keyClick(pane->RichEdit, Qt::Key_Right);
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("7/0"));
    QCOMPARE(pane->ListDetail->currentDataRow(), 1); // "Bezeichnung", columns 7-46
    QCOMPARE(pane->Ruler->currentColumn(), 7);
    QCOMPARE(pane->Ruler->currentWidth(), 40);
    QCOMPARE(pane->RichEdit->markColumn(), 7);
    QTest::keyClick(pane->RichEdit, Qt::Key_End); // after the last character: its field
    const int length = pane->RichEdit->document().lineLength(0);
    QCOMPARE(pane->ListDetail->currentDataRow(),
             sf6::FieldAtCaret(sf6::LensTypeLayout().fields(), length)->number - 1);
    QTest::keyClick(pane->RichEdit, Qt::Key_Home);
    QCOMPARE(pane->ListDetail->currentDataRow(), 0);
    QCOMPARE(pane->Ruler->currentColumn(), 1);
    QVERIFY(pane->Ruler->isVisible());
    QVERIFY(pane->Ruler->height() > 0);
  }

  void windowSizeAndSplittersSurviveARestart() {
    const auto forget = qScopeGuard([] { QSettings().remove(QStringLiteral("session")); });
    {
      auto window = makeWindow();
      window->resize(900, 600);
      showPane(*window, "LensGeo.dat");
      QVERIFY(QTest::qWaitForWindowExposed(window.get()));
      // The user drags the handle between text and grid to x = 420.
      QSplitterHandle *handle = window->pane(2)->Splitter1->handle(1);
      const int startX = handle->mapTo(window->pane(2)->Splitter1, QPoint(1, 5)).x();
      QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(1, 5));
      QTest::mouseMove(handle, QPoint(1 + 420 - startX + 1, 5));
      QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(1 + 420 - startX + 1, 5));
      QCOMPARE(window->pane(2)->Splitter1->sizes().front(), 420);
      window->close();
    }
    auto window = makeWindow();
    QCOMPARE(window->size(), QSize(900, 600));
    showPane(*window, "LensGeo.dat");
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->pane(2)->Splitter1->sizes().front(), 420);
    showPane(*window, "LensType.dat"); // a splitter not moved stays as it starts
    QApplication::processEvents();
    QCOMPARE(window->pane(0)->Splitter1->sizes().front(), 257);
  }

  void aDroppedArchiveOpens() {
    const QString path = writeArchive("dropped.zip", fullCatalog());
    auto window = makeWindow();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    QCOMPARE(window->catalogPath(), path);
    QVERIFY(window->archiveStatus().startsWith(path));
  }

  void ctrlTabSwitchesTabsFromTheStartPage() {
    auto window = makeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(window->tabs()->currentIndex(), 0);
    QTest::keyClick(window.get(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(window->tabs()->currentIndex(), 1);
    QTest::keyClick(window.get(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(window->tabs()->currentIndex(), 0);
    QTest::keyClick(window.get(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(window->tabs()->currentIndex(), window->tabs()->count() - 1);
  }

  void startPageLinksOpenOnlyOnALeftClickReleasedInside() {
    auto window = makeWindow();
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
    const auto unset =
        qScopeGuard([] { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); });
    QLabel *link = nullptr;
    for (QLabel *label : window->findChildren<QLabel *>())
      if (label->text().startsWith(QStringLiteral("https://")))
        link = label;
    QVERIFY(link);
    link->resize(200, 20);
    QTest::mouseClick(link, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(500, 5)); // dragged off
    QVERIFY(m_opened.isEmpty());
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(m_opened.size(), 1);
    QCOMPARE(m_opened.front().toString(), link->text());
  }

  void init() { m_messages.clear(); }

  void startsWithFourteenTabsMenuAndVersionCaption() {
    auto window = makeWindow();
    const QStringList expected{"Startseite",       "Head.dat",
                               "LensType.dat",     "LensRange.dat",
                               "LensGeo.dat",      "LensPrice.dat",
                               "Options.dat",      "OptionsColor.dat",
                               "OptionsPrice.dat", "Combination.dat",
                               "Information.dat",  "OrderOptions.Dat",
                               "ProductGroup.Dat", "CodeSubstitution.Dat"};
    QStringList captions;
    for (int i = 0; i < window->tabs()->count(); ++i)
      captions << window->tabs()->tabText(i);
    QCOMPARE(captions, expected);
    QCOMPARE(window->tabs()->currentIndex(), 0);
    QCOMPARE(window->windowTitle(),
             QString::fromUtf8("VELDRAK Fileviewer f\u00fcr den \"Produktkatalog "
                               "Brillengl\u00e4ser\" (Programmversion:" SF6_FILE_VERSION ")"));
    const QList<QAction *> menus = window->menuBar()->actions();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[1]->text(), QStringLiteral("Suchen"));
    QStringList searchEntries;
    for (const QAction *action : menus[1]->menu()->actions())
      searchEntries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(searchEntries, (QStringList{QString::fromUtf8("Gehe zu Zeile\u2026"),
                                         QString::fromUtf8("Suchen\u2026"), "Weitersuchen",
                                         QString::fromUtf8("R\u00fcckw\u00e4rts suchen"),
                                         QString::fromUtf8("In allen Dateien suchen\u2026"), "-",
                                         "Zum Glas bzw. zur Option", "Zu den Preisen",
                                         QString::fromUtf8("Zur\u00fcck")}));
    QCOMPARE(menus[0]->text(), QStringLiteral("Datei"));
    const QList<QAction *> entries = menus[0]->menu()->actions();
    QCOMPARE(entries.size(), 8);
    QCOMPARE(entries[0]->text(), QStringLiteral("SF6 laden"));
    QCOMPARE(entries[1]->text(), QString::fromUtf8("Vergleichen mit\u2026"));
    QCOMPARE(entries[2]->text(), QStringLiteral("Katalog pr\u00fcfen"));
    QCOMPARE(entries[3]->text(), QStringLiteral("Konvertierung SF4->SF6"));
    QVERIFY(!entries[3]->isEnabled());
    QCOMPARE(entries[4]->text(), QString::fromUtf8("Zuletzt ge\u00f6ffnet"));
    QCOMPARE(entries[5]->text(), QStringLiteral("Neu laden"));
    QVERIFY(entries[6]->isSeparator());
    QCOMPARE(entries[7]->text(), QStringLiteral("beenden"));
  }

  void conversionCommandOpensTheDialogModally() {
    auto window = makeWindow();
    bool opened = false;
    QTimer::singleShot(200, [&] {
      QWidget *modal = QApplication::activeModalWidget();
      opened = modal && modal->inherits("TFormLup2ViewKonverter");
      if (modal)
        modal->close();
    });
    window->KonvertierungSF4SF61Click();
    QVERIFY(opened);
  }

  void versionInfoAnswersForTheProgramOnly() {
    TVersionInfo info;
    std::string text;
    QVERIFY(info.GetEntry(3, text));
    QCOMPARE(text, std::string(SF6_FILE_VERSION));
    QCOMPARE(info.FileVersion(), std::string(SF6_FILE_VERSION));
    QVERIFY(!info.GetEntry(9, text));
    QCOMPARE(text, std::string());
    info.LoadFromFile(m_dir.filePath("other.exe").toStdString());
    QVERIFY(!info.Loaded());
    QVERIFY(!info.GetEntry(3, text));
    QCOMPARE(text, std::string());
    info.Release();
    QVERIFY(info.FileName().empty());
  }

  void fieldGridsOfZeroedRecordsListEveryFieldInNumberOrder() {
    auto window = makeWindow();
    TvxListGd *grid = window->pane(paneIndex("LensType.dat"))->ListDetail;
    QCOMPARE(grid->logic().itemCount(), 40);
    for (int row = 0; row < 40; ++row)
      QCOMPARE(cell(grid, row, 0), QString::number(row + 1));
    QCOMPARE(cell(grid, 1, 1), QStringLiteral("Bezeichnung"));
    QCOMPARE(cell(grid, 5, 2), QStringLiteral("Nein")); // Ausgleichsglas
    QCOMPARE(window->pane(paneIndex("ProductGroup.Dat"))->ListDetail->logic().itemCount(), 3);
    QStringList captions;
    for (const auto &column : grid->logic().columns())
      captions << sf6::fromCp1252(column.caption);
    QCOMPARE(captions, (QStringList{"Feld-Nr.", "Feldname", "Feldwert"}));
  }

  void loadShowsHeaderByNameAndDecodesFirstLines() {
    auto window = makeWindow();
    window->loadCatalog(writeArchive("full.zip", fullCatalog()));
    TvxListGd *head = window->ListHead;
    QCOMPARE(head->logic().itemCount(), 3);
    QCOMPARE(cell(head, 0, 0), QStringLiteral("comment"));
    QCOMPARE(cell(head, 1, 0), QStringLiteral("Software-id"));
    QCOMPARE(cell(head, 2, 0), QStringLiteral("version"));
    QCOMPARE(cell(head, 2, 1), QStringLiteral("6.8.3"));
    // A click on the "Feldwert" caption orders the rows by value.
    window->tabs()->setCurrentWidget(head);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTest::mouseClick(head, Qt::LeftButton, {}, QPoint(300, 8));
    QCOMPARE(cell(head, 0, 1), QStringLiteral("6.8.3"));
    QCOMPARE(cell(head, 1, 1), QStringLiteral("erster"));
    QCOMPARE(cell(head, 2, 1), QStringLiteral("test"));
    TFrameFileview1 *pane = window->pane(paneIndex("LensType.dat"));
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("0/0"));
    QCOMPARE(cell(pane->ListDetail, 0, 2), QStringLiteral("BSP001"));
    QCOMPARE(cell(pane->ListDetail, 1, 2), QString::fromUtf8("Beispiel Einst\u00e4rken 1.5"));
    QCOMPARE(pane->RichEdit->document().lineCount(), 5); // 4 lines and the one after the last break
    QCOMPARE(cell(window->pane(paneIndex("ProductGroup.Dat"))->ListDetail, 2, 2),
             QString::fromUtf8("Einst\u00e4rken"));
    QVERIFY(window->missingEntries().empty());
    QVERIFY(m_messages.empty());
  }

  void caretKeysUpdateLabelAndGridOnRelease() {
    auto window = makeWindow();
    window->loadCatalog(writeArchive("full.zip", fullCatalog()));
    TFrameFileview1 *pane = showPane(*window, "LensType.dat");
    QTest::keyClick(pane->RichEdit, Qt::Key_Down);
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("0/1"));
    QCOMPARE(cell(pane->ListDetail, 0, 2), QStringLiteral("BSP002"));
    QTest::keyClick(pane->RichEdit, Qt::Key_End);
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("18/1"));
    // The empty line inside the file and the one after the last line break
    // decode as empty values.
    QTest::keyClick(pane->RichEdit, Qt::Key_Down);
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("0/2"));
    QCOMPARE(cell(pane->ListDetail, 0, 2), QString());
    QCOMPARE(cell(pane->ListDetail, 5, 2), QStringLiteral("Nein"));
    QTest::keyClick(pane->RichEdit, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("0/4"));
    QCOMPARE(cell(pane->ListDetail, 0, 2), QString());
    QTest::keyClick(pane->RichEdit, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("0/0"));
  }

  void holdingAKeyDownUpdatesOnlyAtRelease() {
    auto window = makeWindow();
    window->loadCatalog(writeArchive("full.zip", fullCatalog()));
    TFrameFileview1 *pane = showPane(*window, "LensType.dat");
    QTest::keyPress(pane->RichEdit, Qt::Key_Down);
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(pane->RichEdit, &repeatRelease);
    QKeyEvent repeatPress(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(pane->RichEdit, &repeatPress);
    QCOMPARE(pane->RichEdit->state().caret().line, 2);
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("0/0"));
    QCOMPARE(cell(pane->ListDetail, 0, 2), QStringLiteral("BSP001"));
    QTest::keyRelease(pane->RichEdit, Qt::Key_Down);
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("0/2"));
  }

  void cancellingTheOpenDialogChangesNothing() {
    auto window = makeWindow();
    window->loadCatalog(writeArchive("full.zip", fullCatalog()));
    const QString status = window->archiveStatus();
    QString title;
    QStringList filters;
    QTimer::singleShot(200, [&] {
      auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
      if (!dialog)
        return;
      title = dialog->windowTitle();
      filters = dialog->nameFilters();
      dialog->reject();
    });
    window->SF6laden1Click();
    QCOMPARE(title, QString::fromUtf8("Verzeichnis w\u00e4hlen"));
    QCOMPARE(filters, QStringList{"Standardformat 6.x ZIP (*.zip)"});
    QCOMPARE(window->archiveStatus(), status);
    QCOMPARE(window->pane(paneIndex("LensType.dat"))->RichEdit->document().line(1),
             std::string_view("BSP002Zweites Glas"));
    QVERIFY(m_messages.empty());
  }

  void mousePlacementWaitsForTheNextKeyRelease() {
    auto window = makeWindow();
    window->loadCatalog(writeArchive("full.zip", fullCatalog()));
    TFrameFileview1 *pane = showPane(*window, "LensType.dat");
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const int lineHeight = QFontMetrics(pane->RichEdit->font()).lineSpacing();
    QTest::mouseClick(pane->RichEdit->viewport(), Qt::LeftButton, {},
                      QPoint(2, lineHeight + lineHeight / 2));
    QCOMPARE(pane->RichEdit->state().caret().line, 1);
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("0/0"));
    QCOMPARE(cell(pane->ListDetail, 0, 2), QStringLiteral("BSP001"));
    QTest::keyClick(pane->RichEdit, Qt::Key_Shift);
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("0/1"));
    QCOMPARE(cell(pane->ListDetail, 0, 2), QStringLiteral("BSP002"));
  }

  void rightToLeftSelectionReportsItsRightEnd() {
    auto window = makeWindow();
    window->loadCatalog(writeArchive("full.zip", fullCatalog()));
    TFrameFileview1 *pane = showPane(*window, "LensType.dat");
    QTest::keyClick(pane->RichEdit, Qt::Key_Down);
    QTest::keyClick(pane->RichEdit, Qt::Key_Right);
    QTest::keyClick(pane->RichEdit, Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(pane->RichEdit->state().caret().line, 0);
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("1/1"));
    QCOMPARE(cell(pane->ListDetail, 0, 2), QStringLiteral("BSP002"));
  }

  void typingChangesTheGridAtOnceButNotTheArchive() {
    auto window = makeWindow();
    const QString path = writeArchive("full.zip", fullCatalog());
    window->loadCatalog(path);
    TFrameFileview1 *pane = showPane(*window, "LensType.dat");
    QTest::keyClicks(pane->RichEdit, "XY");
    QCOMPARE(cell(pane->ListDetail, 0, 2), QStringLiteral("XYBSP0"));
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("2/0"));
    QTest::keyClick(pane->RichEdit, Qt::Key_Backspace);
    QCOMPARE(cell(pane->ListDetail, 0, 2), QStringLiteral("XBSP00"));
    QTest::keyClick(pane->RichEdit, Qt::Key_Return);
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("0/1"));
    QCOMPARE(cell(pane->ListDetail, 0, 2), QStringLiteral("BSP001"));
    sf6::TVXZip zip;
    zip.ZipName(std::filesystem::path(path.toStdString()));
    sf6::LineList lines;
    zip.ExtractTextfileToStrings("LensType.Dat", lines);
    QCOMPARE(lines.front(), kLensTypes.front());
  }

  void copyAndPasteGoThroughTheClipboardAsUnicode() {
    auto window = makeWindow();
    window->loadCatalog(writeArchive("full.zip", fullCatalog()));
    TFrameFileview1 *pane = showPane(*window, "LensType.dat");
    for (int i = 0; i < 21; ++i)
      QTest::keyClick(pane->RichEdit, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(pane->RichEdit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString::fromUtf8("BSP001Beispiel Einst\u00e4"));
    QTest::keyClick(pane->RichEdit, Qt::Key_Down);
    QTest::keyClick(pane->RichEdit, Qt::Key_Home);
    QTest::keyClick(pane->RichEdit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(pane->RichEdit->document().line(1), std::string_view("BSP001Beispiel Einst\xE4"
                                                                  "BSP002Zweites Glas"));
    QCOMPARE(pane->LabelXY->text(), QStringLiteral("21/1"));
    QTest::keyClick(pane->RichEdit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(pane->RichEdit, Qt::Key_Delete);
    QCOMPARE(pane->RichEdit->document().lineCount(), 1);
    QCOMPARE(cell(pane->ListDetail, 0, 2), QString());
  }

  void lineLongerThan255IsDecodedFromItsFirst255Characters() {
    auto window = makeWindow();
    window->loadCatalog(writeArchive("full.zip", fullCatalog()));
    TFrameFileview1 *pane = showPane(*window, "LensType.dat");
    QTest::keyClick(pane->RichEdit, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(pane->RichEdit, Qt::Key_Up);
    QCOMPARE(pane->CurrentLine().size(), size_t{255});
    QCOMPARE(pane->CurrentLine(), "BSP003" + std::string(249, 'x'));
  }

  void selectingAFieldRowMarksItsColumnsInTheCaretLine() {
    auto window = makeWindow();
    window->loadCatalog(writeArchive("full.zip", fullCatalog()));
    TFrameFileview1 *pane = showPane(*window, "LensType.dat");
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    TvxListGd *grid = pane->ListDetail;
    // Row 2 ("Bezeichnung") lies at y = 1 + 18 + 18 + 5.
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(30, 42));
    QCOMPARE(grid->currentDataRow(), 1);
    QCOMPARE(pane->RichEdit->markLine(), 0);
    QCOMPARE(pane->RichEdit->markColumn(), 7);
    QCOMPARE(pane->RichEdit->markWidth(), 40);
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(pane->RichEdit->markColumn(), 47);
    QCOMPARE(pane->RichEdit->markWidth(), 8);
    // The mark follows the caret to another line.
    pane->RichEdit->setFocus();
    QTest::keyClick(pane->RichEdit, Qt::Key_Down);
    QCOMPARE(pane->RichEdit->markLine(), 1);
  }

  void missingEntryEmptiesItsPaneAndIsNamedInTheStatusBar() {
    auto window = makeWindow();
    window->loadCatalog(writeArchive("full.zip", fullCatalog()));
    Entries partial = fullCatalog();
    partial.erase("CodeSubstitution.Dat");
    partial["Head.dat"] = {"comment                       zweiter"};
    window->loadCatalog(writeArchive("partial.zip", partial));
    TFrameFileview1 *pane = window->pane(paneIndex("CodeSubstitution.Dat"));
    QCOMPARE(pane->RichEdit->document().lineCount(), 1);
    QCOMPARE(pane->RichEdit->document().line(0), std::string_view());
    QCOMPARE(cell(pane->ListDetail, 1, 2), QString());
    QCOMPARE(window->missingEntries(), std::vector<std::string>{"CodeSubstitution.Dat"});
    QVERIFY(window->archiveStatus().contains("CodeSubstitution.Dat"));
    // A menu hint passing over the status bar leaves the archive's text in place.
    QStatusTipEvent hint(QStringLiteral("Hinweis"));
    QApplication::sendEvent(window.get(), &hint);
    QStatusTipEvent gone{QString()};
    QApplication::sendEvent(window.get(), &gone);
    QVERIFY(window->archiveStatus().contains("CodeSubstitution.Dat"));
    QCOMPARE(window->ListHead->logic().itemCount(), 1);
    QCOMPARE(cell(window->ListHead, 0, 1), QStringLiteral("zweiter"));
    QVERIFY(m_messages.empty());
  }

  void unreadableEntryIsEmptiedAndReportedInAnErrorBox() {
    auto window = makeWindow();
    const QString path = writeArchive("stored.zip", fullCatalog(), 0);
    // Damage the stored bytes of LensType.Dat so that its CRC-32 fails.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const qsizetype at = bytes.indexOf("BSP001Beispiel");
    QVERIFY(at > 0);
    bytes[at] = 'Q';
    file.seek(0);
    file.write(bytes);
    file.close();
    window->loadCatalog(path);
    QCOMPARE(window->unreadableEntries(), std::vector<std::string>{"LensType.Dat"});
    QCOMPARE(window->pane(paneIndex("LensType.dat"))->RichEdit->document().line(0),
             std::string_view());
    QCOMPARE(m_messages.size(), size_t{1});
    QVERIFY(m_messages[0].second.contains("LensType.Dat"));
    QCOMPARE(window->pane(paneIndex("ProductGroup.Dat"))->RichEdit->document().line(0),
             std::string_view("0BSP001Einst\xE4rken"));
  }

  void entryOfUnknownMethodShowsZipErrorAndIsEmptied() {
    auto window = makeWindow();
    const QString path = writeArchive("method.zip", fullCatalog(), 0);
    // Set the compression method of OrderOptions.Dat to 99 in its local and
    // central header (method at offset 8 and 10 after the signatures).
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    int patched = 0;
    for (qsizetype at = bytes.indexOf("OrderOptions.Dat"); at >= 0;
         at = bytes.indexOf("OrderOptions.Dat", at + 1)) {
      if (at >= 30 && bytes.mid(at - 30, 4) == QByteArray("PK\x03\x04", 4)) {
        bytes[at - 30 + 8] = 99;
        ++patched;
      } else if (at >= 46 && bytes.mid(at - 46, 4) == QByteArray("PK\x01\x02", 4)) {
        bytes[at - 46 + 10] = 99;
        ++patched;
      }
    }
    QCOMPARE(patched, 2);
    file.seek(0);
    file.write(bytes);
    file.close();
    window->loadCatalog(path);
    QCOMPARE(window->unreadableEntries(), std::vector<std::string>{"OrderOptions.Dat"});
    QVERIFY(m_messages.size() >= 2);
    QCOMPARE(m_messages.front().first, QStringLiteral("Zip Error"));
    QVERIFY(m_messages.back().second.contains("OrderOptions.Dat"));
    QCOMPARE(window->pane(paneIndex("OrderOptions.Dat"))->RichEdit->document().line(0),
             std::string_view());
  }

  // A load shows the tab the user looks at as soon as its entry is read,
  // holds that tab until the rest is read, and a load cancelled meanwhile
  // puts back what the tab showed, edits and all: the window shows one
  // catalog or the other, never a mix.
  void aLoadShowsTheCurrentTabFirstAndACancelPutsItBack() {
    auto window = makeWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    TFrameFileview1 *lenses = showPane(*window, "LensType.dat");
    window->loadCatalog(writeArchive("old.zip", fullCatalog()));
    QTest::keyClicks(lenses->RichEdit, "E");
    const std::string edited(lenses->RichEdit->document().line(0));
    QCOMPARE(edited.substr(0, 7), std::string("EBSP001"));

    Entries next = fullCatalog();
    next["LensType.Dat"] = {"NEU001Neues Glas"};
    for (const char *entry : {"LensPrice.Dat", "Options.Dat", "OptionsPrice.Dat"}) {
      sf6::LineList &lines = next[entry];
      for (int i = 0; i < 150000; ++i)
        lines.push_back("NEU" + std::to_string(i * 7919 % 1000003) + "  65010100" +
                        std::to_string(i * 31 % 99991));
    }
    const QString path = writeArchive("next.zip", next);

    bool sawEarly = false;
    std::string earlyLine;
    int heldIndex = -1;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
      if (sawEarly || window->tabs()->tabBar()->isEnabled())
        return;
      sawEarly = true;
      earlyLine = std::string(lenses->RichEdit->document().line(0));
      window->tabs()->setCurrentIndex(0); // the tab is held
      heldIndex = window->tabs()->currentIndex();
      QTest::keyClick(window.get(), Qt::Key_Escape);
    });
    watch.start(1);
    window->loadCatalog(path);
    watch.stop();

    QVERIFY(sawEarly);
    QCOMPARE(earlyLine, std::string("NEU001Neues Glas"));
    QCOMPARE(heldIndex, window->tabs()->indexOf(lenses));
    QVERIFY(window->tabs()->tabBar()->isEnabled());
    QCOMPARE(window->tabs()->currentWidget(), lenses);
    TFrameFileview1 *prices = window->pane(paneIndex("LensPrice.dat"));
    if (window->statusBar()->currentMessage() == QStringLiteral("Laden abgebrochen")) {
      QCOMPARE(std::string(lenses->RichEdit->document().line(0)), edited);
      QCOMPARE(prices->RichEdit->document().line(0), std::string_view("ZZLensPrice.Dat"));
    } else { // read to its end before the cancel came; no progress left standing
      QCOMPARE(window->statusBar()->currentMessage(), QString());
      QCOMPARE(lenses->RichEdit->document().line(0), std::string_view("NEU001Neues Glas"));
      QCOMPARE(prices->RichEdit->document().line(0), std::string_view("NEU0  650101000"));
    }
  }

  void damagedArchiveShowsTheFailureAndKeepsThePanes() {
    auto window = makeWindow();
    window->loadCatalog(writeArchive("full.zip", fullCatalog()));
    const QString path = m_dir.filePath("damaged.zip");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(200, 'x'));
    file.close();
    window->loadCatalogReporting(path);
    QCOMPARE(m_messages.size(), size_t{1});
    QCOMPARE(m_messages[0].second, QStringLiteral("Incomplete Zip File"));
    QCOMPARE(window->pane(paneIndex("LensType.dat"))->RichEdit->document().line(1),
             std::string_view("BSP002Zweites Glas"));
    QCOMPARE(window->ListHead->logic().itemCount(), 3);
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindow_test.moc"
