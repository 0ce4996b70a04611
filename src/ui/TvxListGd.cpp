#include "ui/TvxListGd.h"

#include <QCollator>
#include <memory>

#include "ui/Cp1252Qt.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>

namespace {

// Colours of the grid (0xRRGGBB).
const QColor kNavy(0x00, 0x00, 0x80);
const QColor kGrey(0x80, 0x80, 0x80);
const QColor kLightGrey(0xDD, 0xDD, 0xDD);

} // namespace

TvxListGd::TvxListGd(QWidget *parent) : QWidget(parent) {
  // Texts sort as the user's locale orders them, without regard to case
  // ("\u00dcberlingen" before "Z" in German).
  auto collator = std::make_shared<QCollator>();
  collator->setCaseSensitivity(Qt::CaseInsensitive);
  m_logic.compareText = [collator](std::string_view a, std::string_view b) {
    return collator->compare(sf6::fromCp1252(a), sf6::fromCp1252(b));
  };
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  m_vertical = new QScrollBar(Qt::Vertical, this);
  m_horizontal = new QScrollBar(Qt::Horizontal, this);
  m_vertical->setFocusPolicy(Qt::NoFocus);
  m_horizontal->setFocusPolicy(Qt::NoFocus);
  m_vertical->hide();
  m_horizontal->hide();
  connect(m_vertical, &QScrollBar::valueChanged, this, [this](int value) {
    if (m_updatingBars)
      return;
    m_logic.setTopRow(value);
    update();
  });
  connect(m_horizontal, &QScrollBar::valueChanged, this, [this](int value) {
    if (m_updatingBars)
      return;
    m_logic.setHorizontalOffset(value);
    update();
  });
}

void TvxListGd::Invalidate() {
  m_logic.invalidateData();
  layoutScrollBars();
  update();
}

void TvxListGd::setCurrentDataRow(int row) {
  m_logic.itemCount();
  m_logic.setCurrentDataRow(row);
  layoutScrollBars();
  update();
}

void TvxListGd::layoutScrollBars() {
  m_updatingBars = true;
  m_logic.setClientSize(width(), height());
  const sf6::ScrollBarParams vertical = m_logic.verticalBar();
  const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const sf6::ScrollBarParams horizontal = m_logic.horizontalBar();
  const int top = 1 + m_logic.headerHeight();
  if (vertical.visible) {
    m_vertical->setGeometry(width() - 2 - extent, top, extent,
                            height() - top - 2 - (horizontal.visible ? extent : 0));
    m_vertical->setRange(0, std::max(0, vertical.maximum - vertical.pageSize));
    m_vertical->setPageStep(vertical.largeChange);
    m_vertical->setSingleStep(1);
    m_vertical->setValue(vertical.position);
    m_vertical->show();
  } else {
    m_vertical->hide();
  }
  if (horizontal.visible) {
    m_horizontal->setGeometry(3, height() - 2 - extent, width() - 5, extent);
    m_horizontal->setRange(0, std::max(0, horizontal.maximum - horizontal.pageSize));
    m_horizontal->setPageStep(horizontal.pageSize);
    m_horizontal->setSingleStep(8);
    m_horizontal->setValue(horizontal.position);
    m_horizontal->show();
  } else {
    m_logic.setHorizontalOffset(0);
    m_horizontal->hide();
  }
  m_updatingBars = false;
}

void TvxListGd::resizeEvent(QResizeEvent *) {
  layoutScrollBars();
}

void TvxListGd::paintEvent(QPaintEvent *) {
  const int count = m_logic.itemCount();
  const int visible = m_logic.visibleRows();
  // Widgets paint into the window's back buffer, so there is no flicker.
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setFont(font());
  for (int v = 0; v <= visible; ++v) {
    const int row = m_logic.topRow() + v;
    const int y = m_logic.rowHeight() * v + 1 + m_logic.headerHeight();
    if (row < count)
      paintRow(painter, row, y);
  }
  paintHeader(painter);
  // The sunken frame.
  const int r = width() - 1;
  const int b = height() - 1;
  painter.setPen(kGrey);
  painter.drawLine(0, 0, r, 0);
  painter.drawLine(0, 0, 0, b);
  painter.setPen(Qt::white);
  painter.drawLine(0, b, r, b);
  painter.drawLine(r, 0, r, b);
  painter.setPen(Qt::black);
  painter.drawLine(1, 1, r - 1, 1);
  painter.drawLine(1, 1, 1, b - 1);
  painter.setPen(kLightGrey);
  painter.drawLine(1, b - 1, r - 1, b - 1);
  painter.drawLine(r - 1, 1, r - 1, b - 1);
}

void TvxListGd::paintHeader(QPainter &painter) {
  const int headerHeight = m_logic.headerHeight();
  const QColor face = palette().color(QPalette::Button);
  painter.fillRect(1, 1, width() - 2, headerHeight, face);
  QFont bold = font();
  bold.setBold(true);
  int x = 1 - m_logic.horizontalOffset();
  for (const sf6::ListGridColumn &column : m_logic.columns()) {
    const QRect cell(x, 1, column.width, headerHeight);
    x += column.width;
    if (cell.right() < 0 || cell.left() > width())
      continue;
    painter.setPen(Qt::black);
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawLine(cell.left() + 1, cell.top() + 1, cell.right() - 1, cell.top() + 1);
    painter.drawLine(cell.left() + 1, cell.top() + 1, cell.left() + 1, cell.bottom() - 1);
    painter.setPen(kGrey);
    painter.drawLine(cell.left() + 1, cell.bottom() - 1, cell.right() - 1, cell.bottom() - 1);
    painter.drawLine(cell.right() - 1, cell.top() + 1, cell.right() - 1, cell.bottom() - 1);
    const bool sortColumn = column.dataIndex == m_logic.sortColumn();
    painter.setFont(sortColumn ? bold : font());
    const QFontMetrics metrics(painter.font());
    const std::string caption =
        sf6::ElideText(column.caption, column.width - 4, [&metrics](std::string_view text) {
          return metrics.horizontalAdvance(sf6::fromCp1252(text));
        });
    painter.setPen(Qt::black);
    if (column.align == sf6::Alignment::Right) {
      painter.drawText(QRect(cell.left() + 3, cell.top() + 1, column.width - 9, headerHeight - 2),
                       Qt::AlignRight | Qt::AlignVCenter, sf6::fromCp1252(caption));
    } else {
      painter.drawText(QRect(cell.left() + 3, cell.top() + 1, column.width - 4, headerHeight - 2),
                       Qt::AlignLeft | Qt::AlignVCenter, sf6::fromCp1252(caption));
    }
  }
  painter.setFont(font());
  // The place a dragged caption would be dropped at.
  const int drop = m_logic.dropMarkX();
  if (drop >= 0) {
    painter.setPen(kNavy);
    painter.drawLine(drop, 1, drop, headerHeight);
    painter.drawLine(drop + 1, 1, drop + 1, headerHeight);
  }
}

void TvxListGd::paintRow(QPainter &painter, int displayRow, int y) {
  const QColor highlight = hasFocus() ? kNavy : kGrey;
  const bool highlighted = m_logic.isHighlighted(displayRow);
  const QColor background = highlighted ? highlight : QColor(Qt::white);
  const QColor foreground = highlighted ? QColor(Qt::white) : QColor(Qt::black);
  const int rowHeight = m_logic.rowHeight();
  const QFontMetrics metrics(font());
  const auto measure = [&metrics](std::string_view text) {
    return metrics.horizontalAdvance(sf6::fromCp1252(text));
  };
  int x = 1 - m_logic.horizontalOffset();
  for (const sf6::ListGridColumn &column : m_logic.columns()) {
    const QRect cell(x, y, column.width, rowHeight);
    x += column.width;
    if (cell.right() < 0 || cell.left() > width())
      continue;
    QColor cellBackground = background;
    if (m_logic.events.OnGetItemBgColor) {
      uint32_t colour = (static_cast<uint32_t>(background.red()) << 16) |
                        (static_cast<uint32_t>(background.green()) << 8) | background.blue();
      m_logic.events.OnGetItemBgColor(colour, column.dataIndex - 1, displayRow);
      cellBackground = QColor((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
    }
    painter.fillRect(cell, cellBackground);
    const std::string text = sf6::ElideText(m_logic.cellText(displayRow, column.dataIndex - 1),
                                            column.width - 6, measure);
    painter.setPen(foreground);
    if (column.align == sf6::Alignment::Right) {
      painter.drawText(QRect(cell.left() + 1, y + 1, column.width - 9, rowHeight - 2),
                       Qt::AlignRight | Qt::AlignVCenter, sf6::fromCp1252(text));
    } else if (column.align == sf6::Alignment::Center) {
      painter.drawText(QRect(cell.left() + 1, y + 1, column.width - 2, rowHeight - 2),
                       Qt::AlignHCenter | Qt::AlignVCenter, sf6::fromCp1252(text));
    } else {
      painter.drawText(QRect(cell.left() + 2, y + 1, column.width - 3, rowHeight - 2),
                       Qt::AlignLeft | Qt::AlignVCenter, sf6::fromCp1252(text));
    }
  }
  if (displayRow == m_logic.itemIndex()) {
    QPen pen(highlight);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(1, y, std::max(0, x - 2), rowHeight - 1);
  }
}

void TvxListGd::afterInput(int previousDataRow) {
  layoutScrollBars();
  update();
  const int current = m_logic.currentDataRow();
  if (current != previousDataRow)
    emit currentRowChanged(current);
}

void TvxListGd::keyPressEvent(QKeyEvent *event) {
  const int previous = m_logic.currentDataRow();
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  bool handled = true;
  switch (event->key()) {
  case Qt::Key_Up:
    m_logic.keyDown(sf6::ListKey::Up, shift);
    break;
  case Qt::Key_Down:
    m_logic.keyDown(sf6::ListKey::Down, shift);
    break;
  case Qt::Key_Home:
    m_logic.keyDown(sf6::ListKey::Home, shift);
    break;
  case Qt::Key_End:
    m_logic.keyDown(sf6::ListKey::End, shift);
    break;
  case Qt::Key_PageUp:
    m_logic.keyDown(sf6::ListKey::PageUp, shift);
    break;
  case Qt::Key_PageDown:
    m_logic.keyDown(sf6::ListKey::PageDown, shift);
    break;
  case Qt::Key_Space:
    handled = m_logic.keyDown(sf6::ListKey::Space, shift);
    break;
  default:
    handled = false;
    break;
  }
  if (!handled && !event->text().isEmpty() && !(event->modifiers() & Qt::ControlModifier)) {
    const std::string typed = sf6::toCp1252(event->text());
    for (char ch : typed)
      m_logic.keyPress(static_cast<unsigned char>(ch));
    handled = static_cast<unsigned char>(typed.front()) > 31;
  }
  if (!handled) {
    QWidget::keyPressEvent(event);
    return;
  }
  afterInput(previous);
}

void TvxListGd::mousePressEvent(QMouseEvent *event) {
  setFocus(Qt::MouseFocusReason);
  const int previous = m_logic.currentDataRow();
  const QPoint p = event->position().toPoint();
  m_logic.mousePress(p.x(), p.y(), event->button() == Qt::LeftButton,
                     event->modifiers() & Qt::ShiftModifier);
  afterInput(previous);
}

void TvxListGd::mouseMoveEvent(QMouseEvent *event) {
  const QPoint p = event->position().toPoint();
  const bool leftHeld = event->buttons() & Qt::LeftButton;
  const bool overBorder = p.y() < 1 + m_logic.headerHeight() && m_logic.columnBorderAt(p.x()) >= 0;
  setCursor(overBorder || m_logic.resizingColumn() ? Qt::SplitHCursor : Qt::ArrowCursor);
  if (!leftHeld)
    return;
  const int previous = m_logic.currentDataRow();
  m_logic.mouseMove(p.x(), p.y(), leftHeld);
  afterInput(previous);
}

void TvxListGd::mouseReleaseEvent(QMouseEvent *event) {
  const int previous = m_logic.currentDataRow();
  const QPoint p = event->position().toPoint();
  m_logic.mouseRelease(p.x(), p.y(), event->button() == Qt::LeftButton);
  afterInput(previous);
}

void TvxListGd::wheelEvent(QWheelEvent *event) {
  const int previous = m_logic.currentDataRow();
  m_logic.wheel(event->angleDelta().y(), event->position().toPoint().y(),
                event->buttons() & Qt::LeftButton);
  afterInput(previous);
  event->accept();
}

void TvxListGd::focusInEvent(QFocusEvent *event) {
  QWidget::focusInEvent(event);
  update();
}

void TvxListGd::focusOutEvent(QFocusEvent *event) {
  QWidget::focusOutEvent(event);
  update();
}
