#pragma once

// The SF6 file set: "Head.dat" and the twelve data files, in the order every
// part of the program lists, reads and writes them.

#include "sf6/Sf6Layout.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace sf6 {

enum class Sf6Entry : std::size_t {
  Head,
  LensType,
  LensRange,
  LensGeo,
  LensPrice,
  Options,
  OptionsColor,
  OptionsPrice,
  Combination,
  Information,
  OrderOptions,
  ProductGroup,
  CodeSubstitution,
};

inline constexpr std::size_t kSf6EntryCount = 13;

// The entry names as readers look them up, Head.dat first.
inline constexpr std::array<std::string_view, kSf6EntryCount> kSf6EntryNames = {
    "Head.dat",        "LensType.Dat",     "LensRange.Dat",   "LensGeo.Dat",
    "LensPrice.Dat",   "Options.Dat",      "OptionsColor.Dat", "OptionsPrice.Dat",
    "Combination.Dat", "Information.Dat",  "OrderOptions.Dat", "ProductGroup.Dat",
    "CodeSubstitution.Dat"};

// The name the converter gives the code-substitution entry. Readers look for
// "CodeSubstitution.Dat", so archives written by the converter show that
// file as empty.
inline constexpr std::string_view kCodesSubstEntryName = "CodesSubst.Dat";

inline constexpr std::string_view Sf6EntryName(Sf6Entry entry) {
  return kSf6EntryNames[static_cast<std::size_t>(entry)];
}

// The layout of a data file; nullptr for Head.dat.
const Sf6Layout *Sf6EntryLayout(Sf6Entry entry);

} // namespace sf6
