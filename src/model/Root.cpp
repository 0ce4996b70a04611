#include "model/Root.h"

#include "text/LargePages.h"

#include <algorithm>

#include "lang/LanguageTable.h"
#include "model/Coating.h"
#include "model/Lens.h"

namespace sf6 {

// Address ---------------------------------------------------------------------

Tlup6DataAdresse::Tlup6DataAdresse(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
    : TCustomlup6Object(root, assignOid, owner),
      m_coatings(std::make_unique<Tlup6DataLieferbareBeschichtungen>(root, true, this)),
      m_lenses(std::make_unique<Tlup6DataLieferbareGlaeser>(root, true, this)) {
  Tlup6DataAdresse::Clear(false);
}

Tlup6DataAdresse::~Tlup6DataAdresse() = default;

void Tlup6DataAdresse::Clear(bool flag) {
  FaxBest.clear();
  FaxZent.clear();
  GA = GB = 0;
  EDV.clear();
  MailTo.clear();
  Name.clear();
  Name1.clear();
  Name2.clear();
  EDV2.clear();
  Url.clear();
  LAND.clear();
  Ort.clear();
  Plz.clear();
  PlzPf.clear();
  PF.clear();
  const Tlup6DataPreisbezeichnungsliste *designations =
      Root() != nullptr ? &Root()->PriceDesignations() : nullptr;
  PrBezId1 = designations != nullptr && designations->FindByID(1) != nullptr ? 1 : 0;
  PrBezId2 = designations != nullptr && designations->FindByID(2) != nullptr ? 2 : 0;
  PrBezId3 = PrBezId4 = PrBezId5 = 0;
  PrDefCyl = true;
  Str.clear();
  TelBest.clear();
  TelZent.clear();
  m_coatings->Clear(flag);
  m_lenses->Clear(flag);
  Comment.clear();
  WNK.clear();
  WVK.clear();
  m_BEZNR = 1;
}

void Tlup6DataAdresse::SetBEZNR(int32_t n) {
  m_BEZNR = std::clamp(n, 1, 3);
}

std::string Tlup6DataAdresse::GetLanguage() const {
  if (Root() == nullptr)
    return {};
  return Root()->NamingPresets().GetLanguage(m_BEZNR);
}

std::string Tlup6DataAdresse::GetFormattedCode(std::string_view separator, bool fixed) const {
  if (fixed)
    return PadRight(EDV, 3) + PadRight(EDV2, 3);
  std::string code = EDV;
  if (!EDV2.empty()) {
    code += separator;
    code += EDV2;
  }
  return code;
}

// Price designations -------------------------------------------------------------

void Tlup6DataPreisbezeichnung::Clear(bool) {
  BEZ.clear();
  WNK.clear();
  WVK.clear();
  BE.clear();
  ID = 0;
  PFT = TSf6PriceType::ListenEk;
}

Tlup6DataPreisbezeichnung *Tlup6DataPreisbezeichnungsliste::AddNextFree() {
  const int32_t id = SmallestFreeId([](const Tlup6DataPreisbezeichnung &p) { return p.ID; });
  Tlup6DataPreisbezeichnung *item = AddNew();
  item->ID = id;
  return item;
}

Tlup6DataPreisbezeichnung *Tlup6DataPreisbezeichnungsliste::FindByID(int32_t id) const {
  return FindLast([id](const Tlup6DataPreisbezeichnung &p) { return p.ID == id; });
}

void Tlup6DataPreisbezeichnungsliste::Remove(Tlup6DataPreisbezeichnung *item) {
  if (IndexOf(item) < 0)
    return;
  const int32_t id = item->ID;
  if (Root() != nullptr) {
    for (auto &lens : Root()->Lenses())
      lens.Prices().RemoveByPBID(id);
    for (auto &coating : Root()->Coatings())
      coating.Prices().RemoveByPBID(id);
  }
  RemoveItem(item);
}

void Tlup6DataPreisbezeichnungsliste::ClearList(bool withDefaults) {
  clearItems();
  if (!withDefaults)
    return;
  Tlup6DataPreisbezeichnung *purchase = AddNextFree();
  purchase->PFT = TSf6PriceType::ListenEk;
  purchase->BEZ = EnumText(TSf6PriceType::ListenEk);
  purchase->WNK = "ct";
  purchase->WVK = "EUR";
  purchase->BE = LangText(112);
  Tlup6DataPreisbezeichnung *retail = AddNextFree();
  retail->PFT = TSf6PriceType::EmpfVk;
  retail->BEZ = "empf. VK";
  retail->WNK = "ct";
  retail->WVK = "EUR";
  retail->BE = LangText(113);
}

// Information texts -----------------------------------------------------------------

Tlup6DataInfo::Tlup6DataInfo(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
    : TCustomlup6Object(root, assignOid, owner),
      m_images(std::make_unique<Tlup6DataImageListe>(root, this)) {}

Tlup6DataInfo::~Tlup6DataInfo() = default;

void Tlup6DataInfo::Clear(bool flag) {
  for (auto &slot : m_lines)
    for (auto &line : slot)
      line.clear();
  m_images->ClearList(flag);
}

std::string Tlup6DataInfo::GetLine(int slot, int type) const {
  if (slot < 1 || slot > kSlots || type < 0 || type >= kTypes)
    return {};
  return m_lines[static_cast<std::size_t>(slot - 1)][static_cast<std::size_t>(type)];
}

void Tlup6DataInfo::SetLine(int slot, int type, std::string_view text) {
  if (slot < 1 || slot > kSlots || type < 0 || type >= kTypes)
    return;
  m_lines[static_cast<std::size_t>(slot - 1)][static_cast<std::size_t>(type)] = text;
}

// Root ---------------------------------------------------------------------------------

std::pmr::memory_resource *ItemMemoryOf(Tlup6Dataobject *root) {
  return root != nullptr ? &root->m_itemMemory : std::pmr::new_delete_resource();
}

// Chunks grow to 65536 blocks, megabytes that LargePageMemory backs with
// large pages. Blocks of up to 64 KB come from the pool: items, and the
// lookup tables of lists of a few thousand items, which a growing table
// hands back for the next list to use.
Tlup6Dataobject::Tlup6Dataobject()
    : m_itemMemory(std::pmr::pool_options{65536, 65536}, LargePageMemory()) {
  m_namingPresets = std::make_unique<Tlup6DataBezeichnungsvorgaben>(this, true, this);
  m_productGroups = std::make_unique<Tlup6DataProduktgruppenliste>(this, this);
  m_addresses = std::make_unique<Tlup6DataAdressliste>(this, this);
  m_priceDesignations = std::make_unique<Tlup6DataPreisbezeichnungsliste>(this, this);
  m_lenses = std::make_unique<Tlup6DataGlasliste>(this, this);
  m_coatings = std::make_unique<Tlup6DataBeschichtungsliste>(this, this);
  m_combinations = std::make_unique<Tlup6DataKombinationsListe>(this, this);
  m_variables = std::make_unique<Tlup6DataVariableliste>(this, this);
  m_prismCylinder = std::make_unique<Tlup6DataPrismenCylinder>(this, true, this);
  m_deliveryRangeNames = std::make_unique<Tlup6DataLieferbereichsbezeichnungsliste>(this, this);
  m_formulaGroups = std::make_unique<Tlup6DataFormelGruppeListe>(this, this);
  m_protocol = std::make_unique<Tlup6DataProtokollliste>(this, this);
  m_lensSubst = std::make_unique<Tlup6DataCodeSubstGlasList>(this, this);
  m_coatingSubst = std::make_unique<Tlup6DataCodeSubstBeschList>(this, this);
}

// The lists go in reverse order of construction; the registry, declared
// first, outlives them all.
Tlup6Dataobject::~Tlup6Dataobject() = default;

void Tlup6Dataobject::Clear(bool withDefaults) {
  m_LOID = 1;
  m_addresses->ClearList(withDefaults);
  m_priceDesignations->ClearList(withDefaults);
  m_lenses->ClearList(withDefaults);
  m_coatings->ClearList(withDefaults);
  m_combinations->ClearList(withDefaults);
  m_variables->ClearList(withDefaults);
  m_prismCylinder->Clear(withDefaults);
  m_deliveryRangeNames->ClearList(withDefaults);
  m_formulaGroups->ClearList(withDefaults);
  m_protocol->ClearList(withDefaults);
  m_namingPresets->Clear(withDefaults);
  m_productGroups->ClearList(withDefaults);
  m_lensSubst->ClearList(withDefaults);
  m_coatingSubst->ClearList(withDefaults);
  NOTE.clear();
}

void Tlup6Dataobject::RegisterObject(TCustomlup6Object *object) {
  object->m_regPrev = nullptr;
  object->m_regNext = m_registryHead;
  if (m_registryHead != nullptr)
    m_registryHead->m_regPrev = object;
  m_registryHead = object;
  ++m_registryCount;
}

void Tlup6Dataobject::UnregisterObject(TCustomlup6Object *object) {
  if (object->m_regPrev != nullptr)
    object->m_regPrev->m_regNext = object->m_regNext;
  else if (m_registryHead == object)
    m_registryHead = object->m_regNext;
  else
    return; // not in this registry
  if (object->m_regNext != nullptr)
    object->m_regNext->m_regPrev = object->m_regPrev;
  object->m_regPrev = object->m_regNext = nullptr;
  --m_registryCount;
  if (!m_guard.empty())
    std::erase(m_guard, object);
}

bool Tlup6Dataobject::IsRegistered(const TCustomlup6Object *object) const {
  for (const TCustomlup6Object *o = m_registryHead; o != nullptr; o = o->m_regNext)
    if (o == object)
      return true;
  return false;
}

void Tlup6Dataobject::DoProgress(std::string_view text) {
  if (OnProgress)
    OnProgress(*this, text);
}

void Tlup6Dataobject::SetModified(int32_t value) {
  m_Modified = value;
  if (OnModified)
    OnModified(*this, 0);
}

} // namespace sf6
