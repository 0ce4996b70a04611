#pragma once

// What lens prices and coating prices share: the value of a price by its
// source PQ (0 the formula groups, 1 the fixed value PR, 2 the local formula),
// evaluated under the root's guard. Included by the two price classes only.

#include "model/Formula.h"
#include "model/Root.h"

namespace sf6::detail {

// ComputePrice of a lens or coating price; fromGroups is the formula groups'
// evaluation for that kind of price.
template <class Price>
int ComputePriceBySource(const Price &price, bool resetGuard, double &value,
                         int (Tlup6DataFormelGruppeListe::*fromGroups)(const Price &, double &)
                             const) {
  return GuardedPriceEvaluation(price, resetGuard, value, [&](Tlup6Dataobject &root, double &v) {
    switch (price.PQ) {
    case 0:
      return (root.FormulaGroups().*fromGroups)(price, v);
    case 1:
      v = price.PR;
      return int{kPriceOk};
    case 2:
      return price.LocalFormula().ComputeLocal(v);
    default:
      return int{kPriceNoValue};
    }
  });
}

// GetPrice of a lens or coating price: the fixed value, else the evaluated
// one, 0 when evaluation fails.
template <class Price> double PriceValue(const Price &price) {
  if (price.PQ == 1)
    return price.PR;
  double value = 0;
  return price.ComputePrice(value, false) == kPriceOk ? value : 0.0;
}

} // namespace sf6::detail
