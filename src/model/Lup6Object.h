#pragma once

// The base classes of the in-memory catalog: every catalog piece derives from
// TCustomlup6Object, every collection of pieces from TCustomlup6ObjectList,
// and the typed lists share their machinery through OwningList<Item>.
//
// Ownership: a list owns its items (std::unique_ptr), an object owns the
// sub-objects and sub-lists it creates, the root Tlup6Dataobject owns its
// lists. Root() and Owner() are non-owning back links. The root must outlive
// every object created with it: objects unregister from the root's object
// registry in their destructor.
//
// Codes (lens and coating codes, SF4 codes) compare ignoring the case of the
// letters A to Z only; every other byte compares as it is.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/LastMatchIndex.h"
#include "text/FieldText.h"

namespace sf6 {

class Tlup6Dataobject;
class Tlup6DataProtokoll;
class XmlWriter;
class XmlLoad;
struct XmlEvent;

// Codes ----------------------------------------------------------------------

// The code with a..z turned into A..Z; two codes are the same code exactly
// when their folded forms are equal.
std::string FoldCode(std::string_view code);
// A lens or coating code as FindByCode looks it up: trailing blanks removed,
// then folded; "" when nothing is left, since an empty code names no product.
std::string ProductCodeKey(std::string_view code);
bool SameCode(std::string_view a, std::string_view b);
// Text order of the sorted text lists of the model (the Windows-1252 letter
// case fold of SortedLineList). Negative, zero or positive like strcmp.
int CompareCodeText(std::string_view a, std::string_view b);
struct CodeTextLess {
  bool operator()(std::string_view a, std::string_view b) const {
    return CompareCodeText(a, b) < 0;
  }
};

// Where the lists of a catalog take the memory of their items and lookup
// indexes from: the root's pool, so that a catalog of hundreds of thousands
// of prices costs no heap call per price and goes in one sweep; the heap for
// lists without a root.
std::pmr::memory_resource *ItemMemoryOf(Tlup6Dataobject *root);

// Destroys an item of an OwningList and gives its memory back to the pool it
// came from, its root's. Stateless, so that a list's item pointers take
// eight bytes each.
template <class Item> struct PooledDelete {
  void operator()(Item *item) const {
    std::pmr::memory_resource *pool = ItemMemoryOf(item->Root());
    std::destroy_at(item);
    pool->deallocate(item, sizeof(Item), alignof(Item));
  }
};

// Anything that can own a catalog object or list: an object, a list or the
// root. Owner links point at this common base; typed owner accessors cast.
class CatalogNode {
public:
  CatalogNode() = default;
  CatalogNode(const CatalogNode &) = delete;
  CatalogNode &operator=(const CatalogNode &) = delete;
  virtual ~CatalogNode() = default;
};

// Objects --------------------------------------------------------------------

class TCustomlup6Object : public CatalogNode {
public:
  // Stores root and owner; with a root the object enters the root's object
  // registry and, when assignOid is true, gets the root's next object number
  // (NextOid). Without a root OID stays 0.
  TCustomlup6Object(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner);
  // Leaves the root's registry.
  ~TCustomlup6Object() override;

  Tlup6Dataobject *Root() const { return m_root; }
  CatalogNode *Owner() const { return m_owner; }

  // Edit date (day count, 0 = none).
  TDateTime ED = 0;

  // Catalog-wide object number; 0 = not assigned.
  int32_t OID() const { return m_OID; }
  // Sets OID; raises the root's LOID to value when it is smaller.
  void SetOID(int32_t value);

  // The class's element tag ("GL" for a lens ...).
  virtual std::string GetTagName() const = 0;

  // The one-line description used in protocol entries: name (the tag when
  // name is empty) followed by ": " (kind 0), " zugefuegt: " (1),
  // " geändert: " (2), " gelöscht: " (3), the words taken from the language
  // table. Other kinds give name + ": ". Classes with a better name override
  // it and call the base with their name.
  virtual std::string GetDisplayText(int kind, std::string_view name) const;

  // Resets every field to its default and empties owned lists, keeping Root,
  // Owner and OID. flag: also add a list's default items where it has any.
  virtual void Clear(bool flag);

  // Appends a protocol entry for this object to the root's protocol list:
  // the description of kind (with an empty name), then " " + extra when extra
  // is not empty. when 0 means now, an empty user "Der Benutzer". Returns the
  // entry, null without a root.
  Tlup6DataProtokoll *AddProtokoll(int kind, std::string_view extra, TDateTime when,
                                   std::string_view user);

  // Tagged storage form (XmlStorage.h). SaveToXml writes "<" tag ">",
  // WriteXmlContent, "</" tag ">"; WriteXmlContent writes "ED", "OID" and the
  // class's keys. BeginXmlLoad makes the object the receiver of the load's
  // events for its element; ReadXmlPart handles one of them.
  void SaveToXml(XmlWriter &out) const;
  virtual void WriteXmlContent(XmlWriter &out) const;
  virtual void BeginXmlLoad(XmlLoad &load);
  virtual void ReadXmlPart(XmlLoad &load, const XmlEvent &event);

  // Position stamp in the owning list: rises with every item a list adds, 0
  // while the object is in no list. Lookup indexes use it to tell which of
  // two items with the same key comes later.
  uint64_t listSeq() const { return m_listSeq; }

private:
  template <class Item> friend class OwningList;
  friend class Tlup6Dataobject;
  Tlup6Dataobject *m_root;
  CatalogNode *m_owner;
  uint64_t m_listSeq = 0;
  // Links of the root's object registry (an intrusive list: entering and
  // leaving cost no allocation and no hashing, whatever the catalog's size).
  TCustomlup6Object *m_regPrev = nullptr;
  TCustomlup6Object *m_regNext = nullptr;
  // Last, so that a derived class may place a field of four bytes in the
  // padding after it.
  int32_t m_OID = 0;
};

// Lists ----------------------------------------------------------------------

// What every list offers without knowing its item class; OwningList<Item>
// below does the work.
class TCustomlup6ObjectList : public CatalogNode {
public:
  TCustomlup6ObjectList(Tlup6Dataobject *root, CatalogNode *owner) : m_root(root), m_owner(owner) {}

  Tlup6Dataobject *Root() const { return m_root; }
  CatalogNode *Owner() const { return m_owner; }

  virtual std::string GetTagName() const = 0;
  virtual int Count() const = 0;
  // The item at 0-based index, null outside 0 .. Count-1.
  virtual TCustomlup6Object *ItemAt(int index) const = 0;
  // Destroys all items; some lists then add their default items when
  // withDefaults is true (price designations, coatings, delivery-range names).
  virtual void ClearList(bool withDefaults) = 0;
  // Destroys the item at index (nothing outside the range).
  virtual void Delete(int index) = 0;
  // AddNew of the item class.
  virtual TCustomlup6Object *AddNewObject() = 0;

  // Tagged storage form (XmlStorage.h): "<" tag ">", every item's SaveToXml,
  // "</" tag ">". A loading list adds an item for each start tag of its item
  // tag.
  void SaveToXml(XmlWriter &out) const;
  void WriteXmlItems(XmlWriter &out) const;
  virtual void BeginXmlLoad(XmlLoad &load);
  virtual void ReadXmlPart(XmlLoad &load, const XmlEvent &event);

private:
  Tlup6Dataobject *m_root;
  CatalogNode *m_owner;
};

// An owning list of Item, which must be constructible as
// Item(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner).
// Items keep insertion order unless a list reorders them itself.
template <class Item> class OwningList : public TCustomlup6ObjectList {
public:
  using ItemPtr = std::unique_ptr<Item, PooledDelete<Item>>;

  using TCustomlup6ObjectList::TCustomlup6ObjectList;

  ~OwningList() override {
    // Destroy items last to first while the list is still whole.
    while (!m_items.empty())
      m_items.pop_back();
  }

  int Count() const override { return static_cast<int>(m_items.size()); }

  // The item at 0-based index, null when index < 0 or index >= Count().
  Item *Items(int index) const {
    if (index < 0 || index >= Count())
      return nullptr;
    return m_items[static_cast<std::size_t>(index)].get();
  }
  TCustomlup6Object *ItemAt(int index) const override { return Items(index); }

  // Creates an item with an object number, owned by this list, appends it.
  Item *AddNew() { return append(makeItem(true)); }
  // AddNew with init(item) run before the item joins the list, so that the
  // list's indexes take it under its final key at once.
  template <class Init> Item *AddNewWith(Init init) {
    ItemPtr item = makeItem(true);
    init(*item);
    return append(std::move(item));
  }
  TCustomlup6Object *AddNewObject() override { return AddNew(); }

  void ClearList(bool withDefaults) override {
    clearItems();
    (void)withDefaults;
  }

  void Delete(int index) override {
    if (index < 0 || index >= Count())
      return;
    auto it = m_items.begin() + index;
    ItemPtr item = std::move(*it);
    m_items.erase(it);
    item->m_listSeq = 0;
    itemRemoved(item.get());
  }

  // Removes and destroys item when it is in this list; false otherwise.
  bool RemoveItem(const Item *item) {
    const int index = IndexOf(item);
    if (index < 0)
      return false;
    Delete(index);
    return true;
  }

  // -1 when item is not in the list.
  int IndexOf(const Item *item) const {
    if (item == nullptr || item->m_listSeq == 0)
      return -1;
    for (std::size_t i = m_items.size(); i-- > 0;)
      if (m_items[i].get() == item)
        return static_cast<int>(i);
    return -1;
  }

  // Destroys every item for which pred is true; returns how many.
  template <class Pred> int RemoveIf(Pred pred) {
    std::vector<ItemPtr> doomed;
    std::vector<ItemPtr> kept;
    kept.reserve(m_items.size());
    for (auto &p : m_items) {
      if (pred(*p))
        doomed.push_back(std::move(p));
      else
        kept.push_back(std::move(p));
    }
    if (doomed.empty()) {
      m_items = std::move(kept);
      return 0;
    }
    m_items = std::move(kept);
    for (auto &p : doomed)
      p->m_listSeq = 0;
    itemsReset();
    const int n = static_cast<int>(doomed.size());
    while (!doomed.empty())
      doomed.pop_back();
    return n;
  }

  // The last item in list order for which pred is true, or null.
  template <class Pred> Item *FindLast(Pred pred) const {
    for (std::size_t i = m_items.size(); i-- > 0;)
      if (pred(*m_items[i]))
        return m_items[i].get();
    return nullptr;
  }
  // The first item in list order for which pred is true, or null.
  template <class Pred> Item *FindFirst(Pred pred) const {
    for (const auto &p : m_items)
      if (pred(*p))
        return p.get();
    return nullptr;
  }

  // Smallest number from 1 that no item has as id(item).
  template <class Id> int32_t SmallestFreeId(Id id) const {
    int32_t n = 1;
    while (FindFirst([&](const Item &it) { return id(it) == n; }) != nullptr)
      ++n;
    return n;
  }
  // 1 + the largest id(item), the largest starting at start; so 1 for an
  // empty list when start is 0.
  template <class Id> int32_t MaxIdPlusOne(Id id, int32_t start) const {
    int32_t m = start;
    for (const auto &p : m_items)
      if (id(*p) > m)
        m = id(*p);
    return m + 1;
  }

  // Range-for over the items (Item &).
  class iterator {
  public:
    explicit iterator(typename std::vector<ItemPtr>::const_iterator it) : m_it(it) {}
    Item &operator*() const { return **m_it; }
    iterator &operator++() {
      ++m_it;
      return *this;
    }
    bool operator!=(const iterator &o) const { return m_it != o.m_it; }

  private:
    typename std::vector<ItemPtr>::const_iterator m_it;
  };
  iterator begin() const { return iterator(m_items.begin()); }
  iterator end() const { return iterator(m_items.end()); }

protected:
  // Hooks for lists that keep lookup indexes. itemAdded runs after the item
  // is appended; itemRemoved after it left the list (still alive);
  // itemsReset after several items left at once.
  virtual void itemAdded(Item *) {}
  virtual void itemRemoved(Item *) {}
  virtual void itemsReset() {}

  // An item without an object number of its own (protocol entries).
  Item *addUnnumbered() { return append(makeItem(false)); }

  Item *append(ItemPtr item) {
    item->m_listSeq = ++m_nextSeq;
    m_items.push_back(std::move(item));
    Item *raw = m_items.back().get();
    itemAdded(raw);
    return raw;
  }

  void clearItems() {
    std::vector<ItemPtr> doomed = std::move(m_items);
    m_items.clear();
    for (auto &p : doomed)
      p->m_listSeq = 0;
    itemsReset();
    while (!doomed.empty())
      doomed.pop_back();
  }

  // Takes the items out without destroying them (for lists that reorder).
  std::vector<ItemPtr> takeAll() {
    std::vector<ItemPtr> out = std::move(m_items);
    m_items.clear();
    return out;
  }
  // Puts items back in the given order, stamping them anew.
  void putBack(std::vector<ItemPtr> items) {
    m_items = std::move(items);
    for (auto &p : m_items)
      p->m_listSeq = ++m_nextSeq;
    itemsReset();
  }

  const std::vector<ItemPtr> &items() const { return m_items; }

  std::pmr::memory_resource *itemMemory() const { return ItemMemoryOf(Root()); }

private:
  // An item that names its list class (Item::OwnerList) takes its owner
  // typed, so its owner accessor is a plain downcast of the stored link. That
  // class is the one list of such items: it is what `this` really is here.
  auto self() {
    if constexpr (requires { typename Item::OwnerList; }) {
      static_assert(std::is_base_of_v<OwningList, typename Item::OwnerList>);
      return static_cast<typename Item::OwnerList *>(this);
    } else {
      return this;
    }
  }

  ItemPtr makeItem(bool assignOid) {
    std::pmr::memory_resource *pool = itemMemory();
    void *memory = pool->allocate(sizeof(Item), alignof(Item));
    try {
      return ItemPtr(::new (memory) Item(Root(), assignOid, self()));
    } catch (...) {
      pool->deallocate(memory, sizeof(Item), alignof(Item));
      throw;
    }
  }

  std::vector<ItemPtr> m_items;
  uint64_t m_nextSeq = 0;
};

// An owning list that keeps its items in lookup indexes by their key,
// Item::IndexKey(). The list re-keys an item whenever one of its key fields
// changes: every key setter runs through ChangeIndexedFields below. Adding,
// removing and reordering items keep the indexes current by themselves. The
// default is one LastMatchIndex by the whole key; a list that looks items up
// by parts of the key overrides indexAdd, indexRemove and indexClear.
template <class Item, class Key, class Hash = std::hash<Key>>
class KeyedOwningList : public OwningList<Item> {
public:
  KeyedOwningList(Tlup6Dataobject *root, CatalogNode *owner)
      : OwningList<Item>(root, owner), m_index(this->itemMemory()) {}

  // Moves item from oldKey to its current key.
  void rekey(Item &item, const Key &oldKey) {
    const Key key = item.IndexKey();
    if (key == oldKey)
      return;
    indexRemove(oldKey, &item);
    indexAdd(key, &item);
  }

protected:
  virtual void indexAdd(const Key &key, Item *item) { m_index.Add(key, item); }
  virtual void indexRemove(const Key &key, const Item *item) { m_index.Remove(key, item); }
  virtual void indexClear() { m_index.Clear(); }

  void itemAdded(Item *item) override { indexAdd(item->IndexKey(), item); }
  void itemRemoved(Item *item) override { indexRemove(item->IndexKey(), item); }
  void itemsReset() override {
    indexClear();
    for (auto &item : *this)
      indexAdd(item.IndexKey(), &item);
  }

  LastMatchIndex<Key, Item, Hash> m_index;
};

// Runs change, which alters key fields of item, and re-keys the item in its
// owning KeyedOwningList (Item::OwnerList) when it is in one.
template <class Item, class Change> void ChangeIndexedFields(Item &item, Change change) {
  if (item.listSeq() == 0 || item.Owner() == nullptr) {
    change();
    return;
  }
  const auto oldKey = item.IndexKey();
  change();
  static_cast<typename Item::OwnerList *>(item.Owner())->rekey(item, oldKey);
}

// The new CSNR of each item: its 0-based position in the text order of
// IntToZeroPadded(CSNR * 10 + (index == changedIndex ? 0 : 1), 9); of items
// with equal keys the later one in the list comes first.
std::vector<int32_t> RenumberedCSNR(const std::vector<int32_t> &csnr, int changedIndex);

// Gives every item of list the CSNR of RenumberedCSNR; number(item) is the
// item's CSNR field. Returns true when the numbers are then 0, 1, 2, ... in
// list order.
template <class List, class Item, class Number>
bool RenumberItems(List &list, const Item *changed, Number number) {
  std::vector<int32_t> numbers;
  int changedIndex = -1;
  for (auto &item : list) {
    if (&item == changed)
      changedIndex = static_cast<int>(numbers.size());
    numbers.push_back(number(item));
  }
  const std::vector<int32_t> renumbered = RenumberedCSNR(numbers, changedIndex);
  bool dense = true;
  std::size_t i = 0;
  for (auto &item : list) {
    number(item) = renumbered[i];
    dense = dense && renumbered[i] == static_cast<int32_t>(i);
    ++i;
  }
  return dense;
}

// Mixes v into the hash h.
inline std::size_t HashMix(std::size_t h, uint64_t v) {
  h ^= std::hash<uint64_t>{}(v) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
  return h;
}

} // namespace sf6
