#include "text/LineList.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace sf6 {

namespace {

// How often each of bytes occurs in text, eight bytes at a time: one hit
// counter per byte lane, summed before a lane can pass 255.
template <std::size_t N>
std::array<size_t, N> countBytes(std::string_view text, const std::array<char, N> &bytes) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
  constexpr uint64_t kEvenBytes = 0x00FF00FF00FF00FFull;
  std::array<uint64_t, N> patterns{};
  for (std::size_t k = 0; k < N; ++k)
    patterns[k] = kOnes * static_cast<unsigned char>(bytes[k]);
  const char *p = text.data();
  size_t n = text.size();
  std::array<size_t, N> counts{};
  while (n >= 8) {
    std::array<uint64_t, N> hits{};
    for (int round = 0; round < 255 && n >= 8; ++round, p += 8, n -= 8) {
      uint64_t word;
      std::memcpy(&word, p, 8);
      for (std::size_t k = 0; k < N; ++k) {
        const uint64_t x = word ^ patterns[k]; // lanes holding the byte are now zero
        hits[k] += ~(((x & kLow7) + kLow7) | x | kLow7) >> 7;
      }
    }
    for (std::size_t k = 0; k < N; ++k) {
      const uint64_t pairs = (hits[k] & kEvenBytes) + ((hits[k] >> 8) & kEvenBytes);
      counts[k] += static_cast<size_t>((pairs * 0x0001000100010001ull) >> 48);
    }
  }
  for (; n > 0; ++p, --n)
    for (std::size_t k = 0; k < N; ++k)
      counts[k] += *p == bytes[k] ? 1 : 0;
  return counts;
}

} // namespace

size_t CountByte(std::string_view text, char byte) {
  return countBytes<1>(text, {byte})[0];
}

LineBreakCounts CountLineBreaks(std::string_view text) {
  const auto counts = countBytes<2>(text, {'\n', '\r'});
  return {counts[0], counts[1]};
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
