// Protocol, naming presets, product groups, code sets, order options and the
// SF4 code conversions.
#include <gtest/gtest.h>

#include "model/Catalog.h"

namespace sf6 {
namespace {

TEST(Protocol, AddEntryRaisesLoidAndFillsDefaults) {
  Tlup6Dataobject root;
  root.Clear(true);
  root.SetLOID(12);
  const TDateTime before = NowAsDateTime();
  auto *e = root.Protocol().AddEntry(900, "Text", 0, "");
  EXPECT_EQ(root.LOID(), 900);
  EXPECT_EQ(e->OID(), 900);
  EXPECT_EQ(e->U, "Der Benutzer");
  EXPECT_GE(e->D, before);
  EXPECT_LT(e->D - before, 1.0 / 24);
  EXPECT_EQ(root.Modified(), 1);
  auto *f = root.Protocol().AddEntry(3, "T", 40000, "Eva");
  EXPECT_EQ(root.LOID(), 900);
  EXPECT_EQ(f->U, "Eva");
  EXPECT_DOUBLE_EQ(f->D, 40000);
}

TEST(NamingPresets, ClearGivesNumberedGermanSlots) {
  Tlup6DataBezeichnungsvorgaben p(nullptr, false, nullptr);
  EXPECT_EQ(p.GetName(3), "");
  p.Clear(false);
  EXPECT_EQ(p.GetName(3), "Bezeichnung 3");
  EXPECT_EQ(p.GetName(10), "Bezeichnung 10");
  EXPECT_EQ(p.GetLanguage(3), "DE");
  EXPECT_EQ(p.GetName(11), "");
  EXPECT_EQ(p.GetName(0), "");
  p.SetName(11, "x");
  p.SetLanguage(2, "EN");
  EXPECT_EQ(p.GetLanguage(2), "EN");
  EXPECT_EQ(p.GetDisplayText(0, ""), "Bezeichnungsvorgabe: ");
}

TEST(DeliverableSet, SortedCaseInsensitiveWithoutDuplicates) {
  Tlup6DataLieferbareGlaeser set(nullptr, false, nullptr);
  set.Add("b");
  set.Add("A");
  set.Add("B");
  EXPECT_EQ(set.Strings().Texts(), (LineList{"A", "b"}));
  EXPECT_FALSE(set.IsDeliverable("a"));
  EXPECT_TRUE(set.IsDeliverable("C"));
  EXPECT_EQ(set.GetTagName(), "NLG");
  EXPECT_EQ(set.Strings().ItemTag(), "EDV");
}

TEST(DeliverableSet, ReplaceRules) {
  Tlup6DataLieferbareBeschichtungen set(nullptr, false, nullptr);
  set.Add("X");
  set.Replace("X", "");
  EXPECT_EQ(set.Strings().Count(), 0);
  EXPECT_TRUE(set.IsDeliverable("x"));
  set.Add("X");
  set.Add("Y");
  set.Replace("x", "Y"); // new code already there: one copy stays
  EXPECT_EQ(set.Strings().Texts(), LineList{"Y"});
  set.Replace("y", "Y"); // same code in other case: ends, keeps one
  EXPECT_EQ(set.Strings().Texts(), LineList{"Y"});
  set.Replace("Q", "R"); // absent: nothing
  EXPECT_EQ(set.Strings().Texts(), LineList{"Y"});
}

TEST(ProductGroups, RenamesAndGroupNames) {
  Tlup6Dataobject root;
  root.Clear(true);
  auto *lens = root.Lenses().AddLens();
  lens->SetEDV("L1");
  auto *coating = root.Coatings().AddNew();
  coating->SetEDV("C1");
  auto *g1 = root.ProductGroups().AddNextFree();
  g1->BEZ = "Eins";
  auto *g2 = root.ProductGroups().AddNextFree();
  g2->BEZ = "Zwei";
  g2->DeliverableLenses().Add("L1");
  g1->DeliverableCoatings().Add("C1");
  EXPECT_EQ(lens->GetProductGroupNames(true), LineList{"Eins"});
  EXPECT_EQ(lens->GetProductGroupNames(false), LineList{"Zwei"});
  EXPECT_EQ(coating->GetProductGroupNames(true), LineList{"Zwei"});
  root.ProductGroups().RenameLensInGroups("l1", "L9");
  EXPECT_FALSE(g2->DeliverableLenses().IsDeliverable("L9"));
  EXPECT_EQ(root.ProductGroups().FindByID(2), g2);
  EXPECT_EQ(root.ProductGroups().FindByID(5), nullptr);
}

TEST(OrderOptions, SetsStayDisjoint) {
  Tlup6DataOrderOptions o(nullptr, false, nullptr);
  OrderFieldSet a;
  a.Include(TSf6OrderFieldType::Hsa);
  a.Include(TSf6OrderFieldType::Inset);
  o.SetMUTE(a);
  OrderFieldSet b;
  b.Include(TSf6OrderFieldType::Hsa);
  o.SetKADU(b);
  EXPECT_FALSE(o.MUTE().Contains(TSf6OrderFieldType::Hsa));
  EXPECT_TRUE(o.MUTE().Contains(TSf6OrderFieldType::Inset));
  EXPECT_TRUE(o.KADU().Contains(TSf6OrderFieldType::Hsa));
  o.SetMUDU(a);
  EXPECT_FALSE(o.KADU().Contains(TSf6OrderFieldType::Hsa));
  EXPECT_EQ(o.MUTE().bits, 0u);
}

TEST(Sf4Codes, ConversionTables) {
  const struct {
    int (*fn)(int);
    int code, ordinal;
  } cases[] = {
      {Sf4Code0to3, 3, 3},        {Sf4Code0to3, 4, 0},        {Sf4Code0to3, -1, 0},
      {Sf4Code0to2, 2, 2},        {Sf4Code0to2, 3, 0},        {Sf4CodeSingleMulti, 0, 1},
      {Sf4CodeSingleMulti, 1, 2}, {Sf4CodeSingleMulti, 2, 2}, {Sf4CodeSingleMulti, 3, 1},
      {Sf4CodeToET, 2, 1},        {Sf4CodeToET, 5, 2},        {Sf4CodeToET, 8, 3},
      {Sf4CodeToET, 1, 0},        {Sf4CodeToFA, 2, 2},        {Sf4CodeToFA, 3, 0},
      {Sf4CodeToFA, 4, 3},        {Sf4CodeToFA, 6, 5},        {Sf4CodeStep, 1, 0},
      {Sf4CodeStep, 2, 1},        {Sf4CodeStep, 0, 2},        {Sf4CodeStep, 9, 2},
  };
  for (const auto &c : cases)
    EXPECT_EQ(c.fn(c.code), c.ordinal) << c.code;
}

} // namespace
} // namespace sf6
