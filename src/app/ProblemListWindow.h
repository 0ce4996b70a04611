#pragma once

// The catalog check in the viewer: "Katalog prüfen" in the "Datei" menu runs
// the checker on a worker thread over the archive the main window loaded,
// shows its progress in the status bar (Esc cancels) and lists the problems
// in a list grid docked below the panes (Datei, Zeile, Spalte, Feld, Schwere,
// Meldung; sortable by each column). Enter or a double-click on a problem
// switches to its pane, puts the caret on its line and column and marks its
// field. The window's only part in this is to create one of these.

#include "check/CatalogCheck.h"

#include "app/HitListDock.h"

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

class QAction;
class QMenu;
class TFormlup6FileView;
class TvxListGd;

class ProblemListWindow : public HitListDock {
  Q_OBJECT
public:
  // Adds "Katalog prüfen" to menu (before its entry `before`, or at its end)
  // and docks itself, hidden, at the bottom of window.
  ProblemListWindow(TFormlup6FileView &window, QMenu &menu, QAction *before);
  // Cancels a running check and waits for its thread.
  ~ProblemListWindow() override;

  // Checks the archive at path; a running check is cancelled first.
  void start(const QString &path);
  // The menu command: checks the archive loaded last.
  void checkLoadedCatalog();
  void cancel();

  QAction *action() const { return m_action; }
  TvxListGd *grid() const { return m_grid; }
  const std::vector<sf6::check::CatalogProblem> &problems() const { return m_result.problems; }
  // Goes to the problem in data row `row` of the list.
  void jumpTo(int row) override;

signals:
  // The check ended: its problems are listed, or it was cancelled.
  void finished(bool cancelled);

private:
  void connectGrid();
  void showProgress(unsigned run, uint64_t done, uint64_t total);
  void finish(unsigned run, std::shared_ptr<sf6::check::CheckResult> result, bool cancelled);
  void join();

  TFormlup6FileView &m_window;
  QAction *m_action = nullptr;
  sf6::check::CheckResult m_result;
  // Counts the checks started; reports of an earlier, cancelled check are
  // dropped when they arrive after a new one started.
  unsigned m_run = 0;
  // Set by the worker when its last progress report has been shown, so the
  // status bar is not flooded with reports.
  std::atomic<bool> m_progressPending{false};
};
