// Saving and loading catalog objects and whole catalogs in the tagged form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/Sf6Export.h"
#include "lang/LanguageTable.h"
#include "model/Catalog.h"
#include "model/XmlStorage.h"
#include "model/XmlTable.h"
#include "text/Errors.h"

namespace sf6 {
namespace {

std::string saved(const TCustomlup6Object &object) {
  std::string out;
  XmlWriter writer(out);
  object.SaveToXml(writer);
  return out;
}

// A catalog in which every class holds values other than its defaults.
void fillCatalog(Tlup6Dataobject &root) {
  root.Clear(true);
  root.NOTE = {"first note", "Gr\xFC\xDF"
                             "e & <Dank>"};
  root.NamingPresets().SetName(2, "English");
  root.NamingPresets().SetLanguage(2, "EN");
  root.NamingPresets().SetName(3, ""); // an emptied slot stays empty

  auto *address = root.Addresses().AddNew();
  address->EDV = "ABC";
  address->Name = "Muster Gl\xE4ser";
  address->GA = 36000;
  address->PrDefCyl = false;
  address->SetBEZNR(2);
  address->Comment = std::string(9000, 'c') + "|end"; // longer than any old piece limit
  address->DeliverableLenses().Add("NOLENS");
  address->DeliverableCoatings().Add("NOCOAT");

  root.PriceDesignations().AddNextFree()->BEZ = "Bonus";

  auto *lens = root.Lenses().AddLens();
  lens->SetEDV("SV15");
  lens->SetName(1, "Einst\xE4rken");
  lens->SetShortName(2, "SV");
  lens->LA = 40000;
  lens->LB = 40100.25; // 06:00
  lens->MAT = TSf6Material::Kunststoff;
  lens->EM = TSf6LensKind::Gleitsicht;
  lens->BR = 1.5;
  lens->AS = true;
  lens->AGKG = 80;
  lens->PriceGroups().SetSphGroup(4, true);
  lens->PriceGroups().SetCylGroup(2, true);
  lens->Info().SetLine(1, 0, "line 1\r\nline 2");
  lens->Info().SetLine(9, 12, "https://example.invalid/?a=1&b=2");
  lens->Info().Images().AddNew()->SetFN("bild.png");
  lens->FormulaAssignment().FZUE = {"1x2x0", "2x3x0"};
  OrderFieldSet mute;
  mute.Include(TSf6OrderFieldType::Hsa);
  lens->OrderOptions().SetMUTE(mute);
  auto *range = lens->Ranges().AddNew();
  range->DM = {65, 70, true};
  range->SetSph(-6, 4);
  range->SetCyl(0, 2);
  range->CylWB = 100;
  range->AddS = TSf6AddStep::Step050;
  range->BEDV1 = "HC";
  range->Lag = true;
  auto *geometry = lens->Geometries().AddNew();
  geometry->Dm = {70, 0, false};
  geometry->NTT = TSf6SegmentType::Panto;
  geometry->HANP = 2.25;
  auto *price = lens->Prices().AddNew();
  price->SetGSph(4);
  price->SetGCyl(2);
  price->SetGDM({65, 70, true});
  price->SetPBID(1);
  price->PQ = 2;
  price->LocalFormula().QSph = 2;
  price->LocalFormula().QGEdv = "SV15";
  price->LocalFormula().Calc().FI1 = 3;
  price->LocalFormula().Calc().VAL1 = 1.1;
  auto *second = root.Lenses().AddLens();
  second->SetEDV("GS");

  auto *coating = root.Coatings().AddNew();
  coating->SetEDV("HC");
  coating->SetName(1, "Hart");
  coating->HA = true;
  coating->STEG = false; // a flag whose default is true
  coating->MAT.Include(TSf6Material::Silikat);
  coating->MAT.Include(TSf6Material::Polycarbonat);
  coating->AD = TSf6ThicknessChange::Dickenreduktion;
  coating->SphVon = -20;
  coating->SetSF4Code(1, "H1");
  coating->SetSF4Name(2, "Hart K");
  coating->SpecialProducts().Add("SP1");
  auto *colour = coating->Colours().AddNew();
  colour->EDV = "BR";
  colour->SetName(1, "Braun");
  colour->Top = {10, 20, 30};
  colour->Bottom = {200, 210, 220};
  colour->AbV = 85;
  auto *coatingPrice = coating->Prices().AddNew();
  coatingPrice->SetEdv("SV15");
  coatingPrice->SetPBID(2);
  coatingPrice->SetST(TSf6SphTor::Torisch);
  coatingPrice->SetPrice(12.5);
  coatingPrice->LocalFormula().QMat = -2;

  root.Combinations().AddCombination("SV15", "HC", TSf6Availability::NurLieferbar, "", "");
  auto *variable = root.Variables().AddNext();
  variable->Bez = "Faktor";
  variable->W = 1.25;
  root.PrismCylinder().PG5 = 20;
  auto *group = root.FormulaGroups().AddNew();
  group->SetID(7);
  group->KB = "VK";
  group->QPBID = 1;
  group->AZPBID = 2;
  group->SetLensFlag(3, 2, true);
  group->SetCoatingFlag(1, 4, true);
  auto *formulaRange = group->Ranges().AddNew();
  formulaRange->QPRB = 500;
  formulaRange->EL = 2;
  formulaRange->Calc().FRT = 4;
  formulaRange->Calc().VAR2 = 1;
  root.DeliveryRangeNames().AddNext()->Bez = "Sonder";
  root.Protocol().AddEntry(lens->OID(), "ge\xE4ndert", 45000.5, "Anna");
  auto *productGroup = root.ProductGroups().AddNextFree();
  productGroup->BEZ = "Premium";
  productGroup->DeliverableLenses().Add("GS");
  auto *lensSubst = root.LensCodeSubstitutions().AddNew();
  lensSubst->CA = "OLD";
  lensSubst->CN = "SV15";
  lensSubst->AKT = TSf6SubstAction::Produktvorschlag;
  auto *coatingSubst = root.CoatingCodeSubstitutions().AddNew();
  coatingSubst->CA = "HX";
  coatingSubst->CN2 = "HC";
}

TEST(XmlStorage, WholeCatalogSavesLoadsAndSavesAgainIdentically) {
  Tlup6Dataobject root;
  fillCatalog(root);
  const std::string first = SaveCatalogToXml(root);
  Tlup6Dataobject loaded;
  LoadCatalogFromXml(loaded, first);
  EXPECT_EQ(SaveCatalogToXml(loaded), first);
  EXPECT_EQ(loaded.LOID(), root.LOID());
  // And it converts to the same SF6 lines.
  Sf6ExportSettings settings;
  EXPECT_EQ(BuildSf6ExportLines(&loaded, loaded.Addresses().Items(0), "x.zip", settings),
            BuildSf6ExportLines(&root, root.Addresses().Items(0), "x.zip", settings));
}

TEST(XmlStorage, LoadedCatalogHoldsTheSavedValues) {
  Tlup6Dataobject root;
  fillCatalog(root);
  Tlup6Dataobject loaded;
  LoadCatalogFromXml(loaded, SaveCatalogToXml(root));

  EXPECT_EQ(loaded.NOTE, root.NOTE);
  EXPECT_EQ(loaded.NamingPresets().GetName(2), "English");
  EXPECT_EQ(loaded.NamingPresets().GetName(3), "");
  const auto *address = loaded.Addresses().Items(0);
  ASSERT_NE(address, nullptr);
  EXPECT_EQ(address->Comment, root.Addresses().Items(0)->Comment);
  EXPECT_EQ(address->Name, "Muster Gl\xE4ser");
  EXPECT_FALSE(address->PrDefCyl);
  EXPECT_EQ(address->BEZNR(), 2);
  EXPECT_FALSE(address->DeliverableLenses().IsDeliverable("nolens"));

  const auto *lens = loaded.Lenses().FindByCode("SV15");
  ASSERT_NE(lens, nullptr);
  EXPECT_EQ(lens->OID(), root.Lenses().FindByCode("SV15")->OID());
  EXPECT_EQ(lens->MAT, TSf6Material::Kunststoff);
  EXPECT_EQ(lens->LB, 40100.25); // with its time of day
  EXPECT_EQ(lens->Info().GetLine(1, 0), "line 1\r\nline 2");
  EXPECT_TRUE(lens->PriceGroups().IsSphGroup(4));
  EXPECT_TRUE(lens->PriceGroups().IsCylGroup(2));
  EXPECT_EQ(lens->Ranges().Items(0)->DM, (TSf6Diameter{65, 70, true}));
  const auto *price = lens->Prices().FindPrice(4, 2, 0, 1, {65, 70, true});
  ASSERT_NE(price, nullptr);
  EXPECT_EQ(price->LocalFormula().Calc().VAL1, 1.1);

  const auto *coating = loaded.Coatings().FindByCode("HC");
  ASSERT_NE(coating, nullptr);
  EXPECT_FALSE(coating->STEG);
  EXPECT_TRUE(coating->EMEG);
  EXPECT_EQ(coating->MAT, root.Coatings().FindByCode("HC")->MAT);
  EXPECT_EQ(loaded.Coatings().FindBySF4Code("h1"), coating);
  EXPECT_EQ(coating->Colours().Items(0)->Bottom, (Lup6Rgb{200, 210, 220}));
  EXPECT_EQ(coating->Prices().FindLensCoatingPrice("SV15", 2)->GetPrice(), 12.5);

  EXPECT_NE(loaded.Combinations().FindCombination("SV15", "HC", "", ""), nullptr);
  EXPECT_EQ(loaded.Variables().GetValue(1), 1.25);
  EXPECT_TRUE(loaded.FormulaGroups().FindByID(7)->GetCoatingFlag(1, 4));
  ASSERT_EQ(loaded.Protocol().Count(), 1);
  EXPECT_EQ(loaded.Protocol().Items(0)->OID(), lens->OID());
  EXPECT_EQ(loaded.Protocol().Items(0)->U, "Anna");
  EXPECT_EQ(loaded.ProductGroups().Items(0)->BEZ, "Premium");
}

TEST(XmlStorage, OutputIsAsciiApartFromControlBytes) {
  Tlup6Dataobject root;
  fillCatalog(root);
  for (const char c : SaveCatalogToXml(root))
    ASSERT_LE(static_cast<unsigned char>(c), 123);
}

TEST(XmlStorage, ObjectStartsWithEdAndOidAndWritesFlagsOnlyWhenTrue) {
  Tlup6Dataobject root;
  root.Clear(false);
  auto *variable = root.Variables().AddNext();
  variable->ED = 45000.75; // 15 March 2023, 18:00
  variable->Bez = "a<b";
  EXPECT_EQ(saved(*variable), "<DV><ED>202303151800</ED><OID>" + IntToText(variable->OID()) +
                                  "</OID><Id>1</Id><Bez>a&lt;b</Bez><W>0</W></DV>");
  auto *range = root.Lenses().AddLens()->Ranges().AddNew();
  const std::string text = saved(*range);
  EXPECT_EQ(text.find("<Lag>"), std::string::npos);
  range->Lag = true;
  EXPECT_NE(saved(*range).find("<Lag>1</Lag>"), std::string::npos);
}

TEST(XmlStorage, LoadsKeysIgnoringCaseAndSkipsUnknownElements) {
  Tlup6Dataobject root;
  LoadCatalogFromXml(root, "<?xml version=\"1.0\"?>\n"
                           "<lup6>\n"
                           "  <Unknown><GL><EDV>X</EDV></GL></Unknown>\n"
                           "  <gll>\n"
                           "    <gl><oid>40</oid><edv>SV</edv><b1>Name</b1>\n"
                           "      <Colour>ignored<deep/></Colour><MAT>3</MAT></gl>\n"
                           "    <Other/>\n"
                           "  </gll>\n"
                           "</lup6>\n");
  ASSERT_EQ(root.Lenses().Count(), 1);
  const auto *lens = root.Lenses().Items(0);
  EXPECT_EQ(lens->EDV(), "SV");
  EXPECT_EQ(lens->GetName(1), "Name");
  EXPECT_EQ(lens->OID(), 40);
  EXPECT_EQ(lens->MAT, TSf6Material::Polycarbonat);
  EXPECT_EQ(root.LOID(), 40); // the largest number read
}

TEST(XmlStorage, LoadReplacesWhatTheRootHeld) {
  Tlup6Dataobject root;
  fillCatalog(root);
  LoadCatalogFromXml(root, "<LUP6><LOID>3</LOID></LUP6>");
  EXPECT_EQ(root.Lenses().Count(), 0);
  EXPECT_EQ(root.Coatings().Count(), 0);
  EXPECT_EQ(root.PriceDesignations().Count(), 0);
  EXPECT_TRUE(root.NOTE.empty());
  EXPECT_EQ(root.LOID(), 3);
}

TEST(XmlStorage, ReportsProgressPerList) {
  Tlup6Dataobject root;
  std::vector<std::string> messages;
  root.OnProgress = [&](Tlup6Dataobject &, std::string_view text) { messages.emplace_back(text); };
  LoadCatalogFromXml(root, "<LUP6><LOID>1</LOID><GLL></GLL><BezVorg></BezVorg></LUP6>");
  EXPECT_EQ(messages, (std::vector<std::string>{LangText(101), LangText(93), LangText(101),
                                                "Laden von Bezeichnungsvorgaben", LangText(101)}));
}

TEST(XmlStorage, RejectsADocumentThatIsNoCatalog) {
  Tlup6Dataobject root;
  try {
    LoadCatalogFromXml(root, "<GLL></GLL>");
    ADD_FAILURE();
  } catch (const Sf6Error &e) {
    EXPECT_NE(std::string(e.what()).find("<GLL> where <LUP6> was expected"), std::string::npos);
  }
  EXPECT_THROW(LoadCatalogFromXml(root, "<LUP6><GLL><GL><EDV>A</EDV></GL>"), Sf6Error);
  // What was read before the fault stays.
  EXPECT_EQ(root.Lenses().Count(), 1);
}

TEST(XmlStorage, LoadsASingleObject) {
  Tlup6Dataobject root;
  root.Clear(false);
  auto *lens = root.Lenses().AddLens();
  LoadObjectFromXml(*lens, "<GL><EDV>A1</EDV><GWL><GW><SphV>-2.5</SphV></GW><GW/></GWL></GL>");
  EXPECT_EQ(lens->EDV(), "A1");
  ASSERT_EQ(lens->Ranges().Count(), 2);
  EXPECT_EQ(lens->Ranges().Items(0)->SphV, -2.5);
}

TEST(XmlStorage, OddValuesReadAsEmptyValues) {
  Tlup6Dataobject root;
  LoadCatalogFromXml(root, "<LUP6><GLL><GL><OID>x</OID><ED>2023-99</ED><LA>abc</LA><MAT>77</MAT>"
                           "<BR>1,5</BR><GWL><GW><DM>7x/yE</DM></GW></GWL></GL></GLL>"
                           "<DBL><BESCH><MAT>255</MAT></BESCH></DBL></LUP6>");
  const auto *lens = root.Lenses().Items(0);
  ASSERT_NE(lens, nullptr);
  EXPECT_EQ(lens->OID(), 0);
  EXPECT_EQ(lens->ED, 0);
  EXPECT_EQ(lens->LA, 0);
  EXPECT_EQ(lens->MAT, EnumDefault<TSf6Material>());
  EXPECT_EQ(lens->BR, 1.5);
  EXPECT_EQ(lens->Ranges().Items(0)->DM, (TSf6Diameter{0, 0, true}));
  EXPECT_EQ(root.Coatings().Items(0)->MAT.bits, 0x1F); // only material bits
}

TEST(XmlStorage, FormulaGroupWithoutIdLoadsUnderTheNextFreeIdAndSavesStably) {
  Tlup6Dataobject root;
  LoadCatalogFromXml(root, "<LUP6><DFLG><DFGG><ID>4</ID></DFGG><DFGG><KB>x</KB></DFGG>"
                           "<DFGG><ID>0</ID></DFGG></DFLG></LUP6>");
  ASSERT_EQ(root.FormulaGroups().Count(), 3);
  EXPECT_EQ(root.FormulaGroups().Items(1)->ID(), 5);
  EXPECT_EQ(root.FormulaGroups().Items(2)->ID(), 6);
  const std::string first = SaveCatalogToXml(root);
  Tlup6Dataobject again;
  LoadCatalogFromXml(again, first);
  EXPECT_EQ(SaveCatalogToXml(again), first);
}

TEST(XmlStorage, LoidStaysAboveTheNumbersOfOwnedObjectsTheDocumentLeftOut) {
  // The lens's price groups, information, assignment and order options are
  // left out: they keep the numbers drawn when the lens was created.
  Tlup6Dataobject root;
  LoadCatalogFromXml(root, "<LUP6><GLL><GL><OID>1</OID><EDV>A</EDV></GL></GLL></LUP6>");
  const auto *lens = root.Lenses().Items(0);
  ASSERT_NE(lens, nullptr);
  for (const TCustomlup6Object *owned :
       {static_cast<const TCustomlup6Object *>(&lens->PriceGroups()),
        static_cast<const TCustomlup6Object *>(&lens->Info()),
        static_cast<const TCustomlup6Object *>(&lens->OrderOptions())})
    EXPECT_GE(root.LOID(), owned->OID());
  const std::string first = SaveCatalogToXml(root);
  Tlup6Dataobject again;
  LoadCatalogFromXml(again, first);
  EXPECT_EQ(SaveCatalogToXml(again), first);
}

TEST(XmlStorage, KeysOfEveryClassAreDistinctIgnoringCase) {
  for (const auto &[className, keys] : xml::registry().keyLists) {
    std::vector<std::string> folded{"ED", "OID"};
    for (const std::string &key : keys) {
      const std::string f = FoldCode(key);
      EXPECT_EQ(std::find(folded.begin(), folded.end(), f), folded.end())
          << className << ": " << key;
      folded.push_back(f);
    }
  }
}

} // namespace
} // namespace sf6
