#pragma once

// The SF6 export: writes a catalog object model (the root and everything
// below it) as an SF6 archive of thirteen text entries. It works on any
// model, not only on one filled from SF4.
//
// Every entry is filled through a SortedLineList, so each entry holds its
// lines in the fixed Windows-1252 collation (letters folded to upper case,
// then bytes compared as unsigned values) and without lines that differ in
// nothing but letter case; of such lines the first one the walk produces is
// kept. This holds for Head.dat too, whose first line is therefore
// "characterset" and whose last is "zip-code".
//
// The walk, in the order that decides which of two equal lines is kept:
// the header; per exported lens its type line, power ranges, geometry,
// prices, information, order options and product groups; per exported
// coating its option line and colours (not for the special coatings Z1-Z3
// and P1-P6), prices, information, order options and product groups; the
// combinations; the lens, then the coating code substitutions.

#include "sf6/Sf6FileSet.h"
#include "text/LineList.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace sf6 {

class Tlup6Dataobject;
class Tlup6DataAdresse;

// The thirteen entries in the order they are stored: the file set's order.
using Sf6ExportEntry = Sf6Entry;
inline constexpr std::size_t kSf6ExportEntryCount = kSf6EntryCount;

// The entry names as written: the file set's names, but the thirteenth is
// "CodesSubst.Dat" (kCodesSubstEntryName); the viewer's code-substitution
// tab reads "CodeSubstitution.Dat" and so stays empty for an archive
// written here.
inline constexpr std::array<std::string_view, kSf6ExportEntryCount> kSf6ExportEntryNames = [] {
  std::array<std::string_view, kSf6ExportEntryCount> names = kSf6EntryNames;
  names[static_cast<std::size_t>(Sf6Entry::CodeSubstitution)] = kCodesSubstEntryName;
  return names;
}();

using Sf6ExportLines = std::array<LineList, kSf6ExportEntryCount>;
// The thirteen entries as written: each line followed by CR LF.
using Sf6ExportTexts = std::array<std::string, kSf6ExportEntryCount>;

// The price designation ID (PBID) written in price column 1 to 5 of
// Head.dat, LensPrice.Dat and OptionsPrice.Dat; 0 marks an unused column,
// whose prices are left blank and whose Head.dat price field is 00.
using Sf6PriceFieldNumbers = std::array<int32_t, 5>;

struct Sf6ExportSettings {
  // The name and short-name slot (1-10) and information slot of lenses,
  // coatings and colours; an empty slot falls back to the next lower one.
  int languageIndex = 1;
  Sf6PriceFieldNumbers priceFieldNumbers{1, 2, 0, 0, 0};
  // Written as "Software-id" (Windows-1252).
  std::string_view softwareId;
};

// The thirteen entries' lines of the model, sorted and without duplicates.
// archiveFileName (Windows-1252, no directory) becomes the header's
// "uid-manufacturer". address supplies the header values and the lenses and
// coatings that are not exported. A null root or address gives thirteen
// empty lists. Never fails; the model is not changed.
Sf6ExportLines BuildSf6ExportLines(const Tlup6Dataobject *root, const Tlup6DataAdresse *address,
                                   std::string_view archiveFileName,
                                   const Sf6ExportSettings &settings);
// The same entries as the texts that are stored, built without a string per
// line: what writing an archive uses.
Sf6ExportTexts BuildSf6ExportTexts(const Tlup6Dataobject *root, const Tlup6DataAdresse *address,
                                   std::string_view archiveFileName,
                                   const Sf6ExportSettings &settings);

// Stores the thirteen texts as the entries of the archive at archivePath, in
// entry order (an empty text as an empty entry). An archive already at
// archivePath keeps its other entries. All or nothing: the entries are
// written into a temporary copy beside the archive that replaces it only
// when all thirteen are in; on failure the archive path is left as it was
// (absent, or the old archive) and the temporary copy is removed. Throws the zip writer's and the
// file system's failures (Sf6Error with the user's message text).
void WriteSf6ExportTexts(const std::filesystem::path &archivePath, const Sf6ExportTexts &texts);

// BuildSf6ExportTexts with archivePath's file name, then WriteSf6ExportTexts.
void WriteSf6Archive(const Tlup6Dataobject *root, const std::filesystem::path &archivePath,
                     const Tlup6DataAdresse *address, const Sf6ExportSettings &settings);

} // namespace sf6
