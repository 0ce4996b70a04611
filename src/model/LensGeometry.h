#pragma once

// The geometry records of a lens and their list.

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

// Geometry ---------------------------------------------------------------------------

class Tlup6DataGlasGeometrie : public TCustomlup6Object {
public:
  Tlup6DataGlasGeometrie(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : TCustomlup6Object(root, assignOid, owner) {}
  std::string GetTagName() const override { return "GG"; }
  void Clear(bool flag) override;

  double BN = 0, HAFB = 0, WSV = 0, WSB = 0, ORN = 0, VANB = 0, URN = 0, HN = 0, VAFB = 0, HZ = 0,
         VAZK = 0;
  TSf6SegmentType NTT = TSf6SegmentType::C;
  double MVANB = 0, MHANP = 0;
  TSf6Diameter Dm;
  bool WK = false;
  double DM1H = 0, DM2H = 0, VAMN = 0, HAT = 0, VAT = 0;
  TSf6ViewDirection BLR = TSf6ViewDirection::Nullblickrichtung;
  double HANP = 0;
};

class Tlup6DataGlasGeometrieListe : public OwningList<Tlup6DataGlasGeometrie> {
public:
  using OwningList::OwningList;
  std::string GetTagName() const override { return "GGL"; }
};

} // namespace sf6
