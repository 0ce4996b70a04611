#pragma once

// An insert-only hash index for the checker: keys are views into the
// catalog's own bytes (no copy per line), each with a 32-bit value (a line
// number). Open addressing over a table of 32-bit slots keeps a million keys
// in some twenty bytes each, without one allocation per key.

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

  explicit FlatIndex(std::size_t expected = 0) { reserve(expected); }

  // Room for `count` keys without growing.
  void reserve(std::size_t count) {
    m_entries.reserve(count);
    std::size_t slots = 16;
    while (slots < count * 2)
      slots *= 2;
    if (slots > m_slots.size())
      rehash(slots);
  }

  // Adds key with value unless an equal key is there. Returns the position of
  // the entry that holds the key and whether it was added now.
  std::pair<uint32_t, bool> insert(const Key &key, uint32_t value) {
    if ((m_entries.size() + 1) * 2 > m_slots.size())
      rehash(m_slots.size() * 2);
    std::size_t slot = Hash{}(key)&m_mask;
    while (m_slots[slot] != 0) {
      const uint32_t at = m_slots[slot] - 1;
      if (Equal{}(m_entries[at].key, key))
        return {at, false};
      slot = (slot + 1) & m_mask;
    }
    m_entries.push_back({key, value});
    const auto at = static_cast<uint32_t>(m_entries.size() - 1);
    m_slots[slot] = at + 1;
    return {at, true};
  }

  // The position of the entry holding key, or npos.
  uint32_t find(const Key &key) const {
    if (m_entries.empty())
      return npos;
    std::size_t slot = Hash{}(key)&m_mask;
    while (m_slots[slot] != 0) {
      const uint32_t at = m_slots[slot] - 1;
      if (Equal{}(m_entries[at].key, key))
        return at;
      slot = (slot + 1) & m_mask;
    }
    return npos;
  }
  bool contains(const Key &key) const { return find(key) != npos; }

  const Entry &operator[](uint32_t at) const { return m_entries[at]; }
  std::size_t size() const { return m_entries.size(); }
  const std::vector<Entry> &entries() const { return m_entries; }

private:
  void rehash(std::size_t slots) {
    m_slots.assign(slots, 0);
    m_mask = slots - 1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
      std::size_t slot = Hash{}(m_entries[i].key) & m_mask;
      while (m_slots[slot] != 0)
        slot = (slot + 1) & m_mask;
      m_slots[slot] = static_cast<uint32_t>(i + 1);
    }
  }

  std::vector<Entry> m_entries;
  std::vector<uint32_t> m_slots; // 0 empty, else entry position + 1
  std::size_t m_mask = 0;
};

} // namespace sf6::check
