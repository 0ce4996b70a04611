#include "model/Formula.h"

#include <algorithm>

#include "lang/LanguageTable.h"
#include "model/Coating.h"
#include "model/Lens.h"
#include "model/Root.h"

namespace sf6 {

// Calculation --------------------------------------------------------------------

void Tlup6DataFormelCalc::Clear(bool) {
  VAL1 = VAL2 = VAL3 = VAL4 = 0;
  FI1 = FI2 = FI3 = FI4 = 0;
  VAR1 = VAR2 = VAR3 = VAR4 = 0;
  FRT = 0;
}

namespace {

double nearest(double x) {
  return static_cast<double>(RoundHalfEven(x));
}

double applyStep(double x, uint8_t op, double c, double v) {
  switch (op) {
  case 1:
    return x + c;
  case 2:
    return x + x * c / 100;
  case 3:
    return x - c;
  case 4:
    return x - x * c / 100;
  case 5:
    return x * c;
  case 6:
    return x + v;
  case 7:
    return x + v * x / 100;
  case 8:
    return x - v;
  case 9:
    return x - v * x / 100;
  case 10:
    return v * x;
  default:
    return x;
  }
}

double applyRounding(double x, uint8_t frt) {
  switch (frt) {
  case 1:
    return nearest(x * 100 / 5) * 5 / 100;
  case 2:
    return nearest(x * 10) / 10;
  case 3:
    return nearest(x * 10 / 5) * 5 / 10;
  case 4:
    return nearest(x);
  case 5:
    return nearest(x / 2) * 2;
  case 6:
    return nearest(x / 5) * 5;
  default:
    return x;
  }
}

} // namespace

double Tlup6DataFormelCalc::Evaluate(double x) const {
  const Tlup6DataVariableliste *vars = Root() != nullptr ? &Root()->Variables() : nullptr;
  auto value = [vars](uint16_t id) { return vars != nullptr ? vars->GetValue(id) : 0.0; };
  const struct {
    uint8_t op;
    double c;
    uint16_t var;
  } steps[] = {{FI1, VAL1, VAR1}, {FI2, VAL2, VAR2}, {FI3, VAL3, VAR3}, {FI4, VAL4, VAR4}};
  for (const auto &s : steps)
    x = applyStep(x, s.op, s.c, s.op >= 6 && s.op <= 10 ? value(s.var) : 0.0);
  return applyRounding(x, FRT);
}

// Ranges and groups ----------------------------------------------------------------

Tlup6DataFormelBereich::Tlup6DataFormelBereich(Tlup6Dataobject *root, bool assignOid,
                                               CatalogNode *owner)
    : TCustomlup6Object(root, assignOid, owner), m_calc(root, true, this) {
  Tlup6DataFormelBereich::Clear(false);
}

Tlup6DataFormelBereich::~Tlup6DataFormelBereich() = default;

void Tlup6DataFormelBereich::Clear(bool flag) {
  QPRV = 0;
  QPRB = 10000;
  SphV = 0;
  SphB = 50;
  DMV = 0;
  DMB = 99;
  EL = 0;
  CylV = 0;
  CylB = 25;
  m_calc.Clear(flag);
}

bool Tlup6DataFormelBereich::Matches(const TSf6Diameter &diameter, int cylGroup, int sphGroup,
                                     double sourcePrice) const {
  const double sph = sphGroup;
  const double cyl = cylGroup;
  if (sourcePrice < QPRV || sourcePrice > QPRB)
    return false;
  if (sph < SphV || sph > SphB || cyl < CylV || cyl > CylB)
    return false;
  if (diameter.First < DMV || diameter.First > DMB)
    return false;
  return EL == 0 || (EL == 1 && diameter.E) || (EL == 2 && !diameter.E);
}

Tlup6DataFormelGruppe::Tlup6DataFormelGruppe(Tlup6Dataobject *root, bool assignOid,
                                             Tlup6DataFormelGruppeListe *owner)
    : TCustomlup6Object(root, assignOid, owner), m_ranges(root, this) {
  Tlup6DataFormelGruppe::Clear(false);
}

Tlup6DataFormelGruppe::~Tlup6DataFormelGruppe() = default;

void Tlup6DataFormelGruppe::Clear(bool flag) {
  KB.clear();
  QPBID = 0;
  AZPBID = 0;
  m_lensFlags = {};
  m_coatingFlags = {};
  m_ID = 0;
  m_ranges.ClearList(flag);
}

Tlup6DataFormelGruppeListe *Tlup6DataFormelGruppe::GroupList() const {
  return static_cast<Tlup6DataFormelGruppeListe *>(Owner());
}

void Tlup6DataFormelGruppe::SetID(int32_t id) {
  m_ID = id;
  const Tlup6DataFormelGruppeListe *list = GroupList();
  if (list == nullptr)
    return;
  const bool taken = list->FindFirst([&](const Tlup6DataFormelGruppe &g) {
    return &g != this && g.ID() == id;
  }) != nullptr;
  if (id == 0 || taken)
    m_ID = list->NextFreeID();
}

bool Tlup6DataFormelGruppe::GetLensFlag(int em, int mat) const {
  if (em < 0 || em > 4 || mat < 1 || mat > 4)
    return false;
  return m_lensFlags[static_cast<std::size_t>(em)][static_cast<std::size_t>(mat - 1)];
}
void Tlup6DataFormelGruppe::SetLensFlag(int em, int mat, bool flag) {
  if (em < 0 || em > 4 || mat < 1 || mat > 4)
    return;
  m_lensFlags[static_cast<std::size_t>(em)][static_cast<std::size_t>(mat - 1)] = flag;
}
bool Tlup6DataFormelGruppe::GetCoatingFlag(int category, int mat) const {
  if (category < 0 || category > 3 || mat < 1 || mat > 4)
    return false;
  return m_coatingFlags[static_cast<std::size_t>(category)][static_cast<std::size_t>(mat - 1)];
}
void Tlup6DataFormelGruppe::SetCoatingFlag(int category, int mat, bool flag) {
  if (category < 0 || category > 3 || mat < 1 || mat > 4)
    return;
  m_coatingFlags[static_cast<std::size_t>(category)][static_cast<std::size_t>(mat - 1)] = flag;
}

bool Tlup6DataFormelGruppe::AppliesToLens(int32_t pbid, int em, int mat) const {
  return AZPBID == static_cast<uint16_t>(pbid) && GetLensFlag(em, mat);
}
bool Tlup6DataFormelGruppe::AppliesToCoating(int32_t pbid, int category, int mat) const {
  return AZPBID == static_cast<uint16_t>(pbid) && GetCoatingFlag(category, mat);
}

Tlup6DataFormelBereich *Tlup6DataFormelGruppe::FindRange(const TSf6Diameter &diameter, int cylGroup,
                                                         int sphGroup, double sourcePrice) const {
  return m_ranges.FindFirst([&](const Tlup6DataFormelBereich &r) {
    return r.Matches(diameter, cylGroup, sphGroup, sourcePrice);
  });
}

Tlup6DataFormelBereich *Tlup6DataFormelGruppe::FindRangeByPrice(double sourcePrice) const {
  return m_ranges.FindFirst([&](const Tlup6DataFormelBereich &r) {
    return r.QPRV <= sourcePrice && sourcePrice <= r.QPRB;
  });
}

Tlup6DataFormelGruppe *Tlup6DataFormelGruppeListe::FindByID(int32_t id) const {
  return FindFirst([id](const Tlup6DataFormelGruppe &g) { return g.ID() == id; });
}

int32_t Tlup6DataFormelGruppeListe::NextFreeID() const {
  if (Count() == 0)
    return 1;
  int32_t m = Items(0)->ID();
  for (auto &g : *this)
    m = std::max(m, g.ID());
  return m + 1;
}

Tlup6DataFormelGruppe *
Tlup6DataFormelGruppeListe::FindGroupForLensPrice(const Tlup6DataGlasPreis &price) const {
  const Tlup6DataGlas *lens = price.GetLens();
  if (lens == nullptr)
    return nullptr;
  // An assignment names a group only with a non-zero ID: 0 is "none", not a
  // group that happens to have ID 0.
  if (lens->FormulaAssignment().FindAssignedGroupID(price.PBID(), TSf6Material::Egal) != 0)
    if (Tlup6DataFormelGruppe *assigned =
            lens->FormulaAssignment().FindAssignedGroup(price.PBID(), TSf6Material::Egal))
      return assigned;
  const Tlup6DataGlasTarifListe *prices = &lens->Prices();
  return FindFirst([&](const Tlup6DataFormelGruppe &g) {
    const Tlup6DataGlasPreis *source =
        prices->FindPrice(price.GSph(), price.GCyl(), price.LBI(), g.QPBID, price.GDM());
    return source != nullptr &&
           g.AppliesToLens(price.PBID(), static_cast<int>(lens->EM), static_cast<int>(lens->MAT)) &&
           g.FindRange(price.GDM(), price.GCyl(), price.GSph(), source->GetPrice()) != nullptr;
  });
}

namespace {

// The one skeleton of a price computed by a formula group: the group's source
// price (column QPBID) is evaluated, the group's range for it is found, and
// the range's calculation gives the value. findSource and findRange are what
// lens and coating prices look up differently.
template <class FindSource, class FindRange>
int ComputeGroupPrice(const Tlup6DataFormelGruppe *group, double &value, FindSource findSource,
                      FindRange findRange) {
  value = 0;
  if (group == nullptr)
    return kPriceNoValue;
  const auto *source = findSource(*group);
  if (source == nullptr)
    return kPriceNoValue;
  double s = 0;
  if (source->ComputePrice(s, false) != kPriceOk)
    return kPriceNoValue;
  const Tlup6DataFormelBereich *range = findRange(*group, s);
  if (range == nullptr)
    return kPriceNoValue;
  value = range->Calc().Evaluate(s);
  return kPriceOk;
}

} // namespace

int Tlup6DataFormelGruppeListe::ComputeLensPrice(const Tlup6DataGlasPreis &price,
                                                 double &value) const {
  return ComputeGroupPrice(
      FindGroupForLensPrice(price), value,
      [&](const Tlup6DataFormelGruppe &group) {
        return price.GetLens()->Prices().FindPrice(price.GSph(), price.GCyl(), price.LBI(),
                                                   group.QPBID, price.GDM());
      },
      [&](const Tlup6DataFormelGruppe &group, double source) {
        return group.FindRange(price.GDM(), price.GCyl(), price.GSph(), source);
      });
}

Tlup6DataFormelGruppe *Tlup6DataFormelGruppeListe::FindGroupForCoatingPrice(
    const Tlup6DataBeschichtungspreis &price) const {
  const Tlup6DataBeschichtung *coating = price.GetCoating();
  if (coating == nullptr)
    return nullptr;
  const TSf6Material m = price.EffectiveMaterial();
  const TSf6SingleMulti e = price.EffectiveEM();
  if (coating->FormulaAssignment().FindAssignedGroupID(price.PBID(), m) != 0)
    if (Tlup6DataFormelGruppe *assigned =
            coating->FormulaAssignment().FindAssignedGroup(price.PBID(), m))
      return assigned;
  const Tlup6DataBeschichtungspreisListe *prices = &coating->Prices();
  const int category = coating->GetCategory();
  return FindFirst([&](const Tlup6DataFormelGruppe &g) {
    const Tlup6DataBeschichtungspreis *source =
        prices->FindCoatingPrice(price.ST(), e, price.Edv(), g.QPBID, m);
    return source != nullptr && g.AppliesToCoating(price.PBID(), category, static_cast<int>(m)) &&
           g.FindRangeByPrice(source->GetPrice()) != nullptr;
  });
}

int Tlup6DataFormelGruppeListe::ComputeCoatingPrice(const Tlup6DataBeschichtungspreis &price,
                                                    double &value) const {
  return ComputeGroupPrice(
      FindGroupForCoatingPrice(price), value,
      [&](const Tlup6DataFormelGruppe &group) {
        return price.GetCoating()->Prices().FindCoatingPrice(
            price.ST(), price.EffectiveEM(), price.Edv(), group.QPBID, price.EffectiveMaterial());
      },
      [](const Tlup6DataFormelGruppe &group, double source) {
        return group.FindRangeByPrice(source);
      });
}

// Local formulas ------------------------------------------------------------------------

Tlup6DataFormelLokalGlas::Tlup6DataFormelLokalGlas(Tlup6Dataobject *root, bool assignOid,
                                                   Tlup6DataGlasPreis *owner)
    : TCustomlup6Object(root, assignOid, owner), m_calc(root, assignOid, this) {
  Tlup6DataFormelLokalGlas::Clear(false);
}

Tlup6DataFormelLokalGlas::~Tlup6DataFormelLokalGlas() = default;

void Tlup6DataFormelLokalGlas::Clear(bool flag) {
  QCyl = -1;
  QSph = -1;
  QGEdv.clear();
  QPBID = -1;
  QLBI = -1;
  QDM = {};
  m_calc.Clear(flag);
}

void Tlup6DataFormelLokalGlas::TakeReservedOids(int32_t first) {
  SetOID(first);
  m_calc.SetOID(first + 1);
}

Tlup6DataGlasPreis *Tlup6DataFormelLokalGlas::GetPrice() const {
  return static_cast<Tlup6DataGlasPreis *>(Owner());
}

int Tlup6DataFormelLokalGlas::ResolvedCyl() const {
  const Tlup6DataGlasPreis *p = GetPrice();
  return QCyl < 0 && p != nullptr ? p->GCyl() : QCyl;
}
int Tlup6DataFormelLokalGlas::ResolvedSph() const {
  const Tlup6DataGlasPreis *p = GetPrice();
  return QSph < 0 && p != nullptr ? p->GSph() : QSph;
}
std::string Tlup6DataFormelLokalGlas::ResolvedLensCode() const {
  if (!QGEdv.empty())
    return QGEdv;
  const Tlup6DataGlasPreis *p = GetPrice();
  const Tlup6DataGlas *lens = p != nullptr ? p->GetLens() : nullptr;
  return lens != nullptr ? lens->EDV() : std::string();
}
int32_t Tlup6DataFormelLokalGlas::ResolvedPBID() const {
  const Tlup6DataGlasPreis *p = GetPrice();
  return QPBID < 0 && p != nullptr ? p->PBID() : QPBID;
}
int32_t Tlup6DataFormelLokalGlas::ResolvedLBI() const {
  const Tlup6DataGlasPreis *p = GetPrice();
  return QLBI < 0 && p != nullptr ? p->LBI() : QLBI;
}
TSf6Diameter Tlup6DataFormelLokalGlas::ResolvedDM() const {
  const Tlup6DataGlasPreis *p = GetPrice();
  return QDM.First == 0 && p != nullptr ? p->GDM() : QDM;
}

int Tlup6DataFormelLokalGlas::ComputeLocal(double &value) const {
  value = 0;
  if (Root() == nullptr)
    return kPriceNoValue;
  const Tlup6DataGlas *lens = Root()->Lenses().FindByCode(ResolvedLensCode());
  if (lens == nullptr)
    return kPriceNoValue;
  const Tlup6DataGlasPreis *source = lens->Prices().FindPrice(
      ResolvedSph(), ResolvedCyl(), ResolvedLBI(), ResolvedPBID(), ResolvedDM());
  double s = 0;
  if (source == nullptr || source->ComputePrice(s, false) != kPriceOk)
    return kPriceNoValue;
  value = m_calc.Evaluate(s);
  return kPriceOk;
}

Tlup6DataFormelLokalBeschichtung::Tlup6DataFormelLokalBeschichtung(
    Tlup6Dataobject *root, bool assignOid, Tlup6DataBeschichtungspreis *owner)
    : TCustomlup6Object(root, assignOid, owner), m_calc(root, assignOid, this) {
  Tlup6DataFormelLokalBeschichtung::Clear(false);
}

Tlup6DataFormelLokalBeschichtung::~Tlup6DataFormelLokalBeschichtung() = default;

void Tlup6DataFormelLokalBeschichtung::Clear(bool flag) {
  QSP.clear();
  QSphTor = 0;
  QEM = 0;
  QMat = 0;
  QEdv.clear();
  QPBID = 0;
  m_calc.Clear(flag);
}

void Tlup6DataFormelLokalBeschichtung::TakeReservedOids(int32_t first) {
  SetOID(first);
  m_calc.SetOID(first + 1);
}

Tlup6DataBeschichtungspreis *Tlup6DataFormelLokalBeschichtung::GetPrice() const {
  return static_cast<Tlup6DataBeschichtungspreis *>(Owner());
}

TSf6SphTor Tlup6DataFormelLokalBeschichtung::ResolvedSphTor() const {
  const Tlup6DataBeschichtungspreis *p = GetPrice();
  if (QSphTor < 0)
    return p != nullptr ? p->ST() : TSf6SphTor::Egal;
  return EnumFromCode<TSf6SphTor>(QSphTor);
}
TSf6SingleMulti Tlup6DataFormelLokalBeschichtung::ResolvedEM() const {
  const Tlup6DataBeschichtungspreis *p = GetPrice();
  if (QEM < 0)
    return p != nullptr ? p->EffectiveEM() : TSf6SingleMulti::Egal;
  return EnumFromCode<TSf6SingleMulti>(QEM);
}
TSf6Material Tlup6DataFormelLokalBeschichtung::ResolvedMaterial() const {
  if (QMat >= -1)
    return QMat >= 0 && QMat <= 4 ? static_cast<TSf6Material>(QMat) : TSf6Material::Silikat;
  const Tlup6DataBeschichtungspreis *p = GetPrice();
  return p != nullptr ? p->EffectiveMaterial() : TSf6Material::Silikat;
}
std::string Tlup6DataFormelLokalBeschichtung::ResolvedCoatingCode() const {
  if (!QEdv.empty())
    return QEdv;
  const Tlup6DataBeschichtungspreis *p = GetPrice();
  const Tlup6DataBeschichtung *c = p != nullptr ? p->GetCoating() : nullptr;
  return c != nullptr ? c->EDV() : std::string();
}
int32_t Tlup6DataFormelLokalBeschichtung::ResolvedPBID() const {
  const Tlup6DataBeschichtungspreis *p = GetPrice();
  return QPBID < 0 && p != nullptr ? p->PBID() : QPBID;
}

int Tlup6DataFormelLokalBeschichtung::ComputeLocal(double &value) const {
  value = 0;
  if (Root() == nullptr)
    return kPriceNoValue;
  const Tlup6DataBeschichtung *coating = Root()->Coatings().FindByCode(ResolvedCoatingCode());
  if (coating == nullptr)
    return kPriceNoValue;
  const Tlup6DataBeschichtungspreis *source =
      QSP.empty() ? coating->Prices().FindCoatingPrice(ResolvedSphTor(), ResolvedEM(), "",
                                                       ResolvedPBID(), ResolvedMaterial())
                  : coating->Prices().FindLensCoatingPrice(QSP, ResolvedPBID());
  double s = 0;
  if (source == nullptr || source->ComputePrice(s, false) != kPriceOk)
    return kPriceNoValue;
  value = m_calc.Evaluate(s);
  return kPriceOk;
}

// Formula assignment ----------------------------------------------------------------------

int32_t Tlup6DataFormelZuweisung::FindAssignedGroupID(int32_t pbid, TSf6Material mat) const {
  const int materialCode = EnumCode(mat);
  for (const std::string &entry : FZUE) {
    if (TextToInt(NthToken(entry, "x", 1)) == pbid &&
        TextToInt(NthToken(entry, "x", 3)) == materialCode)
      return TextToInt(NthToken(entry, "x", 2));
  }
  return 0;
}

Tlup6DataFormelGruppe *Tlup6DataFormelZuweisung::FindAssignedGroup(int32_t pbid,
                                                                   TSf6Material mat) const {
  if (Root() == nullptr)
    return nullptr;
  return Root()->FormulaGroups().FindByID(FindAssignedGroupID(pbid, mat));
}

// Variables, delivery-range names, prism/cylinder limits ---------------------------------------

void Tlup6DataVariable::Clear(bool) {
  W = 0;
  Id = 0;
  Bez.clear();
}

Tlup6DataVariable *Tlup6DataVariableliste::AddNext() {
  const int32_t id = MaxIdPlusOne([](const Tlup6DataVariable &v) { return v.Id; }, 0);
  Tlup6DataVariable *v = AddNew();
  v->Id = id;
  return v;
}

double Tlup6DataVariableliste::GetValue(int32_t id) const {
  const Tlup6DataVariable *v = FindLast([id](const Tlup6DataVariable &x) { return x.Id == id; });
  return v != nullptr ? v->W : 0.0;
}

void Tlup6DataLieferbereichsbezeichnung::Clear(bool) {
  Bez.clear();
  ID = 0;
}

Tlup6DataLieferbereichsbezeichnung *Tlup6DataLieferbereichsbezeichnungsliste::AddNext() {
  const int32_t id =
      MaxIdPlusOne([](const Tlup6DataLieferbereichsbezeichnung &d) { return d.ID; }, 0);
  Tlup6DataLieferbereichsbezeichnung *d = AddNew();
  d->ID = id;
  return d;
}

Tlup6DataLieferbereichsbezeichnung *
Tlup6DataLieferbereichsbezeichnungsliste::FindByID(int32_t id) const {
  return FindLast([id](const Tlup6DataLieferbereichsbezeichnung &d) { return d.ID == id; });
}

void Tlup6DataLieferbereichsbezeichnungsliste::ClearList(bool withDefaults) {
  clearItems();
  if (!withDefaults)
    return;
  Tlup6DataLieferbereichsbezeichnung *d = AddNew();
  d->Bez = LangText(146);
  d->ID = 0;
}

void Tlup6DataPrismenCylinder::Clear(bool) {
  PG2 = 6;
  ZB = 4;
  PG1 = 3;
  PG3 = 10;
  PG5 = 0;
  PG4 = 15;
  ZG1 = 6;
  ZG2 = 8;
}

int GuardedPriceEvaluation(
    const TCustomlup6Object &price, bool resetGuard, double &value,
    const std::function<int(Tlup6Dataobject &root, double &value)> &evaluate) {
  value = 0;
  Tlup6Dataobject *root = price.Root();
  if (root == nullptr)
    return kPriceNoValue;
  auto &guard = root->EvaluationGuard();
  if (resetGuard)
    guard.clear();
  if (std::find(guard.begin(), guard.end(), &price) != guard.end())
    return kPriceCycle;
  std::size_t &steps = root->EvaluationSteps();
  if (guard.empty())
    steps = 0;
  if (guard.size() >= kMaxPriceEvaluationDepth || ++steps > kMaxPriceEvaluationSteps)
    return kPriceNoValue;
  guard.push_back(&price);
  const int result = evaluate(*root, value);
  // Remove this evaluation's own entry (the last one naming this price).
  auto it = std::find(guard.rbegin(), guard.rend(), &price);
  if (it != guard.rend())
    guard.erase(std::next(it).base());
  return result;
}

} // namespace sf6
