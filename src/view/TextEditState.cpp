#include "view/TextEditState.h"

#include "text/FieldText.h"

namespace sf6 {

void TextEditState::setBytes(std::string bytes) {
  m_document.setBytes(std::move(bytes));
  m_caret = m_anchor = {};
  m_wantedColumn = 0;
}

void TextEditState::moveTo(TextPos pos, bool select) {
  m_caret = m_document.clamp(pos);
  if (!select)
    m_anchor = m_caret;
  m_wantedColumn = m_caret.column;
}

void TextEditState::moveLeft(bool select) {
  if (!select && hasSelection()) {
    moveTo(selectionStart(), false);
    return;
  }
  if (m_caret.column > 0) {
    moveTo({m_caret.line, m_caret.column - 1}, select);
    return;
  }
  if (m_caret.line > 0)
    moveTo({m_caret.line - 1, m_document.lineLength(m_caret.line - 1)}, select);
  else
    moveTo(m_caret, select);
}

void TextEditState::moveRight(bool select) {
  if (!select && hasSelection()) {
    moveTo(selectionEnd(), false);
    return;
  }
  if (m_caret.column < m_document.lineLength(m_caret.line)) {
    moveTo({m_caret.line, m_caret.column + 1}, select);
    return;
  }
  if (m_caret.line + 1 < m_document.lineCount())
    moveTo({m_caret.line + 1, 0}, select);
  else
    moveTo(m_caret, select);
}

void TextEditState::moveLines(int delta, bool select) {
  const int wanted = m_wantedColumn;
  const int line = std::clamp(m_caret.line + delta, 0, m_document.lineCount() - 1);
  moveTo({line, wanted}, select);
  m_wantedColumn = wanted;
}

void TextEditState::moveHome(bool select) { moveTo({m_caret.line, 0}, select); }

void TextEditState::moveEnd(bool select) {
  moveTo({m_caret.line, m_document.lineLength(m_caret.line)}, select);
}

void TextEditState::moveDocumentEnd(bool select) {
  const int last = m_document.lineCount() - 1;
  moveTo({last, m_document.lineLength(last)}, select);
}

void TextEditState::selectAll() {
  moveDocumentStart(false);
  moveDocumentEnd(true);
}

void TextEditState::eraseSelection() {
  if (!hasSelection())
    return;
  const TextPos start = selectionStart();
  m_document.erase(start, selectionEnd());
  moveTo(start, false);
}

void TextEditState::typeText(std::string_view text) {
  eraseSelection();
  moveTo(m_document.insert(m_caret, text), false);
}

void TextEditState::backspace() {
  if (hasSelection()) {
    eraseSelection();
    return;
  }
  const TextPos end = m_caret;
  moveLeft(false);
  m_document.erase(m_caret, end);
  moveTo(m_caret, false);
}

void TextEditState::deleteForward() {
  if (hasSelection()) {
    eraseSelection();
    return;
  }
  const TextPos start = m_caret;
  moveRight(false);
  m_document.erase(start, m_caret);
  moveTo(start, false);
}

std::string TextEditState::selectedText() const {
  return m_document.text(selectionStart(), selectionEnd());
}

std::string PaddedCaretLine(const TextDocument &document, int lineIndex) {
  if (lineIndex < 0 || lineIndex >= document.lineCount())
    return PadRight("", 255);
  return PadRight(document.line(lineIndex), 255);
}

} // namespace sf6
