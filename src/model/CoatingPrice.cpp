#include "model/CoatingPrice.h"
#include "model/Coating.h"

#include <algorithm>
#include <map>
#include <set>

#include "lang/LanguageTable.h"
#include "model/NameSlots.h"
#include "model/PriceSource.h"
#include "text/Collation.h"

namespace sf6 {

// Coating prices ----------------------------------------------------------------------

std::size_t CoatingLensKeyHash::operator()(const CoatingLensKey &k) const {
  return HashMix(std::hash<std::string>{}(k.edv), static_cast<uint32_t>(k.pbid));
}

std::size_t CoatingTupleKeyHash::operator()(const CoatingTupleKey &k) const {
  const uint64_t small = (static_cast<uint64_t>(static_cast<uint8_t>(k.st)) << 16) |
                         (static_cast<uint64_t>(static_cast<uint8_t>(k.mat)) << 8) |
                         static_cast<uint8_t>(k.em);
  return HashMix(HashMix(0, small), static_cast<uint32_t>(k.pbid));
}

std::size_t CoatingPriceKeyHash::operator()(const CoatingPriceKey &k) const {
  return HashMix(CoatingLensKeyHash{}({k.edv, k.pbid}),
                 CoatingTupleKeyHash{}({k.st, k.mat, k.em, k.pbid}));
}

Tlup6DataBeschichtungspreis::Tlup6DataBeschichtungspreis(Tlup6Dataobject *root, bool assignOid,
                                                         Tlup6DataBeschichtungspreisListe *owner)
    : TCustomlup6Object(root, assignOid, owner), m_local(root) {
  Tlup6DataBeschichtungspreis::Clear(false);
}

Tlup6DataBeschichtungspreis::~Tlup6DataBeschichtungspreis() = default;

void Tlup6DataBeschichtungspreis::Clear(bool flag) {
  setKeys({}, TSf6SphTor::Egal, TSf6Material::Egal, TSf6SingleMulti::Egal, 0);
  PQ = 0;
  PR = 0;
  m_local.clear(flag);
}

CoatingPriceKey Tlup6DataBeschichtungspreis::IndexKey() const {
  return {FoldCode(m_Edv), static_cast<int>(m_ST), static_cast<int>(m_MAT), static_cast<int>(m_EM),
          m_PBID};
}

void Tlup6DataBeschichtungspreis::setKeys(std::string_view edv, TSf6SphTor st, TSf6Material mat,
                                          TSf6SingleMulti em, int32_t pbid) {
  ChangeIndexedFields(*this, [&] {
    m_Edv = edv;
    m_ST = st;
    m_MAT = mat;
    m_EM = em;
    m_PBID = pbid;
  });
}

void Tlup6DataBeschichtungspreis::SetEdv(std::string_view v) {
  ChangeIndexedFields(*this, [&] { m_Edv = v; });
}
void Tlup6DataBeschichtungspreis::SetST(TSf6SphTor v) {
  ChangeIndexedFields(*this, [&] { m_ST = v; });
}
void Tlup6DataBeschichtungspreis::SetMAT(TSf6Material v) {
  ChangeIndexedFields(*this, [&] { m_MAT = v; });
}
void Tlup6DataBeschichtungspreis::SetEM(TSf6SingleMulti v) {
  ChangeIndexedFields(*this, [&] { m_EM = v; });
}
void Tlup6DataBeschichtungspreis::SetPBID(int32_t v) {
  ChangeIndexedFields(*this, [&] { m_PBID = v; });
}

TSf6Material Tlup6DataBeschichtungspreis::EffectiveMaterial() const {
  if (!m_Edv.empty() && Root() != nullptr)
    if (const Tlup6DataGlas *lens = Root()->Lenses().FindByCode(m_Edv))
      return lens->MAT;
  return m_MAT;
}

TSf6SingleMulti Tlup6DataBeschichtungspreis::EffectiveEM() const {
  return m_Edv.empty() ? m_EM : TSf6SingleMulti::Egal;
}

void Tlup6DataBeschichtungspreis::SetPrice(double value) {
  PR = value;
  PQ = 1;
}

double Tlup6DataBeschichtungspreis::GetPrice() const {
  return detail::PriceValue(*this);
}

int Tlup6DataBeschichtungspreis::ComputePrice(double &value, bool resetGuard) const {
  return detail::ComputePriceBySource(*this, resetGuard, value,
                                      &Tlup6DataFormelGruppeListe::ComputeCoatingPrice);
}

Tlup6DataBeschichtungspreisListe *Tlup6DataBeschichtungspreis::PriceList() const {
  return static_cast<Tlup6DataBeschichtungspreisListe *>(Owner());
}

Tlup6DataBeschichtung *Tlup6DataBeschichtungspreis::GetCoating() const {
  const Tlup6DataBeschichtungspreisListe *list = PriceList();
  return list != nullptr ? list->GetCoating() : nullptr;
}

Tlup6DataBeschichtung *Tlup6DataBeschichtungspreisListe::GetCoating() const {
  return static_cast<Tlup6DataBeschichtung *>(Owner());
}

Tlup6DataBeschichtungspreis *
Tlup6DataBeschichtungspreisListe::FindCoatingPrice(TSf6SphTor st, TSf6SingleMulti em,
                                                   std::string_view lensCode, int32_t pbid,
                                                   TSf6Material mat) const {
  if (mat == TSf6Material::Egal && lensCode.empty())
    return nullptr;
  if (!lensCode.empty())
    return m_byLens.Find({FoldCode(lensCode), pbid});
  return m_byTuple.Find({static_cast<int>(st), static_cast<int>(mat), static_cast<int>(em), pbid});
}

Tlup6DataBeschichtungspreis *
Tlup6DataBeschichtungspreisListe::FindCoatingPrice(TSf6SphTor st, TSf6SingleMulti em, bool create,
                                                   std::string_view lensCode, int32_t pbid,
                                                   TSf6Material mat) {
  if (mat == TSf6Material::Egal && lensCode.empty())
    return nullptr;
  if (Tlup6DataBeschichtungspreis *found =
          static_cast<const Tlup6DataBeschichtungspreisListe *>(this)->FindCoatingPrice(
              st, em, lensCode, pbid, mat))
    return found;
  if (!create || GetCoating() == nullptr || Root() == nullptr ||
      Root()->PriceDesignations().FindByID(pbid) == nullptr)
    return nullptr;
  Tlup6DataBeschichtungspreis *price = AddNew();
  price->setKeys(lensCode, st, mat, em, pbid);
  return price;
}

double Tlup6DataBeschichtungspreisListe::GetCoatingPriceValue(TSf6SphTor st, TSf6SingleMulti em,
                                                              bool create,
                                                              std::string_view lensCode,
                                                              int32_t pbid, TSf6Material mat) {
  const Tlup6DataBeschichtungspreis *p = FindCoatingPrice(st, em, create, lensCode, pbid, mat);
  return p != nullptr ? p->GetPrice() : 0.0;
}

Tlup6DataBeschichtungspreis *
Tlup6DataBeschichtungspreisListe::FindLensCoatingPrice(std::string_view lensCode,
                                                       int32_t pbid) const {
  return m_byLens.Find({FoldCode(lensCode), pbid});
}

Tlup6DataBeschichtungspreis *
Tlup6DataBeschichtungspreisListe::FindLensCoatingPrice(std::string_view lensCode, int32_t pbid,
                                                       bool create) {
  if (Tlup6DataBeschichtungspreis *found = m_byLens.Find({FoldCode(lensCode), pbid}))
    return found;
  if (!create || GetCoating() == nullptr || Root() == nullptr ||
      Root()->PriceDesignations().FindByID(pbid) == nullptr)
    return nullptr;
  Tlup6DataBeschichtungspreis *price = AddNew();
  price->setKeys(lensCode, TSf6SphTor::Egal, TSf6Material::Egal, TSf6SingleMulti::Egal, pbid);
  return price;
}

std::string Tlup6DataBeschichtungspreisListe::GetPriceSignature(TSf6SphTor st, TSf6SingleMulti em,
                                                                const std::vector<int32_t> &pbids,
                                                                TSf6Material mat) const {
  std::string signature;
  for (int32_t id : pbids)
    signature += IntToZeroPadded(RoundHalfEven(PriceOfColumn(st, em, id, mat) * 100), 7);
  return signature;
}

double Tlup6DataBeschichtungspreisListe::PriceOfColumn(TSf6SphTor st, TSf6SingleMulti em,
                                                       int32_t pbid, TSf6Material mat) const {
  // A column numbered 0 or less is declared unused: it never has a price.
  if (pbid <= 0)
    return 0.0;
  const Tlup6DataBeschichtungspreis *p = FindCoatingPrice(st, em, "", pbid, mat);
  return p != nullptr ? p->GetPrice() : 0.0;
}

LineList
Tlup6DataBeschichtungspreisListe::PriceSignatures(TSf6SphTor st, TSf6SingleMulti em,
                                                  const std::vector<int32_t> &pbids) const {
  std::set<std::string, CodeTextLess> signatures;
  for (int m = 1; m <= 4; ++m)
    signatures.insert(GetPriceSignature(st, em, pbids, static_cast<TSf6Material>(m)));
  return LineList(signatures.begin(), signatures.end());
}

int Tlup6DataBeschichtungspreisListe::CountPriceSignatures(
    TSf6SphTor st, TSf6SingleMulti em, const std::vector<int32_t> &pbids) const {
  return static_cast<int>(PriceSignatures(st, em, pbids).size());
}

TSf6MaterialSet Tlup6DataBeschichtungspreisListe::MaterialsWithSignature(
    int index, TSf6SphTor st, TSf6SingleMulti em, const std::vector<int32_t> &pbids) const {
  TSf6MaterialSet set;
  const LineList signatures = PriceSignatures(st, em, pbids);
  if (index < 0 || index >= static_cast<int>(signatures.size()))
    return set;
  for (int m = 1; m <= 4; ++m) {
    const auto mat = static_cast<TSf6Material>(m);
    if (GetPriceSignature(st, em, pbids, mat) == signatures[static_cast<std::size_t>(index)])
      set.Include(mat);
  }
  return set;
}

void Tlup6DataBeschichtungspreisListe::RemoveByPBID(int32_t id) {
  RemoveIf([id](const Tlup6DataBeschichtungspreis &p) { return p.PBID() == id; });
}

Tlup6DataBeschichtungspreis *
Tlup6DataBeschichtungspreisListe::ScanCoatingPrice(TSf6SphTor st, TSf6SingleMulti em,
                                                   std::string_view lensCode, int32_t pbid,
                                                   TSf6Material mat) const {
  if (mat == TSf6Material::Egal && lensCode.empty())
    return nullptr;
  return FindLast([&](const Tlup6DataBeschichtungspreis &p) {
    if (!lensCode.empty())
      return SameCode(p.Edv(), lensCode) && p.PBID() == pbid;
    return p.ST() == st && p.EffectiveMaterial() == mat && p.EffectiveEM() == em &&
           p.PBID() == pbid && p.Edv().empty();
  });
}

void Tlup6DataBeschichtungspreisListe::indexAdd(const CoatingPriceKey &key,
                                                Tlup6DataBeschichtungspreis *item) {
  m_byLens.Add({key.edv, key.pbid}, item);
  if (key.edv.empty())
    m_byTuple.Add({key.st, key.mat, key.em, key.pbid}, item);
}

void Tlup6DataBeschichtungspreisListe::indexRemove(const CoatingPriceKey &key,
                                                   const Tlup6DataBeschichtungspreis *item) {
  m_byLens.Remove({key.edv, key.pbid}, item);
  if (key.edv.empty())
    m_byTuple.Remove({key.st, key.mat, key.em, key.pbid}, item);
}

void Tlup6DataBeschichtungspreisListe::indexClear() {
  m_byLens.Clear();
  m_byTuple.Clear();
}

Tlup6DataBeschichtungspreisListe::Tlup6DataBeschichtungspreisListe(Tlup6Dataobject *root,
                                                                   Tlup6DataBeschichtung *owner)
    : KeyedOwningList(root, owner) {}

} // namespace sf6
