#pragma once

// The whole catalog object model: include this to use the root and every
// catalog class.
//
// Entry points for readers and writers of the model:
//   Tlup6Dataobject root; root.Clear(true);
//   root.Lenses().AddLens(), .FindByCode(code), .Items(i), .Count()
//   lens->Ranges()/Geometries()/Prices().AddNew(), Prices().FindPrice(...)
//   root.Coatings().AddNew(), .FindByCode(code), .FindBySF4Code(code)
//   coating->Colours()/Prices(), Prices().FindCoatingPrice(...)
// Lists and parts that always exist are returned by reference; items and
// optional parts by pointer.
//   root.Combinations().AddCombination(...)
//   price->GetPrice() evaluates fixed prices, formula groups and local formulas.

#include "model/Coating.h"
#include "model/Extras.h"
#include "model/Formula.h"
#include "model/Lens.h"
#include "model/Lup6Object.h"
#include "model/Root.h"
