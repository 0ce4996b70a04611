#include "text/LineList.h"

#include <algorithm>
#include <cstring>

namespace sf6 {

LineList SplitLines(std::string_view bytes) {
  LineList lines;
  // One line per LF in most texts: reserving spares the list its regrowth.
  lines.reserve(static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
  const char *p = bytes.data();
  const char *end = p + bytes.size();
  // The next LF is remembered between lines, so text that ends its lines with
  // CR alone is still split in one pass.
  const char *lf = nullptr;
  while (p < end) {
    if (lf == nullptr || lf < p) {
      lf = static_cast<const char *>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
      if (lf == nullptr)
        lf = end;
    }
    const char *cr = static_cast<const char *>(std::memchr(p, '\r', static_cast<size_t>(lf - p)));
    if (cr) {
      lines.emplace_back(p, static_cast<size_t>(cr - p));
      p = cr + 1;
      if (p < end && *p == '\n')
        ++p;
      continue;
    }
    lines.emplace_back(p, static_cast<size_t>(lf - p));
    p = lf + 1;
  }
  return lines;
}

} // namespace sf6
