#pragma once

// The smaller catalog classes: change protocol, naming presets, product
// groups with their not-deliverable sets, generic code sets, order options,
// code substitutions, images, and the SF4 code conversion functions.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Lup6Object.h"
#include "sf6/Sf6Enums.h"
#include "text/LineList.h"

namespace sf6 {

// Protocol ---------------------------------------------------------------------

// One change-protocol entry. It has no object number of its own: OID() holds
// the number of the object it describes.
class Tlup6DataProtokoll : public TCustomlup6Object {
public:
  Tlup6DataProtokoll(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : TCustomlup6Object(root, assignOid, owner) {}
  std::string GetTagName() const override { return "PE"; }
  void Clear(bool flag) override;

  std::string B;   // description
  std::string U;   // user
  TDateTime D = 0; // time of the change
};

class Tlup6DataProtokollliste : public OwningList<Tlup6DataProtokoll> {
public:
  using OwningList::OwningList;
  std::string GetTagName() const override { return "PROT"; }
  // Appends an entry describing object number oid (SetOID, so the root's
  // LOID may rise), with text, user ("Der Benutzer" when empty) and when (the
  // current date-time when exactly 0); then sets the root's Modified.
  Tlup6DataProtokoll *AddEntry(int32_t oid, std::string_view text, TDateTime when,
                               std::string_view user);
};

// The current local date-time as a day count.
TDateTime NowAsDateTime();

// Code sets ----------------------------------------------------------------------

// A tagged set of texts. Tagged form: the list tag is the object's own tag,
// each text an element with the item tag. A sorted set keeps its texts in
// code-text order and refuses a code it holds in any letter case.
class Tlup6DataStrings : public TCustomlup6Object {
public:
  Tlup6DataStrings(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner, std::string listTag,
                   std::string itemTag, bool sorted);
  std::string GetTagName() const override { return m_listTag; }
  const std::string &ListTag() const { return m_listTag; }
  const std::string &ItemTag() const { return m_itemTag; }
  bool Sorted() const { return m_sorted; }
  void Clear(bool flag) override;

  const LineList &Texts() const { return m_texts; }
  int Count() const { return static_cast<int>(m_texts.size()); }
  // Adds text (a sorted set ignores a code it already holds).
  void Add(std::string_view text);
  // Index of text (codes compared ignoring case), -1 when absent.
  int IndexOf(std::string_view text) const;
  void Delete(int index);

private:
  std::string m_listTag;
  std::string m_itemTag;
  bool m_sorted;
  LineList m_texts;
};

// The codes of lenses or coatings that are not deliverable (in a product
// group, or for an address). A code is deliverable when it is not in the set.
class Tlup6DataLieferbarSet : public TCustomlup6Object {
public:
  Tlup6DataLieferbarSet(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner,
                        std::string listTag);
  ~Tlup6DataLieferbarSet() override;
  std::string GetTagName() const override { return m_strings.GetTagName(); }
  void Clear(bool flag) override { m_strings.Clear(flag); }

  bool IsDeliverable(std::string_view code) const { return m_strings.IndexOf(code) < 0; }
  void Add(std::string_view code) { m_strings.Add(code); }
  // While oldCode is in the set: delete it and add newCode unless that is
  // empty. An empty newCode thus only removes oldCode.
  void Replace(std::string_view oldCode, std::string_view newCode);
  Tlup6DataStrings &Strings() { return m_strings; }
  const Tlup6DataStrings &Strings() const { return m_strings; }

private:
  Tlup6DataStrings m_strings;
};

class Tlup6DataLieferbareGlaeser : public Tlup6DataLieferbarSet {
public:
  Tlup6DataLieferbareGlaeser(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : Tlup6DataLieferbarSet(root, assignOid, owner, "NLG") {}
};

class Tlup6DataLieferbareBeschichtungen : public Tlup6DataLieferbarSet {
public:
  Tlup6DataLieferbareBeschichtungen(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : Tlup6DataLieferbarSet(root, assignOid, owner, "NLB") {}
};

// Naming presets -----------------------------------------------------------------

// Ten name slots (1 .. 10) with their languages; slot n gives the meaning of
// the names Bn / KBn of lenses, coatings and colours. Empty until Clear.
class Tlup6DataBezeichnungsvorgaben : public TCustomlup6Object {
public:
  Tlup6DataBezeichnungsvorgaben(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : TCustomlup6Object(root, assignOid, owner) {}
  std::string GetTagName() const override { return "BezVorg"; }
  std::string GetDisplayText(int kind, std::string_view name) const override;
  // Slot n: "Bezeichnung n", language "DE".
  void Clear(bool flag) override;

  // Empty text / no effect outside 1 .. 10.
  std::string GetName(int n) const;
  void SetName(int n, std::string_view text);
  std::string GetLanguage(int n) const;
  void SetLanguage(int n, std::string_view text);

private:
  std::array<std::string, 10> m_BEZ;
  std::array<std::string, 10> m_LANG;
};

// Product groups -----------------------------------------------------------------

class Tlup6DataProduktgruppe : public TCustomlup6Object {
public:
  Tlup6DataProduktgruppe(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner);
  ~Tlup6DataProduktgruppe() override;
  std::string GetTagName() const override { return "DPG"; }
  void Clear(bool flag) override;

  std::string BEZ; // name
  std::string BE;  // description
  int32_t ID = 0;

  // Coatings / lenses NOT deliverable in this group.
  Tlup6DataLieferbareBeschichtungen &DeliverableCoatings() { return m_coatings; }
  const Tlup6DataLieferbareBeschichtungen &DeliverableCoatings() const { return m_coatings; }
  Tlup6DataLieferbareGlaeser &DeliverableLenses() { return m_lenses; }
  const Tlup6DataLieferbareGlaeser &DeliverableLenses() const { return m_lenses; }

private:
  Tlup6DataLieferbareBeschichtungen m_coatings;
  Tlup6DataLieferbareGlaeser m_lenses;
};

class Tlup6DataProduktgruppenliste : public OwningList<Tlup6DataProduktgruppe> {
public:
  using OwningList::OwningList;
  std::string GetTagName() const override { return "DPGL"; }
  // AddNew with ID = the smallest free number from 1.
  Tlup6DataProduktgruppe *AddNextFree();
  // The last group with that ID, or null.
  Tlup6DataProduktgruppe *FindByID(int32_t id) const;
  // Removes and destroys group when it is in the list.
  void Remove(Tlup6DataProduktgruppe *group) { RemoveItem(group); }
  // Replace(oldCode, newCode) on every group's not-deliverable lenses /
  // coatings.
  void RenameLensInGroups(std::string_view oldCode, std::string_view newCode);
  void RenameCoatingInGroups(std::string_view oldCode, std::string_view newCode);
  // The BEZ of every group, in list order, in which the lens / coating code is
  // deliverable (deliverable true) or not deliverable (false).
  LineList LensGroupNames(std::string_view code, bool deliverable) const;
  LineList CoatingGroupNames(std::string_view code, bool deliverable) const;
};

// Order options ------------------------------------------------------------------

// A set of TSf6OrderFieldType ordinals 0 .. 23 as bits.
struct OrderFieldSet {
  uint32_t bits = 0;
  bool Contains(TSf6OrderFieldType t) const {
    const int o = static_cast<int>(t);
    return o >= 0 && o < 32 && (bits >> o) & 1u;
  }
  void Include(TSf6OrderFieldType t) {
    const int o = static_cast<int>(t);
    if (o >= 0 && o < 24)
      bits |= 1u << o;
  }
  friend bool operator==(const OrderFieldSet &, const OrderFieldSet &) = default;
};

// Order fields of a lens or coating: which field types are mandatory (MUTE),
// which must be given by the optician (MUDU), which can be given (KADU). A
// field type is in at most one of the three sets.
class Tlup6DataOrderOptions : public TCustomlup6Object {
public:
  Tlup6DataOrderOptions(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : TCustomlup6Object(root, assignOid, owner) {}
  std::string GetTagName() const override { return "OROP"; }
  void Clear(bool flag) override;

  OrderFieldSet MUTE() const { return m_MUTE; }
  OrderFieldSet MUDU() const { return m_MUDU; }
  OrderFieldSet KADU() const { return m_KADU; }
  // Store the set and remove its members from the other two.
  void SetMUTE(OrderFieldSet set);
  void SetMUDU(OrderFieldSet set);
  void SetKADU(OrderFieldSet set);

private:
  OrderFieldSet m_MUTE;
  OrderFieldSet m_MUDU;
  OrderFieldSet m_KADU;
};

// Code substitutions ---------------------------------------------------------------

class Tlup6DataCodeSubstGlas : public TCustomlup6Object {
public:
  Tlup6DataCodeSubstGlas(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : TCustomlup6Object(root, assignOid, owner) {}
  std::string GetTagName() const override { return "COSUBG"; }
  void Clear(bool flag) override;

  std::string CN; // new code
  std::string CA; // old code
  TSf6SubstAction AKT = TSf6SubstAction::CodeErsetzen;
  std::string BEM; // remark
};

class Tlup6DataCodeSubstGlasList : public OwningList<Tlup6DataCodeSubstGlas> {
public:
  using OwningList::OwningList;
  std::string GetTagName() const override { return "COSUBGL"; }
};

class Tlup6DataCodeSubstBesch : public TCustomlup6Object {
public:
  Tlup6DataCodeSubstBesch(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : TCustomlup6Object(root, assignOid, owner) {}
  std::string GetTagName() const override { return "COSUBB"; }
  void Clear(bool flag) override;

  std::string CN1, CN2, CN3; // new codes
  std::string CA;            // old code
  TSf6SubstAction AKT = TSf6SubstAction::CodeErsetzen;
  std::string BEM; // remark
};

class Tlup6DataCodeSubstBeschList : public OwningList<Tlup6DataCodeSubstBesch> {
public:
  using OwningList::OwningList;
  std::string GetTagName() const override { return "COSUBBL"; }
};

// Images ---------------------------------------------------------------------------

// A picture attached to an information text. The picture is kept as the bytes
// of its file; nothing in the converter fills it.
class Tlup6DataImage : public TCustomlup6Object {
public:
  Tlup6DataImage(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : TCustomlup6Object(root, assignOid, owner) {}
  std::string GetTagName() const override { return "DIM"; }
  void Clear(bool flag) override;

  void SetBB(std::string_view text) { BB = text; }
  void SetFN(std::string_view text) { FN = text; }

  std::vector<uint8_t> Picture;
  std::string BB;
  std::string FN; // file name
};

class Tlup6DataImageListe : public OwningList<Tlup6DataImage> {
public:
  using OwningList::OwningList;
  std::string GetTagName() const override { return "DIL"; }
};

// SF4 code conversions ---------------------------------------------------------------

// File code -> ordinal; any other code gives the default named.
int Sf4Code0to3(int code);        // 0..3 -> same; else 0
int Sf4Code0to2(int code);        // 0..2 -> same; else 0
int Sf4CodeSingleMulti(int code); // 0 -> 1, 1 -> 2, 2 -> 2; else 1
int Sf4CodeToET(int code);        // 0 -> 0, 2 -> 1, 5 -> 2, 8 -> 3; else 0
int Sf4CodeToFA(int code);        // 0,1,2 -> same, 4 -> 3, 5 -> 4, 6 -> 5; else 0
int Sf4CodeStep(int code);        // 1 -> 0, 2 -> 1; else 2

} // namespace sf6
