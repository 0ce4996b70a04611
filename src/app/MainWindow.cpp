#include "app/MainWindow.h"

#include "app/ColumnRuler.h"
#include "app/CompareWindow.h"
#include "app/ConverterDialog.h"
#include "app/FindAllWindow.h"
#include "app/FrameFileview.h"
#include "app/ProblemListWindow.h"
#include "app/TabRows.h"
#include "app/TextView.h"
#include "sf6/Sf6FileSet.h"
#include "text/Errors.h"
#include "ui/Cp1252Qt.h"
#include "ui/TvxListGd.h"
#include "view/CatalogView.h"
#include "view/FieldColumns.h"
#include "view/RecentFiles.h"
#include "view/TextSearch.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <exception>
#include <filesystem>
#include <future>
#include <mutex>
#include <optional>
#include <thread>

namespace {

const QString kInfoUrl = QStringLiteral("https://sf6.example.org/");
const QString kDocUrl = QStringLiteral("https://sf6.example.org/dokumentation/");
const QString kPublisherUrl = QStringLiteral("https://veldrak.example.com/");

// A label that opens its address through the desktop when clicked.
class LinkLabel : public QLabel {
public:
  LinkLabel(const QString &text, QString url, QWidget *parent)
      : QLabel(text, parent), m_url(std::move(url)) {
    setCursor(Qt::PointingHandCursor);
  }

protected:
  // Like a link: a left click released inside opens it; other buttons, and a
  // press dragged off before release, do not.
  void mouseReleaseEvent(QMouseEvent *event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
      QDesktopServices::openUrl(QUrl(m_url));
  }

private:
  QString m_url;
};

// The publisher's logo, drawn here: a lens outline over the name.
QPixmap publisherLogo() {
  QPixmap logo(216, 199);
  logo.fill(Qt::white);
  QPainter painter(&logo);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0x00, 0x00, 0x80), 6));
  painter.drawEllipse(QRectF(18, 20, 84, 110));
  painter.drawEllipse(QRectF(114, 20, 84, 110));
  painter.drawLine(QPointF(102, 60), QPointF(114, 60));
  painter.setPen(QPen(QColor(0x40, 0x80, 0xC0), 2));
  painter.drawArc(QRectF(34, 36, 52, 78), 90 * 16, 90 * 16);
  painter.drawArc(QRectF(130, 36, 52, 78), 90 * 16, 90 * 16);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(30);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(0x00, 0x00, 0x80));
  painter.drawText(QRect(0, 142, 216, 44), Qt::AlignCenter, QStringLiteral("VELDRAK"));
  return logo;
}

// The file-set entry of pane `index` and the pane of an entry (-1 for
// Head.dat): the panes are matched to the file set by their entry names.
sf6::Sf6Entry entryOfPane(int index) {
  const std::string_view name = sf6::ViewerPanes()[static_cast<size_t>(index)].entryName;
  const auto found = std::find(sf6::kSf6EntryNames.begin(), sf6::kSf6EntryNames.end(), name);
  return static_cast<sf6::Sf6Entry>(found - sf6::kSf6EntryNames.begin());
}

int paneOfEntry(sf6::Sf6Entry entry) {
  const auto panes = sf6::ViewerPanes();
  for (size_t i = 0; i < panes.size(); ++i)
    if (sf6::Sf6EntryName(entry) == panes[i].entryName)
      return static_cast<int>(i);
  return -1;
}

const QString kGeometryKey = QStringLiteral("session/geometry");
const QString kSplitterKey = QStringLiteral("session/splitter/");

} // namespace

TFormlup6FileView::TFormlup6FileView(QWidget *parent)
    : QMainWindow(parent), m_related([this](sf6::Sf6Entry entry) -> const sf6::TextDocument * {
        const int index = paneOfEntry(entry);
        return index >= 0 ? &m_panes[static_cast<size_t>(index)]->RichEdit->document() : nullptr;
      }) {
  setWindowTitle(QStringLiteral("VELDRAK Fileviewer f\u00fcr SF6"));
  QFont windowFont = font();
  windowFont.setPixelSize(11);
  setFont(windowFont);
  showMessage = [this](const QString &caption, const QString &text, bool error) {
    if (error)
      QMessageBox::critical(this, caption, text);
    else
      QMessageBox::information(this, caption, text);
  };

  auto *central = new QWidget(this);
  auto *centralLayout = new QVBoxLayout(central);
  centralLayout->setContentsMargins(0, 2, 0, 0);
  centralLayout->setSpacing(0);
  m_tabs = new QTabWidget(central);
  centralLayout->addWidget(new TabRows(m_tabs, central));
  centralLayout->addWidget(m_tabs, 1);
  createFindBar(central);
  centralLayout->addWidget(m_findBar);
  setCentralWidget(central);
  m_tabs->addTab(createStartPage(), QString::fromLatin1(sf6::kStartTabCaption));
  ListHead = new TvxListGd(m_tabs);
  ListHead->setObjectName(QStringLiteral("ListHead"));
  m_tabs->addTab(ListHead, QString::fromLatin1(sf6::kHeadTabCaption));
  const auto panes = sf6::ViewerPanes();
  for (int i = 0; i < kPaneCount; ++i) {
    m_panes[i] = new TFrameFileview1(m_tabs);
    m_panes[i]->setObjectName(QString::fromLatin1(panes[i].frameName));
    m_tabs->addTab(m_panes[i], QString::fromLatin1(panes[i].tabCaption));
  }
  m_tabs->setCurrentIndex(0);
  connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
    if (m_heldTab >= 0 && index != m_heldTab)
      m_tabs->setCurrentIndex(m_heldTab);
  });
  // Ctrl+Tab and Ctrl+Shift+Tab switch tabs from anywhere in the window, also
  // from the start page, where no widget holds the focus to pass them on.
  const auto switchTab = [this](int step) {
    const int count = m_tabs->count();
    m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + count) % count);
  };
  auto *nextTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
  connect(nextTab, &QShortcut::activated, this, [switchTab] { switchTab(1); });
  auto *previousTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
  connect(previousTab, &QShortcut::activated, this, [switchTab] { switchTab(-1); });

  QMenu *datei = menuBar()->addMenu(QStringLiteral("Datei"));
  QAction *laden = datei->addAction(QStringLiteral("SF6 laden"));
  connect(laden, &QAction::triggered, this, &TFormlup6FileView::SF6laden1Click);
  QAction *vergleichen = datei->addAction(QStringLiteral("Vergleichen mit\u2026"));
  connect(vergleichen, &QAction::triggered, this, [this] { OpenCompareWindow(*this); });
  KonvertierungSF4SF61 = datei->addAction(QStringLiteral("Konvertierung SF4->SF6"));
  KonvertierungSF4SF61->setEnabled(false);
  connect(KonvertierungSF4SF61, &QAction::triggered, this,
          &TFormlup6FileView::KonvertierungSF4SF61Click);
  m_problemList = new ProblemListWindow(*this, *datei, KonvertierungSF4SF61);
  m_recentMenu = datei->addMenu(QString::fromUtf8("Zuletzt ge\u00f6ffnet"));
  connect(m_recentMenu, &QMenu::aboutToShow, this, &TFormlup6FileView::fillRecentMenu);
  QAction *neuLaden = datei->addAction(QStringLiteral("Neu laden"));
  neuLaden->setShortcut(QKeySequence::Refresh);
  connect(neuLaden, &QAction::triggered, this, [this] {
    if (!m_catalogPath.isEmpty())
      loadCatalogReporting(m_catalogPath);
  });
  datei->addSeparator();
  QAction *beenden = datei->addAction(QStringLiteral("beenden"));
  connect(beenden, &QAction::triggered, this, &TFormlup6FileView::beenden1Click);
  QMenu *suchen = menuBar()->addMenu(QStringLiteral("Suchen"));
  QAction *gotoLine = suchen->addAction(QStringLiteral("Gehe zu Zeile\u2026"));
  gotoLine->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  connect(gotoLine, &QAction::triggered, this, &TFormlup6FileView::askGoToLine);
  QAction *find = suchen->addAction(QStringLiteral("Suchen\u2026"));
  find->setShortcut(QKeySequence::Find);
  connect(find, &QAction::triggered, this, &TFormlup6FileView::openFindBar);
  QAction *findNext = suchen->addAction(QStringLiteral("Weitersuchen"));
  findNext->setShortcut(QKeySequence::FindNext);
  connect(findNext, &QAction::triggered, this, [this] { findText(true, false); });
  QAction *findPrevious = suchen->addAction(QStringLiteral("R\u00fcckw\u00e4rts suchen"));
  findPrevious->setShortcut(QKeySequence::FindPrevious);
  connect(findPrevious, &QAction::triggered, this, [this] { findText(false, false); });
  QAction *findAll = suchen->addAction(QStringLiteral("In allen Dateien suchen\u2026"));
  findAll->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
  connect(findAll, &QAction::triggered, this, &TFormlup6FileView::openFindAll);
  suchen->addSeparator();
  createJumpActions(*suchen);
  m_findAll = new FindAllWindow(*this);
  // An archive dropped on the window opens as if chosen with "SF6 laden".
  setAcceptDrops(true);

  // The loaded archive and its missing or unreadable entries stay in a
  // permanent label on the right: temporary messages (menu hints, progress,
  // search results) show left of it and never erase it.
  m_archiveStatus = new QLabel(this);
  m_archiveStatus->setObjectName(QStringLiteral("ArchiveStatus"));
  statusBar()->addPermanentWidget(m_archiveStatus);
  // Esc cancels a load in progress; the action is enabled only meanwhile.
  m_cancelAction = new QAction(this);
  m_cancelAction->setShortcut(QKeySequence(Qt::Key_Escape));
  m_cancelAction->setShortcutContext(Qt::ApplicationShortcut);
  m_cancelAction->setEnabled(false);
  connect(m_cancelAction, &QAction::triggered, this, [this] { m_cancelLoad = true; });
  addAction(m_cancelAction);
  resize(696, 480);
  if (const QScreen *screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  FormCreate();
  restoreSession();
}

TFormlup6FileView::~TFormlup6FileView() {
  // The search reads the panes' texts: it ends before they go.
  m_findAll->stop();
}

void TFormlup6FileView::FormCreate() {
  HeadLines.clear();
  connectHeadList();
  for (int i = 0; i < kPaneCount; ++i) {
    m_records[i] = sf6::ZeroedRecord(paneLayout(i));
    connectPane(i);
  }
  VersionInfo1.LoadFromFile({});
  ProgramVersion = VersionInfo1.FileVersion();
  VersionInfo1.Release();
  setWindowTitle(
      QStringLiteral("VELDRAK Fileviewer f\u00fcr den \"Produktkatalog Brillengl\u00e4ser\" "
                     "(Programmversion:") +
      sf6::fromCp1252(ProgramVersion) + QStringLiteral(")"));
}

const sf6::Sf6Layout &TFormlup6FileView::paneLayout(int index) const {
  return sf6::ViewerPanes()[index].layout();
}

QWidget *TFormlup6FileView::createStartPage() {
  auto *page = new QWidget;
  page->setAutoFillBackground(true);
  QPalette white = page->palette();
  white.setColor(QPalette::Window, Qt::white);
  page->setPalette(white);

  auto *logo = new QLabel(page);
  logo->setPixmap(publisherLogo());
  logo->setFixedSize(216, 199);
  logo->setCursor(Qt::PointingHandCursor);
  logo->setObjectName(QStringLiteral("Image1"));
  // The logo opens the publisher's site.
  auto *logoLink = new LinkLabel(QString(), kPublisherUrl, logo);
  logoLink->setGeometry(0, 0, 216, 199);

  QFont big = font();
  big.setPixelSize(20);
  auto *title = new QLabel(QStringLiteral("Fileviewer f\u00fcr das Dateiformat\n"
                                          "\"Produktkatalog Brillengl\u00e4ser Version 6.8.3\""),
                           page);
  title->setFont(big);

  QPalette navy = page->palette();
  navy.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
  auto *infoText = new QLabel(QStringLiteral("Infos zum Dateiformat gibt's unter"), page);
  auto *label3 = new LinkLabel(kInfoUrl, kInfoUrl, page);
  label3->setObjectName(QStringLiteral("Label3"));
  label3->setPalette(navy);
  auto *docText = new QLabel(QStringLiteral("Dokumentation zum Dateiformat"), page);
  auto *label6 = new LinkLabel(kDocUrl, kDocUrl, page);
  label6->setObjectName(QStringLiteral("Label6"));
  label6->setPalette(navy);

  auto *texts = new QVBoxLayout;
  texts->addWidget(title);
  texts->addSpacing(16);
  texts->addWidget(infoText);
  texts->addWidget(label3);
  texts->addSpacing(8);
  texts->addWidget(docText);
  texts->addWidget(label6);
  texts->addStretch(1);
  auto *layout = new QHBoxLayout(page);
  layout->setContentsMargins(16, 16, 16, 16);
  layout->setSpacing(20);
  layout->addWidget(logo, 0, Qt::AlignTop);
  layout->addLayout(texts, 1);
  return page;
}

void TFormlup6FileView::connectHeadList() {
  auto &events = ListHead->logic().events;
  events.OnGetItemCount = [this](int &count) { count = static_cast<int>(HeadLines.size()); };
  events.OnGetColNames = [](int dataIndex, std::string &text, int &width, sf6::Alignment &align) {
    sf6::HeadListColumn(dataIndex, text, width, align);
  };
  events.OnGetItemData = [this](std::string &text, sf6::TvxListDataType &, int col, int row) {
    if (row >= 0 && row < static_cast<int>(HeadLines.size()))
      text = sf6::HeadListCell(HeadLines[row], col);
  };
}

void TFormlup6FileView::connectPane(int index) {
  TFrameFileview1 *pane = m_panes[index];
  pane->OnLineChange = [this](TFrameFileview1 &changed) { DecodeCurrentLine(changed); };
  auto &events = pane->ListDetail->logic().events;
  events.OnGetItemCount = [this, index](int &count) { count = paneLayout(index).fieldCount; };
  events.OnGetColNames = [](int dataIndex, std::string &text, int &width, sf6::Alignment &align) {
    sf6::FieldGridColumn(dataIndex, text, width, align);
  };
  events.OnGetItemData = [this, index](std::string &text, sf6::TvxListDataType &type, int col,
                                       int row) {
    text = sf6::FieldGridCell(paneLayout(index), m_records[index], col, row, type);
  };
  connect(pane->ListDetail, &TvxListGd::currentRowChanged, this,
          [this, index](int) { markSelectedField(index, true); });
  std::vector<ColumnRuler::Field> rulerFields;
  for (const sf6::Sf6FieldInfo &field : paneLayout(index).fields())
    rulerFields.push_back({field.column, field.width});
  pane->Ruler->setFields(std::move(rulerFields));
  connect(pane->RichEdit, &TextView::textChanged, this,
          [this, index] { m_related.invalidate(entryOfPane(index)); });
  connect(pane->Splitter1, &QSplitter::splitterMoved, this,
          [this, index] { m_splitterMoved[index] = true; });
  connect(pane->RichEdit, &TextView::contextMenuRequested, this,
          [this, index](QPoint at) { showPaneMenu(index, at); });
}

void TFormlup6FileView::followCaretField(int index) {
  TFrameFileview1 *pane = m_panes[index];
  const int column = pane->RichEdit->state().selectionEnd().column;
  const sf6::Sf6FieldInfo *field = sf6::FieldAtCaret(paneLayout(index).fields(), column);
  if (field && pane->ListDetail->currentDataRow() != field->number - 1)
    pane->ListDetail->setCurrentDataRow(field->number - 1);
}

void TFormlup6FileView::DecodeCurrentLine(TFrameFileview1 &pane) {
  for (int i = 0; i < kPaneCount; ++i) {
    if (m_panes[i] != &pane)
      continue;
    m_records[i] = paneLayout(i).parse(pane.CurrentLine());
    followCaretField(i);
    markSelectedField(i, false);
    return;
  }
}

void TFormlup6FileView::markSelectedField(int index, bool reveal) {
  TFrameFileview1 *pane = m_panes[index];
  const int row = pane->ListDetail->logic().currentDataRow();
  if (row < 0) {
    pane->RichEdit->setFieldMark(-1, 0, 0);
    pane->Ruler->setCurrentField(0, 0);
    return;
  }
  const sf6::Sf6FieldPlace place = paneLayout(index).place(row + 1);
  pane->RichEdit->setFieldMark(pane->CaretLineIndex(), place.column, place.width, reveal);
  pane->Ruler->setCurrentField(place.column, place.width);
}

void TFormlup6FileView::SF6laden1Click() {
  QFileDialog dialog(this, QStringLiteral("Verzeichnis w\u00e4hlen"));
  dialog.setNameFilter(QStringLiteral("Standardformat 6.x ZIP (*.zip)"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setSizeGripEnabled(true);
  dialog.selectFile(QStringLiteral("*.zip"));
  QSettings settings;
  const QString folder = settings.value(QStringLiteral("lastFolder")).toString();
  if (!folder.isEmpty())
    dialog.setDirectory(folder);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return;
  settings.setValue(QStringLiteral("lastFolder"), dialog.directory().absolutePath());
  loadCatalogReporting(dialog.selectedFiles().front());
}

void TFormlup6FileView::loadCatalogReporting(const QString &path) {
  try {
    loadCatalog(path);
  } catch (const std::exception &failure) {
    showMessage(QApplication::applicationName(), sf6::fromCp1252(failure.what()), true);
  }
}

namespace {

// Thrown from the load's progress callback when the user pressed Esc.
struct LoadCancelled {};

} // namespace

void TFormlup6FileView::loadCatalog(const QString &path) {
  if (m_loading)
    return;
  m_loading = true;
  m_cancelLoad = false;
  m_cancelAction->setEnabled(true);
  const auto done = qScopeGuard([this] {
    m_loading = false;
    m_cancelAction->setEnabled(false);
  });

  // The archive is read on a worker thread while the window keeps painting
  // and answering; progress and messages cross over through shared state
  // that the window polls, the panes' texts as they are read (below), and
  // the catalog is applied whole at the end.
  std::atomic<uint64_t> bytesDone{0};
  std::atomic<uint64_t> bytesTotal{0};
  std::vector<std::pair<std::string, std::string>> messages;
  sf6::CatalogLoadOptions options;
  options.progress = [this, &bytesDone, &bytesTotal](uint64_t doneBytes, uint64_t total) {
    bytesDone = doneBytes;
    bytesTotal = total;
    if (m_cancelLoad)
      throw LoadCancelled{};
  };
  options.messageSink = [&messages](const std::string &caption, const std::string &text) {
    messages.emplace_back(caption, text);
  };
  // The tab the user looks at is read first and shown as soon as it is
  // inflated; until the load ends, the tab stays (the others still hold the
  // previous catalog), and a load that fails or is cancelled puts back what
  // the tab showed before, so the window shows one catalog or the other.
  // The other panes' texts are indexed here, off the screen, while the
  // worker reads on, and are swapped in at the end.
  const int earlyPane = paneIndexOf(m_tabs->currentWidget());
  std::mutex arrivalLock;
  std::vector<std::pair<int, sf6::ByteBuffer>> arrived;
  std::array<std::optional<sf6::TextEditState>, kPaneCount> staged;
  std::optional<TextView::Saved> shownOver;
  const auto takeArrivals = [&](bool mayShow) {
    std::vector<std::pair<int, sf6::ByteBuffer>> texts;
    {
      const std::lock_guard lock(arrivalLock);
      texts.swap(arrived);
    }
    for (auto &[pane, text] : texts) {
      sf6::TextEditState state;
      state.setBytes(std::move(text));
      if (pane == earlyPane && mayShow) {
        m_heldTab = m_tabs->currentIndex();
        m_tabs->tabBar()->setEnabled(false);
        shownOver = m_panes[pane]->RichEdit->exchangeState(std::move(state));
      } else {
        staged[static_cast<std::size_t>(pane)] = std::move(state);
      }
    }
  };
  auto putBack = qScopeGuard([&] {
    if (shownOver)
      m_panes[earlyPane]->RichEdit->restore(std::move(*shownOver));
  });
  const auto releaseTabs = qScopeGuard([this] {
    m_heldTab = -1;
    m_tabs->tabBar()->setEnabled(true);
  });

  // The worker wakes the window when a text is in and when it is done, so
  // that neither waits for the next progress tick.
  QEventLoop wait;
  sf6::ViewerPaneHandover handover;
  handover.first = earlyPane;
  handover.paneRead = [&](int pane, sf6::ByteBuffer text) {
    {
      const std::lock_guard lock(arrivalLock);
      arrived.emplace_back(pane, std::move(text));
    }
    QMetaObject::invokeMethod(&wait, [&] { takeArrivals(true); }, Qt::QueuedConnection);
  };
  const std::filesystem::path archivePath(QFile::encodeName(path).toStdString());
  std::packaged_task<sf6::ViewerCatalog()> task(
      [&] { return sf6::LoadViewerCatalog(archivePath, options, handover); });
  std::future<sf6::ViewerCatalog> result = task.get_future();
  const auto quitWhenDone = [&] {
    if (result.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
      wait.quit();
  };
  std::thread worker([&] {
    task();
    QMetaObject::invokeMethod(&wait, quitWhenDone, Qt::QueuedConnection);
  });

  QTimer poll;
  connect(&poll, &QTimer::timeout, &wait, [&] {
    if (result.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
      wait.quit();
      return;
    }
    const uint64_t total = bytesTotal;
    if (total > 0)
      statusBar()->showMessage(QStringLiteral("Lade %1 \u2026 %2 %")
                                   .arg(path)
                                   .arg(static_cast<int>(bytesDone * 100 / total)));
  });
  poll.start(20);
  if (result.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
    wait.exec();
  worker.join();
  poll.stop();
  // Texts that came after the last wake-up are prepared now, not shown early.
  QCoreApplication::removePostedEvents(&wait);
  takeArrivals(false);
  // The progress message ends with the load: what stays is its outcome.
  statusBar()->clearMessage();

  for (const auto &[caption, text] : messages)
    showMessage(sf6::fromCp1252(caption), sf6::fromCp1252(text), true);
  sf6::ViewerCatalog catalog;
  try {
    catalog = result.get();
  } catch (const LoadCancelled &) {
    statusBar()->showMessage(QStringLiteral("Laden abgebrochen"), 5000);
    return;
  }
  putBack.dismiss();
  applyCatalog(std::move(catalog), std::move(staged), shownOver ? earlyPane : -1);
  m_catalogPath = path;
  rememberRecent(path);
  reportLoad(path);
}

void TFormlup6FileView::applyCatalog(sf6::ViewerCatalog catalog, StagedPanes staged, int shownPane) {
  m_findAll->clear();
  m_jumps.clear();
  m_missing = std::move(catalog.missing);
  m_unreadable = std::move(catalog.unreadable);
  HeadLines = std::move(catalog.headLines);
  for (int index = 0; index < kPaneCount; ++index) {
    auto &prepared = staged[static_cast<std::size_t>(index)];
    if (index == shownPane)
      continue;
    if (prepared)
      m_panes[index]->RichEdit->setState(std::move(*prepared));
    else
      m_panes[index]->setText(std::move(catalog.paneTexts[index]));
  }
  ListHead->Invalidate();
  for (TFrameFileview1 *pane : m_panes)
    pane->ListDetail->Invalidate();
}

QString TFormlup6FileView::archiveStatus() const {
  return m_archiveStatus->text();
}

QStringList TFormlup6FileView::recentFiles() const {
  return QSettings().value(QStringLiteral("recentFiles")).toStringList();
}

void TFormlup6FileView::rememberRecent(const QString &path) {
  std::vector<std::string> recent;
  for (const QString &entry : recentFiles())
    recent.push_back(entry.toStdString());
  QStringList list;
  for (const std::string &entry :
       sf6::RememberRecentFile(std::move(recent), QFileInfo(path).absoluteFilePath().toStdString()))
    list << QString::fromStdString(entry);
  QSettings().setValue(QStringLiteral("recentFiles"), list);
}

void TFormlup6FileView::fillRecentMenu() {
  m_recentMenu->clear();
  QStringList kept;
  QStringList gone;
  for (const QString &path : recentFiles())
    (QFileInfo::exists(path) ? kept : gone) << path;
  if (!gone.isEmpty()) {
    QSettings().setValue(QStringLiteral("recentFiles"), kept);
    showMessage(QApplication::applicationName(),
                QString::fromUtf8("Nicht mehr vorhanden, aus der Liste entfernt: ") +
                    gone.join(QStringLiteral(", ")),
                false);
  }
  for (const QString &path : kept) {
    QAction *open = m_recentMenu->addAction(path);
    connect(open, &QAction::triggered, this, [this, path] { loadCatalogReporting(path); });
  }
}

void TFormlup6FileView::goToLine(int line) {
  auto *pane = qobject_cast<TFrameFileview1 *>(m_tabs->currentWidget());
  if (!pane)
    return;
  const int last = std::max(0, pane->RichEdit->document().lineCount() - 1);
  const sf6::TextPos start{std::clamp(line, 0, last), 0};
  pane->RichEdit->setCaret(start, start);
  pane->RichEdit->setFocus();
  pane->MemoChange();
}

void TFormlup6FileView::askGoToLine() {
  auto *pane = qobject_cast<TFrameFileview1 *>(m_tabs->currentWidget());
  if (!pane)
    return;
  bool ok = false;
  // Lines are counted from 0, as the caret label counts them.
  const int line = QInputDialog::getInt(
      this, QStringLiteral("Gehe zu Zeile"), QStringLiteral("Zeile (ab 0):"),
      pane->CaretLineIndex(), 0, std::max(0, pane->RichEdit->document().lineCount() - 1), 1, &ok);
  if (ok)
    goToLine(line);
}

void TFormlup6FileView::createFindBar(QWidget *parent) {
  m_findBar = new QWidget(parent);
  auto *layout = new QHBoxLayout(m_findBar);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(new QLabel(QStringLiteral("Suchen:"), m_findBar));
  m_findText = new QLineEdit(m_findBar);
  layout->addWidget(m_findText, 1);
  m_findCase = new QCheckBox(QStringLiteral("Gro\u00df-/Kleinschreibung beachten"), m_findBar);
  layout->addWidget(m_findCase);
  m_findBar->hide();
  // Typing searches from the start of the current match, so a longer text
  // keeps the match where it is when it still fits.
  connect(m_findText, &QLineEdit::textEdited, this, [this] { findText(true, true); });
  connect(m_findText, &QLineEdit::returnPressed, this, [this] { findText(true, false); });
  auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), m_findBar);
  close->setContext(Qt::WidgetWithChildrenShortcut);
  connect(close, &QShortcut::activated, this, [this] {
    m_findBar->hide();
    if (auto *pane = qobject_cast<TFrameFileview1 *>(m_tabs->currentWidget()))
      pane->RichEdit->setFocus();
  });
}

void TFormlup6FileView::openFindBar() {
  m_findBar->show();
  m_findText->setFocus();
  m_findText->selectAll();
}

void TFormlup6FileView::findText(bool forward, bool fromMatchStart) {
  auto *pane = qobject_cast<TFrameFileview1 *>(m_tabs->currentWidget());
  const std::string needle = sf6::toCp1252(m_findText->text());
  if (!pane || needle.empty())
    return;
  const sf6::TextEditState &state = pane->RichEdit->state();
  sf6::SearchOptions options;
  options.matchCase = m_findCase->isChecked();
  options.forward = forward;
  // Forward from the end of the current match (or its start while typing);
  // backward from its start.
  const sf6::TextPos from =
      forward && !fromMatchStart ? state.selectionEnd() : state.selectionStart();
  const auto match = sf6::FindText(pane->RichEdit->document(), needle, from, options);
  if (!match) {
    statusBar()->showMessage(QStringLiteral("nicht gefunden"), 5000);
    return;
  }
  const sf6::TextPos end{match->start.line, match->start.column + match->length};
  pane->RichEdit->setCaret(end, match->start);
  pane->MemoChange();
  if (match->wrapped)
    statusBar()->showMessage(forward ? QStringLiteral("Suche am Anfang fortgesetzt")
                                     : QStringLiteral("Suche am Ende fortgesetzt"),
                             5000);
  else
    statusBar()->clearMessage();
}

void TFormlup6FileView::dragEnterEvent(QDragEnterEvent *event) {
  if (event->mimeData()->hasUrls() && event->mimeData()->urls().front().isLocalFile())
    event->acceptProposedAction();
}

void TFormlup6FileView::dropEvent(QDropEvent *event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile())
    return;
  event->acceptProposedAction();
  loadCatalogReporting(urls.front().toLocalFile());
}

void TFormlup6FileView::reportLoad(const QString &path) {
  const auto join = [](const std::vector<std::string> &names) {
    QStringList list;
    for (const std::string &name : names)
      list << sf6::fromCp1252(name);
    return list.join(QStringLiteral(", "));
  };
  QString status = path;
  if (!m_missing.empty())
    status += QStringLiteral(" \u2013 fehlt: ") + join(m_missing);
  if (!m_unreadable.empty())
    status += QStringLiteral(" \u2013 nicht lesbar: ") + join(m_unreadable);
  m_archiveStatus->setText(status);
  if (!m_unreadable.empty())
    showMessage(QApplication::applicationName(),
                QStringLiteral("Nicht lesbare Eintr\u00e4ge (leer angezeigt): ") +
                    join(m_unreadable),
                true);
}

int TFormlup6FileView::paneIndexOf(const QWidget *widget) const {
  for (int i = 0; i < kPaneCount; ++i)
    if (m_panes[i] == widget)
      return i;
  return -1;
}

void TFormlup6FileView::openFindAll() {
  QString text = m_findText->text();
  if (auto *pane = qobject_cast<TFrameFileview1 *>(m_tabs->currentWidget())) {
    const sf6::TextEditState &state = pane->RichEdit->state();
    if (state.hasSelection() && state.selectionStart().line == state.selectionEnd().line)
      text = sf6::fromCp1252(state.selectedText());
  }
  m_findAll->open(text);
}

void TFormlup6FileView::createJumpActions(QMenu &menu) {
  QAction *definition = menu.addAction(QStringLiteral("Zum Glas bzw. zur Option"));
  definition->setShortcut(QKeySequence(Qt::Key_F12));
  connect(definition, &QAction::triggered, this, [this] { jump(sf6::JumpKind::Definition); });
  QAction *prices = menu.addAction(QStringLiteral("Zu den Preisen"));
  prices->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F12));
  connect(prices, &QAction::triggered, this, [this] { jump(sf6::JumpKind::Prices); });
  m_jumpBack = menu.addAction(QStringLiteral("Zur\u00fcck"));
  m_jumpBack->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
  connect(m_jumpBack, &QAction::triggered, this, &TFormlup6FileView::jumpBack);
}

void TFormlup6FileView::showPaneMenu(int index, QPoint globalPos) {
  QMenu menu(this);
  // Entries for codes the line does not name are shown disabled.
  const sf6::TextEditState &state = m_panes[index]->RichEdit->state();
  const sf6::TextPos at = state.hasSelection() ? state.selectionStart() : state.caret();
  const std::string_view line = m_panes[index]->RichEdit->document().line(at.line);
  const auto add = [&](const QString &text, sf6::JumpKind kind, std::optional<sf6::CodeKind> code) {
    QAction *action = menu.addAction(text);
    action->setEnabled(sf6::CodeAtCaret(paneLayout(index), line, at.column, code).has_value());
    connect(action, &QAction::triggered, this, [this, kind] { jump(kind); });
  };
  add(QStringLiteral("Zum Glas"), sf6::JumpKind::Lens, sf6::CodeKind::Lens);
  add(QStringLiteral("Zu den Preisen"), sf6::JumpKind::Prices, std::nullopt);
  add(QStringLiteral("Zur Option"), sf6::JumpKind::Option, sf6::CodeKind::Option);
  menu.addSeparator();
  menu.addAction(m_jumpBack);
  menu.addSeparator();
  QAction *copy = menu.addAction(QStringLiteral("Kopieren"));
  copy->setEnabled(m_panes[index]->RichEdit->state().hasSelection());
  connect(copy, &QAction::triggered, this, [this, index] { m_panes[index]->RichEdit->copy(); });
  menu.exec(globalPos);
}

void TFormlup6FileView::jump(sf6::JumpKind kind) {
  const int from = paneIndexOf(m_tabs->currentWidget());
  if (from < 0) {
    statusBar()->showMessage(QStringLiteral("Spr\u00fcnge gehen von einer Zeile einer Datei aus"),
                             5000);
    return;
  }
  TextView *text = m_panes[from]->RichEdit;
  const sf6::TextEditState &state = text->state();
  // A selection (a find's match) names its code from its start: its end may
  // already stand in the next field.
  const sf6::TextPos at = state.hasSelection() ? state.selectionStart() : state.caret();
  const sf6::JumpResolution result =
      m_related.resolve(kind, entryOfPane(from), text->document().line(at.line), at.column);
  const int to = result.target ? paneOfEntry(result.target->entry) : -1;
  if (to < 0) {
    statusBar()->showMessage(sf6::fromCp1252(result.message), 5000);
    return;
  }
  if (m_jumps.size() == kJumpDepth)
    m_jumps.erase(m_jumps.begin());
  m_jumps.push_back({from, state.caret(), state.anchor(), text->topLine()});
  TFrameFileview1 *target = m_panes[to];
  m_tabs->setCurrentWidget(target);
  const sf6::TextPos start{result.target->line, 0};
  target->RichEdit->setCaret(start, start);
  // The target line first in view: the lines that belong to it (the
  // further prices of a lens) follow below it.
  target->RichEdit->setTopLine(start.line);
  target->MemoChange();
  target->RichEdit->setFocus();
  statusBar()->clearMessage();
}

void TFormlup6FileView::jumpBack() {
  if (m_jumps.empty()) {
    statusBar()->showMessage(QStringLiteral("Kein Sprung, zu dem es zur\u00fcckgeht"), 5000);
    return;
  }
  const JumpOrigin origin = m_jumps.back();
  m_jumps.pop_back();
  TFrameFileview1 *pane = m_panes[origin.pane];
  m_tabs->setCurrentWidget(pane);
  pane->RichEdit->setCaret(origin.caret, origin.anchor);
  pane->RichEdit->setTopLine(origin.topLine);
  pane->MemoChange();
  pane->RichEdit->setFocus();
}

void TFormlup6FileView::saveSession() const {
  QSettings settings;
  settings.setValue(kGeometryKey, saveGeometry());
  for (int i = 0; i < kPaneCount; ++i)
    if (m_splitterMoved[i])
      settings.setValue(kSplitterKey + m_panes[i]->objectName(),
                        m_panes[i]->Splitter1->saveState());
}

void TFormlup6FileView::restoreSession() {
  QSettings settings;
  const QByteArray geometry = settings.value(kGeometryKey).toByteArray();
  if (!geometry.isEmpty())
    restoreGeometry(geometry);
  for (TFrameFileview1 *pane : m_panes) {
    const QByteArray state = settings.value(kSplitterKey + pane->objectName()).toByteArray();
    if (!state.isEmpty())
      pane->Splitter1->restoreState(state);
  }
}

void TFormlup6FileView::closeEvent(QCloseEvent *event) {
  saveSession();
  QMainWindow::closeEvent(event);
}

void TFormlup6FileView::KonvertierungSF4SF61Click() {
  // Reachable only by calling it: the menu entry is created disabled.
  TFormLup2ViewKonverter dialog(ProgramVersion, this);
  dialog.exec();
}

void TFormlup6FileView::beenden1Click() {
  close();
}
