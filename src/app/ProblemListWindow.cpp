#include "app/ProblemListWindow.h"

#include "app/FrameFileview.h"
#include "app/MainWindow.h"
#include "app/TextView.h"
#include "ui/Cp1252Qt.h"
#include "ui/TvxListGd.h"
#include "view/CatalogView.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>

#include <algorithm>
#include <filesystem>

namespace {

// The viewer lists this many problems per rule at most; the counts in the
// status bar include the rest.
constexpr std::size_t kListedPerRule = 10000;

// Thrown from the progress callback to end the worker's check.
struct CheckCancelled {};

struct Column {
  const char *caption;
  int width;
  sf6::Alignment align;
};
constexpr Column kColumns[] = {
    {"Datei", 130, sf6::Alignment::Left},  {"Zeile", 55, sf6::Alignment::Right},
    {"Spalte", 50, sf6::Alignment::Right}, {"Feld", 170, sf6::Alignment::Left},
    {"Schwere", 65, sf6::Alignment::Left}, {"Meldung", 700, sf6::Alignment::Left},
};

QString countText(std::size_t n, const char *one, const char *many) {
  return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(n == 1 ? one : many);
}

} // namespace

ProblemListWindow::ProblemListWindow(TFormlup6FileView &window, QMenu &menu, QAction *before)
    : HitListDock(QStringLiteral("Probleme"), &window), m_window(window) {
  setObjectName(QStringLiteral("ProblemList"));
  m_grid = new TvxListGd(this);
  m_grid->setObjectName(QStringLiteral("ListProblems"));
  m_grid->installEventFilter(this);
  m_grid->setMinimumHeight(4 * m_grid->logic().rowHeight());
  setWidget(m_grid);
  connectGrid();
  window.addDockWidget(Qt::BottomDockWidgetArea, this);
  hide();

  m_action = new QAction(QStringLiteral("Katalog pr\u00fcfen"), &menu);
  menu.insertAction(before, m_action);
  connect(m_action, &QAction::triggered, this, &ProblemListWindow::checkLoadedCatalog);
}

ProblemListWindow::~ProblemListWindow() {
  m_cancel = true;
  join();
}

void ProblemListWindow::connectGrid() {
  auto &events = m_grid->logic().events;
  events.OnGetItemCount = [this](int &count) {
    count = static_cast<int>(m_result.problems.size());
  };
  events.OnGetColNames = [](int dataIndex, std::string &text, int &width, sf6::Alignment &align) {
    if (dataIndex < 1 || dataIndex > static_cast<int>(std::size(kColumns)))
      return;
    const Column &c = kColumns[dataIndex - 1];
    text = sf6::toCp1252(QString::fromUtf8(c.caption));
    width = c.width;
    align = c.align;
  };
  events.OnGetItemData = [this](std::string &text, sf6::TvxListDataType &type, int col, int row) {
    if (row < 0 || row >= static_cast<int>(m_result.problems.size()))
      return;
    const sf6::check::CatalogProblem &p = m_result.problems[static_cast<std::size_t>(row)];
    switch (col) {
    case 0:
      text = p.entry;
      break;
    case 1:
      text = std::to_string(p.line);
      type = sf6::kListNumber;
      break;
    case 2:
      text = std::to_string(p.column);
      type = sf6::kListNumber;
      break;
    case 3:
      text = p.field > 0 ? std::to_string(p.field) + " " + p.caption : std::string();
      break;
    case 4:
      text = sf6::check::SeverityText(p.severity);
      break;
    case 5:
      text = p.message + " [" + sf6::check::Rule(p.rule).name + "]";
      break;
    default:
      break;
    }
  };
}

void ProblemListWindow::checkLoadedCatalog() {
  if (m_window.catalogPath().isEmpty()) {
    m_window.statusBar()->showMessage(
        QStringLiteral("Kein Katalog geladen: erst \u201eSF6 laden\u201c"));
    return;
  }
  start(m_window.catalogPath());
}

void ProblemListWindow::start(const QString &path) {
  cancel();
  join();
  m_cancel = false;
  m_progressPending = false;
  m_action->setEnabled(false);
  m_window.statusBar()->showMessage(
      QStringLiteral("Katalog wird gepr\u00fcft \u2026 (Esc bricht ab)"));
  qApp->installEventFilter(this);

  const std::filesystem::path file(QFile::encodeName(path).toStdString());
  const unsigned run = ++m_run;
  m_worker = std::thread([this, file, run] {
    sf6::check::CheckOptions options;
    options.maxPerRule = kListedPerRule;
    options.progress = [this, run](uint64_t done, uint64_t total) {
      if (m_cancel)
        throw CheckCancelled{};
      if (m_progressPending.exchange(true))
        return;
      QMetaObject::invokeMethod(
          this, [this, run, done, total] { showProgress(run, done, total); }, Qt::QueuedConnection);
    };
    auto result = std::make_shared<sf6::check::CheckResult>();
    bool cancelled = false;
    try {
      *result = sf6::check::CheckCatalogFile(file, options);
    } catch (const CheckCancelled &) {
      cancelled = true;
    }
    QMetaObject::invokeMethod(
        this, [this, run, result, cancelled] { finish(run, result, cancelled); },
        Qt::QueuedConnection);
  });
}

void ProblemListWindow::cancel() {
  m_cancel = true;
}

void ProblemListWindow::join() {
  if (m_worker.joinable())
    m_worker.join();
}

void ProblemListWindow::showProgress(unsigned run, uint64_t done, uint64_t total) {
  if (run != m_run)
    return;
  m_progressPending = false;
  if (!running())
    return;
  const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 0;
  m_window.statusBar()->showMessage(
      QStringLiteral("Katalog wird gepr\u00fcft \u2026 %1 % (Esc bricht ab)").arg(percent));
}

void ProblemListWindow::finish(unsigned run, std::shared_ptr<sf6::check::CheckResult> result,
                               bool cancelled) {
  if (run != m_run)
    return;
  join();
  qApp->removeEventFilter(this);
  m_action->setEnabled(true);
  if (cancelled) {
    m_window.statusBar()->showMessage(QStringLiteral("Pr\u00fcfung abgebrochen"));
    emit finished(true);
    return;
  }
  m_result = std::move(*result);
  // The checker's order (entry, line, column) until a caption is clicked.
  m_grid->logic().itemCount();
  m_grid->logic().setSortColumn(0);
  m_grid->Invalidate();
  if (!isVisible()) {
    show();
    // A quarter of the window, so that a few problems show at once.
    m_window.resizeDocks({this}, {std::max(140, m_window.height() / 4)}, Qt::Vertical);
  }
  QString text = QStringLiteral("Katalog gepr\u00fcft: ") +
                 countText(m_result.errors, "Fehler", "Fehler") + QStringLiteral(", ") +
                 countText(m_result.warnings, "Warnung", "Warnungen");
  if (m_result.leftOut > 0)
    text += QStringLiteral(" (%1 nicht gelistet)").arg(m_result.leftOut);
  m_window.statusBar()->showMessage(text);
  emit finished(false);
}

void ProblemListWindow::jumpTo(int row) {
  if (row < 0 || row >= static_cast<int>(m_result.problems.size()))
    return;
  const sf6::check::CatalogProblem &p = m_result.problems[static_cast<std::size_t>(row)];
  if (p.entry == sf6::kHeadEntryName) {
    m_window.tabs()->setCurrentWidget(m_window.ListHead);
    if (p.line > 0)
      m_window.ListHead->setCurrentDataRow(static_cast<int>(p.line) - 1);
    m_window.ListHead->setFocus();
    return;
  }
  const auto panes = sf6::ViewerPanes();
  for (int i = 0; i < static_cast<int>(panes.size()); ++i) {
    if (p.entry != panes[static_cast<std::size_t>(i)].entryName)
      continue;
    TFrameFileview1 *pane = m_window.pane(i);
    m_window.tabs()->setCurrentWidget(pane);
    if (p.line > 0) {
      const int line = static_cast<int>(p.line) - 1;
      const sf6::TextPos caret{line, static_cast<int>(p.column > 0 ? p.column - 1 : 0)};
      pane->RichEdit->setCaret(caret, caret);
      pane->MemoChange(); // decodes the caret line into the field grid
      if (p.field > 0) {
        pane->ListDetail->setCurrentDataRow(p.field - 1);
        const sf6::Sf6FieldPlace place = m_window.paneLayout(i).place(p.field);
        pane->RichEdit->setFieldMark(line, place.column, place.width, true);
      }
    }
    pane->RichEdit->setFocus();
    return;
  }
  m_window.statusBar()->showMessage(sf6::fromCp1252(p.entry) +
                                    QStringLiteral(": kein Bereich zum Anzeigen"));
}
