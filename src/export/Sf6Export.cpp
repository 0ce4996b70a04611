#include "export/Sf6Export.h"

#include "model/Catalog.h"
#include "sf6/Sf6Procs.h"
#include "text/CodePage.h"
#include "text/Errors.h"
#include "text/FieldText.h"
#include "text/SortedLineList.h"
#include "zip/VXZip.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <tuple>

namespace sf6 {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSf6Version = "6.8.1";
constexpr int32_t kCharacterSet = 1;
// Price groups exported: every sphere group, cylinder groups up to 10 only
// (the LensPrice.Dat cylinder column holds no more).
constexpr int kLastSphGroup = Tlup6DataPreisgruppen::kMax;
constexpr int kLastCylGroup = 10;
constexpr int kOrderFieldCount = 24;
// Order option priorities: 1 by phone or fax, 5 may, 6 must go electronically.
constexpr int kPriorityMandatory = 1;
constexpr int kPriorityCanGive = 5;
constexpr int kPriorityMustGive = 6;

template <class E> E ordinal(int value) {
  return static_cast<E>(value);
}

Sf6Colour colourOf(const Lup6Rgb &rgb) {
  return Sf6Colour{rgb.r} | (Sf6Colour{rgb.g} << 8) | (Sf6Colour{rgb.b} << 16);
}

class Sf6Exporter {
public:
  Sf6Exporter(const Tlup6Dataobject &root, const Tlup6DataAdresse &address,
              const Sf6ExportSettings &settings)
      : m_root(root), m_address(address), m_settings(settings), m_language(settings.languageIndex) {
  }

  // Walks the model and fills the thirteen lists; lines() or texts() reads them.
  Sf6Exporter &run(std::string_view archiveFileName) {
    addHeader(archiveFileName);
    for (const Tlup6DataGlas &lens : m_root.Lenses())
      if (m_address.DeliverableLenses().IsDeliverable(lens.EDV()))
        addLens(lens);
    for (const Tlup6DataBeschichtung &coating : m_root.Coatings())
      if (m_address.DeliverableCoatings().IsDeliverable(coating.EDV()))
        addCoating(coating);
    for (const Tlup6DataKombination &combination : m_root.Combinations())
      addCombination(combination);
    for (const Tlup6DataCodeSubstGlas &substitution : m_root.LensCodeSubstitutions())
      add(Sf6ExportEntry::CodeSubstitution, "0" + PadRight(substitution.CA, 6) +
                                                IntToZeroPadded(EnumCode(substitution.AKT), 1) +
                                                PadRight(substitution.CN, 6) + SpaceString(12));
    for (const Tlup6DataCodeSubstBesch &substitution : m_root.CoatingCodeSubstitutions())
      add(Sf6ExportEntry::CodeSubstitution,
          "1" + PadRight(substitution.CA, 6) + IntToZeroPadded(EnumCode(substitution.AKT), 1) +
              PadRight(substitution.CN1, 6) + PadRight(substitution.CN2, 6) +
              PadRight(substitution.CN3, 6));

    return *this;
  }

  Sf6ExportLines lines() {
    Sf6ExportLines lines;
    for (std::size_t i = 0; i < kSf6ExportEntryCount; ++i)
      lines[i] = m_lists[i].Lines();
    return lines;
  }
  Sf6ExportTexts texts() {
    Sf6ExportTexts texts;
    for (std::size_t i = 0; i < kSf6ExportEntryCount; ++i)
      texts[i] = m_lists[i].Text();
    return texts;
  }

private:
  void add(Sf6ExportEntry entry, std::string_view line) {
    m_lists[static_cast<std::size_t>(entry)].Add(line);
  }

  int32_t priceField(int k) const {
    return m_settings.priceFieldNumbers[static_cast<std::size_t>(k)];
  }

  PricePresence pricePresent() const {
    PricePresence present{};
    for (int k = 0; k < 5; ++k)
      present[static_cast<std::size_t>(k)] = priceField(k) > 0;
    return present;
  }

  void addHeader(std::string_view archiveFileName) {
    const Tlup6DataAdresse &a = m_address;
    const Tlup6DataPrismenCylinder &limits = m_root.PrismCylinder();
    TSf6DataHead head;
    head.Version = kSf6Version;
    head.SoftwareId = m_settings.softwareId;
    head.Comment = a.Comment;
    head.UidManufacturer = archiveFileName;
    head.ValidFrom = a.GA;
    head.ValidUntil = a.GB;
    head.Country = a.LAND;
    head.Language = a.GetLanguage();
    head.ManufacturerCode = a.EDV;
    head.ManufacturerSubcode = a.EDV2;
    head.ManufacturerName = a.Name;
    head.Street = a.Str;
    head.ZipCode = a.Plz;
    head.City = a.Ort;
    head.PoBoxZipCode = a.PlzPf;
    head.PoBoxText = a.PF;
    head.Phone = a.TelZent;
    head.Fax = a.FaxZent;
    head.PhoneOrder = a.TelBest;
    head.FaxOrder = a.FaxBest;
    head.Mail = a.MailTo;
    head.Url = a.Url;
    head.PriceDefinitionCylinder = a.PrDefCyl;
    head.CylinderGroupBase = limits.ZB;
    head.CylinderGroup1 = limits.ZG1;
    head.CylinderGroup2 = limits.ZG2;
    head.PrismGroup = {limits.PG1, limits.PG2, limits.PG3, limits.PG4, limits.PG5};
    head.CurrencyDescription = a.WVK;
    head.CurrencyDescriptionDecimals = a.WNK;
    for (int k = 0; k < 5; ++k) {
      const auto i = static_cast<std::size_t>(k);
      // Column number 0 is an unused column, whatever designation has ID 0.
      const Tlup6DataPreisbezeichnung *designation =
          priceField(k) > 0 ? m_root.PriceDesignations().FindByID(priceField(k)) : nullptr;
      if (designation == nullptr)
        continue;
      head.PriceField[i] = designation->PFT;
      if (designation->PFT == TSf6PriceType::SonstigesEk ||
          designation->PFT == TSf6PriceType::SonstigesVk)
        head.PriceFieldDescription[i] = designation->BEZ;
    }
    head.Characterset = kCharacterSet;

    LineList lines;
    WriteHeadLines(head, lines);
    for (const std::string &line : lines)
      add(Sf6ExportEntry::Head, line);
  }

  // Lenses ---------------------------------------------------------------------

  void addLens(const Tlup6DataGlas &lens) {
    addLensType(lens);
    for (const Tlup6DataGlasWirkung &range : lens.Ranges())
      addLensRange(lens, range);
    for (const Tlup6DataGlasGeometrie &geometry : lens.Geometries())
      addLensGeo(lens, geometry);
    addLensPrices(lens);
    addInformation(false, lens.EDV(), lens.Info());
    addOrderOptions(false, lens.EDV(), lens.OrderOptions());
    addProductGroups(false, lens.EDV(), lens.GetProductGroupNames(true));
  }

  void addLensType(const Tlup6DataGlas &lens) {
    TSf6DataLensType r;
    r.Code = lens.EDV();
    r.Name = lens.GetNameFallback(m_language);
    r.ValidFrom = lens.LA;
    r.ValidUntil = lens.LB;
    r.LensKind = lens.EM;
    r.BalanceLens = lens.AG;
    r.BalanceConditionLens = lens.AGKG;
    r.BalanceConditionCoating = lens.AGKB;
    r.BrandClass = lens.ME;
    r.Material = lens.MAT;
    r.RefractiveIndex = lens.BR;
    r.Density = lens.DI;
    r.AbbeNumber = lens.AB;
    r.Aspheric = lens.AS;
    r.Lenticular = lens.ST;
    r.AntiReflection = lens.ET;
    r.Tint = lens.FA;
    r.Photochromic = lens.PH;
    r.Hard = lens.HA;
    r.Clean = lens.CL;
    r.Uv = lens.UV;
    r.Mirror = lens.VS;
    r.Mdm = lens.MDM;
    r.SmallDiameter = lens.KDM;
    r.DeviatingThickness = lens.AD;
    r.InsuranceIncluded = lens.Vers;
    r.PrismIncluded = lens.Pri;
    r.FilterCategory = lens.FK;
    r.RoadUse = lens.STV;
    r.UvEdge = lens.UVK;
    r.Uva = lens.UVA;
    r.Uvb = lens.UVB;
    r.ExtendedWarranty = lens.EG;
    r.SingleLensOrder = lens.EGB;
    r.TS = lens.TS;
    r.SortOrder = lens.CSNR();
    r.ShortDescription = lens.GetShortNameFallback(m_language);
    r.MinDiameter = lens.KMDM;
    r.DiameterStep = lens.KDMA;
    r.FilterCategoryExposed = lens.FKB;
    add(Sf6ExportEntry::LensType, BuildLensTypeLine(r));
  }

  void addLensRange(const Tlup6DataGlas &lens, const Tlup6DataGlasWirkung &range) {
    TSf6DataLensRange r;
    r.Code = lens.EDV();
    r.Diameter = range.DM;
    r.SphFrom = range.SphV;
    r.SphTo = range.SphB;
    r.CylFrom = range.cylV;
    r.CylTo = range.CylB;
    r.CylPowerFrom = range.cylWV;
    r.CylPowerTo = range.CylWB;
    r.PrismTo = range.PV;
    r.AddFrom = range.AddV;
    r.AddTo = range.AddB;
    r.AddStep = range.AddS;
    r.Coating1 = range.BEDV1;
    r.Coating2 = range.BEDV2;
    r.Coating3 = range.BEDV3;
    r.Coating4 = range.BEDV4;
    r.Coating5 = range.BEDV5;
    r.CoatingInLensPrice = range.SIP;
    r.ValidFrom = range.LA;
    r.ValidUntil = range.LB;
    r.StockLens = range.Lag;
    r.DeliveryTime = range.LZ;
    r.ExtendedRange = range.ELief;
    r.BonusEligible = range.BF;
    r.EdiDiscount = range.DFUR;
    r.OnlineOrder = range.OLB;
    r.RangeIndex = range.LBI;
    add(Sf6ExportEntry::LensRange, BuildLensRangeLine(r));
  }

  void addLensGeo(const Tlup6DataGlas &lens, const Tlup6DataGlasGeometrie &g) {
    TSf6DataLensGeo r;
    r.Code = lens.EDV();
    // The geometry record holds one diameter; the all-centred and
    // all-decentred modes have no value in the model.
    r.DiameterMode = 0;
    r.Diameter = g.Dm;
    r.SemiAxisVertical = g.DM1H;
    r.SemiAxisHorizontal = g.DM2H;
    r.NoPowerRange = g.WK;
    r.PowerFrom = g.WSV;
    r.PowerTo = g.WSB;
    r.SegmentType = g.NTT;
    r.FarRefVertical = g.VAFB;
    r.FarRefHorizontal = g.HAFB;
    r.SegmentEdgeVertical = g.VAT;
    r.SegmentEdgeHorizontal = g.HAT;
    r.SegmentCentreVertical = g.VAMN;
    r.SegmentRadiusLower = g.URN;
    r.SegmentRadiusUpper = g.ORN;
    r.SegmentWidth = g.BN;
    r.SegmentHeight = g.HN;
    r.IntermediateHeight = g.HZ;
    r.FittingCrossVertical = g.VAZK;
    r.ViewDirection = g.BLR;
    r.NearRefVerticalMax = g.VANB;
    r.NearRefVerticalMin = g.MVANB;
    r.NearRefHorizontalMax = g.HANP;
    r.NearRefHorizontalMin = g.MHANP;
    add(Sf6ExportEntry::LensGeo, BuildLensGeoLine(r));
  }

  void addLensPrices(const Tlup6DataGlas &lens) {
    const Tlup6DataPreisgruppen &groups = lens.PriceGroups();
    if (groups.CountSphGroups() == 0 || groups.CountCylGroups() == 0)
      return;
    const LineList diameterTexts = lens.Ranges().GetDiameters(false, false, 0, 0, 0, 0);
    const LineList indexTexts = lens.Ranges().GetDeliveryIndexes();
    if (diameterTexts.empty() || indexTexts.empty())
      return;
    std::vector<TSf6Diameter> diameters;
    for (const std::string &text : diameterTexts)
      diameters.push_back(DiameterFromText(text));
    std::vector<int32_t> indexes;
    for (const std::string &text : indexTexts)
      indexes.push_back(TextToInt(text));

    const Tlup6DataGlasTarifListe &prices = lens.Prices();
    const PricePresence present = pricePresent();
    for (const LensPriceCell &cell : lensPriceCells(lens, diameters, indexes)) {
      const Tlup6DataGlasPreis *p = cell.price;
      if (p->IsInSomeRange() != 0)
        continue;
      const TSf6Diameter &d = diameters[static_cast<std::size_t>(cell.diameter)];
      const int32_t l = indexes[static_cast<std::size_t>(cell.index)];
      TSf6DataLensPrice r;
      r.Code = lens.EDV();
      r.Diameter = p->GDM();
      r.SphGroup = p->GSph();
      r.CylGroup = p->GCyl();
      r.RangeIndex = l;
      double *values[5] = {&r.Price1, &r.Price2, &r.Price3, &r.Price4, &r.Price5};
      for (int k = 0; k < 5; ++k) {
        // An unused column is written blank: its value is never looked up.
        if (priceField(k) <= 0)
          continue;
        const Tlup6DataGlasPreis *q =
            priceField(k) == priceField(0)
                ? p
                : prices.FindPrice(cell.sph, cell.cyl, l, priceField(k), d);
        *values[k] = q != nullptr ? q->GetPrice() : 0.0;
      }
      add(Sf6ExportEntry::LensPrice, BuildLensPriceLine(r, present));
    }
  }

  // The price of column 1 for every sphere group 0-50 and cylinder group
  // 0-10 whose flags are set, every diameter and every delivery index of the
  // lens, in that nesting order: what FindPrice gives for each such cell (the
  // last price with the cell's key, groups compared as bytes), found in one
  // pass over the lens's prices instead of a lookup per cell, most of which
  // would find nothing.
  struct LensPriceCell {
    int sph, cyl, diameter, index; // diameter and index: positions in their lists
    const Tlup6DataGlasPreis *price;
  };
  std::vector<LensPriceCell> lensPriceCells(const Tlup6DataGlas &lens,
                                            const std::vector<TSf6Diameter> &diameters,
                                            const std::vector<int32_t> &indexes) const {
    const Tlup6DataPreisgruppen &groups = lens.PriceGroups();
    std::vector<LensPriceCell> cells;
    for (const Tlup6DataGlasPreis &p : lens.Prices()) {
      if (p.PBID() != priceField(0))
        continue;
      const int sph = p.GSph() & 0xFF;
      const int cyl = p.GCyl() & 0xFF;
      if (sph > kLastSphGroup || cyl > kLastCylGroup || !groups.IsSphGroup(sph) ||
          !groups.IsCylGroup(cyl))
        continue;
      const auto d = std::find(diameters.begin(), diameters.end(), p.GDM());
      const auto l = std::find(indexes.begin(), indexes.end(), p.LBI());
      if (d == diameters.end() || l == indexes.end())
        continue;
      cells.push_back({sph, cyl, static_cast<int>(d - diameters.begin()),
                       static_cast<int>(l - indexes.begin()), &p});
    }
    const auto key = [](const LensPriceCell &c) {
      return std::tie(c.sph, c.cyl, c.diameter, c.index);
    };
    std::stable_sort(
        cells.begin(), cells.end(),
        [&](const LensPriceCell &a, const LensPriceCell &b) { return key(a) < key(b); });
    // Of several prices with one key the last in list order counts.
    std::vector<LensPriceCell> last;
    for (std::size_t i = 0; i < cells.size(); ++i)
      if (i + 1 == cells.size() || key(cells[i]) != key(cells[i + 1]))
        last.push_back(cells[i]);
    return last;
  }

  // Coatings -------------------------------------------------------------------

  void addCoating(const Tlup6DataBeschichtung &coating) {
    if (!coating.IsSpecial()) {
      addOptions(coating);
      for (const Tlup6DataFarbe &colour : coating.Colours())
        addOptionsColor(coating, colour);
    }
    addOptionsPrices(coating);
    addInformation(true, coating.EDV(), coating.Info());
    addOrderOptions(true, coating.EDV(), coating.OrderOptions());
    addProductGroups(true, coating.EDV(), coating.GetProductGroupNames(true));
  }

  void addOptions(const Tlup6DataBeschichtung &c) {
    TSf6Dataoptions r;
    r.Code = c.EDV();
    r.Name = c.GetNameFallback(m_language);
    r.ValidFrom = c.LA;
    r.ValidUntil = c.LB;
    r.BrandClass = c.ME;
    r.Materials = c.MAT;
    r.AntiReflection = c.ET;
    r.Tint = c.FA;
    r.Photochromic = c.PH;
    r.Hard = c.HA;
    r.Clean = c.CL;
    r.Uv = c.UV;
    r.Mirror = c.VS;
    r.Edging = c.ER;
    r.DiameterChange = c.ADU;
    r.ThicknessChange = c.AD;
    r.DeviatingCurve = c.ADB;
    r.DeviatingAddition = c.AAD;
    r.FormChange = c.AF;
    r.PowerOutsideRange = c.WAL;
    r.Decentration = c.DEZ;
    r.PrismaticHeightBalance = c.PRH;
    r.Matting = c.MATT;
    r.RemoveCoating = c.BENT;
    r.BiLenses = c.BTOR;
    r.OutsideToric = c.ATOR;
    r.BonusEligible = c.BF;
    r.Insurance = c.Vers;
    r.RoadUse = c.Stvo;
    r.FilterCategory = c.FK;
    r.UvEdge = c.UVK;
    r.Uva = c.UVA;
    r.Uvb = c.UVB;
    r.BaseSphFrom = c.SphVon;
    r.BaseSphTo = c.SphBis;
    r.DiameterFrom = c.DMVon;
    r.DiameterTo = c.DMBis;
    r.SortOrder = c.CSNR();
    r.ShortDescription = c.GetShortNameFallback(m_language);
    r.FilterCategoryExposed = c.FKB;
    r.OnlineOrder = c.OLB;
    add(Sf6ExportEntry::Options, BuildOptionsLine(r));
  }

  void addOptionsColor(const Tlup6DataBeschichtung &coating, const Tlup6DataFarbe &colour) {
    TSf6DataoptionsColor r;
    r.ColourCode = colour.EDV;
    r.Code = coating.EDV();
    r.Name = colour.GetNameFallback(m_language);
    r.AbsorptionTop = colour.AbV;
    r.AbsorptionBottom = colour.AbO;
    r.ColourTop = colourOf(colour.Top);
    r.ColourMiddle = colourOf(colour.Middle);
    r.ColourBottom = colourOf(colour.Bottom);
    r.RoadUse = colour.Stvo;
    r.FilterCategory = colour.FK;
    r.UvEdge = colour.UVK;
    r.Uva = colour.UVA;
    r.Uvb = colour.UVB;
    add(Sf6ExportEntry::OptionsColor, BuildOptionsColorLine(r));
  }

  // Materials share a price line exactly when the five price texts the line
  // would carry are equal; each group of them gives one line, priced from
  // its lowest material.
  void addOptionsPrices(const Tlup6DataBeschichtung &coating) {
    const Tlup6DataBeschichtungspreisListe &prices = coating.Prices();
    const std::vector<int> stValues = coating.STEG ? std::vector<int>{0} : std::vector<int>{1, 2};
    const std::vector<int> emValues = coating.EMEG ? std::vector<int>{0} : std::vector<int>{1, 2};
    const PricePresence present = pricePresent();
    for (const int stValue : stValues)
      for (const int emValue : emValues) {
        const auto st = ordinal<TSf6SphTor>(stValue);
        const auto em = ordinal<TSf6SingleMulti>(emValue);
        std::vector<int32_t> columns(5);
        for (int k = 0; k < 5; ++k)
          columns[static_cast<std::size_t>(k)] = priceField(k);
        std::array<std::string, 4> signatures;
        for (int m = 0; m < 4; ++m)
          signatures[static_cast<std::size_t>(m)] =
              prices.GetPriceSignature(st, em, columns, ordinal<TSf6Material>(m + 1));
        std::array<bool, 4> done{};
        for (int m = 0; m < 4; ++m) {
          if (done[static_cast<std::size_t>(m)])
            continue;
          TSf6MaterialSet set;
          for (int n = m; n < 4; ++n)
            if (signatures[static_cast<std::size_t>(n)] ==
                signatures[static_cast<std::size_t>(m)]) {
              set.Include(ordinal<TSf6Material>(n + 1));
              done[static_cast<std::size_t>(n)] = true;
            }
          const auto mat = ordinal<TSf6Material>(m + 1);
          const auto price = [&](int k) {
            return prices.PriceOfColumn(st, em, columns[static_cast<std::size_t>(k)], mat);
          };
          TSf6DataoptionsPrice r;
          r.Code = coating.EDV();
          r.SphTor = st;
          r.SingleMulti = em;
          r.Materials = set;
          r.Price1 = price(0);
          r.Price2 = price(1);
          r.Price3 = price(2);
          r.Price4 = price(3);
          r.Price5 = price(4);
          add(Sf6ExportEntry::OptionsPrice, BuildOptionsPriceLine(r, present));
        }
      }
  }

  // Shared by lenses and coatings ------------------------------------------------

  void addInformation(bool isCoating, const std::string &code, const Tlup6DataInfo &info) {
    for (int t = 0; t < Tlup6DataInfo::kTypes; ++t) {
      const std::string text = info.GetLine(m_language, t);
      if (text.empty())
        continue;
      const int typeCode = EnumCode(ordinal<TSf6InfoType>(t));
      const LineList textLines = SplitLines(text);
      for (std::size_t j = 0; j < textLines.size(); ++j)
        add(Sf6ExportEntry::Information,
            BuildInformationLine(isCoating, code, typeCode, static_cast<int>(j + 1), textLines[j]));
    }
  }

  void addOrderOptions(bool isCoating, const std::string &code,
                       const Tlup6DataOrderOptions &options) {
    const OrderFieldSet mandatory = options.MUTE();
    const OrderFieldSet canGive = options.KADU();
    const OrderFieldSet mustGive = options.MUDU();
    for (int o = 0; o < kOrderFieldCount; ++o) {
      const auto field = ordinal<TSf6OrderFieldType>(o);
      if (mandatory.Contains(field))
        add(Sf6ExportEntry::OrderOptions,
            BuildOrderOptionsLine(isCoating, code, field, kPriorityMandatory));
      if (canGive.Contains(field))
        add(Sf6ExportEntry::OrderOptions,
            BuildOrderOptionsLine(isCoating, code, field, kPriorityCanGive));
      if (mustGive.Contains(field))
        add(Sf6ExportEntry::OrderOptions,
            BuildOrderOptionsLine(isCoating, code, field, kPriorityMustGive));
    }
  }

  // A product deliverable in every product group needs no line: the file
  // lists memberships only for products limited to some groups.
  void addProductGroups(bool isCoating, const std::string &code, const LineList &groupNames) {
    if (static_cast<int>(groupNames.size()) == m_root.ProductGroups().Count())
      return;
    const std::string prefix = (isCoating ? "1" : "0") + PadRight(code, 6);
    for (const std::string &name : groupNames)
      add(Sf6ExportEntry::ProductGroup, prefix + name);
  }

  void addCombination(const Tlup6DataKombination &combination) {
    TSf6DataCombination r;
    r.LensCode = combination.GE();
    r.Availability = combination.LB();
    r.Coating1 = combination.B1E();
    r.Coating2 = combination.B2E();
    r.Coating3 = combination.B3E();
    add(Sf6ExportEntry::Combination, BuildCombinationLine(r));
  }

  const Tlup6Dataobject &m_root;
  const Tlup6DataAdresse &m_address;
  const Sf6ExportSettings &m_settings;
  const int m_language;
  std::array<SortedLineList, kSf6ExportEntryCount> m_lists;
};

// A path beside target that does not exist yet, for the archive being written.
fs::path temporarySibling(const fs::path &target) {
  const std::string stem = "." + target.filename().string() + ".part";
  for (int n = 1;; ++n) {
    fs::path candidate = target.parent_path() / (stem + std::to_string(n));
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(candidate, ec)))
      return candidate;
  }
}

// Removes the temporary archive unless it has been moved into place.
class TemporaryArchive {
public:
  explicit TemporaryArchive(fs::path path) : m_path(std::move(path)) {}
  ~TemporaryArchive() {
    std::error_code ec;
    if (!m_committed)
      fs::remove(m_path, ec);
  }
  TemporaryArchive(const TemporaryArchive &) = delete;
  TemporaryArchive &operator=(const TemporaryArchive &) = delete;

  const fs::path &path() const { return m_path; }
  void commitTo(const fs::path &target) {
    std::error_code ec;
    fs::rename(m_path, target, ec);
    if (ec)
      throw Sf6Error("Cannot create file \"" + Utf8ToCp1252(target.string()) + "\". " +
                     Utf8ToCp1252(ec.message()));
    m_committed = true;
  }

private:
  fs::path m_path;
  bool m_committed = false;
};

} // namespace

Sf6ExportLines BuildSf6ExportLines(const Tlup6Dataobject *root, const Tlup6DataAdresse *address,
                                   std::string_view archiveFileName,
                                   const Sf6ExportSettings &settings) {
  if (root == nullptr || address == nullptr)
    return {};
  return Sf6Exporter(*root, *address, settings).run(archiveFileName).lines();
}

Sf6ExportTexts BuildSf6ExportTexts(const Tlup6Dataobject *root, const Tlup6DataAdresse *address,
                                   std::string_view archiveFileName,
                                   const Sf6ExportSettings &settings) {
  if (root == nullptr || address == nullptr)
    return {};
  return Sf6Exporter(*root, *address, settings).run(archiveFileName).texts();
}

void WriteSf6ExportTexts(const fs::path &archivePath, const Sf6ExportTexts &texts) {
  TemporaryArchive temporary(temporarySibling(archivePath));
  std::error_code ec;
  if (fs::exists(archivePath, ec)) {
    fs::copy_file(archivePath, temporary.path(), ec);
    if (ec)
      throw Sf6Error("Cannot read file \"" + Utf8ToCp1252(archivePath.string()) + "\". " +
                     Utf8ToCp1252(ec.message()));
  }
  TVXZip zip;
  zip.ZipName(temporary.path());
  std::array<TZipWriter::Source, kSf6ExportEntryCount> sources;
  for (std::size_t i = 0; i < kSf6ExportEntryCount; ++i)
    sources[i] = {kSf6ExportEntryNames[i], texts[i]};
  zip.zipFromBuffers(sources);
  temporary.commitTo(archivePath);
}

void WriteSf6Archive(const Tlup6Dataobject *root, const fs::path &archivePath,
                     const Tlup6DataAdresse *address, const Sf6ExportSettings &settings) {
  const std::string fileName = Utf8ToCp1252(archivePath.filename().string());
  WriteSf6ExportTexts(archivePath, BuildSf6ExportTexts(root, address, fileName, settings));
}

} // namespace sf6
