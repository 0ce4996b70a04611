#pragma once

// Builds SF4 lines by column, so that a test names the columns it fills.

#include <string>
#include <string_view>

namespace sf6::test {

class Sf4Line {
public:
  // Writes text from 1-based column col on, padding with blanks before it.
  Sf4Line &at(int col, std::string_view text) {
    const std::size_t start = static_cast<std::size_t>(col - 1);
    if (m_text.size() < start + text.size())
      m_text.resize(start + text.size(), ' ');
    m_text.replace(start, text.size(), text);
    return *this;
  }
  operator std::string() const { return m_text; }
  const std::string &str() const { return m_text; }

private:
  std::string m_text;
};

} // namespace sf6::test
