#include "text/LineList.h"

#include <cstring>

namespace sf6 {

LineList SplitLines(std::string_view bytes) {
  LineList lines;
  const char *p = bytes.data();
  const char *end = p + bytes.size();
  while (p < end) {
    // memchr for both terminators keeps the split at memory speed on large entries.
    const char *lf = static_cast<const char *>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    const char *stop = lf ? lf : end;
    const char *cr = static_cast<const char *>(std::memchr(p, '\r', static_cast<size_t>(stop - p)));
    if (cr) {
      lines.emplace_back(p, static_cast<size_t>(cr - p));
      p = cr + 1;
      if (p < end && *p == '\n')
        ++p;
      continue;
    }
    lines.emplace_back(p, static_cast<size_t>(stop - p));
    p = lf ? lf + 1 : end;
  }
  return lines;
}

} // namespace sf6
