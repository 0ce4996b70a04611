#include "model/Extras.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "model/Root.h"

namespace sf6 {

// Protocol ---------------------------------------------------------------------

void Tlup6DataProtokoll::Clear(bool) {
  B.clear();
  U.clear();
  D = 0;
}

TDateTime NowAsDateTime() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  TDateTime date = 0;
  double time = 0;
  if (!TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date))
    return 0;
  TryEncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), 0, time);
  return date + time;
}

Tlup6DataProtokoll *Tlup6DataProtokollliste::AddEntry(int32_t oid, std::string_view text,
                                                      TDateTime when, std::string_view user) {
  Tlup6DataProtokoll *entry = addUnnumbered();
  entry->SetOID(oid);
  entry->B = text;
  entry->U = user.empty() ? std::string("Der Benutzer") : std::string(user);
  entry->D = when == 0 ? NowAsDateTime() : when;
  if (Root() != nullptr)
    Root()->SetModified(1);
  return entry;
}

// Code sets --------------------------------------------------------------------

Tlup6DataStrings::Tlup6DataStrings(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner,
                                   std::string listTag, std::string itemTag, bool sorted)
    : TCustomlup6Object(root, assignOid, owner), m_listTag(std::move(listTag)),
      m_itemTag(std::move(itemTag)), m_sorted(sorted) {}

void Tlup6DataStrings::Clear(bool) {
  m_texts.clear();
}

void Tlup6DataStrings::Add(std::string_view text) {
  if (!m_sorted) {
    m_texts.emplace_back(text);
    return;
  }
  auto it = std::lower_bound(m_texts.begin(), m_texts.end(), text, CodeTextLess{});
  if (it != m_texts.end() && CompareCodeText(*it, text) == 0)
    return;
  m_texts.insert(it, std::string(text));
}

int Tlup6DataStrings::IndexOf(std::string_view text) const {
  if (m_sorted) {
    auto it = std::lower_bound(m_texts.begin(), m_texts.end(), text, CodeTextLess{});
    if (it != m_texts.end() && CompareCodeText(*it, text) == 0)
      return static_cast<int>(it - m_texts.begin());
    return -1;
  }
  for (std::size_t i = 0; i < m_texts.size(); ++i)
    if (SameCode(m_texts[i], text))
      return static_cast<int>(i);
  return -1;
}

void Tlup6DataStrings::Delete(int index) {
  if (index < 0 || index >= Count())
    return;
  m_texts.erase(m_texts.begin() + index);
}

Tlup6DataLieferbarSet::Tlup6DataLieferbarSet(Tlup6Dataobject *root, bool assignOid,
                                             CatalogNode *owner, std::string listTag)
    : TCustomlup6Object(root, assignOid, owner),
      m_strings(root, assignOid, this, std::move(listTag), "EDV", true) {}

Tlup6DataLieferbarSet::~Tlup6DataLieferbarSet() = default;

void Tlup6DataLieferbarSet::Replace(std::string_view oldCode, std::string_view newCode) {
  // Each pass removes one copy, so this ends even when newCode equals oldCode
  // in another letter case (the set then keeps newCode's spelling).
  const std::string newText(newCode);
  for (int guard = m_strings.Count() + 1; guard > 0; --guard) {
    const int index = m_strings.IndexOf(oldCode);
    if (index < 0)
      return;
    m_strings.Delete(index);
    if (!newText.empty())
      m_strings.Add(newText);
    if (!newText.empty() && SameCode(newText, oldCode))
      return;
  }
}

// Naming presets -------------------------------------------------------------------

std::string Tlup6DataBezeichnungsvorgaben::GetDisplayText(int kind, std::string_view) const {
  return TCustomlup6Object::GetDisplayText(kind, "Bezeichnungsvorgabe");
}

void Tlup6DataBezeichnungsvorgaben::Clear(bool) {
  for (int n = 1; n <= 10; ++n) {
    m_BEZ[static_cast<std::size_t>(n - 1)] = "Bezeichnung " + std::to_string(n);
    m_LANG[static_cast<std::size_t>(n - 1)] = "DE";
  }
}

std::string Tlup6DataBezeichnungsvorgaben::GetName(int n) const {
  return n >= 1 && n <= 10 ? m_BEZ[static_cast<std::size_t>(n - 1)] : std::string();
}
void Tlup6DataBezeichnungsvorgaben::SetName(int n, std::string_view text) {
  if (n >= 1 && n <= 10)
    m_BEZ[static_cast<std::size_t>(n - 1)] = text;
}
std::string Tlup6DataBezeichnungsvorgaben::GetLanguage(int n) const {
  return n >= 1 && n <= 10 ? m_LANG[static_cast<std::size_t>(n - 1)] : std::string();
}
void Tlup6DataBezeichnungsvorgaben::SetLanguage(int n, std::string_view text) {
  if (n >= 1 && n <= 10)
    m_LANG[static_cast<std::size_t>(n - 1)] = text;
}

// Product groups ------------------------------------------------------------------

Tlup6DataProduktgruppe::Tlup6DataProduktgruppe(Tlup6Dataobject *root, bool assignOid,
                                               CatalogNode *owner)
    : TCustomlup6Object(root, assignOid, owner), m_coatings(root, true, this),
      m_lenses(root, true, this) {
  Tlup6DataProduktgruppe::Clear(false);
}

Tlup6DataProduktgruppe::~Tlup6DataProduktgruppe() = default;

void Tlup6DataProduktgruppe::Clear(bool flag) {
  BEZ.clear();
  BE.clear();
  ID = 0;
  m_coatings.Clear(flag);
  m_lenses.Clear(flag);
}

Tlup6DataProduktgruppe *Tlup6DataProduktgruppenliste::AddNextFree() {
  const int32_t id = SmallestFreeId([](const Tlup6DataProduktgruppe &g) { return g.ID; });
  Tlup6DataProduktgruppe *group = AddNew();
  group->ID = id;
  return group;
}

Tlup6DataProduktgruppe *Tlup6DataProduktgruppenliste::FindByID(int32_t id) const {
  return FindLast([id](const Tlup6DataProduktgruppe &g) { return g.ID == id; });
}

void Tlup6DataProduktgruppenliste::RenameLensInGroups(std::string_view oldCode,
                                                      std::string_view newCode) {
  for (auto &g : *this)
    g.DeliverableLenses().Replace(oldCode, newCode);
}

void Tlup6DataProduktgruppenliste::RenameCoatingInGroups(std::string_view oldCode,
                                                         std::string_view newCode) {
  for (auto &g : *this)
    g.DeliverableCoatings().Replace(oldCode, newCode);
}

LineList Tlup6DataProduktgruppenliste::LensGroupNames(std::string_view code,
                                                      bool deliverable) const {
  LineList names;
  for (auto &g : *this)
    if (g.DeliverableLenses().IsDeliverable(code) == deliverable)
      names.push_back(g.BEZ);
  return names;
}

LineList Tlup6DataProduktgruppenliste::CoatingGroupNames(std::string_view code,
                                                         bool deliverable) const {
  LineList names;
  for (auto &g : *this)
    if (g.DeliverableCoatings().IsDeliverable(code) == deliverable)
      names.push_back(g.BEZ);
  return names;
}

// Order options -------------------------------------------------------------------

void Tlup6DataOrderOptions::Clear(bool) {
  m_MUTE = {};
  m_MUDU = {};
  m_KADU = {};
}

void Tlup6DataOrderOptions::SetMUTE(OrderFieldSet set) {
  m_MUTE = set;
  m_MUDU.bits &= ~set.bits;
  m_KADU.bits &= ~set.bits;
}
void Tlup6DataOrderOptions::SetMUDU(OrderFieldSet set) {
  m_MUDU = set;
  m_MUTE.bits &= ~set.bits;
  m_KADU.bits &= ~set.bits;
}
void Tlup6DataOrderOptions::SetKADU(OrderFieldSet set) {
  m_KADU = set;
  m_MUTE.bits &= ~set.bits;
  m_MUDU.bits &= ~set.bits;
}

// Code substitutions, images ---------------------------------------------------------

void Tlup6DataCodeSubstGlas::Clear(bool) {
  CN.clear();
  CA.clear();
  AKT = TSf6SubstAction::CodeErsetzen;
  BEM.clear();
}

void Tlup6DataCodeSubstBesch::Clear(bool) {
  CN1.clear();
  CN2.clear();
  CN3.clear();
  CA.clear();
  AKT = TSf6SubstAction::CodeErsetzen;
  BEM.clear();
}

void Tlup6DataImage::Clear(bool) {
  Picture.clear();
  BB.clear();
  FN.clear();
}

// SF4 code conversions ------------------------------------------------------------------

int Sf4Code0to3(int code) {
  return code >= 0 && code <= 3 ? code : 0;
}
int Sf4Code0to2(int code) {
  return code >= 0 && code <= 2 ? code : 0;
}
int Sf4CodeSingleMulti(int code) {
  return code == 1 || code == 2 ? 2 : 1;
}
int Sf4CodeToET(int code) {
  switch (code) {
  case 2:
    return 1;
  case 5:
    return 2;
  case 8:
    return 3;
  default:
    return 0;
  }
}
int Sf4CodeToFA(int code) {
  switch (code) {
  case 1:
    return 1;
  case 2:
    return 2;
  case 4:
    return 3;
  case 5:
    return 4;
  case 6:
    return 5;
  default:
    return 0;
  }
}
int Sf4CodeStep(int code) {
  if (code == 1)
    return 0;
  if (code == 2)
    return 1;
  return 2;
}

} // namespace sf6
