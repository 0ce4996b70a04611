#pragma once

// A line list kept in ascending order without regard to letter case, that
// ignores a line equal to one it already holds. The export fills every entry
// of a catalog through one.
//
// The order is a fixed collation of Windows-1252, the same on every machine
// and in every locale, so that a catalog converted twice is byte-identical:
// letters are folded to upper case (a-z to A-Z; the bytes 0xE0-0xFE except
// 0xF7 to 0xC0-0xDE; 0x9A, 0x9C, 0x9E and 0xFF to 0x8A, 0x8C, 0x8E and 0x9F),
// nothing else is changed, and lines are ordered by their folded bytes
// compared as unsigned values, a line that is a prefix of another first. Two
// lines are equal only when their folded bytes are equal, that is when they
// differ in nothing but letter case; then the line added first is kept.

#include "text/LineList.h"

#include <string>
#include <string_view>

namespace sf6 {

// The upper-case fold of one Windows-1252 byte.
unsigned char FoldCase1252(unsigned char byte);
// <0, 0, >0 as a orders before, equal to or after b.
int CompareFolded1252(std::string_view a, std::string_view b);

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
