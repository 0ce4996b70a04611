// Finding text in a pane: letter case of the whole Windows-1252 alphabet,
// direction, wrapping and the place a search starts from.

#include "view/TextSearch.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

TextDocument documentOf(std::string bytes) {
  TextDocument document;
  document.setBytes(std::move(bytes));
  return document;
}

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

} // namespace
} // namespace sf6
