#pragma once

// Decoders, builders, captions and grid texts of the SF6 data files, and the
// Head.dat writer.
//
// Parse...Line(line): decodes one line (Windows-1252). Never fails: every
//   field is assigned; a column the line does not reach reads as empty, an
//   unreadable number or date as 0, a code outside its enumeration as the
//   enumeration's default.
// Build...Line(...): the line as written to the catalog. Each field gets
//   exactly its width: longer texts are cut, numbers too wide lose their
//   leading digits.
// ...FieldCaption(n) / ...FieldText(n, record): the field grid's caption and
//   value text of field n (1-based); "" outside the layout. Dates use the
//   process-wide short date format, enumerations their display texts.

#include "sf6/Sf6Records.h"
#include "text/LineList.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace sf6 {

// One flag per price 1..5: a price that is not present is written as blanks.
using PricePresence = std::array<bool, 5>;

// LensType.Dat (40 fields; a written line is 137 characters).
TSf6DataLensType ParseLensTypeLine(std::string_view line);
std::string BuildLensTypeLine(const TSf6DataLensType &record);
std::string LensTypeFieldCaption(int fieldNumber);
std::string LensTypeFieldText(int fieldNumber, const TSf6DataLensType &record);

// LensRange.Dat (28 fields; 106 characters).
TSf6DataLensRange ParseLensRangeLine(std::string_view line);
std::string BuildLensRangeLine(const TSf6DataLensRange &record);
std::string LensRangeFieldCaption(int fieldNumber);
std::string LensRangeFieldText(int fieldNumber, const TSf6DataLensRange &record);

// LensGeo.Dat (24 fields; 96 characters).
TSf6DataLensGeo ParseLensGeoLine(std::string_view line);
std::string BuildLensGeoLine(const TSf6DataLensGeo &record);
std::string LensGeoFieldCaption(int fieldNumber);
std::string LensGeoFieldText(int fieldNumber, const TSf6DataLensGeo &record);

// LensPrice.Dat (10 fields; the written line ends after its last present price).
TSf6DataLensPrice ParseLensPriceLine(std::string_view line);
std::string BuildLensPriceLine(const TSf6DataLensPrice &record, const PricePresence &PricePresent);
std::string LensPriceFieldCaption(int fieldNumber);
std::string LensPriceFieldText(int fieldNumber, const TSf6DataLensPrice &record);

// Options.Dat (44 fields; 136 characters).
TSf6Dataoptions ParseOptionsLine(std::string_view line);
std::string BuildOptionsLine(const TSf6Dataoptions &record);
std::string OptionsFieldCaption(int fieldNumber);
std::string OptionsFieldText(int fieldNumber, const TSf6Dataoptions &record);

// OptionsColor.Dat (19 fields; 93 characters).
TSf6DataoptionsColor ParseOptionsColorLine(std::string_view line);
std::string BuildOptionsColorLine(const TSf6DataoptionsColor &record);
std::string OptionsColorFieldCaption(int fieldNumber);
std::string OptionsColorFieldText(int fieldNumber, const TSf6DataoptionsColor &record);

// OptionsPrice.Dat (13 fields; the written line ends after its last present price).
TSf6DataoptionsPrice ParseOptionsPriceLine(std::string_view line);
std::string BuildOptionsPriceLine(const TSf6DataoptionsPrice &record,
                                  const PricePresence &PricePresent);
std::string OptionsPriceFieldCaption(int fieldNumber);
std::string OptionsPriceFieldText(int fieldNumber, const TSf6DataoptionsPrice &record);

// Combination.Dat (5 fields; 25 characters).
TSf6DataCombination ParseCombinationLine(std::string_view line);
std::string BuildCombinationLine(const TSf6DataCombination &record);
std::string CombinationFieldCaption(int fieldNumber);
std::string CombinationFieldText(int fieldNumber, const TSf6DataCombination &record);

// Information.Dat (5 fields). The written line is 12 characters plus the text
// cut to 250 characters and right-trimmed. infoTypeCode is the file code of
// the information type (2, 3, ..., 49), written as it is.
TSf6DataInformation ParseInformationLine(std::string_view line);
std::string BuildInformationLine(bool isCoating, std::string_view code, int infoTypeCode,
                                 int lineNumber, std::string_view text);
std::string InformationFieldCaption(int fieldNumber);
std::string InformationFieldText(int fieldNumber, const TSf6DataInformation &record);

// OrderOptions.Dat (4 fields; 12 characters).
TSf6DataOrderOptions ParseOrderOptionsLine(std::string_view line);
std::string BuildOrderOptionsLine(bool isCoating, std::string_view code,
                                  TSf6OrderFieldType fieldType, int priority);
std::string OrderOptionsFieldCaption(int fieldNumber);
std::string OrderOptionsFieldText(int fieldNumber, const TSf6DataOrderOptions &record);

// ProductGroup.Dat (3 fields; no builder).
TSf6DataProductgroup ParseProductGroupLine(std::string_view line);
std::string ProductGroupFieldCaption(int fieldNumber);
std::string ProductGroupFieldText(int fieldNumber, const TSf6DataProductgroup &record);

// CodeSubstitution.Dat (6 fields; no builder).
TSf6DataCodeSubst ParseCodeSubstitutionLine(std::string_view line);
std::string CodeSubstitutionFieldCaption(int fieldNumber);
std::string CodeSubstitutionFieldText(int fieldNumber, const TSf6DataCodeSubst &record);

// Head.dat ---------------------------------------------------------------------

// Clears lines and appends the 45 header lines: each key padded to 30
// columns followed directly by its value ("" for an empty value, so such a
// line is the 30 key columns only).
void WriteHeadLines(const TSf6DataHead &head, LineList &lines);

// One row of the header list as the viewer shows it.
struct Sf6HeadRow {
  std::string name;  // characters 1-30, right-trimmed
  std::string value; // characters 31-285 (at most 255), right-trimmed
};
Sf6HeadRow HeadRowOfLine(std::string_view line);
// All lines as rows, in the list's initial order: by name without regard to
// letter case (the fixed Windows-1252 collation of CompareNoCase1252); equal
// names in reverse file order.
std::vector<Sf6HeadRow> HeadRows(const LineList &lines);

} // namespace sf6
