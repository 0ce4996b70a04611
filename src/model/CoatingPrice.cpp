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

Tlup6DataBeschichtungspreis::Tlup6DataBeschichtungspreis(Tlup6Dataobject *root, bool assignOid,
                                                         Tlup6DataBeschichtungspreisListe *owner)
    : TCustomlup6Object(root, assignOid, owner),
      m_local(std::make_unique<Tlup6DataFormelLokalBeschichtung>(root, true, this)) {
  Tlup6DataBeschichtungspreis::Clear(false);
}

Tlup6DataBeschichtungspreis::~Tlup6DataBeschichtungspreis() = default;

void Tlup6DataBeschichtungspreis::Clear(bool flag) {
  const Snapshot old = snapshot();
  m_Edv.clear();
  m_ST = TSf6SphTor::Egal;
  m_MAT = TSf6Material::Egal;
  m_EM = TSf6SingleMulti::Egal;
  m_PBID = 0;
  reindex(old);
  PQ = 0;
  PR = 0;
  m_local->Clear(flag);
}

void Tlup6DataBeschichtungspreis::reindex(const Snapshot &old) {
  Tlup6DataBeschichtungspreisListe *list = PriceList();
  if (list == nullptr || listSeq() == 0)
    return;
  list->removeKeys(this, old.edv, static_cast<int>(old.st), static_cast<int>(old.mat),
                   static_cast<int>(old.em), old.pbid);
  list->addKeys(this);
}

void Tlup6DataBeschichtungspreis::setKeys(std::string_view edv, TSf6SphTor st, TSf6Material mat,
                                          TSf6SingleMulti em, int32_t pbid) {
  const Snapshot old = snapshot();
  m_Edv = edv;
  m_ST = st;
  m_MAT = mat;
  m_EM = em;
  m_PBID = pbid;
  reindex(old);
}

void Tlup6DataBeschichtungspreis::SetEdv(std::string_view v) {
  const Snapshot old = snapshot();
  m_Edv = v;
  reindex(old);
}
void Tlup6DataBeschichtungspreis::SetST(TSf6SphTor v) {
  const Snapshot old = snapshot();
  m_ST = v;
  reindex(old);
}
void Tlup6DataBeschichtungspreis::SetMAT(TSf6Material v) {
  const Snapshot old = snapshot();
  m_MAT = v;
  reindex(old);
}
void Tlup6DataBeschichtungspreis::SetEM(TSf6SingleMulti v) {
  const Snapshot old = snapshot();
  m_EM = v;
  reindex(old);
}
void Tlup6DataBeschichtungspreis::SetPBID(int32_t v) {
  const Snapshot old = snapshot();
  m_PBID = v;
  reindex(old);
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

void Tlup6DataBeschichtungspreisListe::addKeys(Tlup6DataBeschichtungspreis *item) {
  m_byLens.Add({FoldCode(item->Edv()), item->PBID()}, item);
  if (item->Edv().empty())
    m_byTuple.Add({static_cast<int>(item->ST()), static_cast<int>(item->MAT()),
                   static_cast<int>(item->EM()), item->PBID()},
                  item);
}

void Tlup6DataBeschichtungspreisListe::removeKeys(const Tlup6DataBeschichtungspreis *item,
                                                  const std::string &edv, int st, int mat, int em,
                                                  int32_t pbid) {
  m_byLens.Remove({FoldCode(edv), pbid}, item);
  if (edv.empty())
    m_byTuple.Remove({st, mat, em, pbid}, item);
}

void Tlup6DataBeschichtungspreisListe::itemAdded(Tlup6DataBeschichtungspreis *item) {
  addKeys(item);
}

void Tlup6DataBeschichtungspreisListe::itemRemoved(Tlup6DataBeschichtungspreis *item) {
  removeKeys(item, item->Edv(), static_cast<int>(item->ST()), static_cast<int>(item->MAT()),
             static_cast<int>(item->EM()), item->PBID());
}

void Tlup6DataBeschichtungspreisListe::itemsReset() {
  m_byLens.Clear();
  m_byTuple.Clear();
  for (auto &p : *this)
    addKeys(&p);
}

Tlup6DataBeschichtungspreisListe::Tlup6DataBeschichtungspreisListe(Tlup6Dataobject *root,
                                                                   Tlup6DataBeschichtung *owner)
    : OwningList(root, owner) {}

} // namespace sf6
