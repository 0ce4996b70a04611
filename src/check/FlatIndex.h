#pragma once

// An insert-only hash index for the checker: keys refer to the catalog's
// own bytes (no copy per line), each with a 32-bit value (a line number).
// Open addressing over a table of 64-bit slots (a hash tag and the entry's
// position), at most three quarters full, keeps a million keys in some
// twenty bytes each without one allocation per key. Hash and Equal may carry state (the bytes the
// keys refer to).

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace sf6::check {

template <class Key, class Hash = std::hash<Key>, class Equal = std::equal_to<Key>>
class FlatIndex {
public:
  struct Entry {
    Key key;
    uint32_t value;
  };
  static constexpr uint32_t npos = UINT32_MAX;

  explicit FlatIndex(Hash hash = {}, Equal equal = {})
      : m_hash(std::move(hash)), m_equal(std::move(equal)) {}

  // Room for `count` keys without growing.
  void reserve(std::size_t count) {
    m_entries.reserve(count);
    std::size_t slots = 16;
    while (slots * 3 < count * 4)
      slots *= 2;
    if (slots > m_slots.size())
      rehash(slots);
  }

  // Adds key with value unless an equal key is there. Returns the position of
  // the entry that holds the key and whether it was added now.
  std::pair<uint32_t, bool> insert(const Key &key, uint32_t value) {
    // At most three quarters full: probes stay short, slots stay few.
    if ((m_entries.size() + 1) * 4 > m_slots.size() * 3)
      rehash(std::max<std::size_t>(16, m_slots.size() * 2));
    const std::size_t hash = m_hash(key);
    const std::size_t slot = probe(key, hash);
    if (m_slots[slot] != 0)
      return {static_cast<uint32_t>(m_slots[slot]) - 1, false};
    m_entries.push_back({key, value});
    const auto at = static_cast<uint32_t>(m_entries.size() - 1);
    m_slots[slot] = tagOf(hash) | (at + 1);
    return {at, true};
  }

  // The position of the entry holding key, or npos.
  uint32_t find(const Key &key) const {
    if (m_entries.empty())
      return npos;
    const std::size_t slot = probe(key, m_hash(key));
    return m_slots[slot] != 0 ? static_cast<uint32_t>(m_slots[slot]) - 1 : npos;
  }
  bool contains(const Key &key) const { return find(key) != npos; }

  const Entry &operator[](uint32_t at) const { return m_entries[at]; }
  std::size_t size() const { return m_entries.size(); }
  const std::vector<Entry> &entries() const { return m_entries; }

private:
  static constexpr uint64_t kTagMask = ~uint64_t{0} << 32;
  // The upper half of a slot holds bits of the key's hash that the slot
  // position does not use, so most probes skip comparing keys.
  static uint64_t tagOf(std::size_t hash) { return static_cast<uint64_t>(hash) & kTagMask; }

  // The slot holding key, or the empty slot where it would go.
  std::size_t probe(const Key &key, std::size_t hash) const {
    const uint64_t tag = tagOf(hash);
    std::size_t slot = hash & m_mask;
    while (m_slots[slot] != 0) {
      const auto at = static_cast<uint32_t>(m_slots[slot]) - 1;
      if ((m_slots[slot] & kTagMask) == tag && m_equal(m_entries[at].key, key))
        return slot;
      slot = (slot + 1) & m_mask;
    }
    return slot;
  }

  void rehash(std::size_t slots) {
    m_slots.assign(slots, 0);
    m_mask = slots - 1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
      const std::size_t hash = m_hash(m_entries[i].key);
      std::size_t slot = hash & m_mask;
      while (m_slots[slot] != 0)
        slot = (slot + 1) & m_mask;
      m_slots[slot] = tagOf(hash) | static_cast<uint32_t>(i + 1);
    }
  }

  Hash m_hash;
  Equal m_equal;
  std::vector<Entry> m_entries;
  std::vector<uint64_t> m_slots; // 0 empty, else hash tag | entry position + 1
  std::size_t m_mask = 0;
};

} // namespace sf6::check
