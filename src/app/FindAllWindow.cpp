#include "app/FindAllWindow.h"

#include "app/FrameFileview.h"
#include "app/MainWindow.h"
#include "app/TextView.h"
#include "sf6/Sf6FileSet.h"
#include "ui/Cp1252Qt.h"
#include "ui/TvxListGd.h"
#include "view/CatalogView.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <set>

namespace {

struct Column {
  const char *caption;
  int width;
  sf6::Alignment align;
};
constexpr Column kColumns[] = {
    {"Datei", 130, sf6::Alignment::Left},
    {"Zeile", 60, sf6::Alignment::Right},
    {"Spalte", 50, sf6::Alignment::Right},
    {"Zeilentext", 900, sf6::Alignment::Left},
};

} // namespace

FindAllWindow::FindAllWindow(TFormlup6FileView &window)
    : HitListDock(QStringLiteral("Suchergebnisse"), &window), m_window(window) {
  setObjectName(QStringLiteral("FindAllList"));
  auto *body = new QWidget(this);
  auto *layout = new QVBoxLayout(body);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  auto *row = new QHBoxLayout;
  row->setContentsMargins(4, 2, 4, 0);
  row->addWidget(new QLabel(QStringLiteral("In allen Dateien suchen:"), body));
  m_text = new QLineEdit(body);
  m_text->setObjectName(QStringLiteral("FindAllText"));
  row->addWidget(m_text, 1);
  m_matchCase = new QCheckBox(QStringLiteral("Gro\u00df-/Kleinschreibung beachten"), body);
  row->addWidget(m_matchCase);
  layout->addLayout(row);
  m_grid = new TvxListGd(body);
  m_grid->setObjectName(QStringLiteral("ListFindAll"));
  m_grid->setMinimumHeight(4 * m_grid->logic().rowHeight());
  m_grid->installEventFilter(this);
  layout->addWidget(m_grid, 1);
  setWidget(body);
  connectGrid();
  connect(m_text, &QLineEdit::returnPressed, this, &FindAllWindow::start);
  window.addDockWidget(Qt::BottomDockWidgetArea, this);
  hide();
}

FindAllWindow::~FindAllWindow() {
  stop();
}

void FindAllWindow::connectGrid() {
  auto &events = m_grid->logic().events;
  events.OnGetItemCount = [this](int &count) { count = static_cast<int>(m_result.hits.size()); };
  events.OnGetColNames = [](int dataIndex, std::string &text, int &width, sf6::Alignment &align) {
    if (dataIndex < 1 || dataIndex > static_cast<int>(std::size(kColumns)))
      return;
    const Column &c = kColumns[dataIndex - 1];
    text = c.caption;
    width = c.width;
    align = c.align;
  };
  events.OnGetItemData = [this](std::string &text, sf6::TvxListDataType &type, int col, int row) {
    if (row < 0 || row >= static_cast<int>(m_result.hits.size()))
      return;
    const sf6::FindAllHit &hit = m_result.hits[static_cast<std::size_t>(row)];
    switch (col) {
    case 0:
      text = std::string(sf6::kSf6EntryNames[static_cast<std::size_t>(hit.file)]);
      break;
    case 1:
      text = std::to_string(hit.start.line);
      type = sf6::kListNumber;
      break;
    case 2:
      text = std::to_string(hit.start.column);
      type = sf6::kListNumber;
      break;
    case 3:
      text = hit.lineText;
      break;
    default:
      break;
    }
  };
}

void FindAllWindow::open(const QString &text) {
  if (!isVisible()) {
    show();
    m_window.resizeDocks({this}, {std::max(200, m_window.height() * 2 / 5)}, Qt::Vertical);
  }
  if (!text.isEmpty())
    m_text->setText(text);
  m_text->setFocus();
  m_text->selectAll();
}

void FindAllWindow::setTextsReadOnly(bool readOnly) {
  for (int i = 0; i < TFormlup6FileView::kPaneCount; ++i)
    m_window.pane(i)->RichEdit->setReadOnly(readOnly);
}

void FindAllWindow::start() {
  stop();
  const std::string needle = sf6::toCp1252(m_text->text());
  if (needle.empty())
    return;
  m_head.setLines(m_window.HeadLines);
  m_files[0] = &m_head;
  uint64_t lines = 0;
  const auto panes = sf6::ViewerPanes();
  for (int i = 0; i < TFormlup6FileView::kPaneCount; ++i) {
    const sf6::TextDocument &document = m_window.pane(i)->RichEdit->document();
    const auto entry = std::find(sf6::kSf6EntryNames.begin(), sf6::kSf6EntryNames.end(),
                                 panes[static_cast<std::size_t>(i)].entryName);
    m_files[static_cast<std::size_t>(entry - sf6::kSf6EntryNames.begin())] = &document;
    lines += static_cast<uint64_t>(document.lineCount());
  }
  sf6::FindAllOptions options;
  options.matchCase = m_matchCase->isChecked();
  options.maxHits = kListedHits;
  const unsigned run = ++m_run;
  if (lines < threadFromLines) {
    finish(run, sf6::FindInAllFiles(m_files, needle, options));
    return;
  }

  // The worker reads the panes' documents: they stay unchanged until it ends
  // (read-only texts; a load stops the search before replacing them).
  setTextsReadOnly(true);
  m_cancel = false;
  m_progressPending = false;
  m_window.statusBar()->showMessage(
      QStringLiteral("Suche in allen Dateien \u2026 (Esc bricht ab)"));
  qApp->installEventFilter(this);
  options.progress = [this, run](uint64_t done, uint64_t total) {
    if (m_cancel)
      return false;
    if (!m_progressPending.exchange(true))
      QMetaObject::invokeMethod(
          this,
          [this, run, done, total] {
            m_progressPending = false;
            if (run != m_run || !running())
              return;
            m_window.statusBar()->showMessage(
                QStringLiteral("Suche in allen Dateien \u2026 %1 % (Esc bricht ab)")
                    .arg(static_cast<int>(done * 100 / std::max<uint64_t>(1, total))));
          },
          Qt::QueuedConnection);
    return true;
  };
  m_worker = std::thread([this, run, needle, options] {
    auto result = std::make_shared<sf6::FindAllResult>(FindInAllFiles(m_files, needle, options));
    QMetaObject::invokeMethod(
        this,
        [this, run, result] {
          if (run != m_run)
            return;
          finish(run, std::move(*result));
        },
        Qt::QueuedConnection);
  });
}

void FindAllWindow::clear() {
  stop();
  m_result = {};
  m_grid->Invalidate();
}

void FindAllWindow::stop() {
  if (!m_worker.joinable())
    return;
  m_cancel = true;
  m_worker.join();
  ++m_run; // its result, still queued, is dropped
  qApp->removeEventFilter(this);
  setTextsReadOnly(false);
}

void FindAllWindow::finish(unsigned run, sf6::FindAllResult result) {
  if (run != m_run)
    return;
  if (m_worker.joinable()) {
    m_worker.join();
    qApp->removeEventFilter(this);
    setTextsReadOnly(false);
  }
  if (result.stopped) {
    m_window.statusBar()->showMessage(QStringLiteral("Suche abgebrochen"), 5000);
    emit finished(true);
    return;
  }
  m_result = std::move(result);
  // The search's order (file, line, column) until a caption is clicked.
  m_grid->logic().itemCount();
  m_grid->logic().setSortColumn(0);
  m_grid->Invalidate();
  m_grid->setCurrentDataRow(m_result.hits.empty() ? -1 : 0);
  std::set<int> files;
  for (const sf6::FindAllHit &hit : m_result.hits)
    files.insert(hit.file);
  QString text;
  if (m_result.total == 0)
    text = QStringLiteral("nicht gefunden");
  else
    text = QStringLiteral("%1 Treffer in %2 %3")
               .arg(m_result.total)
               .arg(files.size())
               .arg(files.size() == 1 ? QStringLiteral("Datei") : QStringLiteral("Dateien"));
  if (m_result.capped())
    text = QStringLiteral("%1 Treffer, die ersten %2 gelistet")
               .arg(m_result.total)
               .arg(m_result.hits.size());
  m_window.statusBar()->showMessage(text);
  emit finished(false);
}

void FindAllWindow::jumpTo(int row) {
  if (row < 0 || row >= static_cast<int>(m_result.hits.size()))
    return;
  const sf6::FindAllHit &hit = m_result.hits[static_cast<std::size_t>(row)];
  if (hit.file == 0) {
    m_window.tabs()->setCurrentWidget(m_window.ListHead);
    m_window.ListHead->setCurrentDataRow(hit.start.line);
    m_window.ListHead->setFocus();
    return;
  }
  const auto panes = sf6::ViewerPanes();
  const auto found = std::find_if(panes.begin(), panes.end(), [&](const sf6::ViewerPane &p) {
    return sf6::kSf6EntryNames[static_cast<std::size_t>(hit.file)] == p.entryName;
  });
  if (found == panes.end())
    return;
  TFrameFileview1 *pane = m_window.pane(static_cast<int>(found - panes.begin()));
  m_window.tabs()->setCurrentWidget(pane);
  const sf6::TextPos end{hit.start.line, hit.start.column + hit.length};
  pane->RichEdit->setCaret(end, hit.start);
  pane->MemoChange(); // the field grid follows the caret line
  pane->RichEdit->setFocus();
}
