#pragma once

// The SF4 file set: twelve fixed-name text files lying directly in one
// directory. SF4 directories come from DOS, so the names are matched without
// regard to letter case.

#include <array>
#include <cstddef>
#include <filesystem>
#include <string_view>

namespace sf6 {

// The twelve SF4 files in the order in which they are loaded.
enum class Sf4File : std::size_t {
  GLHead,   // catalog header (first line only)
  GLTyp,    // lens types, one line per lens
  GLPreis,  // lens prices
  GLBesch,  // coatings
  GLFarb,   // colours of coatings
  GLzusch,  // coating surcharges
  GLKombi,  // combinations
  GLWirk,   // power ranges of lenses
  GLInfo,   // information texts: loaded, not used
  GLNeumat, // additional lens materials
  GlBesch2, // coating code replacement and material rule
  GlEllip,  // elliptical lens ranges
};

inline constexpr std::size_t kSf4FileCount = 12;

// The file names as the format writes them.
inline constexpr std::array<std::string_view, kSf4FileCount> kSf4FileNames = {
    "GLHead.Dat", "GLTyp.Dat",  "GLPreis.Dat",  "GLBesch.Dat",  "GLFarb.Dat",  "GLzusch.Dat",
    "GLKombi.Dat", "GLWirk.Dat", "GLInfo.Dat", "GLNeumat.Dat", "GlBesch2.Dat", "GlEllip.Dat"};

inline constexpr std::string_view sf4FileName(Sf4File file) {
  return kSf4FileNames[static_cast<std::size_t>(file)];
}

// The directory named by a path text as the user or a caller gives it: "\"
// and "/" both separate; one trailing separator is removed unless it is the
// whole root ("/" and "C:\" stay as they are). A text naming no existing directory
// with "\" in it is retried with "/" in place of every "\".
std::filesystem::path sf4DirectoryPath(std::string_view directory);

// The path of each of the twelve files in directory. A directory entry whose
// name equals the file name exactly wins; otherwise a regular file whose name
// equals it ignoring the case of A-Z (the byte-wise smallest of several such
// names); otherwise directory / the exact name, which need not exist (it
// then loads as an empty file). Never throws: an unreadable or missing
// directory gives the exact names.
std::array<std::filesystem::path, kSf4FileCount>
resolveSf4Files(const std::filesystem::path &directory);

} // namespace sf6
