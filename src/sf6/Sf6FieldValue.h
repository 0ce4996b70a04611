#pragma once

// The typed view of a layout's fields, for callers that need a field's value
// rather than its grid text (the data export, a validator): each field's kind
// and the type of value it yields, and the values of one decoded record.
// Every layout answers through the same engine over its field table
// (Sf6Layout::fieldInfo and Sf6Layout::values).

#include "sf6/Sf6Enums.h"
#include "text/FieldText.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace sf6 {

// How a field is laid out in the line and held in the record.
enum class Sf6FieldKind : uint8_t {
  Text,         // string
  Integer,      // int32_t
  Scaled,       // double, divided by the field's divisor when read
  Flag,         // bool: TextToInt > 0
  Date,         // TDateTime from "yyyymmdd"
  Enumeration,  // ordinal of an enumeration
  Diameter,     // TSf6Diameter: the diameter group (E only when 5 wide)
  DiameterE,    // the E of the diameter: read and written by the Diameter field
  MaterialFlag, // membership of one material in a TSf6MaterialSet: set only by "1"
  Colour,       // one component (red, green, blue) of a Sf6Colour
  ProductType,  // int32_t: "Glas" for 0, else "Beschichtung"
};

// A short English name of the kind: "text", "integer", "scaled number",
// "flag", "date", "enumeration", "diameter", "elliptical", "material flag",
// "colour component", "product type".
std::string_view Sf6FieldKindName(Sf6FieldKind kind);

// The type of value a field yields.
enum class Sf6ValueType : uint8_t {
  Text,        // Text fields; Diameter fields as the grid shows them ("65/70")
  Integer,     // Integer, ProductType (as read), Colour (0..255)
  Real,        // Scaled: the scaled value (a blank column is 0)
  Flag,        // Flag, MaterialFlag (membership), DiameterE
  Date,        // Date
  Enumeration, // Enumeration: code and text of the decoded ordinal
};

// One field of a layout for the typed view.
struct Sf6FieldInfo {
  int number = 0;           // 1-based field number
  const char *caption = ""; // Windows-1252; "" where the grid shows none
  Sf6FieldKind kind = Sf6FieldKind::Text;
  Sf6ValueType type = Sf6ValueType::Text;
  const Sf6EnumTable *enumTable = nullptr; // Enumeration fields only
};

// The value of one field of a decoded record. Only the members of its type
// are meaningful; the others keep their empty values.
struct Sf6FieldValue {
  Sf6ValueType type = Sf6ValueType::Text;
  // Integer: the value; Flag: 1 or 0; Enumeration: the code of the ordinal
  // (a code read outside the list gives the default ordinal and its code).
  int64_t integer = 0;
  // Enumeration: the ordinal.
  int ordinal = 0;
  // Real: the scaled value; Date: the day count (see FieldText.h).
  double real = 0;
  // Windows-1252. Text: the whole text as the record holds it (not the
  // viewer's 255-character cut); Diameter: the grid text; Enumeration: the
  // ordinal's text; Date: "YYYY-MM-DD", or "" for no date (a day count the
  // builder writes as blanks).
  std::string text;

  bool flag() const { return integer != 0; }
  bool hasDate() const { return type == Sf6ValueType::Date && !text.empty(); }
};

// The value type of a kind (see Sf6ValueType).
Sf6ValueType Sf6ValueTypeOf(Sf6FieldKind kind);

// "YYYY-MM-DD" of a date; "" for no date (a day count at or below half a
// second, which the builders write as eight blanks).
std::string IsoDateText(TDateTime date);

} // namespace sf6
