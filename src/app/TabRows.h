#pragma once

// Multi-line tabs for a QTabWidget: the captions wrap into as many rows as
// the window's width needs, so all fourteen tabs of the viewer stay visible.
// The tab widget's own bar is hidden; the QTabWidget stays the model (its
// tab texts and current index).

#include <QWidget>

#include <vector>

class QTabWidget;

class TabRows : public QWidget {
  Q_OBJECT
public:
  explicit TabRows(QTabWidget *tabs, QWidget *parent = nullptr);

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  // The rectangle of tab index at the current width.
  QRect tabRect(int index) const;

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

private:
  std::vector<QRect> layoutTabs(int width) const;
  int tabHeight() const;

  QTabWidget *m_tabs;
  std::vector<QRect> m_rects;
};
