#pragma once

// The keys of Head.dat as its writer writes them: 45 lines, each key padded
// to 30 columns and followed directly by its value. WriteHeadLines writes
// exactly these keys in this order (a test holds the two together).

#include <span>

namespace sf6 {

inline constexpr int kHeadKeyWidth = 30; // columns 1-30; the value from column 31

enum class Sf6HeadValueKind {
  Text,      // as stored
  Date,      // "yyyymmdd", or empty for no date
  Flag,      // "+" when set, "-" when not
  Integer,   // decimal, "-" for negatives, no padding
  PriceType, // a TSf6PriceType code in two digits (00, 10, 21, 91, ...)
};

struct Sf6HeadKey {
  int number;      // 1-based position in the written file
  const char *key; // spelled and capitalised exactly so
  Sf6HeadValueKind kind;
};

// The 45 keys in written order.
std::span<const Sf6HeadKey> Sf6HeadKeys();

} // namespace sf6
