// Finding a text in all files: every occurrence in file and line order,
// the list capped while the count goes on, and a search that is stopped.

#include "view/FindAll.h"

#include <gtest/gtest.h>

#include "DocumentOf.h"

#include <vector>

namespace sf6 {
namespace {

TEST(FindAll, ListsEveryOccurrenceByFileLineAndColumn) {
  const TextDocument head = documentOf("comment   Gl\xE4ser\r\n");
  const TextDocument lenses = documentOf("GL0001 gl\xC4SER gl\xE4serGL\r\nnichts\r\nXGL\r\n");
  const std::vector<const TextDocument *> files{&head, nullptr, &lenses};
  const FindAllResult result = FindInAllFiles(files, "gl\xE4s");
  ASSERT_EQ(result.hits.size(), 3u);
  EXPECT_EQ(result.total, 3u);
  EXPECT_FALSE(result.capped());
  EXPECT_EQ(result.hits[0].file, 0);
  EXPECT_EQ(result.hits[0].start, (TextPos{0, 10}));
  EXPECT_EQ(result.hits[1].file, 2);
  EXPECT_EQ(result.hits[1].start, (TextPos{0, 7})); // Ä folds to ä
  EXPECT_EQ(result.hits[2].start, (TextPos{0, 14}));
  EXPECT_EQ(result.hits[2].length, 4);
  EXPECT_EQ(result.hits[2].lineText, "GL0001 gl\xC4SER gl\xE4serGL");

  FindAllOptions exact;
  exact.matchCase = true;
  EXPECT_EQ(FindInAllFiles(files, "GL", exact).total, 3u); // GL0001, ...GL, XGL
  // Occurrences do not overlap: "aa" twice in "aaaa", not three times.
  const TextDocument as = documentOf("aaaa");
  EXPECT_EQ(FindInAllFiles(std::vector<const TextDocument *>{&as}, "AA").total, 2u);
  EXPECT_EQ(FindInAllFiles(files, "").total, 0u);
}

TEST(FindAll, CapsTheListButCountsOnAndStopsWhenAsked) {
  std::string bytes;
  for (int i = 0; i < 50000; ++i)
    bytes += "GL" + std::to_string(i) + " Preis\r\n";
  const TextDocument prices = documentOf(std::move(bytes));
  const std::vector<const TextDocument *> files{&prices};
  FindAllOptions options;
  options.maxHits = 100;
  FindAllResult result = FindInAllFiles(files, "preis", options);
  EXPECT_EQ(result.hits.size(), 100u);
  EXPECT_EQ(result.total, 50000u);
  EXPECT_TRUE(result.capped());
  EXPECT_EQ(result.hits.back().start.line, 99);

  uint64_t reportedTotal = 0;
  options.progress = [&](uint64_t done, uint64_t total) {
    reportedTotal = total;
    return done < 20000;
  };
  result = FindInAllFiles(files, "preis", options);
  EXPECT_TRUE(result.stopped);
  EXPECT_LT(result.total, 50000u);
  EXPECT_EQ(reportedTotal, 50001u); // the empty line after the last break counts
}

} // namespace
} // namespace sf6
