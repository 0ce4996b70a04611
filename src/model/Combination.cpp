#include "model/Combination.h"
#include "model/Coating.h"

#include <algorithm>
#include <map>
#include <set>

#include "lang/LanguageTable.h"
#include "model/NameSlots.h"
#include "model/PriceSource.h"
#include "text/Collation.h"

namespace sf6 {

// Combinations ------------------------------------------------------------------------------------

void Tlup6DataKombination::Clear(bool) {
  ChangeIndexedFields(*this, [&] {
    m_LB = TSf6Availability::NichtLieferbar;
    m_GE = m_B1E = m_B2E = m_B3E = "******";
  });
  resort();
}

std::string Tlup6DataKombination::MatchKey(std::string_view lensCode, std::string_view c1,
                                           std::string_view c2, std::string_view c3) {
  std::string codes[3] = {FoldCode(c1), FoldCode(c2), FoldCode(c3)};
  std::sort(std::begin(codes), std::end(codes));
  std::string key = FoldCode(lensCode);
  for (const auto &c : codes) {
    key += '\0';
    key += c;
  }
  return key;
}

std::string Tlup6DataKombination::MatchKey() const {
  return MatchKey(m_GE, m_B1E, m_B2E, m_B3E);
}

void Tlup6DataKombination::resort() {
  if (auto *list = static_cast<Tlup6DataKombinationsListe *>(Owner());
      list != nullptr && listSeq() != 0)
    list->Sort(false);
}

void Tlup6DataKombination::SetLB(TSf6Availability v) {
  m_LB = v;
  resort();
}
void Tlup6DataKombination::SetGE(std::string_view v) {
  ChangeIndexedFields(*this, [&] { m_GE = v; });
  resort();
}
void Tlup6DataKombination::SetB1E(std::string_view v) {
  ChangeIndexedFields(*this, [&] { m_B1E = v; });
  resort();
}
void Tlup6DataKombination::SetB2E(std::string_view v) {
  ChangeIndexedFields(*this, [&] { m_B2E = v; });
  resort();
}
void Tlup6DataKombination::SetB3E(std::string_view v) {
  ChangeIndexedFields(*this, [&] { m_B3E = v; });
  resort();
}

std::string Tlup6DataKombination::SortKey() const {
  return PadRight(m_GE, 6) + IntToText(EnumCode(m_LB)) + PadRight(m_B1E, 6) + PadRight(m_B2E, 6) +
         PadRight(m_B3E, 6);
}

Tlup6DataKombination *Tlup6DataKombinationsListe::FindCombination(std::string_view lensCode,
                                                                  std::string_view c1,
                                                                  std::string_view c2,
                                                                  std::string_view c3) const {
  // The three codes in any of the six orders: the same codes as a multiset.
  return m_index.FindFirst(Tlup6DataKombination::MatchKey(lensCode, c1, c2, c3));
}

Tlup6DataKombination *Tlup6DataKombinationsListe::ScanCombination(std::string_view lensCode,
                                                                  std::string_view c1,
                                                                  std::string_view c2,
                                                                  std::string_view c3) const {
  return FindFirst([&](const Tlup6DataKombination &k) {
    if (!SameCode(k.GE(), lensCode))
      return false;
    const std::string_view have[3] = {k.B1E(), k.B2E(), k.B3E()};
    const std::string_view want[3] = {c1, c2, c3};
    static constexpr int perms[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2},
                                        {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    for (const auto &p : perms)
      if (SameCode(have[0], want[p[0]]) && SameCode(have[1], want[p[1]]) &&
          SameCode(have[2], want[p[2]]))
        return true;
    return false;
  });
}

Tlup6DataKombination *Tlup6DataKombinationsListe::AddCombination(std::string_view lensCode,
                                                                 std::string_view coating1,
                                                                 TSf6Availability lb,
                                                                 std::string_view coating2,
                                                                 std::string_view coating3) {
  if (Tlup6DataKombination *existing = FindCombination(lensCode, coating1, coating2, coating3))
    return existing;
  Tlup6DataKombination *k = AddNew();
  // Fields first, one sort at the end: sorting on every field would compare
  // half-filled keys and could drop the new combination as a duplicate.
  ChangeIndexedFields(*k, [&] {
    k->m_GE = lensCode;
    k->m_B1E = coating1;
    k->m_B2E = coating2;
    k->m_B3E = coating3;
    k->m_LB = lb;
  });
  if (!m_autoSort)
    return k;
  // Sorting may drop the new combination when its key (codes cut to six
  // characters) equals an earlier one's; look it up again.
  Sort(false);
  return FindCombination(lensCode, coating1, coating2, coating3);
}

void Tlup6DataKombinationsListe::RemoveByCoating(std::string_view code) {
  if (code.empty() || code.find('*') != std::string_view::npos)
    return;
  RemoveIf([&](const Tlup6DataKombination &k) {
    return SameCode(k.B1E(), code) || SameCode(k.B2E(), code) || SameCode(k.B3E(), code);
  });
}

void Tlup6DataKombinationsListe::RenameLens(std::string_view oldCode, std::string_view newCode) {
  for (auto &k : *this)
    if (SameCode(k.m_GE, oldCode))
      ChangeIndexedFields(k, [&] { k.m_GE = newCode; });
  Sort(false);
}

void Tlup6DataKombinationsListe::RenameCoating(std::string_view oldCode, std::string_view newCode) {
  for (auto &k : *this)
    ChangeIndexedFields(k, [&] {
      for (std::string *code : {&k.m_B1E, &k.m_B2E, &k.m_B3E})
        if (SameCode(*code, oldCode))
          *code = newCode;
    });
  Sort(false);
}

void Tlup6DataKombinationsListe::SetAutoSort(bool flag) {
  m_autoSort = flag;
  if (flag)
    Sort(true);
}

void Tlup6DataKombinationsListe::Sort(bool force) {
  if ((!force && !m_autoSort) || m_sorting)
    return;
  m_sorting = true;
  std::vector<ItemPtr> items = takeAll();
  // Sorted key list refusing duplicates: the first in the previous order
  // keeps its place, later ones with the same key are destroyed.
  std::map<std::string, ItemPtr, CodeTextLess> byKey;
  std::vector<ItemPtr> dropped;
  for (auto &k : items) {
    std::string key = k->SortKey();
    auto [it, inserted] = byKey.try_emplace(std::move(key), nullptr);
    if (inserted)
      it->second = std::move(k);
    else
      dropped.push_back(std::move(k));
  }
  std::vector<ItemPtr> ordered;
  ordered.reserve(byKey.size());
  for (auto &entry : byKey)
    ordered.push_back(std::move(entry.second));
  putBack(std::move(ordered));
  m_sorting = false;
  dropped.clear();
}

Tlup6DataKombination::Tlup6DataKombination(Tlup6Dataobject *root, bool assignOid,
                                           Tlup6DataKombinationsListe *owner)
    : TCustomlup6Object(root, assignOid, owner) {
  Tlup6DataKombination::Clear(false);
}

} // namespace sf6
