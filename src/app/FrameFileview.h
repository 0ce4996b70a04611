#pragma once

// TFrameFileview1: one data file of a catalog, its raw lines on the left
// (RichEdit, our own fast text view) under a column ruler (Ruler), the caret
// position below them
// (LabelXY) and the field grid of the caret line on the right (ListDetail).
// The pane knows nothing of layouts: on every key release and text change
// it calls OnLineChange, whose owner decodes CurrentLine().

#include "view/TextEditState.h"

#include <QWidget>

#include <functional>
#include <string>

class ColumnRuler;
class QLabel;
class QSplitter;
class TextView;
class TvxListGd;

class TFrameFileview1 : public QWidget {
  Q_OBJECT
public:
  explicit TFrameFileview1(QWidget *parent = nullptr);

  TextView *RichEdit = nullptr;
  ColumnRuler *Ruler = nullptr;
  QLabel *LabelXY = nullptr;
  QSplitter *Splitter1 = nullptr;
  TvxListGd *ListDetail = nullptr;
  // Called first on every change with this pane; empty by default.
  std::function<void(TFrameFileview1 &)> OnLineChange;

  // Replaces the pane's text by an entry's bytes; counts as a text change.
  void setText(sf6::ByteBuffer bytes);
  // The 0-based line of the caret (the right-hand end of a selection).
  int CaretLineIndex() const;
  // The caret line with 250 blanks appended, cut to 255 characters.
  std::string CurrentLine() const;

  void MemoChange();
  void MemoKeyUp(int key);
};
