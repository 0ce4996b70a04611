// The key tables of the catalog classes: each class's keys once, in write
// order. Reading looks keys up in the same tables.

#include <string>

#include "model/Catalog.h"
#include "model/XmlTable.h"

namespace sf6::xml {

namespace {

using K = EntryKind;
using SV = std::string_view;

// Names "B"n and, for classes with short names, "KB"n for n = 1 .. 10, slot by slot.
template <class C> void addNames(std::vector<Entry<C>> &e) {
  constexpr bool shortNames = requires(const C &o) {
    o.GetShortName(1);
  };
  for (int n = 1; n <= 10; ++n) {
    e.push_back(access<C>(
        "B" + std::to_string(n), K::Optional, [](const C &o, int i) { return o.GetName(i); },
        [](C &o, int i, SV t) { o.SetName(i, t); }, n));
    if constexpr (shortNames)
      e.push_back(access<C>(
          "KB" + std::to_string(n), K::Optional,
          [](const C &o, int i) { return o.GetShortName(i); },
          [](C &o, int i, SV t) { o.SetShortName(i, t); }, n));
  }
}

template <class C> void add(Registry &r, std::vector<Entry<C>> entries) {
  std::vector<std::string> keys;
  for (const Entry<C> &e : entries)
    keys.push_back(e.key);
  r.keyLists.emplace_back(typeid(C).name(), std::move(keys));
  r.classes.emplace(std::type_index(typeid(C)), std::make_unique<Table<C>>(std::move(entries)));
}

template <class L> void itemTag(Registry &r, const char *tag) {
  r.itemTags.emplace(std::type_index(typeid(L)), tag);
}

// A text set: one element per text, the key being the set's item tag.
class StringsTable final : public ClassTable {
public:
  void write(const TCustomlup6Object &object, XmlWriter &out) const override {
    const auto &s = static_cast<const Tlup6DataStrings &>(object);
    for (const std::string &text : s.Texts())
      out.Element(s.ItemTag(), text);
  }
  void begin(TCustomlup6Object &object) const override { object.Clear(false); }
  int find(const TCustomlup6Object &object, SV name) const override {
    return SameCode(name, static_cast<const Tlup6DataStrings &>(object).ItemTag()) ? 0 : -1;
  }
  CatalogNode *child(const TCustomlup6Object &, int) const override { return nullptr; }
  void set(TCustomlup6Object &object, int, SV value) const override {
    static_cast<Tlup6DataStrings &>(object).Add(value);
  }
};

// The not-deliverable sets write their own "ED" and "OID" and the texts of
// the set they wrap.
class DeliverableTable final : public ClassTable {
public:
  void write(const TCustomlup6Object &object, XmlWriter &out) const override {
    m_strings.write(set(object).Strings(), out);
  }
  void begin(TCustomlup6Object &object) const override { object.Clear(false); }
  int find(const TCustomlup6Object &object, SV name) const override {
    return m_strings.find(set(object).Strings(), name);
  }
  CatalogNode *child(const TCustomlup6Object &, int) const override { return nullptr; }
  void set(TCustomlup6Object &object, int, SV value) const override {
    static_cast<Tlup6DataLieferbarSet &>(object).Add(value);
  }

private:
  static const Tlup6DataLieferbarSet &set(const TCustomlup6Object &object) {
    return static_cast<const Tlup6DataLieferbarSet &>(object);
  }
  StringsTable m_strings;
};

void addAddress(Registry &r) {
  using C = Tlup6DataAdresse;
  add<C>(r, {
                field<&C::EDV>("EDV"),
                field<&C::EDV2>("EDV2"),
                dateTime<&C::GA>("GA"),
                dateTime<&C::GB>("GB"),
                field<&C::Name>("Name"),
                field<&C::Name1>("Name1"),
                field<&C::Name2>("Name2"),
                field<&C::Str>("Str"),
                field<&C::LAND>("LAND"),
                // Derived from the naming presets: written for readers, not read.
                access<C>(
                    "LANG", K::Optional, [](const C &o, int) { return o.GetLanguage(); }, nullptr),
                field<&C::Plz>("Plz"),
                field<&C::Ort>("Ort"),
                field<&C::PlzPf>("PlzPf"),
                field<&C::PF>("PF"),
                field<&C::TelZent>("TelZent"),
                field<&C::FaxZent>("FaxZent"),
                field<&C::TelBest>("TelBest"),
                field<&C::FaxBest>("FaxBest"),
                field<&C::MailTo>("MailTo"),
                field<&C::Url>("Url"),
                access<C>(
                    "PrDefCyl", K::Always,
                    [](const C &o, int) { return std::string(o.PrDefCyl ? "+" : "-"); },
                    [](C &o, int, SV t) { o.PrDefCyl = t != "-"; }),
                property<&C::BEZNR, &C::SetBEZNR>("BEZNR"),
                field<&C::WVK>("WVK"),
                field<&C::WNK>("WNK"),
                field<&C::PrBezId1>("PrBezId1"),
                field<&C::PrBezId2>("PrBezId2"),
                field<&C::PrBezId3>("PrBezId3"),
                field<&C::PrBezId4>("PrBezId4"),
                field<&C::PrBezId5>("PrBezId5"),
                field<&C::Comment>("Comment"),
                child<C>("NLB", [](C &o) -> CatalogNode * { return &o.DeliverableCoatings(); }),
                child<C>("NLG", [](C &o) -> CatalogNode * { return &o.DeliverableLenses(); }),
            });
  itemTag<Tlup6DataAdressliste>(r, "DA");
}

void addPriceDesignation(Registry &r) {
  using C = Tlup6DataPreisbezeichnung;
  add<C>(r, {field<&C::ID>("ID"), field<&C::PFT>("PFT"), field<&C::BEZ>("BEZ"),
             field<&C::WVK>("WVK"), field<&C::WNK>("WNK"), field<&C::BE>("BE")});
  itemTag<Tlup6DataPreisbezeichnungsliste>(r, "DPB");
}

void addInfo(Registry &r) {
  using C = Tlup6DataInfo;
  std::vector<Entry<C>> e;
  for (int slot = 1; slot <= C::kSlots; ++slot)
    for (int type = 0; type < C::kTypes; ++type)
      e.push_back(access<C>(
          InfoTypeShortCode(static_cast<TSf6InfoType>(type)) + std::to_string(slot), K::Optional,
          [](const C &o, int i) { return o.GetLine(i / 16, i % 16); },
          [](C &o, int i, SV t) { o.SetLine(i / 16, i % 16, t); }, slot * 16 + type));
  e.push_back(child<C>("DIL", [](C &o) -> CatalogNode * { return &o.Images(); }));
  add<C>(r, std::move(e));
}

void addLens(Registry &r) {
  using C = Tlup6DataGlas;
  std::vector<Entry<C>> e;
  e.push_back(property<&C::EDV, &C::SetEDV>("EDV"));
  addNames(e);
  e.insert(e.end(),
           {
               dateTime<&C::LA>("LA"),
               dateTime<&C::LB>("LB"),
               field<&C::EM>("EM"),
               field<&C::AG>("AG"),
               field<&C::AGKG>("AGKG"),
               field<&C::AGKB>("AGKB"),
               field<&C::ME>("ME"),
               field<&C::MAT>("MAT"),
               field<&C::BR>("BR"),
               field<&C::DI>("DI"),
               field<&C::AB>("AB"),
               field<&C::AS>("AS"),
               field<&C::ST>("ST"),
               field<&C::ET>("ET"),
               field<&C::FA>("FA"),
               field<&C::PH>("PH"),
               field<&C::HA>("HA"),
               field<&C::CL>("CL"),
               field<&C::UV>("UV"),
               field<&C::VS>("VS"),
               field<&C::MDM>("MDM"),
               field<&C::KDM>("KDM"),
               field<&C::KMDM>("KMDM"),
               field<&C::KDMA>("KDMA"),
               field<&C::AD>("AD"),
               field<&C::Vers>("Vers"),
               field<&C::Pri>("Pri"),
               field<&C::FK>("FK"),
               field<&C::FKB>("FKB"),
               field<&C::STV>("STV"),
               field<&C::UVK>("UVK"),
               field<&C::UVA>("UVA"),
               field<&C::UVB>("UVB"),
               field<&C::EG>("EG"),
               field<&C::TS>("TS"),
               field<&C::EGB>("EGB"),
               field<&C::EdDmA>("EdDmA"),
               property<&C::CSNR, &C::SetCSNR>("CSNR"),
               child<C>("GWL", [](C &o) -> CatalogNode * { return &o.Ranges(); }),
               child<C>("GGL", [](C &o) -> CatalogNode * { return &o.Geometries(); }),
               child<C>("LUP", [](C &o) -> CatalogNode * { return &o.Prices(); }),
               child<C>("DINFO", [](C &o) -> CatalogNode * { return &o.Info(); }),
               child<C>("PG", [](C &o) -> CatalogNode * { return &o.PriceGroups(); }),
               child<C>("FZU", [](C &o) -> CatalogNode * { return &o.FormulaAssignment(); }),
               child<C>("OROP", [](C &o) -> CatalogNode * { return &o.OrderOptions(); }),
           });
  add<C>(r, std::move(e));
  itemTag<Tlup6DataGlasliste>(r, "GL");
}

void addPowerRange(Registry &r) {
  using C = Tlup6DataGlasWirkung;
  add<C>(r, {
                field<&C::DM>("DM"),       field<&C::SphV>("SphV"),   field<&C::SphB>("SphB"),
                field<&C::cylV>("cylV"),   field<&C::CylB>("CylB"),   field<&C::cylWV>("cylWV"),
                field<&C::CylWB>("CylWB"), field<&C::PV>("PV"),       field<&C::AddV>("AddV"),
                field<&C::AddB>("AddB"),   field<&C::AddS>("AddS"),   field<&C::BEDV1>("BEDV1"),
                field<&C::BEDV2>("BEDV2"), field<&C::BEDV3>("BEDV3"), field<&C::BEDV4>("BEDV4"),
                field<&C::BEDV5>("BEDV5"), field<&C::SIP>("SIP"),     dateTime<&C::LA>("LA"),
                dateTime<&C::LB>("LB"),    field<&C::Lag>("Lag"),     field<&C::ELief>("ELief"),
                field<&C::BF>("BF"),       field<&C::DFUR>("DFUR"),   field<&C::OLB>("OLB"),
                field<&C::LBI>("LBI"),     field<&C::LZ>("LZ"),
            });
  itemTag<Tlup6DataGlasWirkungsListe>(r, "GW");
}

void addLensPrice(Registry &r) {
  using C = Tlup6DataGlasPreis;
  add<C>(r, {
                property<&C::GSph, &C::SetGSph>("GSph"),
                property<&C::GCyl, &C::SetGCyl>("GCyl"),
                property<&C::GDM, &C::SetGDM>("GDM"),
                property<&C::LBI, &C::SetLBI>("LBI"),
                property<&C::PBID, &C::SetPBID>("PBID"),
                field<&C::PR>("PR"),
                field<&C::PQ>("PQ"),
                child<C>("DFGL", [](C &o) -> CatalogNode * { return &o.LocalFormula(); }),
            });
  itemTag<Tlup6DataGlasTarifListe>(r, "GP");
}

void addGeometry(Registry &r) {
  using C = Tlup6DataGlasGeometrie;
  add<C>(r, {
                field<&C::Dm>("Dm"),       field<&C::WK>("WK"),       field<&C::WSV>("WSV"),
                field<&C::WSB>("WSB"),     field<&C::DM1H>("DM1H"),   field<&C::DM2H>("DM2H"),
                field<&C::VAFB>("VAFB"),   field<&C::HAFB>("HAFB"),   field<&C::NTT>("NTT"),
                field<&C::VAT>("VAT"),     field<&C::HAT>("HAT"),     field<&C::VAMN>("VAMN"),
                field<&C::URN>("URN"),     field<&C::ORN>("ORN"),     field<&C::BN>("BN"),
                field<&C::HN>("HN"),       field<&C::HZ>("HZ"),       field<&C::VAZK>("VAZK"),
                field<&C::BLR>("BLR"),     field<&C::MVANB>("MVANB"), field<&C::VANB>("VANB"),
                field<&C::MHANP>("MHANP"), field<&C::HANP>("HANP"),
            });
  itemTag<Tlup6DataGlasGeometrieListe>(r, "GG");
}

// The price-group flags have no keys of their own in the classic form, which
// would lose them; "S"n and "C"n (n = 0 .. 50) carry them, written when set.
void addPriceGroups(Registry &r) {
  using C = Tlup6DataPreisgruppen;
  std::vector<Entry<C>> e;
  for (int n = 0; n <= C::kMax; ++n)
    e.push_back(access<C>(
        "S" + std::to_string(n), K::Optional,
        [](const C &o, int i) { return toText(o.IsSphGroup(i)); },
        [](C &o, int i, SV t) { o.SetSphGroup(i, TextToBool(t)); }, n));
  for (int n = 0; n <= C::kMax; ++n)
    e.push_back(access<C>(
        "C" + std::to_string(n), K::Optional,
        [](const C &o, int i) { return toText(o.IsCylGroup(i)); },
        [](C &o, int i, SV t) { o.SetCylGroup(i, TextToBool(t)); }, n));
  add<C>(r, std::move(e));
}

void addCoating(Registry &r) {
  using C = Tlup6DataBeschichtung;
  std::vector<Entry<C>> e;
  e.push_back(property<&C::EDV, &C::SetEDV>("EDV"));
  addNames(e);
  e.insert(e.end(), {
                        dateTime<&C::LA>("LA"),      dateTime<&C::LB>("LB"),
                        field<&C::ME>("ME"),         field<&C::MAT>("MAT"),
                        field<&C::ET>("ET"),         field<&C::FA>("FA"),
                        field<&C::PH>("PH"),         field<&C::HA>("HA"),
                        field<&C::CL>("CL"),         field<&C::UV>("UV"),
                        field<&C::VS>("VS"),         field<&C::ER>("ER"),
                        field<&C::ADU>("ADU"),       field<&C::AD>("AD"),
                        field<&C::ADB>("ADB"),       field<&C::AAD>("AAD"),
                        field<&C::AF>("AF"),         field<&C::WAL>("WAL"),
                        field<&C::DEZ>("DEZ"),       field<&C::PRH>("PRH"),
                        field<&C::MATT>("MATT"),     field<&C::BENT>("BENT"),
                        field<&C::BTOR>("BTOR"),     field<&C::ATOR>("ATOR"),
                        field<&C::BF>("BF"),         field<&C::Vers>("Vers"),
                        field<&C::Stvo>("Stvo"),     field<&C::FK>("FK"),
                        field<&C::FKB>("FKB"),       field<&C::UVK>("UVK"),
                        field<&C::UVA>("UVA"),       field<&C::UVB>("UVB"),
                        field<&C::SphVon>("SphVon"), field<&C::SphBis>("SphBis"),
                        field<&C::DMVon>("DMVon"),   field<&C::DMBis>("DMBis"),
                        field<&C::OLB>("OLB"),       property<&C::CSNR, &C::SetCSNR>("CSNR"),
                        field<&C::EMEG>("EMEG"),     field<&C::STEG>("STEG"),
                    });
  // SF4 codes and names of the materials SF4 knows: silicate, plastic,
  // polycarbonate.
  static constexpr const char *kMaterials[] = {"Sil", "Kun", "Pol"};
  for (int m = 1; m <= 3; ++m) {
    e.push_back(access<C>(
        std::string("SF4EDV") + kMaterials[m - 1], K::Optional,
        [](const C &o, int i) { return o.GetSF4Code(i); },
        [](C &o, int i, SV t) { o.SetSF4Code(i, t); }, m));
    e.push_back(access<C>(
        std::string("SF4Bez") + kMaterials[m - 1], K::Optional,
        [](const C &o, int i) { return o.GetSF4Name(i); },
        [](C &o, int i, SV t) { o.SetSF4Name(i, t); }, m));
  }
  e.insert(e.end(),
           {
               child<C>("DFL", [](C &o) -> CatalogNode * { return &o.Colours(); }),
               child<C>("BPL", [](C &o) -> CatalogNode * { return &o.Prices(); }),
               child<C>("DINFO", [](C &o) -> CatalogNode * { return &o.Info(); }),
               child<C>("SOPR", [](C &o) -> CatalogNode * { return &o.SpecialProducts(); }),
               child<C>("FZU", [](C &o) -> CatalogNode * { return &o.FormulaAssignment(); }),
               child<C>("OROP", [](C &o) -> CatalogNode * { return &o.OrderOptions(); }),
           });
  add<C>(r, std::move(e));
  itemTag<Tlup6DataBeschichtungsliste>(r, "BESCH");
}

void addColour(Registry &r) {
  using C = Tlup6DataFarbe;
  std::vector<Entry<C>> e;
  e.push_back(field<&C::EDV>("EDV"));
  addNames(e);
  e.push_back(field<&C::AbV>("AbV"));
  e.push_back(field<&C::AbO>("AbO"));
  // rgb + r/g/b + o (top) / m (middle) / u (bottom); index = part * 3 + colour.
  static constexpr const char *kParts = "omu";
  static constexpr const char *kColours = "rgb";
  for (int part = 0; part < 3; ++part)
    for (int colour = 0; colour < 3; ++colour)
      e.push_back(access<C>(
          std::string("rgb") + kColours[colour] + kParts[part], K::Always,
          [](const C &o, int i) {
            const Lup6Rgb &rgb = i / 3 == 0 ? o.Top : i / 3 == 1 ? o.Middle : o.Bottom;
            return IntToText(i % 3 == 0 ? rgb.r : i % 3 == 1 ? rgb.g : rgb.b);
          },
          [](C &o, int i, SV t) {
            Lup6Rgb &rgb = i / 3 == 0 ? o.Top : i / 3 == 1 ? o.Middle : o.Bottom;
            uint8_t &value = i % 3 == 0 ? rgb.r : i % 3 == 1 ? rgb.g : rgb.b;
            value = static_cast<uint8_t>(TextToInt(t));
          },
          part * 3 + colour));
  e.insert(e.end(), {field<&C::Stvo>("Stvo"), field<&C::FK>("FK"), field<&C::UVK>("UVK"),
                     field<&C::UVA>("UVA"), field<&C::UVB>("UVB")});
  add<C>(r, std::move(e));
  itemTag<Tlup6DataFarbListe>(r, "DFA");
}

void addCoatingPrice(Registry &r) {
  using C = Tlup6DataBeschichtungspreis;
  add<C>(r, {
                property<&C::Edv, &C::SetEdv>("Edv"),
                property<&C::ST, &C::SetST>("ST"),
                property<&C::MAT, &C::SetMAT>("MAT"),
                property<&C::EM, &C::SetEM>("EM"),
                property<&C::PBID, &C::SetPBID>("PBID"),
                field<&C::PQ>("PQ"),
                field<&C::PR>("PR"),
                child<C>("DFBL", [](C &o) -> CatalogNode * { return &o.LocalFormula(); }),
            });
  itemTag<Tlup6DataBeschichtungspreisListe>(r, "BP");
}

void addCombination(Registry &r) {
  using C = Tlup6DataKombination;
  add<C>(r, {
                property<&C::LB, &C::SetLB>("LB"),
                property<&C::GE, &C::SetGE>("GE"),
                property<&C::B1E, &C::SetB1E>("B1E"),
                property<&C::B2E, &C::SetB2E>("B2E"),
                property<&C::B3E, &C::SetB3E>("B3E"),
            });
  itemTag<Tlup6DataKombinationsListe>(r, "KO");
}

void addFormulaGroup(Registry &r) {
  using C = Tlup6DataFormelGruppe;
  std::vector<Entry<C>> e = {
      property<&C::ID, &C::SetID>("ID"),
      field<&C::KB>("KB"),
      field<&C::QPBID>("QPBID"),
      field<&C::AZPBID>("AZPBID"),
  };
  // "AZG" + lens kind letter + material letter, "AZB" + coating category
  // letter + material letter; index = row * 8 + material.
  static constexpr const char *kMaterials = "SKPT";
  static constexpr const char *kKinds = "EBTGO";
  static constexpr const char *kCategories = "EFSP";
  for (int em = 0; em < 5; ++em)
    for (int mat = 1; mat <= 4; ++mat)
      e.push_back(access<C>(
          std::string("AZG") + kKinds[em] + kMaterials[mat - 1], K::Optional,
          [](const C &o, int i) { return toText(o.GetLensFlag(i / 8, i % 8)); },
          [](C &o, int i, SV t) { o.SetLensFlag(i / 8, i % 8, TextToBool(t)); }, em * 8 + mat));
  for (int cat = 0; cat < 4; ++cat)
    for (int mat = 1; mat <= 4; ++mat)
      e.push_back(access<C>(
          std::string("AZB") + kCategories[cat] + kMaterials[mat - 1], K::Optional,
          [](const C &o, int i) { return toText(o.GetCoatingFlag(i / 8, i % 8)); },
          [](C &o, int i, SV t) { o.SetCoatingFlag(i / 8, i % 8, TextToBool(t)); }, cat * 8 + mat));
  e.push_back(child<C>("DFC", [](C &o) -> CatalogNode * { return &o.Ranges(); }));
  add<C>(r, std::move(e));
  itemTag<Tlup6DataFormelGruppeListe>(r, "DFGG");
}

void addFormulaRange(Registry &r) {
  using C = Tlup6DataFormelBereich;
  add<C>(r, {
                field<&C::QPRV>("QPRV"),
                field<&C::QPRB>("QPRB"),
                field<&C::SphV>("SphV"),
                field<&C::SphB>("SphB"),
                field<&C::CylV>("CylV"),
                field<&C::CylB>("CylB"),
                field<&C::DMV>("DMV"),
                field<&C::DMB>("DMB"),
                field<&C::EL>("EL"),
                child<C>("DFOC", [](C &o) -> CatalogNode * { return &o.Calc(); }),
            });
  itemTag<Tlup6DataFormelBereichListe>(r, "DFOB");
}

void addCalc(Registry &r) {
  using C = Tlup6DataFormelCalc;
  add<C>(r, {field<&C::FI1>("FI1"), field<&C::VAR1>("VAR1"), field<&C::VAL1>("VAL1"),
             field<&C::FI2>("FI2"), field<&C::VAR2>("VAR2"), field<&C::VAL2>("VAL2"),
             field<&C::FI3>("FI3"), field<&C::VAR3>("VAR3"), field<&C::VAL3>("VAL3"),
             field<&C::FI4>("FI4"), field<&C::VAR4>("VAR4"), field<&C::VAL4>("VAL4"),
             field<&C::FRT>("FRT")});
}

void addLocalFormulas(Registry &r) {
  {
    using C = Tlup6DataFormelLokalGlas;
    add<C>(r, {field<&C::QGEdv>("QGEdv"), field<&C::QSph>("QSph"), field<&C::QCyl>("QCyl"),
               field<&C::QPBID>("QPBID"), field<&C::QLBI>("QLBI"), field<&C::QDM>("QDM"),
               child<C>("DFOC", [](C &o) -> CatalogNode * { return &o.Calc(); })});
  }
  {
    using C = Tlup6DataFormelLokalBeschichtung;
    add<C>(r, {field<&C::QEdv>("QEdv"), field<&C::QSphTor>("QSphTor"), field<&C::QEM>("QEM"),
               field<&C::QMat>("QMat"), field<&C::QPBID>("QPBID"), field<&C::QSP>("QSP"),
               child<C>("DFOC", [](C &o) -> CatalogNode * { return &o.Calc(); })});
  }
}

void addAssignment(Registry &r) {
  using C = Tlup6DataFormelZuweisung;
  Entry<C> e{"FZUE", K::Each};
  e.each = [](const C &o) -> const LineList & { return o.FZUE; };
  e.set = [](C &o, int, SV t) { o.FZUE.emplace_back(t); };
  e.clearEach = [](C &o) { o.FZUE.clear(); };
  add<C>(r, {e});
}

void addSmallLists(Registry &r) {
  {
    using C = Tlup6DataVariable;
    add<C>(r, {field<&C::Id>("Id"), field<&C::Bez>("Bez"), field<&C::W>("W")});
    itemTag<Tlup6DataVariableliste>(r, "DV");
  }
  {
    using C = Tlup6DataLieferbereichsbezeichnung;
    add<C>(r, {field<&C::ID>("ID"), field<&C::Bez>("Bez")});
    itemTag<Tlup6DataLieferbereichsbezeichnungsliste>(r, "LBB");
  }
  {
    using C = Tlup6DataPrismenCylinder;
    add<C>(r, {field<&C::ZB>("ZB"), field<&C::ZG1>("ZG1"), field<&C::ZG2>("ZG2"),
               field<&C::PG1>("PG1"), field<&C::PG2>("PG2"), field<&C::PG3>("PG3"),
               field<&C::PG4>("PG4"), field<&C::PG5>("PG5")});
  }
  {
    using C = Tlup6DataProtokoll;
    add<C>(r, {access<C>(
                   "O", K::Always, [](const C &o, int) { return IntToText(o.OID()); },
                   [](C &o, int, SV t) { o.SetOID(TextToInt(t)); }),
               dateTime<&C::D>("D"), field<&C::B>("B"), field<&C::U>("U")});
    itemTag<Tlup6DataProtokollliste>(r, "PE");
  }
  {
    using C = Tlup6DataProduktgruppe;
    add<C>(r, {field<&C::ID>("ID"), field<&C::BEZ>("BEZ"), field<&C::BE>("BE"),
               child<C>("NLB", [](C &o) -> CatalogNode * { return &o.DeliverableCoatings(); }),
               child<C>("NLG", [](C &o) -> CatalogNode * { return &o.DeliverableLenses(); })});
    itemTag<Tlup6DataProduktgruppenliste>(r, "DPG");
  }
  {
    using C = Tlup6DataOrderOptions;
    add<C>(r, {access<C>(
                   "MUTE", K::Always, [](const C &o, int) { return IntToText(o.MUTE().bits); },
                   [](C &o, int, SV t) { o.SetMUTE(OrderFieldSet{TextToInt(t) & 0xFFFFFFu}); }),
               access<C>(
                   "KADU", K::Always, [](const C &o, int) { return IntToText(o.KADU().bits); },
                   [](C &o, int, SV t) { o.SetKADU(OrderFieldSet{TextToInt(t) & 0xFFFFFFu}); }),
               access<C>(
                   "MUDU", K::Always, [](const C &o, int) { return IntToText(o.MUDU().bits); },
                   [](C &o, int, SV t) { o.SetMUDU(OrderFieldSet{TextToInt(t) & 0xFFFFFFu}); })});
  }
  {
    using C = Tlup6DataCodeSubstGlas;
    add<C>(r, {field<&C::AKT>("AKT"), field<&C::CA>("CA"), field<&C::CN>("CN"),
               field<&C::BEM>("BEM")});
    itemTag<Tlup6DataCodeSubstGlasList>(r, "COSUBG");
  }
  {
    using C = Tlup6DataCodeSubstBesch;
    add<C>(r, {field<&C::AKT>("AKT"), field<&C::CA>("CA"), field<&C::CN1>("CN1"),
               field<&C::CN2>("CN2"), field<&C::CN3>("CN3"), field<&C::BEM>("BEM")});
    itemTag<Tlup6DataCodeSubstBeschList>(r, "COSUBB");
  }
  {
    using C = Tlup6DataImage;
    add<C>(r, {field<&C::FN>("FN"), field<&C::BB>("BB")});
    itemTag<Tlup6DataImageListe>(r, "DIM");
  }
  {
    using C = Tlup6DataBezeichnungsvorgaben;
    std::vector<Entry<C>> e;
    for (int n = 1; n <= 10; ++n) {
      e.push_back(access<C>(
          "BEZ" + std::to_string(n), K::Optional, [](const C &o, int i) { return o.GetName(i); },
          [](C &o, int i, SV t) { o.SetName(i, t); }, n));
      e.push_back(access<C>(
          "LANG" + std::to_string(n), K::Optional,
          [](const C &o, int i) { return o.GetLanguage(i); },
          [](C &o, int i, SV t) { o.SetLanguage(i, t); }, n));
    }
    add<C>(r, std::move(e));
  }
  r.classes.emplace(std::type_index(typeid(Tlup6DataStrings)), std::make_unique<StringsTable>());
  r.classes.emplace(std::type_index(typeid(Tlup6DataLieferbareGlaeser)),
                    std::make_unique<DeliverableTable>());
  r.classes.emplace(std::type_index(typeid(Tlup6DataLieferbareBeschichtungen)),
                    std::make_unique<DeliverableTable>());
}

Registry buildRegistry() {
  Registry r;
  addAddress(r);
  addPriceDesignation(r);
  addInfo(r);
  addLens(r);
  addPowerRange(r);
  addLensPrice(r);
  addGeometry(r);
  addPriceGroups(r);
  addCoating(r);
  addColour(r);
  addCoatingPrice(r);
  addCombination(r);
  addFormulaGroup(r);
  addFormulaRange(r);
  addCalc(r);
  addLocalFormulas(r);
  addAssignment(r);
  addSmallLists(r);
  return r;
}

} // namespace

const Registry &registry() {
  static const Registry r = buildRegistry();
  return r;
}

} // namespace sf6::xml
