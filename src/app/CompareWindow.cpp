#include "app/CompareWindow.h"

#include "app/FrameFileview.h"
#include "app/MainWindow.h"
#include "app/TextView.h"
#include "ui/Cp1252Qt.h"
#include "ui/TvxListGd.h"
#include "view/CatalogView.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The columns of the list, in order.
constexpr const char *kColumns[] = {"Datei", "\xC4nderung", "Schl\xFCssel", "Feld", "alt", "neu"};
constexpr int kColumnWidths[] = {130, 80, 220, 150, 160, 160};

const char *changeText(sf6::CatalogChange change) {
  switch (change) {
  case sf6::CatalogChange::Added:
    return "neu";
  case sf6::CatalogChange::Removed:
    return "entfernt";
  case sf6::CatalogChange::Changed:
    break;
  }
  return "ge\xE4ndert";
}

std::string keyText(const std::vector<std::string> &key) {
  std::string text;
  for (const std::string &part : key) {
    if (!text.empty())
      text += ' ';
    text += part.empty() ? "\"\"" : part;
  }
  return text;
}

// The pane of a data file, -1 for Head.dat.
int paneOf(sf6::Sf6Entry entry) {
  const auto panes = sf6::ViewerPanes();
  for (size_t i = 0; i < panes.size(); ++i)
    if (sf6::Sf6EntryName(entry) == panes[i].entryName)
      return static_cast<int>(i);
  return -1;
}

sf6::ByteBuffer joinLines(const sf6::TextDocument &document) {
  sf6::ByteBuffer text;
  for (int i = 0; i < document.lineCount(); ++i) {
    sf6::AppendBytes(text, document.line(i));
    sf6::AppendBytes(text, "\r\n");
  }
  return text;
}

QString countsText(const sf6::CatalogComparison &comparison) {
  QStringList lines;
  for (size_t i = 0; i < sf6::kSf6EntryCount; ++i) {
    const sf6::EntryCounts &c = comparison.counts[i];
    if (!c.differs())
      continue;
    lines << QStringLiteral("%1: %2 neu, %3 entfernt, %4 ge\u00e4ndert")
                 .arg(QString::fromLatin1(sf6::kSf6EntryNames[i].data(),
                                          static_cast<qsizetype>(sf6::kSf6EntryNames[i].size())))
                 .arg(c.added)
                 .arg(c.removed)
                 .arg(c.changed);
  }
  if (lines.isEmpty())
    return QStringLiteral("Keine Unterschiede.");
  return lines.join(QLatin1Char('\n'));
}

} // namespace

sf6::CatalogArchive LoadedCatalog(const TFormlup6FileView &viewer) {
  sf6::CatalogArchive archive;
  for (size_t i = 0; i < sf6::kSf6EntryCount; ++i) {
    sf6::CatalogEntry &entry = archive.entries[i];
    entry.id = static_cast<sf6::Sf6Entry>(i);
    entry.state = sf6::CatalogEntryState::Present;
    const std::string name(entry.name());
    const auto in = [&name](const std::vector<std::string> &names) {
      return std::find(names.begin(), names.end(), name) != names.end();
    };
    if (in(viewer.missingEntries()))
      entry.state = sf6::CatalogEntryState::Missing;
    if (in(viewer.unreadableEntries()))
      entry.state = sf6::CatalogEntryState::Unreadable;
    if (entry.state != sf6::CatalogEntryState::Present)
      continue;
    if (entry.id == sf6::Sf6Entry::Head) {
      for (const std::string &line : viewer.HeadLines)
        sf6::AppendBytes(entry.bytes, line + "\r\n");
      continue;
    }
    entry.bytes = joinLines(viewer.pane(paneOf(entry.id))->RichEdit->document());
  }
  return archive;
}

CompareWindow::CompareWindow(TFormlup6FileView &viewer)
    : QWidget(&viewer, Qt::Window), m_viewer(viewer) {
  setObjectName(QStringLiteral("CompareWindow"));
  setWindowTitle(QStringLiteral("Vergleich"));
  auto *layout = new QVBoxLayout(this);
  m_summary = new QLabel(this);
  m_summary->setObjectName(QStringLiteral("CompareSummary"));
  m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(m_summary);
  m_list = new TvxListGd(this);
  m_list->setObjectName(QStringLiteral("CompareList"));
  m_list->installEventFilter(this);
  layout->addWidget(m_list, 1);
  connectList();
  // The list opens in the comparison's own order (file set, then key); the
  // grid would otherwise sort by its first column, file names alphabetically.
  m_list->logic().itemCount();
  m_list->logic().setSortColumn(0);
  // Esc cancels a running comparison from the viewer as well as from here.
  for (QWidget *target : {static_cast<QWidget *>(this), static_cast<QWidget *>(&viewer)}) {
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), target);
    escape->setContext(Qt::WindowShortcut);
    escape->setEnabled(false);
    connect(escape, &QShortcut::activated, this, &CompareWindow::cancel);
    m_escapes.push_back(escape);
  }
  resize(900, 500);
}

CompareWindow::~CompareWindow() {
  m_cancel = true;
  join();
  // The viewer's shortcut belongs to the viewer; it must not outlive us.
  delete m_escapes[1].data();
}

void CompareWindow::connectList() {
  auto &events = m_list->logic().events;
  events.OnGetItemCount = [this](int &count) { count = static_cast<int>(m_rows.size()); };
  events.OnGetColNames = [](int dataIndex, std::string &text, int &width, sf6::Alignment &) {
    if (dataIndex < 1 || dataIndex > static_cast<int>(std::size(kColumns)))
      return;
    text = kColumns[dataIndex - 1];
    width = kColumnWidths[dataIndex - 1];
  };
  events.OnGetItemData = [this](std::string &text, sf6::TvxListDataType &, int col, int row) {
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
      return;
    const Row &r = m_rows[static_cast<size_t>(row)];
    const sf6::CatalogDifference &d = m_comparison.differences[static_cast<size_t>(r.difference)];
    const sf6::FieldChange *f = r.field >= 0 ? &d.fields[static_cast<size_t>(r.field)] : nullptr;
    switch (col) {
    case 0:
      text = sf6::Sf6EntryName(d.entry);
      return;
    case 1:
      text = changeText(d.change);
      return;
    case 2:
      text = keyText(d.key);
      return;
    case 3:
      if (f)
        text = f->field > 0 ? std::to_string(f->field) + " " + f->caption : f->caption;
      return;
    case 4:
      if (f)
        text = f->oldText;
      return;
    case 5:
      if (!f)
        return;
      text = f->newText;
      if (f->percentTenths)
        text += " (" + sf6::PercentText(*f->percentTenths) + ")";
      return;
    default:
      return;
    }
  };
}

void CompareWindow::start(const QString &olderPath) {
  cancel();
  join();
  m_comparison = {};
  m_rows.clear();
  m_list->Invalidate();
  m_cancel = false;
  m_done = false;
  m_lastPercent = -1;
  setWindowTitle(QStringLiteral("Vergleich: %1 \u2192 geladener Katalog")
                     .arg(QFileInfo(olderPath).fileName()));
  m_summary->setText(QStringLiteral("Vergleich l\u00e4uft \u2026"));
  for (QShortcut *escape : m_escapes)
    if (escape)
      escape->setEnabled(true);

  // The loaded catalog is copied here, on the window's thread; the worker
  // owns the copy and the older archive it reads.
  auto newer = std::make_shared<sf6::CatalogArchive>(LoadedCatalog(m_viewer));
  const std::filesystem::path path(QFile::encodeName(olderPath).toStdString());
  const int generation = ++m_generation;
  m_worker = std::thread([this, newer, path, generation] {
    std::shared_ptr<sf6::CatalogComparison> result;
    QString failure;
    bool cancelled = false;
    // Reading the older archive counts as the first tenth of the work.
    const auto post = [this, generation](uint64_t done, uint64_t total) {
      QMetaObject::invokeMethod(
          this,
          [this, done, total, generation] {
            if (generation == m_generation)
              showProgress(done, total);
          },
          Qt::QueuedConnection);
    };
    try {
      sf6::CatalogLoadOptions load;
      load.progress = [this, post](uint64_t done, uint64_t total) {
        if (m_cancel)
          throw sf6::CompareCancelled();
        post(total ? done * 100 / total : 0, 1000);
      };
      const sf6::CatalogArchive older = sf6::LoadCatalogArchive(path, load);
      sf6::CompareOptions options;
      options.progress = [this, post](uint64_t done, uint64_t total) {
        post(100 + (total ? done * 900 / total : 900), 1000);
        return !m_cancel.load();
      };
      result =
          std::make_shared<sf6::CatalogComparison>(sf6::CompareCatalogs(older, *newer, options));
    } catch (const sf6::CompareCancelled &) {
      cancelled = true;
    } catch (const std::exception &e) {
      failure = sf6::fromCp1252(e.what());
    }
    m_done = true;
    QMetaObject::invokeMethod(
        this,
        [this, result, failure, cancelled, generation] {
          // A comparison started since then has replaced this one.
          if (generation == m_generation)
            finish(result, failure, cancelled);
        },
        Qt::QueuedConnection);
  });
}

void CompareWindow::cancel() {
  m_cancel = true;
}

void CompareWindow::join() {
  if (m_worker.joinable())
    m_worker.join();
}

void CompareWindow::showProgress(uint64_t done, uint64_t total) {
  if (m_done || total == 0)
    return;
  const int percent = static_cast<int>(done * 100 / total);
  if (percent == m_lastPercent)
    return;
  m_lastPercent = percent;
  m_viewer.statusBar()->showMessage(
      QStringLiteral("Vergleich l\u00e4uft: %1 % (Esc bricht ab)").arg(percent));
}

void CompareWindow::finish(std::shared_ptr<sf6::CatalogComparison> result, QString failure,
                           bool cancelled) {
  join();
  for (QShortcut *escape : m_escapes)
    if (escape)
      escape->setEnabled(false);
  if (cancelled) {
    m_summary->setText(QStringLiteral("Vergleich abgebrochen."));
    m_viewer.statusBar()->showMessage(QStringLiteral("Vergleich abgebrochen"));
  } else if (!result) {
    m_summary->setText(failure);
    m_viewer.statusBar()->showMessage(QStringLiteral("Vergleich fehlgeschlagen"));
  } else {
    m_comparison = std::move(*result);
    for (size_t i = 0; i < m_comparison.differences.size(); ++i) {
      const auto &d = m_comparison.differences[i];
      if (d.fields.empty())
        m_rows.push_back({static_cast<int>(i), -1});
      for (size_t f = 0; f < d.fields.size(); ++f)
        m_rows.push_back({static_cast<int>(i), static_cast<int>(f)});
    }
    m_summary->setText(countsText(m_comparison));
    m_viewer.statusBar()->showMessage(m_comparison.equal()
                                          ? QStringLiteral("Vergleich beendet: keine Unterschiede")
                                          : QStringLiteral("Vergleich beendet: %1 Unterschiede")
                                                .arg(m_comparison.differences.size()));
  }
  m_list->Invalidate();
  emit comparisonEnded();
}

bool CompareWindow::openRow(int dataRow) {
  if (dataRow < 0 || dataRow >= static_cast<int>(m_rows.size()))
    return false;
  const Row &row = m_rows[static_cast<size_t>(dataRow)];
  const sf6::CatalogDifference &d = m_comparison.differences[static_cast<size_t>(row.difference)];
  if (d.newLine <= 0)
    return false;
  const int line = d.newLine - 1;
  const int pane = paneOf(d.entry);
  if (pane < 0) {
    m_viewer.tabs()->setCurrentWidget(m_viewer.ListHead);
    m_viewer.ListHead->setCurrentDataRow(line);
  } else {
    TFrameFileview1 *frame = m_viewer.pane(pane);
    m_viewer.tabs()->setCurrentWidget(frame);
    // The caret at the changed field's first column: the field grid follows
    // the caret to that field and marks it in the line.
    const int field = row.field >= 0 ? d.fields[static_cast<size_t>(row.field)].field : 0;
    const sf6::Sf6FieldPlace place = m_viewer.paneLayout(pane).place(field);
    const sf6::TextPos caret{line, field > 0 ? place.column - 1 : 0};
    frame->RichEdit->setCaret(caret, caret);
    frame->MemoChange();
    if (field > 0) {
      // The grid's row is the field itself even where fields overlap; marked
      // again with reveal, so a field far right in a long line scrolls into view.
      frame->ListDetail->setCurrentDataRow(field - 1);
      frame->RichEdit->setFieldMark(line, place.column, place.width, true);
    }
    frame->RichEdit->setFocus();
  }
  m_viewer.activateWindow();
  m_viewer.raise();
  return true;
}

bool CompareWindow::eventFilter(QObject *watched, QEvent *event) {
  if (watched == m_list && event->type() == QEvent::MouseButtonDblClick) {
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const int displayRow = m_list->logic().rowAt(mouse->position().toPoint().y());
    if (displayRow >= 0)
      openRow(m_list->logic().dataRowOf(displayRow));
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void OpenCompareWindow(TFormlup6FileView &viewer) {
  const QString path =
      QFileDialog::getOpenFileName(&viewer, QStringLiteral("\u00c4lteren Katalog w\u00e4hlen"),
                                   QString(), QStringLiteral("Standardformat 6.x ZIP (*.zip)"));
  if (path.isEmpty())
    return;
  auto *window = new CompareWindow(viewer);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  window->start(path);
}
