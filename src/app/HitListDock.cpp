#include "app/HitListDock.h"

#include "ui/TvxListGd.h"

bool HitListDock::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Escape && running() && !m_cancel) {
      m_cancel = true;
      return true;
    }
    if (watched == m_grid && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
      jumpTo(m_grid->currentDataRow());
      return true;
    }
  }
  if (watched == m_grid && event->type() == QEvent::MouseButtonDblClick) {
    jumpTo(m_grid->currentDataRow());
    return true;
  }
  return QDockWidget::eventFilter(watched, event);
}
