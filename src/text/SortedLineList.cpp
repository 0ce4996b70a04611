#include "text/SortedLineList.h"

#include "text/Collation.h"

#include <algorithm>
#include <array>

namespace sf6 {

void SortedLineList::Add(std::string line) {
  m_lines.push_back(std::move(line));
}

const LineList &SortedLineList::Lines() {
  if (m_sortedCount == m_lines.size())
    return m_lines;
  // A stable sort keeps lines that differ only in case in the order they were
  // added, so unique keeps the first one.
  const auto less = [](const std::string &a, const std::string &b) {
    return CompareNoCase1252(a, b) < 0;
  };
  const auto equal = [](const std::string &a, const std::string &b) {
    return CompareNoCase1252(a, b) == 0;
  };
  std::stable_sort(m_lines.begin(), m_lines.end(), less);
  m_lines.erase(std::unique(m_lines.begin(), m_lines.end(), equal), m_lines.end());
  m_sortedCount = m_lines.size();
  return m_lines;
}

} // namespace sf6
