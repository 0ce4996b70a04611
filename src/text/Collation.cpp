#include "text/Collation.h"

#include <algorithm>
#include <array>

namespace sf6 {
namespace {

constexpr bool isSmallLetter(int b) {
  return (b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7);
}
constexpr bool isCapitalLetter(int b) {
  return (b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7);
}

constexpr std::array<unsigned char, 256> buildUpper() {
  std::array<unsigned char, 256> table{};
  for (int b = 0; b < 256; ++b)
    table[static_cast<size_t>(b)] = static_cast<unsigned char>(isSmallLetter(b) ? b - 0x20 : b);
  table[0x9A] = 0x8A; // š
  table[0x9C] = 0x8C; // œ
  table[0x9E] = 0x8E; // ž
  table[0xFF] = 0x9F; // ÿ
  return table;
}

constexpr std::array<unsigned char, 256> buildLower() {
  std::array<unsigned char, 256> table{};
  for (int b = 0; b < 256; ++b)
    table[static_cast<size_t>(b)] = static_cast<unsigned char>(isCapitalLetter(b) ? b + 0x20 : b);
  table[0x8A] = 0x9A;
  table[0x8C] = 0x9C;
  table[0x8E] = 0x9E;
  table[0x9F] = 0xFF;
  return table;
}

constexpr std::array<unsigned char, 256> kUpper = buildUpper();
constexpr std::array<unsigned char, 256> kLower = buildLower();

std::string mapBytes(std::string_view text, const std::array<unsigned char, 256> &table) {
  std::string out(text);
  for (char &c : out)
    c = static_cast<char>(table[static_cast<unsigned char>(c)]);
  return out;
}

} // namespace

unsigned char UpperCase1252(unsigned char byte) {
  return kUpper[byte];
}
unsigned char LowerCase1252(unsigned char byte) {
  return kLower[byte];
}
std::string UpperCase1252(std::string_view text) {
  return mapBytes(text, kUpper);
}
std::string LowerCase1252(std::string_view text) {
  return mapBytes(text, kLower);
}

int CompareNoCase1252(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = kUpper[static_cast<unsigned char>(a[i])];
    const unsigned char y = kUpper[static_cast<unsigned char>(b[i])];
    if (x != y)
      return x < y ? -1 : 1;
  }
  if (a.size() == b.size())
    return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

} // namespace sf6
