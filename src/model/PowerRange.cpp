#include "model/PowerRange.h"
#include "model/Lens.h"

#include <algorithm>
#include <set>

#include "lang/LanguageTable.h"
#include "model/Coating.h"
#include "model/NameSlots.h"
#include "model/PriceSource.h"

namespace sf6 {

// Power ranges ---------------------------------------------------------------------

std::string Tlup6DataGlasWirkung::GetDisplayText(int kind, std::string_view) const {
  std::string text = TCustomlup6Object::GetDisplayText(kind, LangText(116));
  if (const Tlup6DataGlas *lens = GetLens())
    text += lens->EDV() + " " + lens->GetName(1);
  return text;
}

void Tlup6DataGlasWirkung::Clear(bool) {
  PV = SphV = SphB = AddB = cylV = AddV = CylB = 0;
  AddS = TSf6AddStep::Step025;
  Lag = ELief = BF = false;
  LB = LA = 0;
  BEDV1.clear();
  BEDV2.clear();
  BEDV3.clear();
  BEDV4.clear();
  BEDV5.clear();
  LBI = 0;
  LZ = 0;
  DM = {};
  cylWV = CylWB = 0;
  SIP = DFUR = OLB = false;
}

void Tlup6DataGlasWirkung::SetSph(double from, double to) {
  SphV = from;
  SphB = to;
}

void Tlup6DataGlasWirkung::SetCyl(double a, double b) {
  cylV = std::min(a, b);
  CylB = std::max(a, b);
}

void Tlup6DataGlasWirkung::SetAdd(double a, double b) {
  AddV = std::min(a, b);
  AddB = std::max(a, b);
}

bool Tlup6DataGlasWirkung::Contains(double cyl, double sph) const {
  return LowerSph(cyl) <= sph && sph <= UpperSph(cyl) && cylV - 0.001 <= cyl && cyl <= CylB + 0.001;
}

Tlup6DataGlas *Tlup6DataGlasWirkung::GetLens() const {
  auto *list = static_cast<Tlup6DataGlasWirkungsListe *>(Owner());
  return list != nullptr ? static_cast<Tlup6DataGlas *>(list->Owner()) : nullptr;
}

std::string Tlup6DataGlasWirkung::GetLensCode() const {
  const Tlup6DataGlas *lens = GetLens();
  return lens != nullptr ? lens->EDV() : std::string();
}

LineList Tlup6DataGlasWirkungsListe::GetDeliveryIndexes() const {
  std::set<std::string, CodeTextLess> indexes;
  for (auto &range : *this)
    indexes.insert(IntToText(range.LBI));
  return LineList(indexes.begin(), indexes.end());
}

LineList Tlup6DataGlasWirkungsListe::GetDiameters(bool addEmpty, bool filter, double sph,
                                                  double cyl, double add, double prism) const {
  constexpr double tol = 0.0001;
  LineList result;
  if (addEmpty)
    result.emplace_back();
  if (cyl < 0) {
    sph += cyl;
    cyl = -cyl;
  }
  std::set<std::string, CodeTextLess> bySph, byCyl, byAdd, byPrism;
  for (auto &r : *this) {
    const std::string text = DiameterToText(r.DM);
    if (!filter || (sph >= r.LowerSph(cyl) - tol && sph <= r.UpperSph(cyl) + tol))
      bySph.insert(text);
    if (!filter || (cyl >= r.cylV - tol && cyl <= r.CylB + tol))
      byCyl.insert(text);
    if (!filter || (add >= r.AddV - tol && add <= r.AddB + tol))
      byAdd.insert(text);
    if (!filter || prism <= r.PV + tol)
      byPrism.insert(text);
  }
  for (const std::string &d : bySph)
    if (byCyl.count(d) != 0 && byAdd.count(d) != 0 && byPrism.count(d) != 0)
      result.push_back(d);
  return result;
}

Tlup6DataGlasWirkung::Tlup6DataGlasWirkung(Tlup6Dataobject *root, bool assignOid,
                                           Tlup6DataGlasWirkungsListe *owner)
    : TCustomlup6Object(root, assignOid, owner) {
  Tlup6DataGlasWirkung::Clear(false);
}

Tlup6DataGlasWirkungsListe::Tlup6DataGlasWirkungsListe(Tlup6Dataobject *root, Tlup6DataGlas *owner)
    : OwningList(root, owner) {}

} // namespace sf6
