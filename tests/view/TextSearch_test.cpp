// Finding text in a pane: letter case of the whole Windows-1252 alphabet,
// direction, wrapping and the place a search starts from.

#include "view/TextSearch.h"

#include <gtest/gtest.h>

#include "DocumentOf.h"

namespace sf6 {
namespace {

TEST(TextSearch, IgnoresCaseOfTheWholeAlphabetUnlessAsked) {
  const TextDocument doc = documentOf("BSP001 Gr\xFC\xDF"
                                      "e\r\nbsp002 GR\xDC\xDF"
                                      "E\r\n");
  auto match = FindText(doc, "gr\xFC\xDF", {0, 0});
  ASSERT_TRUE(match);
  EXPECT_EQ(match->start, (TextPos{0, 7}));
  match = FindText(doc, "gr\xFC\xDF", {0, 8});
  ASSERT_TRUE(match);
  EXPECT_EQ(match->start, (TextPos{1, 7})); // Ü folds to ü
  SearchOptions exact;
  exact.matchCase = true;
  match = FindText(doc, "bsp", {0, 0}, exact);
  ASSERT_TRUE(match);
  EXPECT_EQ(match->start, (TextPos{1, 0}));
  EXPECT_FALSE(FindText(doc, "xyz", {0, 0}));
  EXPECT_FALSE(FindText(doc, "", {0, 0}));
}

TEST(TextSearch, FindsForwardAndBackwardAndWrapsOnce) {
  const TextDocument doc = documentOf("a1 a2\na3\nb\n");
  SearchOptions back;
  back.forward = false;
  auto match = FindText(doc, "a", {1, 0}, back); // before a3: a2
  ASSERT_TRUE(match);
  EXPECT_EQ(match->start, (TextPos{0, 3}));
  EXPECT_FALSE(match->wrapped);
  match = FindText(doc, "a", {1, 1}); // after a3's "a": wraps to a1
  ASSERT_TRUE(match);
  EXPECT_EQ(match->start, (TextPos{0, 0}));
  EXPECT_TRUE(match->wrapped);
  match = FindText(doc, "a", {0, 0}, back); // before the first: wraps to a3
  ASSERT_TRUE(match);
  EXPECT_EQ(match->start, (TextPos{1, 0}));
  EXPECT_TRUE(match->wrapped);
  // The only match is found again from just after it.
  match = FindText(doc, "b", {2, 1});
  ASSERT_TRUE(match);
  EXPECT_EQ(match->start, (TextPos{2, 0}));
}

TEST(TextSearch, AStoppedSearchFindsNothing) {
  std::string bytes;
  for (int i = 0; i < 40000; ++i)
    bytes += "line\n";
  bytes += "needle\n";
  const TextDocument doc = documentOf(bytes);
  SearchOptions options;
  int calls = 0;
  options.progress = [&calls](int) { return ++calls < 2; };
  EXPECT_FALSE(FindText(doc, "needle", {0, 0}, options));
  options.progress = nullptr;
  EXPECT_TRUE(FindText(doc, "needle", {0, 0}, options));
}

TEST(TextSearch, ScansForTheRarestByteAndStillFindsMatchesAtBothEnds) {
  // Zeros abound in this text, so the matcher scans for the needle's "7"
  // (third byte) or its "x" (either case); matches at the very start and
  // end of a line and a start column inside a match must still come out.
  const TextDocument doc = documentOf("0070000000x00\n00700x\n007x");
  const ByteCounts counts = SampleByteCounts(doc);
  EXPECT_GT(counts['0'], counts['7']);
  for (const bool matchCase : {false, true}) {
    const LineMatcher matcher("007", matchCase, &counts);
    EXPECT_EQ(matcher.find(doc.line(0), 0), 0);
    EXPECT_EQ(matcher.find(doc.line(0), 1), -1);
    EXPECT_EQ(matcher.find(doc.line(1), 0), 0);
    const LineMatcher withLetter(matchCase ? "0x" : "0X", matchCase, &counts);
    EXPECT_EQ(withLetter.find(doc.line(0), 0), 9);
    EXPECT_EQ(withLetter.find(doc.line(1), 0), 4);
    EXPECT_EQ(withLetter.find(doc.line(2), 3), -1);
    EXPECT_EQ(withLetter.findLast(doc.line(1), 99), 4);
  }
  EXPECT_EQ(LineMatcher("7X", false, &counts).find(doc.line(2), 0), 2); // at the line's end
}

} // namespace
} // namespace sf6
