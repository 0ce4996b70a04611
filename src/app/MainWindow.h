#pragma once

// TFormlup6FileView: the viewer's main window. A start page, the header list
// of Head.dat and twelve file panes on fourteen tabs; the menu "Datei" loads
// a catalog archive into them. The window keeps, per pane, the record decoded
// from the line under that pane's caret and answers the panes' field grids
// from it.

#include "app/VersionInfo.h"
#include "sf6/Sf6Layout.h"
#include "text/LineList.h"
#include "view/CatalogView.h"
#include "view/RelatedLines.h"
#include "view/TextEditState.h"

#include <QMainWindow>

#include <array>
#include <optional>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

class FindAllWindow;
class ProblemListWindow;
class QAction;
class QLabel;
class QMenu;
class QLineEdit;
class QCheckBox;
class QTabWidget;
class TFrameFileview1;
class TvxListGd;

class TFormlup6FileView : public QMainWindow {
  Q_OBJECT
public:
  static constexpr int kPaneCount = 12;

  explicit TFormlup6FileView(QWidget *parent = nullptr);
  ~TFormlup6FileView() override;

  // Shows a message box; tests replace it to see the texts. error selects an
  // error box over an information box.
  std::function<void(const QString &caption, const QString &text, bool error)> showMessage;

  // The load command for a chosen archive. The archive is read on a worker
  // thread while the window stays responsive (progress in the status bar,
  // Esc cancels and keeps the catalog shown before). Throws the archive's
  // failures (Sf6Error with the user's text) and then changes nothing; a
  // missing or unreadable entry empties its pane and is named in the status
  // bar, an unreadable one also in an error box.
  void loadCatalog(const QString &path);
  // loadCatalog with a failure shown in an error box, as the menu command does.
  void loadCatalogReporting(const QString &path);

  // The panes in tab order and their layouts.
  TFrameFileview1 *pane(int index) const { return m_panes[index]; }
  const sf6::Sf6Layout &paneLayout(int index) const;
  const sf6::Sf6AnyRecord &record(int index) const { return m_records[index]; }
  TvxListGd *ListHead = nullptr;
  QTabWidget *tabs() const { return m_tabs; }
  QAction *KonvertierungSF4SF61 = nullptr;

  sf6::LineList HeadLines;
  std::string ProgramVersion;
  TVersionInfo VersionInfo1;

  // The archive loaded last; empty before the first load.
  const QString &catalogPath() const { return m_catalogPath; }
  // The status bar's permanent text: the loaded archive and what it lacks.
  QString archiveStatus() const;
  // The archives opened last, newest first (kept in QSettings between runs).
  QStringList recentFiles() const;
  // Puts the caret at the start of line (0-based, as the caret label counts)
  // of the current pane and the focus in its text.
  void goToLine(int line);
  void askGoToLine();
  // The find bar under the panes: shows it with the focus in its text.
  void openFindBar();
  // Finds the bar's text in the current pane, forward or backward from the
  // current match, selects it and moves the caret there; the status bar says
  // "nicht gefunden" or that the search wrapped.
  void findText(bool forward, bool fromMatchStart);
  QWidget *findBar() const { return m_findBar; }
  QLineEdit *findField() const { return m_findText; }
  // Lists the recent archives in "Zuletzt geöffnet", dropping missing ones
  // with a message.
  void fillRecentMenu();
  ProblemListWindow *problemList() const { return m_problemList; }
  FindAllWindow *findAll() const { return m_findAll; }
  // "In allen Dateien suchen…": the hit list with the focus in its field,
  // holding the current pane's selection (or the find bar's text).
  void openFindAll();

  // Jumps from the code under the caret of the current pane (the start of
  // a selection) to its related line: switches the tab, puts the caret at
  // the line's start and the focus in that text, and remembers where the
  // jump started. Without a target the status bar says why.
  void jump(sf6::JumpKind kind);
  // Back to where the last jump started, caret and selection as they were.
  void jumpBack();
  int jumpDepth() const { return static_cast<int>(m_jumps.size()); }

  // Window geometry and the panes' splitter positions, kept in QSettings
  // between runs: saved when the window closes (splitters the user moved),
  // restored when it is created.
  void saveSession() const;
  void restoreSession();

  // The entries the last load found missing or could not read.
  const std::vector<std::string> &missingEntries() const { return m_missing; }
  const std::vector<std::string> &unreadableEntries() const { return m_unreadable; }

  void SF6laden1Click();
  void KonvertierungSF4SF61Click();
  void beenden1Click();
  void DecodeCurrentLine(TFrameFileview1 &pane);

protected:
  void closeEvent(QCloseEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dropEvent(QDropEvent *event) override;

private:
  void FormCreate();
  QWidget *createStartPage();
  void connectHeadList();
  void connectPane(int index);
  // Marks the columns of the grid's current field in the caret line;
  // reveal scrolls them into view (when the user picked the field).
  void markSelectedField(int index, bool reveal);
  // The panes' texts indexed while the load went on, by pane.
  using StagedPanes = std::array<std::optional<sf6::TextEditState>, kPaneCount>;
  // Shows catalog; a pane with a staged text takes that, shownPane (-1 for
  // none) already shows its text.
  void applyCatalog(sf6::ViewerCatalog catalog, StagedPanes staged = {}, int shownPane = -1);
  void rememberRecent(const QString &path);
  void createFindBar(QWidget *parent);
  void reportLoad(const QString &path);
  // Makes the field grid's current row the field under the pane's caret.
  void followCaretField(int index);
  void showPaneMenu(int index, QPoint globalPos);
  void createJumpActions(QMenu &menu);
  int paneIndexOf(const QWidget *widget) const;

  QTabWidget *m_tabs = nullptr;
  std::array<TFrameFileview1 *, kPaneCount> m_panes{};
  std::array<sf6::Sf6AnyRecord, kPaneCount> m_records;
  std::vector<std::string> m_missing;
  std::vector<std::string> m_unreadable;
  QAction *m_cancelAction = nullptr;
  bool m_loading = false;
  std::atomic<bool> m_cancelLoad{false};
  // The tab a load shows before it has read the rest; -1 when none. The
  // other tabs still hold the previous catalog then, so the tab stays.
  int m_heldTab = -1;
  QString m_catalogPath;
  QLabel *m_archiveStatus = nullptr;
  QMenu *m_recentMenu = nullptr;
  QWidget *m_findBar = nullptr;
  QLineEdit *m_findText = nullptr;
  QCheckBox *m_findCase = nullptr;
  ProblemListWindow *m_problemList = nullptr;
  FindAllWindow *m_findAll = nullptr;
  // The targets of jumps, indexed per file on first use.
  sf6::RelatedLines m_related;
  // Where jumps started, the latest last; at most kJumpDepth are kept.
  struct JumpOrigin {
    int pane = 0;
    sf6::TextPos caret;
    sf6::TextPos anchor;
    int topLine = 0;
  };
  static constexpr std::size_t kJumpDepth = 100;
  std::vector<JumpOrigin> m_jumps;
  QAction *m_jumpBack = nullptr;
  // The splitters the user moved in this run: only their positions are
  // saved (a splitter never shown has no sizes worth keeping).
  std::array<bool, kPaneCount> m_splitterMoved{};
};
