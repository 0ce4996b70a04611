#pragma once

// The two SF4 files that are only consulted by code: GlBesch2.Dat (catalog
// code and material rule of an SF4 coating code) and GlEllip.Dat (which power
// ranges a lens gets). In both the first line with a code decides; codes are
// compared right-trimmed and ignoring the case of A-Z. Lookups are by hash, so
// a load stays linear in the size of the files.

#include "sf4/Sf4Lines.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sf6 {

class Sf4CoatingRules {
public:
  // Reads the lines of GlBesch2.Dat; the lines need not outlive the object.
  explicit Sf4CoatingRules(const std::vector<std::string_view> &lines);

  // The catalog code replacing an SF4 coating code: cols 7-12 of its line,
  // right-trimmed (possibly empty), or the code itself when no line names it.
  std::string replacementCode(std::string_view code) const;
  // The digit of col 13 of the code's line (0-9), 0 when no line names it.
  int materialRule(std::string_view code) const;

private:
  const Sf4CoatingRuleLine *find(std::string_view code) const;
  std::unordered_map<std::string, Sf4CoatingRuleLine> m_byCode;
};

class Sf4EllipticRanges {
public:
  // Reads the lines of GlEllip.Dat.
  explicit Sf4EllipticRanges(const std::vector<std::string_view> &lines);

  // Col 7 of the lens code's line: 0 round ranges only, 1 elliptical only,
  // 2 both, anything else none; 0 when no line names the code.
  int rangeSelector(std::string_view lensCode) const;
  // Col 8 above 0: elliptical ranges get negative sphere bounds raised to 0.
  bool clampsNegativeSphere(std::string_view lensCode) const;

  bool roundPass(std::string_view lensCode) const {
    const int e = rangeSelector(lensCode);
    return e == 0 || e == 2;
  }
  bool ellipticalPass(std::string_view lensCode) const {
    const int e = rangeSelector(lensCode);
    return e == 1 || e == 2;
  }

private:
  const Sf4EllipticLine *find(std::string_view lensCode) const;
  std::unordered_map<std::string, Sf4EllipticLine> m_byCode;
};

// What a GLzusch.Dat code prices. Z01-Z03 and Z11-Z13 are the cylinder
// surcharges Z1-Z3, P01-P36 (third character 1-6) the prism surcharges
// P1-P6, both in any letter case; every other code names a coating by its
// SF4 code.
struct Sf4SurchargeTarget {
  enum class Family { Cylinder, Prism, Coating };
  Family family = Family::Coating;
  std::string specialCode; // "Z1" .. "Z3", "P1" .. "P6"; empty for Coating
  // Ordinals of the coating prices' ST (TSf6SphTor) and EM (TSf6SingleMulti):
  // cylinder Z0x single vision, Z1x multifocal, any lens form; prism with
  // second character 0 or 1 single vision, 2 or 3 multifocal, 0 or 2
  // spherical, 1 or 3 toric; 0 and 0 for coatings.
  int ST = 0;
  int EM = 0;
};

Sf4SurchargeTarget sf4SurchargeTarget(std::string_view code);

} // namespace sf6
