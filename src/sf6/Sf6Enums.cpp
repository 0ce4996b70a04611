#include "sf6/Sf6Enums.h"

#include "lang/LanguageTable.h"
#include "text/FieldText.h"

namespace sf6 {
namespace {

constexpr int kFixed = -1; // no language slot: the entry's fixed text applies

// The out-of-range answer of most enumerations: code 0, the empty text.
constexpr Sf6EnumOutOfRange kEmptyOutOfRange{0, kFixed, "", nullptr};
// Out-of-range text taken from a language slot, written as code 0.
constexpr Sf6EnumOutOfRange outOfRangeSlot(int slot) { return {0, slot, nullptr, nullptr}; }

constexpr Sf6EnumEntry kLensKind[] = {
    {0, 11, nullptr, nullptr}, {1, 12, nullptr, nullptr}, {2, 13, nullptr, nullptr},
    {3, 14, nullptr, nullptr}, {4, 15, nullptr, nullptr}};
constexpr Sf6EnumEntry kMaterial[] = {
    {0, 1, nullptr, nullptr}, {1, 2, nullptr, nullptr}, {2, 3, nullptr, nullptr},
    {3, 4, nullptr, nullptr}, {4, 5, nullptr, nullptr}};
constexpr Sf6EnumEntry kBrandClass[] = {
    {0, 16, nullptr, nullptr}, {1, 17, nullptr, nullptr}, {2, 18, nullptr, nullptr}};
constexpr Sf6EnumEntry kAntiReflection[] = {
    {0, 24, nullptr, nullptr}, {2, 25, nullptr, nullptr}, {5, 26, nullptr, nullptr},
    {8, 27, nullptr, nullptr}};
constexpr Sf6EnumEntry kTint[] = {
    {0, 28, nullptr, nullptr}, {1, 29, nullptr, nullptr}, {2, 30, nullptr, nullptr},
    {4, 31, nullptr, nullptr}, {5, 32, nullptr, nullptr}, {6, 33, nullptr, nullptr}};
constexpr Sf6EnumEntry kInclusion[] = {
    {0, 34, nullptr, nullptr}, {1, 35, nullptr, nullptr}, {2, 36, nullptr, nullptr}};
constexpr Sf6EnumEntry kRoadUse[] = {
    {0, 37, nullptr, nullptr}, {1, 38, nullptr, nullptr}, {2, 39, nullptr, nullptr},
    {3, 40, nullptr, nullptr}, {4, 41, nullptr, nullptr}, {5, 42, nullptr, nullptr}};
constexpr Sf6EnumEntry kSingleLensOrder[] = {
    {0, 43, nullptr, nullptr}, {1, 44, nullptr, nullptr}, {2, 45, nullptr, nullptr}};
constexpr Sf6EnumEntry kAddStep[] = {
    {1, 46, nullptr, nullptr}, {2, 47, nullptr, nullptr}, {4, 48, nullptr, nullptr},
    {8, 49, nullptr, nullptr}};
constexpr Sf6EnumEntry kSegmentType[] = {
    {0, 50, nullptr, nullptr}, {1, 51, nullptr, nullptr}, {2, 52, nullptr, nullptr},
    {3, 53, nullptr, nullptr}, {4, 54, nullptr, nullptr}};
constexpr Sf6EnumEntry kViewDirection[] = {
    {0, kFixed, "Nullblickrichtung", nullptr}, {1, kFixed, "Hauptblickrichtung", nullptr}};
constexpr Sf6EnumEntry kEdging[] = {
    {0, 55, nullptr, nullptr}, {1, 56, nullptr, nullptr}, {2, 57, nullptr, nullptr}};
constexpr Sf6EnumEntry kDiameterChange[] = {
    {0, 58, nullptr, nullptr}, {1, 59, nullptr, nullptr}, {2, 60, nullptr, nullptr},
    {3, 61, nullptr, nullptr}};
constexpr Sf6EnumEntry kThicknessChange[] = {
    {0, 62, nullptr, nullptr}, {1, 63, nullptr, nullptr}, {2, 64, nullptr, nullptr}};
constexpr Sf6EnumEntry kFormChange[] = {
    {0, 65, nullptr, nullptr}, {1, 66, nullptr, nullptr}, {2, 67, nullptr, nullptr},
    {3, 68, nullptr, nullptr}};
constexpr Sf6EnumEntry kSphTor[] = {
    {0, 69, nullptr, nullptr}, {1, 70, nullptr, nullptr}, {2, 71, nullptr, nullptr}};
constexpr Sf6EnumEntry kSingleMulti[] = {
    {0, 72, nullptr, nullptr}, {1, 73, nullptr, nullptr}, {2, 74, nullptr, nullptr}};
constexpr Sf6EnumEntry kAvailability[] = {
    {0, 75, nullptr, nullptr}, {1, 76, nullptr, nullptr}, {2, 77, nullptr, nullptr}};
constexpr Sf6EnumEntry kPriceType[] = {
    {0, 78, nullptr, nullptr},  {10, 79, nullptr, nullptr}, {20, 80, nullptr, nullptr},
    {21, 81, nullptr, nullptr}, {40, 82, nullptr, nullptr}, {50, 83, nullptr, nullptr},
    {51, 84, nullptr, nullptr}, {52, 85, nullptr, nullptr}, {90, 86, nullptr, nullptr},
    {91, 87, nullptr, nullptr}};
constexpr Sf6EnumEntry kOrderFieldType[] = {
    {0, kFixed, "000: Nicht gef\xFCllt", nullptr},
    {10, kFixed, "010: HSA", nullptr},
    {20, kFixed, "020: Normal PD", nullptr},
    {21, kFixed, "021: Einschleif PD", nullptr},
    {22, kFixed, "022: Einzel PD", nullptr},
    {30, kFixed, "030: Fassungsvorneigung (Grad/mm)", nullptr},
    {31, kFixed, "031: Fassungsvorneigung (Grad)", nullptr},
    {32, kFixed, "032: Fassungsvorneigung (mm)", nullptr},
    {40, kFixed, "040: Fassungsscheibenwinkel", nullptr},
    {50, kFixed, "050: Boxbreite", nullptr},
    {51, kFixed, "051: Boxhoehe", nullptr},
    {52, kFixed, "052: AZG", nullptr},
    {53, kFixed, "053: Einschleifh\xF6he", nullptr},
    {60, kFixed, "060: Objektabstand", nullptr},
    {65, kFixed, "065: Inset", nullptr},
    {70, kFixed, "070: Kopfneigung", nullptr},
    {80, kFixed, "080: Vorname Kunde", nullptr},
    {81, kFixed, "081: Nachname Kunde", nullptr},
    {82, kFixed, "082: Initialien", nullptr},
    {100, kFixed, "100: Pr\xE4" "ferenz", nullptr},
    {110, kFixed, "110: Progressionsl\xE4nge", nullptr},
    {120, kFixed, "120: HeadEyeMover-Quotient", nullptr},
    {121, kFixed, "121: Stabilit\xE4ts-Koeffizient", nullptr},
    {130, kFixed, "130: Additionsmessverfahren", nullptr}};
constexpr Sf6EnumEntry kInfoType[] = {
    {2, kFixed, "Technische Produktbeschreibung", "TEC"},
    {3, kFixed, "Marketing Beschreibung", "MTG"},
    {5, kFixed, "Bestellinformationen", "BSI"},
    {6, kFixed, "Lieferhinweise", "LIH"},
    {7, kFixed, "Lieferbereichserg\xE4nzungen", "LBE"},
    {9, kFixed, "MPG Hinweise", "MPG"},
    {40, kFixed, "Url Image", "UIMG"},
    {42, kFixed, "Url Technische Produktbeschreibung", "UTEC"},
    {43, kFixed, "Url Marketing Beschreibung", "UMTG"},
    {45, kFixed, "Url Bestellinformationen", "UBSI"},
    {46, kFixed, "Url Lieferhinweise", "ULIH"},
    {47, kFixed, "Url Lieferbereichserg\xE4nzungen", "ULBE"},
    {49, kFixed, "Url MPG Hinweise", "UMPG"}};
constexpr Sf6EnumEntry kSubstAction[] = {
    {1, kFixed, "Code ersetzen", nullptr}, {2, kFixed, "Produktvorschlag", nullptr}};

// Name, entries, default ordinal, out-of-range answer.
const Sf6EnumTable kLensKindTable{"TSf6LensKind", kLensKind, 0, kEmptyOutOfRange};
const Sf6EnumTable kMaterialTable{"TSf6Material", kMaterial, 1, kEmptyOutOfRange};
const Sf6EnumTable kBrandClassTable{"TSf6BrandClass", kBrandClass, 0, kEmptyOutOfRange};
const Sf6EnumTable kAntiReflectionTable{"TSf6AntiReflection", kAntiReflection, 0,
                                        kEmptyOutOfRange};
const Sf6EnumTable kTintTable{"TSf6Tint", kTint, 0, kEmptyOutOfRange};
const Sf6EnumTable kInclusionTable{"TSf6Inclusion", kInclusion, 0, kEmptyOutOfRange};
const Sf6EnumTable kRoadUseTable{"TSf6RoadUse", kRoadUse, 0, outOfRangeSlot(37)};
const Sf6EnumTable kSingleLensOrderTable{"TSf6SingleLensOrder", kSingleLensOrder, 0,
                                         outOfRangeSlot(43)};
// An add step outside the list is shown and written as the 1.0 step.
const Sf6EnumTable kAddStepTable{"TSf6AddStep", kAddStep, 0, {1, 46, nullptr, nullptr}};
const Sf6EnumTable kSegmentTypeTable{"TSf6SegmentType", kSegmentType, 0, kEmptyOutOfRange};
const Sf6EnumTable kViewDirectionTable{"TSf6ViewDirection", kViewDirection, 0, kEmptyOutOfRange};
const Sf6EnumTable kEdgingTable{"TSf6Edging", kEdging, 0, outOfRangeSlot(55)};
const Sf6EnumTable kDiameterChangeTable{"TSf6DiameterChange", kDiameterChange, 0,
                                        outOfRangeSlot(58)};
const Sf6EnumTable kThicknessChangeTable{"TSf6ThicknessChange", kThicknessChange, 0,
                                         kEmptyOutOfRange};
const Sf6EnumTable kFormChangeTable{"TSf6FormChange", kFormChange, 0, outOfRangeSlot(65)};
const Sf6EnumTable kSphTorTable{"TSf6SphTor", kSphTor, 0, outOfRangeSlot(69)};
const Sf6EnumTable kSingleMultiTable{"TSf6SingleMulti", kSingleMulti, 0, outOfRangeSlot(72)};
const Sf6EnumTable kAvailabilityTable{"TSf6Availability", kAvailability, 1, outOfRangeSlot(75)};
const Sf6EnumTable kPriceTypeTable{"TSf6PriceType", kPriceType, 0, outOfRangeSlot(78)};
const Sf6EnumTable kOrderFieldTypeTable{"TSf6OrderFieldType", kOrderFieldType, 0,
                                        {0, kFixed, "Nicht gefuellt", nullptr}};
const Sf6EnumTable kInfoTypeTable{"TSf6InfoType", kInfoType, 0,
                                  {2, kFixed, "Nicht gefuellt", "TEC"}};
const Sf6EnumTable kSubstActionTable{"TSf6SubstAction", kSubstAction, 0,
                                     {1, kFixed, "Code ersetzen", nullptr}};

bool inRange(const Sf6EnumTable &table, int ordinal) {
  return ordinal >= 0 && ordinal < static_cast<int>(table.entries.size());
}

std::string textOf(int slot, const char *text) {
  if (slot >= 0)
    return LangText(slot);
  return text ? std::string(text) : std::string();
}

} // namespace

int EnumCount(const Sf6EnumTable &table) { return static_cast<int>(table.entries.size()); }

int EnumCode(const Sf6EnumTable &table, int ordinal) {
  if (!inRange(table, ordinal))
    return table.outOfRange.code;
  return table.entries[static_cast<size_t>(ordinal)].code;
}

int EnumOrdinalOfCode(const Sf6EnumTable &table, int code) {
  int result = table.defaultOrdinal;
  for (size_t i = 0; i < table.entries.size(); ++i)
    if (table.entries[i].code == code)
      result = static_cast<int>(i);
  return result;
}

std::string EnumText(const Sf6EnumTable &table, int ordinal) {
  if (!inRange(table, ordinal))
    return textOf(table.outOfRange.slot, table.outOfRange.text);
  const Sf6EnumEntry &entry = table.entries[static_cast<size_t>(ordinal)];
  return textOf(entry.slot, entry.text);
}

std::string EnumShortCode(const Sf6EnumTable &table, int ordinal) {
  const char *code = inRange(table, ordinal)
                         ? table.entries[static_cast<size_t>(ordinal)].shortCode
                         : table.outOfRange.shortCode;
  return code ? std::string(code) : std::string();
}

template <> const Sf6EnumTable &EnumTableOf<TSf6LensKind>() { return kLensKindTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6Material>() { return kMaterialTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6BrandClass>() { return kBrandClassTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6AntiReflection>() { return kAntiReflectionTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6Tint>() { return kTintTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6Inclusion>() { return kInclusionTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6RoadUse>() { return kRoadUseTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6SingleLensOrder>() { return kSingleLensOrderTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6AddStep>() { return kAddStepTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6SegmentType>() { return kSegmentTypeTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6ViewDirection>() { return kViewDirectionTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6Edging>() { return kEdgingTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6DiameterChange>() { return kDiameterChangeTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6ThicknessChange>() {
  return kThicknessChangeTable;
}
template <> const Sf6EnumTable &EnumTableOf<TSf6FormChange>() { return kFormChangeTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6SphTor>() { return kSphTorTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6SingleMulti>() { return kSingleMultiTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6Availability>() { return kAvailabilityTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6PriceType>() { return kPriceTypeTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6OrderFieldType>() { return kOrderFieldTypeTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6InfoType>() { return kInfoTypeTable; }
template <> const Sf6EnumTable &EnumTableOf<TSf6SubstAction>() { return kSubstActionTable; }

std::string InfoTypeShortCode(TSf6InfoType type) {
  return EnumShortCode(kInfoTypeTable, static_cast<int>(type));
}

// Material set ----------------------------------------------------------------

TSf6MaterialSet MaterialSetFromFlags(bool silikat, bool kunststoff, bool polycarbonat,
                                     bool trivex) {
  TSf6MaterialSet set;
  if (silikat)
    set.Include(TSf6Material::Silikat);
  if (kunststoff)
    set.Include(TSf6Material::Kunststoff);
  if (polycarbonat)
    set.Include(TSf6Material::Polycarbonat);
  if (trivex)
    set.Include(TSf6Material::Trivex);
  if (set.Empty())
    set.Include(TSf6Material::Egal);
  return set;
}

TSf6Material FirstMaterial(TSf6MaterialSet set) {
  for (int o = 0; o < 5; ++o)
    if (set.Contains(static_cast<TSf6Material>(o)))
      return static_cast<TSf6Material>(o);
  return TSf6Material::Silikat;
}

// Diameter --------------------------------------------------------------------

TSf6Diameter DiameterFromGroup(std::string_view group) {
  TSf6Diameter d;
  d.First = TextToInt(Columns(group, 1, 2));
  d.Second = TextToInt(Columns(group, 3, 2));
  const std::string_view marker = Columns(group, 5, 1);
  d.E = marker == "E" || marker == "e";
  return d;
}

std::string DiameterToGroup(const TSf6Diameter &d) {
  std::string group = IntToZeroPadded(d.First, 2);
  group += d.Second >= 1 ? IntToZeroPadded(d.Second, 2) : std::string("  ");
  group += d.E ? 'E' : ' ';
  return group;
}

std::string DiameterToText(const TSf6Diameter &d) {
  if (d.First == 0)
    return {};
  std::string text = IntToText(d.First);
  if (d.Second > 0) {
    text += '/';
    text += IntToText(d.Second);
  }
  if (d.E)
    text += 'E';
  return text;
}

TSf6Diameter DiameterFromText(std::string_view text) {
  TSf6Diameter d;
  d.First = TextToInt(NthToken(Columns(text, 1, 2), "/", 1));
  d.Second = TextToInt(NthToken(NthToken(text, "/", 2), "E", 1));
  d.E = text.find('E') != std::string_view::npos;
  return d;
}

} // namespace sf6
