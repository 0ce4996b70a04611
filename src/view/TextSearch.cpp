#include "view/TextSearch.h"

#include "text/Collation.h"

#include <array>
#include <cstring>

namespace sf6 {

namespace {

constexpr int kProgressLines = 16384;

// The upper-case fold of every byte, read inline in the comparison loop.
const std::array<unsigned char, 256> &foldTable() {
  static const std::array<unsigned char, 256> table = [] {
    std::array<unsigned char, 256> fold{};
    for (int byte = 0; byte < 256; ++byte)
      fold[static_cast<size_t>(byte)] = UpperCase1252(static_cast<unsigned char>(byte));
    return fold;
  }();
  return table;
}

} // namespace

LineMatcher::LineMatcher(std::string_view needle, bool matchCase)
    : m_needle(matchCase ? std::string(needle) : UpperCase1252(needle)), m_matchCase(matchCase) {
  if (m_needle.empty())
    return;
  m_first = static_cast<unsigned char>(m_needle.front());
  m_second = m_first;
  if (!matchCase) {
    // Every byte whose fold is the needle's first: the letter's lower case
    // (and, for letters such as ÿ/Ÿ, whichever byte the table maps there).
    for (int byte = 0; byte < 256; ++byte)
      if (foldTable()[static_cast<size_t>(byte)] == m_first && byte != m_first)
        m_second = static_cast<unsigned char>(byte);
  }
}

bool LineMatcher::matchesAt(const char *at) const {
  if (m_matchCase)
    return std::memcmp(at, m_needle.data(), m_needle.size()) == 0;
  const auto &fold = foldTable();
  for (size_t i = 1; i < m_needle.size(); ++i)
    if (fold[static_cast<unsigned char>(at[i])] != static_cast<unsigned char>(m_needle[i]))
      return false;
  return true;
}

int LineMatcher::find(std::string_view line, int column) const {
  if (m_needle.empty() || column < 0 || line.size() < m_needle.size())
    return -1;
  const char *data = line.data();
  const size_t last = line.size() - m_needle.size(); // the last place a match can start
  for (size_t at = static_cast<size_t>(column); at <= last; ++at) {
    // Jump to the next place where the needle's first letter stands, in
    // either case; the second case is looked for only before the first's hit.
    const char *base = data + at;
    const size_t span = last - at + 1;
    const char *hit = static_cast<const char *>(std::memchr(base, m_first, span));
    if (m_second != m_first) {
      const size_t before = hit ? static_cast<size_t>(hit - base) : span;
      if (const void *other = std::memchr(base, m_second, before))
        hit = static_cast<const char *>(other);
    }
    if (!hit)
      return -1;
    at = static_cast<size_t>(hit - data);
    if (matchesAt(hit))
      return static_cast<int>(at);
  }
  return -1;
}

int LineMatcher::findLast(std::string_view line, int before) const {
  int found = -1;
  for (int at = find(line, 0); at >= 0 && at < before; at = find(line, at + 1))
    found = at;
  return found;
}

int FindInLine(std::string_view line, std::string_view needle, int column, bool matchCase) {
  return LineMatcher(needle, matchCase).find(line, column);
}

std::optional<TextMatch> FindText(const TextDocument &document, std::string_view needle,
                                  TextPos from, const SearchOptions &options) {
  const LineMatcher matcher(needle, options.matchCase);
  if (matcher.empty())
    return std::nullopt;
  from = document.clamp(from);
  const int count = document.lineCount();
  // count + 1 steps: the start line is searched again after wrapping, for
  // the part not yet searched.
  for (int step = 0; step <= count; ++step) {
    if (options.progress && step > 0 && step % kProgressLines == 0 && !options.progress(step))
      return std::nullopt;
    int index = options.forward ? from.line + step : from.line - step;
    const bool wrapped = index >= count || index < 0;
    if (index >= count)
      index -= count;
    else if (index < 0)
      index += count;
    const std::string_view line = document.line(index);
    int at = -1;
    if (options.forward) {
      at = matcher.find(line, step == 0 ? from.column : 0);
      if (step == count && at >= from.column)
        at = -1; // already searched before wrapping
    } else {
      const int before = step == 0 ? from.column : static_cast<int>(line.size()) + 1;
      at = matcher.findLast(line, before);
      if (step == count && at < from.column)
        at = -1;
    }
    if (at >= 0)
      return TextMatch{{index, at}, matcher.length(), wrapped};
  }
  return std::nullopt;
}

} // namespace sf6
