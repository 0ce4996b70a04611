#pragma once

// The owner-data list grid as a Qt widget: ListGridLogic holds rows, columns,
// sorting and navigation; this widget paints what the logic reports, in the
// grid's own colours and geometry, and forwards keyboard, mouse and scroll
// bar input to it. Owners answer through logic().events.

#include "view/ListGridLogic.h"

#include <QWidget>

class QScrollBar;

class TvxListGd : public QWidget {
  Q_OBJECT
public:
  explicit TvxListGd(QWidget *parent = nullptr);

  sf6::ListGridLogic &logic() { return m_logic; }

  // The owner's data changed: re-sort, lay out the scroll bars and repaint.
  void Invalidate();

  // The current row as a data row (-1 for none) and setting it.
  int currentDataRow() { return m_logic.currentDataRow(); }
  void setCurrentDataRow(int row);

signals:
  // The current row changed through the keyboard or the mouse.
  void currentRowChanged(int dataRow);

protected:
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void wheelEvent(QWheelEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;

private:
  void layoutScrollBars();
  void paintHeader(QPainter &painter);
  void paintRow(QPainter &painter, int displayRow, int y);
  void afterInput(int previousDataRow);

  sf6::ListGridLogic m_logic;
  QScrollBar *m_vertical = nullptr;
  QScrollBar *m_horizontal = nullptr;
  bool m_updatingBars = false;
};
