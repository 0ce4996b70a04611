#include "sf4/Sf4Lookups.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

TEST(Sf4CoatingRules, FirstLineOfACodeDecidesIgnoringCase) {
  const Sf4CoatingRules rules({"abc123XYZ   3", "ABC123OTHER 4", "HC    HC2", "EMPTY       1"});
  EXPECT_EQ(rules.replacementCode("ABC123"), "XYZ");
  EXPECT_EQ(rules.materialRule("Abc123"), 3);
  EXPECT_EQ(rules.replacementCode("HC  "), "HC2");
  EXPECT_EQ(rules.materialRule("HC"), 0);
  // A listed code with blank replacement columns is replaced by the empty code.
  EXPECT_EQ(rules.replacementCode("EMPTY"), "");
  EXPECT_EQ(rules.materialRule("EMPTY"), 1);
}

TEST(Sf4CoatingRules, UnlistedCodeStaysAndHasRuleZero) {
  const Sf4CoatingRules rules({"HC    HC2   4"});
  EXPECT_EQ(rules.replacementCode("AR  "), "AR");
  EXPECT_EQ(rules.materialRule("AR"), 0);
  EXPECT_EQ(Sf4CoatingRules(std::vector<std::string_view>{}).replacementCode("x"), "x");
}

TEST(Sf4EllipticRanges, SelectsPassesAndClamp) {
  const Sf4EllipticRanges ellip({"ROUND 0", "ELL   11", "BOTH  20", "NONE  3", "both  12"});
  struct Case {
    const char *code;
    bool round, elliptical, clamp;
  };
  const Case cases[] = {
      {"ROUND", true, false, false}, {"ell", false, true, true}, {"BOTH", true, true, false},
      {"NONE", false, false, false}, {"MISSING", true, false, false},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(ellip.roundPass(c.code), c.round) << c.code;
    EXPECT_EQ(ellip.ellipticalPass(c.code), c.elliptical) << c.code;
    EXPECT_EQ(ellip.clampsNegativeSphere(c.code), c.clamp) << c.code;
  }
}

} // namespace
} // namespace sf6

namespace sf6 {
namespace {

TEST(Sf4SurchargeTarget, TellsTheThreeFamilies) {
  using Family = Sf4SurchargeTarget::Family;
  struct Case {
    const char *code;
    Family family;
    const char *special;
    int ST, EM;
  };
  const Case cases[] = {
      {"Z01", Family::Cylinder, "Z1", 0, 1}, {"Z03   ", Family::Cylinder, "Z3", 0, 1},
      {"Z12", Family::Cylinder, "Z2", 0, 2}, {"z13", Family::Cylinder, "Z3", 0, 2},
      {"P01", Family::Prism, "P1", 1, 1},    {"P16", Family::Prism, "P6", 2, 1},
      {"P23", Family::Prism, "P3", 1, 2},    {"p34", Family::Prism, "P4", 2, 2},
      {"Z00", Family::Coating, "", 0, 0},    {"Z04", Family::Coating, "", 0, 0},
      {"Z21", Family::Coating, "", 0, 0},    {"P07", Family::Coating, "", 0, 0},
      {"P41", Family::Coating, "", 0, 0},    {"P10", Family::Coating, "", 0, 0},
      {"Z011", Family::Coating, "", 0, 0},   {" Z01", Family::Coating, "", 0, 0},
      {"Z1", Family::Coating, "", 0, 0},     {"", Family::Coating, "", 0, 0},
  };
  for (const Case &c : cases) {
    const Sf4SurchargeTarget target = sf4SurchargeTarget(c.code);
    EXPECT_EQ(target.family, c.family) << c.code;
    EXPECT_EQ(target.specialCode, c.special) << c.code;
    EXPECT_EQ(target.ST, c.ST) << c.code;
    EXPECT_EQ(target.EM, c.EM) << c.code;
  }
}

} // namespace
} // namespace sf6
