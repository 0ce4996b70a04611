#include "text/SortedLineList.h"

#include "text/Collation.h"

#include <algorithm>

namespace sf6 {

void SortedLineList::Add(std::string_view line) {
  if (line.size() > m_freeSize) {
    // Blocks grow from 64 KB to a megabyte; a longer line gets a block of its
    // own size.
    const size_t block = size_t{65536} << std::min<size_t>(m_blocks.size(), 4);
    const size_t size = std::max(block, line.size());
    m_blocks.push_back(std::make_unique_for_overwrite<char[]>(size));
    m_free = m_blocks.back().get();
    m_freeSize = size;
  }
  std::copy(line.begin(), line.end(), m_free);
  m_lines.emplace_back(m_free, line.size());
  m_free += line.size();
  m_freeSize -= line.size();
}

void SortedLineList::sort() {
  if (m_sortedCount == m_lines.size())
    return;
  // A stable sort keeps lines that differ only in case in the order they were
  // added, so unique keeps the first one.
  const auto less = [](std::string_view a, std::string_view b) {
    return CompareNoCase1252(a, b) < 0;
  };
  const auto equal = [](std::string_view a, std::string_view b) {
    return CompareNoCase1252(a, b) == 0;
  };
  std::stable_sort(m_lines.begin(), m_lines.end(), less);
  m_lines.erase(std::unique(m_lines.begin(), m_lines.end(), equal), m_lines.end());
  m_sortedCount = m_lines.size();
}

LineList SortedLineList::Lines() {
  sort();
  LineList lines;
  lines.reserve(m_lines.size());
  for (std::string_view line : m_lines)
    lines.emplace_back(line);
  return lines;
}

std::string SortedLineList::Text() {
  sort();
  size_t size = 0;
  for (std::string_view line : m_lines)
    size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (std::string_view line : m_lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

size_t SortedLineList::Count() {
  sort();
  return m_lines.size();
}

} // namespace sf6
