// The catalog root, addresses, price designations and information texts.
#include <gtest/gtest.h>

#include "lang/LanguageTable.h"
#include "model/Catalog.h"

namespace sf6 {
namespace {

TEST(RootModel, ClearWithDefaultsBuildsTheDefaultCatalog) {
  Tlup6Dataobject root;
  root.Clear(true);
  EXPECT_EQ(root.LOID() > 1, true); // the defaults took object numbers
  auto *pb = &root.PriceDesignations();
  ASSERT_EQ(pb->Count(), 2);
  EXPECT_EQ(pb->Items(0)->ID, 1);
  EXPECT_EQ(pb->Items(0)->PFT, TSf6PriceType::ListenEk);
  EXPECT_EQ(pb->Items(0)->BEZ, EnumText(TSf6PriceType::ListenEk));
  EXPECT_EQ(pb->Items(0)->BE, LangText(112));
  EXPECT_EQ(pb->Items(1)->ID, 2);
  EXPECT_EQ(pb->Items(1)->BEZ, "empf. VK");
  EXPECT_EQ(pb->Items(1)->WNK, "ct");
  EXPECT_EQ(pb->Items(1)->WVK, "EUR");
  ASSERT_EQ(root.DeliveryRangeNames().Count(), 1);
  EXPECT_EQ(root.DeliveryRangeNames().Items(0)->ID, 0);
  EXPECT_EQ(root.DeliveryRangeNames().Items(0)->Bez, LangText(146));
  EXPECT_EQ(root.Coatings().Count(), 9);
  EXPECT_EQ(root.Lenses().Count(), 0);
  EXPECT_EQ(root.Combinations().Count(), 0);
  EXPECT_EQ(root.Addresses().Count(), 0);
  EXPECT_EQ(root.Variables().Count(), 0);
  EXPECT_EQ(root.FormulaGroups().Count(), 0);
  EXPECT_EQ(root.Protocol().Count(), 0);
  EXPECT_EQ(root.ProductGroups().Count(), 0);
  EXPECT_EQ(root.NamingPresets().GetName(1), "Bezeichnung 1");
  EXPECT_EQ(root.PrismCylinder().PG2, 6);
}

TEST(RootModel, ClearWithoutDefaultsLeavesEverythingEmptyAndLoidOne) {
  Tlup6Dataobject root;
  root.Clear(true);
  root.Lenses().AddLens();
  root.NOTE.push_back("note");
  root.Clear(false);
  EXPECT_EQ(root.LOID(), 1);
  EXPECT_EQ(root.PriceDesignations().Count(), 0);
  EXPECT_EQ(root.Coatings().Count(), 0);
  EXPECT_EQ(root.DeliveryRangeNames().Count(), 0);
  EXPECT_EQ(root.Lenses().Count(), 0);
  EXPECT_TRUE(root.NOTE.empty());
}

TEST(RootModel, NewRootHasEmptyNamingPresets) {
  Tlup6Dataobject root;
  EXPECT_EQ(root.NamingPresets().GetName(1), "");
  EXPECT_EQ(root.PrismCylinder().ZG2, 8); // limits set by their constructor
}

TEST(RootModel, ProgressAndModifiedCallbacks) {
  Tlup6Dataobject root;
  root.DoProgress("nobody listens"); // unset callback: nothing happens
  std::string seen;
  root.OnProgress = [&](Tlup6Dataobject &, std::string_view t) { seen = t; };
  root.DoProgress("Fertig");
  EXPECT_EQ(seen, "Fertig");
  int calls = 0;
  root.OnModified = [&](Tlup6Dataobject &, int32_t v) { calls += v == 0 ? 1 : 100; };
  root.SetModified(1);
  EXPECT_EQ(root.Modified(), 1);
  EXPECT_EQ(calls, 1);
}

TEST(RootModel, PriceDesignationGetsSmallestFreeIdAgain) {
  Tlup6Dataobject root;
  root.Clear(true);
  auto *pb = &root.PriceDesignations();
  pb->Remove(pb->FindByID(1));
  EXPECT_EQ(pb->AddNextFree()->ID, 1);
  EXPECT_EQ(pb->AddNextFree()->ID, 3);
}

TEST(RootModel, RemovingPriceDesignationDeletesItsPrices) {
  Tlup6Dataobject root;
  root.Clear(true);
  auto *lens = root.Lenses().AddLens();
  for (int pbid : {1, 2, 1})
    lens->Prices().AddNew()->SetPBID(pbid);
  auto *coating = root.Coatings().Items(0);
  coating->Prices().AddNew()->SetPBID(1);
  coating->Prices().AddNew()->SetPBID(2);
  root.PriceDesignations().Remove(root.PriceDesignations().FindByID(1));
  EXPECT_EQ(root.PriceDesignations().Count(), 1);
  ASSERT_EQ(lens->Prices().Count(), 1);
  EXPECT_EQ(lens->Prices().Items(0)->PBID(), 2);
  ASSERT_EQ(coating->Prices().Count(), 1);
  EXPECT_EQ(coating->Prices().Items(0)->PBID(), 2);
  // A designation of another list is not touched.
  Tlup6DataPreisbezeichnung stranger(&root, false, nullptr);
  stranger.ID = 2;
  root.PriceDesignations().Remove(&stranger);
  EXPECT_EQ(lens->Prices().Count(), 1);
}

TEST(RootModel, AddressDefaultsFollowExistingDesignations) {
  Tlup6Dataobject root;
  root.Clear(true);
  auto *a = root.Addresses().AddNew();
  EXPECT_EQ(a->PrBezId1, 1);
  EXPECT_EQ(a->PrBezId2, 2);
  EXPECT_TRUE(a->PrDefCyl);
  root.PriceDesignations().Remove(root.PriceDesignations().FindByID(2));
  a->Clear(false);
  EXPECT_EQ(a->PrBezId1, 1);
  EXPECT_EQ(a->PrBezId2, 0);
}

TEST(RootModel, AddressBeznrClampsAndGivesLanguage) {
  Tlup6Dataobject root;
  root.Clear(true);
  auto *a = root.Addresses().AddNew();
  a->SetBEZNR(0);
  EXPECT_EQ(a->BEZNR(), 1);
  a->SetBEZNR(7);
  EXPECT_EQ(a->BEZNR(), 3);
  root.NamingPresets().SetLanguage(3, "FR");
  EXPECT_EQ(a->GetLanguage(), "FR");
  Tlup6DataAdresse loose(nullptr, false, nullptr);
  EXPECT_EQ(loose.GetLanguage(), "");
}

TEST(RootModel, AddressFormattedCode) {
  Tlup6DataAdresse a(nullptr, false, nullptr);
  a.EDV = "AB";
  EXPECT_EQ(a.GetFormattedCode("-", false), "AB");
  EXPECT_EQ(a.GetFormattedCode("-", true), "AB    ");
  a.EDV = "ABCD";
  a.EDV2 = "X";
  EXPECT_EQ(a.GetFormattedCode("-", false), "ABCD-X");
  EXPECT_EQ(a.GetFormattedCode("-", true), "ABCX  ");
}

TEST(RootModel, InfoLinesOutsideTheSlotsAreEmpty) {
  Tlup6DataInfo info(nullptr, false, nullptr);
  info.SetLine(1, 0, "Text");
  info.SetLine(9, 12, "Last");
  info.SetLine(10, 0, "ignored");
  info.SetLine(1, 13, "ignored");
  EXPECT_EQ(info.GetLine(1, 0), "Text");
  EXPECT_EQ(info.GetLine(9, 12), "Last");
  EXPECT_EQ(info.GetLine(0, 0), "");
  EXPECT_EQ(info.GetLine(10, 0), "");
  info.Images().AddNew();
  info.Clear(false);
  EXPECT_EQ(info.GetLine(1, 0), "");
  EXPECT_EQ(info.Images().Count(), 0);
}

} // namespace
} // namespace sf6
