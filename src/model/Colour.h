#pragma once

// The colours of a coating (tints): RGB values and their list.

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/Formula.h"
#include "model/Lens.h"
#include "model/Lup6Object.h"
#include "model/Root.h"
#include "sf6/Sf6Enums.h"
#include "text/LineList.h"

namespace sf6 {

class Tlup6DataBeschichtung;
class Tlup6DataFarbListe;

// Colours --------------------------------------------------------------------------------

struct Lup6Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Lup6Rgb &, const Lup6Rgb &) = default;
};

class Tlup6DataFarbe : public TCustomlup6Object {
public:
  // The list that owns a Tlup6DataFarbe; OwningList hands itself over as this class.
  using OwnerList = Tlup6DataFarbListe;
  Tlup6DataFarbe(Tlup6Dataobject *root, bool assignOid, Tlup6DataFarbListe *owner);
  std::string GetTagName() const override { return "DFA"; }
  void Clear(bool flag) override;

  uint8_t AbV = 0, AbO = 0; // absorption top / bottom
  std::string EDV;          // colour code
  Lup6Rgb Bottom, Top, Middle;
  int32_t FK = 0;
  double UVK = 0, UVA = 0, UVB = 0;
  TSf6RoadUse Stvo = TSf6RoadUse::KeineAngabe;

  // Slots 1 .. 10 (empty / ignored outside).
  std::string GetName(int i) const;
  void SetName(int i, std::string_view text);
  std::string GetNameFallback(int i) const;

  Tlup6DataBeschichtung *GetCoating() const;

private:
  std::array<std::string, 10> m_B;
};

class Tlup6DataFarbListe : public OwningList<Tlup6DataFarbe> {
public:
  Tlup6DataFarbListe(Tlup6Dataobject *root, Tlup6DataBeschichtung *owner);
  std::string GetTagName() const override { return "DFL"; }
};

} // namespace sf6
