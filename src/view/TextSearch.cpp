#include "view/TextSearch.h"

#include "text/Collation.h"

#include <algorithm>
#include <cstring>

namespace sf6 {

namespace {

constexpr int kProgressLines = 16384;

bool equalAt(std::string_view line, size_t at, std::string_view needle, bool matchCase) {
  if (matchCase)
    return line.compare(at, needle.size(), needle) == 0;
  for (size_t i = 0; i < needle.size(); ++i)
    if (UpperCase1252(static_cast<unsigned char>(line[at + i])) !=
        UpperCase1252(static_cast<unsigned char>(needle[i])))
      return false;
  return true;
}

// The last match in line that starts before `before`, or -1.
int findLastInLine(std::string_view line, std::string_view needle, int before, bool matchCase) {
  int found = -1;
  for (int at = FindInLine(line, needle, 0, matchCase); at >= 0 && at < before;
       at = FindInLine(line, needle, at + 1, matchCase))
    found = at;
  return found;
}

} // namespace

int FindInLine(std::string_view line, std::string_view needle, int column, bool matchCase) {
  if (needle.empty() || column < 0 || line.size() < needle.size())
    return -1;
  const size_t last = line.size() - needle.size();
  const unsigned char first = static_cast<unsigned char>(needle.front());
  const unsigned char upper = UpperCase1252(first);
  const unsigned char lower = LowerCase1252(first);
  for (size_t at = static_cast<size_t>(column); at <= last; ++at) {
    // Jump to the next place where the needle's first letter stands, in
    // either case: the scan that keeps long texts fast.
    const char *base = line.data() + at;
    const size_t span = last - at + 1;
    const void *hit = std::memchr(base, matchCase ? first : upper, span);
    if (!matchCase && upper != lower) {
      const void *other = std::memchr(base, lower, span);
      if (!hit || (other && other < hit))
        hit = other;
    }
    if (!hit)
      return -1;
    at = static_cast<size_t>(static_cast<const char *>(hit) - line.data());
    if (equalAt(line, at, needle, matchCase))
      return static_cast<int>(at);
  }
  return -1;
}

std::optional<TextMatch> FindText(const TextDocument &document, std::string_view needle,
                                  TextPos from, const SearchOptions &options) {
  if (needle.empty())
    return std::nullopt;
  from = document.clamp(from);
  const int count = document.lineCount();
  // count + 1 steps: the start line is searched again after wrapping, for
  // the part not yet searched.
  for (int step = 0; step <= count; ++step) {
    if (options.progress && step > 0 && step % kProgressLines == 0 && !options.progress(step))
      return std::nullopt;
    const int index =
        options.forward ? (from.line + step) % count : ((from.line - step) % count + count) % count;
    const bool wrapped = options.forward ? from.line + step >= count : from.line - step < 0;
    const std::string_view line = document.line(index);
    int at = -1;
    if (options.forward) {
      const int start = step == 0 ? from.column : 0;
      at = FindInLine(line, needle, start, options.matchCase);
      if (step == count && at >= from.column)
        at = -1; // already searched before wrapping
    } else {
      const int before = step == 0 ? from.column : static_cast<int>(line.size()) + 1;
      at = findLastInLine(line, needle, before, options.matchCase);
      if (step == count && at < from.column)
        at = -1;
    }
    if (at >= 0)
      return TextMatch{{index, at}, static_cast<int>(needle.size()), wrapped};
  }
  return std::nullopt;
}

} // namespace sf6
