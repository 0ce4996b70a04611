#pragma once

// The lines of a text kept as it was read: the bytes once, the lines as
// views into them. For files read whole and then only looked at line by
// line, where a string per line would cost an allocation and a copy each.

#include "text/ByteBuffer.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace sf6 {

class TextLines {
public:
  TextLines() = default;
  // Splits bytes as SplitLines does; each line is cut to maxLineLength bytes.
  explicit TextLines(ByteBuffer bytes, std::size_t maxLineLength = std::string_view::npos);

  // The views point into the bytes, which a move keeps where they are; a
  // copy would have to point them anew, so there is none.
  TextLines(TextLines &&) noexcept = default;
  TextLines &operator=(TextLines &&) noexcept = default;
  TextLines(const TextLines &) = delete;
  TextLines &operator=(const TextLines &) = delete;

  std::size_t size() const { return m_lines.size(); }
  bool empty() const { return m_lines.empty(); }
  std::string_view operator[](std::size_t index) const { return m_lines[index]; }
  std::string_view front() const { return m_lines.front(); }
  const std::vector<std::string_view> &Views() const { return m_lines; }
  auto begin() const { return m_lines.begin(); }
  auto end() const { return m_lines.end(); }

  void clear() {
    m_lines.clear();
    m_bytes.clear();
  }

private:
  ByteBuffer m_bytes;
  std::vector<std::string_view> m_lines;
};

} // namespace sf6
