// Lenses, power ranges, price groups and lens prices.
#include <gtest/gtest.h>

#include <random>

#include "model/Catalog.h"

namespace sf6 {
namespace {

struct LensFixture : ::testing::Test {
  void SetUp() override { root.Clear(true); }
  Tlup6Dataobject root;
  Tlup6DataGlasliste &lenses() { return root.Lenses(); }
};

TEST_F(LensFixture, CsnrRenumberingMovesChangedLensFirst) {
  auto *a = lenses().AddLens();
  auto *b = lenses().AddLens();
  auto *c = lenses().AddLens();
  EXPECT_EQ(a->CSNR(), 0);
  EXPECT_EQ(b->CSNR(), 1);
  EXPECT_EQ(c->CSNR(), 2);
  c->SetCSNR(0);
  EXPECT_EQ(c->CSNR(), 0);
  EXPECT_EQ(a->CSNR(), 1);
  EXPECT_EQ(b->CSNR(), 2);
  a->SetCSNR(2); // moves in front of b, which has 2
  EXPECT_EQ(c->CSNR(), 0);
  EXPECT_EQ(a->CSNR(), 1);
  EXPECT_EQ(b->CSNR(), 2);
}

// AddLens takes a shortcut while the numbers are dense; it must give what a
// full renumbering with 100000 gives, whatever happened to the list before.
TEST(LensOrder, AddThenResetLeavesTheNewestTwoAtZero) {
  // Each lens read from a file is added (sort number 100000, the list
  // renumbers) and then reset to its defaults, which sets its number to 0
  // without renumbering. Equal numbers then order the later lens first, so
  // four lenses end as 2, 1, 0, 0.
  Tlup6Dataobject root;
  root.Clear(true);
  for (int i = 0; i < 4; ++i)
    root.Lenses().AddLens()->Clear(true);
  std::vector<int32_t> numbers;
  for (int i = 0; i < root.Lenses().Count(); ++i)
    numbers.push_back(root.Lenses().Items(i)->CSNR());
  EXPECT_EQ(numbers, (std::vector<int32_t>{2, 1, 0, 0}));
}

TEST(LensOrder, AddLensShortcutMatchesFullRenumbering) {
  Tlup6Dataobject fast, full;
  fast.Clear(true);
  full.Clear(true);
  std::mt19937 rng(5);
  for (int step = 0; step < 600; ++step) {
    const unsigned op = rng() % 8;
    const int n = fast.Lenses().Count();
    if (op < 4 || n == 0) {
      fast.Lenses().AddLens();
      full.Lenses().AddLens()->SetCSNR(100000);
    } else if (op < 6) {
      const int i = static_cast<int>(rng() % n);
      const int32_t v = static_cast<int32_t>(rng() % (n + 3));
      fast.Lenses().Items(i)->SetCSNR(v);
      full.Lenses().Items(i)->SetCSNR(v);
    } else if (op < 7) {
      const int i = static_cast<int>(rng() % n);
      fast.Lenses().Delete(i);
      full.Lenses().Delete(i);
    } else {
      const int i = static_cast<int>(rng() % n);
      fast.Lenses().Items(i)->Clear(false);
      full.Lenses().Items(i)->Clear(false);
    }
    ASSERT_EQ(fast.Lenses().Count(), full.Lenses().Count());
    for (int i = 0; i < fast.Lenses().Count(); ++i)
      ASSERT_EQ(fast.Lenses().Items(i)->CSNR(), full.Lenses().Items(i)->CSNR()) << step;
  }
}

TEST_F(LensFixture, FindByCodeTrimsAndIgnoresCaseAndTakesTheLast) {
  auto *first = lenses().AddLens();
  first->SetEDV("abc");
  auto *second = lenses().AddLens();
  second->SetEDV("ABC");
  EXPECT_EQ(lenses().FindByCode("Abc  "), second);
  EXPECT_EQ(lenses().FindByCode(" ABC"), nullptr);
  second->SetEDV("XYZ");
  EXPECT_EQ(lenses().FindByCode("ABC"), first);
  EXPECT_EQ(lenses().FindByCode("xyz"), second);
}

TEST_F(LensFixture, SetEdvCascadesIntoCombinationsAndProductGroups) {
  auto *lens = lenses().AddLens();
  lens->SetEDV("OLD");
  root.Combinations().AddCombination("old", "X", TSf6Availability::Lieferbar, "", "");
  auto *group = root.ProductGroups().AddNextFree();
  group->DeliverableLenses().Add("OLD");
  lens->SetEDV("NEW");
  EXPECT_EQ(root.Combinations().Items(0)->GE(), "NEW");
  EXPECT_FALSE(group->DeliverableLenses().IsDeliverable("NEW"));
  EXPECT_TRUE(group->DeliverableLenses().IsDeliverable("OLD"));
  // A change of letter case only is not a rename.
  lens->SetEDV("new");
  EXPECT_EQ(root.Combinations().Items(0)->GE(), "NEW");
}

TEST_F(LensFixture, NamesAndFallbacks) {
  auto *lens = lenses().AddLens();
  lens->SetName(1, "One");
  lens->SetName(11, "ignored");
  EXPECT_EQ(lens->GetName(11), "");
  EXPECT_EQ(lens->GetNameFallback(3), "One");
  lens->SetName(2, "Two");
  EXPECT_EQ(lens->GetNameFallback(3), "Two");
  EXPECT_EQ(lens->GetShortNameFallback(5), "");
  lens->SetShortName(1, "S");
  EXPECT_EQ(lens->GetShortNameFallback(5), "S");
}

TEST_F(LensFixture, ClearRestoresDefaults) {
  auto *lens = lenses().AddLens();
  lens->SetEDV("C1");
  lens->MAT = TSf6Material::Trivex;
  lens->AGKB = 5;
  lens->Prices().AddNew();
  lens->PriceGroups().SetSphGroup(4, true);
  OrderFieldSet set;
  set.Include(TSf6OrderFieldType::Hsa);
  lens->OrderOptions().SetMUTE(set);
  lens->Clear(false);
  EXPECT_EQ(lens->EDV(), "");
  EXPECT_EQ(lenses().FindByCode("C1"), nullptr);
  EXPECT_EQ(lens->MAT, TSf6Material::Silikat);
  EXPECT_EQ(lens->AGKB, 100);
  EXPECT_EQ(lens->Prices().Count(), 0);
  EXPECT_FALSE(lens->PriceGroups().IsSphGroup(4));
  EXPECT_EQ(lens->OrderOptions().MUTE(), set); // order options are kept
}

TEST(PowerRange, SetCylAndSetAddOrderTheirBounds) {
  Tlup6DataGlasWirkung r(nullptr, false, nullptr);
  r.SetCyl(-2, -4);
  EXPECT_EQ(r.cylV, -4);
  EXPECT_EQ(r.CylB, -2);
  r.SetSph(4, -4);
  EXPECT_EQ(r.SphV, 4);
  EXPECT_EQ(r.SphB, -4);
  r.SetAdd(3, 1);
  EXPECT_EQ(r.AddV, 1);
  EXPECT_EQ(r.AddB, 3);
  EXPECT_EQ(r.AddS, TSf6AddStep::Step025);
}

TEST(PowerRange, ContainsShiftsSphereLimitByCylinderEffect) {
  Tlup6DataGlasWirkung r(nullptr, false, nullptr);
  r.SphV = -6;
  r.SphB = 4;
  r.cylWV = 0;
  r.CylWB = 100;
  r.cylV = 0;
  r.CylB = 2;
  const struct {
    double cyl, sph;
    bool in;
  } cases[] = {{2, 2.5, false},    {2, 2, true}, {2.0005, 0, true}, {2.002, 0, false},
               {-0.0005, 0, true}, {0, 4, true}, {0, -6, true},     {0, -6.01, false}};
  for (const auto &c : cases)
    EXPECT_EQ(r.Contains(c.cyl, c.sph), c.in) << c.cyl << "/" << c.sph;
}

TEST_F(LensFixture, DiametersAndDeliveryIndexes) {
  auto *lens = lenses().AddLens();
  auto addRange = [&](int dm, double sphV, double sphB, double cylB, int lbi) {
    auto *r = lens->Ranges().AddNew();
    r->DM.First = dm;
    r->SetSph(sphV, sphB);
    r->SetCyl(0, cylB);
    r->SetAdd(0, 3);
    r->PV = 2;
    r->LBI = lbi;
    return r;
  };
  addRange(70, -6, 4, 2, 10);
  addRange(65, -2, 2, 4, 2);
  addRange(70, -8, -6, 2, 2);
  EXPECT_EQ(lens->Ranges().GetDeliveryIndexes(), (LineList{"10", "2"}));
  EXPECT_EQ(lens->Ranges().GetDiameters(false, false, 0, 0, 0, 0), (LineList{"65", "70"}));
  EXPECT_EQ(lens->Ranges().GetDiameters(true, false, 0, 0, 0, 0), (LineList{"", "65", "70"}));
  // cyl -2 at sph 4.5 is tested as sph 2.5, cyl 2: only the first 70 range
  // reaches it (untransposed, no range would).
  EXPECT_EQ(lens->Ranges().GetDiameters(false, true, 4.5, -2, 0, 0), (LineList{"70"}));
  EXPECT_EQ(lens->Ranges().GetDiameters(false, true, 1, -2, 0, 0), (LineList{"65", "70"}));
  EXPECT_EQ(lens->Ranges().GetDiameters(false, true, 3, 3, 0, 0), LineList{});
  EXPECT_EQ(lens->Ranges().GetDiameters(false, true, 3, 1, 0, 0), (LineList{"70"}));
  EXPECT_EQ(lens->Ranges().GetDiameters(false, true, 0, 0, 0, 2.5), LineList{});
}

TEST(PriceGroups, BoundsAndCounts) {
  Tlup6DataPreisgruppen g(nullptr, false, nullptr);
  g.SetSphGroup(4, true);
  g.SetSphGroup(8, true);
  g.SetSphGroup(51, true); // ignored
  g.SetCylGroup(2, true);
  g.SetCylGroup(12, true);
  EXPECT_FALSE(g.IsSphGroup(-1));
  EXPECT_FALSE(g.IsSphGroup(51));
  EXPECT_EQ(g.SphGroupBelow(8), 4);
  EXPECT_EQ(g.SphGroupBelow(4), -1);
  EXPECT_EQ(g.SphGroupBelow(100), 8);
  EXPECT_EQ(g.CountSphGroups(), 2);
  EXPECT_EQ(g.CountCylGroups(), 1); // index 12 lies beyond the counted 0..10
}

TEST_F(LensFixture, FindPriceCreatesOnlyWithKnownGroupsRangeAndDesignation) {
  auto *lens = lenses().AddLens();
  lens->PriceGroups().SetSphGroup(4, true);
  lens->PriceGroups().SetCylGroup(2, true);
  const TSf6Diameter dm{70, 0, false};
  auto *prices = &lens->Prices();
  EXPECT_EQ(prices->FindPrice(4, 2, true, 0, 9, dm), nullptr); // no designation 9
  EXPECT_EQ(prices->FindPrice(4, 2, true, 5, 1, dm), nullptr); // no delivery range 5
  EXPECT_EQ(prices->FindPrice(6, 2, true, 0, 1, dm), nullptr); // no sphere group 6
  EXPECT_EQ(prices->Count(), 0);
  auto *p = prices->FindPrice(4, 2, true, 0, 1, dm);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->GSph(), 4);
  EXPECT_EQ(p->GCyl(), 2);
  EXPECT_EQ(p->GDM(), dm);
  EXPECT_EQ(p->PBID(), 1);
  EXPECT_EQ(prices->FindPrice(4, 2, true, 0, 1, dm), p);
  // Groups compare as bytes: 260 is 4.
  EXPECT_EQ(prices->FindPrice(260, 2, false, 0, 1, dm), p);
  p->SetPrice(12.5);
  EXPECT_EQ(p->PQ, 1);
  EXPECT_DOUBLE_EQ(prices->GetPriceValue(4, 2, false, 0, 1, dm), 12.5);
  EXPECT_DOUBLE_EQ(prices->GetPriceValue(4, 2, false, 0, 2, dm), 0);
  EXPECT_EQ(p->GetLens(), lens);
}

TEST_F(LensFixture, IsInSomeRangeChecksTheGroupCorners) {
  auto *lens = lenses().AddLens();
  lens->PriceGroups().SetSphGroup(4, true);
  lens->PriceGroups().SetSphGroup(8, true);
  lens->PriceGroups().SetCylGroup(2, true);
  auto *r = lens->Ranges().AddNew();
  r->DM.First = 70;
  r->SetSph(-6, -5); // none of the corner spheres 8, 4.25, -8, -4.25
  r->SetCyl(0, 2);
  auto *p = lens->Prices().AddNew();
  p->SetGSph(8);
  p->SetGCyl(2);
  p->SetGDM({70, 0, false});
  EXPECT_EQ(p->IsInSomeRange(), 2);
  r->SetSph(-8, -7.5); // contains (c, -s) = (2, -8)
  EXPECT_EQ(p->IsInSomeRange(), 0);
  p->SetLBI(3); // no range with that delivery range
  EXPECT_EQ(p->IsInSomeRange(), 2);
  Tlup6DataGlasPreis loose(nullptr, false, nullptr);
  EXPECT_EQ(loose.IsInSomeRange(), 2);
}

} // namespace
} // namespace sf6
