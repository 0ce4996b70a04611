#pragma once

// The lookup index of the catalog's keyed lists: key -> the items that have
// the key, in list order.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory_resource>
#include <utility>
#include <vector>

namespace sf6 {

// Key -> the items that have the key, in list order, kept current by the
// owning list: Add when an item gets a key, Remove when it loses it (each
// item at most once per key). Find gives the last of them, which is what a
// scan from the first to the last item, keeping the last match, gives.
//
// A lens has hundreds of prices and a catalog hundreds of thousands, nearly
// all with a key of their own: the keys sit in one open-addressing table
// (linear probing, removal by shifting back, so no tombstones), the item
// inline beside its key. Only a key that several items share has a group
// vector. The table may be any size and grows by half, not by doubling,
// filled to at most four fifths: 1.25 to 1.9 slots per key, where doubling
// a power of two would give up to 2.7. Item needs listSeq(), the list
// position stamp.
template <class Key, class Item, class Hash = std::hash<Key>> class LastMatchIndex {
public:
  // The table and the groups come from memory (the catalog's pool).
  explicit LastMatchIndex(std::pmr::memory_resource *memory = std::pmr::new_delete_resource())
      : m_slots(memory), m_groups(memory), m_freeGroups(memory) {}

  Item *Find(const Key &key) const {
    const Slot *slot = find(key);
    if (slot == nullptr)
      return nullptr;
    return slot->single() != nullptr ? slot->single() : m_groups[slot->group()].back();
  }
  // The first item with the key (for the lookups that answer the first match).
  Item *FindFirst(const Key &key) const {
    const Slot *slot = find(key);
    if (slot == nullptr)
      return nullptr;
    return slot->single() != nullptr ? slot->single() : m_groups[slot->group()].front();
  }

  void Add(const Key &key, Item *item) {
    if ((m_size + 1) * 5 > m_slots.size() * 4)
      grow();
    Slot &slot = m_slots[probe(key)];
    if (slot.empty()) {
      slot.key = key;
      slot.setSingle(item);
      ++m_size;
      return;
    }
    if (Item *single = slot.single()) {
      const uint32_t group = newGroup();
      m_groups[group].push_back(single);
      slot.setGroup(group);
    }
    Group &items = m_groups[slot.group()];
    // Usually the newest item: appended at the end.
    auto pos = items.end();
    while (pos != items.begin() && (*(pos - 1))->listSeq() > item->listSeq())
      --pos;
    items.insert(pos, item);
  }

  void Remove(const Key &key, const Item *item) {
    if (m_slots.empty())
      return;
    const std::size_t index = probe(key);
    Slot &slot = m_slots[index];
    if (slot.empty())
      return;
    if (slot.single() != nullptr) {
      if (slot.single() == item)
        erase(index);
      return;
    }
    const uint32_t group = slot.group();
    Group &items = m_groups[group];
    for (auto pos = items.end(); pos != items.begin();) {
      --pos;
      if (*pos == item) {
        items.erase(pos);
        break;
      }
    }
    if (items.size() == 1) {
      slot.setSingle(items.front());
      items.clear();
      m_freeGroups.push_back(group);
    }
  }

  void Clear() {
    for (Slot &slot : m_slots)
      slot = Slot{};
    m_groups.clear();
    m_freeGroups.clear();
    m_size = 0;
  }
  // How many different keys are indexed.
  std::size_t Size() const { return m_size; }

private:
  using Group = std::pmr::vector<Item *>;

  struct Slot {
    Key key{};
    // 0: empty; an even value: the one item with the key; odd: 2 * g + 1
    // for the group g of several items (items are at least 2-aligned).
    std::uintptr_t ref = 0;

    bool empty() const { return ref == 0; }
    Item *single() const { return (ref & 1) == 0 ? reinterpret_cast<Item *>(ref) : nullptr; }
    uint32_t group() const { return static_cast<uint32_t>(ref >> 1); }
    void setSingle(Item *item) { ref = reinterpret_cast<std::uintptr_t>(item); }
    void setGroup(uint32_t group) { ref = (std::uintptr_t{group} << 1) | 1; }
  };

  // The home slot of key: the hash spread by a Fibonacci multiplication,
  // since list hashes mix their fields weakly into the low bits, then its
  // high half scaled to the table's size.
  std::size_t home(const Key &key) const {
    const uint64_t spread = static_cast<uint64_t>(Hash{}(key)) * 0x9e3779b97f4a7c15ULL;
    return static_cast<std::size_t>(((spread >> 32) * m_slots.size()) >> 32);
  }
  std::size_t next(std::size_t index) const {
    return index + 1 == m_slots.size() ? 0 : index + 1;
  }

  // The slot holding key, or the empty slot where it would go. The table is
  // never full, so the walk ends.
  std::size_t probe(const Key &key) const {
    std::size_t index = home(key);
    while (!m_slots[index].empty() && !(m_slots[index].key == key))
      index = next(index);
    return index;
  }

  const Slot *find(const Key &key) const {
    if (m_size == 0)
      return nullptr;
    const Slot &slot = m_slots[probe(key)];
    return slot.empty() ? nullptr : &slot;
  }

  // Empties slot index and moves later slots of the same run back into the
  // gap when their home allows, so that every key stays reachable from its
  // home without a gap in between.
  void erase(std::size_t index) {
    std::size_t gap = index;
    for (std::size_t at = next(gap); !m_slots[at].empty(); at = next(at)) {
      const std::size_t want = home(m_slots[at].key);
      // The slot may move to the gap when its home is not in (gap, at].
      const bool homeAfterGap = gap <= at ? (want > gap && want <= at) : (want > gap || want <= at);
      if (!homeAfterGap) {
        m_slots[gap] = std::move(m_slots[at]);
        gap = at;
      }
    }
    m_slots[gap] = Slot{};
    --m_size;
  }

  void grow() {
    const std::size_t capacity = m_slots.size() < 8 ? 8 : m_slots.size() + m_slots.size() / 2;
    std::pmr::vector<Slot> old(capacity, m_slots.get_allocator());
    old.swap(m_slots);
    for (Slot &slot : old) {
      if (slot.empty())
        continue;
      std::size_t index = home(slot.key);
      while (!m_slots[index].empty())
        index = next(index);
      m_slots[index] = std::move(slot);
    }
  }

  uint32_t newGroup() {
    if (!m_freeGroups.empty()) {
      const uint32_t group = m_freeGroups.back();
      m_freeGroups.pop_back();
      return group;
    }
    m_groups.emplace_back();
    return static_cast<uint32_t>(m_groups.size() - 1);
  }

  std::pmr::vector<Slot> m_slots;
  std::pmr::vector<Group> m_groups;
  std::pmr::vector<uint32_t> m_freeGroups;
  std::size_t m_size = 0;
};

} // namespace sf6
