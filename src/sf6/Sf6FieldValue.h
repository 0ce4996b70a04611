#pragma once

// The typed view of a layout's fields, for callers that need a field's value
// rather than its grid text (the data export, a validator): each field's kind
// and the type of value it yields, and the values of one decoded record.
// Every layout answers through the same engine over its field table
// (Sf6Layout::fieldInfo and Sf6Layout::values).

#include "sf6/Sf6Enums.h"
#include "sf6/Sf6FieldInfo.h"
#include "text/FieldText.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace sf6 {

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


// "YYYY-MM-DD" of a date; "" for no date (a day count at or below half a
// second, which the builders write as eight blanks).
std::string IsoDateText(TDateTime date);

} // namespace sf6
