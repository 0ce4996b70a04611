#pragma once

// Price formulas: formula groups with their ranges and calculations, the
// local formulas of single prices, formula assignments, variables, and the
// catalog-wide delivery-range names and prism/cylinder limits.
//
// Price evaluation results: 0 = success, 1 = no value, 2 = cycle (the price
// is already being evaluated further up).

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "model/Lup6Object.h"
#include "sf6/Sf6Enums.h"
#include "text/LineList.h"

namespace sf6 {

class Tlup6DataGlasPreis;
class Tlup6DataBeschichtungspreis;
class Tlup6DataGlas;
class Tlup6DataBeschichtung;

enum PriceResult : int { kPriceOk = 0, kPriceNoValue = 1, kPriceCycle = 2 };

// Runs evaluate(root, value) for price under its root's evaluation guard:
// value starts at 0; a price without a root gives kPriceNoValue; a price that
// is already being evaluated further up (a cycle through formulas and local
// sources) gives kPriceCycle. resetGuard starts a new evaluation from the top.
// Work is bounded, so that a damaged or hostile catalog cannot stall an
// export: an evaluation nested deeper than kMaxPriceEvaluationDepth, or one
// that would take more than kMaxPriceEvaluationSteps evaluations since the
// outermost one began, gives kPriceNoValue (the price then counts as 0).
// Catalogs derive a price in a few steps; only chains of formulas hundreds of
// prices long, or formula groups whose sources are evaluated again and again
// (each level evaluates its source twice, so the work doubles per level),
// reach the bounds.
inline constexpr std::size_t kMaxPriceEvaluationDepth = 256;
inline constexpr std::size_t kMaxPriceEvaluationSteps = 20000;
int GuardedPriceEvaluation(
    const TCustomlup6Object &price, bool resetGuard, double &value,
    const std::function<int(Tlup6Dataobject &root, double &value)> &evaluate);

// Calculation: four steps and a rounding ---------------------------------------------

class Tlup6DataFormelCalc : public TCustomlup6Object {
public:
  Tlup6DataFormelCalc(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : TCustomlup6Object(root, assignOid, owner) {}
  std::string GetTagName() const override { return "DFOC"; }
  void Clear(bool flag) override;

  // Step n: x := x op VALn (operators 1..5) or x op the value of variable
  // VARn (6..10); operator 0 and codes above 10 leave x unchanged. Then FRT
  // rounds (halves to even): 1 to 0.05, 2 to 0.1, 3 to 0.5, 4 to 1, 5 to 2,
  // 6 to 5; 0 and other codes leave the value. An unknown variable counts 0.
  double Evaluate(double x) const;

  double VAL1 = 0, VAL4 = 0, VAL3 = 0, VAL2 = 0;
  uint8_t FI1 = 0, FI2 = 0, FI3 = 0, FI4 = 0;
  uint16_t VAR3 = 0, VAR2 = 0, VAR4 = 0, VAR1 = 0;
  uint8_t FRT = 0;
};

// Formula ranges and groups ------------------------------------------------------------

class Tlup6DataFormelBereich : public TCustomlup6Object {
public:
  Tlup6DataFormelBereich(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner);
  ~Tlup6DataFormelBereich() override;
  std::string GetTagName() const override { return "DFOB"; }
  void Clear(bool flag) override;

  // All bounds inclusive; EL 0 any diameter, 1 elliptic only, 2 non-elliptic.
  bool Matches(const TSf6Diameter &diameter, int cylGroup, int sphGroup, double sourcePrice) const;

  double QPRV = 0, QPRB = 10000;
  double SphV = 0, SphB = 50;
  int32_t DMV = 0, DMB = 99;
  int32_t EL = 0;
  double CylV = 0, CylB = 25;
  Tlup6DataFormelCalc &Calc() { return m_calc; }
  const Tlup6DataFormelCalc &Calc() const { return m_calc; }

private:
  Tlup6DataFormelCalc m_calc;
};

class Tlup6DataFormelBereichListe : public OwningList<Tlup6DataFormelBereich> {
public:
  using OwningList::OwningList;
  std::string GetTagName() const override { return "DFC"; }
};

class Tlup6DataFormelGruppeListe;

// A formula group computes the prices of target designation AZPBID from the
// prices of source designation QPBID, for the lens kinds / coating categories
// and materials whose applicability flag is set.
class Tlup6DataFormelGruppe : public TCustomlup6Object {
public:
  // The list that owns a Tlup6DataFormelGruppe; OwningList hands itself over as this class.
  using OwnerList = Tlup6DataFormelGruppeListe;
  Tlup6DataFormelGruppe(Tlup6Dataobject *root, bool assignOid, Tlup6DataFormelGruppeListe *owner);
  ~Tlup6DataFormelGruppe() override;
  std::string GetTagName() const override { return "DFGG"; }
  void Clear(bool flag) override;

  std::string KB; // short name
  uint16_t QPBID = 0;
  uint16_t AZPBID = 0;

  int32_t ID() const { return m_ID; }
  // Stores id; 0, or an id another group of the list has, becomes the
  // list's NextFreeID().
  void SetID(int32_t id);

  // Lens flags: em = TSf6LensKind ordinal 0..4, mat = TSf6Material 1..4.
  // Coating flags: category 0..3 (Tlup6DataBeschichtung::GetCategory), mat
  // 1..4. Outside those ranges getters give false and setters do nothing.
  bool GetLensFlag(int em, int mat) const;
  void SetLensFlag(int em, int mat, bool flag);
  bool GetCoatingFlag(int category, int mat) const;
  void SetCoatingFlag(int category, int mat, bool flag);

  bool AppliesToLens(int32_t pbid, int em, int mat) const;
  bool AppliesToCoating(int32_t pbid, int category, int mat) const;
  // The first range that Matches / whose QPRV <= sourcePrice <= QPRB.
  Tlup6DataFormelBereich *FindRange(const TSf6Diameter &diameter, int cylGroup, int sphGroup,
                                    double sourcePrice) const;
  Tlup6DataFormelBereich *FindRangeByPrice(double sourcePrice) const;

  Tlup6DataFormelBereichListe &Ranges() { return m_ranges; }
  const Tlup6DataFormelBereichListe &Ranges() const { return m_ranges; }
  Tlup6DataFormelGruppeListe *GroupList() const;

private:
  int32_t m_ID = 0;
  std::array<std::array<bool, 4>, 5> m_lensFlags{};
  std::array<std::array<bool, 4>, 4> m_coatingFlags{};
  Tlup6DataFormelBereichListe m_ranges;
};

class Tlup6DataFormelGruppeListe : public OwningList<Tlup6DataFormelGruppe> {
public:
  using OwningList::OwningList;
  std::string GetTagName() const override { return "DFLG"; }

  // The FIRST group with that ID, or null.
  Tlup6DataFormelGruppe *FindByID(int32_t id) const;
  // Largest ID + 1; 1 for an empty list.
  int32_t NextFreeID() const;

  // The group that computes price: the one the item's formula assignment
  // names, else the first group that applies and finds a range for the
  // source price. Null when none.
  Tlup6DataFormelGruppe *FindGroupForLensPrice(const Tlup6DataGlasPreis &price) const;
  Tlup6DataFormelGruppe *FindGroupForCoatingPrice(const Tlup6DataBeschichtungspreis &price) const;
  // Result codes as above; value 0 unless the result is 0.
  int ComputeLensPrice(const Tlup6DataGlasPreis &price, double &value) const;
  int ComputeCoatingPrice(const Tlup6DataBeschichtungspreis &price, double &value) const;
};

// Local formulas ---------------------------------------------------------------------

// The local formula of a lens price: the source price is another price named
// by these fields, each of which can inherit the owning price's value.
class Tlup6DataFormelLokalGlas : public TCustomlup6Object {
public:
  // Its own object number and its calculation's (see LazyPart).
  static constexpr int kOidCount = 2;
  void TakeReservedOids(int32_t first);
  Tlup6DataFormelLokalGlas(Tlup6Dataobject *root, bool assignOid, Tlup6DataGlasPreis *owner);
  ~Tlup6DataFormelLokalGlas() override;
  std::string GetTagName() const override { return "DFGL"; }
  void Clear(bool flag) override;

  int8_t QCyl = -1;   // negative: the price's GCyl
  int8_t QSph = -1;   // negative: the price's GSph
  std::string QGEdv;  // empty: the price's lens
  int32_t QPBID = -1; // negative: the price's PBID
  int32_t QLBI = -1;  // negative: the price's LBI
  TSf6Diameter QDM;   // First 0: the price's GDM
  Tlup6DataFormelCalc &Calc() { return m_calc; }
  const Tlup6DataFormelCalc &Calc() const { return m_calc; }

  // The owning price, null when owned by something else.
  Tlup6DataGlasPreis *GetPrice() const;
  // Source fields with the inherit rules applied (the raw value without an
  // owning price).
  int ResolvedCyl() const;
  int ResolvedSph() const;
  std::string ResolvedLensCode() const;
  int32_t ResolvedPBID() const;
  int32_t ResolvedLBI() const;
  TSf6Diameter ResolvedDM() const;

  // Evaluates the calculation on the source price's value; result code.
  int ComputeLocal(double &value) const;

private:
  Tlup6DataFormelCalc m_calc;
};

// The local formula of a coating price.
class Tlup6DataFormelLokalBeschichtung : public TCustomlup6Object {
public:
  // Its own object number and its calculation's (see LazyPart).
  static constexpr int kOidCount = 2;
  void TakeReservedOids(int32_t first);
  Tlup6DataFormelLokalBeschichtung(Tlup6Dataobject *root, bool assignOid,
                                   Tlup6DataBeschichtungspreis *owner);
  ~Tlup6DataFormelLokalBeschichtung() override;
  std::string GetTagName() const override { return "DFBL"; }
  void Clear(bool flag) override;

  std::string QSP;     // not empty: the source price bound to this lens code
  int32_t QSphTor = 0; // negative: the price's ST
  int32_t QEM = 0;     // negative: the price's effective EM
  int32_t QMat = 0;    // >= -1: that material (outside 0..4 Silikat); < -1 inherit
  std::string QEdv;    // empty: the price's coating
  int32_t QPBID = 0;   // negative: the price's PBID
  Tlup6DataFormelCalc &Calc() { return m_calc; }
  const Tlup6DataFormelCalc &Calc() const { return m_calc; }

  Tlup6DataBeschichtungspreis *GetPrice() const;
  TSf6SphTor ResolvedSphTor() const;
  TSf6SingleMulti ResolvedEM() const;
  TSf6Material ResolvedMaterial() const;
  std::string ResolvedCoatingCode() const;
  int32_t ResolvedPBID() const;

  int ComputeLocal(double &value) const;

private:
  Tlup6DataFormelCalc m_calc;
};

// Formula assignment -----------------------------------------------------------------

// Explicit formula groups of a lens or coating: entries
// "<price designation ID>x<formula group ID>x<material code>".
class Tlup6DataFormelZuweisung : public TCustomlup6Object {
public:
  Tlup6DataFormelZuweisung(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : TCustomlup6Object(root, assignOid, owner) {}
  std::string GetTagName() const override { return "FZU"; }
  void Clear(bool) override { FZUE.clear(); }

  LineList FZUE;

  // The group ID of the first entry for (pbid, material code of mat); 0 when
  // none.
  int32_t FindAssignedGroupID(int32_t pbid, TSf6Material mat) const;
  // That group in the root's formula groups; null without a root.
  Tlup6DataFormelGruppe *FindAssignedGroup(int32_t pbid, TSf6Material mat) const;
};

// Variables ----------------------------------------------------------------------------

class Tlup6DataVariable : public TCustomlup6Object {
public:
  Tlup6DataVariable(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : TCustomlup6Object(root, assignOid, owner) {}
  std::string GetTagName() const override { return "DV"; }
  void Clear(bool flag) override;

  double W = 0;
  int32_t Id = 0;
  std::string Bez;
};

class Tlup6DataVariableliste : public OwningList<Tlup6DataVariable> {
public:
  using OwningList::OwningList;
  std::string GetTagName() const override { return "DVL"; }
  // AddNew with Id := largest Id + 1 (at least 1).
  Tlup6DataVariable *AddNext();
  // W of the last variable with that Id; 0 when none.
  double GetValue(int32_t id) const;
};

// Delivery-range names -------------------------------------------------------------------

class Tlup6DataLieferbereichsbezeichnung : public TCustomlup6Object {
public:
  Tlup6DataLieferbereichsbezeichnung(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : TCustomlup6Object(root, assignOid, owner) {}
  std::string GetTagName() const override { return "LBB"; }
  void Clear(bool flag) override;

  std::string Bez;
  int32_t ID = 0;
};

class Tlup6DataLieferbereichsbezeichnungsliste
    : public OwningList<Tlup6DataLieferbereichsbezeichnung> {
public:
  using OwningList::OwningList;
  std::string GetTagName() const override { return "LBBL"; }
  // AddNew with ID := largest ID + 1, the largest starting at 0.
  Tlup6DataLieferbereichsbezeichnung *AddNext();
  // The last entry with that ID, or null.
  Tlup6DataLieferbereichsbezeichnung *FindByID(int32_t id) const;
  // With withDefaults: one entry "Standardlieferbereich" with ID 0.
  void ClearList(bool withDefaults) override;
};

// Prism / cylinder limits -------------------------------------------------------------------

// Limits used in the names of the special coatings P1..P6 (prism, cm/m) and
// Z1..Z3 (cylinder, dioptres); ZB is carried to SF6 as it is.
class Tlup6DataPrismenCylinder : public TCustomlup6Object {
public:
  Tlup6DataPrismenCylinder(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : TCustomlup6Object(root, assignOid, owner) {
    Tlup6DataPrismenCylinder::Clear(false);
  }
  std::string GetTagName() const override { return "PC"; }
  // PG1 3, PG2 6, PG3 10, PG4 15, PG5 0, ZG1 6, ZG2 8, ZB 4.
  void Clear(bool flag) override;

  int32_t PG2 = 6, ZB = 4, PG1 = 3, PG3 = 10, PG5 = 0, PG4 = 15, ZG1 = 6, ZG2 = 8;
};

} // namespace sf6
