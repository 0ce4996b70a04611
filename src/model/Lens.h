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
#include "model/Lup6Object.h"
#include "model/Root.h"
#include "sf6/Sf6Enums.h"
#include "text/LineList.h"

namespace sf6 {

class Tlup6DataGlas;

// Power ranges -----------------------------------------------------------------------

class Tlup6DataGlasWirkung : public TCustomlup6Object {
public:
  Tlup6DataGlasWirkung(Tlup6Dataobject *root, bool assignOid, Tlup6Node *owner)
      : TCustomlup6Object(root, assignOid, owner) {
    Tlup6DataGlasWirkung::Clear(false);
  }
  std::string GetTagName() const override { return "GW"; }
  // "Glaswirkung" followed by the lens code, a blank and the lens's name 1.
  std::string GetDisplayText(int kind, std::string_view name) const override;
  void Clear(bool flag) override;

  double PV = 0; // largest prism
  double SphV = 0, SphB = 0;
  double AddB = 0;
  double cylV = 0;
  double AddV = 0;
  double CylB = 0;
  TSf6AddStep AddS = TSf6AddStep::Step025;
  bool Lag = false, ELief = false, BF = false;
  TDateTime LB = 0, LA = 0;
  std::string BEDV3, BEDV2, BEDV1, BEDV5, BEDV4; // included / available coatings
  int32_t LBI = 0;                               // delivery-range ID
  int32_t LZ = 0;                                // delivery time
  TSf6Diameter DM;
  int32_t cylWV = 0, CylWB = 0; // cylinder effect on the sphere limits, percent
  bool SIP = false, DFUR = false, OLB = false;

  // Stored as given.
  void SetSph(double from, double to);
  // The smaller into cylV / AddV, the larger into CylB / AddB.
  void SetCyl(double a, double b);
  void SetAdd(double a, double b);
  // Whether the power (cyl, sph) lies in the range; the sphere limits shift
  // by cylWV / CylWB percent of cyl, the cylinder limits allow 0.001.
  bool Contains(double cyl, double sph) const;
  // The sphere limits for cylinder cyl.
  double LowerSph(double cyl) const { return SphV - cylWV / 100.0 * cyl; }
  double UpperSph(double cyl) const { return SphB - CylWB / 100.0 * cyl; }

  Tlup6DataGlas *GetLens() const;
  // The owning lens's EDV, empty without one.
  std::string GetLensCode() const;
};

class Tlup6DataGlasWirkungsListe : public Tlup6List<Tlup6DataGlasWirkung> {
public:
  using Tlup6List::Tlup6List;
  std::string GetTagName() const override { return "GWL"; }
  // The distinct LBI values of all ranges as decimal texts, sorted as text.
  LineList GetDeliveryIndexes() const;
  // The distinct diameter texts (DiameterToText) sorted as text; with filter
  // only those of ranges reaching sph / cyl / add / prism (a minus cylinder is
  // transposed first). addEmpty puts one empty entry first.
  LineList GetDiameters(bool addEmpty, bool filter, double sph, double cyl, double add,
                        double prism) const;
};

// Geometry ---------------------------------------------------------------------------

class Tlup6DataGlasGeometrie : public TCustomlup6Object {
public:
  Tlup6DataGlasGeometrie(Tlup6Dataobject *root, bool assignOid, Tlup6Node *owner)
      : TCustomlup6Object(root, assignOid, owner) {}
  std::string GetTagName() const override { return "GG"; }
  void Clear(bool flag) override;

  double BN = 0, HAFB = 0, WSV = 0, WSB = 0, ORN = 0, VANB = 0, URN = 0, HN = 0, VAFB = 0, HZ = 0,
         VAZK = 0;
  TSf6SegmentType NTT = TSf6SegmentType::C;
  double MVANB = 0, MHANP = 0;
  TSf6Diameter Dm;
  bool WK = false;
  double DM1H = 0, DM2H = 0, VAMN = 0, HAT = 0, VAT = 0;
  TSf6ViewDirection BLR = TSf6ViewDirection::Nullblickrichtung;
  double HANP = 0;
};

class Tlup6DataGlasGeometrieListe : public Tlup6List<Tlup6DataGlasGeometrie> {
public:
  using Tlup6List::Tlup6List;
  std::string GetTagName() const override { return "GGL"; }
};

// Price groups -------------------------------------------------------------------------

// Group boundaries of a lens: a flag at index n (0 .. 50, whole dioptres)
// means a sphere / cylinder group ends at n dioptres.
class Tlup6DataPreisgruppen : public TCustomlup6Object {
public:
  static constexpr int kMax = 50;
  Tlup6DataPreisgruppen(Tlup6Dataobject *root, bool assignOid, Tlup6Node *owner)
      : TCustomlup6Object(root, assignOid, owner) {}
  std::string GetTagName() const override { return "PG"; }
  void Clear(bool flag) override;

  // False / ignored outside 0 .. 50.
  bool IsSphGroup(int n) const;
  bool IsCylGroup(int n) const;
  void SetSphGroup(int n, bool flag);
  void SetCylGroup(int n, bool flag);
  // The largest index below n whose flag is set; -1 when none.
  int SphGroupBelow(int n) const;
  int CylGroupBelow(int n) const;
  // Set flags among 0 .. 50 (sphere) and among 0 .. 10 only (cylinder).
  int CountSphGroups() const;
  int CountCylGroups() const;

private:
  std::array<bool, kMax + 1> m_sph{};
  std::array<bool, kMax + 1> m_cyl{};
};

// Lens prices -----------------------------------------------------------------------------

// Key of a lens price. GSph and GCyl count as bytes (value & 0xFF).
struct LensPriceKey {
  uint8_t sph = 0;
  uint8_t cyl = 0;
  TSf6Diameter dm;
  int32_t pbid = 0;
  int32_t lbi = 0;
  friend bool operator==(const LensPriceKey &, const LensPriceKey &) = default;
};
struct LensPriceKeyHash {
  std::size_t operator()(const LensPriceKey &k) const;
};

class Tlup6DataGlasTarifListe;

class Tlup6DataGlasPreis : public TCustomlup6Object {
public:
  Tlup6DataGlasPreis(Tlup6Dataobject *root, bool assignOid, Tlup6Node *owner);
  ~Tlup6DataGlasPreis() override;
  std::string GetTagName() const override { return "GP"; }
  void Clear(bool flag) override;

  // Price source: 0 formula group, 1 fixed PR, 2 local formula.
  double PR = 0;
  uint8_t PQ = 0;

  // Key fields (kept in the price list's lookup index).
  int32_t GSph() const { return m_GSph; }
  int32_t GCyl() const { return m_GCyl; }
  const TSf6Diameter &GDM() const { return m_GDM; }
  int32_t PBID() const { return m_PBID; }
  int32_t LBI() const { return m_LBI; }
  void SetGSph(int32_t v);
  void SetGCyl(int32_t v);
  void SetGDM(const TSf6Diameter &v);
  void SetPBID(int32_t v);
  void SetLBI(int32_t v);
  LensPriceKey Key() const;

  // PR := value, PQ := 1.
  void SetPrice(double value);
  // PR when PQ is 1; else the computed value when evaluation succeeds; else 0.
  double GetPrice() const;
  // Evaluation with the root's guard (result codes in Formula.h).
  int ComputePrice(double &value, bool resetGuard) const;
  // 0 when some power range of the lens with this GDM and LBI contains one
  // of the eight corner points of the price's group; 2 otherwise and when
  // the price has no lens.
  int IsInSomeRange() const;

  Tlup6DataFormelLokalGlas *LocalFormula() const { return m_local.get(); }
  Tlup6DataGlas *GetLens() const;
  Tlup6DataGlasTarifListe *PriceList() const;

private:
  friend class Tlup6DataGlasTarifListe;
  void setKey(const LensPriceKey &key);
  int32_t m_GCyl = 0;
  int32_t m_GSph = 0;
  int32_t m_PBID = 0;
  std::unique_ptr<Tlup6DataFormelLokalGlas> m_local;
  int32_t m_LBI = 0;
  TSf6Diameter m_GDM;
};

class Tlup6DataGlasTarifListe : public Tlup6List<Tlup6DataGlasPreis> {
public:
  using Tlup6List::Tlup6List;
  std::string GetTagName() const override { return "LUP"; }

  // The last price with these key values (groups compared as bytes). With
  // create and no match, and when the list belongs to a lens whose price
  // groups have both group flags, whose root knows delivery range lbi and
  // price designation pbid: a new price with these key values. Else null.
  Tlup6DataGlasPreis *FindPrice(int sphGroup, int cylGroup, bool create, int32_t lbi, int32_t pbid,
                                const TSf6Diameter &diameter);
  // FindPrice without creating (usable on a const list).
  Tlup6DataGlasPreis *FindPrice(int sphGroup, int cylGroup, int32_t lbi, int32_t pbid,
                                const TSf6Diameter &diameter) const;
  // GetPrice of FindPrice's result; 0 without one.
  double GetPriceValue(int sphGroup, int cylGroup, bool create, int32_t lbi, int32_t pbid,
                       const TSf6Diameter &diameter);
  // Deletes every price with that PBID.
  void RemoveByPBID(int32_t id);

  Tlup6DataGlas *GetLens() const;

  // Reference answer of FindPrice by scanning (for tests and checks).
  Tlup6DataGlasPreis *ScanPrice(const LensPriceKey &key) const;

protected:
  void itemAdded(Tlup6DataGlasPreis *item) override;
  void itemRemoved(Tlup6DataGlasPreis *item) override;
  void itemsReset() override;

private:
  friend class Tlup6DataGlasPreis;
  void rekey(Tlup6DataGlasPreis *item, const LensPriceKey &oldKey);
  LastMatchIndex<LensPriceKey, Tlup6DataGlasPreis, LensPriceKeyHash> m_index;
};

// Lenses --------------------------------------------------------------------------------------

class Tlup6DataGlasliste;

class Tlup6DataGlas : public TCustomlup6Object {
public:
  Tlup6DataGlas(Tlup6Dataobject *root, bool assignOid, Tlup6Node *owner);
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

  Tlup6DataGlasGeometrieListe *Geometries() const { return m_geometries.get(); }
  Tlup6DataGlasWirkungsListe *Ranges() const { return m_ranges.get(); }
  Tlup6DataGlasTarifListe *Prices() const { return m_prices.get(); }
  Tlup6DataPreisgruppen *PriceGroups() const { return m_priceGroups.get(); }
  Tlup6DataInfo *Info() const { return m_info.get(); }
  Tlup6DataFormelZuweisung *FormulaAssignment() const { return m_assignment.get(); }
  Tlup6DataOrderOptions *OrderOptions() const { return m_orderOptions.get(); }
  Tlup6DataGlasliste *LensList() const;

private:
  friend class Tlup6DataGlasliste;
  std::string m_EDV;
  std::array<std::string, 10> m_B;
  std::array<std::string, 10> m_KB;
  int32_t m_CSNR = 0;
  std::unique_ptr<Tlup6DataGlasGeometrieListe> m_geometries;
  std::unique_ptr<Tlup6DataGlasWirkungsListe> m_ranges;
  std::unique_ptr<Tlup6DataGlasTarifListe> m_prices;
  std::unique_ptr<Tlup6DataPreisgruppen> m_priceGroups;
  std::unique_ptr<Tlup6DataInfo> m_info;
  std::unique_ptr<Tlup6DataFormelZuweisung> m_assignment;
  std::unique_ptr<Tlup6DataOrderOptions> m_orderOptions;
};

class Tlup6DataGlasliste : public Tlup6List<Tlup6DataGlas> {
public:
  using Tlup6List::Tlup6List;
  std::string GetTagName() const override { return "GLL"; }

  // AddNew, then SetCSNR(100000): the new lens ends last in the order.
  Tlup6DataGlas *AddLens();
  // Trailing blanks of code removed; the last lens with that EDV (ignoring
  // case), or null.
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
  void rekey(Tlup6DataGlas *item, const std::string &oldFolded);
  LastMatchIndex<std::string, Tlup6DataGlas> m_byCode;
  bool m_renumberOn = true;
  bool m_renumbering = false;
  // True while the numbers are exactly 0 .. Count-1 in list order; then a
  // lens appended by AddLens simply takes Count-1, which is what renumbering
  // would give, without sorting the whole list for every lens read.
  bool m_dense = true;
};

} // namespace sf6
