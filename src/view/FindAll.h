#pragma once

// Finding a text in every file of a catalog at once, for the viewer's list
// of hits: each occurrence (not overlapping the one before it) with its
// file, place and line. The pass runs on whatever thread calls it; the
// documents must not change meanwhile. The list is capped, the count is not.

#include "view/TextDocument.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sf6 {

struct FindAllHit {
  int file = 0;   // index into the searched files
  TextPos start;  // 0-based line and column of the match
  int length = 0; // bytes
  // The line as it was when searched, cut to kFindAllLineText bytes.
  std::string lineText;
};

inline constexpr std::size_t kFindAllLineText = 300;

struct FindAllOptions {
  bool matchCase = false;
  // Hits kept in the list; later ones are only counted.
  std::size_t maxHits = 10000;
  // Called every few thousand lines with the lines searched so far and the
  // lines of all files; returns false to stop the search.
  std::function<bool(uint64_t linesDone, uint64_t linesTotal)> progress;
};

struct FindAllResult {
  std::vector<FindAllHit> hits; // by file, then line, then column
  uint64_t total = 0;           // every match, listed or not
  bool stopped = false;         // progress asked to stop; hits and total are partial
  bool capped() const { return total > hits.size(); }
};

// Searches needle in files (nullptr entries are skipped) with the find
// bar's letter-case rules. An empty needle finds nothing.
FindAllResult FindInAllFiles(std::span<const TextDocument *const> files, std::string_view needle,
                             const FindAllOptions &options = {});

} // namespace sf6
