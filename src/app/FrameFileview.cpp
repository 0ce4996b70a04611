#include "app/FrameFileview.h"

#include "app/ColumnRuler.h"
#include "app/TextView.h"
#include "ui/TvxListGd.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

TFrameFileview1::TFrameFileview1(QWidget *parent) : QWidget(parent) {
  auto *layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  Splitter1 = new QSplitter(Qt::Horizontal, this);
  Splitter1->setHandleWidth(3);
  Splitter1->setChildrenCollapsible(false);
  layout->addWidget(Splitter1);

  auto *panel2 = new QWidget(Splitter1);
  panel2->setObjectName(QStringLiteral("Panel2"));
  auto *panel2Layout = new QVBoxLayout(panel2);
  panel2Layout->setContentsMargins(0, 0, 0, 0);
  panel2Layout->setSpacing(0);
  RichEdit = new TextView(panel2);
  Ruler = new ColumnRuler(*RichEdit, panel2);
  Ruler->setObjectName(QStringLiteral("Ruler"));
  panel2Layout->addWidget(Ruler);
  panel2Layout->addWidget(RichEdit, 1);
  auto *panel3 = new QWidget(panel2);
  panel3->setObjectName(QStringLiteral("Panel3"));
  panel3->setFixedHeight(24);
  LabelXY = new QLabel(QStringLiteral("0/0"), panel3);
  LabelXY->setObjectName(QStringLiteral("LabelXY"));
  LabelXY->move(7, 6);
  LabelXY->setMinimumWidth(200);
  panel2Layout->addWidget(panel3);

  ListDetail = new TvxListGd(Splitter1);
  ListDetail->setObjectName(QStringLiteral("ListDetail"));
  Splitter1->addWidget(panel2);
  Splitter1->addWidget(ListDetail);
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({257, 400});

  connect(RichEdit, &TextView::textChanged, this, &TFrameFileview1::MemoChange);
  connect(RichEdit, &TextView::keyReleased, this, &TFrameFileview1::MemoKeyUp);
}

void TFrameFileview1::setText(sf6::ByteBuffer bytes) {
  RichEdit->setBytes(std::move(bytes));
}

int TFrameFileview1::CaretLineIndex() const {
  return RichEdit->state().selectionEnd().line;
}

std::string TFrameFileview1::CurrentLine() const {
  return sf6::PaddedCaretLine(RichEdit->document(), CaretLineIndex());
}

void TFrameFileview1::MemoChange() {
  if (OnLineChange)
    OnLineChange(*this);
  const sf6::TextPos caret = RichEdit->state().selectionEnd();
  LabelXY->setText(QStringLiteral("%1/%2").arg(caret.column).arg(caret.line));
  ListDetail->Invalidate();
}

void TFrameFileview1::MemoKeyUp(int) {
  MemoChange();
}
