#pragma once

// Caret, selection and editing of a file pane's text, without a window
// system: the Qt text view forwards keys and clicks here and paints what it
// reports. Edits stay in memory; the catalog file is never written.

#include "view/TextDocument.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace sf6 {

class TextEditState {
public:
  TextDocument &document() { return m_document; }
  const TextDocument &document() const { return m_document; }

  // Replaces the text and puts the caret at its start.
  void setBytes(ByteBuffer bytes);
  void setBytes(std::string_view text) { setBytes(ToByteBuffer(text)); }

  // The moving end of the selection and its fixed end; equal without a selection.
  TextPos caret() const { return m_caret; }
  TextPos anchor() const { return m_anchor; }
  bool hasSelection() const { return m_caret != m_anchor; }
  TextPos selectionStart() const { return std::min(m_caret, m_anchor); }
  // The right-hand end of the selection, whichever way it was made: the
  // place the pane reports as its caret.
  TextPos selectionEnd() const { return std::max(m_caret, m_anchor); }

  // Moves the caret; with select the anchor stays, else it follows.
  void moveTo(TextPos pos, bool select);
  void moveLeft(bool select);
  void moveRight(bool select);
  void moveUp(bool select) { moveLines(-1, select); }
  void moveDown(bool select) { moveLines(1, select); }
  void moveHome(bool select);
  void moveEnd(bool select);
  // By one page of pageLines lines.
  void pageUp(int pageLines, bool select) { moveLines(-std::max(1, pageLines), select); }
  void pageDown(int pageLines, bool select) { moveLines(std::max(1, pageLines), select); }
  void moveDocumentStart(bool select) { moveTo({0, 0}, select); }
  void moveDocumentEnd(bool select);
  void selectAll();

  // Replaces the selection by text (which may hold line breaks).
  void typeText(std::string_view text);
  void newLine() { typeText("\n"); }
  // Removes the selection, or the character before / after the caret (a line
  // break at the start / end of a line).
  void backspace();
  void deleteForward();
  std::string selectedText() const;

private:
  void moveLines(int delta, bool select);
  void eraseSelection();

  TextDocument m_document;
  TextPos m_caret;
  TextPos m_anchor;
  int m_wantedColumn = 0; // kept while moving up and down
};

// The pane's current line: the text of `lineIndex` (empty outside the text)
// with 250 blanks appended, cut to 255 characters.
std::string PaddedCaretLine(const TextDocument &document, int lineIndex);

} // namespace sf6
