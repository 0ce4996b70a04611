#include "app/TextView.h"

#include "ui/Cp1252Qt.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QtMath>

#include <algorithm>

namespace {

QFont paneFont() {
  QFont font = QFontDatabase::families().contains(QStringLiteral("Courier New"))
                   ? QFont(QStringLiteral("Courier New"))
                   : QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(11);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  return font;
}

// Control characters take one cell like every other byte.
QString displayText(std::string_view bytes) {
  QString text = sf6::fromCp1252(bytes);
  for (QChar &ch : text)
    if (ch.unicode() < 32)
      ch = QChar(' ');
  return text;
}

const QColor kMarkColour(0xFF, 0xF0, 0x9A);

} // namespace

TextView::TextView(QWidget *parent) : QAbstractScrollArea(parent) {
  setFont(paneFont());
  const QFontMetricsF metrics(font());
  m_lineHeight = std::max(1, qCeil(metrics.lineSpacing()));
  m_charWidth = std::max<qreal>(1, metrics.horizontalAdvance(QString(100, QChar('M'))) / 100);
  m_ascent = qRound(metrics.ascent());
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setAutoFillBackground(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  updateScrollBars();
}

void TextView::setBytes(sf6::ByteBuffer bytes) {
  // The old text goes first: a catalog's panes are replaced one by one, so
  // memory never holds two copies of the same pane.
  m_state = sf6::TextEditState();
  sf6::TextEditState state;
  state.setBytes(std::move(bytes));
  setState(std::move(state));
}

void TextView::setState(sf6::TextEditState state) {
  m_state = std::move(state);
  m_markLine = -1;
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  updateScrollBars();
  viewport()->update();
  emit textChanged();
}

TextView::Saved TextView::exchangeState(sf6::TextEditState state) {
  Saved saved{std::move(m_state), verticalScrollBar()->value(), horizontalScrollBar()->value()};
  setState(std::move(state));
  return saved;
}

void TextView::restore(Saved saved) {
  setState(std::move(saved.state));
  verticalScrollBar()->setValue(saved.top);
  horizontalScrollBar()->setValue(saved.left);
}

void TextView::setFieldMark(int line, int column, int width, bool reveal) {
  m_markLine = width > 0 ? line : -1;
  m_markColumn = column - 1;
  m_markWidth = width;
  if (m_markLine >= 0 && reveal) {
    const int columns = visibleColumnCount();
    QScrollBar *bar = horizontalScrollBar();
    if (m_markColumn < bar->value())
      bar->setValue(m_markColumn);
    else if (m_markColumn + width > bar->value() + columns)
      bar->setValue(std::min(m_markColumn, m_markColumn + width - columns));
  }
  viewport()->update();
}

void TextView::setCaret(sf6::TextPos caret, sf6::TextPos anchor) {
  m_state.moveTo(anchor, false);
  m_state.moveTo(caret, true);
  ensureCaretVisible();
  viewport()->update();
}

int TextView::visibleLineCount() const {
  return std::max(1, viewport()->height() / m_lineHeight);
}

int TextView::topLine() const {
  return verticalScrollBar()->value();
}

void TextView::setTopLine(int line) {
  verticalScrollBar()->setValue(line);
  viewport()->update();
}

int TextView::visibleColumnCount() const {
  return std::max(1, static_cast<int>(viewport()->width() / m_charWidth));
}

void TextView::updateScrollBars() {
  const sf6::TextDocument &doc = m_state.document();
  const int lines = visibleLineCount();
  QScrollBar *vertical = verticalScrollBar();
  vertical->setRange(0, std::max(0, doc.lineCount() - lines));
  vertical->setPageStep(lines);
  vertical->setSingleStep(1);
  const int columns = visibleColumnCount();
  QScrollBar *horizontal = horizontalScrollBar();
  horizontal->setRange(0, std::max(0, doc.maxLineLength() + 1 - columns));
  horizontal->setPageStep(columns);
  horizontal->setSingleStep(1);
}

void TextView::resizeEvent(QResizeEvent *event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

void TextView::scrollContentsBy(int, int) {
  viewport()->update();
}

void TextView::ensureCaretVisible() {
  const sf6::TextPos caret = m_state.caret();
  QScrollBar *vertical = verticalScrollBar();
  const int lines = visibleLineCount();
  if (caret.line < vertical->value())
    vertical->setValue(caret.line);
  else if (caret.line >= vertical->value() + lines)
    vertical->setValue(caret.line - lines + 1);
  QScrollBar *horizontal = horizontalScrollBar();
  const int columns = visibleColumnCount();
  if (caret.column > horizontal->maximum())
    horizontal->setMaximum(caret.column);
  if (caret.column < horizontal->value())
    horizontal->setValue(caret.column);
  else if (caret.column >= horizontal->value() + columns)
    horizontal->setValue(caret.column - columns + 1);
}

void TextView::paintEvent(QPaintEvent *) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), Qt::white);
  painter.setFont(font());
  const sf6::TextDocument &doc = m_state.document();
  const int firstLine = verticalScrollBar()->value();
  const int firstColumn = horizontalScrollBar()->value();
  const int columns = visibleColumnCount() + 2;
  const int lines = viewport()->height() / m_lineHeight + 1;
  const sf6::TextPos selStart = m_state.selectionStart();
  const sf6::TextPos selEnd = m_state.selectionEnd();
  const QColor selectionBack =
      palette().color(hasFocus() ? QPalette::Active : QPalette::Inactive, QPalette::Highlight);
  const QColor selectionText = palette().color(hasFocus() ? QPalette::Active : QPalette::Inactive,
                                               QPalette::HighlightedText);
  for (int i = 0; i < lines; ++i) {
    const int lineIndex = firstLine + i;
    if (lineIndex >= doc.lineCount())
      break;
    const int y = i * m_lineHeight;
    const std::string_view line = doc.line(lineIndex);
    const std::string_view visible = firstColumn < static_cast<int>(line.size())
                                         ? line.substr(firstColumn, columns)
                                         : std::string_view();
    if (lineIndex == m_markLine) {
      const qreal x = (m_markColumn - firstColumn) * m_charWidth;
      painter.fillRect(QRectF(x, y, m_markWidth * m_charWidth, m_lineHeight), kMarkColour);
    }
    painter.setPen(Qt::black);
    painter.drawText(0, y + m_ascent, displayText(visible));
    // The selected part of the line, painted over in the selection colours.
    if (m_state.hasSelection() && lineIndex >= selStart.line && lineIndex <= selEnd.line) {
      const int from = lineIndex == selStart.line ? selStart.column : 0;
      // A selected line break shows as one selected cell after the line.
      const int to = lineIndex == selEnd.line ? selEnd.column : static_cast<int>(line.size()) + 1;
      const int a = std::max(from, firstColumn);
      const int b = std::min(to, firstColumn + columns);
      if (b > a) {
        const QRectF rect((a - firstColumn) * m_charWidth, y, (b - a) * m_charWidth, m_lineHeight);
        painter.fillRect(rect, selectionBack);
        painter.setPen(selectionText);
        const int end = std::min(b, static_cast<int>(line.size()));
        if (end > a)
          painter.drawText(QPointF(rect.x(), y + m_ascent), displayText(line.substr(a, end - a)));
      }
    }
  }
  if (hasFocus()) {
    const sf6::TextPos caret = m_state.caret();
    const qreal x = (caret.column - firstColumn) * m_charWidth;
    const int y = (caret.line - firstLine) * m_lineHeight;
    painter.fillRect(QRectF(x, y, 1, m_lineHeight), Qt::black);
  }
}

void TextView::edited() {
  updateScrollBars();
  ensureCaretVisible();
  viewport()->update();
  emit textChanged();
}

void TextView::selectAll() {
  m_state.selectAll();
  viewport()->update();
}

void TextView::copy() const {
  if (m_state.hasSelection())
    QApplication::clipboard()->setText(sf6::fromCp1252(m_state.selectedText()));
}

void TextView::paste() {
  if (m_readOnly)
    return;
  const QString text = QApplication::clipboard()->text();
  if (text.isEmpty())
    return;
  m_state.typeText(sf6::toCp1252(text));
  edited();
}

void TextView::keyPressEvent(QKeyEvent *event) {
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const bool control = event->modifiers() & Qt::ControlModifier;
  const int page = std::max(1, visibleLineCount() - 1);
  if (event == QKeySequence::Copy) {
    copy();
    return;
  }
  if (event == QKeySequence::Paste) {
    paste();
    return;
  }
  if (event == QKeySequence::Cut) {
    copy();
    if (m_state.hasSelection() && !m_readOnly) {
      m_state.typeText("");
      edited();
    }
    return;
  }
  if (event == QKeySequence::SelectAll) {
    selectAll();
    return;
  }
  switch (event->key()) {
  case Qt::Key_Left:
    m_state.moveLeft(shift);
    break;
  case Qt::Key_Right:
    m_state.moveRight(shift);
    break;
  case Qt::Key_Up:
    m_state.moveUp(shift);
    break;
  case Qt::Key_Down:
    m_state.moveDown(shift);
    break;
  case Qt::Key_Home:
    control ? m_state.moveDocumentStart(shift) : m_state.moveHome(shift);
    break;
  case Qt::Key_End:
    control ? m_state.moveDocumentEnd(shift) : m_state.moveEnd(shift);
    break;
  case Qt::Key_PageUp:
    m_state.pageUp(page, shift);
    verticalScrollBar()->setValue(verticalScrollBar()->value() - page);
    break;
  case Qt::Key_PageDown:
    m_state.pageDown(page, shift);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + page);
    break;
  case Qt::Key_Backspace:
    if (m_readOnly)
      return;
    m_state.backspace();
    edited();
    return;
  case Qt::Key_Delete:
    if (m_readOnly)
      return;
    m_state.deleteForward();
    edited();
    return;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    if (m_readOnly)
      return;
    m_state.newLine();
    edited();
    return;
  default: {
    const QString text = event->text();
    if (text.isEmpty() || control || text.front().unicode() < 32 || text.front() == QChar(0x7F)) {
      QAbstractScrollArea::keyPressEvent(event);
      return;
    }
    if (m_readOnly)
      return;
    m_state.typeText(sf6::toCp1252(text));
    edited();
    return;
  }
  }
  ensureCaretVisible();
  viewport()->update();
}

void TextView::keyReleaseEvent(QKeyEvent *event) {
  if (event->isAutoRepeat())
    return;
  emit keyReleased(event->key());
}

sf6::TextPos TextView::positionAt(QPoint point) const {
  const int line = verticalScrollBar()->value() + std::max(0, point.y()) / m_lineHeight;
  const int column = horizontalScrollBar()->value() +
                     static_cast<int>((std::max(0, point.x()) + m_charWidth / 2) / m_charWidth);
  return m_state.document().clamp({line, column});
}

void TextView::mousePressEvent(QMouseEvent *event) {
  if (event->button() != Qt::LeftButton)
    return;
  m_state.moveTo(positionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
  viewport()->update();
}

void TextView::mouseMoveEvent(QMouseEvent *event) {
  if (!(event->buttons() & Qt::LeftButton))
    return;
  m_state.moveTo(positionAt(event->position().toPoint()), true);
  ensureCaretVisible();
  viewport()->update();
}

void TextView::mouseDoubleClickEvent(QMouseEvent *event) {
  // Selects the word (characters other than blanks) under the pointer.
  const sf6::TextPos at = positionAt(event->position().toPoint());
  const std::string_view line = m_state.document().line(at.line);
  int from = std::min(at.column, static_cast<int>(line.size()));
  int to = from;
  while (from > 0 && line[from - 1] != ' ')
    --from;
  while (to < static_cast<int>(line.size()) && line[to] != ' ')
    ++to;
  m_state.moveTo({at.line, from}, false);
  m_state.moveTo({at.line, to}, true);
  viewport()->update();
}

void TextView::contextMenuEvent(QContextMenuEvent *event) {
  // A right click on a code points at it: the caret goes there unless the
  // click is inside the selection, which stays for copying.
  if (event->reason() == QContextMenuEvent::Mouse) {
    // The character cell under the pointer, not the nearest cell border: the
    // caret stands before the character clicked. A click reaches here through
    // the viewport, in its coordinates.
    const QPoint point = event->pos();
    const sf6::TextPos at = m_state.document().clamp(
        {verticalScrollBar()->value() + std::max(0, point.y()) / m_lineHeight,
         horizontalScrollBar()->value() + static_cast<int>(std::max(0, point.x()) / m_charWidth)});
    if (!m_state.hasSelection() || at < m_state.selectionStart() || at > m_state.selectionEnd()) {
      m_state.moveTo(at, false);
      viewport()->update();
    }
  }
  emit contextMenuRequested(event->globalPos());
}

void TextView::focusInEvent(QFocusEvent *event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void TextView::focusOutEvent(QFocusEvent *event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}
