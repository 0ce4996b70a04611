// The mapping of the loaded SF4 lines into the catalog model. The steps run
// in a fixed order because later ones look up what earlier ones created:
// materials, ranges and prices find their lens by code; surcharges,
// combinations and colours find their coating by its SF4 code.

#include "sf4/Sf4Object.h"

#include "model/Coating.h"
#include "model/Lens.h"
#include "model/Root.h"
#include "sf4/Sf4Lines.h"
#include "sf4/Sf4Lookups.h"
#include "text/CodePage.h"
#include "text/Errors.h"

#include <algorithm>
#include <string>

namespace sf6 {

namespace {

// Stands for "any" in a combination.
constexpr std::string_view kAnyCode = "******";

// The two price designations SF4 knows: list purchase price and
// recommended retail price.
constexpr int32_t kPurchasePrice = 1;
constexpr int32_t kRetailPrice = 2;

template <class E> E ordinal(int value) {
  return static_cast<E>(value);
}

TSf6MaterialSet allMaterials() {
  TSf6MaterialSet set;
  for (int m = 1; m <= 4; ++m)
    set.Include(ordinal<TSf6Material>(m));
  return set;
}

// The materials a GlBesch2.Dat material rule adds to a coating of kind k
// (1 mineral, 2 plastic): 0 the kind, 1 the kind and polycarbonate,
// 2 polycarbonate, 3 the kind and trivex, 4 trivex.
bool ruleCoversMaterial(int rule, int kind, int material) {
  const bool ownKind = material == kind && (rule == 0 || rule == 1 || rule == 3);
  const bool polycarbonate = material == 3 && (rule == 1 || rule == 2);
  const bool trivex = material == 4 && (rule == 3 || rule == 4);
  return ownKind || polycarbonate || trivex;
}

std::string orAny(std::string code) {
  return code.empty() ? std::string(kAnyCode) : code;
}

void setCoatingPrices(Tlup6DataBeschichtung &coating, TSf6SphTor st, TSf6SingleMulti em,
                      int material, double price1, double price2) {
  const auto mat = ordinal<TSf6Material>(material);
  Tlup6DataBeschichtungspreisListe &prices = coating.Prices();
  if (auto *price = prices.FindCoatingPrice(st, em, true, "", kPurchasePrice, mat))
    price->SetPrice(price1);
  if (auto *price = prices.FindCoatingPrice(st, em, true, "", kRetailPrice, mat))
    price->SetPrice(price2);
}

} // namespace

void TSf4Object::build() {
  m_root.Clear(true);
  buildHeader();
  buildLenses();
  buildNewMaterials();
  buildPowerRanges();
  buildLensPrices();
  buildCoatings();
  buildSurcharges();
  buildCombinations();
  buildColours();
  m_root.SetModified(1);
}

void TSf4Object::buildHeader() {
  const TextLines &lines = Lines(Sf4File::GLHead);
  if (lines.empty()) {
    const std::filesystem::path &path = m_paths[static_cast<std::size_t>(Sf4File::GLHead)];
    const std::u8string name = path.u8string();
    throw Sf6Error(
        "Die Datei \"" +
        Utf8ToCp1252(std::string_view(reinterpret_cast<const char *>(name.data()), name.size())) +
        "\" enth\xE4lt keine Kopfzeile.");
  }
  const Sf4HeadLine head = readSf4HeadLine(lines.front());

  Tlup6DataAdresse &address = *m_root.Addresses().AddNew();
  address.GA = head.GA;
  address.LAND = head.LAND;
  address.EDV = head.EDV;
  address.Name = head.Name;

  Tlup6DataPrismenCylinder &limits = m_root.PrismCylinder();
  limits.ZB = head.ZB;
  limits.ZG1 = head.ZG1;
  limits.ZG2 = head.ZG2;
  limits.PG1 = head.PG1;
  limits.PG2 = head.PG2;
  limits.PG3 = head.PG3;
  limits.PG4 = head.PG4;
  limits.PG5 = head.PG5;
}

void TSf4Object::buildLenses() {
  Tlup6DataGlasliste &lenses = m_root.Lenses();
  // Every AddLens renumbers the whole list, which made reading a file
  // quadratic in its lenses. The numbers that N additions leave, each new
  // lens last and then reset to 0, are known: N-2, N-3 ... 1, 0, 0 in file
  // order (every addition moves the earlier lenses up by one). So the list
  // waits while the file is read and gets these numbers once.
  lenses.SetRenumbering(false);
  struct RenumberingBack {
    Tlup6DataGlasliste &list;
    ~RenumberingBack() { list.SetRenumbering(true); }
  } renumberingBack{lenses};

  for (std::string_view line : Lines(Sf4File::GLTyp)) {
    const Sf4LensLine row = readSf4LensLine(line);
    Tlup6DataGlas &lens = *lenses.AddLens();
    lens.Clear(true);
    lens.SetEDV(row.EDV);
    lens.SetName(1, row.B1);
    lens.EM = ordinal<TSf6LensKind>(row.EM);
    lens.ME = ordinal<TSf6BrandClass>(row.ME);
    lens.MAT = ordinal<TSf6Material>(row.MAT);
    lens.BR = row.BR;
    lens.DI = row.DI;
    lens.AS = row.AS;
    lens.ST = row.ST;
    lens.FA = ordinal<TSf6Tint>(row.FA);
    // SF4 has no columns for single-lens orders and compensating lenses;
    // converted lenses allow both.
    lens.EGB = TSf6SingleLensOrder::Moeglich;
    lens.AG = true;

    Tlup6DataGlasGeometrie &geometry = *lens.Geometries().AddNew();
    geometry.WK = true;
    geometry.NTT = ordinal<TSf6SegmentType>(row.NTT);
    geometry.VAFB = row.VAFB;
    geometry.HAFB = row.HAFB;
    geometry.URN = row.URN;
    geometry.ORN = row.ORN;
    geometry.HN = row.HN;
    geometry.HZ = row.HZ;
  }

  const int count = lenses.Count();
  for (int i = 0; i < count; ++i)
    lenses.Items(i)->SetCSNR(std::max(count - 2 - i, 0));
}

void TSf4Object::buildNewMaterials() {
  Tlup6DataGlasliste &lenses = m_root.Lenses();
  for (std::string_view line : Lines(Sf4File::GLNeumat)) {
    const Sf4NewMaterialLine row = readSf4NewMaterialLine(line);
    if (row.MAT == 0)
      continue;
    if (Tlup6DataGlas *lens = lenses.FindByCode(row.lensCode))
      lens->MAT = ordinal<TSf6Material>(row.MAT);
  }
}

void TSf4Object::buildPowerRanges() {
  const Sf4EllipticRanges elliptic(Lines(Sf4File::GlEllip).Views());
  Tlup6DataGlasliste &lenses = m_root.Lenses();
  for (std::string_view line : Lines(Sf4File::GLWirk)) {
    const Sf4PowerRangeLine row = readSf4PowerRangeLine(line);
    Tlup6DataGlas *lens = lenses.FindByCode(row.lensCode);
    if (!lens)
      continue;
    const bool passes[2] = {elliptic.roundPass(row.lensCode),
                            elliptic.ellipticalPass(row.lensCode)};
    for (int pass = 0; pass < 2; ++pass) {
      if (!passes[pass])
        continue;
      const bool elliptical = pass == 1;
      Tlup6DataGlasWirkung &range = *lens->Ranges().AddNew();
      range.DM = TSf6Diameter{row.diameter1, row.diameter2, elliptical};
      range.SetCyl(row.cylBoundA, row.cylBoundB);
      double from = row.SphV;
      double to = row.SphB;
      if (elliptical && elliptic.clampsNegativeSphere(row.lensCode)) {
        from = std::max(from, 0.0);
        to = std::max(to, 0.0);
      }
      range.SetSph(from, to);
      // The sphere limits hold at cylinder 0 and shift fully with the cylinder.
      range.cylWV = 0;
      range.CylWB = 100;
      range.PV = row.PV;
      range.SetAdd(row.addBoundA, row.addBoundB);
      range.AddS = ordinal<TSf6AddStep>(row.AddS);
      range.OLB = true;
      range.DFUR = true;
      range.BF = true;
    }
  }
}

void TSf4Object::buildLensPrices() {
  Tlup6DataGlasliste &lenses = m_root.Lenses();
  for (std::string_view line : Lines(Sf4File::GLPreis)) {
    const Sf4LensPriceLine row = readSf4LensPriceLine(line);
    Tlup6DataGlas *lens = lenses.FindByCode(row.lensCode);
    if (!lens)
      continue;
    // Groups outside 0 to 50 set no flag, so no price can be created for them.
    lens->PriceGroups().SetSphGroup(row.GSph, true);
    lens->PriceGroups().SetCylGroup(row.GCyl, true);
    const TSf6Diameter diameter{row.diameter1, row.diameter2, false};
    const std::pair<int32_t, double> values[] = {{kPurchasePrice, row.price1},
                                                 {kRetailPrice, row.price2}};
    for (const auto &[pbid, value] : values) {
      // Delivery range 0 is the standard range every reset creates.
      if (auto *price = lens->Prices().FindPrice(row.GSph, row.GCyl, true, 0, pbid, diameter))
        price->SetPrice(value);
    }
  }
}

void TSf4Object::buildCoatings() {
  const Sf4CoatingRules rules(Lines(Sf4File::GlBesch2).Views());
  Tlup6DataBeschichtungsliste &coatings = m_root.Coatings();
  for (std::string_view line : Lines(Sf4File::GLBesch)) {
    const Sf4CoatingLine row = readSf4CoatingLine(line);
    const std::string catalogCode = rules.replacementCode(row.code);
    std::string name = row.B1;
    Tlup6DataBeschichtung *coating = coatings.FindByCode(catalogCode);
    if (!coating) {
      coating = coatings.AddNew();
      coating->SetEDV(catalogCode);
      // The same name for another material kind gets the kind as suffix; the
      // new coating, still unnamed, takes part in the lookup.
      if (coatings.FindByName(name, 1))
        name += row.kind == 1 ? " (S)" : " (K)";
      coating->SetName(1, name);
      coating->ET = ordinal<TSf6AntiReflection>(row.ET);
      coating->FA = ordinal<TSf6Tint>(row.FA);
      coating->PH = row.PH;
      coating->HA = row.HA;
      coating->CL = row.CL;
      coating->UV = row.UV;
      coating->ADU = ordinal<TSf6DiameterChange>(row.ADU);
      coating->AD = ordinal<TSf6ThicknessChange>(row.AD);
      coating->ADB = row.ADB;
      coating->BTOR = row.BTOR;
      coating->PRH = row.PRH;
      coating->AAD = row.AAD;
    }
    const int rule = rules.materialRule(row.code);
    for (int material = 1; material <= 4; ++material)
      if (ruleCoversMaterial(rule, row.kind, material))
        coating->MAT.Include(ordinal<TSf6Material>(material));
    coating->SetSF4Code(row.kind, row.code);
    coating->SetSF4Name(row.kind, name);
  }
}

void TSf4Object::buildSurcharges() {
  const Sf4CoatingRules rules(Lines(Sf4File::GlBesch2).Views());
  Tlup6DataBeschichtungsliste &coatings = m_root.Coatings();
  for (std::string_view line : Lines(Sf4File::GLzusch)) {
    const Sf4SurchargeLine row = readSf4SurchargeLine(line);
    const Sf4SurchargeTarget target = sf4SurchargeTarget(row.code);
    const auto st = ordinal<TSf6SphTor>(target.ST);
    const auto em = ordinal<TSf6SingleMulti>(target.EM);
    if (target.family != Sf4SurchargeTarget::Family::Coating) {
      Tlup6DataBeschichtung *coating = coatings.FindByCode(target.specialCode);
      if (!coating)
        continue;
      // Surcharges exist for every material; STEG is set for cylinder ones only.
      coating->SetSTEG(target.family == Sf4SurchargeTarget::Family::Cylinder);
      coating->SetEMEG(false);
      coating->MAT = allMaterials();
      for (int material = 1; material <= 4; ++material)
        setCoatingPrices(*coating, st, em, material, row.price1, row.price2);
      continue;
    }
    Tlup6DataBeschichtung *coating = coatings.FindBySF4Code(row.code);
    if (!coating)
      continue;
    coating->SetSTEG(true);
    coating->SetEMEG(true);
    const int kind = coatings.GetSF4Material(row.code);
    const int rule = rules.materialRule(row.code);
    for (int material = 1; material <= 4; ++material)
      if (ruleCoversMaterial(rule, kind, material))
        setCoatingPrices(*coating, st, em, material, row.price1, row.price2);
  }
}

void TSf4Object::buildCombinations() {
  Tlup6DataKombinationsListe &combinations = m_root.Combinations();
  const Tlup6DataBeschichtungsliste &coatings = m_root.Coatings();
  // Sorting waits until every line is in; switching it back on sorts once.
  combinations.SetAutoSort(false);
  for (std::string_view line : Lines(Sf4File::GLKombi)) {
    const Sf4CombinationLine row = readSf4CombinationLine(line);
    combinations.AddCombination(orAny(row.GE), orAny(coatings.MapSF4Code(row.B1E)),
                                ordinal<TSf6Availability>(row.LB),
                                orAny(coatings.MapSF4Code(row.B2E)), kAnyCode);
  }
  combinations.SetAutoSort(true);
}

void TSf4Object::buildColours() {
  const Tlup6DataBeschichtungsliste &coatings = m_root.Coatings();
  for (std::string_view line : Lines(Sf4File::GLFarb)) {
    const Sf4ColourLine row = readSf4ColourLine(line);
    Tlup6DataBeschichtung *coating = coatings.FindBySF4Code(row.coatingCode);
    if (!coating)
      continue;
    Tlup6DataFarbe &colour = *coating->Colours().AddNew();
    colour.EDV = row.EDV;
    colour.SetName(1, row.B1);
    // Absorptions are percentages; a negative text must not wrap round.
    colour.AbO = static_cast<uint8_t>(std::clamp(row.AbO, 0, 255));
    colour.AbV = static_cast<uint8_t>(std::clamp(row.AbV, 0, 255));
  }
}

} // namespace sf6
