#pragma once

// A dock under the panes that lists what a search over the whole catalog
// found (find in all files, the catalog check) in a list grid, while the
// search runs on a worker thread: Enter or a double-click on a row goes to
// it, Esc cancels a running search.

#include <QDockWidget>
#include <QEvent>
#include <QKeyEvent>

#include <atomic>
#include <thread>

class TvxListGd;

class HitListDock : public QDockWidget {
public:
  using QDockWidget::QDockWidget;

  bool running() const { return m_worker.joinable(); }
  // Goes to the hit in data row `row` of the list.
  virtual void jumpTo(int row) = 0;

protected:
  // Installed on the grid, and on the application while a search runs.
  bool eventFilter(QObject *watched, QEvent *event) override;

  TvxListGd *m_grid = nullptr;
  std::thread m_worker;
  std::atomic<bool> m_cancel{false};
};
