#pragma once

// Lenses with their power ranges, geometry records, prices and price-group
// boundaries.
//
// Units: sphere, cylinder, addition in dioptres, prism in cm/m (doubles);
// diameters in whole millimetres; dates as day counts.
//
// Fields are public members named by their storage keys, except where a
// change has effects (lookup indexes, cascades, renumbering): those are read
// through a getter of the same name and changed through Set<Name>.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/Formula.h"
#include "model/LensGeometry.h"
#include "model/LensPrice.h"
#include "model/Lup6Object.h"
#include "model/PowerRange.h"
#include "model/PriceGroup.h"
#include "model/Root.h"
#include "sf6/Sf6Enums.h"
#include "text/LineList.h"

namespace sf6 {

class Tlup6DataGlas;

// Lenses --------------------------------------------------------------------------------------

class Tlup6DataGlasliste;

class Tlup6DataGlas : public TCustomlup6Object {
public:
  // The list that owns a Tlup6DataGlas; OwningList hands itself over as this class.
  using OwnerList = Tlup6DataGlasliste;
  Tlup6DataGlas(Tlup6Dataobject *root, bool assignOid, Tlup6DataGlasliste *owner);
  ~Tlup6DataGlas() override;
  std::string GetTagName() const override { return "GL"; }
  // "Glas <name 1>(<code>)".
  std::string GetDisplayText(int kind, std::string_view name) const override;
  // Every field to its default, owned lists and objects cleared (order
  // options kept), MAT Silikat.
  void Clear(bool flag) override;

  const std::string &EDV() const { return m_EDV; }
  // With an old code that differs (ignoring case) and a root: combinations
  // and product groups follow the new code. Then EDV := code.
  void SetEDV(std::string_view code);
  // The key the lens list indexes the lens by: the code, A-Z folded.
  std::string IndexKey() const { return FoldCode(m_EDV); }

  // Names and short names, slots 1 .. 10 (empty / ignored outside).
  std::string GetName(int i) const;
  void SetName(int i, std::string_view text);
  std::string GetShortName(int i) const;
  void SetShortName(int i, std::string_view text);
  // Slot i, else the next lower non-empty slot down to 1.
  std::string GetNameFallback(int i) const;
  std::string GetShortNameFallback(int i) const;

  int32_t CSNR() const { return m_CSNR; }
  // Stores n and renumbers the list (positions 0 .. Count-1; this lens goes in
  // front of one that had the same number).
  void SetCSNR(int32_t n);

  // BEZ of the product groups in which this lens is (not) deliverable.
  LineList GetProductGroupNames(bool deliverable) const;

  double AB = 0, BR = 0, DI = 0;
  bool AS = false;
  TSf6LensKind EM = TSf6LensKind::Einstaerken;
  TSf6BrandClass ME = TSf6BrandClass::Standard;
  TSf6Material MAT = TSf6Material::Silikat;
  bool ST = false, AG = false;
  TDateTime LA = 0, LB = 0;
  double UVK = 0, UVB = 0, UVA = 0;
  TSf6SingleLensOrder EGB = TSf6SingleLensOrder::NichtMoeglich;
  int32_t FK = 0, FKB = 0;
  TSf6RoadUse STV = TSf6RoadUse::KeineAngabe;
  bool UV = false, MDM = false;
  TSf6AntiReflection ET = TSf6AntiReflection::Keine;
  bool HA = false, VS = false, AD = false;
  TSf6Tint FA = TSf6Tint::Keine;
  bool CL = false, PH = false;
  TSf6Inclusion KDM = TSf6Inclusion::NichtInklusive;
  int32_t AGKB = 100, AGKG = 100;
  bool Vers = false, Pri = false, EG = false, TS = false;
  int32_t EdDmA = 0, KDMA = 0, KMDM = 0;

  Tlup6DataGlasGeometrieListe &Geometries() { return m_geometries; }
  const Tlup6DataGlasGeometrieListe &Geometries() const { return m_geometries; }
  Tlup6DataGlasWirkungsListe &Ranges() { return m_ranges; }
  const Tlup6DataGlasWirkungsListe &Ranges() const { return m_ranges; }
  Tlup6DataGlasTarifListe &Prices() { return m_prices; }
  const Tlup6DataGlasTarifListe &Prices() const { return m_prices; }
  Tlup6DataPreisgruppen &PriceGroups() { return m_priceGroups; }
  const Tlup6DataPreisgruppen &PriceGroups() const { return m_priceGroups; }
  Tlup6DataInfo &Info() { return m_info; }
  const Tlup6DataInfo &Info() const { return m_info; }
  Tlup6DataFormelZuweisung &FormulaAssignment() { return m_assignment; }
  const Tlup6DataFormelZuweisung &FormulaAssignment() const { return m_assignment; }
  Tlup6DataOrderOptions &OrderOptions() { return m_orderOptions; }
  const Tlup6DataOrderOptions &OrderOptions() const { return m_orderOptions; }
  Tlup6DataGlasliste *LensList() const;

private:
  friend class Tlup6DataGlasliste;
  std::string m_EDV;
  std::array<std::string, 10> m_B;
  std::array<std::string, 10> m_KB;
  int32_t m_CSNR = 0;
  Tlup6DataGlasGeometrieListe m_geometries;
  Tlup6DataGlasWirkungsListe m_ranges;
  Tlup6DataGlasTarifListe m_prices;
  Tlup6DataPreisgruppen m_priceGroups;
  Tlup6DataInfo m_info;
  Tlup6DataFormelZuweisung m_assignment;
  Tlup6DataOrderOptions m_orderOptions;
};

class Tlup6DataGlasliste : public KeyedOwningList<Tlup6DataGlas, std::string> {
public:
  using KeyedOwningList::KeyedOwningList;
  std::string GetTagName() const override { return "GLL"; }

  // AddNew, then SetCSNR(100000): the new lens ends last in the order.
  Tlup6DataGlas *AddLens();
  // The last lens whose EDV equals code without its trailing blanks (A-Z
  // without regard to case); null for a code of blanks only.
  Tlup6DataGlas *FindByCode(std::string_view code) const;
  Tlup6DataGlas *ScanByCode(std::string_view code) const; // reference scan

  // Renumbering by CSNR (see Tlup6DataGlas::SetCSNR); can be switched off
  // while a list is loaded and run once afterwards.
  void SetRenumbering(bool on) { m_renumberOn = on; }
  void Renumber(const Tlup6DataGlas *changed);

protected:
  void itemAdded(Tlup6DataGlas *item) override;
  void itemRemoved(Tlup6DataGlas *item) override;
  void itemsReset() override;

private:
  friend class Tlup6DataGlas;
  bool m_renumberOn = true;
  bool m_renumbering = false;
  // True while the numbers are exactly 0 .. Count-1 in list order; then a
  // lens appended by AddLens simply takes Count-1, which is what renumbering
  // would give, without sorting the whole list for every lens read.
  bool m_dense = true;
};

} // namespace sf6
