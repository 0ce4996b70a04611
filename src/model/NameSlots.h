#pragma once

// The ten language slots of a lens's or coating's names and short names
// (slot 1 is the catalog language, 2 to 10 the others).

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace sf6 {

using NameSlots = std::array<std::string, 10>;

// Slot i (1..10); "" outside that range.
inline std::string SlotText(const NameSlots &slots, int i) {
  return i >= 1 && i <= 10 ? slots[static_cast<std::size_t>(i - 1)] : std::string();
}

// Sets slot i (1..10); a slot outside that range is ignored.
inline void SetSlotText(NameSlots &slots, int i, std::string_view text) {
  if (i >= 1 && i <= 10)
    slots[static_cast<std::size_t>(i - 1)] = text;
}

// get(i), else get of the next lower slot while the text is empty; slot 1 is
// the last one tried, so a name missing in a language falls back towards the
// catalog language.
template <class Get> std::string SlotTextWithFallback(int i, Get get) {
  std::string text = get(i);
  while (text.empty() && i >= 2) {
    --i;
    text = get(i);
  }
  return text;
}

} // namespace sf6
