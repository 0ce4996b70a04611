#include "app/ColumnRuler.h"

#include "app/TextView.h"

#include <QPainter>
#include <QScrollBar>

namespace {

// The same yellow as the field mark in the text, so the two read as one.
const QColor kCurrentColour(0xFF, 0xE0, 0x60);
const QColor kBandColours[2] = {QColor(0xF4, 0xF4, 0xF4), QColor(0xE2, 0xE8, 0xF0)};
const QColor kBoundaryColour(0x50, 0x60, 0x80);

} // namespace

ColumnRuler::ColumnRuler(TextView &text, QWidget *parent) : QWidget(parent), m_text(text) {
  QFont small = font();
  small.setPixelSize(9);
  setFont(small);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  connect(text.horizontalScrollBar(), &QScrollBar::valueChanged, this,
          qOverload<>(&QWidget::update));
}

void ColumnRuler::setFields(std::vector<Field> fields) {
  m_fields = std::move(fields);
  update();
}

void ColumnRuler::setCurrentField(int column, int width) {
  if (m_current.column == column && m_current.width == width)
    return;
  m_current = {column, width};
  update();
}

QSize ColumnRuler::sizeHint() const {
  return {100, fontMetrics().height() + 9};
}

void ColumnRuler::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  // Columns in the text's grid: the viewport's left edge inside the text
  // view is where its first visible column starts.
  const qreal charWidth = m_text.charWidth();
  const int firstColumn = m_text.horizontalScrollBar()->value(); // 0-based
  const qreal origin = m_text.viewport()->geometry().x();
  const auto xOf = [&](int column1) { return origin + (column1 - 1 - firstColumn) * charWidth; };
  const int lastColumn = firstColumn + static_cast<int>(width() / charWidth) + 2; // 1-based
  const int bandTop = fontMetrics().height();
  const QRectF band(0, bandTop, width(), height() - bandTop);

  painter.setClipRect(QRectF(origin, 0, width() - origin, height()));
  for (size_t i = 0; i < m_fields.size(); ++i) {
    const Field &field = m_fields[i];
    const QRectF cells(xOf(field.column), band.top(), field.width * charWidth, band.height());
    painter.fillRect(cells, kBandColours[i % 2]);
  }
  if (m_current.width > 0)
    painter.fillRect(QRectF(xOf(m_current.column), 0, m_current.width * charWidth, height()),
                     kCurrentColour);
  painter.setPen(kBoundaryColour);
  for (const Field &field : m_fields)
    painter.drawLine(QPointF(xOf(field.column), band.top()), QPointF(xOf(field.column), height()));

  painter.setPen(palette().color(QPalette::WindowText));
  const int bottom = height() - 1;
  for (int column = firstColumn + 1; column <= lastColumn; ++column) {
    const qreal x = xOf(column) + charWidth / 2; // the middle of the character cell
    const int tick = column % 10 == 0 ? 6 : column % 5 == 0 ? 4 : 2;
    painter.drawLine(QPointF(x, bottom - tick), QPointF(x, bottom));
    if (column % 10 == 0) {
      const QString number = QString::number(column);
      const qreal textWidth = fontMetrics().horizontalAdvance(number);
      painter.drawText(QPointF(x - textWidth / 2, fontMetrics().ascent()), number);
    }
  }
  painter.setClipping(false);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawLine(0, bottom, width(), bottom);
}
