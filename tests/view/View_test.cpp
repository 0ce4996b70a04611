// The viewer's toolkit-free text pane logic: the line index, editing, the
// caret that a pane reports and its padded current line.

#include "view/TextEditState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace sf6 {
namespace {

TEST(TextDocument, SplitsAtCrLfLoneCrAndLoneLf) {
  TextDocument doc;
  doc.setBytes("a\r\nbb\rccc\nd");
  ASSERT_EQ(doc.lineCount(), 4);
  EXPECT_EQ(doc.line(0), "a");
  EXPECT_EQ(doc.line(1), "bb");
  EXPECT_EQ(doc.line(2), "ccc");
  EXPECT_EQ(doc.line(3), "d");
  EXPECT_EQ(doc.maxLineLength(), 3);
  EXPECT_EQ(doc.line(4), "");
  EXPECT_EQ(doc.line(-1), "");
  // A lone CR anywhere, also right before a CR LF or at the very end, ends a
  // line as well, though most texts are split at their LFs alone.
  doc.setBytes("a\r\r\nb\r");
  ASSERT_EQ(doc.lineCount(), 4);
  EXPECT_EQ(doc.line(0), "a");
  EXPECT_EQ(doc.line(1), "");
  EXPECT_EQ(doc.line(2), "b");
  EXPECT_EQ(doc.line(3), "");
}

TEST(TextDocument, TerminatorAtEndLeavesEmptyLastLineAndEmptyTextIsOneLine) {
  TextDocument doc;
  doc.setBytes("x\r\n");
  ASSERT_EQ(doc.lineCount(), 2);
  EXPECT_EQ(doc.line(1), "");
  doc.setBytes("");
  EXPECT_EQ(doc.lineCount(), 1);
  doc.setBytes("\r\n\r\n");
  EXPECT_EQ(doc.lineCount(), 3);
}

TEST(TextDocument, InsertAndEraseAcrossLinesKeepTheOtherLines) {
  TextDocument doc;
  doc.setBytes("first\nsecond\nthird");
  const TextPos end = doc.insert({1, 3}, "X\r\nY\nZ");
  EXPECT_EQ(end, (TextPos{3, 1}));
  ASSERT_EQ(doc.lineCount(), 5);
  EXPECT_EQ(doc.line(1), "secX");
  EXPECT_EQ(doc.line(2), "Y");
  EXPECT_EQ(doc.line(3), "Zond");
  EXPECT_EQ(doc.line(4), "third");
  EXPECT_EQ(doc.text({1, 2}, {3, 2}), "cX\nY\nZo");
  doc.erase({3, 1}, {1, 3}); // the inserted text, given end first
  ASSERT_EQ(doc.lineCount(), 3);
  EXPECT_EQ(doc.line(1), "second");
  EXPECT_EQ(doc.line(0), "first");
  EXPECT_EQ(doc.line(2), "third");
}

// Random edits checked against a plain list of lines.
TEST(TextDocument, RandomEditsMatchAPlainLineList) {
  TextDocument doc;
  doc.setBytes("alpha\r\nbeta\rgamma\n\ndelta");
  std::vector<std::string> model{"alpha", "beta", "gamma", "", "delta"};
  uint32_t seed = 12345;
  const auto next = [&seed](int bound) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 16) % static_cast<uint32_t>(bound));
  };
  const auto randomPos = [&] {
    const int line = next(static_cast<int>(model.size()));
    return TextPos{line, next(static_cast<int>(model[line].size()) + 1)};
  };
  const char *pieces[] = {"x", "yz", "\n", "a\r\nb", "\r", "long piece ", "1\n2\n3"};
  for (int step = 0; step < 3000; ++step) {
    if (next(3) != 0) {
      const TextPos at = randomPos();
      const std::string text = pieces[next(7)];
      doc.insert(at, text);
      // The model: split the line at the caret and insert the text's lines.
      std::string normal;
      for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
          continue;
        normal += text[i] == '\r' ? '\n' : text[i];
      }
      const std::string tail = model[at.line].substr(at.column);
      model[at.line].resize(at.column);
      size_t start = 0;
      int line = at.line;
      for (size_t nl = normal.find('\n'); nl != std::string::npos; nl = normal.find('\n', start)) {
        model[line] += normal.substr(start, nl - start);
        model.insert(model.begin() + ++line, std::string());
        start = nl + 1;
      }
      model[line] += normal.substr(start) + tail;
    } else {
      TextPos a = randomPos();
      TextPos b = randomPos();
      if (b < a)
        std::swap(a, b);
      doc.erase(b, a);
      model[a.line] = model[a.line].substr(0, a.column) + model[b.line].substr(b.column);
      model.erase(model.begin() + a.line + 1, model.begin() + b.line + 1);
    }
    ASSERT_EQ(doc.lineCount(), static_cast<int>(model.size())) << "step " << step;
    for (size_t i = 0; i < model.size(); ++i)
      ASSERT_EQ(doc.line(static_cast<int>(i)), model[i]) << "step " << step << " line " << i;
  }
}

TEST(TextEditState, RightToLeftSelectionReportsItsRightEnd) {
  TextEditState edit;
  edit.setBytes("abcdef\nghijkl");
  edit.moveTo({1, 4}, false);
  edit.moveUp(true);
  edit.moveLeft(true);
  EXPECT_EQ(edit.caret(), (TextPos{0, 3}));
  EXPECT_EQ(edit.selectionEnd(), (TextPos{1, 4}));
  EXPECT_EQ(edit.selectedText(), "def\nghij");
}

TEST(TextEditState, ArrowsWrapAtLineEndsAndKeepWantedColumn) {
  TextEditState edit;
  edit.setBytes("long line\nab\nanother line");
  edit.moveTo({0, 7}, false);
  edit.moveDown(false);
  EXPECT_EQ(edit.caret(), (TextPos{1, 2}));
  edit.moveDown(false);
  EXPECT_EQ(edit.caret(), (TextPos{2, 7}));
  edit.moveEnd(false);
  edit.moveRight(false);
  EXPECT_EQ(edit.caret(), (TextPos{2, 12})); // end of text
  edit.moveHome(false);
  edit.moveLeft(false);
  EXPECT_EQ(edit.caret(), (TextPos{1, 2}));
  edit.moveDocumentStart(false);
  edit.pageDown(10, false);
  EXPECT_EQ(edit.caret().line, 2);
}

TEST(TextEditState, TypingBackspaceDeleteAndEnterEditTheText) {
  TextEditState edit;
  edit.setBytes("ab\ncd");
  edit.moveTo({0, 1}, false);
  edit.typeText("XY");
  EXPECT_EQ(edit.document().line(0), "aXYb");
  edit.backspace();
  EXPECT_EQ(edit.document().line(0), "aXb");
  edit.moveEnd(false);
  edit.deleteForward(); // joins the lines
  EXPECT_EQ(edit.document().line(0), "aXbcd");
  EXPECT_EQ(edit.document().lineCount(), 1);
  edit.newLine();
  EXPECT_EQ(edit.document().lineCount(), 2);
  EXPECT_EQ(edit.caret(), (TextPos{1, 0}));
  edit.backspace();
  EXPECT_EQ(edit.document().lineCount(), 1);
  edit.selectAll();
  edit.typeText("new");
  EXPECT_EQ(edit.document().line(0), "new");
  EXPECT_EQ(edit.document().lineCount(), 1);
}

TEST(PaddedCaretLine, PadsByAtMost250AndCutsAt255) {
  TextDocument doc;
  doc.setBytes(std::string(10, 'x') + "\n" + std::string(300, 'y') + "\n");
  EXPECT_EQ(PaddedCaretLine(doc, 0), std::string(10, 'x') + std::string(245, ' '));
  EXPECT_EQ(PaddedCaretLine(doc, 1), std::string(255, 'y'));
  EXPECT_EQ(PaddedCaretLine(doc, 2), std::string(250, ' '));
  EXPECT_EQ(PaddedCaretLine(doc, 7), std::string(250, ' '));
}

} // namespace
} // namespace sf6

#include "view/RecentFiles.h"

namespace sf6 {
namespace {

TEST(RecentFiles, NewestFirstEachOnceAtMostEight) {
  std::vector<std::string> recent;
  for (int i = 0; i < 10; ++i)
    recent = RememberRecentFile(recent, "c" + std::to_string(i) + ".zip");
  ASSERT_EQ(recent.size(), kRecentFileCount);
  EXPECT_EQ(recent.front(), "c9.zip");
  EXPECT_EQ(recent.back(), "c2.zip");
  recent = RememberRecentFile(recent, "c5.zip");
  EXPECT_EQ(recent.size(), kRecentFileCount);
  EXPECT_EQ(recent[0], "c5.zip");
  EXPECT_EQ(std::count(recent.begin(), recent.end(), "c5.zip"), 1);
  EXPECT_EQ(recent[1], "c9.zip");
}

} // namespace
} // namespace sf6
