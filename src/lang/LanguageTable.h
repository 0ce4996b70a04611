#pragma once

// The numbered table of German texts from which enumeration names, protocol
// words, progress messages and model defaults are taken. One instance lives
// for the program's life (TLup6LanguageObj::Instance()); callers use slot
// numbers only.

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace sf6 {

class TLup6LanguageObj {
public:
  static constexpr int kSlotCount = 1175;

  // The single table, filled on first use.
  static const TLup6LanguageObj &Instance();

  // An empty table; fill it with AddEntry.
  TLup6LanguageObj();

  // Stores text in slot. A well-formed entry ("ggg_nnn:" then the visible
  // text) adds its eight-character code to the code list; any other text is
  // stored with " (Language-error)" appended. Slots outside 0..1174 are ignored.
  void AddEntry(int slot, std::string_view text);

  // The visible text of slot: the entry from its ninth character on, at most
  // 1000 characters, when its code is known, else the whole entry; "#13"
  // becomes CR LF. Empty for an empty or unknown slot.
  std::string GetText(int slot) const;
  void GetText(int slot, std::string &text) const { text = GetText(slot); }

  // The highest slot whose text is empty, or -1.
  int FindEmptySlot() const;

  // The start-up consistency check: "" when every slot is filled, else the
  // message the program shows in an information box.
  std::string ConsistencyMessage() const;

private:
  std::vector<std::string> m_entries;
  std::set<std::string, std::less<>> m_codes;
};

// Shorthand for TLup6LanguageObj::Instance().GetText(slot).
std::string LangText(int slot);

} // namespace sf6
