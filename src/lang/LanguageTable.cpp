#include "lang/LanguageTable.h"

#include "text/FieldText.h"

namespace sf6 {

void FillLanguageTable(TLup6LanguageObj &table); // LanguageTexts.cpp

namespace {

constexpr size_t kCodeLength = 8;
constexpr size_t kMaxVisibleLength = 1000;

bool isWellFormed(std::string_view text) {
  return text.size() > kCodeLength && text[3] == '_' && text[7] == ':';
}

} // namespace

const TLup6LanguageObj &TLup6LanguageObj::Instance() {
  // Filled once on first use; never changed afterwards.
  static const TLup6LanguageObj table = [] {
    TLup6LanguageObj t;
    FillLanguageTable(t);
    return t;
  }();
  return table;
}

TLup6LanguageObj::TLup6LanguageObj() : m_entries(kSlotCount) {}

void TLup6LanguageObj::AddEntry(int slot, std::string_view text) {
  if (slot < 0 || slot >= kSlotCount)
    return;
  std::string &entry = m_entries[static_cast<size_t>(slot)];
  entry.assign(text);
  if (isWellFormed(text)) {
    m_codes.emplace(text.substr(0, kCodeLength));
    return;
  }
  entry += " (Language-error)";
}

std::string TLup6LanguageObj::GetText(int slot) const {
  if (slot < 0 || slot >= kSlotCount)
    return {};
  const std::string &entry = m_entries[static_cast<size_t>(slot)];
  std::string_view visible = entry;
  if (entry.size() >= kCodeLength && m_codes.count(std::string_view(entry).substr(0, kCodeLength)) != 0)
    visible = std::string_view(entry).substr(kCodeLength, kMaxVisibleLength);
  std::string result;
  result.reserve(visible.size());
  for (size_t i = 0; i < visible.size(); ++i) {
    if (visible.compare(i, 3, "#13") == 0) {
      result += "\r\n";
      i += 2;
      continue;
    }
    result += visible[i];
  }
  return result;
}

int TLup6LanguageObj::FindEmptySlot() const {
  for (int slot = kSlotCount - 1; slot >= 0; --slot)
    if (GetText(slot).empty())
      return slot;
  return -1;
}

std::string TLup6LanguageObj::ConsistencyMessage() const {
  const int slot = FindEmptySlot();
  if (slot < 0)
    return {};
  return "Konstistenztest lup6Lng fehlgeschlagen. (" + IntToText(slot) + ")";
}

std::string LangText(int slot) { return TLup6LanguageObj::Instance().GetText(slot); }

} // namespace sf6
