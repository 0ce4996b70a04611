#pragma once

// SF4 codes (lens, coating, colour and surcharge codes) are compared after
// RightTrim and without regard to the case of the letters A-Z; other bytes,
// the umlauts among them, compare as they are.

#include <string>
#include <string_view>

namespace sf6 {

inline char foldCodeChar(char ch) {
  return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
}

// The text with a-z turned into A-Z: the key under which codes are indexed.
inline std::string foldCode(std::string_view text) {
  std::string folded(text);
  for (char &ch : folded)
    ch = foldCodeChar(ch);
  return folded;
}

// Equal ignoring the case of A-Z.
inline bool sameCode(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (foldCodeChar(a[i]) != foldCodeChar(b[i]))
      return false;
  return true;
}

} // namespace sf6
