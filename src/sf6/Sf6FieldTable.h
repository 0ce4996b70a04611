#pragma once

// The one engine behind every data-file layout: a layout is a table of field
// descriptions (number, caption, first column, width, kind, scale, display)
// over a record type, and the engine reads, writes and renders each field by
// its kind. What a layout does beyond its table lives in small hooks beside
// the table (LensGeo's diameter modes, OrderOptions' priority texts).
//
// Internal to the record layer: callers use Sf6Procs.h and Sf6Layout.h.

#include "sf6/Sf6Enums.h"
#include "sf6/Sf6FieldInfo.h"
#include "sf6/Sf6FieldValue.h"
#include "sf6/Sf6Layout.h"
#include "sf6/Sf6Procs.h"
#include "text/FieldText.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sf6::detail {

// The kinds are public for the field descriptions (Sf6FieldInfo.h).
using Sf6Kind = Sf6FieldKind;

enum class Sf6Trim : uint8_t { Right, Both, None };

// Where a field's value lives in the record; the member matching the kind is set.
template <class R> struct Sf6Slot {
  std::string R::*text = nullptr;
  int32_t R::*integer = nullptr;
  double R::*real = nullptr; // scaled numbers and dates
  bool R::*flag = nullptr;
  TSf6Diameter R::*diameter = nullptr;
  TSf6MaterialSet R::*materials = nullptr;
  uint32_t R::*colour = nullptr;
  int (*getOrdinal)(const R &) = nullptr;
  void (*setOrdinal)(R &, int) = nullptr;
};

template <class R> struct Sf6Field {
  int number;
  const char *caption;
  int column; // 1-based first column
  int width;  // columns read
  Sf6Kind kind;
  Sf6Slot<R> slot;
  int divisor = 1;
  int decimals = 0;
  bool isSigned = false; // written with a leading "+" or "-"
  bool withPlus = false; // shown with "+" before positive values
  Sf6Trim trim = Sf6Trim::Right;
  const Sf6EnumTable *enumTable = nullptr;
  int writeWidth = 0; // 0: same as width
  TSf6Material material = TSf6Material::Egal;
  int component = 0;
  Sf6CodeRef codeRef = Sf6CodeRef::None;
};

// Exceptions of a layout. A hook returning true has handled the field.
template <class R> struct Sf6Hooks {
  void (*afterRead)(std::string_view line, R &record) = nullptr;
  bool (*writeField)(const Sf6Field<R> &field, const R &record, std::string &out) = nullptr;
  bool (*fieldText)(const Sf6Field<R> &field, const R &record, std::string &text) = nullptr;
};

template <class R> struct Sf6Table {
  std::span<const Sf6Field<R>> fields;
  Sf6Hooks<R> hooks{};
};

// Table builders: one call per row keeps each table a readable list. -----------

template <class R>
constexpr Sf6Field<R> makeField(int n, const char *caption, int column, int width, Sf6Kind kind) {
  Sf6Field<R> f{};
  f.number = n;
  f.caption = caption;
  f.column = column;
  f.width = width;
  f.kind = kind;
  return f;
}

template <class R>
constexpr Sf6Field<R> textField(int n, const char *caption, int column, int width,
                                std::string R::*m, Sf6Trim trim = Sf6Trim::Right) {
  auto f = makeField<R>(n, caption, column, width, Sf6Kind::Text);
  f.slot.text = m;
  f.trim = trim;
  return f;
}

template <class R>
constexpr Sf6Field<R> intField(int n, const char *caption, int column, int width, int32_t R::*m,
                               int writeWidth = 0) {
  auto f = makeField<R>(n, caption, column, width, Sf6Kind::Integer);
  f.slot.integer = m;
  f.writeWidth = writeWidth;
  return f;
}

template <class R>
constexpr Sf6Field<R> productTypeField(int n, const char *caption, int column, int32_t R::*m) {
  auto f = makeField<R>(n, caption, column, 1, Sf6Kind::ProductType);
  f.slot.integer = m;
  return f;
}

struct Scale {
  int divisor;
  int decimals;
  bool isSigned = false;
  bool withPlus = false;
};
inline constexpr Scale kNoScale0{1, 0};
inline constexpr Scale kNoScale2{1, 2};
inline constexpr Scale kDiv10{10, 2};
inline constexpr Scale kDiv100{100, 2};
inline constexpr Scale kDiv10000{10000, 4};
inline constexpr Scale kSigned100{100, 2, true, false};
inline constexpr Scale kSigned100Plus{100, 2, true, true};

template <class R>
constexpr Sf6Field<R> scaledField(int n, const char *caption, int column, int width, double R::*m,
                                  Scale scale) {
  auto f = makeField<R>(n, caption, column, width, Sf6Kind::Scaled);
  f.slot.real = m;
  f.divisor = scale.divisor;
  f.decimals = scale.decimals;
  f.isSigned = scale.isSigned;
  f.withPlus = scale.withPlus;
  return f;
}

template <class R>
constexpr Sf6Field<R> flagField(int n, const char *caption, int column, bool R::*m) {
  auto f = makeField<R>(n, caption, column, 1, Sf6Kind::Flag);
  f.slot.flag = m;
  return f;
}

template <class R>
constexpr Sf6Field<R> dateField(int n, const char *caption, int column, double R::*m) {
  auto f = makeField<R>(n, caption, column, 8, Sf6Kind::Date);
  f.slot.real = m;
  return f;
}

template <auto Member> struct OrdinalAccess;
template <class R, class E, E R::*Member> struct OrdinalAccess<Member> {
  using Record = R;
  using Enum = E;
  static int get(const R &r) { return static_cast<int>(r.*Member); }
  static void set(R &r, int ordinal) { r.*Member = static_cast<E>(ordinal); }
};

// An enumeration field: enumField<&R::Member>(n, caption, column, width).
template <auto Member>
Sf6Field<typename OrdinalAccess<Member>::Record> enumField(int n, const char *caption, int column,
                                                           int width = 1) {
  using A = OrdinalAccess<Member>;
  auto f = makeField<typename A::Record>(n, caption, column, width, Sf6Kind::Enumeration);
  f.slot.getOrdinal = &A::get;
  f.slot.setOrdinal = &A::set;
  f.enumTable = &EnumTableOf<typename A::Enum>();
  return f;
}

template <class R>
constexpr Sf6Field<R> diameterField(int n, const char *caption, int column, int width,
                                    TSf6Diameter R::*m) {
  auto f = makeField<R>(n, caption, column, width, Sf6Kind::Diameter);
  f.slot.diameter = m;
  return f;
}

template <class R>
constexpr Sf6Field<R> diameterEField(int n, const char *caption, int column, TSf6Diameter R::*m) {
  auto f = makeField<R>(n, caption, column, 1, Sf6Kind::DiameterE);
  f.slot.diameter = m;
  return f;
}

template <class R>
constexpr Sf6Field<R> materialField(int n, const char *caption, int column, TSf6MaterialSet R::*m,
                                    TSf6Material material) {
  auto f = makeField<R>(n, caption, column, 1, Sf6Kind::MaterialFlag);
  f.slot.materials = m;
  f.material = material;
  return f;
}

template <class R>
constexpr Sf6Field<R> colourField(int n, const char *caption, int column, uint32_t R::*m,
                                  int component) {
  auto f = makeField<R>(n, caption, column, 3, Sf6Kind::Colour);
  f.slot.colour = m;
  f.component = component;
  return f;
}

// A code field: what its code names (see Sf6CodeRef).
template <class R> constexpr Sf6Field<R> lensCode(Sf6Field<R> f) {
  f.codeRef = Sf6CodeRef::Lens;
  return f;
}
template <class R> constexpr Sf6Field<R> optionCode(Sf6Field<R> f) {
  f.codeRef = Sf6CodeRef::Option;
  return f;
}
template <class R> constexpr Sf6Field<R> productCode(Sf6Field<R> f) {
  f.codeRef = Sf6CodeRef::Product;
  return f;
}

// Kind-level rules shared with hooks. ----------------------------------------

// The column text of a field: empty when the line ends before it.
inline std::string_view fieldColumns(std::string_view line, int column, int width) {
  return Columns(line, column, width);
}

// value * divisor to the nearest integer (halves to even), signed or zero-padded.
std::string scaledToText(double value, int divisor, int width, bool isSigned);
std::string flagText(bool value); // "Ja" / "Nein"
// TextToFloat, with a direct path for the common all-digit column.
double scaledFromText(std::string_view text);
// FloatToFixed(value, decimals, withPlus, false), with a direct path for
// values that are whole numbers of their last decimal (what a scaled column
// holds); both paths give the same text.
std::string scaledDisplay(double value, int decimals, bool withPlus);

// Reads one field into the record by its kind.
template <class R> void readField(const Sf6Field<R> &f, std::string_view line, R &r);
// Appends one field as written by its kind (exactly its written width).
template <class R> void writeField(const Sf6Field<R> &f, const R &r, std::string &out);
// The grid text of one field by its kind.
template <class R> std::string kindText(const Sf6Field<R> &f, const R &r);

template <class R> void readField(const Sf6Field<R> &f, std::string_view line, R &r) {
  const std::string_view text = fieldColumns(line, f.column, f.width);
  switch (f.kind) {
  case Sf6Kind::Text:
    if (f.trim == Sf6Trim::Right)
      r.*f.slot.text = RightTrim(text);
    else if (f.trim == Sf6Trim::Both)
      r.*f.slot.text = BothTrim(text);
    else
      r.*f.slot.text = std::string(text);
    return;
  case Sf6Kind::Integer:
  case Sf6Kind::ProductType:
    r.*f.slot.integer = TextToInt(text);
    return;
  case Sf6Kind::Scaled: {
    const double v = scaledFromText(text);
    r.*f.slot.real = f.divisor > 1 ? v / f.divisor : v;
    return;
  }
  case Sf6Kind::Flag:
    r.*f.slot.flag = TextToInt(text) > 0;
    return;
  case Sf6Kind::Date:
    r.*f.slot.real = CompactToDateTime(text);
    return;
  case Sf6Kind::Enumeration:
    f.slot.setOrdinal(r, EnumOrdinalOfCode(*f.enumTable, TextToInt(text)));
    return;
  case Sf6Kind::Diameter:
    r.*f.slot.diameter = DiameterFromGroup(text);
    return;
  case Sf6Kind::DiameterE:
    return;
  case Sf6Kind::MaterialFlag: {
    // Each flag is read on its own; the set falls back to {egal} while no
    // real material is a member, so the four reads together give {egal}
    // exactly when none of the columns holds "1".
    TSf6MaterialSet &set = r.*f.slot.materials;
    if (TextToBool(text))
      set.Include(f.material);
    else
      set.Exclude(f.material);
    set.Exclude(TSf6Material::Egal);
    if (set.Empty())
      set.Include(TSf6Material::Egal);
    return;
  }
  case Sf6Kind::Colour: {
    const uint32_t component = static_cast<uint32_t>(TextToInt(text)) & 0xFFu;
    const int shift = 8 * f.component;
    uint32_t &colour = r.*f.slot.colour;
    colour = (colour & ~(0xFFu << shift)) | (component << shift);
    return;
  }
  }
}

template <class R> void writeField(const Sf6Field<R> &f, const R &r, std::string &out) {
  const int width = f.writeWidth > 0 ? f.writeWidth : f.width;
  switch (f.kind) {
  case Sf6Kind::Text:
    out += PadRight(r.*f.slot.text, width);
    return;
  case Sf6Kind::Integer:
    out += IntToZeroPadded(r.*f.slot.integer, width);
    return;
  case Sf6Kind::ProductType:
    out += r.*f.slot.integer != 0 ? '1' : '0';
    return;
  case Sf6Kind::Scaled:
    out += scaledToText(r.*f.slot.real, f.divisor, width, f.isSigned);
    return;
  case Sf6Kind::Flag:
    out += BoolToDigit(r.*f.slot.flag);
    return;
  case Sf6Kind::Date:
    out += PadRight(DateToCompact(r.*f.slot.real, true), 8);
    return;
  case Sf6Kind::Enumeration:
    out += IntToZeroPadded(EnumCode(*f.enumTable, f.slot.getOrdinal(r)), width);
    return;
  case Sf6Kind::Diameter:
    out += DiameterToGroup(r.*f.slot.diameter).substr(0, static_cast<size_t>(width));
    return;
  case Sf6Kind::DiameterE:
    return;
  case Sf6Kind::MaterialFlag:
    out += BoolToDigit((r.*f.slot.materials).Contains(f.material));
    return;
  case Sf6Kind::Colour:
    out += IntToZeroPadded((r.*f.slot.colour >> (8 * f.component)) & 0xFFu, 3);
    return;
  }
}

template <class R> std::string kindText(const Sf6Field<R> &f, const R &r) {
  switch (f.kind) {
  case Sf6Kind::Text:
    return r.*f.slot.text;
  case Sf6Kind::Integer:
    return IntToText(r.*f.slot.integer);
  case Sf6Kind::ProductType:
    return r.*f.slot.integer == 0 ? "Glas" : "Beschichtung";
  case Sf6Kind::Scaled:
    return scaledDisplay(r.*f.slot.real, f.decimals, f.withPlus);
  case Sf6Kind::Flag:
    return flagText(r.*f.slot.flag);
  case Sf6Kind::Date:
    return DateToLocaleText(r.*f.slot.real);
  case Sf6Kind::Enumeration:
    return EnumText(*f.enumTable, f.slot.getOrdinal(r));
  case Sf6Kind::Diameter: {
    TSf6Diameter d = r.*f.slot.diameter;
    d.E = false; // shown in a field of its own
    return DiameterToText(d);
  }
  case Sf6Kind::DiameterE:
    return (r.*f.slot.diameter).E ? "E" : "";
  case Sf6Kind::MaterialFlag:
    return flagText((r.*f.slot.materials).Contains(f.material));
  case Sf6Kind::Colour:
    return IntToText((r.*f.slot.colour >> (8 * f.component)) & 0xFFu);
  }
  return {};
}

// Whole-record operations. ---------------------------------------------------

template <class R> R parseLine(const Sf6Table<R> &table, std::string_view line) {
  R r{};
  for (const Sf6Field<R> &f : table.fields)
    readField(f, line, r);
  if (table.hooks.afterRead)
    table.hooks.afterRead(line, r);
  return r;
}

// Writes the fields in order; fields outside [first, last] are skipped.
template <class R>
void writeFields(const Sf6Table<R> &table, const R &r, std::string &out, int first = 1,
                 int last = 1 << 30) {
  for (const Sf6Field<R> &f : table.fields) {
    if (f.number < first || f.number > last)
      continue;
    if (table.hooks.writeField && table.hooks.writeField(f, r, out))
      continue;
    writeField(f, r, out);
  }
}

template <class R> std::string buildLine(const Sf6Table<R> &table, const R &r) {
  std::string out;
  out.reserve(160);
  writeFields(table, r, out);
  return out;
}

template <class R> const Sf6Field<R> *findField(const Sf6Table<R> &table, int n) {
  if (n < 1 || n > static_cast<int>(table.fields.size()))
    return nullptr;
  const Sf6Field<R> &f = table.fields[static_cast<size_t>(n - 1)];
  return f.number == n ? &f : nullptr;
}

template <class R> std::string fieldCaption(const Sf6Table<R> &table, int n) {
  const Sf6Field<R> *f = findField(table, n);
  return f ? std::string(f->caption) : std::string();
}

template <class R> std::string fieldText(const Sf6Table<R> &table, int n, const R &r) {
  const Sf6Field<R> *f = findField(table, n);
  if (!f)
    return {};
  std::string text;
  if (table.hooks.fieldText && table.hooks.fieldText(*f, r, text))
    return text;
  return kindText(*f, r);
}

template <class R> Sf6FieldPlace fieldPlace(const Sf6Table<R> &table, int n) {
  const Sf6Field<R> *f = findField(table, n);
  if (!f)
    return {};
  return {f->number, f->caption, f->column, f->width};
}

// The typed view. -------------------------------------------------------------

// The value of one field by its kind; r == nullptr gives the empty value.
template <class R>
void kindValue(const Sf6Table<R> &table, const Sf6Field<R> &f, const R *r, Sf6FieldValue &v) {
  v.type = Sf6ValueTypeOf(f.kind);
  v.integer = 0;
  v.ordinal = 0;
  v.real = 0;
  v.text.clear();
  if (!r)
    return;
  switch (f.kind) {
  case Sf6Kind::Text:
    v.text.assign(r->*f.slot.text);
    return;
  case Sf6Kind::Integer:
  case Sf6Kind::ProductType:
    v.integer = r->*f.slot.integer;
    return;
  case Sf6Kind::Scaled:
    v.real = r->*f.slot.real;
    return;
  case Sf6Kind::Flag:
    v.integer = r->*f.slot.flag ? 1 : 0;
    return;
  case Sf6Kind::Date:
    v.real = r->*f.slot.real;
    v.text = IsoDateText(v.real);
    return;
  case Sf6Kind::Enumeration:
    v.ordinal = f.slot.getOrdinal(*r);
    v.integer = EnumCode(*f.enumTable, v.ordinal);
    v.text = EnumText(*f.enumTable, v.ordinal);
    return;
  case Sf6Kind::Diameter:
    // The grid text, so that a layout's own forms ("alle zentrischen
    // Durchmesser") come through its hook.
    v.text = fieldText(table, f.number, *r);
    return;
  case Sf6Kind::DiameterE:
    v.integer = (r->*f.slot.diameter).E ? 1 : 0;
    return;
  case Sf6Kind::MaterialFlag:
    v.integer = (r->*f.slot.materials).Contains(f.material) ? 1 : 0;
    return;
  case Sf6Kind::Colour:
    v.integer = (r->*f.slot.colour >> (8 * f.component)) & 0xFFu;
    return;
  }
}

template <class R>
void fieldValues(const Sf6Table<R> &table, const R *r, std::span<Sf6FieldValue> out) {
  const size_t count = std::min(out.size(), table.fields.size());
  for (size_t i = 0; i < count; ++i)
    kindValue(table, table.fields[i], r, out[i]);
}

} // namespace sf6::detail

namespace sf6::detail {

// The read-only description of a table's fields, built once per table.
template <class R, const Sf6Table<R> &T> std::span<const Sf6FieldInfo> fieldInfos() {
  static const std::vector<Sf6FieldInfo> infos = [] {
    std::vector<Sf6FieldInfo> out;
    out.reserve(T.fields.size());
    for (const Sf6Field<R> &f : T.fields)
      out.push_back({f.number, f.caption, f.column, f.width,
                     f.writeWidth > 0 ? f.writeWidth : f.width, f.kind, Sf6ValueTypeOf(f.kind),
                     f.isSigned, f.divisor, f.enumTable, f.codeRef});
    return out;
  }();
  return infos;
}

// The uniform layout of a file over its table and its named operations.
template <class R, const Sf6Table<R> &T, R (*Parse)(std::string_view),
          std::string (*Text)(int, const R &)>
Sf6Layout makeLayout(const char *fileName, const char *recordName,
                     std::string (*rebuild)(std::string_view)) {
  return {fileName,
          recordName,
          static_cast<int>(T.fields.size()),
          [](int n) { return fieldPlace(T, n); },
          [](int n) { return fieldCaption(T, n); },
          [](std::string_view line) { return Sf6AnyRecord(Parse(line)); },
          [](int n, const Sf6AnyRecord &any) {
            const R *r = any.template get<R>();
            return r ? Text(n, *r) : std::string();
          },
          rebuild,
          &fieldInfos<R, T>,
          [](const Sf6AnyRecord &any, std::span<Sf6FieldValue> out) {
            fieldValues(T, any.template get<R>(), out);
          }};
}

// A price of LensPrice.Dat or OptionsPrice.Dat counts as present in a line when
// its seven columns are not all blank.
inline bool pricePresentInLine(std::string_view line, int column) {
  return !RightTrim(Columns(line, column, 7)).empty();
}

// The five present flags of a price line whose first price starts at firstColumn.
inline PricePresence pricesPresentInLine(std::string_view line, int firstColumn) {
  PricePresence present{};
  for (size_t k = 0; k < present.size(); ++k)
    present[k] = pricePresentInLine(line, firstColumn + 7 * static_cast<int>(k));
  return present;
}

// A price line of LensPrice.Dat or OptionsPrice.Dat: the fields before the
// first price, then each price that is present or seven blanks; the line
// ends with its last present price.
template <class R>
std::string buildPriceLine(const Sf6Table<R> &table, const R &r, int firstPriceField,
                           const PricePresence &present) {
  std::string out;
  out.reserve(56);
  writeFields(table, r, out, 1, firstPriceField - 1);
  for (size_t k = 0; k < present.size(); ++k) {
    if (present[k])
      writeField(table.fields[static_cast<size_t>(firstPriceField - 1) + k], r, out);
    else
      out.append(7, ' ');
  }
  return RightTrim(out);
}

} // namespace sf6::detail
