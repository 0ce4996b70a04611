#pragma once

// The lens/coating combinations and their list.

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/Coating.h"
#include "model/Formula.h"
#include "model/Lens.h"
#include "model/Lup6Object.h"
#include "model/Root.h"
#include "sf6/Sf6Enums.h"
#include "text/LineList.h"

namespace sf6 {

class Tlup6DataBeschichtung;

// Combinations -------------------------------------------------------------------------------

class Tlup6DataKombinationsListe;

// Which lens may (or must) be delivered with which coatings. "******" stands
// for any.
class Tlup6DataKombination : public TCustomlup6Object {
public:
  // The list that owns a Tlup6DataKombination; OwningList hands itself over as this class.
  using OwnerList = Tlup6DataKombinationsListe;
  Tlup6DataKombination(Tlup6Dataobject *root, bool assignOid, Tlup6DataKombinationsListe *owner);
  std::string GetTagName() const override { return "KO"; }
  void Clear(bool flag) override;

  TSf6Availability LB() const { return m_LB; }
  const std::string &GE() const { return m_GE; }
  const std::string &B1E() const { return m_B1E; }
  const std::string &B2E() const { return m_B2E; }
  const std::string &B3E() const { return m_B3E; }
  // Each setter stores, then calls Sort(false) of the owning list. With
  // auto-sort on, a combination whose new key equals that of one before it is
  // dropped and destroyed by that sort: do not use the pointer afterwards
  // (look the combination up again with FindCombination).
  void SetLB(TSf6Availability v);
  void SetGE(std::string_view v);
  void SetB1E(std::string_view v);
  void SetB2E(std::string_view v);
  void SetB3E(std::string_view v);
  // The sort key: PadRight(GE,6) + LB code + PadRight(B1E..B3E, 6).
  std::string SortKey() const;
  // The lookup key: the folded lens code and the three folded coating codes
  // in sorted order, so that every order of the coatings gives the same key.
  static std::string MatchKey(std::string_view lensCode, std::string_view c1, std::string_view c2,
                              std::string_view c3);
  std::string MatchKey() const;
  std::string IndexKey() const { return MatchKey(); }

private:
  friend class Tlup6DataKombinationsListe;
  void resort();
  TSf6Availability m_LB = TSf6Availability::NichtLieferbar;
  std::string m_GE, m_B1E, m_B2E, m_B3E;
};

class Tlup6DataKombinationsListe : public KeyedOwningList<Tlup6DataKombination, std::string> {
public:
  using KeyedOwningList::KeyedOwningList;
  std::string GetTagName() const override { return "KOL"; }

  // Adds the combination unless FindCombination finds it (an existing one
  // stays unchanged), then Sort(false). Returns the new or existing one; null
  // when the sort dropped the new one (its key, with codes cut to six
  // characters, equals an earlier combination's).
  Tlup6DataKombination *AddCombination(std::string_view lensCode, std::string_view coating1,
                                       TSf6Availability lb, std::string_view coating2,
                                       std::string_view coating3);
  // The FIRST combination of lensCode with the three coating codes in any
  // order (codes compared ignoring case).
  Tlup6DataKombination *FindCombination(std::string_view lensCode, std::string_view c1,
                                        std::string_view c2, std::string_view c3) const;
  // Deletes every combination naming code as a coating (nothing for an
  // empty code or one containing "*").
  void RemoveByCoating(std::string_view code);
  void RenameLens(std::string_view oldCode, std::string_view newCode);
  void RenameCoating(std::string_view oldCode, std::string_view newCode);

  // Reference scan of FindCombination (for tests and checks).
  Tlup6DataKombination *ScanCombination(std::string_view lensCode, std::string_view c1,
                                        std::string_view c2, std::string_view c3) const;

  bool AutoSort() const { return m_autoSort; }
  void SetAutoSort(bool flag);
  // With force or auto-sort: orders by SortKey; of several with the same key
  // the first (in the previous order) stays, the others are destroyed.
  void Sort(bool force);

private:
  friend class Tlup6DataKombination;
  bool m_autoSort = false;
  bool m_sorting = false;
};

} // namespace sf6
