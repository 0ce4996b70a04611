#include "sf4/Sf4Object.h"

#include "Sf4TempDir.h"
#include "model/Coating.h"
#include "model/Lens.h"
#include "model/Root.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace sf6 {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::string fixture(const char *name) {
  return (fs::path(TEST_DATA_DIR) / "sf4" / name).string();
}

TDateTime dateOf(int year, int month, int day) {
  TDateTime date = 0;
  EXPECT_TRUE(TryEncodeDate(year, month, day, date));
  return date;
}

TSf6MaterialSet materials(std::initializer_list<int> ordinals) {
  TSf6MaterialSet set;
  for (int o : ordinals)
    set.Include(static_cast<TSf6Material>(o));
  return set;
}

class Sf4LoadedFixture : public ::testing::Test {
protected:
  void load(const char *name) { m_sf4.LoadFromDirectory(fixture(name)); }
  Tlup6DataGlas &lens(int index) {
    Tlup6DataGlas *lens = m_root.Lenses().Items(index);
    EXPECT_NE(lens, nullptr) << "lens " << index;
    return *lens;
  }
  Tlup6DataBeschichtung &coating(std::string_view code) {
    Tlup6DataBeschichtung *coating = m_root.Coatings().FindByCode(code);
    EXPECT_NE(coating, nullptr) << "coating " << code;
    return *coating;
  }

  Tlup6Dataobject m_root;
  TSf4Object m_sf4{m_root};
};

// lenses/: header, seven lenses (an empty line, abc123 and ABC123),
// further materials, round and elliptical ranges, prices.
class Sf4Lenses : public Sf4LoadedFixture {
protected:
  void SetUp() override { load("lenses"); }
};

TEST_F(Sf4Lenses, HeaderFillsOneAddressAndThePrismCylinderLimits) {
  ASSERT_EQ(m_root.Addresses().Count(), 1);
  const Tlup6DataAdresse &address = *m_root.Addresses().Items(0);
  EXPECT_EQ(address.GA, dateOf(1999, 6, 15));
  EXPECT_EQ(address.LAND, "DE");
  EXPECT_EQ(address.EDV, "ABC");
  EXPECT_EQ(address.Name, "Muster Gl\xE4ser"); // OEM 0x84 read as ANSI
  const Tlup6DataPrismenCylinder &limits = m_root.PrismCylinder();
  EXPECT_EQ(limits.ZB, 5);
  EXPECT_EQ(limits.ZG1, 4);
  EXPECT_EQ(limits.ZG2, 9);
  EXPECT_EQ(limits.PG1, 2);
  EXPECT_EQ(limits.PG2, 4);
  EXPECT_EQ(limits.PG3, 8);
  EXPECT_EQ(limits.PG4, 12);
  EXPECT_EQ(limits.PG5, 16);
  EXPECT_EQ(m_root.Modified(), 1);
}

TEST_F(Sf4Lenses, EveryLineIsALensAndCsnrFollowsTheAddThenResetSequence) {
  const std::vector<std::string> codes = {"SV1500", "abc123", "",    "ABC123",
                                          "EL1600", "BOTH",   "NONE"};
  ASSERT_EQ(m_root.Lenses().Count(), 7);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(lens(i).EDV(), codes[i]) << i;
    EXPECT_EQ(lens(i).CSNR(), std::max(5 - i, 0)) << "CSNR of lens " << i;
  }
}

TEST_F(Sf4Lenses, LensFieldsFixedValuesAndGeometry) {
  const Tlup6DataGlas &abc = lens(1);
  EXPECT_EQ(abc.GetName(1), "Gleitsicht alt");
  EXPECT_EQ(abc.EM, TSf6LensKind::Gleitsicht);
  EXPECT_EQ(abc.ME, TSf6BrandClass::Marke);
  EXPECT_EQ(abc.MAT, TSf6Material::Kunststoff);
  EXPECT_DOUBLE_EQ(abc.BR, 1.604);
  EXPECT_DOUBLE_EQ(abc.DI, 1.2);
  EXPECT_TRUE(abc.AS);
  EXPECT_TRUE(abc.ST);
  EXPECT_EQ(abc.FA, TSf6Tint::EinfachVerlauf);
  EXPECT_EQ(abc.EGB, TSf6SingleLensOrder::Moeglich);
  EXPECT_TRUE(abc.AG);
  ASSERT_EQ(abc.Geometries().Count(), 1);
  const Tlup6DataGlasGeometrie &geometry = *abc.Geometries().Items(0);
  EXPECT_TRUE(geometry.WK);
  EXPECT_EQ(geometry.NTT, TSf6SegmentType::Panto);
  EXPECT_DOUBLE_EQ(geometry.VAFB, 4.0);
  EXPECT_DOUBLE_EQ(geometry.HAFB, -2.5);
  EXPECT_DOUBLE_EQ(geometry.URN, 14.0);
  EXPECT_DOUBLE_EQ(geometry.ORN, 15.0);
  EXPECT_DOUBLE_EQ(geometry.HN, 18.0);
  EXPECT_DOUBLE_EQ(geometry.HZ, 0.5);

  const Tlup6DataGlas &elliptic = lens(4);
  EXPECT_EQ(elliptic.EM, TSf6LensKind::Bifo);
  EXPECT_EQ(elliptic.MAT, TSf6Material::Silikat);
  EXPECT_DOUBLE_EQ(elliptic.BR, 0.0016);
  EXPECT_EQ(elliptic.FA, TSf6Tint::Keine);
  EXPECT_EQ(elliptic.Geometries().Items(0)->NTT, TSf6SegmentType::C);
}

TEST_F(Sf4Lenses, FurtherMaterialsGoToTheLastLensWithTheCode) {
  EXPECT_EQ(lens(0).MAT, TSf6Material::Trivex);       // "5"
  EXPECT_EQ(lens(1).MAT, TSf6Material::Kunststoff);   // abc123, earlier of two
  EXPECT_EQ(lens(3).MAT, TSf6Material::Polycarbonat); // "4" on ABC123
  EXPECT_EQ(lens(4).MAT, TSf6Material::Silikat);      // "3" changes nothing
}

TEST_F(Sf4Lenses, RoundRangeTakesBoundsInEitherOrderAndFixedValues) {
  EXPECT_EQ(lens(1).Ranges().Count(), 0);
  ASSERT_EQ(lens(3).Ranges().Count(), 1);
  const Tlup6DataGlasWirkung &range = *lens(3).Ranges().Items(0);
  EXPECT_EQ(range.DM, (TSf6Diameter{70, 0, false}));
  EXPECT_DOUBLE_EQ(range.cylV, 0.0);
  EXPECT_DOUBLE_EQ(range.CylB, 4.0);
  EXPECT_DOUBLE_EQ(range.SphV, -8.0);
  EXPECT_DOUBLE_EQ(range.SphB, 6.0);
  EXPECT_EQ(range.cylWV, 0);
  EXPECT_EQ(range.CylWB, 100);
  EXPECT_DOUBLE_EQ(range.PV, 2.0);
  EXPECT_DOUBLE_EQ(range.AddV, 0.75);
  EXPECT_DOUBLE_EQ(range.AddB, 3.5);
  EXPECT_EQ(range.AddS, TSf6AddStep::Step100);
  EXPECT_TRUE(range.OLB);
  EXPECT_TRUE(range.DFUR);
  EXPECT_TRUE(range.BF);
}

TEST_F(Sf4Lenses, EllipticalSelectorDecidesThePassesAndClampsOnlyThem) {
  ASSERT_EQ(lens(4).Ranges().Count(), 1);
  const Tlup6DataGlasWirkung &clamped = *lens(4).Ranges().Items(0);
  EXPECT_EQ(clamped.DM, (TSf6Diameter{65, 70, true}));
  EXPECT_DOUBLE_EQ(clamped.SphV, 0.0);
  EXPECT_DOUBLE_EQ(clamped.SphB, 0.0);
  EXPECT_EQ(clamped.AddS, TSf6AddStep::Step050);

  ASSERT_EQ(lens(5).Ranges().Count(), 2);
  const Tlup6DataGlasWirkung &round = *lens(5).Ranges().Items(0);
  const Tlup6DataGlasWirkung &elliptical = *lens(5).Ranges().Items(1);
  EXPECT_EQ(round.DM, (TSf6Diameter{60, 65, false}));
  EXPECT_EQ(elliptical.DM, (TSf6Diameter{60, 65, true}));
  EXPECT_DOUBLE_EQ(elliptical.SphV, -2.0); // no clamp flag for BOTH
  EXPECT_EQ(elliptical.AddS, TSf6AddStep::Step025);

  EXPECT_EQ(lens(6).Ranges().Count(), 0); // selector 3
}

TEST_F(Sf4Lenses, LaterPriceLineOverwritesAndGroupsOutsideRangeStoreNothing) {
  EXPECT_EQ(lens(1).Prices().Count(), 0);
  const Tlup6DataGlas &abc = lens(3);
  ASSERT_EQ(abc.Prices().Count(), 2);
  const TSf6Diameter d70{70, 0, false};
  const Tlup6DataGlasPreis *purchase = abc.Prices().FindPrice(4, 2, 0, 1, d70);
  const Tlup6DataGlasPreis *retail = abc.Prices().FindPrice(4, 2, 0, 2, d70);
  ASSERT_NE(purchase, nullptr);
  ASSERT_NE(retail, nullptr);
  EXPECT_DOUBLE_EQ(purchase->PR, 111.11);
  EXPECT_DOUBLE_EQ(retail->PR, 222.22);
  EXPECT_EQ(purchase->PQ, 1);
  EXPECT_EQ(abc.PriceGroups().CountSphGroups(), 1);
  EXPECT_TRUE(abc.PriceGroups().IsSphGroup(4));
  EXPECT_TRUE(abc.PriceGroups().IsCylGroup(2));
  EXPECT_EQ(lens(0).Prices().Count(), 2);
  EXPECT_TRUE(lens(0).PriceGroups().IsCylGroup(0));
}

// coatings/: coating kinds, replacement codes and material rules, name
// suffixes, surcharge families, combinations and colours.
class Sf4Coatings : public Sf4LoadedFixture {
protected:
  void SetUp() override { load("coatings"); }

  double price(const Tlup6DataBeschichtung &c, TSf6SphTor st, TSf6SingleMulti em, int mat,
               int pbid) {
    const Tlup6DataBeschichtungspreis *p =
        c.Prices().FindCoatingPrice(st, em, "", pbid, static_cast<TSf6Material>(mat));
    return p ? p->PR : -1;
  }
};

TEST_F(Sf4Coatings, SecondLineOfACodeAddsItsKindAndKeepsTheFirstLinesFields) {
  EXPECT_EQ(m_root.Coatings().Count(), 18);
  const Tlup6DataBeschichtung &hc = coating("HC");
  EXPECT_EQ(hc.GetName(1), "Hartschicht");
  EXPECT_EQ(hc.ET, TSf6AntiReflection::Einfach);
  EXPECT_EQ(hc.FA, TSf6Tint::Keine);
  EXPECT_FALSE(hc.PH);
  EXPECT_TRUE(hc.HA);
  EXPECT_TRUE(hc.CL);
  EXPECT_FALSE(hc.UV);
  EXPECT_EQ(hc.ADU, TSf6DiameterChange::Kleiner);
  EXPECT_EQ(hc.AD, TSf6ThicknessChange::Dickenreduktion);
  EXPECT_TRUE(hc.ADB);
  EXPECT_FALSE(hc.BTOR);
  EXPECT_TRUE(hc.PRH);
  EXPECT_TRUE(hc.AAD);
  EXPECT_EQ(hc.MAT, materials({1, 2}));
  EXPECT_EQ(hc.GetSF4Code(1), "HC");
  EXPECT_EQ(hc.GetSF4Code(2), "HC");
  EXPECT_EQ(hc.GetSF4Name(1), "Hartschicht");
  EXPECT_EQ(hc.GetSF4Name(2), "Hartschicht kunst");
}

TEST_F(Sf4Coatings, RepeatedNameGetsTheKindSuffixAlsoInTheSf4Name) {
  EXPECT_EQ(coating("AR1").GetName(1), "Superentspiegelung");
  const Tlup6DataBeschichtung &ar2 = coating("AR2");
  EXPECT_EQ(ar2.GetName(1), "superentspiegelung (K)");
  EXPECT_EQ(ar2.GetSF4Name(2), "superentspiegelung (K)");
  // The derived name of the special coating P1 counts as taken.
  const std::string prismName = coating("P1").GetName(1);
  EXPECT_EQ(coating("PRISMA").GetName(1), prismName + " (S)");
}

TEST_F(Sf4Coatings, ExistingSpecialCoatingOnlyGetsItsSf4CodeAndName) {
  const Tlup6DataBeschichtung &p1 = coating("P1");
  EXPECT_EQ(p1.GetSF4Code(2), "P1");
  EXPECT_EQ(p1.GetSF4Name(2), "Eigenes Prisma");
  EXPECT_EQ(p1.MAT, materials({1, 2, 3, 4}));
}

TEST_F(Sf4Coatings, MaterialRulesExtendTheMaterialSet) {
  struct Case {
    const char *code;
    TSf6MaterialSet expected;
  };
  const Case cases[] = {{"AR1", materials({1})},    {"AR2", materials({2})},
                        {"ABC", materials({2, 3})}, {"PC", materials({3})},
                        {"TRV", materials({4})},    {"TK", materials({1, 4})},
                        {"BAD", materials({})}};
  for (const Case &c : cases)
    EXPECT_EQ(coating(c.code).MAT, c.expected) << c.code;
}

TEST_F(Sf4Coatings, ReplacementCodeBecomesTheCodeAndTheSf4CodeStays) {
  EXPECT_EQ(m_root.Coatings().FindByCode("OLD1"), nullptr);
  const Tlup6DataBeschichtung &abc = coating("ABC");
  EXPECT_EQ(abc.GetSF4Code(2), "OLD1");
  EXPECT_EQ(abc.GetName(1), "Getoent");
  EXPECT_EQ(abc.FA, TSf6Tint::EinfachVerlauf);
  // Colours, surcharges and combinations find it by the SF4 code.
  ASSERT_EQ(abc.Colours().Count(), 2);
  EXPECT_EQ(abc.Colours().Items(0)->EDV, "G15");
  EXPECT_EQ(abc.Colours().Items(0)->GetName(1), "Grau 15%");
  EXPECT_EQ(abc.Colours().Items(0)->AbO, 15);
  EXPECT_EQ(abc.Colours().Items(0)->AbV, 85);
  EXPECT_EQ(abc.Colours().Items(1)->AbO, 0); // "-5" is no absorption
  EXPECT_EQ(abc.Colours().Items(1)->AbV, 99);
  EXPECT_EQ(abc.Prices().Count(), 4);
  EXPECT_DOUBLE_EQ(price(abc, TSf6SphTor::Egal, TSf6SingleMulti::Egal, 2, 1), 6.0);
  EXPECT_DOUBLE_EQ(price(abc, TSf6SphTor::Egal, TSf6SingleMulti::Egal, 3, 2), 10.0);
  EXPECT_EQ(m_root.Combinations().Items(3)->B1E(), "ABC");
}

TEST_F(Sf4Coatings, CylinderSurchargesFillZ1AndZ2ForAllMaterials) {
  const Tlup6DataBeschichtung &z1 = coating("Z1");
  EXPECT_TRUE(z1.STEG);
  EXPECT_FALSE(z1.EMEG);
  EXPECT_EQ(z1.MAT, materials({1, 2, 3, 4}));
  EXPECT_EQ(z1.Prices().Count(), 8);
  const Tlup6DataBeschichtung &z2 = coating("Z2");
  for (int mat = 1; mat <= 4; ++mat) {
    // The second Z01 line overwrote the first.
    EXPECT_DOUBLE_EQ(price(z1, TSf6SphTor::Egal, TSf6SingleMulti::Einstaerken, mat, 1), 10.5);
    EXPECT_DOUBLE_EQ(price(z1, TSf6SphTor::Egal, TSf6SingleMulti::Einstaerken, mat, 2), 20.5);
    EXPECT_DOUBLE_EQ(price(z2, TSf6SphTor::Egal, TSf6SingleMulti::Mehrstaerken, mat, 1), 11.0);
    EXPECT_DOUBLE_EQ(price(z2, TSf6SphTor::Egal, TSf6SingleMulti::Mehrstaerken, mat, 2), 21.0);
  }
  EXPECT_EQ(coating("Z3").Prices().Count(), 0);
}

TEST_F(Sf4Coatings, PrismSurchargesTellSphericalToricAndSingleMulti) {
  const Tlup6DataBeschichtung &p3 = coating("P3");
  const Tlup6DataBeschichtung &p4 = coating("P4");
  EXPECT_FALSE(p3.STEG);
  EXPECT_FALSE(p3.EMEG);
  EXPECT_EQ(p3.Prices().Count(), 8);
  for (int mat = 1; mat <= 4; ++mat) {
    EXPECT_DOUBLE_EQ(price(p3, TSf6SphTor::Sphaerisch, TSf6SingleMulti::Mehrstaerken, mat, 1),
                     12.0);
    EXPECT_DOUBLE_EQ(price(p4, TSf6SphTor::Torisch, TSf6SingleMulti::Mehrstaerken, mat, 2), 23.0);
  }
}

TEST_F(Sf4Coatings, OtherSurchargesPriceTheMaterialsOfKindAndRule) {
  const Tlup6DataBeschichtung &hc = coating("HC");
  EXPECT_TRUE(hc.STEG);
  EXPECT_TRUE(hc.EMEG);
  // Kind of "HC" is the last kind holding it (plastic); rule 0: that kind only.
  ASSERT_EQ(hc.Prices().Count(), 2);
  EXPECT_DOUBLE_EQ(price(hc, TSf6SphTor::Egal, TSf6SingleMulti::Egal, 2, 1), 5.0);
  EXPECT_DOUBLE_EQ(price(hc, TSf6SphTor::Egal, TSf6SingleMulti::Egal, 2, 2), 9.0);
  const Tlup6DataBeschichtung &tk = coating("TK");
  ASSERT_EQ(tk.Prices().Count(), 4);
  EXPECT_DOUBLE_EQ(price(tk, TSf6SphTor::Egal, TSf6SingleMulti::Egal, 1, 1), 7.0);
  EXPECT_DOUBLE_EQ(price(tk, TSf6SphTor::Egal, TSf6SingleMulti::Egal, 4, 2), 11.0);
  EXPECT_EQ(coating("AR1").Prices().Count(), 0);
}

TEST_F(Sf4Coatings, CombinationsAreTranslatedDeduplicatedAndSorted) {
  struct Expected {
    const char *GE, *B1E, *B2E;
    TSf6Availability LB;
  };
  const Expected expected[] = {
      {"******", "AR1", "******", TSf6Availability::Lieferbar},
      {"LENS01", "HC", "******", TSf6Availability::NichtLieferbar},
      {"LENS01", "UNKN", "******", TSf6Availability::NichtLieferbar},
      {"LENS02", "ABC", "HC", TSf6Availability::NurLieferbar},
  };
  const Tlup6DataKombinationsListe &list = m_root.Combinations();
  ASSERT_EQ(list.Count(), 4);
  for (int i = 0; i < 4; ++i) {
    const Tlup6DataKombination &c = *list.Items(i);
    EXPECT_EQ(c.GE(), expected[i].GE) << i;
    EXPECT_EQ(c.B1E(), expected[i].B1E) << i;
    EXPECT_EQ(c.B2E(), expected[i].B2E) << i;
    EXPECT_EQ(c.B3E(), "******") << i;
    EXPECT_EQ(c.LB(), expected[i].LB) << i;
  }
  EXPECT_TRUE(list.AutoSort());
}

TEST_F(Sf4Coatings, ColoursOfUnknownCoatingsAreSkipped) {
  EXPECT_EQ(coating("HC").Colours().Count(), 1);
  int colours = 0;
  for (const Tlup6DataBeschichtung &c : m_root.Coatings())
    colours += c.Colours().Count();
  EXPECT_EQ(colours, 3);
}

TEST(Sf4Load, EmptyHeaderFileFailsNamingTheFileAfterTheReset) {
  TempDir dir;
  dir.write("GLHead.Dat", "");
  dir.write("GLTyp.Dat", "L1    Glas\r\n");
  Tlup6Dataobject root;
  root.Clear(false);
  TSf4Object sf4(root);
  try {
    sf4.LoadFromDirectory(dir.path().string());
    FAIL() << "no error";
  } catch (const Sf6Error &error) {
    EXPECT_NE(std::string(error.what()).find("GLHead.Dat"), std::string::npos) << error.what();
  }
  EXPECT_EQ(root.Lenses().Count(), 0);
  EXPECT_EQ(root.Coatings().Count(), 9);
  EXPECT_EQ(root.Addresses().Count(), 0);
}

TEST(Sf4Load, MissingHeaderFileFailsLikeAnEmptyOne) {
  TempDir dir;
  Tlup6Dataobject root;
  TSf4Object sf4(root);
  EXPECT_THROW(sf4.LoadFromDirectory(dir.path().string()), Sf6Error);
}

TEST(Sf4Load, HeaderAloneGivesTheDefaultCatalogWithAnAddress) {
  TempDir dir;
  dir.write("GLHead.Dat", "\r\n");
  Tlup6Dataobject root;
  TSf4Object sf4(root);
  sf4.LoadFromDirectory(dir.path().string());
  EXPECT_EQ(root.Addresses().Count(), 1);
  EXPECT_EQ(root.Addresses().Items(0)->GA, 0.0);
  EXPECT_EQ(root.Lenses().Count(), 0);
  EXPECT_EQ(root.Coatings().Count(), 9);
  EXPECT_EQ(root.PriceDesignations().Count(), 2);
  EXPECT_EQ(root.Modified(), 1);
}

TEST(Sf4Load, UpperCaseDosNamesAndEitherTrailingSeparator) {
  for (const char *suffix : {"", "/", "\\"}) {
    Tlup6Dataobject root;
    TSf4Object sf4(root);
    sf4.LoadFromDirectory(fixture("upper-case") + suffix);
    ASSERT_EQ(root.Addresses().Count(), 1) << suffix;
    EXPECT_EQ(root.Addresses().Items(0)->EDV, "ABC") << suffix;
    EXPECT_EQ(sf4.Lines(Sf4File::GlBesch2).size(), 1u);
  }
}

TEST(Sf4Load, LensNumbersAreThoseOfAddingEachLensAndResettingIt) {
  const std::vector<std::vector<int>> expected = {{}, {0}, {0, 0}, {1, 0, 0}, {2, 1, 0, 0}};
  for (std::size_t n = 0; n < expected.size(); ++n) {
    TempDir dir;
    dir.write("GLHead.Dat", "\r\n");
    std::string typ;
    for (std::size_t i = 0; i < n; ++i)
      typ += "L" + std::to_string(i) + "\r\n";
    dir.write("GLTyp.Dat", typ);
    Tlup6Dataobject root;
    TSf4Object sf4(root);
    sf4.LoadFromDirectory(dir.path().string());
    ASSERT_EQ(root.Lenses().Count(), static_cast<int>(n));
    for (std::size_t i = 0; i < n; ++i)
      EXPECT_EQ(root.Lenses().Items(static_cast<int>(i))->CSNR(), expected[n][i])
          << n << " lenses, lens " << i;
    if (n == 4) {
      // The list renumbers again after the load.
      root.Lenses().Items(3)->SetCSNR(10);
      const int renumbered[] = {2, 1, 0, 3};
      for (int i = 0; i < 4; ++i)
        EXPECT_EQ(root.Lenses().Items(i)->CSNR(), renumbered[i]) << i;
    }
  }
}

TEST(Sf4Load, ReloadKeepsNothingOfTheEarlierLoad) {
  Tlup6Dataobject root;
  TSf4Object sf4(root);
  sf4.LoadFromDirectory(fixture("lenses"));
  ASSERT_EQ(root.Lenses().Count(), 7);
  sf4.LoadFromDirectory(fixture("coatings"));
  EXPECT_EQ(root.Lenses().Count(), 2);
  EXPECT_EQ(root.Addresses().Count(), 1);
  EXPECT_EQ(sf4.Lines(Sf4File::GLWirk).size(), 0u);
}

} // namespace
} // namespace sf6
