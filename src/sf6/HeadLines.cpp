// Head.dat: one header value per line, the key in columns 1-30 and the value
// from column 31 on.

#include "sf6/Sf6Procs.h"
#include "text/Collation.h"
#include "text/SortedLineList.h"

#include <algorithm>
#include <numeric>

namespace sf6 {
namespace {

constexpr int kKeyWidth = 30;
constexpr int kValueWidth = 255;

void addLine(LineList &lines, std::string_view key, std::string_view value) {
  std::string line = PadRight(key, kKeyWidth);
  line += value;
  lines.push_back(std::move(line));
}

} // namespace

void WriteHeadLines(const TSf6DataHead &head, LineList &lines) {
  lines.clear();
  addLine(lines, "version", head.Version);
  addLine(lines, "Software-id", head.SoftwareId);
  addLine(lines, "comment", head.Comment);
  addLine(lines, "uid-manufacturer", head.UidManufacturer);
  addLine(lines, "uid-postedit", head.UidPostedit);
  addLine(lines, "Valid-from", DateToCompact(head.ValidFrom, true));
  addLine(lines, "Valid-until", DateToCompact(head.ValidUntil, true));
  addLine(lines, "country", head.Country);
  addLine(lines, "language", head.Language);
  addLine(lines, "manufacturer-code", head.ManufacturerCode);
  addLine(lines, "manufacturer-subcode", head.ManufacturerSubcode);
  addLine(lines, "manufacturer-name", head.ManufacturerName);
  addLine(lines, "street", head.Street);
  addLine(lines, "zip-code", head.ZipCode);
  addLine(lines, "city", head.City);
  addLine(lines, "po-box-zip-code", head.PoBoxZipCode);
  addLine(lines, "po-box-text", head.PoBoxText);
  addLine(lines, "phone", head.Phone);
  addLine(lines, "fax", head.Fax);
  addLine(lines, "phone-order", head.PhoneOrder);
  addLine(lines, "fax-order", head.FaxOrder);
  addLine(lines, "mail", head.Mail);
  addLine(lines, "Url", head.Url);
  addLine(lines, "pricedefinition-cylinder", head.PriceDefinitionCylinder ? "+" : "-");
  addLine(lines, "cylindergroup-base", IntToText(head.CylinderGroupBase));
  addLine(lines, "cylindergroup-1", IntToText(head.CylinderGroup1));
  addLine(lines, "cylindergroup-2", IntToText(head.CylinderGroup2));
  for (size_t i = 0; i < head.PrismGroup.size(); ++i)
    addLine(lines, "prismgroup-" + std::to_string(i + 1), IntToText(head.PrismGroup[i]));
  addLine(lines, "currencydescription", head.CurrencyDescription);
  addLine(lines, "currencydescription-decimals", head.CurrencyDescriptionDecimals);
  for (size_t i = 0; i < head.PriceField.size(); ++i)
    addLine(lines, "pricefield-0" + std::to_string(i + 1),
            IntToZeroPadded(EnumCode(head.PriceField[i]), 2));
  for (size_t i = 0; i < head.PriceFieldDescription.size(); ++i)
    addLine(lines, "pricefield-description-0" + std::to_string(i + 1),
            head.PriceFieldDescription[i]);
  addLine(lines, "characterset", IntToText(head.Characterset));
}

Sf6HeadRow HeadRowOfLine(std::string_view line) {
  return {RightTrim(Columns(line, 1, kKeyWidth)),
          RightTrim(Columns(line, kKeyWidth + 1, kValueWidth))};
}

std::vector<Sf6HeadRow> HeadRows(const LineList &lines) {
  std::vector<size_t> order(lines.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::vector<Sf6HeadRow> rows;
  rows.reserve(lines.size());
  for (const std::string &line : lines)
    rows.push_back(HeadRowOfLine(line));
  // The list sorts by name; among equal names the later line comes first.
  std::sort(order.begin(), order.end(), [&](size_t x, size_t y) {
    const int c = CompareNoCase1252(rows[x].name, rows[y].name);
    return c != 0 ? c < 0 : x > y;
  });
  std::vector<Sf6HeadRow> sorted;
  sorted.reserve(rows.size());
  for (size_t i : order)
    sorted.push_back(std::move(rows[i]));
  return sorted;
}

} // namespace sf6
