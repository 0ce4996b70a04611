#pragma once

// A read-only description of one field of a data-file layout, for callers
// that work on the raw column text of a line rather than on its decoded
// record (a validator, a column ruler). The record layer's tables are the
// only source: every layout's fields are described from its table.

#include <cstdint>
#include <string_view>

namespace sf6 {

struct Sf6EnumTable;

// How a field's column text is read. The record layer's engine reads, writes
// and renders by this kind.
enum class Sf6FieldKind : uint8_t {
  Text,         // string
  Integer,      // int32_t
  Scaled,       // double, divided by `divisor` when read
  Flag,         // bool: TextToInt > 0
  Date,         // TDateTime from "yyyymmdd"
  Enumeration,  // ordinal through `enumTable`
  Diameter,     // TSf6Diameter: the group of `width` characters (E only when 5 wide)
  DiameterE,    // the E of the diameter: read and written by the Diameter field
  MaterialFlag, // membership of a material in a TSf6MaterialSet: set only by "1"
  Colour,       // one component (0..255) of a colour value, 3 digits
  ProductType,  // int32_t: "Glas" for 0, else "Beschichtung"
};

// The type of value a field yields in the typed view (Sf6FieldValue.h).
enum class Sf6ValueType : uint8_t {
  Text,        // Text fields; Diameter fields as the grid shows them ("65/70")
  Integer,     // Integer, ProductType (as read), Colour (0..255)
  Real,        // Scaled: the scaled value (a blank column is 0)
  Flag,        // Flag, MaterialFlag (membership), DiameterE
  Date,        // Date
  Enumeration, // Enumeration: code and text of the decoded ordinal
};

// The value type of a kind.
Sf6ValueType Sf6ValueTypeOf(Sf6FieldKind kind);

// A short English name of the kind: "text", "integer", "scaled number",
// "flag", "date", "enumeration", "diameter", "elliptical", "material flag",
// "colour component", "product type".
std::string_view Sf6FieldKindName(Sf6FieldKind kind);

// What a code field names, so that a reader can follow it to the line that
// defines it.
enum class Sf6CodeRef : uint8_t {
  None,    // not a code of a lens or an option
  Lens,    // a lens code, defined in LensType.Dat
  Option,  // an option (coating, tint) code, defined in Options.Dat
  Product, // a lens or an option code, as the line's product-type field says
};

struct Sf6FieldInfo {
  int number = 0;           // 1-based field number, the grid's row
  const char *caption = ""; // the grid's caption (Windows-1252; "" for none)
  int column = 0;           // 1-based first column
  int width = 0;            // columns the reader takes
  int writeWidth = 0;       // columns the writer fills (differs from width only
                            // where the reader takes more than is written)
  Sf6FieldKind kind = Sf6FieldKind::Text;
  Sf6ValueType type = Sf6ValueType::Text; // the value the typed view gives
  bool isSigned = false;                  // written with a sign in its first column
  int divisor = 1;                        // scaled numbers: the read value is divided by it
  // Enumerations: the code list and default; nullptr for other kinds.
  const Sf6EnumTable *enumTable = nullptr;
  // Code fields: what the code names; None for every other field.
  Sf6CodeRef codeRef = Sf6CodeRef::None;
};

} // namespace sf6
