#pragma once

// The editable text of a file pane: the entry's bytes plus a line index
// (sf6::TextEditState), painting only the visible lines in a fixed-pitch
// font. Catalog files of a million lines show at once and cost little more
// than their bytes. One byte is one character cell; Windows-1252 bytes are
// shown as their Unicode characters. Edits stay in memory.
//
// Notifications for the pane: textChanged() after every edit and after
// setBytes(); keyReleased() when a key is released (not for auto-repeat), so
// the pane follows keyboard caret moves but not mouse placement.

#include "view/TextEditState.h"

#include <QAbstractScrollArea>

class TextView : public QAbstractScrollArea {
  Q_OBJECT
public:
  explicit TextView(QWidget *parent = nullptr);

  // Replaces the text (the caret goes to its start) and reports a text change.
  void setBytes(sf6::ByteBuffer bytes);
  // The text with its caret, edits and scroll place, as exchangeState hands
  // it back.
  struct Saved {
    sf6::TextEditState state;
    int top = 0;
    int left = 0;
  };
  // Shows state, a text already indexed (off the screen, say while a load
  // goes on), from its start, and reports a text change.
  void setState(sf6::TextEditState state);
  // setState that hands back what was shown, so that restore can put it
  // back as it was: for a load that shows a tab before it has read the rest
  // and may still fail or be cancelled.
  Saved exchangeState(sf6::TextEditState state);
  void restore(Saved saved);
  const sf6::TextEditState &state() const { return m_state; }
  const sf6::TextDocument &document() const { return m_state.document(); }

  // Marks columns [column, column + width) (1-based first column) of a line,
  // or nothing with width 0; reveal scrolls the marked columns into view.
  void setFieldMark(int line, int column, int width, bool reveal = false);
  // The marked line (-1 for none), its 1-based first column and its width.
  int markLine() const { return m_markLine; }
  int markColumn() const { return m_markColumn + 1; }
  int markWidth() const { return m_markLine >= 0 ? m_markWidth : 0; }

  // Caret and selection as the pane sees them.
  void setCaret(sf6::TextPos caret, sf6::TextPos anchor);
  void selectAll();
  void copy() const;
  void paste();

  int visibleLineCount() const;
  // The first line shown and showing a line first (as far as the text reaches).
  int topLine() const;
  void setTopLine(int line);
  // The width of one character cell in pixels (fractional).
  qreal charWidth() const { return m_charWidth; }
  // Read-only while a search reads the text on another thread: keys and
  // pasting that would change it are ignored.
  void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
  bool isReadOnly() const { return m_readOnly; }

signals:
  void textChanged();
  void keyReleased(int key);
  // A context menu was asked for at globalPos (the caret already moved there
  // when the click was outside the selection).
  void contextMenuRequested(QPoint globalPos);

protected:
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void keyReleaseEvent(QKeyEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
  void scrollContentsBy(int dx, int dy) override;
  void contextMenuEvent(QContextMenuEvent *event) override;

private:
  void updateScrollBars();
  void ensureCaretVisible();
  sf6::TextPos positionAt(QPoint point) const;
  int visibleColumnCount() const;
  void edited();

  sf6::TextEditState m_state;
  int m_lineHeight = 1;
  qreal m_charWidth = 1; // fractional, so that marks stay on the glyphs of long lines
  int m_ascent = 0;
  int m_markLine = -1;
  int m_markColumn = 0;
  int m_markWidth = 0;
  bool m_readOnly = false;
};
