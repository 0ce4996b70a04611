#pragma once

// A small catalog for the checker's tests: every one of the thirteen entries
// filled with lines the record layer's writers build, so that it is clean;
// each test breaks it in one place.

#include "catalog/CatalogArchive.h"
#include "check/CatalogCheck.h"
#include "sf6/Sf6Procs.h"
#include "text/FieldText.h"
#include "zip/ZipTestSupport.h"

#include <map>
#include <string>
#include <vector>

namespace sf6::test {

struct TestCatalog {
  // Lines per entry name; written with CR LF after every line.
  std::map<std::string, std::vector<std::string>> lines;
  // Entries whose bytes are given whole (instead of lines).
  std::map<std::string, std::string> rawBytes;
  // Entries left out of the archive.
  std::vector<std::string> leftOut;

  std::string &line(const std::string &entry, std::size_t number) {
    return lines.at(entry).at(number - 1);
  }
  std::vector<RawEntry> entries() const {
    std::vector<RawEntry> out;
    for (const std::string_view name : kSf6EntryNames) {
      const std::string n(name);
      if (std::find(leftOut.begin(), leftOut.end(), n) != leftOut.end())
        continue;
      if (const auto raw = rawBytes.find(n); raw != rawBytes.end()) {
        out.push_back({.name = n, .data = raw->second});
        continue;
      }
      std::string bytes;
      for (const std::string &l : lines.at(n))
        bytes += l + "\r\n";
      out.push_back({.name = n, .data = bytes});
    }
    return out;
  }
};

// Overwrites the columns of line from 1-based column on with text.
inline void Put(std::string &line, int column, std::string_view text) {
  const auto at = static_cast<std::size_t>(column - 1);
  if (line.size() < at + text.size())
    line.resize(at + text.size(), ' ');
  line.replace(at, text.size(), text);
}

inline TestCatalog CleanCatalog() {
  TestCatalog c;
  TSf6DataHead head;
  head.Version = "6.1";
  head.PriceField[0] = TSf6PriceType::ListenEk;
  LineList headLines;
  WriteHeadLines(head, headLines);
  c.lines["Head.dat"] = std::vector<std::string>(headLines.begin(), headLines.end());

  TSf6DataLensType lens;
  lens.Code = "L1";
  lens.Name = "Einst\xE4rken";
  c.lines["LensType.Dat"] = {BuildLensTypeLine(lens)};

  TSf6Dataoptions option;
  option.Code = "O1";
  option.Name = "Hartschicht";
  c.lines["Options.Dat"] = {BuildOptionsLine(option)};

  TSf6DataLensRange range;
  range.Code = "L1";
  range.Diameter = {65, 0, false};
  range.SphFrom = -4;
  range.SphTo = 4;
  range.CylTo = -2; // a cylinder range from 0 to -2.00 runs by magnitude
  range.Coating1 = "O1";
  range.RangeIndex = 1;
  c.lines["LensRange.Dat"] = {BuildLensRangeLine(range)};

  TSf6DataLensGeo geo;
  geo.Code = "L1";
  geo.Diameter = {65, 0, false};
  geo.NoPowerRange = true;
  c.lines["LensGeo.Dat"] = {BuildLensGeoLine(geo)};

  TSf6DataLensPrice price;
  price.Code = "L1";
  price.Diameter = {65, 0, false};
  price.SphGroup = 1;
  price.CylGroup = 1;
  price.RangeIndex = 1;
  price.Price1 = 125.5;
  c.lines["LensPrice.Dat"] = {BuildLensPriceLine(price, {true, false, false, false, false})};

  TSf6DataoptionsColor colour;
  colour.ColourCode = "B1";
  colour.Code = "O1";
  colour.Name = "Braun";
  c.lines["OptionsColor.Dat"] = {BuildOptionsColorLine(colour)};

  TSf6DataoptionsPrice optionPrice;
  optionPrice.Code = "O1";
  optionPrice.LensCode = "L1";
  optionPrice.Price1 = 20;
  c.lines["OptionsPrice.Dat"] = {
      BuildOptionsPriceLine(optionPrice, {true, false, false, false, false})};

  TSf6DataCombination combination;
  combination.LensCode = "L1";
  combination.Availability = TSf6Availability::Lieferbar;
  combination.Coating1 = "O1";
  c.lines["Combination.Dat"] = {BuildCombinationLine(combination)};

  c.lines["Information.Dat"] = {BuildInformationLine(false, "L1", 2, 1, "Beschreibung")};
  c.lines["OrderOptions.Dat"] = {BuildOrderOptionsLine(false, "L1", TSf6OrderFieldType::Hsa, 1)};
  c.lines["ProductGroup.Dat"] = {PadRight("0L1    Einst\xE4rken", 37)};
  c.lines["CodeSubstitution.Dat"] = {PadRight("0L0    1L1", 26)};
  return c;
}

// Writes the catalog as an archive into dir and checks it.
inline check::CheckResult CheckTestCatalog(const TestCatalog &catalog, const ScratchDir &dir,
                                           const check::CheckOptions &options = {}) {
  const auto path = dir / "catalog.zip";
  WriteFileBytes(path, BuildArchive(catalog.entries()).bytes);
  return check::CheckCatalogFile(path, options);
}

} // namespace sf6::test
