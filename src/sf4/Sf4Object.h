#pragma once

// TSf4Object reads an SF4 catalog directory and fills a catalog object model
// with it: lenses with geometry, power ranges and prices, coatings with
// colours and prices, combinations and the catalog header.

#include "sf4/Sf4Files.h"
#include "text/TextLines.h"

#include <array>
#include <string_view>

namespace sf6 {

class Tlup6Dataobject;

class TSf4Object {
public:
  // root is filled by every load; it is not owned and must outlive the object.
  explicit TSf4Object(Tlup6Dataobject &root);

  TSf4Object(const TSf4Object &) = delete;
  TSf4Object &operator=(const TSf4Object &) = delete;

  // Loads the twelve SF4 files of directory (names matched ignoring case,
  // "\" or "/" as separator, one trailing separator removed) converted from
  // the OEM code page, then rebuilds the root from them: the root is reset
  // first, so nothing of an earlier load survives, and ends marked modified
  // (SetModified(1)). GLInfo.Dat is loaded but feeds nothing.
  // A file that is missing or cannot be read reads as empty; lines of any
  // content are read without failing; codes that name no lens or coating
  // are skipped.
  // Throws Sf6Error naming the file when GLHead.Dat is missing, unreadable
  // or holds no line; the root has then been reset and holds the defaults
  // only.
  void LoadFromDirectory(std::string_view directory);

  // The lines of one file as of the last load (empty before the first).
  const TextLines &Lines(Sf4File file) const { return m_lines[static_cast<std::size_t>(file)]; }

  Tlup6Dataobject &Root() const { return m_root; }

private:
  void loadFiles(std::string_view directory);
  // The mapping, step by step (Sf4Build.cpp).
  void build();
  void buildHeader();
  void buildLenses();
  void buildNewMaterials();
  void buildPowerRanges();
  void buildLensPrices();
  void buildCoatings();
  void buildSurcharges();
  void buildCombinations();
  void buildColours();

  Tlup6Dataobject &m_root;
  std::array<TextLines, kSf4FileCount> m_lines;
  std::array<std::filesystem::path, kSf4FileCount> m_paths;
};

} // namespace sf6
