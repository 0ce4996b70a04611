#pragma once

// The power ranges (delivery ranges) of a lens and their list.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/Formula.h"
#include "model/Lup6Object.h"
#include "model/Root.h"
#include "sf6/Sf6Enums.h"
#include "text/LineList.h"

namespace sf6 {

class Tlup6DataGlas;
class Tlup6DataGlasWirkungsListe;

// Power ranges -----------------------------------------------------------------------

class Tlup6DataGlasWirkung : public TCustomlup6Object {
public:
  // The list that owns a Tlup6DataGlasWirkung; OwningList hands itself over as this class.
  using OwnerList = Tlup6DataGlasWirkungsListe;
  Tlup6DataGlasWirkung(Tlup6Dataobject *root, bool assignOid, Tlup6DataGlasWirkungsListe *owner);
  std::string GetTagName() const override { return "GW"; }
  // "Glaswirkung" followed by the lens code, a blank and the lens's name 1.
  std::string GetDisplayText(int kind, std::string_view name) const override;
  void Clear(bool flag) override;

  double PV = 0; // largest prism
  double SphV = 0, SphB = 0;
  double AddB = 0;
  double cylV = 0;
  double AddV = 0;
  double CylB = 0;
  TSf6AddStep AddS = TSf6AddStep::Step025;
  bool Lag = false, ELief = false, BF = false;
  TDateTime LB = 0, LA = 0;
  std::string BEDV3, BEDV2, BEDV1, BEDV5, BEDV4; // included / available coatings
  int32_t LBI = 0;                               // delivery-range ID
  int32_t LZ = 0;                                // delivery time
  TSf6Diameter DM;
  int32_t cylWV = 0, CylWB = 0; // cylinder effect on the sphere limits, percent
  bool SIP = false, DFUR = false, OLB = false;

  // Stored as given.
  void SetSph(double from, double to);
  // The smaller into cylV / AddV, the larger into CylB / AddB.
  void SetCyl(double a, double b);
  void SetAdd(double a, double b);
  // Whether the power (cyl, sph) lies in the range; the sphere limits shift
  // by cylWV / CylWB percent of cyl, the cylinder limits allow 0.001.
  bool Contains(double cyl, double sph) const;
  // The sphere limits for cylinder cyl.
  double LowerSph(double cyl) const { return SphV - cylWV / 100.0 * cyl; }
  double UpperSph(double cyl) const { return SphB - CylWB / 100.0 * cyl; }

  Tlup6DataGlas *GetLens() const;
  // The owning lens's EDV, empty without one.
  std::string GetLensCode() const;
};

class Tlup6DataGlasWirkungsListe : public OwningList<Tlup6DataGlasWirkung> {
public:
  Tlup6DataGlasWirkungsListe(Tlup6Dataobject *root, Tlup6DataGlas *owner);
  std::string GetTagName() const override { return "GWL"; }
  // The distinct LBI values of all ranges as decimal texts, sorted as text.
  LineList GetDeliveryIndexes() const;
  // The distinct diameter texts (DiameterToText) sorted as text; with filter
  // only those of ranges reaching sph / cyl / add / prism (a minus cylinder is
  // transposed first). addEmpty puts one empty entry first.
  LineList GetDiameters(bool addEmpty, bool filter, double sph, double cyl, double add,
                        double prism) const;
};

} // namespace sf6
