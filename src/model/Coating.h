#pragma once

// Coatings (every orderable option: coatings, tints, services, prism and
// cylinder surcharges) and their list. Same field conventions as Lens.h.

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/CoatingPrice.h"
#include "model/Colour.h"
#include "model/Formula.h"
#include "model/Lens.h"
#include "model/Lup6Object.h"
#include "model/Root.h"
#include "sf6/Sf6Enums.h"
#include "text/LineList.h"

namespace sf6 {

class Tlup6DataBeschichtung;

// Coatings ----------------------------------------------------------------------------------

class Tlup6DataBeschichtungsliste;

// A coating is found by its code and by each of its SF4 codes (all A-Z
// folded; empty SF4 codes are not keys).
struct CoatingKey {
  std::string code;
  std::set<std::string> sf4Codes;
  friend bool operator==(const CoatingKey &, const CoatingKey &) = default;
};
struct CoatingKeyHash {
  std::size_t operator()(const CoatingKey &k) const { return std::hash<std::string>{}(k.code); }
};

class Tlup6DataBeschichtung : public TCustomlup6Object {
public:
  // The list that owns a Tlup6DataBeschichtung; OwningList hands itself over as this class.
  using OwnerList = Tlup6DataBeschichtungsliste;
  Tlup6DataBeschichtung(Tlup6Dataobject *root, bool assignOid, Tlup6DataBeschichtungsliste *owner);
  ~Tlup6DataBeschichtung() override;
  std::string GetTagName() const override { return "BESCH"; }
  void Clear(bool flag) override;

  bool ATOR = false, BTOR = false, UV = false, PH = false, BF = false;
  TSf6ThicknessChange AD = TSf6ThicknessChange::Nein;
  TSf6FormChange AF = TSf6FormChange::Nein;
  bool DEZ = false, HA = false;
  TSf6AntiReflection ET = TSf6AntiReflection::Keine;
  TSf6Edging ER = TSf6Edging::Nein;
  bool BENT = false, PRH = false, MATT = false;
  TSf6RoadUse Stvo = TSf6RoadUse::KeineAngabe;
  TSf6DiameterChange ADU = TSf6DiameterChange::Nein;
  int32_t FK = 0;
  bool WAL = false;
  TSf6Tint FA = TSf6Tint::Keine;
  bool VS = false, ADB = false, CL = false;
  double UVB = 0, UVK = 0, UVA = 0;
  TDateTime LB = 0, LA = 0;
  bool AAD = false;
  TSf6MaterialSet MAT;
  TSf6BrandClass ME = TSf6BrandClass::Standard;
  bool Vers = false;
  double SphVon = -99.99, SphBis = 99.99;
  int32_t DMVon = 0, DMBis = 99;
  bool STEG = true, EMEG = true;
  int32_t FKB = 0;
  bool OLB = false;

  const std::string &EDV() const { return m_EDV; }
  // Combinations and product groups follow the new code (see Tlup6DataGlas).
  void SetEDV(std::string_view code);
  // The keys the coating list indexes the coating by.
  CoatingKey IndexKey() const;

  // Special coatings (Z1..Z3, P1..P6) give their derived name and ignore
  // SetName.
  std::string GetName(int i) const;
  void SetName(int i, std::string_view text);
  std::string GetShortName(int i) const;
  void SetShortName(int i, std::string_view text);
  std::string GetNameFallback(int i) const;
  std::string GetShortNameFallback(int i) const;

  // SF4 code and name per TSf6Material ordinal 0 .. 4 (empty / ignored outside).
  std::string GetSF4Code(int m) const;
  void SetSF4Code(int m, std::string_view text);
  std::string GetSF4Name(int m) const;
  void SetSF4Name(int m, std::string_view text);

  bool IsPrismCode() const;
  bool IsCylinderCode() const;
  bool IsSpecial() const { return IsPrismCode() || IsCylinderCode(); }
  void SetSTEG(bool flag) { STEG = flag; }
  void SetEMEG(bool flag) { EMEG = flag; }
  // 0 anti-reflection, 1 tint, 3 special coating, 2 anything else.
  int GetCategory() const;

  int32_t CSNR() const { return m_CSNR; }
  void SetCSNR(int32_t n);

  LineList GetProductGroupNames(bool deliverable) const;

  Tlup6DataFarbListe &Colours() { return m_colours; }
  const Tlup6DataFarbListe &Colours() const { return m_colours; }
  Tlup6DataBeschichtungspreisListe &Prices() { return m_prices; }
  const Tlup6DataBeschichtungspreisListe &Prices() const { return m_prices; }
  Tlup6DataInfo &Info() { return m_info; }
  const Tlup6DataInfo &Info() const { return m_info; }
  Tlup6DataStrings &SpecialProducts() { return m_specialProducts; }
  const Tlup6DataStrings &SpecialProducts() const { return m_specialProducts; }
  Tlup6DataFormelZuweisung &FormulaAssignment() { return m_assignment; }
  const Tlup6DataFormelZuweisung &FormulaAssignment() const { return m_assignment; }
  Tlup6DataOrderOptions &OrderOptions() { return m_orderOptions; }
  const Tlup6DataOrderOptions &OrderOptions() const { return m_orderOptions; }
  Tlup6DataBeschichtungsliste *CoatingList() const;

private:
  friend class Tlup6DataBeschichtungsliste;
  void clearFields(bool flag);
  // The distinct non-empty SF4 codes, folded (the coating's SF4 index keys).
  std::string m_EDV;
  std::array<std::string, 10> m_B;
  std::array<std::string, 10> m_KB;
  std::array<std::string, 5> m_sf4Codes;
  std::array<std::string, 5> m_sf4Names;
  int32_t m_CSNR = 0;
  Tlup6DataFarbListe m_colours;
  Tlup6DataBeschichtungspreisListe m_prices;
  Tlup6DataInfo m_info;
  Tlup6DataStrings m_specialProducts;
  Tlup6DataFormelZuweisung m_assignment;
  Tlup6DataOrderOptions m_orderOptions;
};

class Tlup6DataBeschichtungsliste
    : public KeyedOwningList<Tlup6DataBeschichtung, CoatingKey, CoatingKeyHash> {
public:
  using KeyedOwningList::KeyedOwningList;
  std::string GetTagName() const override { return "DBL"; }

  // The last coating whose EDV equals code without its trailing blanks (A-Z
  // without regard to case); null for a code of blanks only.
  Tlup6DataBeschichtung *FindByCode(std::string_view code) const;
  Tlup6DataBeschichtung *FindByName(std::string_view name, int slot) const;
  // Last coating one of whose SF4 codes is code; null for an empty code.
  Tlup6DataBeschichtung *FindBySF4Code(std::string_view code) const;
  // The last material index of the found coating whose SF4 code is code; 1
  // without such a coating.
  int GetSF4Material(std::string_view code) const;
  // EDV of the coating found by FindBySF4Code, else code itself.
  std::string MapSF4Code(std::string_view code) const;
  // Name 1 of the coating with that code, else empty.
  std::string GetNameByCode(std::string_view code) const;

  // Cascade into combinations and product groups, then remove and destroy.
  void RemoveCoating(Tlup6DataBeschichtung *coating);
  // Destroys all; with withDefaults adds the nine special coatings.
  void ClearList(bool withDefaults) override;
  // Z1, Z2, Z3, P1 .. P6: each added when missing (replace: removed first).
  void AddSpecialCoatings(bool replace);

  void SetRenumbering(bool on) { m_renumberOn = on; }
  void Renumber(const Tlup6DataBeschichtung *changed);

  // Reference scans (for tests and checks).
  Tlup6DataBeschichtung *ScanByCode(std::string_view code) const;
  Tlup6DataBeschichtung *ScanBySF4Code(std::string_view code) const;

protected:
  void indexAdd(const CoatingKey &key, Tlup6DataBeschichtung *item) override;
  void indexRemove(const CoatingKey &key, const Tlup6DataBeschichtung *item) override;
  void indexClear() override;

private:
  friend class Tlup6DataBeschichtung;
  LastMatchIndex<std::string, Tlup6DataBeschichtung> m_byCode{itemMemory()};
  LastMatchIndex<std::string, Tlup6DataBeschichtung> m_bySF4{itemMemory()};
  bool m_renumberOn = true;
  bool m_renumbering = false;
};

} // namespace sf6

// Combinations are declared with the coatings they name.
#include "model/Combination.h"
