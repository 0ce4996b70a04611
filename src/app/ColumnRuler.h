#pragma once

// The column ruler above a pane's text: a tick per column, column numbers
// every 10 columns (1-based, as the field tables count), the fields of the
// pane's layout as alternating bands with their boundaries, and the current
// field highlighted. It paints in the text's character grid and follows the
// text's horizontal scrolling; it knows nothing of layouts (the window hands
// it the fields' columns).

#include <QWidget>

#include <vector>

class TextView;

class ColumnRuler : public QWidget {
  Q_OBJECT
public:
  struct Field {
    int column = 0; // 1-based first column
    int width = 0;
  };

  ColumnRuler(TextView &text, QWidget *parent = nullptr);

  void setFields(std::vector<Field> fields);
  // Highlights columns [column, column + width); width 0 for none.
  void setCurrentField(int column, int width);
  int currentColumn() const { return m_current.width > 0 ? m_current.column : 0; }
  int currentWidth() const { return m_current.width; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  TextView &m_text;
  std::vector<Field> m_fields;
  Field m_current;
};
