#pragma once

// The prices of a lens and their list with its key index.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/Formula.h"
#include "model/LazyPart.h"
#include "model/Lup6Object.h"
#include "model/Root.h"
#include "sf6/Sf6Enums.h"
#include "text/LineList.h"

namespace sf6 {

class Tlup6DataGlas;

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
  // The list that owns a Tlup6DataGlasPreis; OwningList hands itself over as this class.
  using OwnerList = Tlup6DataGlasTarifListe;
  Tlup6DataGlasPreis(Tlup6Dataobject *root, bool assignOid, Tlup6DataGlasTarifListe *owner);
  ~Tlup6DataGlasPreis() override;
  std::string GetTagName() const override { return "GP"; }
  void Clear(bool flag) override;

  // Price source: 0 formula group, 1 fixed PR, 2 local formula. Declared
  // before PR so that it sits in the object base's last four bytes.
  uint8_t PQ = 0;
  double PR = 0;

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
  // The key the price list indexes the price by.
  LensPriceKey IndexKey() const;

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

  Tlup6DataFormelLokalGlas &LocalFormula() { return m_local.get(*this); }

  const Tlup6DataFormelLokalGlas &LocalFormula() const { return m_local.get(*this); }
  Tlup6DataGlas *GetLens() const;
  Tlup6DataGlasTarifListe *PriceList() const;

private:
  friend class Tlup6DataGlasTarifListe;
  void setKey(const LensPriceKey &key);
  // Ordered so that a catalog's hundreds of thousands of prices carry no
  // padding: GCyl fills the local formula's last four bytes.
  [[no_unique_address]] LazyPart<Tlup6DataFormelLokalGlas, Tlup6DataGlasPreis> m_local;
  int32_t m_GCyl = 0;
  int32_t m_GSph = 0;
  int32_t m_PBID = 0;
  int32_t m_LBI = 0;
  TSf6Diameter m_GDM;
};

class Tlup6DataGlasTarifListe
    : public KeyedOwningList<Tlup6DataGlasPreis, LensPriceKey, LensPriceKeyHash> {
public:
  Tlup6DataGlasTarifListe(Tlup6Dataobject *root, Tlup6DataGlas *owner);
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
};

} // namespace sf6
