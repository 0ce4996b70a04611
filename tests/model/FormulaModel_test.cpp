// Calculations, formula groups, local formulas and price evaluation.
#include <gtest/gtest.h>

#include "lang/LanguageTable.h"
#include "model/Catalog.h"

namespace sf6 {
namespace {

TEST(FormulaCalc, EveryOperator) {
  Tlup6Dataobject root;
  root.Clear(true);
  auto *var = root.Variables().AddNext(); // Id 1
  var->W = 10;
  Tlup6DataFormelCalc calc(&root, false, nullptr);
  const struct {
    uint8_t op;
    double expected;
  } cases[] = {{0, 50}, {1, 52}, {2, 51}, {3, 48},   {4, 49},  {5, 100}, {6, 60},
               {7, 55}, {8, 40}, {9, 45}, {10, 500}, {11, 50}, {255, 50}};
  for (const auto &c : cases) {
    calc.FI1 = c.op;
    calc.VAL1 = 2;
    calc.VAR1 = 1;
    EXPECT_DOUBLE_EQ(calc.Evaluate(50), c.expected) << int(c.op);
  }
}

TEST(FormulaCalc, StepsRunInOrderWithTheirOwnValuesAndVariables) {
  Tlup6Dataobject root;
  root.Clear(true);
  root.Variables().AddNext()->W = 3; // Id 1
  Tlup6DataFormelCalc calc(&root, false, nullptr);
  calc.FI1 = 1;
  calc.VAL1 = 1; // 11
  calc.FI2 = 5;
  calc.VAL2 = 2; // 22
  calc.FI3 = 8;
  calc.VAR3 = 1; // 19
  calc.FI4 = 3;
  calc.VAL4 = 4; // 15
  EXPECT_DOUBLE_EQ(calc.Evaluate(10), 15);
}

TEST(FormulaCalc, UnknownVariableCountsZero) {
  Tlup6Dataobject root;
  Tlup6DataFormelCalc calc(&root, false, nullptr);
  calc.FI1 = 10;
  calc.VAR1 = 42;
  EXPECT_DOUBLE_EQ(calc.Evaluate(50), 0);
}

TEST(FormulaCalc, RoundingsHalfToEven) {
  Tlup6DataFormelCalc calc(nullptr, false, nullptr);
  const struct {
    uint8_t frt;
    double in, out;
  } cases[] = {{0, 1.234, 1.234}, {1, 1.02, 1.0}, {1, 1.03, 1.05},  {2, 1.26, 1.3},
               {3, 1.74, 1.5},    {3, 1.76, 2.0}, {4, 2.5, 2},      {4, 3.5, 4},
               {4, -2.5, -2},     {5, 3, 4},      {5, 5, 4},        {6, 51.7, 50},
               {6, 52.5, 50},     {6, 57.5, 60},  {7, 1.234, 1.234}};
  for (const auto &c : cases) {
    calc.FRT = c.frt;
    EXPECT_NEAR(calc.Evaluate(c.in), c.out, 1e-9) << int(c.frt) << " " << c.in;
  }
}

TEST(FormulaCalc, PercentThenRoundToFive) {
  Tlup6DataFormelCalc calc(nullptr, false, nullptr);
  calc.FI1 = 2;
  calc.VAL1 = 10;
  calc.FRT = 6;
  EXPECT_DOUBLE_EQ(calc.Evaluate(47), 50);
}

TEST(FormulaRange, MatchesBoundsAndEllipticRule) {
  Tlup6DataFormelBereich r(nullptr, false, nullptr);
  EXPECT_EQ(r.QPRB, 10000);
  EXPECT_EQ(r.CylB, 25);
  const TSf6Diameter round{70, 0, false};
  const TSf6Diameter ellip{70, 65, true};
  EXPECT_TRUE(r.Matches(round, 25, 50, 10000));
  EXPECT_FALSE(r.Matches(round, 26, 50, 1));
  EXPECT_FALSE(r.Matches(round, 0, 0, 10000.01));
  EXPECT_FALSE(r.Matches({100, 0, false}, 0, 0, 1));
  r.EL = 1;
  EXPECT_FALSE(r.Matches(round, 0, 0, 1));
  EXPECT_TRUE(r.Matches(ellip, 0, 0, 1));
  r.EL = 2;
  EXPECT_TRUE(r.Matches(round, 0, 0, 1));
  EXPECT_FALSE(r.Matches(ellip, 0, 0, 1));
}

TEST(FormulaGroup, SetIdKeepsIdsUnique) {
  Tlup6Dataobject root;
  root.Clear(true);
  auto *groups = &root.FormulaGroups();
  auto *g1 = groups->AddNew();
  g1->SetID(0);
  EXPECT_EQ(g1->ID(), 1);
  auto *g2 = groups->AddNew();
  g2->SetID(1);
  EXPECT_EQ(g2->ID(), 2);
  g2->SetID(2); // its own ID is not a clash
  EXPECT_EQ(g2->ID(), 2);
  EXPECT_EQ(groups->NextFreeID(), 3);
  EXPECT_EQ(groups->FindByID(2), g2);
}

TEST(FormulaGroup, FindByIdTakesTheFirst) {
  Tlup6Dataobject root;
  auto *groups = &root.FormulaGroups();
  auto *a = groups->AddNew();
  auto *b = groups->AddNew();
  (void)b;
  // Both have ID 0 straight from AddNew.
  EXPECT_EQ(groups->FindByID(0), a);
}

TEST(DeliveryRangeNames, DefaultThenNextId) {
  Tlup6Dataobject root;
  root.Clear(true);
  auto *names = &root.DeliveryRangeNames();
  EXPECT_EQ(names->Items(0)->Bez, LangText(146));
  EXPECT_EQ(names->AddNext()->ID, 1);
  EXPECT_EQ(names->AddNext()->ID, 2);
  EXPECT_EQ(names->FindByID(2), names->Items(2));
}

// A lens with purchase prices (designation 1) and a formula group that makes
// retail prices (designation 2) from them.
struct PriceFixture : ::testing::Test {
  void SetUp() override {
    root.Clear(true);
    lens = root.Lenses().AddLens();
    lens->SetEDV("L1");
    lens->MAT = TSf6Material::Kunststoff;
    lens->PriceGroups().SetSphGroup(4, true);
    lens->PriceGroups().SetCylGroup(2, true);
    purchase = lens->Prices().FindPrice(4, 2, true, 0, 1, dm);
    purchase->SetPrice(47);
    retail = lens->Prices().FindPrice(4, 2, true, 0, 2, dm);
    group = root.FormulaGroups().AddNew();
    group->SetID(0);
    group->QPBID = 1;
    group->AZPBID = 2;
    group->SetLensFlag(0, 2, true); // single vision, Kunststoff
    auto *range = group->Ranges().AddNew();
    range->Calc().FI1 = 2;
    range->Calc().VAL1 = 10;
    range->Calc().FRT = 6;
  }
  Tlup6Dataobject root;
  const TSf6Diameter dm{70, 0, false};
  Tlup6DataGlas *lens = nullptr;
  Tlup6DataGlasPreis *purchase = nullptr;
  Tlup6DataGlasPreis *retail = nullptr;
  Tlup6DataFormelGruppe *group = nullptr;
};

TEST_F(PriceFixture, FormulaGroupComputesFromSourcePrice) {
  EXPECT_EQ(retail->PQ, 0);
  EXPECT_EQ(root.FormulaGroups().FindGroupForLensPrice(*retail), group);
  EXPECT_DOUBLE_EQ(retail->GetPrice(), 50);
  double v = -1;
  EXPECT_EQ(retail->ComputePrice(v, true), 0);
  EXPECT_DOUBLE_EQ(v, 50);
  EXPECT_TRUE(root.EvaluationGuard().empty());
}

TEST_F(PriceFixture, GroupNeedsMatchingMaterialAndKind) {
  lens->MAT = TSf6Material::Silikat;
  EXPECT_EQ(root.FormulaGroups().FindGroupForLensPrice(*retail), nullptr);
  double v = -1;
  EXPECT_EQ(retail->ComputePrice(v, true), 1);
  EXPECT_DOUBLE_EQ(v, 0);
  EXPECT_DOUBLE_EQ(retail->GetPrice(), 0);
}

TEST_F(PriceFixture, FormulaAssignmentWinsOverSearch) {
  auto *other = root.FormulaGroups().AddNew();
  other->SetID(0); // 2
  other->QPBID = 1;
  other->Ranges().AddNew()->Calc().FI1 = 5;
  other->Ranges().Items(0)->Calc().VAL1 = 2;
  lens->FormulaAssignment().FZUE.push_back("2x2x0");
  EXPECT_EQ(lens->FormulaAssignment().FindAssignedGroupID(2, TSf6Material::Egal), 2);
  EXPECT_EQ(lens->FormulaAssignment().FindAssignedGroupID(1, TSf6Material::Egal), 0);
  EXPECT_DOUBLE_EQ(retail->GetPrice(), 94);
}

TEST_F(PriceFixture, CycleEndsWithResultTwoAndNeverLoops) {
  // The purchase price is now computed by a local formula from the retail
  // price, which a group computes from the purchase price.
  purchase->PQ = 2;
  purchase->LocalFormula().QPBID = 2;
  double v = -1;
  EXPECT_EQ(retail->ComputePrice(v, true), 1);
  EXPECT_DOUBLE_EQ(retail->GetPrice(), 0);
  EXPECT_DOUBLE_EQ(purchase->GetPrice(), 0);
  EXPECT_TRUE(root.EvaluationGuard().empty());
  // Directly: a price already under evaluation answers 2.
  root.EvaluationGuard().push_back(purchase);
  EXPECT_EQ(purchase->ComputePrice(v, false), 2);
  EXPECT_EQ(purchase->ComputePrice(v, true), 1); // reset guard, then the cycle via retail
}

TEST_F(PriceFixture, LocalFormulaInheritsAndOverrides) {
  auto *local = lens->Prices().FindPrice(4, 2, true, 0, 2, dm);
  ASSERT_EQ(local, retail);
  retail->PQ = 2;
  auto *f = &retail->LocalFormula();
  EXPECT_EQ(f->ResolvedPBID(), 2);
  EXPECT_EQ(f->ResolvedSph(), 4);
  EXPECT_EQ(f->ResolvedLensCode(), "L1");
  EXPECT_EQ(f->ResolvedDM(), dm);
  f->QPBID = 1;
  f->Calc().FI1 = 1;
  f->Calc().VAL1 = 3;
  EXPECT_DOUBLE_EQ(retail->GetPrice(), 50);
  // A source on another lens.
  auto *other = root.Lenses().AddLens();
  other->SetEDV("L2");
  other->Prices().AddNew();
  auto *src = other->Prices().Items(0);
  src->SetGSph(4);
  src->SetGCyl(2);
  src->SetGDM(dm);
  src->SetPBID(1);
  src->SetPrice(100);
  f->QGEdv = "l2";
  EXPECT_DOUBLE_EQ(retail->GetPrice(), 103);
  f->QGEdv = "nope";
  EXPECT_DOUBLE_EQ(retail->GetPrice(), 0);
}

// Local formulas are made only when asked for, but keep the object numbers
// they had when every price made its own at once: the price's next two.
TEST_F(PriceFixture, LocalFormulaMadeLateKeepsTheNumbersOfItsPrice) {
  const int32_t loid = root.LOID();
  ASSERT_EQ(retail->OID(), purchase->OID() + 3);
  EXPECT_EQ(retail->LocalFormula().OID(), retail->OID() + 1);
  EXPECT_EQ(retail->LocalFormula().Calc().OID(), retail->OID() + 2);
  EXPECT_EQ(purchase->LocalFormula().Calc().OID(), purchase->OID() + 2);
  EXPECT_EQ(root.LOID(), loid);
  retail->LocalFormula().QPBID = 1;
  retail->Clear(false);
  EXPECT_EQ(retail->LocalFormula().QPBID, -1);
}

TEST_F(PriceFixture, NestedSourcesEvaluate) {
  // Designation 3 from 2 (computed from 1) by a second group.
  auto *d3 = root.PriceDesignations().AddNextFree();
  ASSERT_EQ(d3->ID, 3);
  auto *third = lens->Prices().FindPrice(4, 2, true, 0, 3, dm);
  auto *g = root.FormulaGroups().AddNew();
  g->SetID(0);
  g->QPBID = 2;
  g->AZPBID = 3;
  g->SetLensFlag(0, 2, true);
  g->Ranges().AddNew()->Calc().FI1 = 1;
  g->Ranges().Items(0)->Calc().VAL1 = 5;
  EXPECT_DOUBLE_EQ(third->GetPrice(), 55);
}

TEST(CoatingPriceEvaluation, GroupAndLocalFormulaForCoatings) {
  Tlup6Dataobject root;
  root.Clear(true);
  auto *c = root.Coatings().AddNew();
  c->SetEDV("HC"); // category 2
  auto *prices = &c->Prices();
  auto *src = prices->FindCoatingPrice(TSf6SphTor::Egal, TSf6SingleMulti::Einstaerken, true, "", 1,
                                       TSf6Material::Silikat);
  src->SetPrice(20);
  auto *dst = prices->FindCoatingPrice(TSf6SphTor::Egal, TSf6SingleMulti::Einstaerken, true, "", 2,
                                       TSf6Material::Silikat);
  auto *g = root.FormulaGroups().AddNew();
  g->SetID(0);
  g->QPBID = 1;
  g->AZPBID = 2;
  g->SetCoatingFlag(2, 1, true);
  auto *range = g->Ranges().AddNew();
  range->QPRV = 10;
  range->QPRB = 30;
  range->Calc().FI1 = 5;
  range->Calc().VAL1 = 2;
  EXPECT_DOUBLE_EQ(dst->GetPrice(), 40);
  src->SetPrice(31); // outside the only range
  EXPECT_DOUBLE_EQ(dst->GetPrice(), 0);
  src->SetPrice(20);
  // Local formula: QMat -1 means Silikat, whatever the price's own material.
  dst->PQ = 2;
  dst->SetMAT(TSf6Material::Trivex);
  auto *f = &dst->LocalFormula();
  f->QPBID = 1;
  f->QMat = -1;
  f->QEM = -1;
  f->QSphTor = -1;
  f->Calc().FI1 = 1;
  f->Calc().VAL1 = 1;
  EXPECT_EQ(f->ResolvedMaterial(), TSf6Material::Silikat);
  EXPECT_DOUBLE_EQ(dst->GetPrice(), 21);
  f->QMat = -2; // inherit: Trivex has no source
  EXPECT_EQ(f->ResolvedMaterial(), TSf6Material::Trivex);
  EXPECT_DOUBLE_EQ(dst->GetPrice(), 0);
  f->QMat = 9;
  EXPECT_EQ(f->ResolvedMaterial(), TSf6Material::Silikat);
}

TEST(PriceEvaluation, PriceWithoutRootHasNoValue) {
  Tlup6DataGlasPreis p(nullptr, false, nullptr);
  double v = 3;
  EXPECT_EQ(p.ComputePrice(v, true), 1);
  EXPECT_DOUBLE_EQ(v, 0);
  p.SetPrice(9);
  EXPECT_DOUBLE_EQ(p.GetPrice(), 9);
}

TEST(PrismCylinder, Defaults) {
  Tlup6DataPrismenCylinder pc(nullptr, false, nullptr);
  EXPECT_EQ(pc.PG1, 3);
  EXPECT_EQ(pc.PG2, 6);
  EXPECT_EQ(pc.PG3, 10);
  EXPECT_EQ(pc.PG4, 15);
  EXPECT_EQ(pc.PG5, 0);
  EXPECT_EQ(pc.ZG1, 6);
  EXPECT_EQ(pc.ZG2, 8);
  EXPECT_EQ(pc.ZB, 4);
}

} // namespace
} // namespace sf6
