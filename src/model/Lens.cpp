#include "model/Lens.h"

#include <algorithm>
#include <set>

#include "lang/LanguageTable.h"
#include "model/Coating.h"
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

// Slot i, else the next lower slot while empty; slot 1 is the last tried.
template <class Get> std::string withFallback(int i, Get get) {
  std::string text = get(i);
  while (text.empty() && i >= 2) {
    --i;
    text = get(i);
  }
  return text;
}

} // namespace

// Power ranges ---------------------------------------------------------------------

std::string Tlup6DataGlasWirkung::GetDisplayText(int kind, std::string_view) const {
  std::string text = TCustomlup6Object::GetDisplayText(kind, LangText(116));
  if (const Tlup6DataGlas *lens = GetLens())
    text += lens->EDV() + " " + lens->GetName(1);
  return text;
}

void Tlup6DataGlasWirkung::Clear(bool) {
  PV = SphV = SphB = AddB = cylV = AddV = CylB = 0;
  AddS = TSf6AddStep::Step025;
  Lag = ELief = BF = false;
  LB = LA = 0;
  BEDV1.clear();
  BEDV2.clear();
  BEDV3.clear();
  BEDV4.clear();
  BEDV5.clear();
  LBI = 0;
  LZ = 0;
  DM = {};
  cylWV = CylWB = 0;
  SIP = DFUR = OLB = false;
}

void Tlup6DataGlasWirkung::SetSph(double from, double to) {
  SphV = from;
  SphB = to;
}

void Tlup6DataGlasWirkung::SetCyl(double a, double b) {
  cylV = std::min(a, b);
  CylB = std::max(a, b);
}

void Tlup6DataGlasWirkung::SetAdd(double a, double b) {
  AddV = std::min(a, b);
  AddB = std::max(a, b);
}

bool Tlup6DataGlasWirkung::Contains(double cyl, double sph) const {
  return LowerSph(cyl) <= sph && sph <= UpperSph(cyl) && cylV - 0.001 <= cyl && cyl <= CylB + 0.001;
}

Tlup6DataGlas *Tlup6DataGlasWirkung::GetLens() const {
  auto *list = dynamic_cast<Tlup6DataGlasWirkungsListe *>(Owner());
  return list != nullptr ? dynamic_cast<Tlup6DataGlas *>(list->Owner()) : nullptr;
}

std::string Tlup6DataGlasWirkung::GetLensCode() const {
  const Tlup6DataGlas *lens = GetLens();
  return lens != nullptr ? lens->EDV() : std::string();
}

LineList Tlup6DataGlasWirkungsListe::GetDeliveryIndexes() const {
  std::set<std::string, CodeTextLess> indexes;
  for (auto &range : *this)
    indexes.insert(IntToText(range.LBI));
  return LineList(indexes.begin(), indexes.end());
}

LineList Tlup6DataGlasWirkungsListe::GetDiameters(bool addEmpty, bool filter, double sph,
                                                  double cyl, double add, double prism) const {
  constexpr double tol = 0.0001;
  LineList result;
  if (addEmpty)
    result.emplace_back();
  if (cyl < 0) {
    sph += cyl;
    cyl = -cyl;
  }
  std::set<std::string, CodeTextLess> bySph, byCyl, byAdd, byPrism;
  for (auto &r : *this) {
    const std::string text = DiameterToText(r.DM);
    if (!filter || (sph >= r.LowerSph(cyl) - tol && sph <= r.UpperSph(cyl) + tol))
      bySph.insert(text);
    if (!filter || (cyl >= r.cylV - tol && cyl <= r.CylB + tol))
      byCyl.insert(text);
    if (!filter || (add >= r.AddV - tol && add <= r.AddB + tol))
      byAdd.insert(text);
    if (!filter || prism <= r.PV + tol)
      byPrism.insert(text);
  }
  for (const std::string &d : bySph)
    if (byCyl.count(d) != 0 && byAdd.count(d) != 0 && byPrism.count(d) != 0)
      result.push_back(d);
  return result;
}

// Geometry ---------------------------------------------------------------------------

void Tlup6DataGlasGeometrie::Clear(bool) {
  BN = HAFB = WSV = WSB = ORN = VANB = URN = HN = VAFB = HZ = VAZK = 0;
  NTT = TSf6SegmentType::C;
  MVANB = MHANP = 0;
  Dm = {};
  WK = false;
  DM1H = DM2H = VAMN = HAT = VAT = 0;
  BLR = TSf6ViewDirection::Nullblickrichtung;
  HANP = 0;
}

// Price groups -------------------------------------------------------------------------

void Tlup6DataPreisgruppen::Clear(bool) {
  m_sph = {};
  m_cyl = {};
}

bool Tlup6DataPreisgruppen::IsSphGroup(int n) const {
  return n >= 0 && n <= kMax && m_sph[static_cast<std::size_t>(n)];
}
bool Tlup6DataPreisgruppen::IsCylGroup(int n) const {
  return n >= 0 && n <= kMax && m_cyl[static_cast<std::size_t>(n)];
}
void Tlup6DataPreisgruppen::SetSphGroup(int n, bool flag) {
  if (n >= 0 && n <= kMax)
    m_sph[static_cast<std::size_t>(n)] = flag;
}
void Tlup6DataPreisgruppen::SetCylGroup(int n, bool flag) {
  if (n >= 0 && n <= kMax)
    m_cyl[static_cast<std::size_t>(n)] = flag;
}

namespace {
int groupBelow(const std::array<bool, Tlup6DataPreisgruppen::kMax + 1> &flags, int n) {
  for (int i = std::min(n - 1, Tlup6DataPreisgruppen::kMax); i >= 0; --i)
    if (flags[static_cast<std::size_t>(i)])
      return i;
  return -1;
}
} // namespace

int Tlup6DataPreisgruppen::SphGroupBelow(int n) const {
  return groupBelow(m_sph, n);
}
int Tlup6DataPreisgruppen::CylGroupBelow(int n) const {
  return groupBelow(m_cyl, n);
}
int Tlup6DataPreisgruppen::CountSphGroups() const {
  return static_cast<int>(std::count(m_sph.begin(), m_sph.end(), true));
}
int Tlup6DataPreisgruppen::CountCylGroups() const {
  return static_cast<int>(std::count(m_cyl.begin(), m_cyl.begin() + 11, true));
}

// Lens prices -----------------------------------------------------------------------------

std::size_t LensPriceKeyHash::operator()(const LensPriceKey &k) const {
  std::size_t h = HashMix(0, (uint64_t{k.sph} << 8) | k.cyl);
  h = HashMix(h, (static_cast<uint64_t>(static_cast<uint32_t>(k.dm.First)) << 32) |
                     static_cast<uint32_t>(k.dm.Second));
  h = HashMix(h, (static_cast<uint64_t>(static_cast<uint32_t>(k.pbid)) << 32) |
                     static_cast<uint32_t>(k.lbi));
  return HashMix(h, k.dm.E ? 1 : 0);
}

Tlup6DataGlasPreis::Tlup6DataGlasPreis(Tlup6Dataobject *root, bool assignOid, Tlup6Node *owner)
    : TCustomlup6Object(root, assignOid, owner),
      m_local(std::make_unique<Tlup6DataFormelLokalGlas>(root, true, this)) {
  Tlup6DataGlasPreis::Clear(false);
}

Tlup6DataGlasPreis::~Tlup6DataGlasPreis() = default;

void Tlup6DataGlasPreis::Clear(bool flag) {
  PR = 0;
  PQ = 0;
  setKey(LensPriceKey{});
  m_local->Clear(flag);
}

LensPriceKey Tlup6DataGlasPreis::Key() const {
  return {static_cast<uint8_t>(m_GSph), static_cast<uint8_t>(m_GCyl), m_GDM, m_PBID, m_LBI};
}

void Tlup6DataGlasPreis::setKey(const LensPriceKey &key) {
  const LensPriceKey old = Key();
  m_GSph = key.sph;
  m_GCyl = key.cyl;
  m_GDM = key.dm;
  m_PBID = key.pbid;
  m_LBI = key.lbi;
  if (Tlup6DataGlasTarifListe *list = PriceList(); list != nullptr && listSeq() != 0)
    list->rekey(this, old);
}

#define SF6_LENS_PRICE_SETTER(Name, member, type)                                                  \
  void Tlup6DataGlasPreis::Set##Name(type v) {                                                     \
    const LensPriceKey old = Key();                                                                \
    member = v;                                                                                    \
    if (Tlup6DataGlasTarifListe *list = PriceList(); list != nullptr && listSeq() != 0)            \
      list->rekey(this, old);                                                                      \
  }
SF6_LENS_PRICE_SETTER(GSph, m_GSph, int32_t)
SF6_LENS_PRICE_SETTER(GCyl, m_GCyl, int32_t)
SF6_LENS_PRICE_SETTER(GDM, m_GDM, const TSf6Diameter &)
SF6_LENS_PRICE_SETTER(PBID, m_PBID, int32_t)
SF6_LENS_PRICE_SETTER(LBI, m_LBI, int32_t)
#undef SF6_LENS_PRICE_SETTER

void Tlup6DataGlasPreis::SetPrice(double value) {
  PR = value;
  PQ = 1;
}

double Tlup6DataGlasPreis::GetPrice() const { return detail::PriceValue(*this); }

int Tlup6DataGlasPreis::ComputePrice(double &value, bool resetGuard) const {
  return detail::ComputePriceBySource(*this, resetGuard, value,
                                      &Tlup6DataFormelGruppeListe::ComputeLensPrice);
}

int Tlup6DataGlasPreis::IsInSomeRange() const {
  const Tlup6DataGlas *lens = GetLens();
  if (lens == nullptr)
    return 2;
  const Tlup6DataPreisgruppen *groups = lens->PriceGroups();
  const double s = m_GSph;
  const double c = m_GCyl;
  const double s0 = std::max(0.0, groups->SphGroupBelow(m_GSph) + 0.25);
  const double c0 = std::max(0.0, groups->CylGroupBelow(m_GCyl) + 0.25);
  const double points[8][2] = {{c, s},  {c0, s},  {c, s0},  {c0, s0},
                               {c, -s}, {c0, -s}, {c, -s0}, {c0, -s0}};
  for (auto &range : *lens->Ranges()) {
    if (!(range.DM == m_GDM) || range.LBI != m_LBI)
      continue;
    for (const auto &p : points)
      if (range.Contains(p[0], p[1]))
        return 0;
  }
  return 2;
}

Tlup6DataGlasTarifListe *Tlup6DataGlasPreis::PriceList() const {
  return dynamic_cast<Tlup6DataGlasTarifListe *>(Owner());
}

Tlup6DataGlas *Tlup6DataGlasPreis::GetLens() const {
  const Tlup6DataGlasTarifListe *list = PriceList();
  return list != nullptr ? list->GetLens() : nullptr;
}

Tlup6DataGlas *Tlup6DataGlasTarifListe::GetLens() const {
  return dynamic_cast<Tlup6DataGlas *>(Owner());
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
  if (!lens->PriceGroups()->IsSphGroup(sphGroup) || !lens->PriceGroups()->IsCylGroup(cylGroup))
    return nullptr;
  if (Root()->DeliveryRangeNames()->FindByID(lbi) == nullptr ||
      Root()->PriceDesignations()->FindByID(pbid) == nullptr)
    return nullptr;
  Tlup6DataGlasPreis *price = AddNew();
  // GSph and GCyl keep the full integers given, as the separate setters would.
  price->setKey(key);
  price->m_GSph = sphGroup;
  price->m_GCyl = cylGroup;
  return price;
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
    if (p.Key() == key)
      result = &p;
  return result;
}

void Tlup6DataGlasTarifListe::rekey(Tlup6DataGlasPreis *item, const LensPriceKey &oldKey) {
  const LensPriceKey newKey = item->Key();
  if (newKey == oldKey)
    return;
  m_index.Remove(oldKey, item);
  m_index.Add(newKey, item);
}

void Tlup6DataGlasTarifListe::itemAdded(Tlup6DataGlasPreis *item) {
  m_index.Add(item->Key(), item);
}

void Tlup6DataGlasTarifListe::itemRemoved(Tlup6DataGlasPreis *item) {
  m_index.Remove(item->Key(), item);
}

void Tlup6DataGlasTarifListe::itemsReset() {
  m_index.Clear();
  for (auto &p : *this)
    m_index.Add(p.Key(), &p);
}

// Lenses ---------------------------------------------------------------------------------------

Tlup6DataGlas::Tlup6DataGlas(Tlup6Dataobject *root, bool assignOid, Tlup6Node *owner)
    : TCustomlup6Object(root, assignOid, owner),
      m_geometries(std::make_unique<Tlup6DataGlasGeometrieListe>(root, this)),
      m_ranges(std::make_unique<Tlup6DataGlasWirkungsListe>(root, this)),
      m_prices(std::make_unique<Tlup6DataGlasTarifListe>(root, this)),
      m_priceGroups(std::make_unique<Tlup6DataPreisgruppen>(root, true, this)),
      m_info(std::make_unique<Tlup6DataInfo>(root, true, this)),
      m_assignment(std::make_unique<Tlup6DataFormelZuweisung>(root, false, this)),
      m_orderOptions(std::make_unique<Tlup6DataOrderOptions>(root, true, this)) {
  Tlup6DataGlas::Clear(false);
}

Tlup6DataGlas::~Tlup6DataGlas() = default;

std::string Tlup6DataGlas::GetDisplayText(int kind, std::string_view) const {
  return TCustomlup6Object::GetDisplayText(kind,
                                           LangText(173) + " " + GetName(1) + "(" + m_EDV + ")");
}

void Tlup6DataGlas::Clear(bool flag) {
  if (!m_EDV.empty()) {
    const std::string old = FoldCode(m_EDV);
    m_EDV.clear();
    if (Tlup6DataGlasliste *list = LensList(); list != nullptr && listSeq() != 0)
      list->rekey(this, old);
  }
  for (auto &s : m_B)
    s.clear();
  for (auto &s : m_KB)
    s.clear();
  AB = BR = DI = 0;
  AS = false;
  EM = TSf6LensKind::Einstaerken;
  ME = TSf6BrandClass::Standard;
  MAT = TSf6Material::Silikat;
  ST = AG = false;
  LA = LB = 0;
  UVK = UVB = UVA = 0;
  EGB = TSf6SingleLensOrder::NichtMoeglich;
  FK = FKB = 0;
  STV = TSf6RoadUse::KeineAngabe;
  UV = MDM = false;
  ET = TSf6AntiReflection::Keine;
  HA = VS = AD = false;
  FA = TSf6Tint::Keine;
  CL = PH = false;
  KDM = TSf6Inclusion::NichtInklusive;
  m_geometries->ClearList(flag);
  m_ranges->ClearList(flag);
  m_prices->ClearList(flag);
  m_priceGroups->Clear(flag);
  m_info->Clear(flag);
  AGKB = AGKG = 100;
  Vers = Pri = false;
  m_assignment->Clear(flag);
  EG = TS = false;
  EdDmA = 0;
  m_CSNR = 0;
  if (Tlup6DataGlasliste *list = LensList(); list != nullptr && listSeq() != 0)
    list->m_dense = false;
  KDMA = KMDM = 0;
}

Tlup6DataGlasliste *Tlup6DataGlas::LensList() const {
  return dynamic_cast<Tlup6DataGlasliste *>(Owner());
}

void Tlup6DataGlas::SetEDV(std::string_view code) {
  if (!m_EDV.empty() && !SameCode(m_EDV, code) && Root() != nullptr) {
    Root()->Combinations()->RenameLens(m_EDV, code);
    Root()->ProductGroups()->RenameLensInGroups(m_EDV, code);
  }
  const std::string old = FoldCode(m_EDV);
  m_EDV = code;
  if (Tlup6DataGlasliste *list = LensList(); list != nullptr && listSeq() != 0)
    list->rekey(this, old);
}

std::string Tlup6DataGlas::GetName(int i) const {
  return slotText(m_B, i);
}
void Tlup6DataGlas::SetName(int i, std::string_view text) {
  setSlotText(m_B, i, text);
}
std::string Tlup6DataGlas::GetShortName(int i) const {
  return slotText(m_KB, i);
}
void Tlup6DataGlas::SetShortName(int i, std::string_view text) {
  setSlotText(m_KB, i, text);
}
std::string Tlup6DataGlas::GetNameFallback(int i) const {
  return withFallback(i, [this](int n) { return GetName(n); });
}
std::string Tlup6DataGlas::GetShortNameFallback(int i) const {
  return withFallback(i, [this](int n) { return GetShortName(n); });
}

void Tlup6DataGlas::SetCSNR(int32_t n) {
  m_CSNR = n;
  if (Tlup6DataGlasliste *list = LensList(); list != nullptr && listSeq() != 0) {
    list->m_dense = false;
    list->Renumber(this);
  }
}

LineList Tlup6DataGlas::GetProductGroupNames(bool deliverable) const {
  if (Root() == nullptr)
    return {};
  return Root()->ProductGroups()->LensGroupNames(m_EDV, deliverable);
}

Tlup6DataGlas *Tlup6DataGlasliste::AddLens() {
  const bool wasDense = m_dense && m_renumberOn;
  Tlup6DataGlas *lens = AddNew();
  if (!wasDense) {
    lens->SetCSNR(100000);
    return lens;
  }
  // 100000 sorts after every number 0 .. Count-2 as long as the list is
  // shorter than that; the others keep their numbers.
  if (Count() - 1 < 100000) {
    lens->m_CSNR = Count() - 1;
    m_dense = true;
    return lens;
  }
  lens->SetCSNR(100000);
  return lens;
}

Tlup6DataGlas *Tlup6DataGlasliste::FindByCode(std::string_view code) const {
  return m_byCode.Find(FoldCode(RightTrim(code)));
}

Tlup6DataGlas *Tlup6DataGlasliste::ScanByCode(std::string_view code) const {
  const std::string trimmed = RightTrim(code);
  return FindLast([&](const Tlup6DataGlas &l) { return SameCode(l.EDV(), trimmed); });
}

void Tlup6DataGlasliste::Renumber(const Tlup6DataGlas *changed) {
  if (m_renumbering || !m_renumberOn)
    return;
  m_renumbering = true;
  std::vector<int32_t> numbers;
  numbers.reserve(static_cast<std::size_t>(Count()));
  int changedIndex = -1;
  for (auto &lens : *this) {
    if (&lens == changed)
      changedIndex = static_cast<int>(numbers.size());
    numbers.push_back(lens.m_CSNR);
  }
  const std::vector<int32_t> renumbered = RenumberedCSNR(numbers, changedIndex);
  std::size_t i = 0;
  m_dense = true;
  for (auto &lens : *this) {
    lens.m_CSNR = renumbered[i];
    if (renumbered[i] != static_cast<int32_t>(i))
      m_dense = false;
    ++i;
  }
  m_renumbering = false;
}

void Tlup6DataGlasliste::rekey(Tlup6DataGlas *item, const std::string &oldFolded) {
  const std::string folded = FoldCode(item->EDV());
  if (folded == oldFolded)
    return;
  m_byCode.Remove(oldFolded, item);
  m_byCode.Add(folded, item);
}

void Tlup6DataGlasliste::itemAdded(Tlup6DataGlas *item) {
  m_byCode.Add(FoldCode(item->EDV()), item);
  m_dense = false;
}

void Tlup6DataGlasliste::itemRemoved(Tlup6DataGlas *item) {
  m_dense = false;
  m_byCode.Remove(FoldCode(item->EDV()), item);
}

void Tlup6DataGlasliste::itemsReset() {
  m_dense = Count() == 0;
  m_byCode.Clear();
  for (auto &l : *this)
    m_byCode.Add(FoldCode(l.EDV()), &l);
}

} // namespace sf6
