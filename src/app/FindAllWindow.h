#pragma once

// "In allen Dateien suchen…" (Ctrl+Shift+F): a list docked below the panes
// with its own search field. Enter searches the text in all thirteen files
// of the loaded catalog (the find bar's letter-case rules) and lists every
// hit with its file, line, column (both counted from 0, as the caret label
// counts) and line text. Enter or a double-click on a hit switches to its
// tab and selects the match. A large catalog is searched on a worker thread
// with progress in the status bar, Esc cancelling; meanwhile the panes'
// texts are read-only. The list holds the first kListedHits hits; the status
// text gives the whole count.

#include "view/FindAll.h"

#include "app/HitListDock.h"

#include <array>
#include <atomic>
#include <thread>

class QCheckBox;
class QLineEdit;
class TFormlup6FileView;
class TvxListGd;

class FindAllWindow : public HitListDock {
  Q_OBJECT
public:
  static constexpr std::size_t kListedHits = 10000;

  // Docks itself, hidden, at the bottom of window.
  explicit FindAllWindow(TFormlup6FileView &window);
  // Stops a running search and waits for its thread.
  ~FindAllWindow() override;

  // Shows the list with the focus in its search field, holding text when
  // given (else what it held).
  void open(const QString &text);
  // Searches the field's text in the loaded files.
  void start();
  // Cancels a running search and waits for it; the texts are writable again.
  void stop();
  // The catalog was replaced: stops a search and empties the list.
  void clear();
  // Catalogs of at least this many lines are searched on a worker thread.
  uint64_t threadFromLines = 200000;

  QLineEdit *searchField() const { return m_text; }
  QCheckBox *matchCaseBox() const { return m_matchCase; }
  TvxListGd *grid() const { return m_grid; }
  const sf6::FindAllResult &result() const { return m_result; }
  // Goes to the hit in data row `row` of the list.
  void jumpTo(int row) override;

signals:
  // A search ended: its hits are listed, or it was cancelled.
  void finished(bool cancelled);

private:
  void connectGrid();
  void finish(unsigned run, sf6::FindAllResult result);
  void setTextsReadOnly(bool readOnly);

  TFormlup6FileView &m_window;
  QLineEdit *m_text = nullptr;
  QCheckBox *m_matchCase = nullptr;
  sf6::FindAllResult m_result;
  // The files searched: Head.dat's lines as a document of their own, then
  // the panes' documents.
  sf6::TextDocument m_head;
  std::array<const sf6::TextDocument *, 13> m_files{};
  unsigned m_run = 0;
  std::atomic<bool> m_progressPending{false};
};
