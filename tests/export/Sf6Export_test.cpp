// The export of models built in code: what SF4 input cannot express
// (product groups, order options, information texts, code substitutions,
// formulas, names in other slots) and the rules of the walk.

#include "ExportTestSupport.h"

#include "export/Sf6Export.h"
#include "model/Catalog.h"
#include "sf6/Sf6Procs.h"
#include "text/Collation.h"
#include "text/Errors.h"
#include "text/SortedLineList.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

using test::entry;
using test::ExportTempDir;
using E = Sf6ExportEntry;

// A default catalog (two price designations, the special coatings, the
// standard delivery range) with one address.
struct Catalog {
  Tlup6Dataobject root;
  Tlup6DataAdresse *address = nullptr;

  Catalog() {
    root.Clear(true);
    address = root.Addresses().AddNew();
    address->EDV = "ABC";
    address->LAND = "DE";
  }

  Tlup6DataGlas &addLens(std::string_view code, std::string_view name) {
    Tlup6DataGlas &lens = *root.Lenses().AddLens();
    lens.SetEDV(code);
    lens.SetName(1, name);
    return lens;
  }

  Tlup6DataBeschichtung &addCoating(std::string_view code, std::string_view name) {
    Tlup6DataBeschichtung &coating = *root.Coatings().AddNew();
    coating.SetEDV(code);
    coating.SetName(1, name);
    return coating;
  }

  Sf6ExportLines run(Sf6ExportSettings settings = {}) const {
    return BuildSf6ExportLines(&root, address, "ABC.zip", settings);
  }
};

// Lines of one entry whose code (columns 1-6, or 2-7 for files that start
// with the product type) is code.
LineList linesOf(const LineList &lines, std::string_view code, int firstColumn = 1) {
  LineList result;
  for (const std::string &line : lines)
    if (RightTrim(Columns(line, firstColumn, 6)) == code)
      result.push_back(line);
  return result;
}

TEST(Sf6Export, NullRootOrAddressGivesThirteenEmptyEntries) {
  Catalog catalog;
  catalog.addLens("L1", "Glas");
  for (const Sf6ExportLines &lines : {BuildSf6ExportLines(nullptr, catalog.address, "x.zip", {}),
                                      BuildSf6ExportLines(&catalog.root, nullptr, "x.zip", {})})
    for (const LineList &list : lines)
      EXPECT_TRUE(list.empty());

  ExportTempDir dir;
  WriteSf6Archive(&catalog.root, dir.path() / "empty.zip", nullptr, {});
  const std::vector<std::string> names = test::storedEntryNames(dir.path() / "empty.zip");
  EXPECT_EQ(names,
            std::vector<std::string>(kSf6ExportEntryNames.begin(), kSf6ExportEntryNames.end()));
  for (const LineList &list : test::readExportEntries(dir.path() / "empty.zip"))
    EXPECT_TRUE(list.empty());
}

TEST(Sf6Export, HeadTakesAddressLimitsAndPriceDesignations) {
  Catalog catalog;
  Tlup6DataAdresse &a = *catalog.address;
  a.EDV2 = "X1";
  a.Name = "Muster Gl\xE4ser";
  a.Name1 = "nicht im Kopf";
  a.Comment = "Kommentar";
  a.Plz = "12345";
  a.PrDefCyl = false;
  a.WVK = "EUR";
  a.WNK = "ct";
  ASSERT_TRUE(TryEncodeDate(2024, 2, 29, a.GA));
  catalog.root.NamingPresets().SetLanguage(1, "FR");
  catalog.root.PrismCylinder().ZB = 7;
  catalog.root.PrismCylinder().PG5 = -2;
  Tlup6DataPreisbezeichnung &other = *catalog.root.PriceDesignations().AddNextFree();
  other.PFT = TSf6PriceType::SonstigesEk;
  other.BEZ = "Sonderpreis";

  Sf6ExportSettings settings;
  settings.priceFieldNumbers = {2, 3, 0, 9, 1};
  settings.softwareId = "tool-1";
  const LineList head = catalog.run(settings)[0];

  ASSERT_EQ(head.size(), 45u);
  EXPECT_EQ(head.front(), PadRight("characterset", 30) + "1");
  EXPECT_EQ(head.back(), PadRight("zip-code", 30) + "12345");
  const auto has = [&](std::string_view key, std::string_view value) {
    const std::string line = PadRight(key, 30) + std::string(value);
    return std::find(head.begin(), head.end(), line) != head.end();
  };
  EXPECT_TRUE(has("version", "6.8.1"));
  EXPECT_TRUE(has("Software-id", "tool-1"));
  EXPECT_TRUE(has("uid-manufacturer", "ABC.zip"));
  EXPECT_TRUE(has("uid-postedit", ""));
  EXPECT_TRUE(has("manufacturer-subcode", "X1"));
  EXPECT_TRUE(has("manufacturer-name", "Muster Gl\xE4ser"));
  EXPECT_TRUE(has("comment", "Kommentar"));
  EXPECT_TRUE(has("Valid-from", "20240229"));
  EXPECT_TRUE(has("Valid-until", ""));
  EXPECT_TRUE(has("language", "FR"));
  EXPECT_TRUE(has("pricedefinition-cylinder", "-"));
  EXPECT_TRUE(has("cylindergroup-base", "7"));
  EXPECT_TRUE(has("prismgroup-5", "-2"));
  EXPECT_TRUE(has("currencydescription", "EUR"));
  EXPECT_TRUE(has("currencydescription-decimals", "ct"));
  // Column k: the type of designation priceFieldNumbers[k]; 0 for an unused
  // column or an unknown ID; the name only for the two "other" types.
  EXPECT_TRUE(has("pricefield-01", "20"));
  EXPECT_TRUE(has("pricefield-02", "90"));
  EXPECT_TRUE(has("pricefield-03", "00"));
  EXPECT_TRUE(has("pricefield-04", "00"));
  EXPECT_TRUE(has("pricefield-05", "10"));
  EXPECT_TRUE(has("pricefield-description-01", ""));
  EXPECT_TRUE(has("pricefield-description-02", "Sonderpreis"));
  EXPECT_TRUE(has("pricefield-description-05", ""));
  for (const std::string &line : head)
    EXPECT_EQ(line.find("nicht im Kopf"), std::string::npos);
  EXPECT_TRUE(
      std::is_sorted(head.begin(), head.end(), [](const std::string &x, const std::string &y) {
        return CompareNoCase1252(x, y) < 0;
      }));
}

TEST(Sf6Export, LensesAndCoatingsNotDeliverableForTheAddressAreLeftOut) {
  Catalog catalog;
  catalog.addLens("KEEP", "Glas");
  catalog.addLens("DROP", "Glas");
  catalog.addCoating("HC", "Hart");
  catalog.addCoating("AR", "Entspiegelung")
      .Prices()
      .FindCoatingPrice(TSf6SphTor::Egal, TSf6SingleMulti::Egal, true, "", 1,
                        TSf6Material::Silikat);
  catalog.address->DeliverableLenses().Add("drop");
  catalog.address->DeliverableCoatings().Add("AR");
  const Sf6ExportLines lines = catalog.run();

  ASSERT_EQ(entry(lines, E::LensType).size(), 1u);
  EXPECT_EQ(entry(lines, E::LensType)[0].substr(0, 6), "KEEP  ");
  EXPECT_EQ(entry(lines, E::LensGeo).size(), 0u);
  EXPECT_EQ(linesOf(entry(lines, E::Options), "HC").size(), 1u);
  EXPECT_TRUE(linesOf(entry(lines, E::Options), "AR").empty());
  EXPECT_TRUE(linesOf(entry(lines, E::OptionsPrice), "AR").empty());
}

TEST(Sf6Export, NamesFallBackToTheNextLowerFilledSlot) {
  Catalog catalog;
  Tlup6DataGlas &lens = catalog.addLens("L1", "Name eins");
  lens.SetName(3, "Name drei");
  lens.SetShortName(1, "kurz eins");
  Tlup6DataBeschichtung &coating = catalog.addCoating("HC", "Hart eins");
  coating.SetName(2, "Hart zwei");
  Tlup6DataFarbe &colour = *coating.Colours().AddNew();
  colour.EDV = "G1";
  colour.SetName(1, "Grau");

  const struct {
    int languageIndex;
    const char *lensName, *lensShort, *coatingName;
  } cases[] = {{1, "Name eins", "kurz eins", "Hart eins"},
               {2, "Name eins", "kurz eins", "Hart zwei"},
               {3, "Name drei", "kurz eins", "Hart zwei"},
               {10, "Name drei", "kurz eins", "Hart zwei"}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.languageIndex);
    Sf6ExportSettings settings;
    settings.languageIndex = c.languageIndex;
    const Sf6ExportLines lines = catalog.run(settings);
    const TSf6DataLensType type = ParseLensTypeLine(entry(lines, E::LensType).at(0));
    EXPECT_EQ(type.Name, c.lensName);
    EXPECT_EQ(RightTrim(type.ShortDescription), c.lensShort);
    const LineList options = linesOf(entry(lines, E::Options), "HC");
    ASSERT_EQ(options.size(), 1u);
    EXPECT_EQ(ParseOptionsLine(options[0]).Name, c.coatingName);
    EXPECT_EQ(ParseOptionsColorLine(entry(lines, E::OptionsColor).at(0)).Name, "Grau");
  }
}

TEST(Sf6Export, LensFieldsReachTheirColumns) {
  Catalog catalog;
  Tlup6DataGlas &lens = catalog.addLens("L1", "Glas");
  lens.EM = TSf6LensKind::Gleitsicht;
  lens.MAT = TSf6Material::Kunststoff;
  lens.BR = 1.6;
  lens.AGKG = 80;
  lens.STV = TSf6RoadUse::NichtNachtfahrtauglich;
  lens.KMDM = 55;
  Tlup6DataGlasWirkung &range = *lens.Ranges().AddNew();
  range.DM = {70, 75, true};
  range.SetSph(-8, 6);
  range.SetCyl(4, 0);
  range.BEDV2 = "HC";
  range.LZ = 5;
  range.LBI = 0;
  Tlup6DataGlasGeometrie &geometry = *lens.Geometries().AddNew();
  geometry.Dm = {65, 0, false};
  geometry.DM1H = 30;
  geometry.WSV = -2;
  geometry.WSB = 3;
  geometry.BLR = TSf6ViewDirection::Hauptblickrichtung;
  const Sf6ExportLines lines = catalog.run();

  const TSf6DataLensType t = ParseLensTypeLine(entry(lines, E::LensType).at(0));
  EXPECT_EQ(t.LensKind, TSf6LensKind::Gleitsicht);
  EXPECT_EQ(t.Material, TSf6Material::Kunststoff);
  EXPECT_DOUBLE_EQ(t.RefractiveIndex, 1.6);
  EXPECT_EQ(t.BalanceConditionLens, 80);
  EXPECT_EQ(t.RoadUse, TSf6RoadUse::NichtNachtfahrtauglich);
  EXPECT_EQ(t.MinDiameter, 55);
  const TSf6DataLensRange r = ParseLensRangeLine(entry(lines, E::LensRange).at(0));
  EXPECT_EQ(r.Code, "L1");
  EXPECT_EQ(r.Diameter, (TSf6Diameter{70, 75, true}));
  EXPECT_DOUBLE_EQ(r.SphFrom, -8);
  EXPECT_DOUBLE_EQ(r.CylTo, 4);
  EXPECT_EQ(r.Coating2, "HC");
  EXPECT_EQ(r.DeliveryTime, 5);
  const TSf6DataLensGeo g = ParseLensGeoLine(entry(lines, E::LensGeo).at(0));
  EXPECT_EQ(g.DiameterMode, 0);
  EXPECT_EQ(g.Diameter, (TSf6Diameter{65, 0, false}));
  EXPECT_DOUBLE_EQ(g.SemiAxisVertical, 30);
  EXPECT_FALSE(g.NoPowerRange);
  EXPECT_DOUBLE_EQ(g.PowerFrom, -2);
  EXPECT_DOUBLE_EQ(g.PowerTo, 3);
  EXPECT_EQ(g.ViewDirection, TSf6ViewDirection::Hauptblickrichtung);
}

// A lens with one power range (diameter 70, sphere -8..+6, cylinder 0..4,
// delivery range 0) and the price groups sphere 4 and 8, cylinder 2.
struct PricedLens {
  Catalog catalog;
  Tlup6DataGlas &lens = catalog.addLens("L1", "Glas");
  TSf6Diameter dm{70, 0, false};

  PricedLens() {
    Tlup6DataGlasWirkung &range = *lens.Ranges().AddNew();
    range.DM = dm;
    range.SetSph(-8, 6);
    range.SetCyl(0, 4);
    lens.PriceGroups().SetSphGroup(4, true);
    lens.PriceGroups().SetSphGroup(8, true);
    lens.PriceGroups().SetCylGroup(2, true);
  }
  Tlup6DataGlasPreis &price(int sph, int cyl, int32_t pbid, double value) {
    Tlup6DataGlasPreis *p = lens.Prices().FindPrice(sph, cyl, true, 0, pbid, dm);
    p->SetPrice(value);
    return *p;
  }
};

TEST(Sf6Export, LensPricesCarryTheFiveColumnsAndComputedPrices) {
  PricedLens t;
  t.price(4, 2, 1, 100);
  // The retail price comes from a local formula: the purchase price times 1.19.
  Tlup6DataGlasPreis &retail = *t.lens.Prices().FindPrice(4, 2, true, 0, 2, t.dm);
  retail.PQ = 2;
  retail.LocalFormula().QPBID = 1;
  retail.LocalFormula().Calc().FI1 = 5;
  retail.LocalFormula().Calc().VAL1 = 1.19;

  Sf6ExportSettings settings;
  settings.priceFieldNumbers = {1, 0, 2, 0, 0};
  const LineList prices = entry(t.catalog.run(settings), E::LensPrice);
  ASSERT_EQ(prices.size(), 1u);
  const TSf6DataLensPrice p = ParseLensPriceLine(prices[0]);
  EXPECT_EQ(p.Code, "L1");
  EXPECT_EQ(p.Diameter, t.dm);
  EXPECT_EQ(p.SphGroup, 4);
  EXPECT_EQ(p.CylGroup, 2);
  EXPECT_EQ(p.RangeIndex, 0);
  EXPECT_DOUBLE_EQ(p.Price1, 100);
  EXPECT_DOUBLE_EQ(p.Price3, 119);
  // Column 2 is unused: blank, so the line ends after price 3.
  EXPECT_EQ(Columns(prices[0], 25, 7), "       ");
  EXPECT_EQ(prices[0].size(), 38u);
}

TEST(Sf6Export, LensPricesNeedFlagsRangesAndAReachedGroup) {
  {
    PricedLens t; // cylinder group 11: no LensPrice.Dat column holds it
    t.lens.PriceGroups().SetCylGroup(11, true);
    t.price(4, 11, 1, 50);
    EXPECT_TRUE(entry(t.catalog.run(), E::LensPrice).empty());
  }
  {
    PricedLens t; // sphere group 20 from 8.25: outside -8..+6
    t.lens.PriceGroups().SetSphGroup(20, true);
    t.price(20, 2, 1, 50);
    t.price(8, 2, 1, 40);
    const LineList prices = entry(t.catalog.run(), E::LensPrice);
    ASSERT_EQ(prices.size(), 1u);
    EXPECT_EQ(ParseLensPriceLine(prices[0]).SphGroup, 8);
  }
  {
    PricedLens t; // the price's delivery range has no power range
    t.catalog.root.DeliveryRangeNames().AddNext();
    t.lens.Prices().FindPrice(4, 2, true, 1, 1, t.dm)->SetPrice(10);
    EXPECT_TRUE(entry(t.catalog.run(), E::LensPrice).empty());
  }
  {
    PricedLens t; // of two prices with one key the later one counts, as for a lookup
    for (double value : {30.0, 31.0}) {
      Tlup6DataGlasPreis &p = *t.lens.Prices().AddNew();
      p.SetGSph(4);
      p.SetGCyl(2);
      p.SetGDM(t.dm);
      p.SetPBID(1);
      p.SetPrice(value);
    }
    t.price(8, 2, t.catalog.root.PriceDesignations().AddNextFree()->ID, 99); // in no column
    const LineList prices = entry(t.catalog.run(), E::LensPrice);
    ASSERT_EQ(prices.size(), 1u);
    EXPECT_DOUBLE_EQ(ParseLensPriceLine(prices[0]).Price1, 31);
  }
  {
    PricedLens t; // a lens without power ranges has no diameters
    t.price(4, 2, 1, 50);
    t.lens.Ranges().ClearList(false);
    EXPECT_TRUE(entry(t.catalog.run(), E::LensPrice).empty());
  }
}

// Coating prices for (ST, EM) egal and materials 1-4, designations 1 and 2.
void setCoatingPrices(Tlup6DataBeschichtung &coating, TSf6SphTor st, TSf6SingleMulti em,
                      std::array<double, 4> purchase, std::array<double, 4> retail) {
  for (int m = 0; m < 4; ++m) {
    const auto mat = static_cast<TSf6Material>(m + 1);
    if (purchase[static_cast<std::size_t>(m)] != 0)
      coating.Prices()
          .FindCoatingPrice(st, em, true, "", 1, mat)
          ->SetPrice(purchase[static_cast<std::size_t>(m)]);
    if (retail[static_cast<std::size_t>(m)] != 0)
      coating.Prices()
          .FindCoatingPrice(st, em, true, "", 2, mat)
          ->SetPrice(retail[static_cast<std::size_t>(m)]);
  }
}

std::string materials(const TSf6MaterialSet &set) {
  std::string text;
  for (int m = 1; m <= 4; ++m)
    text += set.Contains(static_cast<TSf6Material>(m)) ? '1' : '0';
  return text;
}

TEST(Sf6Export, OptionsPriceGroupsMaterialsByTheirWrittenPrices) {
  const struct {
    const char *name;
    std::array<double, 4> purchase, retail;
    std::vector<std::string> expected; // materials price1 price2, sorted by the line
  } cases[] = {
      {"all equal", {12.4, 12.4, 12.4, 12.4}, {20, 20, 20, 20}, {"1111 12.4 20"}},
      {"two priced", {12.4, 12.4, 0, 0}, {20, 20, 0, 0}, {"0011 0 0", "1100 12.4 20"}},
      {"12.40 and 12.30",
       {12.4, 12.3, 12.4, 12.4},
       {20, 20, 20, 20},
       {"0100 12.3 20", "1011 12.4 20"}},
      {"second price differs", {5, 5, 5, 5}, {9, 9, 9.5, 9}, {"0010 5 9.5", "1101 5 9"}},
      // Prices equal after rounding to cents share a line.
      {"same cents", {7.001, 7.004, 7, 7}, {1, 1, 1, 1}, {"1111 7 1"}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    Catalog catalog;
    Tlup6DataBeschichtung &coating = catalog.addCoating("HC", "Hart");
    setCoatingPrices(coating, TSf6SphTor::Egal, TSf6SingleMulti::Egal, c.purchase, c.retail);
    std::vector<std::string> got;
    for (const std::string &line : linesOf(entry(catalog.run(), E::OptionsPrice), "HC")) {
      const TSf6DataoptionsPrice p = ParseOptionsPriceLine(line);
      EXPECT_EQ(p.SphTor, TSf6SphTor::Egal);
      EXPECT_EQ(p.SingleMulti, TSf6SingleMulti::Egal);
      EXPECT_EQ(p.LensCode, "");
      got.push_back(materials(p.Materials) + " " + FloatToDotText(p.Price1) + " " +
                    FloatToDotText(p.Price2));
    }
    EXPECT_EQ(got, c.expected);
  }
}

TEST(Sf6Export, OptionsPriceWritesEachSphTorAndSingleMultiValueOfASplitCoating) {
  Catalog catalog;
  Tlup6DataBeschichtung &coating = catalog.addCoating("PR", "Prisma");
  coating.SetSTEG(false);
  coating.SetEMEG(true);
  setCoatingPrices(coating, TSf6SphTor::Torisch, TSf6SingleMulti::Egal, {3, 3, 3, 3}, {6, 6, 6, 6});
  const LineList lines = linesOf(entry(catalog.run(), E::OptionsPrice), "PR");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(ParseOptionsPriceLine(lines[0]).SphTor, TSf6SphTor::Sphaerisch);
  EXPECT_DOUBLE_EQ(ParseOptionsPriceLine(lines[0]).Price1, 0);
  EXPECT_EQ(ParseOptionsPriceLine(lines[1]).SphTor, TSf6SphTor::Torisch);
  EXPECT_DOUBLE_EQ(ParseOptionsPriceLine(lines[1]).Price1, 3);
  EXPECT_EQ(materials(ParseOptionsPriceLine(lines[1]).Materials), "1111");
}

TEST(Sf6Export, SpecialCoatingsWritePricesButNoOptionsOrColours) {
  Catalog catalog;
  Tlup6DataBeschichtung &z1 = *catalog.root.Coatings().FindByCode("Z1");
  z1.Colours().AddNew()->EDV = "C1";
  setCoatingPrices(z1, TSf6SphTor::Egal, TSf6SingleMulti::Egal, {8, 8, 8, 8}, {16, 16, 16, 16});
  const Sf6ExportLines lines = catalog.run();
  EXPECT_TRUE(entry(lines, E::Options).empty());
  EXPECT_TRUE(entry(lines, E::OptionsColor).empty());
  // One line for each of the nine special coatings.
  EXPECT_EQ(entry(lines, E::OptionsPrice).size(), 9u);
  EXPECT_DOUBLE_EQ(ParseOptionsPriceLine(linesOf(entry(lines, E::OptionsPrice), "Z1").at(0)).Price2,
                   16);
}

TEST(Sf6Export, InformationTextsAreSplitIntoNumberedLines) {
  Catalog catalog;
  Tlup6DataGlas &lens = catalog.addLens("L1", "Glas");
  lens.Info().SetLine(1, static_cast<int>(TSf6InfoType::Tec),
                      "Zeile eins\r\nZeile zwei\nZeile drei\r\n");
  lens.Info().SetLine(1, static_cast<int>(TSf6InfoType::Umpg), "http://beispiel/mpg");
  lens.Info().SetLine(2, static_cast<int>(TSf6InfoType::Mtg), "andere Sprache");
  catalog.addCoating("HC", "Hart")
      .Info()
      .SetLine(1, static_cast<int>(TSf6InfoType::Bsi), "Hinweis");

  const LineList info = entry(catalog.run(), E::Information);
  const LineList expected = {
      BuildInformationLine(false, "L1", 2, 1, "Zeile eins"),
      BuildInformationLine(false, "L1", 2, 2, "Zeile zwei"),
      BuildInformationLine(false, "L1", 2, 3, "Zeile drei"),
      BuildInformationLine(false, "L1", 49, 1, "http://beispiel/mpg"),
      BuildInformationLine(true, "HC", 5, 1, "Hinweis"),
  };
  EXPECT_EQ(info, expected);
  const TSf6DataInformation first = ParseInformationLine(info[0]);
  EXPECT_EQ(first.ProductType, 0);
  EXPECT_EQ(first.InfoType, TSf6InfoType::Tec);
  EXPECT_EQ(first.LineNumber, 1);
}

TEST(Sf6Export, OrderOptionsCarryTheirSetsPriority) {
  Catalog catalog;
  OrderFieldSet mandatory, canGive, mustGive;
  mandatory.Include(TSf6OrderFieldType::Hsa);
  canGive.Include(TSf6OrderFieldType::NormalPd);
  canGive.Include(TSf6OrderFieldType::Additionsmessverfahren);
  mustGive.Include(TSf6OrderFieldType::VornameKunde);
  Tlup6DataOrderOptions &options = catalog.addLens("L1", "Glas").OrderOptions();
  options.SetMUTE(mandatory);
  options.SetKADU(canGive);
  options.SetMUDU(mustGive);
  catalog.addCoating("HC", "Hart").OrderOptions().SetMUDU(mandatory);

  const LineList lines = entry(catalog.run(), E::OrderOptions);
  const LineList expected = {
      BuildOrderOptionsLine(false, "L1", TSf6OrderFieldType::Hsa, 1),
      BuildOrderOptionsLine(false, "L1", TSf6OrderFieldType::NormalPd, 5),
      BuildOrderOptionsLine(false, "L1", TSf6OrderFieldType::VornameKunde, 6),
      BuildOrderOptionsLine(false, "L1", TSf6OrderFieldType::Additionsmessverfahren, 5),
      BuildOrderOptionsLine(true, "HC", TSf6OrderFieldType::Hsa, 6),
  };
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(lines[0], "0L1    00101");
}

TEST(Sf6Export, ProductGroupLinesOnlyForProductsLimitedToSomeGroups) {
  Catalog catalog;
  catalog.addLens("ALL", "in allen");
  catalog.addLens("SOME", "in einer");
  catalog.addCoating("HC", "Hart");
  // Without product groups nothing is written.
  EXPECT_TRUE(entry(catalog.run(), E::ProductGroup).empty());

  Tlup6DataProduktgruppe &a = *catalog.root.ProductGroups().AddNextFree();
  a.BEZ = "Gruppe A";
  Tlup6DataProduktgruppe &b = *catalog.root.ProductGroups().AddNextFree();
  b.BEZ = "Gruppe B";
  b.DeliverableLenses().Add("SOME");
  a.DeliverableCoatings().Add("HC");
  b.DeliverableCoatings().Add("HC");
  // HC is deliverable in no group: no line either way round.
  EXPECT_EQ(entry(catalog.run(), E::ProductGroup), LineList{"0SOME  Gruppe A"});
}

TEST(Sf6Export, CodeSubstitutionsOfLensesAndCoatings) {
  Catalog catalog;
  Tlup6DataCodeSubstGlas &lens = *catalog.root.LensCodeSubstitutions().AddNew();
  lens.CA = "ALT1";
  lens.CN = "NEU1";
  Tlup6DataCodeSubstBesch &coating = *catalog.root.CoatingCodeSubstitutions().AddNew();
  coating.CA = "HCALT";
  coating.AKT = TSf6SubstAction::Produktvorschlag;
  coating.CN1 = "HC";
  coating.CN3 = "HCPLUS7"; // cut to 6
  const LineList lines = entry(catalog.run(), E::CodeSubstitution);
  EXPECT_EQ(lines, (LineList{"0ALT1  1NEU1              ", "1HCALT 2HC          HCPLUS"}));
  const TSf6DataCodeSubst parsed = ParseCodeSubstitutionLine(lines[1]);
  EXPECT_EQ(parsed.Action, TSf6SubstAction::Produktvorschlag);
  EXPECT_EQ(parsed.NewCode3, "HCPLUS");
}

TEST(Sf6Export, EqualLinesAreWrittenOnceAndTheFirstOfACaseVariantWins) {
  Catalog catalog;
  catalog.root.Lenses().SetRenumbering(false);
  // Two lenses giving the same LensType.Dat line, listed against code order.
  for (const char *code : {"ZZ", "L1", "L1"})
    catalog.addLens(code, "Glas").SetCSNR(0);
  // Combinations that differ only in letter case: the first one is kept.
  Tlup6DataKombinationsListe &combinations = catalog.root.Combinations();
  for (const char *code : {"lens01", "LENS01"}) {
    Tlup6DataKombination &c = *combinations.AddNew();
    c.SetGE(code);
    c.SetB1E("HC");
  }
  const Sf6ExportLines lines = catalog.run();
  const LineList &types = entry(lines, E::LensType);
  ASSERT_EQ(types.size(), 2u);
  EXPECT_EQ(types[0].substr(0, 6), "L1    ");
  EXPECT_EQ(types[1].substr(0, 6), "ZZ    ");
  ASSERT_EQ(entry(lines, E::Combination).size(), 1u);
  EXPECT_EQ(entry(lines, E::Combination)[0].substr(0, 6), "lens01");
}

TEST(Sf6Export, ExportLeavesTheModelUnchanged) {
  PricedLens t;
  t.price(4, 2, 1, 10);
  const int lensPrices = t.lens.Prices().Count();
  const int coatingPrices = t.catalog.root.Coatings().FindByCode("Z1")->Prices().Count();
  const Sf6ExportLines first = t.catalog.run();
  EXPECT_EQ(t.lens.Prices().Count(), lensPrices);
  EXPECT_EQ(t.catalog.root.Coatings().FindByCode("Z1")->Prices().Count(), coatingPrices);
  EXPECT_EQ(t.catalog.run(), first);
}

// Writing --------------------------------------------------------------------------

TEST(Sf6ExportWrite, WritesThirteenEntriesInOrderAndNamesTheFileInTheHeader) {
  Catalog catalog;
  catalog.addLens("L1", "Glas");
  ExportTempDir dir;
  const auto path = dir.path() / "K\xC3\xA4se-1.zip"; // UTF-8 on the file system
  WriteSf6Archive(&catalog.root, path, catalog.address, {});
  EXPECT_EQ(test::storedEntryNames(path),
            std::vector<std::string>(kSf6ExportEntryNames.begin(), kSf6ExportEntryNames.end()));
  const Sf6ExportLines lines = test::readExportEntries(path);
  Sf6ExportLines built = BuildSf6ExportLines(&catalog.root, catalog.address, "K\xE4se-1.zip", {});
  EXPECT_EQ(lines, built) << "what was built is what was stored";
  const LineList &head = entry(lines, E::Head);
  EXPECT_NE(std::find(head.begin(), head.end(), PadRight("uid-manufacturer", 30) + "K\xE4se-1.zip"),
            head.end());
  EXPECT_EQ(dir.names(), std::vector<std::string>{"K\xC3\xA4se-1.zip"}) << "no temporary file left";
}

TEST(Sf6ExportWrite, AnExistingArchiveKeepsItsOtherEntries) {
  ExportTempDir dir;
  const auto path = dir.path() / "a.zip";
  {
    TVXZip zip;
    zip.ZipName(path);
    zip.StringsToTextfile("CodeSubstitution.Dat", {"0ALT   1NEU"});
    zip.StringsToTextfile("LensType.Dat", {"alt"});
  }
  Catalog catalog;
  catalog.addLens("L1", "Glas");
  WriteSf6Archive(&catalog.root, path, catalog.address, {});
  const std::vector<std::string> names = test::storedEntryNames(path);
  ASSERT_EQ(names.size(), 14u);
  EXPECT_EQ(names[0], "CodeSubstitution.Dat");
  EXPECT_EQ(entry(test::readExportEntries(path), E::LensType), entry(catalog.run(), E::LensType));
}

TEST(Sf6ExportWrite, AFailedWriteLeavesNoArchiveAndNoTemporaryFile) {
  Catalog catalog;
  ExportTempDir dir;
  // The directory does not exist.
  EXPECT_THROW(
      WriteSf6Archive(&catalog.root, dir.path() / "missing" / "a.zip", catalog.address, {}),
      Sf6Error);
  EXPECT_TRUE(dir.names().empty());
  // A damaged archive in the way: it stays as it was.
  const std::string_view damaged = "PK\x03\x04 not really a zip file";
  dir.write("bad.zip", damaged);
  EXPECT_ANY_THROW(WriteSf6Archive(&catalog.root, dir.path() / "bad.zip", catalog.address, {}));
  EXPECT_EQ(dir.names(), std::vector<std::string>{"bad.zip"});
  EXPECT_EQ(std::filesystem::file_size(dir.path() / "bad.zip"), damaged.size());
}

} // namespace
} // namespace sf6
