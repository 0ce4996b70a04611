#include "model/Coating.h"

#include <algorithm>
#include <map>
#include <set>

#include "lang/LanguageTable.h"
#include "model/NameSlots.h"
#include "model/PriceSource.h"
#include "text/Collation.h"

namespace sf6 {

namespace {

constexpr const char *kSpecialCodes[] = {"Z1", "Z2", "Z3", "P1", "P2", "P3", "P4", "P5", "P6"};

} // namespace

// Coatings ------------------------------------------------------------------------------

Tlup6DataBeschichtung::Tlup6DataBeschichtung(Tlup6Dataobject *root, bool assignOid,
                                             Tlup6DataBeschichtungsliste *owner)
    : TCustomlup6Object(root, assignOid, owner), m_colours(root, this), m_prices(root, this),
      m_info(root, true, this), m_specialProducts(root, true, this, "SOPR", "EDV", false),
      m_assignment(root, true, this), m_orderOptions(root, true, this) {
  Tlup6DataBeschichtung::Clear(false);
}

Tlup6DataBeschichtung::~Tlup6DataBeschichtung() = default;

void Tlup6DataBeschichtung::Clear(bool flag) {
  ChangeIndexedFields(*this, [&] { clearFields(flag); });
}

void Tlup6DataBeschichtung::clearFields(bool flag) {
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
  m_colours.ClearList(flag);
  AAD = false;
  m_prices.ClearList(flag);
  m_info.Clear(flag);
  m_specialProducts.Clear(flag);
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
  m_assignment.Clear(flag);
  FKB = 0;
  m_CSNR = 0;
  OLB = false;
}

Tlup6DataBeschichtungsliste *Tlup6DataBeschichtung::CoatingList() const {
  return static_cast<Tlup6DataBeschichtungsliste *>(Owner());
}

void Tlup6DataBeschichtung::SetEDV(std::string_view code) {
  if (!m_EDV.empty() && !SameCode(m_EDV, code) && Root() != nullptr) {
    Root()->Combinations().RenameCoating(m_EDV, code);
    Root()->ProductGroups().RenameCoatingInGroups(m_EDV, code);
  }
  ChangeIndexedFields(*this, [&] { m_EDV = code; });
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
    return SlotText(m_B, i);
  if (Root() == nullptr)
    return {};
  const Tlup6DataPrismenCylinder &pc = Root()->PrismCylinder();
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
    SetSlotText(m_B, i, text);
}
std::string Tlup6DataBeschichtung::GetShortName(int i) const {
  return SlotText(m_KB, i);
}
void Tlup6DataBeschichtung::SetShortName(int i, std::string_view text) {
  SetSlotText(m_KB, i, text);
}
std::string Tlup6DataBeschichtung::GetNameFallback(int i) const {
  return SlotTextWithFallback(i, [this](int n) { return GetName(n); });
}
std::string Tlup6DataBeschichtung::GetShortNameFallback(int i) const {
  return SlotTextWithFallback(i, [this](int n) { return GetShortName(n); });
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
  ChangeIndexedFields(*this, [&] { m_sf4Codes[static_cast<std::size_t>(m)] = text; });
}

CoatingKey Tlup6DataBeschichtung::IndexKey() const {
  CoatingKey key{FoldCode(m_EDV), {}};
  for (const auto &code : m_sf4Codes)
    if (!code.empty())
      key.sf4Codes.insert(FoldCode(code));
  return key;
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
  return Root()->ProductGroups().CoatingGroupNames(m_EDV, deliverable);
}

// Coating list ---------------------------------------------------------------------------------

Tlup6DataBeschichtung *Tlup6DataBeschichtungsliste::FindByCode(std::string_view code) const {
  const std::string key = ProductCodeKey(code);
  return key.empty() ? nullptr : m_byCode.Find(key);
}

Tlup6DataBeschichtung *Tlup6DataBeschichtungsliste::ScanByCode(std::string_view code) const {
  const std::string trimmed = RightTrim(code);
  if (trimmed.empty())
    return nullptr;
  return FindLast([&](const Tlup6DataBeschichtung &c) { return SameCode(c.EDV(), trimmed); });
}

Tlup6DataBeschichtung *Tlup6DataBeschichtungsliste::FindByName(std::string_view name,
                                                               int slot) const {
  // Names are texts, not codes: the whole Windows-1252 alphabet folds, so
  // "öko" finds "ÖKO".
  return FindLast(
      [&](const Tlup6DataBeschichtung &c) { return EqualsNoCase1252(c.GetName(slot), name); });
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
    Root()->Combinations().RemoveByCoating(coating->EDV());
    Root()->ProductGroups().RenameCoatingInGroups(coating->EDV(), "");
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
  RenumberItems(*this, changed, [](Tlup6DataBeschichtung &c) -> int32_t & { return c.m_CSNR; });
  m_renumbering = false;
}

void Tlup6DataBeschichtungsliste::indexAdd(const CoatingKey &key, Tlup6DataBeschichtung *item) {
  m_byCode.Add(key.code, item);
  for (const auto &sf4 : key.sf4Codes)
    m_bySF4.Add(sf4, item);
}

void Tlup6DataBeschichtungsliste::indexRemove(const CoatingKey &key,
                                              const Tlup6DataBeschichtung *item) {
  m_byCode.Remove(key.code, item);
  for (const auto &sf4 : key.sf4Codes)
    m_bySF4.Remove(sf4, item);
}

void Tlup6DataBeschichtungsliste::indexClear() {
  m_byCode.Clear();
  m_bySF4.Clear();
}

} // namespace sf6
