#include "text/SortedLineList.h"

#include <algorithm>
#include <array>

namespace sf6 {
namespace {

constexpr std::array<unsigned char, 256> buildFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int b = 0; b < 256; ++b)
    table[static_cast<size_t>(b)] = static_cast<unsigned char>(b);
  for (int b = 'a'; b <= 'z'; ++b)
    table[static_cast<size_t>(b)] = static_cast<unsigned char>(b - 0x20);
  for (int b = 0xE0; b <= 0xFE; ++b)
    if (b != 0xF7)
      table[static_cast<size_t>(b)] = static_cast<unsigned char>(b - 0x20);
  table[0x9A] = 0x8A;
  table[0x9C] = 0x8C;
  table[0x9E] = 0x8E;
  table[0xFF] = 0x9F;
  return table;
}

constexpr std::array<unsigned char, 256> kFold = buildFoldTable();

} // namespace

unsigned char FoldCase1252(unsigned char byte) { return kFold[byte]; }

int CompareFolded1252(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = kFold[static_cast<unsigned char>(a[i])];
    const unsigned char y = kFold[static_cast<unsigned char>(b[i])];
    if (x != y)
      return x < y ? -1 : 1;
  }
  if (a.size() == b.size())
    return 0;
  return a.size() < b.size() ? -1 : 1;
}

void SortedLineList::Add(std::string line) { m_lines.push_back(std::move(line)); }

const LineList &SortedLineList::Lines() {
  if (m_sortedCount == m_lines.size())
    return m_lines;
  // A stable sort keeps lines that differ only in case in the order they were
  // added, so unique keeps the first one.
  const auto less = [](const std::string &a, const std::string &b) { return CompareFolded1252(a, b) < 0; };
  const auto equal = [](const std::string &a, const std::string &b) { return CompareFolded1252(a, b) == 0; };
  std::stable_sort(m_lines.begin(), m_lines.end(), less);
  m_lines.erase(std::unique(m_lines.begin(), m_lines.end(), equal), m_lines.end());
  m_sortedCount = m_lines.size();
  return m_lines;
}

} // namespace sf6
