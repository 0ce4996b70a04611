#include "model/Lens.h"

#include <algorithm>
#include <set>

#include "lang/LanguageTable.h"
#include "model/Coating.h"
#include "model/NameSlots.h"
#include "model/PriceSource.h"

namespace sf6 {

// Lenses ---------------------------------------------------------------------------------------

Tlup6DataGlas::Tlup6DataGlas(Tlup6Dataobject *root, bool assignOid, Tlup6DataGlasliste *owner)
    : TCustomlup6Object(root, assignOid, owner), m_geometries(root, this), m_ranges(root, this),
      m_prices(root, this), m_priceGroups(root, true, this), m_info(root, true, this),
      m_assignment(root, false, this), m_orderOptions(root, true, this) {
  Tlup6DataGlas::Clear(false);
}

Tlup6DataGlas::~Tlup6DataGlas() = default;

std::string Tlup6DataGlas::GetDisplayText(int kind, std::string_view) const {
  return TCustomlup6Object::GetDisplayText(kind,
                                           LangText(173) + " " + GetName(1) + "(" + m_EDV + ")");
}

void Tlup6DataGlas::Clear(bool flag) {
  if (!m_EDV.empty())
    ChangeIndexedFields(*this, [&] { m_EDV.clear(); });
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
  m_geometries.ClearList(flag);
  m_ranges.ClearList(flag);
  m_prices.ClearList(flag);
  m_priceGroups.Clear(flag);
  m_info.Clear(flag);
  AGKB = AGKG = 100;
  Vers = Pri = false;
  m_assignment.Clear(flag);
  EG = TS = false;
  EdDmA = 0;
  m_CSNR = 0;
  if (Tlup6DataGlasliste *list = LensList(); list != nullptr && listSeq() != 0)
    list->m_dense = false;
  KDMA = KMDM = 0;
}

Tlup6DataGlasliste *Tlup6DataGlas::LensList() const {
  return static_cast<Tlup6DataGlasliste *>(Owner());
}

void Tlup6DataGlas::SetEDV(std::string_view code) {
  if (!m_EDV.empty() && !SameCode(m_EDV, code) && Root() != nullptr) {
    Root()->Combinations().RenameLens(m_EDV, code);
    Root()->ProductGroups().RenameLensInGroups(m_EDV, code);
  }
  ChangeIndexedFields(*this, [&] { m_EDV = code; });
}

std::string Tlup6DataGlas::GetName(int i) const {
  return SlotText(m_B, i);
}
void Tlup6DataGlas::SetName(int i, std::string_view text) {
  SetSlotText(m_B, i, text);
}
std::string Tlup6DataGlas::GetShortName(int i) const {
  return SlotText(m_KB, i);
}
void Tlup6DataGlas::SetShortName(int i, std::string_view text) {
  SetSlotText(m_KB, i, text);
}
std::string Tlup6DataGlas::GetNameFallback(int i) const {
  return SlotTextWithFallback(i, [this](int n) { return GetName(n); });
}
std::string Tlup6DataGlas::GetShortNameFallback(int i) const {
  return SlotTextWithFallback(i, [this](int n) { return GetShortName(n); });
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
  return Root()->ProductGroups().LensGroupNames(m_EDV, deliverable);
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
  const std::string key = ProductCodeKey(code);
  return key.empty() ? nullptr : m_index.Find(key);
}

Tlup6DataGlas *Tlup6DataGlasliste::ScanByCode(std::string_view code) const {
  const std::string trimmed = RightTrim(code);
  if (trimmed.empty())
    return nullptr;
  return FindLast([&](const Tlup6DataGlas &l) { return SameCode(l.EDV(), trimmed); });
}

void Tlup6DataGlasliste::Renumber(const Tlup6DataGlas *changed) {
  if (m_renumbering || !m_renumberOn)
    return;
  m_renumbering = true;
  m_dense =
      RenumberItems(*this, changed, [](Tlup6DataGlas &lens) -> int32_t & { return lens.m_CSNR; });
  m_renumbering = false;
}

void Tlup6DataGlasliste::itemAdded(Tlup6DataGlas *item) {
  KeyedOwningList::itemAdded(item);
  m_dense = false;
}

void Tlup6DataGlasliste::itemRemoved(Tlup6DataGlas *item) {
  m_dense = false;
  KeyedOwningList::itemRemoved(item);
}

void Tlup6DataGlasliste::itemsReset() {
  m_dense = Count() == 0;
  KeyedOwningList::itemsReset();
}

} // namespace sf6
