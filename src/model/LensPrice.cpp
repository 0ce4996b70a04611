#include "model/LensPrice.h"
#include "model/Lens.h"

#include <algorithm>
#include <set>

#include "lang/LanguageTable.h"
#include "model/Coating.h"
#include "model/NameSlots.h"
#include "model/PriceSource.h"

namespace sf6 {

// Lens prices -----------------------------------------------------------------------------

std::size_t LensPriceKeyHash::operator()(const LensPriceKey &k) const {
  std::size_t h = HashMix(0, (uint64_t{k.sph} << 8) | k.cyl);
  h = HashMix(h, (static_cast<uint64_t>(static_cast<uint32_t>(k.dm.First)) << 32) |
                     static_cast<uint32_t>(k.dm.Second));
  h = HashMix(h, (static_cast<uint64_t>(static_cast<uint32_t>(k.pbid)) << 32) |
                     static_cast<uint32_t>(k.lbi));
  return HashMix(h, k.dm.E ? 1 : 0);
}

Tlup6DataGlasPreis::Tlup6DataGlasPreis(Tlup6Dataobject *root, bool assignOid,
                                       Tlup6DataGlasTarifListe *owner)
    : TCustomlup6Object(root, assignOid, owner), m_local(root) {
  Tlup6DataGlasPreis::Clear(false);
}

Tlup6DataGlasPreis::~Tlup6DataGlasPreis() = default;

void Tlup6DataGlasPreis::Clear(bool flag) {
  PR = 0;
  PQ = 0;
  setKey(LensPriceKey{});
  m_local.clear(flag);
}

LensPriceKey Tlup6DataGlasPreis::IndexKey() const {
  return {static_cast<uint8_t>(m_GSph), static_cast<uint8_t>(m_GCyl), m_GDM, m_PBID, m_LBI};
}

void Tlup6DataGlasPreis::setKey(const LensPriceKey &key) {
  ChangeIndexedFields(*this, [&] {
    m_GSph = key.sph;
    m_GCyl = key.cyl;
    m_GDM = key.dm;
    m_PBID = key.pbid;
    m_LBI = key.lbi;
  });
}

void Tlup6DataGlasPreis::SetGSph(int32_t v) {
  ChangeIndexedFields(*this, [&] { m_GSph = v; });
}
void Tlup6DataGlasPreis::SetGCyl(int32_t v) {
  ChangeIndexedFields(*this, [&] { m_GCyl = v; });
}
void Tlup6DataGlasPreis::SetGDM(const TSf6Diameter &v) {
  ChangeIndexedFields(*this, [&] { m_GDM = v; });
}
void Tlup6DataGlasPreis::SetPBID(int32_t v) {
  ChangeIndexedFields(*this, [&] { m_PBID = v; });
}
void Tlup6DataGlasPreis::SetLBI(int32_t v) {
  ChangeIndexedFields(*this, [&] { m_LBI = v; });
}

void Tlup6DataGlasPreis::SetPrice(double value) {
  PR = value;
  PQ = 1;
}

double Tlup6DataGlasPreis::GetPrice() const {
  return detail::PriceValue(*this);
}

int Tlup6DataGlasPreis::ComputePrice(double &value, bool resetGuard) const {
  return detail::ComputePriceBySource(*this, resetGuard, value,
                                      &Tlup6DataFormelGruppeListe::ComputeLensPrice);
}

int Tlup6DataGlasPreis::IsInSomeRange() const {
  const Tlup6DataGlas *lens = GetLens();
  if (lens == nullptr)
    return 2;
  const Tlup6DataPreisgruppen *groups = &lens->PriceGroups();
  const double s = m_GSph;
  const double c = m_GCyl;
  const double s0 = std::max(0.0, groups->SphGroupBelow(m_GSph) + 0.25);
  const double c0 = std::max(0.0, groups->CylGroupBelow(m_GCyl) + 0.25);
  const double points[8][2] = {{c, s},  {c0, s},  {c, s0},  {c0, s0},
                               {c, -s}, {c0, -s}, {c, -s0}, {c0, -s0}};
  for (auto &range : lens->Ranges()) {
    if (!(range.DM == m_GDM) || range.LBI != m_LBI)
      continue;
    for (const auto &p : points)
      if (range.Contains(p[0], p[1]))
        return 0;
  }
  return 2;
}

Tlup6DataGlasTarifListe *Tlup6DataGlasPreis::PriceList() const {
  return static_cast<Tlup6DataGlasTarifListe *>(Owner());
}

Tlup6DataGlas *Tlup6DataGlasPreis::GetLens() const {
  const Tlup6DataGlasTarifListe *list = PriceList();
  return list != nullptr ? list->GetLens() : nullptr;
}

Tlup6DataGlas *Tlup6DataGlasTarifListe::GetLens() const {
  return static_cast<Tlup6DataGlas *>(Owner());
}

namespace {
LensPriceKey makeKey(int sphGroup, int cylGroup, int32_t lbi, int32_t pbid,
                     const TSf6Diameter &diameter) {
  return {static_cast<uint8_t>(sphGroup), static_cast<uint8_t>(cylGroup), diameter, pbid, lbi};
}
} // namespace

Tlup6DataGlasPreis *Tlup6DataGlasTarifListe::FindPrice(int sphGroup, int cylGroup, int32_t lbi,
                                                       int32_t pbid,
                                                       const TSf6Diameter &diameter) const {
  return m_index.Find(makeKey(sphGroup, cylGroup, lbi, pbid, diameter));
}

Tlup6DataGlasPreis *Tlup6DataGlasTarifListe::FindPrice(int sphGroup, int cylGroup, bool create,
                                                       int32_t lbi, int32_t pbid,
                                                       const TSf6Diameter &diameter) {
  const LensPriceKey key = makeKey(sphGroup, cylGroup, lbi, pbid, diameter);
  if (Tlup6DataGlasPreis *found = m_index.Find(key))
    return found;
  const Tlup6DataGlas *lens = GetLens();
  if (!create || lens == nullptr || Root() == nullptr)
    return nullptr;
  if (!lens->PriceGroups().IsSphGroup(sphGroup) || !lens->PriceGroups().IsCylGroup(cylGroup))
    return nullptr;
  if (Root()->DeliveryRangeNames().FindByID(lbi) == nullptr ||
      Root()->PriceDesignations().FindByID(pbid) == nullptr)
    return nullptr;
  return AddNewWith([&](Tlup6DataGlasPreis &price) {
    price.setKey(key);
    // GSph and GCyl keep the full integers given, as the separate setters would.
    price.m_GSph = sphGroup;
    price.m_GCyl = cylGroup;
  });
}

double Tlup6DataGlasTarifListe::GetPriceValue(int sphGroup, int cylGroup, bool create, int32_t lbi,
                                              int32_t pbid, const TSf6Diameter &diameter) {
  const Tlup6DataGlasPreis *price = FindPrice(sphGroup, cylGroup, create, lbi, pbid, diameter);
  return price != nullptr ? price->GetPrice() : 0.0;
}

void Tlup6DataGlasTarifListe::RemoveByPBID(int32_t id) {
  RemoveIf([id](const Tlup6DataGlasPreis &p) { return p.PBID() == id; });
}

Tlup6DataGlasPreis *Tlup6DataGlasTarifListe::ScanPrice(const LensPriceKey &key) const {
  Tlup6DataGlasPreis *result = nullptr;
  for (auto &p : *this)
    if (p.IndexKey() == key)
      result = &p;
  return result;
}

Tlup6DataGlasTarifListe::Tlup6DataGlasTarifListe(Tlup6Dataobject *root, Tlup6DataGlas *owner)
    : KeyedOwningList(root, owner) {}

} // namespace sf6
