#include "view/TextSearch.h"

#include "text/Collation.h"

#include <algorithm>
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

ByteCounts SampleByteCounts(const TextDocument &document) {
  // A few hundred lines from the start, the middle and the end show the
  // text's make-up well enough.
  constexpr int kSampleLines = 256;
  ByteCounts counts{};
  const int count = document.lineCount();
  for (const int first : {0, count / 2, std::max(0, count - kSampleLines)})
    for (int index = first; index < std::min(count, first + kSampleLines); ++index)
      for (const char byte : document.line(index))
        ++counts[static_cast<unsigned char>(byte)];
  return counts;
}

LineMatcher::LineMatcher(std::string_view needle, bool matchCase, const ByteCounts *counts)
    : m_needle(matchCase ? std::string(needle) : UpperCase1252(needle)), m_matchCase(matchCase) {
  if (m_needle.empty())
    return;
  // The other case of a needle byte (for letters such as ÿ/Ÿ, whichever
  // byte the table maps there); the byte itself when it has none.
  const auto otherCase = [&](unsigned char byte) {
    if (!matchCase)
      for (int other = 0; other < 256; ++other)
        if (foldTable()[static_cast<size_t>(other)] == byte && other != byte)
          return static_cast<unsigned char>(other);
    return byte;
  };
  uint64_t rarest = UINT64_MAX;
  for (size_t i = 0; i < m_needle.size(); ++i) {
    const auto byte = static_cast<unsigned char>(m_needle[i]);
    const unsigned char other = otherCase(byte);
    const uint64_t seen =
        counts ? uint64_t{(*counts)[byte]} + (other != byte ? (*counts)[other] : 0) : i;
    if (seen < rarest) {
      rarest = seen;
      m_anchor = i;
      m_first = byte;
      m_second = other;
    }
  }
}

bool LineMatcher::matchesAt(const char *at) const {
  if (m_matchCase)
    return std::memcmp(at, m_needle.data(), m_needle.size()) == 0;
  const auto &fold = foldTable();
  for (size_t i = 0; i < m_needle.size(); ++i)
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
    // Jump to the next place where the anchor byte stands, in either case;
    // the second case is looked for only before the first's hit.
    const char *base = data + at + m_anchor;
    const size_t span = last - at + 1;
    const char *hit = static_cast<const char *>(std::memchr(base, m_first, span));
    if (m_second != m_first) {
      const size_t before = hit ? static_cast<size_t>(hit - base) : span;
      if (const void *other = std::memchr(base, m_second, before))
        hit = static_cast<const char *>(other);
    }
    if (!hit)
      return -1;
    at = static_cast<size_t>(hit - data) - m_anchor;
    if (matchesAt(data + at))
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
  const ByteCounts counts = options.counts ? ByteCounts{} : SampleByteCounts(document);
  const LineMatcher matcher(needle, options.matchCase, options.counts ? options.counts : &counts);
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
