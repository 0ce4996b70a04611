#pragma once

// "Vergleichen mit…": the differences from an older catalog archive to the
// catalog loaded in the viewer, in a window of their own. The comparison runs
// on a worker thread; its progress stands in the viewer's status bar and Esc
// (in the viewer or in this window) cancels it. The summary counts stand above
// a sortable list grid (Datei, Änderung, Schlüssel, Feld, alt, neu) with one
// row per added or removed record and per changed field. A double-click on an
// added or changed row shows that record's line in the loaded catalog and
// marks the changed field.

#include "compare/CatalogDiff.h"

#include <QPointer>
#include <QShortcut>
#include <QWidget>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

class QLabel;
class TFormlup6FileView;
class TvxListGd;

class CompareWindow : public QWidget {
  Q_OBJECT
public:
  // A top-level window over viewer, which owns it.
  explicit CompareWindow(TFormlup6FileView &viewer);
  // Cancels a running comparison and waits for its thread.
  ~CompareWindow() override;

  // Compares the archive at olderPath with what the viewer shows now; returns
  // at once. A comparison still running is cancelled first.
  void start(const QString &olderPath);
  void cancel();
  bool running() const { return m_worker.joinable() && !m_done; }

  const sf6::CatalogComparison &comparison() const { return m_comparison; }
  TvxListGd *list() const { return m_list; }
  QLabel *summary() const { return m_summary; }

  // The list's rows: a difference and, for a changed record, one of its fields.
  struct Row {
    int difference = 0;
    int field = -1; // index into the difference's fields; -1 for added and removed
  };
  const std::vector<Row> &rows() const { return m_rows; }
  // Shows the record of a data row in the viewer: its line in the loaded
  // catalog with the changed field marked. False for a removed record (it is
  // not in the loaded catalog).
  bool openRow(int dataRow);

signals:
  // The comparison has ended: finished, cancelled or failed.
  void comparisonEnded();

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void connectList();
  void showProgress(uint64_t done, uint64_t total);
  void finish(std::shared_ptr<sf6::CatalogComparison> result, QString failure, bool cancelled);
  void join();

  TFormlup6FileView &m_viewer;
  QLabel *m_summary = nullptr;
  TvxListGd *m_list = nullptr;
  std::vector<QPointer<QShortcut>> m_escapes;
  sf6::CatalogComparison m_comparison;
  std::vector<Row> m_rows;
  std::thread m_worker;
  std::atomic<bool> m_cancel{false};
  std::atomic<bool> m_done{true};
  int m_lastPercent = -1;
  // Counts the comparisons started; results of an earlier one are dropped.
  int m_generation = 0;
};

// The catalog the viewer shows, as an archive: Head.dat from the header lines,
// the data files from the panes' texts (so line numbers are those of the
// panes); entries the load found missing or unreadable keep that state.
sf6::CatalogArchive LoadedCatalog(const TFormlup6FileView &viewer);

// The menu command: asks for the older archive, then opens a comparison
// window for it.
void OpenCompareWindow(TFormlup6FileView &viewer);
