#pragma once

// Inside the checker: the rules of Head.dat. Its lines are keys in columns
// 1-30 and values from column 31; the keys and the form of each value are
// those the Head.dat writer writes (Sf6HeadKeys).

#include "check/EntryScan.h"
#include "sf6/Sf6HeadKeys.h"

#include <array>
#include <string_view>

namespace sf6::check {

class HeadCheck {
public:
  explicit HeadCheck(const EntryTarget &target) : m_target(target) {}

  void line(std::string_view line, uint32_t number);
  // After the last line: the keys that were not there.
  void finish();
  // The price-field declarations against the prices the price lines use:
  // bit k-1 of usedPrices is set when some line has price k.
  void checkPrices(unsigned usedPrices);

private:
  static constexpr std::size_t kKeys = 45;
  // lineLength: the line's length, for a value missing from a short line.
  void value(const Sf6HeadKey &key, std::string_view value, uint32_t number,
             std::size_t lineLength);

  EntryTarget m_target;
  std::array<uint32_t, kKeys> m_lineOfKey{};          // 0: not seen
  std::array<int, 5> m_priceCode{-1, -1, -1, -1, -1}; // -1: missing or malformed
  std::string_view m_validFrom, m_validUntil;         // valid dates only
};

} // namespace sf6::check
