#include "text/LineList.h"

#include <cstdint>
#include <cstring>

namespace sf6 {

size_t CountByte(std::string_view text, char byte) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
  constexpr uint64_t kEvenBytes = 0x00FF00FF00FF00FFull;
  const uint64_t pattern = kOnes * static_cast<unsigned char>(byte);
  const char *p = text.data();
  size_t n = text.size();
  size_t count = 0;
  while (n >= 8) {
    // One hit counter per byte lane, summed before a lane can pass 255.
    uint64_t hits = 0;
    for (int round = 0; round < 255 && n >= 8; ++round, p += 8, n -= 8) {
      uint64_t word;
      std::memcpy(&word, p, 8);
      const uint64_t x = word ^ pattern; // lanes holding byte are now zero
      hits += ~(((x & kLow7) + kLow7) | x | kLow7) >> 7;
    }
    const uint64_t pairs = (hits & kEvenBytes) + ((hits >> 8) & kEvenBytes);
    count += static_cast<size_t>((pairs * 0x0001000100010001ull) >> 48);
  }
  for (; n > 0; ++p, --n)
    count += *p == byte ? 1 : 0;
  return count;
}

LineList SplitLines(std::string_view bytes) {
  const std::vector<std::string_view> views = SplitLineViews(bytes);
  return LineList(views.begin(), views.end());
}

std::vector<std::string_view> SplitLineViews(std::string_view bytes) {
  std::vector<std::string_view> lines;
  // One line per LF in most texts: reserving spares the list its regrowth.
  lines.reserve(CountByte(bytes, '\n') + 1);
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
