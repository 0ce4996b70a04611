#pragma once

// Small catalogs for the comparison tests: archives written from entry
// texts, and lines of the files the tests use most, built column by column.

#include "catalog/CatalogArchive.h"
#include "zip/ZipTestSupport.h"

#include <map>
#include <string>

namespace sf6::test {

// Entry name -> entry text; an entry left out is missing from the archive.
using CatalogTexts = std::map<std::string, std::string>;

inline std::filesystem::path WriteCatalog(const ScratchDir &dir, const std::string &name,
                                          const CatalogTexts &texts) {
  std::vector<RawEntry> entries;
  for (const auto &[entry, text] : texts)
    entries.push_back({.name = entry, .data = text});
  const auto path = dir / name;
  WriteFileBytes(path, BuildArchive(entries).bytes);
  return path;
}

// Lines joined with CR LF, as catalogs are written.
inline std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string &line : lines)
    text += line + "\r\n";
  return text;
}

inline std::string Pad(std::string text, size_t width) {
  text.resize(width, ' ');
  return text;
}

// A LensPrice.Dat line: code, diameter columns (4), sphere group (2),
// cylinder group (2), range index (3), then the seven-digit prices.
inline std::string LensPriceLine(const std::string &code, const std::string &diameter,
                                 const std::string &sph, const std::string &cyl,
                                 const std::string &index,
                                 std::initializer_list<std::string> prices) {
  std::string line = Pad(code, 6) + Pad(diameter, 4) + sph + cyl + index;
  for (const std::string &price : prices)
    line += price;
  return line;
}

// A LensType.Dat line up to its delivery dates.
inline std::string LensTypeLine(const std::string &code, const std::string &name,
                                const std::string &from, const std::string &until) {
  return Pad(code, 6) + Pad(name, 40) + Pad(from, 8) + Pad(until, 8) + "0";
}

// A Head.dat line: the key in 30 columns, then the value.
inline std::string HeadLine(const std::string &key, const std::string &value) {
  return Pad(key, 30) + value;
}

} // namespace sf6::test
