#pragma once

// The price-group boundaries of a lens.

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

// Price groups -------------------------------------------------------------------------

// Group boundaries of a lens: a flag at index n (0 .. 50, whole dioptres)
// means a sphere / cylinder group ends at n dioptres.
class Tlup6DataPreisgruppen : public TCustomlup6Object {
public:
  static constexpr int kMax = 50;
  Tlup6DataPreisgruppen(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
      : TCustomlup6Object(root, assignOid, owner) {}
  std::string GetTagName() const override { return "PG"; }
  void Clear(bool flag) override;

  // False / ignored outside 0 .. 50.
  bool IsSphGroup(int n) const;
  bool IsCylGroup(int n) const;
  void SetSphGroup(int n, bool flag);
  void SetCylGroup(int n, bool flag);
  // The largest index below n whose flag is set; -1 when none.
  int SphGroupBelow(int n) const;
  int CylGroupBelow(int n) const;
  // Set flags among 0 .. 50 (sphere) and among 0 .. 10 only (cylinder).
  int CountSphGroups() const;
  int CountCylGroups() const;

private:
  std::array<bool, kMax + 1> m_sph{};
  std::array<bool, kMax + 1> m_cyl{};
};

} // namespace sf6
