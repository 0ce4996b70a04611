#include "zip/ZipNames.h"

#include <algorithm>

namespace sf6 {
namespace {

// Matches one pattern element at pattern[p] against c. Returns the length of
// the element, or 0 when c does not match it.
size_t matchElement(std::string_view pattern, size_t p, char c) {
  if (pattern[p] == '?')
    return 1;
  if (pattern[p] == '<') {
    const size_t close = pattern.find('>', p + 1);
    if (close != std::string_view::npos) {
      size_t i = p + 1;
      const bool negate = i < close && (pattern[i] == '!' || pattern[i] == '^');
      if (negate)
        ++i;
      bool hit = false;
      for (; i < close; ++i) {
        const auto lo = static_cast<unsigned char>(pattern[i]);
        if (i + 2 < close && pattern[i + 1] == '-') {
          const auto hi = static_cast<unsigned char>(pattern[i + 2]);
          const auto uc = static_cast<unsigned char>(c);
          hit = hit || (uc >= lo && uc <= hi);
          i += 2;
          continue;
        }
        hit = hit || static_cast<unsigned char>(c) == lo;
      }
      return hit != negate ? close - p + 1 : 0;
    }
  }
  return pattern[p] == c ? 1 : 0;
}

} // namespace

bool WildcardMatch(std::string_view pattern, std::string_view text) {
  // Greedy matching with one backtrack point: the last "*" seen takes one
  // more character whenever the rest fails. Sufficient because "*" matches
  // any run, so an earlier star never needs to be revisited.
  size_t p = 0, t = 0;
  size_t starP = std::string_view::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = ++p;
      starT = t;
      continue;
    }
    if (p < pattern.size()) {
      if (const size_t length = matchElement(pattern, p, text[t])) {
        p += length;
        ++t;
        continue;
      }
    }
    if (starP == std::string_view::npos)
      return false;
    p = starP;
    t = ++starT;
  }
  while (p < pattern.size() && pattern[p] == '*')
    ++p;
  return p == pattern.size();
}

bool HasWildcards(std::string_view name) {
  return name.find_first_of("*?<") != std::string_view::npos;
}

std::string NormalizeRequestName(std::string_view name) {
  std::string out(name);
  std::replace(out.begin(), out.end(), '/', '\\');
  return out;
}

std::string RequestFileNamePart(std::string_view name) {
  const size_t cut = name.find_last_of("\\/:");
  return std::string(cut == std::string_view::npos ? name : name.substr(cut + 1));
}

} // namespace sf6
