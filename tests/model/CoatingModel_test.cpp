// Coatings, special coatings, coating prices, signatures and combinations.
#include <gtest/gtest.h>

#include "lang/LanguageTable.h"
#include "model/Catalog.h"

namespace sf6 {
namespace {

struct CoatingFixture : ::testing::Test {
  void SetUp() override { root.Clear(true); }
  Tlup6Dataobject root;
  Tlup6DataBeschichtungsliste &coatings() { return root.Coatings(); }
};

TEST_F(CoatingFixture, DefaultListHoldsTheNineSpecialCoatings) {
  const char *codes[] = {"Z1", "Z2", "Z3", "P1", "P2", "P3", "P4", "P5", "P6"};
  ASSERT_EQ(coatings().Count(), 9);
  for (int i = 0; i < 9; ++i) {
    auto *c = coatings().Items(i);
    EXPECT_EQ(c->EDV(), codes[i]);
    EXPECT_TRUE(c->IsSpecial());
    EXPECT_EQ(c->GetCategory(), 3);
    EXPECT_FALSE(c->MAT.Contains(TSf6Material::Egal));
    for (int m = 1; m <= 4; ++m)
      EXPECT_TRUE(c->MAT.Contains(static_cast<TSf6Material>(m)));
  }
  coatings().ClearList(false);
  EXPECT_EQ(coatings().Count(), 0);
}

TEST_F(CoatingFixture, SpecialCoatingNamesComeFromTheLimits) {
  EXPECT_EQ(coatings().FindByCode("P2")->GetName(1), LangText(189) + " 6 cm/m");
  EXPECT_EQ(coatings().FindByCode("P5")->GetName(1), LangText(189) + " 0 cm/m");
  EXPECT_EQ(coatings().FindByCode("P6")->GetName(1), LangText(190) + " 0 cm/m");
  EXPECT_EQ(coatings().FindByCode("Z1")->GetName(1), LangText(191) + " 6 dpt");
  EXPECT_EQ(coatings().FindByCode("Z3")->GetName(1), LangText(192) + " 8 dpt");
  root.PrismCylinder().ZG2 = 10;
  EXPECT_EQ(coatings().FindByCode("Z2")->GetName(7), LangText(191) + " 10 dpt");
  auto *p1 = coatings().FindByCode("P1");
  p1->SetName(1, "mine");
  EXPECT_EQ(p1->GetNameFallback(4), LangText(189) + " 3 cm/m");
  Tlup6DataBeschichtung loose(nullptr, false, nullptr);
  loose.SetEDV("P1");
  EXPECT_EQ(loose.GetName(1), "");
}

TEST_F(CoatingFixture, CategoryOrder) {
  auto *c = coatings().AddNew();
  c->SetEDV("AR");
  EXPECT_EQ(c->GetCategory(), 2);
  c->FA = TSf6Tint::Filter;
  EXPECT_EQ(c->GetCategory(), 1);
  c->ET = TSf6AntiReflection::Super;
  EXPECT_EQ(c->GetCategory(), 0);
}

TEST_F(CoatingFixture, AddSpecialCoatingsReplaceRemovesAndReadds) {
  auto *z1 = coatings().FindByCode("Z1");
  z1->SetName(1, "x");
  coatings().AddSpecialCoatings(false);
  EXPECT_EQ(coatings().Count(), 9);
  EXPECT_EQ(coatings().FindByCode("Z1"), z1);
  coatings().AddSpecialCoatings(true);
  EXPECT_EQ(coatings().Count(), 9);
  EXPECT_EQ(coatings().Items(0)->EDV(), "Z1");
}

TEST_F(CoatingFixture, Sf4CodesMapToCoatings) {
  auto *c = coatings().AddNew();
  c->SetEDV("HC");
  c->SetSF4Code(1, "h1");
  c->SetSF4Code(2, "H2");
  c->SetSF4Code(3, "H1");
  EXPECT_EQ(coatings().FindBySF4Code("H1"), c);
  EXPECT_EQ(coatings().FindBySF4Code(""), nullptr);
  EXPECT_EQ(coatings().GetSF4Material("h1"), 3);
  EXPECT_EQ(coatings().GetSF4Material("none"), 1);
  EXPECT_EQ(coatings().MapSF4Code("H2"), "HC");
  EXPECT_EQ(coatings().MapSF4Code("QQ"), "QQ");
  c->SetSF4Code(1, "");
  EXPECT_EQ(coatings().FindBySF4Code("H1"), c); // still in slot 3
  c->SetSF4Code(3, "");
  EXPECT_EQ(coatings().FindBySF4Code("H1"), nullptr);
  EXPECT_EQ(coatings().GetNameByCode("hc"), "");
  c->SetName(1, "Hart");
  EXPECT_EQ(coatings().GetNameByCode("hc"), "Hart");
  EXPECT_EQ(coatings().FindByName("HART", 1), c);
}

TEST_F(CoatingFixture, LensesAndCoatingsFindCodesByOneRule) {
  auto *coating = coatings().AddNew();
  coating->SetEDV("AR");
  auto *lens = root.Lenses().AddLens();
  lens->SetEDV("AR");
  auto *unnamedCoating = coatings().AddNew();
  auto *unnamedLens = root.Lenses().AddLens();
  ASSERT_TRUE(unnamedCoating->EDV().empty() && unnamedLens->EDV().empty());
  for (const char *query : {"AR", "ar", "AR  "}) {
    EXPECT_EQ(coatings().FindByCode(query), coating) << query;
    EXPECT_EQ(root.Lenses().FindByCode(query), lens) << query;
  }
  for (const char *query : {"", "   ", " AR"}) {
    EXPECT_EQ(coatings().FindByCode(query), nullptr) << query;
    EXPECT_EQ(root.Lenses().FindByCode(query), nullptr) << query;
  }
}

TEST_F(CoatingFixture, FindByNameFoldsAccentedLettersButCodesDoNot) {
  auto *c = coatings().AddNew();
  c->SetEDV("\xC4K");                               // ÄK
  c->SetName(1, "\xD6KO");                          // ÖKO
  EXPECT_EQ(coatings().FindByName("\xF6ko", 1), c); // öko
  EXPECT_EQ(coatings().FindByName("oko", 1), nullptr);
  EXPECT_EQ(coatings().FindByCode("\xC4k"), c);
  EXPECT_EQ(coatings().FindByCode("\xE4k"), nullptr); // äk: codes fold A-Z only
}

TEST_F(CoatingFixture, RemoveCoatingCascades) {
  auto *c = coatings().AddNew();
  c->SetEDV("AR");
  root.Combinations().AddCombination("L1", "AR", TSf6Availability::Lieferbar, "", "");
  root.Combinations().AddCombination("L1", "HC", TSf6Availability::Lieferbar, "", "");
  auto *g = root.ProductGroups().AddNextFree();
  g->DeliverableCoatings().Add("ar");
  coatings().RemoveCoating(c);
  EXPECT_EQ(coatings().FindByCode("AR"), nullptr);
  EXPECT_EQ(root.Combinations().Count(), 1);
  EXPECT_TRUE(g->DeliverableCoatings().IsDeliverable("AR"));
}

TEST_F(CoatingFixture, SetEdvRenamesCombinationCoatings) {
  auto *c = coatings().AddNew();
  c->SetEDV("AR");
  root.Combinations().AddCombination("L1", "X", TSf6Availability::Lieferbar, "ar", "AR");
  c->SetEDV("AR2");
  auto *k = root.Combinations().Items(0);
  EXPECT_EQ(k->B1E(), "X");
  EXPECT_EQ(k->B2E(), "AR2");
  EXPECT_EQ(k->B3E(), "AR2");
}

TEST_F(CoatingFixture, FindCoatingPriceRules) {
  auto *c = coatings().AddNew();
  c->SetEDV("AR");
  auto *prices = &c->Prices();
  // Material egal without a lens code never matches.
  auto *egal = prices->AddNew();
  egal->SetPBID(1);
  EXPECT_EQ(prices->FindCoatingPrice(TSf6SphTor::Egal, TSf6SingleMulti::Egal, false, "", 1,
                                     TSf6Material::Egal),
            nullptr);
  // Create needs a known designation.
  EXPECT_EQ(prices->FindCoatingPrice(TSf6SphTor::Torisch, TSf6SingleMulti::Einstaerken, true, "", 7,
                                     TSf6Material::Kunststoff),
            nullptr);
  auto *p = prices->FindCoatingPrice(TSf6SphTor::Torisch, TSf6SingleMulti::Einstaerken, true, "", 1,
                                     TSf6Material::Kunststoff);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->ST(), TSf6SphTor::Torisch);
  EXPECT_EQ(p->MAT(), TSf6Material::Kunststoff);
  EXPECT_EQ(prices->FindCoatingPrice(TSf6SphTor::Torisch, TSf6SingleMulti::Einstaerken, false, "",
                                     1, TSf6Material::Kunststoff),
            p);
  // Lens-bound prices.
  auto *bound = prices->FindLensCoatingPrice("L1", 2, true);
  ASSERT_NE(bound, nullptr);
  EXPECT_EQ(bound->Edv(), "L1");
  EXPECT_EQ(prices->FindCoatingPrice(TSf6SphTor::Egal, TSf6SingleMulti::Egal, false, "l1", 2,
                                     TSf6Material::Egal),
            bound);
  auto *created = prices->FindLensCoatingPrice("x", 2, true);
  EXPECT_EQ(created, prices->Items(prices->Count() - 1));
  EXPECT_EQ(created->MAT(), TSf6Material::Egal);
  EXPECT_EQ(p->GetCoating(), c);
}

TEST_F(CoatingFixture, LensBoundPriceTakesTheLensMaterial) {
  auto *lens = root.Lenses().AddLens();
  lens->SetEDV("L1");
  lens->MAT = TSf6Material::Kunststoff;
  auto *c = coatings().AddNew();
  auto *p = c->Prices().AddNew();
  p->SetEdv("L1");
  p->SetMAT(TSf6Material::Trivex);
  p->SetEM(TSf6SingleMulti::Mehrstaerken);
  EXPECT_EQ(p->EffectiveMaterial(), TSf6Material::Kunststoff);
  EXPECT_EQ(p->EffectiveEM(), TSf6SingleMulti::Egal);
  p->SetEdv("nolens");
  EXPECT_EQ(p->EffectiveMaterial(), TSf6Material::Trivex);
}

TEST_F(CoatingFixture, PriceSignaturesGroupEqualMaterials) {
  auto *c = coatings().AddNew();
  auto setPrice = [&](TSf6Material m, int32_t pbid, double v) {
    c->Prices()
        .FindCoatingPrice(TSf6SphTor::Egal, TSf6SingleMulti::Egal, true, "", pbid, m)
        ->SetPrice(v);
  };
  const std::vector<int32_t> pbids{1, 2};
  setPrice(TSf6Material::Silikat, 1, 12.40);
  setPrice(TSf6Material::Silikat, 2, 20);
  setPrice(TSf6Material::Kunststoff, 1, 12.40);
  setPrice(TSf6Material::Kunststoff, 2, 20);
  setPrice(TSf6Material::Polycarbonat, 1, 12.30);
  // Trivex has no prices: its signature is all zeros.
  auto *prices = &c->Prices();
  EXPECT_EQ(prices->GetPriceSignature(TSf6SphTor::Egal, TSf6SingleMulti::Egal, pbids,
                                      TSf6Material::Silikat),
            "00012400002000");
  EXPECT_EQ(prices->CountPriceSignatures(TSf6SphTor::Egal, TSf6SingleMulti::Egal, pbids), 3);
  const LineList sigs = prices->PriceSignatures(TSf6SphTor::Egal, TSf6SingleMulti::Egal, pbids);
  for (int i = 0; i < 3; ++i) {
    const TSf6MaterialSet set =
        prices->MaterialsWithSignature(i, TSf6SphTor::Egal, TSf6SingleMulti::Egal, pbids);
    if (sigs[static_cast<std::size_t>(i)] == "00012400002000") {
      EXPECT_TRUE(set.Contains(TSf6Material::Silikat));
      EXPECT_TRUE(set.Contains(TSf6Material::Kunststoff));
      EXPECT_FALSE(set.Contains(TSf6Material::Polycarbonat));
    }
  }
  EXPECT_TRUE(
      prices->MaterialsWithSignature(3, TSf6SphTor::Egal, TSf6SingleMulti::Egal, pbids).Empty());
  EXPECT_TRUE(
      prices->MaterialsWithSignature(-1, TSf6SphTor::Egal, TSf6SingleMulti::Egal, pbids).Empty());
}

TEST_F(CoatingFixture, CombinationPermutationsAreOneCombination) {
  auto *list = &root.Combinations();
  auto *k = list->AddCombination("L1", "X", TSf6Availability::Lieferbar, "Y", "");
  auto *again = list->AddCombination("l1", "y", TSf6Availability::NurLieferbar, "", "x");
  EXPECT_EQ(list->Count(), 1);
  EXPECT_EQ(again, k);
  EXPECT_EQ(k->LB(), TSf6Availability::Lieferbar);
  for (const auto &perm : std::vector<std::array<const char *, 3>>{{"X", "Y", ""},
                                                                   {"X", "", "Y"},
                                                                   {"Y", "X", ""},
                                                                   {"Y", "", "X"},
                                                                   {"", "X", "Y"},
                                                                   {"", "Y", "X"}})
    EXPECT_EQ(list->FindCombination("L1", perm[0], perm[1], perm[2]), k);
  EXPECT_EQ(list->FindCombination("L1", "X", "X", ""), nullptr);
  EXPECT_EQ(list->FindCombination("L2", "X", "Y", ""), nullptr);
}

// A new combination starts as all "******"; filling it field by field with
// auto-sort on would make it a duplicate of such a combination on the way and
// destroy it half-filled. AddCombination fills it first and sorts once.
TEST_F(CoatingFixture, AddCombinationWithAutoSortKeepsTheNewCombination) {
  auto *list = &root.Combinations();
  list->SetAutoSort(true);
  list->AddNew(); // all "******", availability 0
  auto *k = list->AddCombination("L1", "X", TSf6Availability::NichtLieferbar, "", "");
  ASSERT_NE(k, nullptr);
  EXPECT_EQ(list->Count(), 2);
  EXPECT_EQ(k->GE(), "L1");
  EXPECT_EQ(list->FindCombination("L1", "", "X", ""), k);
}

TEST_F(CoatingFixture, RemoveByCoatingIgnoresWildcards) {
  auto *list = &root.Combinations();
  list->AddCombination("L1", "X", TSf6Availability::Lieferbar, "", "");
  list->AddCombination("L2", "Y", TSf6Availability::Lieferbar, "X", "");
  list->RemoveByCoating("******");
  list->RemoveByCoating("");
  EXPECT_EQ(list->Count(), 2); // new combinations hold "******" nowhere, "" is ignored
  list->RemoveByCoating("x");
  EXPECT_EQ(list->Count(), 0);
}

TEST_F(CoatingFixture, SortOrdersByKeyAndDropsLaterDuplicates) {
  auto *list = &root.Combinations();
  auto *b = list->AddCombination("B", "X", TSf6Availability::Lieferbar, "", "");
  auto *a = list->AddCombination("A", "X", TSf6Availability::Lieferbar, "", "");
  EXPECT_EQ(list->Items(0), b); // no auto-sort yet
  list->SetAutoSort(true);
  EXPECT_EQ(list->Items(0), a);
  EXPECT_EQ(list->Items(1), b);
  auto *c = list->AddCombination("AA", "X", TSf6Availability::Lieferbar, "", "");
  EXPECT_EQ(list->Items(1), c);
  // Renaming b to a's key: b (later in order) is dropped.
  b->SetGE("A");
  EXPECT_EQ(list->Count(), 2);
  EXPECT_EQ(list->Items(0), a);
  EXPECT_EQ(list->Items(1), c);
}

} // namespace
} // namespace sf6
