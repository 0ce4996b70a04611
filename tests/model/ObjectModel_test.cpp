// Base classes and list machinery: identity, registry, lists, descriptions.
#include <gtest/gtest.h>

#include "lang/LanguageTable.h"
#include "model/Catalog.h"

namespace sf6 {
namespace {

TEST(ObjectModel, ItemsOutsideTheRangeAreNull) {
  Tlup6Dataobject root;
  root.Clear(false);
  auto *lenses = &root.Lenses();
  lenses->AddLens();
  lenses->AddLens();
  EXPECT_EQ(lenses->Items(-1), nullptr);
  EXPECT_EQ(lenses->Items(2), nullptr);
  EXPECT_NE(lenses->Items(1), nullptr);
  EXPECT_EQ(lenses->ItemAt(lenses->Count()), nullptr);
}

TEST(ObjectModel, ObjectNumbersComeFromTheRoot) {
  Tlup6Dataobject root;
  root.Clear(false); // LOID 1
  auto *a = root.Variables().AddNew();
  auto *b = root.Variables().AddNew();
  EXPECT_EQ(a->OID(), 2);
  EXPECT_EQ(b->OID(), 3);
  EXPECT_EQ(root.LOID(), 3);
}

TEST(ObjectModel, UnnumberedObjectKeepsOidZeroAndSetOidRaisesCounter) {
  Tlup6Dataobject root;
  root.SetLOID(20);
  Tlup6DataVariable loose(&root, false, nullptr);
  EXPECT_EQ(loose.OID(), 0);
  EXPECT_EQ(root.LOID(), 20);
  loose.SetOID(500);
  EXPECT_EQ(root.LOID(), 500);
  loose.SetOID(7); // never lowers the counter
  EXPECT_EQ(root.LOID(), 500);
}

TEST(ObjectModel, RegistryHoldsExactlyTheLiveObjects) {
  Tlup6Dataobject root;
  const std::size_t base = root.RegisteredCount();
  root.Clear(true);
  auto *lens = root.Lenses().AddLens();
  auto *range = lens->Ranges().AddNew();
  EXPECT_TRUE(root.IsRegistered(lens));
  EXPECT_TRUE(root.IsRegistered(range));
  const std::size_t withLens = root.RegisteredCount();
  root.Lenses().Delete(0);
  EXPECT_FALSE(root.IsRegistered(range));
  EXPECT_LT(root.RegisteredCount(), withLens);
  root.Clear(false);
  // Only the root's own sub-objects (presets, limits) remain.
  EXPECT_EQ(root.RegisteredCount(), base);
  {
    Tlup6DataGlas loose(&root, true, nullptr);
    EXPECT_TRUE(root.IsRegistered(&loose));
  }
  EXPECT_EQ(root.RegisteredCount(), base);
}

TEST(ObjectModel, ObjectWithoutRootStaysOutOfEverything) {
  Tlup6DataGlas lens(nullptr, true, nullptr);
  EXPECT_EQ(lens.OID(), 0);
  EXPECT_EQ(lens.AddProtokoll(1, "x", 0, ""), nullptr);
  EXPECT_EQ(lens.GetProductGroupNames(true).size(), 0u);
}

TEST(ObjectModel, DisplayTextKinds) {
  Tlup6Dataobject root;
  Tlup6DataVariable v(&root, false, nullptr);
  EXPECT_EQ(v.GetDisplayText(0, "Name"), "Name: ");
  EXPECT_EQ(v.GetDisplayText(1, "Name"), "Name " + LangText(88) + ": ");
  EXPECT_EQ(v.GetDisplayText(2, "Name"), "Name " + LangText(89) + ": ");
  EXPECT_EQ(v.GetDisplayText(3, "Name"), "Name " + LangText(90) + ": ");
  EXPECT_EQ(v.GetDisplayText(0, ""), "DV: ");
}

TEST(ObjectModel, LensAndRangeDescriptions) {
  Tlup6Dataobject root;
  root.Clear(true);
  auto *lens = root.Lenses().AddLens();
  lens->SetEDV("ABC");
  lens->SetName(1, "Super");
  EXPECT_EQ(lens->GetDisplayText(0, ""), LangText(173) + " Super(ABC): ");
  auto *range = lens->Ranges().AddNew();
  EXPECT_EQ(range->GetDisplayText(0, ""), LangText(116) + ": ABC Super");
}

TEST(ObjectModel, AddProtokollDescribesTheObject) {
  Tlup6Dataobject root;
  root.Clear(true);
  int modifiedCalls = 0;
  root.OnModified = [&](Tlup6Dataobject &, int32_t v) {
    EXPECT_EQ(v, 0);
    ++modifiedCalls;
  };
  auto *v = root.Variables().AddNext();
  auto *entry = v->AddProtokoll(2, "W", 45000.5, "Anna");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->OID(), v->OID());
  // The description ends in ": ", the extra text follows after one more blank.
  EXPECT_EQ(entry->B, "DV " + LangText(89) + ":  W");
  EXPECT_EQ(entry->U, "Anna");
  EXPECT_DOUBLE_EQ(entry->D, 45000.5);
  EXPECT_EQ(root.Modified(), 1);
  EXPECT_EQ(modifiedCalls, 1);
}

TEST(ObjectModel, NextFreeIdRules) {
  Tlup6Dataobject root;
  root.Clear(false);
  auto *groups = &root.ProductGroups();
  EXPECT_EQ(groups->AddNextFree()->ID, 1);
  EXPECT_EQ(groups->AddNextFree()->ID, 2);
  EXPECT_EQ(groups->AddNextFree()->ID, 3);
  groups->Remove(groups->FindByID(2));
  EXPECT_EQ(groups->AddNextFree()->ID, 2);
  auto *vars = &root.Variables();
  EXPECT_EQ(vars->AddNext()->Id, 1);
  vars->Items(0)->Id = 7;
  EXPECT_EQ(vars->AddNext()->Id, 8);
}

TEST(ObjectModel, CodeComparisonFoldsOnlyAsciiLetters) {
  EXPECT_TRUE(SameCode("abc1", "ABC1"));
  EXPECT_FALSE(SameCode("\xE4", "\xC4")); // ä / Ä are different codes
  EXPECT_FALSE(SameCode("AB", "AB "));
}

} // namespace
} // namespace sf6
