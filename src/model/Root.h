#pragma once

// The catalog root Tlup6Dataobject and the header-level classes hanging off
// it: manufacturer addresses, price designations, information texts.
//
// A new root holds empty lists (LOID 0, naming presets empty); Clear(true)
// turns it into the default catalog: two price designations (IDs 1 and 2),
// the nine special coatings, the standard delivery range (ID 0), named
// presets. The SF4 reader calls Clear(true) before it reads.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

#include "model/Extras.h"
#include "model/Formula.h"
#include "model/Lup6Object.h"
#include "sf6/Sf6Enums.h"
#include "text/LineList.h"

namespace sf6 {

class Tlup6DataGlasliste;
class Tlup6DataBeschichtungsliste;
class Tlup6DataKombinationsListe;

// Address ---------------------------------------------------------------------------

class Tlup6DataAdresse : public TCustomlup6Object {
public:
  Tlup6DataAdresse(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner);
  ~Tlup6DataAdresse() override;
  std::string GetTagName() const override { return "DA"; }
  // Empties everything; PrBezId1 / PrBezId2 become 1 / 2 when the root has a
  // price designation with that ID, else 0; PrDefCyl true; BEZNR 1.
  void Clear(bool flag) override;

  std::string FaxBest, FaxZent;
  TDateTime GA = 0, GB = 0; // valid from / to
  std::string EDV;          // manufacturer code
  std::string MailTo;
  std::string Name, Name1, Name2;
  std::string EDV2;
  std::string Url;
  std::string LAND, Ort, Plz, PlzPf, PF;
  int32_t PrBezId1 = 1, PrBezId2 = 2, PrBezId3 = 0, PrBezId4 = 0, PrBezId5 = 0;
  bool PrDefCyl = true; // "+" cylinder convention when true
  std::string Str, TelBest, TelZent;
  std::string Comment;
  std::string WNK, WVK;

  int32_t BEZNR() const { return m_BEZNR; }
  // Clamped to 1 .. 3.
  void SetBEZNR(int32_t n);
  // The language of naming-preset slot BEZNR; empty without a root.
  std::string GetLanguage() const;
  // fixed: EDV and EDV2 each padded or cut to 3 characters; else EDV, then
  // separator + EDV2 when EDV2 is not empty.
  std::string GetFormattedCode(std::string_view separator, bool fixed) const;

  Tlup6DataLieferbareGlaeser &DeliverableLenses() const { return *m_lenses; }
  Tlup6DataLieferbareBeschichtungen &DeliverableCoatings() const { return *m_coatings; }

private:
  int32_t m_BEZNR = 1;
  std::unique_ptr<Tlup6DataLieferbareBeschichtungen> m_coatings;
  std::unique_ptr<Tlup6DataLieferbareGlaeser> m_lenses;
};

class Tlup6DataAdressliste : public OwningList<Tlup6DataAdresse> {
public:
  using OwningList::OwningList;
  std::string GetTagName() const override { return "DAL"; }
};

// Price designations ----------------------------------------------------------------------

class Tlup6DataPreisbezeichnung : public TCustomlup6Object {
public:
  Tlup6DataPreisbezeichnung(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : TCustomlup6Object(root, assignOid, owner) {
    Tlup6DataPreisbezeichnung::Clear(false);
  }
  std::string GetTagName() const override { return "DPB"; }
  void Clear(bool flag) override;

  std::string BEZ; // name of the price kind
  std::string WNK; // currency sub-unit ("ct")
  std::string WVK; // currency unit ("EUR")
  std::string BE;  // description
  int32_t ID = 0;  // referenced by prices (PBID) and formulas
  TSf6PriceType PFT = TSf6PriceType::ListenEk;
};

class Tlup6DataPreisbezeichnungsliste : public OwningList<Tlup6DataPreisbezeichnung> {
public:
  using OwningList::OwningList;
  std::string GetTagName() const override { return "DPBL"; }
  // AddNew with ID = the smallest free number from 1.
  Tlup6DataPreisbezeichnung *AddNextFree();
  // The last designation with that ID, or null.
  Tlup6DataPreisbezeichnung *FindByID(int32_t id) const;
  // When item is in the list: deletes every lens and coating price of the
  // root with PBID = item's ID, then removes and destroys item.
  void Remove(Tlup6DataPreisbezeichnung *item);
  // With withDefaults: "Listen EK" (ID 1) and "empf. VK" (ID 2).
  void ClearList(bool withDefaults) override;
};

// Information texts ---------------------------------------------------------------------------

// 9 slots x 13 information types (TSf6InfoType ordinals) of text, and images.
class Tlup6DataInfo : public TCustomlup6Object {
public:
  static constexpr int kSlots = 9;
  static constexpr int kTypes = 13;

  Tlup6DataInfo(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner);
  ~Tlup6DataInfo() override;
  std::string GetTagName() const override { return "DINFO"; }
  void Clear(bool flag) override;

  // Empty text / no effect when slot is outside 1 .. 9 or type outside 0 .. 12.
  std::string GetLine(int slot, int type) const;
  void SetLine(int slot, int type, std::string_view text);
  Tlup6DataImageListe &Images() const { return *m_images; }

private:
  std::array<std::array<std::string, kTypes>, kSlots> m_lines;
  std::unique_ptr<Tlup6DataImageListe> m_images;
};

// Root ------------------------------------------------------------------------------------------

class Tlup6Dataobject : public CatalogNode {
public:
  Tlup6Dataobject();
  ~Tlup6Dataobject() override;

  // See the file comment. LOID becomes 1.
  void Clear(bool withDefaults);

  int32_t LOID() const { return m_LOID; }
  void SetLOID(int32_t value) { m_LOID = value; }
  // LOID + 1, stored and returned.
  int32_t NextOid() { return ++m_LOID; }

  // Object registry: every live object created with this root. Objects enter
  // and leave it from their constructor and destructor.
  void RegisterObject(TCustomlup6Object *object);
  void UnregisterObject(TCustomlup6Object *object);
  // Walks the registry (for checks and tests); object is only compared, never
  // dereferenced, so it may be a dangling pointer.
  bool IsRegistered(const TCustomlup6Object *object) const;
  std::size_t RegisteredCount() const { return m_registryCount; }

  // Prices currently being evaluated (see Formula.h).
  std::vector<const TCustomlup6Object *> &EvaluationGuard() { return m_guard; }
  // Evaluations since the outermost one began (see Formula.h).
  std::size_t &EvaluationSteps() { return m_evaluationSteps; }

  Tlup6DataProtokollliste &Protocol() const { return *m_protocol; }
  Tlup6DataAdressliste &Addresses() const { return *m_addresses; }
  Tlup6DataPreisbezeichnungsliste &PriceDesignations() const { return *m_priceDesignations; }
  Tlup6DataGlasliste &Lenses() const { return *m_lenses; }
  Tlup6DataBeschichtungsliste &Coatings() const { return *m_coatings; }
  Tlup6DataKombinationsListe &Combinations() const { return *m_combinations; }
  Tlup6DataVariableliste &Variables() const { return *m_variables; }
  Tlup6DataPrismenCylinder &PrismCylinder() const { return *m_prismCylinder; }
  Tlup6DataLieferbereichsbezeichnungsliste &DeliveryRangeNames() const {
    return *m_deliveryRangeNames;
  }
  Tlup6DataFormelGruppeListe &FormulaGroups() const { return *m_formulaGroups; }
  Tlup6DataBezeichnungsvorgaben &NamingPresets() const { return *m_namingPresets; }
  Tlup6DataProduktgruppenliste &ProductGroups() const { return *m_productGroups; }
  Tlup6DataCodeSubstGlasList &LensCodeSubstitutions() const { return *m_lensSubst; }
  Tlup6DataCodeSubstBeschList &CoatingCodeSubstitutions() const { return *m_coatingSubst; }

  LineList NOTE; // free notes

  // Progress messages (sender, text); may be unset.
  std::function<void(Tlup6Dataobject &, std::string_view)> OnProgress;
  void DoProgress(std::string_view text);

  int32_t Modified() const { return m_Modified; }
  // Stores value, then calls OnModified(root, 0) when set.
  void SetModified(int32_t value);
  std::function<void(Tlup6Dataobject &, int32_t)> OnModified;

private:
  friend std::pmr::memory_resource *ItemMemoryOf(Tlup6Dataobject *root);
  int32_t m_LOID = 0;
  int32_t m_Modified = 0;
  // Declared before the lists so that it outlives them: destroyed objects
  // leave it.
  TCustomlup6Object *m_registryHead = nullptr;
  std::size_t m_registryCount = 0;
  std::vector<const TCustomlup6Object *> m_guard;
  std::size_t m_evaluationSteps = 0;
  // The memory of the lists' items and indexes (ItemMemoryOf), declared
  // before the lists so that it outlives them.
  std::pmr::unsynchronized_pool_resource m_itemMemory;

  std::unique_ptr<Tlup6DataBezeichnungsvorgaben> m_namingPresets;
  std::unique_ptr<Tlup6DataProduktgruppenliste> m_productGroups;
  std::unique_ptr<Tlup6DataAdressliste> m_addresses;
  std::unique_ptr<Tlup6DataPreisbezeichnungsliste> m_priceDesignations;
  std::unique_ptr<Tlup6DataGlasliste> m_lenses;
  std::unique_ptr<Tlup6DataBeschichtungsliste> m_coatings;
  std::unique_ptr<Tlup6DataKombinationsListe> m_combinations;
  std::unique_ptr<Tlup6DataVariableliste> m_variables;
  std::unique_ptr<Tlup6DataPrismenCylinder> m_prismCylinder;
  std::unique_ptr<Tlup6DataLieferbereichsbezeichnungsliste> m_deliveryRangeNames;
  std::unique_ptr<Tlup6DataFormelGruppeListe> m_formulaGroups;
  std::unique_ptr<Tlup6DataProtokollliste> m_protocol;
  std::unique_ptr<Tlup6DataCodeSubstGlasList> m_lensSubst;
  std::unique_ptr<Tlup6DataCodeSubstBeschList> m_coatingSubst;
};

} // namespace sf6
