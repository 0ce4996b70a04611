#pragma once

// Coatings (every orderable option: coatings, tints, services, prism and
// cylinder surcharges) with their colours and prices, and the lens/coating
// combinations. Same field conventions as Lens.h.

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/Formula.h"
#include "model/Lens.h"
#include "model/Lup6Object.h"
#include "model/Root.h"
#include "sf6/Sf6Enums.h"
#include "text/LineList.h"

namespace sf6 {

class Tlup6DataBeschichtung;

// Colours --------------------------------------------------------------------------------

struct Lup6Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Lup6Rgb &, const Lup6Rgb &) = default;
};

class Tlup6DataFarbe : public TCustomlup6Object {
public:
  Tlup6DataFarbe(Tlup6Dataobject *root, bool assignOid, Tlup6Node *owner)
      : TCustomlup6Object(root, assignOid, owner) {}
  std::string GetTagName() const override { return "DFA"; }
  void Clear(bool flag) override;

  uint8_t AbV = 0, AbO = 0; // absorption top / bottom
  std::string EDV;          // colour code
  Lup6Rgb Bottom, Top, Middle;
  int32_t FK = 0;
  double UVK = 0, UVA = 0, UVB = 0;
  TSf6RoadUse Stvo = TSf6RoadUse::KeineAngabe;

  // Slots 1 .. 10 (empty / ignored outside).
  std::string GetName(int i) const;
  void SetName(int i, std::string_view text);
  std::string GetNameFallback(int i) const;

  Tlup6DataBeschichtung *GetCoating() const;

private:
  std::array<std::string, 10> m_B;
};

class Tlup6DataFarbListe : public Tlup6List<Tlup6DataFarbe> {
public:
  using Tlup6List::Tlup6List;
  std::string GetTagName() const override { return "DFL"; }
};

// Coating prices -----------------------------------------------------------------------------

class Tlup6DataBeschichtungspreisListe;

class Tlup6DataBeschichtungspreis : public TCustomlup6Object {
public:
  Tlup6DataBeschichtungspreis(Tlup6Dataobject *root, bool assignOid, Tlup6Node *owner);
  ~Tlup6DataBeschichtungspreis() override;
  std::string GetTagName() const override { return "BP"; }
  void Clear(bool flag) override;

  uint8_t PQ = 0; // 0 formula group, 1 fixed PR, 2 local formula
  double PR = 0;

  // Key fields (kept in the price list's lookup indexes).
  const std::string &Edv() const { return m_Edv; } // lens code; empty = any lens
  TSf6SphTor ST() const { return m_ST; }
  TSf6Material MAT() const { return m_MAT; }
  TSf6SingleMulti EM() const { return m_EM; }
  int32_t PBID() const { return m_PBID; }
  void SetEdv(std::string_view v);
  void SetST(TSf6SphTor v);
  void SetMAT(TSf6Material v);
  void SetEM(TSf6SingleMulti v);
  void SetPBID(int32_t v);

  // The MAT of the lens named by Edv when the root has it, else MAT.
  TSf6Material EffectiveMaterial() const;
  // EM when Edv is empty, else ordinal 0.
  TSf6SingleMulti EffectiveEM() const;

  void SetPrice(double value);
  double GetPrice() const;
  int ComputePrice(double &value, bool resetGuard) const;

  Tlup6DataFormelLokalBeschichtung *LocalFormula() const { return m_local.get(); }
  Tlup6DataBeschichtung *GetCoating() const;
  Tlup6DataBeschichtungspreisListe *PriceList() const;

private:
  struct Snapshot {
    std::string edv;
    TSf6SphTor st;
    TSf6Material mat;
    TSf6SingleMulti em;
    int32_t pbid;
  };
  Snapshot snapshot() const { return {m_Edv, m_ST, m_MAT, m_EM, m_PBID}; }
  void reindex(const Snapshot &old);
  friend class Tlup6DataBeschichtungspreisListe;
  void setKeys(std::string_view edv, TSf6SphTor st, TSf6Material mat, TSf6SingleMulti em,
               int32_t pbid);

  std::string m_Edv;
  TSf6SphTor m_ST = TSf6SphTor::Egal;
  TSf6Material m_MAT = TSf6Material::Egal;
  TSf6SingleMulti m_EM = TSf6SingleMulti::Egal;
  int32_t m_PBID = 0;
  std::unique_ptr<Tlup6DataFormelLokalBeschichtung> m_local;
};

// Index keys of coating prices.
struct CoatingLensKey { // (folded Edv, PBID), every price
  std::string edv;
  int32_t pbid = 0;
  friend bool operator==(const CoatingLensKey &, const CoatingLensKey &) = default;
};
struct CoatingTupleKey { // (ST, MAT, EM, PBID), prices with an empty Edv
  int st = 0, mat = 0, em = 0;
  int32_t pbid = 0;
  friend bool operator==(const CoatingTupleKey &, const CoatingTupleKey &) = default;
};
struct CoatingLensKeyHash {
  std::size_t operator()(const CoatingLensKey &k) const;
};
struct CoatingTupleKeyHash {
  std::size_t operator()(const CoatingTupleKey &k) const;
};

class Tlup6DataBeschichtungspreisListe : public Tlup6List<Tlup6DataBeschichtungspreis> {
public:
  using Tlup6List::Tlup6List;
  std::string GetTagName() const override { return "BPL"; }

  // Null when mat is Egal and lensCode empty. With a lensCode: the last
  // price with that Edv (ignoring case) and pbid. Without: the last price
  // with an empty Edv and that st, material, em and pbid. With create and no
  // match, when the list belongs to a coating and the root knows pbid: a new
  // price with these values.
  Tlup6DataBeschichtungspreis *FindCoatingPrice(TSf6SphTor st, TSf6SingleMulti em, bool create,
                                                std::string_view lensCode, int32_t pbid,
                                                TSf6Material mat);
  Tlup6DataBeschichtungspreis *FindCoatingPrice(TSf6SphTor st, TSf6SingleMulti em,
                                                std::string_view lensCode, int32_t pbid,
                                                TSf6Material mat) const;
  double GetCoatingPriceValue(TSf6SphTor st, TSf6SingleMulti em, bool create,
                              std::string_view lensCode, int32_t pbid, TSf6Material mat);
  // The last price with Edv = lensCode (ignoring case) and pbid; with create
  // and no match (list of a coating, pbid known): a new one bound to the lens.
  Tlup6DataBeschichtungspreis *FindLensCoatingPrice(std::string_view lensCode, int32_t pbid,
                                                    bool create);
  Tlup6DataBeschichtungspreis *FindLensCoatingPrice(std::string_view lensCode, int32_t pbid) const;

  // The price texts (cents, 7 digits) of pbids in order, for material mat.
  std::string GetPriceSignature(TSf6SphTor st, TSf6SingleMulti em,
                                const std::vector<int32_t> &pbids, TSf6Material mat) const;
  // Signatures of Silikat .. Trivex, sorted, without duplicates.
  LineList PriceSignatures(TSf6SphTor st, TSf6SingleMulti em,
                           const std::vector<int32_t> &pbids) const;
  int CountPriceSignatures(TSf6SphTor st, TSf6SingleMulti em,
                           const std::vector<int32_t> &pbids) const;
  // The materials whose signature is entry index; empty outside the range.
  TSf6MaterialSet MaterialsWithSignature(int index, TSf6SphTor st, TSf6SingleMulti em,
                                         const std::vector<int32_t> &pbids) const;

  void RemoveByPBID(int32_t id);
  Tlup6DataBeschichtung *GetCoating() const;

  // Reference scans (for tests and checks).
  Tlup6DataBeschichtungspreis *ScanCoatingPrice(TSf6SphTor st, TSf6SingleMulti em,
                                                std::string_view lensCode, int32_t pbid,
                                                TSf6Material mat) const;

protected:
  void itemAdded(Tlup6DataBeschichtungspreis *item) override;
  void itemRemoved(Tlup6DataBeschichtungspreis *item) override;
  void itemsReset() override;

private:
  friend class Tlup6DataBeschichtungspreis;
  void addKeys(Tlup6DataBeschichtungspreis *item);
  void removeKeys(const Tlup6DataBeschichtungspreis *item, const std::string &edv, int st, int mat,
                  int em, int32_t pbid);
  LastMatchIndex<CoatingLensKey, Tlup6DataBeschichtungspreis, CoatingLensKeyHash> m_byLens;
  LastMatchIndex<CoatingTupleKey, Tlup6DataBeschichtungspreis, CoatingTupleKeyHash> m_byTuple;
};

// Coatings ----------------------------------------------------------------------------------

class Tlup6DataBeschichtungsliste;

class Tlup6DataBeschichtung : public TCustomlup6Object {
public:
  Tlup6DataBeschichtung(Tlup6Dataobject *root, bool assignOid, Tlup6Node *owner);
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

  Tlup6DataFarbListe *Colours() const { return m_colours.get(); }
  Tlup6DataBeschichtungspreisListe *Prices() const { return m_prices.get(); }
  Tlup6DataInfo *Info() const { return m_info.get(); }
  Tlup6DataStrings *SpecialProducts() const { return m_specialProducts.get(); }
  Tlup6DataFormelZuweisung *FormulaAssignment() const { return m_assignment.get(); }
  Tlup6DataOrderOptions *OrderOptions() const { return m_orderOptions.get(); }
  Tlup6DataBeschichtungsliste *CoatingList() const;

private:
  friend class Tlup6DataBeschichtungsliste;
  // The distinct non-empty SF4 codes, folded (the coating's SF4 index keys).
  std::set<std::string> sf4Keys() const;
  std::string m_EDV;
  std::array<std::string, 10> m_B;
  std::array<std::string, 10> m_KB;
  std::array<std::string, 5> m_sf4Codes;
  std::array<std::string, 5> m_sf4Names;
  int32_t m_CSNR = 0;
  std::unique_ptr<Tlup6DataFarbListe> m_colours;
  std::unique_ptr<Tlup6DataBeschichtungspreisListe> m_prices;
  std::unique_ptr<Tlup6DataInfo> m_info;
  std::unique_ptr<Tlup6DataStrings> m_specialProducts;
  std::unique_ptr<Tlup6DataFormelZuweisung> m_assignment;
  std::unique_ptr<Tlup6DataOrderOptions> m_orderOptions;
};

class Tlup6DataBeschichtungsliste : public Tlup6List<Tlup6DataBeschichtung> {
public:
  using Tlup6List::Tlup6List;
  std::string GetTagName() const override { return "DBL"; }

  // Last coating with that EDV (ignoring case); null for an empty code.
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
  void itemAdded(Tlup6DataBeschichtung *item) override;
  void itemRemoved(Tlup6DataBeschichtung *item) override;
  void itemsReset() override;

private:
  friend class Tlup6DataBeschichtung;
  void indexItem(Tlup6DataBeschichtung *item);
  void unindexCode(const Tlup6DataBeschichtung *item, const std::string &folded);
  void unindexSF4(const Tlup6DataBeschichtung *item, const std::string &folded);
  LastMatchIndex<std::string, Tlup6DataBeschichtung> m_byCode;
  LastMatchIndex<std::string, Tlup6DataBeschichtung> m_bySF4;
  bool m_renumberOn = true;
  bool m_renumbering = false;
};

// Combinations -------------------------------------------------------------------------------

class Tlup6DataKombinationsListe;

// Which lens may (or must) be delivered with which coatings. "******" stands
// for any.
class Tlup6DataKombination : public TCustomlup6Object {
public:
  Tlup6DataKombination(Tlup6Dataobject *root, bool assignOid, Tlup6Node *owner)
      : TCustomlup6Object(root, assignOid, owner) {
    Tlup6DataKombination::Clear(false);
  }
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

private:
  friend class Tlup6DataKombinationsListe;
  void resort();
  void reindex(const std::string &oldKey);
  TSf6Availability m_LB = TSf6Availability::NichtLieferbar;
  std::string m_GE, m_B1E, m_B2E, m_B3E;
};

class Tlup6DataKombinationsListe : public Tlup6List<Tlup6DataKombination> {
public:
  using Tlup6List::Tlup6List;
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

protected:
  void itemAdded(Tlup6DataKombination *item) override;
  void itemRemoved(Tlup6DataKombination *item) override;
  void itemsReset() override;

private:
  friend class Tlup6DataKombination;
  LastMatchIndex<std::string, Tlup6DataKombination> m_byKey;
  bool m_autoSort = false;
  bool m_sorting = false;
};

} // namespace sf6
