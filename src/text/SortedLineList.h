#pragma once

// A line list kept in ascending order without regard to letter case, that
// ignores a line equal to one it already holds. The export fills every entry
// of a catalog through one.
//
// The order is CompareNoCase1252 (text/Collation.h), the same on every
// machine and in every locale, so that a catalog converted twice is
// byte-identical. Two lines are equal only when they differ in nothing but
// letter case; then the line added first is kept.
//
// The lines are kept back to back in blocks of up to a megabyte that never move,
// and sorted as views into them: an entry of hundreds of thousands of lines
// costs no allocation per line and no copy while it grows, and its text is
// written out in one piece.

#include "text/LineList.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sf6 {

class SortedLineList {
public:
  // Adds a line; a line equal to one already added is ignored when the list
  // is read.
  void Add(std::string_view line);
  // The lines in order, duplicates removed. Sorting happens once, on the
  // first read after adds, so filling n lines costs O(n log n).
  LineList Lines();
  // The same lines, each followed by CR LF: the text of an archive entry.
  std::string Text();
  size_t Count();

private:
  void sort();

  std::vector<std::unique_ptr<char[]>> m_blocks;
  char *m_free = nullptr; // the unused rest of the last block
  size_t m_freeSize = 0;
  std::vector<std::string_view> m_lines;
  size_t m_sortedCount = 0;
};

} // namespace sf6
