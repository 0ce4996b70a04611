#include "model/Coating.h"

#include <algorithm>
#include <map>
#include <set>

#include "lang/LanguageTable.h"
#include "model/PriceSource.h"

namespace sf6 {

namespace {

std::string slotText(const std::array<std::string, 10> &slots, int i) {
  return i >= 1 && i <= 10 ? slots[static_cast<std::size_t>(i - 1)] : std::string();
}

void setSlotText(std::array<std::string, 10> &slots, int i, std::string_view text) {
  if (i >= 1 && i <= 10)
    slots[static_cast<std::size_t>(i - 1)] = text;
}

template <class Get> std::string withFallback(int i, Get get) {
  std::string text = get(i);
  while (text.empty() && i >= 2) {
    --i;
    text = get(i);
  }
  return text;
}

constexpr const char *kSpecialCodes[] = {"Z1", "Z2", "Z3", "P1", "P2", "P3", "P4", "P5", "P6"};

} // namespace

// Colours ---------------------------------------------------------------------------

void Tlup6DataFarbe::Clear(bool) {
  AbV = AbO = 0;
  EDV.clear();
  Bottom = Top = Middle = {};
  FK = 0;
  UVK = UVA = UVB = 0;
  Stvo = TSf6RoadUse::KeineAngabe;
  for (auto &s : m_B)
    s.clear();
}

std::string Tlup6DataFarbe::GetName(int i) const {
  return slotText(m_B, i);
}
void Tlup6DataFarbe::SetName(int i, std::string_view text) {
  setSlotText(m_B, i, text);
}
std::string Tlup6DataFarbe::GetNameFallback(int i) const {
  return withFallback(i, [this](int n) { return GetName(n); });
}

Tlup6DataBeschichtung *Tlup6DataFarbe::GetCoating() const {
  auto *list = dynamic_cast<Tlup6DataFarbListe *>(Owner());
  return list != nullptr ? dynamic_cast<Tlup6DataBeschichtung *>(list->Owner()) : nullptr;
}

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
                                                         Tlup6Node *owner)
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
    if (const Tlup6DataGlas *lens = Root()->Lenses()->FindByCode(m_Edv))
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

double Tlup6DataBeschichtungspreis::GetPrice() const { return detail::PriceValue(*this); }

int Tlup6DataBeschichtungspreis::ComputePrice(double &value, bool resetGuard) const {
  return detail::ComputePriceBySource(*this, resetGuard, value,
                                      &Tlup6DataFormelGruppeListe::ComputeCoatingPrice);
}

Tlup6DataBeschichtungspreisListe *Tlup6DataBeschichtungspreis::PriceList() const {
  return dynamic_cast<Tlup6DataBeschichtungspreisListe *>(Owner());
}

Tlup6DataBeschichtung *Tlup6DataBeschichtungspreis::GetCoating() const {
  const Tlup6DataBeschichtungspreisListe *list = PriceList();
  return list != nullptr ? list->GetCoating() : nullptr;
}

Tlup6DataBeschichtung *Tlup6DataBeschichtungspreisListe::GetCoating() const {
  return dynamic_cast<Tlup6DataBeschichtung *>(Owner());
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
      Root()->PriceDesignations()->FindByID(pbid) == nullptr)
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
      Root()->PriceDesignations()->FindByID(pbid) == nullptr)
    return nullptr;
  Tlup6DataBeschichtungspreis *price = AddNew();
  price->setKeys(lensCode, TSf6SphTor::Egal, TSf6Material::Egal, TSf6SingleMulti::Egal, pbid);
  return price;
}

std::string Tlup6DataBeschichtungspreisListe::GetPriceSignature(TSf6SphTor st, TSf6SingleMulti em,
                                                                const std::vector<int32_t> &pbids,
                                                                TSf6Material mat) const {
  std::string signature;
  for (int32_t id : pbids) {
    const Tlup6DataBeschichtungspreis *p = FindCoatingPrice(st, em, "", id, mat);
    const double value = p != nullptr ? p->GetPrice() : 0.0;
    signature += IntToZeroPadded(RoundHalfEven(value * 100), 7);
  }
  return signature;
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

// Coatings ------------------------------------------------------------------------------

Tlup6DataBeschichtung::Tlup6DataBeschichtung(Tlup6Dataobject *root, bool assignOid,
                                             Tlup6Node *owner)
    : TCustomlup6Object(root, assignOid, owner),
      m_colours(std::make_unique<Tlup6DataFarbListe>(root, this)),
      m_prices(std::make_unique<Tlup6DataBeschichtungspreisListe>(root, this)),
      m_info(std::make_unique<Tlup6DataInfo>(root, true, this)),
      m_specialProducts(std::make_unique<Tlup6DataStrings>(root, true, this, "SOPR", "EDV", false)),
      m_assignment(std::make_unique<Tlup6DataFormelZuweisung>(root, true, this)),
      m_orderOptions(std::make_unique<Tlup6DataOrderOptions>(root, true, this)) {
  Tlup6DataBeschichtung::Clear(false);
}

Tlup6DataBeschichtung::~Tlup6DataBeschichtung() = default;

void Tlup6DataBeschichtung::Clear(bool flag) {
  Tlup6DataBeschichtungsliste *list = listSeq() != 0 ? CoatingList() : nullptr;
  if (list != nullptr) {
    list->unindexCode(this, FoldCode(m_EDV));
    for (const auto &key : sf4Keys())
      list->unindexSF4(this, key);
  }
  ATOR = BTOR = UV = PH = BF = false;
  AD = TSf6ThicknessChange::Nein;
  AF = TSf6FormChange::Nein;
  DEZ = HA = false;
  ET = TSf6AntiReflection::Keine;
  ER = TSf6Edging::Nein;
  BENT = PRH = MATT = false;
  Stvo = TSf6RoadUse::KeineAngabe;
  ADU = TSf6DiameterChange::Nein;
  FK = 0;
  WAL = false;
  FA = TSf6Tint::Keine;
  VS = ADB = CL = false;
  UVB = UVK = UVA = 0;
  for (auto &s : m_B)
    s.clear();
  for (auto &s : m_KB)
    s.clear();
  m_EDV.clear();
  LB = LA = 0;
  m_colours->ClearList(flag);
  AAD = false;
  m_prices->ClearList(flag);
  m_info->Clear(flag);
  m_specialProducts->Clear(flag);
  for (auto &s : m_sf4Codes)
    s.clear();
  for (auto &s : m_sf4Names)
    s.clear();
  MAT = {};
  ME = TSf6BrandClass::Standard;
  Vers = false;
  SphVon = -99.99;
  SphBis = 99.99;
  DMVon = 0;
  DMBis = 99;
  STEG = EMEG = true;
  m_assignment->Clear(flag);
  FKB = 0;
  m_CSNR = 0;
  OLB = false;
  if (list != nullptr)
    list->indexItem(this);
}

Tlup6DataBeschichtungsliste *Tlup6DataBeschichtung::CoatingList() const {
  return dynamic_cast<Tlup6DataBeschichtungsliste *>(Owner());
}

void Tlup6DataBeschichtung::SetEDV(std::string_view code) {
  if (!m_EDV.empty() && !SameCode(m_EDV, code) && Root() != nullptr) {
    Root()->Combinations()->RenameCoating(m_EDV, code);
    Root()->ProductGroups()->RenameCoatingInGroups(m_EDV, code);
  }
  Tlup6DataBeschichtungsliste *list = listSeq() != 0 ? CoatingList() : nullptr;
  if (list != nullptr)
    list->unindexCode(this, FoldCode(m_EDV));
  m_EDV = code;
  if (list != nullptr)
    list->m_byCode.Add(FoldCode(m_EDV), this);
}

bool Tlup6DataBeschichtung::IsPrismCode() const {
  return m_EDV.size() == 2 && (m_EDV[0] == 'P' || m_EDV[0] == 'p') && m_EDV[1] >= '1' &&
         m_EDV[1] <= '6';
}

bool Tlup6DataBeschichtung::IsCylinderCode() const {
  return m_EDV.size() == 2 && (m_EDV[0] == 'Z' || m_EDV[0] == 'z') && m_EDV[1] >= '1' &&
         m_EDV[1] <= '3';
}

std::string Tlup6DataBeschichtung::GetName(int i) const {
  if (!IsSpecial())
    return slotText(m_B, i);
  if (Root() == nullptr)
    return {};
  const Tlup6DataPrismenCylinder &pc = *Root()->PrismCylinder();
  const char d = m_EDV[1];
  if (m_EDV[0] == 'P' || m_EDV[0] == 'p') {
    const int32_t limits[] = {pc.PG1, pc.PG2, pc.PG3, pc.PG4, pc.PG5};
    if (d == '6')
      return LangText(190) + " " + IntToText(pc.PG5) + " cm/m";
    return LangText(189) + " " + IntToText(limits[d - '1']) + " cm/m";
  }
  if (d == '3')
    return LangText(192) + " " + IntToText(pc.ZG2) + " dpt";
  return LangText(191) + " " + IntToText(d == '1' ? pc.ZG1 : pc.ZG2) + " dpt";
}

void Tlup6DataBeschichtung::SetName(int i, std::string_view text) {
  if (!IsSpecial())
    setSlotText(m_B, i, text);
}
std::string Tlup6DataBeschichtung::GetShortName(int i) const {
  return slotText(m_KB, i);
}
void Tlup6DataBeschichtung::SetShortName(int i, std::string_view text) {
  setSlotText(m_KB, i, text);
}
std::string Tlup6DataBeschichtung::GetNameFallback(int i) const {
  return withFallback(i, [this](int n) { return GetName(n); });
}
std::string Tlup6DataBeschichtung::GetShortNameFallback(int i) const {
  return withFallback(i, [this](int n) { return GetShortName(n); });
}

std::string Tlup6DataBeschichtung::GetSF4Code(int m) const {
  return m >= 0 && m <= 4 ? m_sf4Codes[static_cast<std::size_t>(m)] : std::string();
}
std::string Tlup6DataBeschichtung::GetSF4Name(int m) const {
  return m >= 0 && m <= 4 ? m_sf4Names[static_cast<std::size_t>(m)] : std::string();
}
void Tlup6DataBeschichtung::SetSF4Name(int m, std::string_view text) {
  if (m >= 0 && m <= 4)
    m_sf4Names[static_cast<std::size_t>(m)] = text;
}

void Tlup6DataBeschichtung::SetSF4Code(int m, std::string_view text) {
  if (m < 0 || m > 4)
    return;
  Tlup6DataBeschichtungsliste *list = listSeq() != 0 ? CoatingList() : nullptr;
  const std::set<std::string> before = list != nullptr ? sf4Keys() : std::set<std::string>();
  m_sf4Codes[static_cast<std::size_t>(m)] = text;
  if (list == nullptr)
    return;
  const std::set<std::string> after = sf4Keys();
  for (const auto &key : before)
    if (after.count(key) == 0)
      list->unindexSF4(this, key);
  for (const auto &key : after)
    if (before.count(key) == 0)
      list->m_bySF4.Add(key, this);
}

std::set<std::string> Tlup6DataBeschichtung::sf4Keys() const {
  std::set<std::string> keys;
  for (const auto &code : m_sf4Codes)
    if (!code.empty())
      keys.insert(FoldCode(code));
  return keys;
}

int Tlup6DataBeschichtung::GetCategory() const {
  if (ET != TSf6AntiReflection::Keine)
    return 0;
  if (FA != TSf6Tint::Keine)
    return 1;
  if (IsSpecial())
    return 3;
  return 2;
}

void Tlup6DataBeschichtung::SetCSNR(int32_t n) {
  m_CSNR = n;
  if (Tlup6DataBeschichtungsliste *list = CoatingList(); list != nullptr && listSeq() != 0)
    list->Renumber(this);
}

LineList Tlup6DataBeschichtung::GetProductGroupNames(bool deliverable) const {
  if (Root() == nullptr)
    return {};
  return Root()->ProductGroups()->CoatingGroupNames(m_EDV, deliverable);
}

// Coating list ---------------------------------------------------------------------------------

Tlup6DataBeschichtung *Tlup6DataBeschichtungsliste::FindByCode(std::string_view code) const {
  if (code.empty())
    return nullptr;
  return m_byCode.Find(FoldCode(code));
}

Tlup6DataBeschichtung *Tlup6DataBeschichtungsliste::ScanByCode(std::string_view code) const {
  if (code.empty())
    return nullptr;
  return FindLast([&](const Tlup6DataBeschichtung &c) { return SameCode(c.EDV(), code); });
}

Tlup6DataBeschichtung *Tlup6DataBeschichtungsliste::FindByName(std::string_view name,
                                                               int slot) const {
  return FindLast([&](const Tlup6DataBeschichtung &c) { return SameCode(c.GetName(slot), name); });
}

Tlup6DataBeschichtung *Tlup6DataBeschichtungsliste::FindBySF4Code(std::string_view code) const {
  if (code.empty())
    return nullptr;
  return m_bySF4.Find(FoldCode(code));
}

Tlup6DataBeschichtung *Tlup6DataBeschichtungsliste::ScanBySF4Code(std::string_view code) const {
  if (code.empty())
    return nullptr;
  return FindLast([&](const Tlup6DataBeschichtung &c) {
    for (int m = 0; m <= 4; ++m)
      if (SameCode(c.GetSF4Code(m), code))
        return true;
    return false;
  });
}

int Tlup6DataBeschichtungsliste::GetSF4Material(std::string_view code) const {
  const Tlup6DataBeschichtung *c = FindBySF4Code(code);
  if (c == nullptr)
    return 1;
  int material = 1;
  for (int m = 0; m <= 4; ++m)
    if (SameCode(c->GetSF4Code(m), code))
      material = m;
  return material;
}

std::string Tlup6DataBeschichtungsliste::MapSF4Code(std::string_view code) const {
  const Tlup6DataBeschichtung *c = FindBySF4Code(code);
  return c != nullptr ? c->EDV() : std::string(code);
}

std::string Tlup6DataBeschichtungsliste::GetNameByCode(std::string_view code) const {
  const Tlup6DataBeschichtung *c = FindByCode(code);
  return c != nullptr ? c->GetName(1) : std::string();
}

void Tlup6DataBeschichtungsliste::RemoveCoating(Tlup6DataBeschichtung *coating) {
  if (IndexOf(coating) < 0)
    return;
  if (Root() != nullptr) {
    Root()->Combinations()->RemoveByCoating(coating->EDV());
    Root()->ProductGroups()->RenameCoatingInGroups(coating->EDV(), "");
  }
  RemoveItem(coating);
}

void Tlup6DataBeschichtungsliste::ClearList(bool withDefaults) {
  clearItems();
  if (withDefaults)
    AddSpecialCoatings(true);
}

void Tlup6DataBeschichtungsliste::AddSpecialCoatings(bool replace) {
  for (const char *code : kSpecialCodes) {
    Tlup6DataBeschichtung *existing = FindByCode(code);
    if (replace && existing != nullptr) {
      RemoveCoating(existing);
      existing = nullptr;
    }
    if (existing != nullptr)
      continue;
    Tlup6DataBeschichtung *coating = AddNew();
    coating->SetEDV(code);
    for (auto m : {TSf6Material::Silikat, TSf6Material::Kunststoff, TSf6Material::Polycarbonat,
                   TSf6Material::Trivex})
      coating->MAT.Include(m);
  }
}

void Tlup6DataBeschichtungsliste::Renumber(const Tlup6DataBeschichtung *changed) {
  if (m_renumbering || !m_renumberOn)
    return;
  m_renumbering = true;
  std::vector<int32_t> numbers;
  int changedIndex = -1;
  for (auto &c : *this) {
    if (&c == changed)
      changedIndex = static_cast<int>(numbers.size());
    numbers.push_back(c.m_CSNR);
  }
  const std::vector<int32_t> renumbered = RenumberedCSNR(numbers, changedIndex);
  std::size_t i = 0;
  for (auto &c : *this)
    c.m_CSNR = renumbered[i++];
  m_renumbering = false;
}

void Tlup6DataBeschichtungsliste::indexItem(Tlup6DataBeschichtung *item) {
  m_byCode.Add(FoldCode(item->m_EDV), item);
  for (const auto &key : item->sf4Keys())
    m_bySF4.Add(key, item);
}

void Tlup6DataBeschichtungsliste::unindexCode(const Tlup6DataBeschichtung *item,
                                              const std::string &folded) {
  m_byCode.Remove(folded, item);
}

void Tlup6DataBeschichtungsliste::unindexSF4(const Tlup6DataBeschichtung *item,
                                             const std::string &folded) {
  m_bySF4.Remove(folded, item);
}

void Tlup6DataBeschichtungsliste::itemAdded(Tlup6DataBeschichtung *item) {
  indexItem(item);
}

void Tlup6DataBeschichtungsliste::itemRemoved(Tlup6DataBeschichtung *item) {
  unindexCode(item, FoldCode(item->m_EDV));
  for (const auto &key : item->sf4Keys())
    unindexSF4(item, key);
}

void Tlup6DataBeschichtungsliste::itemsReset() {
  m_byCode.Clear();
  m_bySF4.Clear();
  for (auto &c : *this)
    indexItem(&c);
}

// Combinations ------------------------------------------------------------------------------------

void Tlup6DataKombination::Clear(bool) {
  const std::string old = MatchKey();
  m_LB = TSf6Availability::NichtLieferbar;
  m_GE = m_B1E = m_B2E = m_B3E = "******";
  reindex(old);
  resort();
}

std::string Tlup6DataKombination::MatchKey(std::string_view lensCode, std::string_view c1,
                                           std::string_view c2, std::string_view c3) {
  std::string codes[3] = {FoldCode(c1), FoldCode(c2), FoldCode(c3)};
  std::sort(std::begin(codes), std::end(codes));
  std::string key = FoldCode(lensCode);
  for (const auto &c : codes) {
    key += '\0';
    key += c;
  }
  return key;
}

std::string Tlup6DataKombination::MatchKey() const {
  return MatchKey(m_GE, m_B1E, m_B2E, m_B3E);
}

void Tlup6DataKombination::reindex(const std::string &oldKey) {
  auto *list = dynamic_cast<Tlup6DataKombinationsListe *>(Owner());
  if (list == nullptr || listSeq() == 0)
    return;
  const std::string key = MatchKey();
  if (key == oldKey)
    return;
  list->m_byKey.Remove(oldKey, this);
  list->m_byKey.Add(key, this);
}

void Tlup6DataKombination::resort() {
  if (auto *list = dynamic_cast<Tlup6DataKombinationsListe *>(Owner());
      list != nullptr && listSeq() != 0)
    list->Sort(false);
}

void Tlup6DataKombination::SetLB(TSf6Availability v) {
  m_LB = v;
  resort();
}
void Tlup6DataKombination::SetGE(std::string_view v) {
  const std::string old = MatchKey();
  m_GE = v;
  reindex(old);
  resort();
}
void Tlup6DataKombination::SetB1E(std::string_view v) {
  const std::string old = MatchKey();
  m_B1E = v;
  reindex(old);
  resort();
}
void Tlup6DataKombination::SetB2E(std::string_view v) {
  const std::string old = MatchKey();
  m_B2E = v;
  reindex(old);
  resort();
}
void Tlup6DataKombination::SetB3E(std::string_view v) {
  const std::string old = MatchKey();
  m_B3E = v;
  reindex(old);
  resort();
}

std::string Tlup6DataKombination::SortKey() const {
  return PadRight(m_GE, 6) + IntToText(EnumCode(m_LB)) + PadRight(m_B1E, 6) + PadRight(m_B2E, 6) +
         PadRight(m_B3E, 6);
}

Tlup6DataKombination *Tlup6DataKombinationsListe::FindCombination(std::string_view lensCode,
                                                                  std::string_view c1,
                                                                  std::string_view c2,
                                                                  std::string_view c3) const {
  // The three codes in any of the six orders: the same codes as a multiset.
  return m_byKey.FindFirst(Tlup6DataKombination::MatchKey(lensCode, c1, c2, c3));
}

Tlup6DataKombination *Tlup6DataKombinationsListe::ScanCombination(std::string_view lensCode,
                                                                  std::string_view c1,
                                                                  std::string_view c2,
                                                                  std::string_view c3) const {
  return FindFirst([&](const Tlup6DataKombination &k) {
    if (!SameCode(k.GE(), lensCode))
      return false;
    const std::string_view have[3] = {k.B1E(), k.B2E(), k.B3E()};
    const std::string_view want[3] = {c1, c2, c3};
    static constexpr int perms[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2},
                                        {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    for (const auto &p : perms)
      if (SameCode(have[0], want[p[0]]) && SameCode(have[1], want[p[1]]) &&
          SameCode(have[2], want[p[2]]))
        return true;
    return false;
  });
}

void Tlup6DataKombinationsListe::itemAdded(Tlup6DataKombination *item) {
  m_byKey.Add(item->MatchKey(), item);
}

void Tlup6DataKombinationsListe::itemRemoved(Tlup6DataKombination *item) {
  m_byKey.Remove(item->MatchKey(), item);
}

void Tlup6DataKombinationsListe::itemsReset() {
  m_byKey.Clear();
  for (auto &k : *this)
    m_byKey.Add(k.MatchKey(), &k);
}

Tlup6DataKombination *Tlup6DataKombinationsListe::AddCombination(std::string_view lensCode,
                                                                 std::string_view coating1,
                                                                 TSf6Availability lb,
                                                                 std::string_view coating2,
                                                                 std::string_view coating3) {
  if (Tlup6DataKombination *existing = FindCombination(lensCode, coating1, coating2, coating3))
    return existing;
  Tlup6DataKombination *k = AddNew();
  // Fields first, one sort at the end: sorting on every field would compare
  // half-filled keys and could drop the new combination as a duplicate.
  const std::string oldKey = k->MatchKey();
  k->m_GE = lensCode;
  k->m_B1E = coating1;
  k->m_B2E = coating2;
  k->m_B3E = coating3;
  k->m_LB = lb;
  k->reindex(oldKey);
  if (!m_autoSort)
    return k;
  // Sorting may drop the new combination when its key (codes cut to six
  // characters) equals an earlier one's; look it up again.
  Sort(false);
  return FindCombination(lensCode, coating1, coating2, coating3);
}

void Tlup6DataKombinationsListe::RemoveByCoating(std::string_view code) {
  if (code.empty() || code.find('*') != std::string_view::npos)
    return;
  RemoveIf([&](const Tlup6DataKombination &k) {
    return SameCode(k.B1E(), code) || SameCode(k.B2E(), code) || SameCode(k.B3E(), code);
  });
}

void Tlup6DataKombinationsListe::RenameLens(std::string_view oldCode, std::string_view newCode) {
  for (auto &k : *this)
    if (SameCode(k.m_GE, oldCode)) {
      const std::string key = k.MatchKey();
      k.m_GE = newCode;
      k.reindex(key);
    }
  Sort(false);
}

void Tlup6DataKombinationsListe::RenameCoating(std::string_view oldCode, std::string_view newCode) {
  for (auto &k : *this) {
    const std::string key = k.MatchKey();
    if (SameCode(k.m_B1E, oldCode))
      k.m_B1E = newCode;
    if (SameCode(k.m_B2E, oldCode))
      k.m_B2E = newCode;
    if (SameCode(k.m_B3E, oldCode))
      k.m_B3E = newCode;
    k.reindex(key);
  }
  Sort(false);
}

void Tlup6DataKombinationsListe::SetAutoSort(bool flag) {
  m_autoSort = flag;
  if (flag)
    Sort(true);
}

void Tlup6DataKombinationsListe::Sort(bool force) {
  if ((!force && !m_autoSort) || m_sorting)
    return;
  m_sorting = true;
  std::vector<std::unique_ptr<Tlup6DataKombination>> items = takeAll();
  // Sorted key list refusing duplicates: the first in the previous order
  // keeps its place, later ones with the same key are destroyed.
  std::map<std::string, std::unique_ptr<Tlup6DataKombination>, CodeTextLess> byKey;
  std::vector<std::unique_ptr<Tlup6DataKombination>> dropped;
  for (auto &k : items) {
    std::string key = k->SortKey();
    auto [it, inserted] = byKey.try_emplace(std::move(key), nullptr);
    if (inserted)
      it->second = std::move(k);
    else
      dropped.push_back(std::move(k));
  }
  std::vector<std::unique_ptr<Tlup6DataKombination>> ordered;
  ordered.reserve(byKey.size());
  for (auto &entry : byKey)
    ordered.push_back(std::move(entry.second));
  putBack(std::move(ordered));
  m_sorting = false;
  dropped.clear();
}

} // namespace sf6
