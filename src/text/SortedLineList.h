#pragma once

// A line list kept in ascending order without regard to letter case, that
// ignores a line equal to one it already holds. The export fills every entry
// of a catalog through one.
//
// The order is CompareNoCase1252 (text/Collation.h), the same on every
// machine and in every locale, so that a catalog converted twice is
// byte-identical. Two lines are equal only when they differ in nothing but
// letter case; then the line added first is kept.

#include "text/LineList.h"

#include <string>
#include <string_view>

namespace sf6 {

class SortedLineList {
public:
  // Adds a line; a line equal to one already added is ignored when the list
  // is read.
  void Add(std::string line);
  // The lines in order, duplicates removed. Sorting happens once, on the
  // first read after adds, so filling n lines costs O(n log n).
  const LineList &Lines();
  size_t Count() { return Lines().size(); }

private:
  LineList m_lines;
  size_t m_sortedCount = 0;
};

} // namespace sf6
