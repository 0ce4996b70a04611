#pragma once

// Internal to the tagged storage form: the key tables of the catalog classes
// and the engine that writes and reads an object through its table.
//
// A table lists a class's keys in write order. Each entry is one of
//   Optional  a value whose text is left out when empty (texts, flags as "1"
//             or "", dates); absent on loading means empty / false / 0;
//   Always    a value always written (numbers, codes, diameters, sets);
//   Each      a text list written as one element per entry (the same key);
//   Child     an owned object or list, written with its own tag.
// Values travel as unescaped Windows-1252 text; the entry's get / set do the
// conversion of the field's kind.

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "model/Lup6Object.h"
#include "model/XmlWriter.h"
#include "sf6/Sf6Enums.h"
#include "text/FieldText.h"
#include "text/LineList.h"

namespace sf6::xml {

enum class EntryKind { Optional, Always, Each, Child };

// The part of a class's table the engine sees without knowing the class.
class ClassTable {
public:
  virtual ~ClassTable() = default;
  // The keys after "ED" and "OID", with owned parts.
  virtual void write(const TCustomlup6Object &object, XmlWriter &out) const = 0;
  // Before loading: the values that may be absent become empty.
  virtual void begin(TCustomlup6Object &object) const = 0;
  // Index of the entry named name (ignoring case), -1 when none.
  virtual int find(const TCustomlup6Object &object, std::string_view name) const = 0;
  // The owned object or list of entry index, null when the entry is a value.
  virtual CatalogNode *child(const TCustomlup6Object &object, int index) const = 0;
  // The number of entries (indexes for child).
  virtual int size() const { return 0; }
  virtual void set(TCustomlup6Object &object, int index, std::string_view value) const = 0;
};

template <class C> struct Entry {
  std::string key;
  EntryKind kind = EntryKind::Always;
  int index = 0; // slot of indexed fields (names 1..10, information texts ...)
  std::string (*get)(const C &, int) = nullptr;
  void (*set)(C &, int, std::string_view) = nullptr;
  CatalogNode *(*child)(C &) = nullptr;
  const LineList &(*each)(const C &) = nullptr; // Each: the texts; set adds one
  void (*clearEach)(C &) = nullptr;
};

// Writes one child (object or list) with its own tag.
void writeChild(const CatalogNode *child, XmlWriter &out);

template <class C> class Table final : public ClassTable {
public:
  explicit Table(std::vector<Entry<C>> entries) : m_entries(std::move(entries)) {
    for (std::size_t i = 0; i < m_entries.size(); ++i)
      m_byKey.emplace(FoldCode(m_entries[i].key), static_cast<int>(i));
  }

  const std::vector<Entry<C>> &entries() const { return m_entries; }

  void write(const TCustomlup6Object &object, XmlWriter &out) const override {
    const C &o = static_cast<const C &>(object);
    for (const Entry<C> &e : m_entries) {
      switch (e.kind) {
      case EntryKind::Optional: {
        const std::string value = e.get(o, e.index);
        if (!value.empty())
          out.Element(e.key, value);
        break;
      }
      case EntryKind::Always:
        out.Element(e.key, e.get(o, e.index));
        break;
      case EntryKind::Each:
        for (const std::string &text : e.each(o))
          out.Element(e.key, text);
        break;
      case EntryKind::Child:
        writeChild(e.child(const_cast<C &>(o)), out);
        break;
      }
    }
  }

  void begin(TCustomlup6Object &object) const override {
    C &o = static_cast<C &>(object);
    for (const Entry<C> &e : m_entries) {
      if (e.kind == EntryKind::Optional && e.set != nullptr && !e.get(o, e.index).empty())
        e.set(o, e.index, "");
      else if (e.kind == EntryKind::Each)
        e.clearEach(o);
    }
  }

  int find(const TCustomlup6Object &, std::string_view name) const override {
    const auto it = m_byKey.find(FoldCode(name));
    return it == m_byKey.end() ? -1 : it->second;
  }

  CatalogNode *child(const TCustomlup6Object &object, int index) const override {
    const Entry<C> &e = m_entries[static_cast<std::size_t>(index)];
    // Writing and loading walk the same children: the table hands them out
    // for both, so a written object's children come back mutable.
    return e.kind == EntryKind::Child ? e.child(const_cast<C &>(static_cast<const C &>(object)))
                                      : nullptr;
  }

  int size() const override { return static_cast<int>(m_entries.size()); }

  void set(TCustomlup6Object &object, int index, std::string_view value) const override {
    const Entry<C> &e = m_entries[static_cast<std::size_t>(index)];
    if (e.set != nullptr)
      e.set(static_cast<C &>(object), e.index, value);
  }

private:
  std::vector<Entry<C>> m_entries;
  std::unordered_map<std::string, int> m_byKey;
};

// Registry: the table of each object class and the item tag of each list
// class, by dynamic type.
struct Registry {
  std::unordered_map<std::type_index, std::unique_ptr<ClassTable>> classes;
  std::unordered_map<std::type_index, std::string> itemTags;
  // Every key of every table, for checks: class name -> keys in order.
  std::vector<std::pair<std::string, std::vector<std::string>>> keyLists;
};
const Registry &registry();

// Value conversions by field type --------------------------------------------

inline std::string toText(const std::string &v) {
  return v;
}
inline std::string toText(bool v) {
  return v ? "1" : "";
}
inline std::string toText(double v) {
  return FloatToDotText(v);
}
inline std::string toText(int32_t v) {
  return IntToText(v);
}
inline std::string toText(uint8_t v) {
  return IntToText(v);
}
inline std::string toText(int8_t v) {
  return IntToText(v);
}
inline std::string toText(uint16_t v) {
  return IntToText(v);
}
std::string toText(const TSf6Diameter &v);
inline std::string toText(const TSf6MaterialSet &v) {
  return IntToText(v.bits);
}
template <class E>
requires std::is_enum_v<E> std::string toText(E v) {
  return IntToText(EnumCode(v));
}

inline void fromText(std::string &v, std::string_view t) {
  v = t;
}
inline void fromText(bool &v, std::string_view t) {
  v = TextToBool(t);
}
inline void fromText(double &v, std::string_view t) {
  v = TextToFloat(t);
}
inline void fromText(int32_t &v, std::string_view t) {
  v = TextToInt(t);
}
inline void fromText(uint8_t &v, std::string_view t) {
  v = static_cast<uint8_t>(TextToInt(t));
}
inline void fromText(int8_t &v, std::string_view t) {
  v = static_cast<int8_t>(TextToInt(t));
}
inline void fromText(uint16_t &v, std::string_view t) {
  v = static_cast<uint16_t>(TextToInt(t));
}
void fromText(TSf6Diameter &v, std::string_view t);
inline void fromText(TSf6MaterialSet &v, std::string_view t) {
  // Only the five material bits can be members.
  v.bits = static_cast<uint8_t>(TextToInt(t) & 0x1F);
}
template <class E>
requires std::is_enum_v<E>
void fromText(E &v, std::string_view t) {
  v = EnumFromCode<E>(TextToInt(t));
}

template <class T> struct MemberOf;
template <class C, class V> struct MemberOf<V C::*> {
  using Class = C;
  using Value = V;
};
template <auto M> using ClassOf = typename MemberOf<decltype(M)>::Class;
template <auto M> using ValueOf = typename MemberOf<decltype(M)>::Value;

template <auto M> std::string memberGet(const ClassOf<M> &o, int) {
  return toText(o.*M);
}
template <auto M> void memberSet(ClassOf<M> &o, int, std::string_view t) {
  fromText(o.*M, t);
}

// A public data member; texts and flags are Optional, everything else Always.
template <auto M> Entry<ClassOf<M>> field(const char *key) {
  using V = ValueOf<M>;
  constexpr bool optional = std::is_same_v<V, std::string> || std::is_same_v<V, bool>;
  return {key, optional ? EntryKind::Optional : EntryKind::Always, 0, &memberGet<M>, &memberSet<M>};
}

// Date-time (day count) members: "yyyymmddhhnnss", empty when zero. Every
// date of the model is a date-time, so none loses its time of day.
template <auto M> std::string stampGet(const ClassOf<M> &o, int) {
  return DateTimeToCompactSeconds(o.*M, true);
}
template <auto M> void stampSet(ClassOf<M> &o, int, std::string_view t) {
  o.*M = CompactToDateTime(t);
}
template <auto M> Entry<ClassOf<M>> dateTime(const char *key) {
  return {key, EntryKind::Optional, 0, &stampGet<M>, &stampSet<M>};
}

// A value reached through a getter and a setter of the same name, e.g.
// property<&C::CSNR, &C::SetCSNR>("CSNR"): for fields whose change has side
// effects (indexes, renumbering). Texts are Optional, everything else Always.
template <class T> struct GetterOf;
template <class C, class R> struct GetterOf<R (C::*)() const> {
  using Class = C;
  using Value = std::decay_t<R>;
};
template <auto Get> using GetterClass = typename GetterOf<decltype(Get)>::Class;
template <auto Get> using GetterValue = typename GetterOf<decltype(Get)>::Value;

template <auto Get> std::string propertyGet(const GetterClass<Get> &o, int) {
  return toText((o.*Get)());
}
template <auto Get, auto Set> void propertySet(GetterClass<Get> &o, int, std::string_view t) {
  GetterValue<Get> v{};
  fromText(v, t);
  (o.*Set)(v);
}
template <auto Get, auto Set> Entry<GetterClass<Get>> property(const char *key) {
  constexpr bool optional = std::is_same_v<GetterValue<Get>, std::string>;
  return {key, optional ? EntryKind::Optional : EntryKind::Always, 0, &propertyGet<Get>,
          &propertySet<Get, Set>};
}

// A value reached through accessors.
template <class C>
Entry<C> access(std::string key, EntryKind kind, std::string (*get)(const C &, int),
                void (*set)(C &, int, std::string_view), int index = 0) {
  return {std::move(key), kind, index, get, set};
}

// An owned object or list.
template <class C> Entry<C> child(const char *key, CatalogNode *(*get)(C &)) {
  Entry<C> e{key, EntryKind::Child};
  e.child = get;
  return e;
}

} // namespace sf6::xml
