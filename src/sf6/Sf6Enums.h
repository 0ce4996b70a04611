#pragma once

// The coded value sets of SF6 catalog lines and the two small value types the
// lines share (diameter and material set). Every enumeration is an enum class
// whose underlying value is the ordinal (0, 1, 2, ...); the catalog files hold
// a numeric code per ordinal, the field grid shows a text per ordinal. One
// table per enumeration (Sf6EnumTable) drives one generic engine:
//
//   EnumCode(v)            the code written to the file
//   EnumFromCode<E>(code)  the ordinal of a read code; a code not in the list
//                          gives the enumeration's default ordinal
//   EnumText(v)            the display text; an ordinal outside the list
//                          gives the enumeration's out-of-range text
//
// Texts are Windows-1252. Texts with a language slot come from the language
// table at call time. Nothing here fails or throws.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace sf6 {

enum class TSf6LensKind : int { Einstaerken, Bifo, Trifo, Gleitsicht, OfficeGlas };
enum class TSf6Material : int { Egal, Silikat, Kunststoff, Polycarbonat, Trivex };
enum class TSf6BrandClass : int { Standard, Marke, Eco };
enum class TSf6AntiReflection : int { Keine, Einfach, Mehrfach, Super };
enum class TSf6Tint : int { Keine, Filter, Farbig, EinfachVerlauf, ZweifachVerlauf, DreifachVerlauf };
enum class TSf6Inclusion : int { NichtInklusive, Inklusive, ImPlusbereich };
enum class TSf6RoadUse : int {
  KeineAngabe,
  KeineEinschraenkung,
  NichtVerkehrstauglich,
  NichtNachtfahrtauglich,
  NichtKfzTauglich,
  AbhaengigVonDickeUndVeredelung
};
enum class TSf6SingleLensOrder : int { NichtMoeglich, Moeglich, MitFiktivemGegenglas };
enum class TSf6AddStep : int { Step100, Step050, Step025, Step0125 };
enum class TSf6SegmentType : int { C, S, Panto, Rund, Executiv };
enum class TSf6ViewDirection : int { Nullblickrichtung, Hauptblickrichtung };
enum class TSf6Edging : int { Nein, GetracteForm, GegebeneFassung };
enum class TSf6DiameterChange : int { Nein, Kleiner, Groesser, Optimiert };
enum class TSf6ThicknessChange : int { Nein, AbweichendeDicke, Dickenreduktion };
enum class TSf6FormChange : int { Nein, OvalStattRund, RundStattOval, Abgeschnitten };
enum class TSf6SphTor : int { Egal, Sphaerisch, Torisch };
enum class TSf6SingleMulti : int { Egal, Einstaerken, Mehrstaerken };
enum class TSf6Availability : int { NichtLieferbar, Lieferbar, NurLieferbar };
enum class TSf6PriceType : int {
  NichtGefuellt,
  ListenEk,
  EmpfVk,
  EmpfVkInklVers,
  BonusEk,
  KalkulierterVk,
  KalkulierterMaterialpreis,
  Handwerksleistung,
  SonstigesEk,
  SonstigesVk
};
enum class TSf6OrderFieldType : int {
  NichtGefuellt,     // 000
  Hsa,               // 010
  NormalPd,          // 020
  EinschleifPd,      // 021
  EinzelPd,          // 022
  Vorneigung,        // 030 (degrees/mm)
  VorneigungGrad,    // 031
  VorneigungMm,      // 032
  Scheibenwinkel,    // 040
  Boxbreite,         // 050
  Boxhoehe,          // 051
  Azg,               // 052
  Einschleifhoehe,   // 053
  Objektabstand,     // 060
  Inset,             // 065
  Kopfneigung,       // 070
  VornameKunde,      // 080
  NachnameKunde,     // 081
  Initialien,        // 082
  Praeferenz,        // 100
  Progressionslaenge, // 110
  HeadEyeMover,      // 120
  Stabilitaet,       // 121
  Additionsmessverfahren // 130
};
enum class TSf6InfoType : int {
  Tec,  // 2
  Mtg,  // 3
  Bsi,  // 5
  Lih,  // 6
  Lbe,  // 7
  Mpg,  // 9
  Uimg, // 40
  Utec, // 42
  Umtg, // 43
  Ubsi, // 45
  Ulih, // 46
  Ulbe, // 47
  Umpg  // 49
};
enum class TSf6SubstAction : int { CodeErsetzen, Produktvorschlag };

// One ordinal of an enumeration: its file code and its display text, taken
// from language slot `slot` when slot >= 0, else the fixed `text`.
// `shortCode` is set for TSf6InfoType only.
struct Sf6EnumEntry {
  int code;
  int slot;
  const char *text;
  const char *shortCode;
};

// What the engine gives for an ordinal outside the list.
struct Sf6EnumOutOfRange {
  int code;              // written for such an ordinal
  int slot;              // text from this language slot when >= 0 ...
  const char *text;      // ... else this fixed text ("" for the empty text)
  const char *shortCode; // TSf6InfoType only
};

struct Sf6EnumTable {
  const char *name; // the type name, e.g. "TSf6LensKind"
  std::span<const Sf6EnumEntry> entries;
  int defaultOrdinal; // taken for a read code that is not in the list
  Sf6EnumOutOfRange outOfRange;
};

// The generic engine over one table. Ordinals are ints so that a record may
// hold any value without the engine reading outside the table.
int EnumCount(const Sf6EnumTable &table);
int EnumCode(const Sf6EnumTable &table, int ordinal);
// The last ordinal whose code equals `code`, else the default ordinal.
int EnumOrdinalOfCode(const Sf6EnumTable &table, int code);
std::string EnumText(const Sf6EnumTable &table, int ordinal);
std::string EnumShortCode(const Sf6EnumTable &table, int ordinal);

// The table of each enumeration.
template <class E> const Sf6EnumTable &EnumTableOf();
template <> const Sf6EnumTable &EnumTableOf<TSf6LensKind>();
template <> const Sf6EnumTable &EnumTableOf<TSf6Material>();
template <> const Sf6EnumTable &EnumTableOf<TSf6BrandClass>();
template <> const Sf6EnumTable &EnumTableOf<TSf6AntiReflection>();
template <> const Sf6EnumTable &EnumTableOf<TSf6Tint>();
template <> const Sf6EnumTable &EnumTableOf<TSf6Inclusion>();
template <> const Sf6EnumTable &EnumTableOf<TSf6RoadUse>();
template <> const Sf6EnumTable &EnumTableOf<TSf6SingleLensOrder>();
template <> const Sf6EnumTable &EnumTableOf<TSf6AddStep>();
template <> const Sf6EnumTable &EnumTableOf<TSf6SegmentType>();
template <> const Sf6EnumTable &EnumTableOf<TSf6ViewDirection>();
template <> const Sf6EnumTable &EnumTableOf<TSf6Edging>();
template <> const Sf6EnumTable &EnumTableOf<TSf6DiameterChange>();
template <> const Sf6EnumTable &EnumTableOf<TSf6ThicknessChange>();
template <> const Sf6EnumTable &EnumTableOf<TSf6FormChange>();
template <> const Sf6EnumTable &EnumTableOf<TSf6SphTor>();
template <> const Sf6EnumTable &EnumTableOf<TSf6SingleMulti>();
template <> const Sf6EnumTable &EnumTableOf<TSf6Availability>();
template <> const Sf6EnumTable &EnumTableOf<TSf6PriceType>();
template <> const Sf6EnumTable &EnumTableOf<TSf6OrderFieldType>();
template <> const Sf6EnumTable &EnumTableOf<TSf6InfoType>();
template <> const Sf6EnumTable &EnumTableOf<TSf6SubstAction>();

// Typed forms of the engine.
template <class E> int EnumCount() { return EnumCount(EnumTableOf<E>()); }
template <class E> int EnumCode(E value) {
  return EnumCode(EnumTableOf<E>(), static_cast<int>(value));
}
template <class E> E EnumFromCode(int code) {
  return static_cast<E>(EnumOrdinalOfCode(EnumTableOf<E>(), code));
}
template <class E> std::string EnumText(E value) {
  return EnumText(EnumTableOf<E>(), static_cast<int>(value));
}
template <class E> E EnumDefault() { return static_cast<E>(EnumTableOf<E>().defaultOrdinal); }

// The short code of an information type ("TEC", "UIMG", ...); "TEC" outside
// the list.
std::string InfoTypeShortCode(TSf6InfoType type);

// Material set --------------------------------------------------------------

// A set of TSf6Material ordinals (0..4; other ordinals are never members).
struct TSf6MaterialSet {
  uint8_t bits = 0;

  bool Contains(TSf6Material m) const {
    const int o = static_cast<int>(m);
    return o >= 0 && o < 8 && (bits >> o) & 1u;
  }
  void Include(TSf6Material m) {
    const int o = static_cast<int>(m);
    if (o >= 0 && o < 5)
      bits = static_cast<uint8_t>(bits | (1u << o));
  }
  void Exclude(TSf6Material m) {
    const int o = static_cast<int>(m);
    if (o >= 0 && o < 5)
      bits = static_cast<uint8_t>(bits & ~(1u << o));
  }
  bool Empty() const { return bits == 0; }
  friend bool operator==(const TSf6MaterialSet &, const TSf6MaterialSet &) = default;
};

// The set of the materials whose flag is set; {egal} when none is.
TSf6MaterialSet MaterialSetFromFlags(bool silikat, bool kunststoff, bool polycarbonat, bool trivex);
// The lowest member (so {egal, ...} gives egal); Silikat for an empty set.
TSf6Material FirstMaterial(TSf6MaterialSet set);

// Diameter ------------------------------------------------------------------

// Diameters in whole millimetres. Second > 0 only for an elliptical lens (its
// second axis); E is the file's "E" marker.
struct TSf6Diameter {
  int32_t First = 0;
  int32_t Second = 0;
  bool E = false;
  friend bool operator==(const TSf6Diameter &, const TSf6Diameter &) = default;
};

// The 5-character group: characters 1-2 the first diameter, 3-4 the second,
// 5 "E"/"e" for E. A shorter text reads as if padded with blanks.
TSf6Diameter DiameterFromGroup(std::string_view group);
// Exactly 5 characters: (65,0,false) "65   ", (65,70,true) "6570E".
std::string DiameterToGroup(const TSf6Diameter &d);
// "" when First is 0, else "65", "65/70", "65/70E", "65E".
std::string DiameterToText(const TSf6Diameter &d);
// The inverse of DiameterToText: "65/70E" gives (65,70,true), "70" (70,0,false).
TSf6Diameter DiameterFromText(std::string_view text);

} // namespace sf6
