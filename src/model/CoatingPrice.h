#pragma once

// Coating prices: per coating, the price of each price column by sphere/toric,
// single/multifocal and material, or bound to one lens; with their indexes.

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/Formula.h"
#include "model/LazyPart.h"
#include "model/Lens.h"
#include "model/Lup6Object.h"
#include "model/Root.h"
#include "sf6/Sf6Enums.h"
#include "text/LineList.h"

namespace sf6 {

class Tlup6DataBeschichtung;

// Coating prices -----------------------------------------------------------------------------

class Tlup6DataBeschichtungspreisListe;

// Index keys of coating prices. A price is looked up by its lens code and
// price column (every price) or, when it names no lens, by the rest of its key.
struct CoatingPriceKey { // the whole key: folded Edv, ST, MAT, EM, PBID
  std::string edv;
  int st = 0, mat = 0, em = 0;
  int32_t pbid = 0;
  friend bool operator==(const CoatingPriceKey &, const CoatingPriceKey &) = default;
};
struct CoatingPriceKeyHash {
  std::size_t operator()(const CoatingPriceKey &k) const;
};
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

class Tlup6DataBeschichtungspreis : public TCustomlup6Object {
public:
  // The list that owns a Tlup6DataBeschichtungspreis; OwningList hands itself over as this class.
  using OwnerList = Tlup6DataBeschichtungspreisListe;
  Tlup6DataBeschichtungspreis(Tlup6Dataobject *root, bool assignOid,
                              Tlup6DataBeschichtungspreisListe *owner);
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

  Tlup6DataFormelLokalBeschichtung &LocalFormula() { return m_local.get(*this); }

  const Tlup6DataFormelLokalBeschichtung &LocalFormula() const { return m_local.get(*this); }
  Tlup6DataBeschichtung *GetCoating() const;
  Tlup6DataBeschichtungspreisListe *PriceList() const;

  // The key the price list indexes the price by.
  CoatingPriceKey IndexKey() const;

private:
  friend class Tlup6DataBeschichtungspreisListe;
  void setKeys(std::string_view edv, TSf6SphTor st, TSf6Material mat, TSf6SingleMulti em,
               int32_t pbid);

  std::string m_Edv;
  TSf6SphTor m_ST = TSf6SphTor::Egal;
  TSf6Material m_MAT = TSf6Material::Egal;
  TSf6SingleMulti m_EM = TSf6SingleMulti::Egal;
  int32_t m_PBID = 0;
  LazyPart<Tlup6DataFormelLokalBeschichtung, Tlup6DataBeschichtungspreis> m_local;
};

class Tlup6DataBeschichtungspreisListe
    : public KeyedOwningList<Tlup6DataBeschichtungspreis, CoatingPriceKey, CoatingPriceKeyHash> {
public:
  Tlup6DataBeschichtungspreisListe(Tlup6Dataobject *root, Tlup6DataBeschichtung *owner);
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

  // The price of column pbid for material mat as a price line carries it: 0
  // when the column is unused (pbid 0 or less) or has no price.
  double PriceOfColumn(TSf6SphTor st, TSf6SingleMulti em, int32_t pbid, TSf6Material mat) const;
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
  void indexAdd(const CoatingPriceKey &key, Tlup6DataBeschichtungspreis *item) override;
  void indexRemove(const CoatingPriceKey &key, const Tlup6DataBeschichtungspreis *item) override;
  void indexClear() override;

private:
  LastMatchIndex<CoatingLensKey, Tlup6DataBeschichtungspreis, CoatingLensKeyHash> m_byLens{
      itemMemory()};
  LastMatchIndex<CoatingTupleKey, Tlup6DataBeschichtungspreis, CoatingTupleKeyHash> m_byTuple{
      itemMemory()};
};

} // namespace sf6
