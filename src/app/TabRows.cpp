#include "app/TabRows.h"

#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

TabRows::TabRows(QTabWidget *tabs, QWidget *parent) : QWidget(parent), m_tabs(tabs) {
  m_tabs->tabBar()->hide();
  QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
  connect(m_tabs, &QTabWidget::currentChanged, this, [this] { update(); });
}

int TabRows::tabHeight() const { return fontMetrics().height() + 10; }

std::vector<QRect> TabRows::layoutTabs(int width) const {
  std::vector<QRect> rects;
  const int height = tabHeight();
  int x = 0;
  int y = 0;
  for (int i = 0; i < m_tabs->count(); ++i) {
    QStyleOptionTab option;
    option.initFrom(this);
    option.text = m_tabs->tabText(i);
    option.shape = QTabBar::RoundedNorth;
    const int w = fontMetrics().horizontalAdvance(option.text) +
                  2 * style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this) + 4;
    if (x > 0 && x + w > width) {
      x = 0;
      y += height;
    }
    rects.emplace_back(x, y, w, height);
    x += w;
  }
  return rects;
}

int TabRows::heightForWidth(int width) const {
  const std::vector<QRect> rects = layoutTabs(width);
  return rects.empty() ? tabHeight() : rects.back().bottom() + 1;
}

QSize TabRows::sizeHint() const { return {600, heightForWidth(std::max(width(), 600))}; }
QSize TabRows::minimumSizeHint() const { return {100, tabHeight()}; }

QRect TabRows::tabRect(int index) const {
  const std::vector<QRect> rects = layoutTabs(width());
  return index >= 0 && index < static_cast<int>(rects.size()) ? rects[index] : QRect();
}

void TabRows::resizeEvent(QResizeEvent *) {
  if (height() != heightForWidth(width()))
    updateGeometry();
}

void TabRows::paintEvent(QPaintEvent *) {
  QStylePainter painter(this);
  const std::vector<QRect> rects = layoutTabs(width());
  const int current = m_tabs->currentIndex();
  for (int i = 0; i < static_cast<int>(rects.size()); ++i) {
    QStyleOptionTab option;
    option.initFrom(this);
    option.rect = rects[i];
    option.text = m_tabs->tabText(i);
    option.shape = QTabBar::RoundedNorth;
    option.position = QStyleOptionTab::Middle;
    option.state &= ~QStyle::State_HasFocus;
    if (i == current)
      option.state |= QStyle::State_Selected;
    painter.drawControl(QStyle::CE_TabBarTab, option);
  }
}

void TabRows::mousePressEvent(QMouseEvent *event) {
  const std::vector<QRect> rects = layoutTabs(width());
  for (int i = 0; i < static_cast<int>(rects.size()); ++i) {
    if (rects[i].contains(event->position().toPoint())) {
      m_tabs->setCurrentIndex(i);
      return;
    }
  }
}
