#pragma once

// How the comparison reads each file of the set: which fields identify a
// record (its key), which fields are prices (their change is also given in
// percent) and which fields are dates (shown as dd.MM.yyyy in a comparison,
// whatever short date format the viewer runs with). One row per entry, in
// file-set order.

#include "sf6/Sf6FileSet.h"

#include <array>
#include <span>

namespace sf6 {

struct CompareRule {
  Sf6Entry entry = Sf6Entry::Head;
  // 1-based field numbers of the key, in the order a key is shown; Head.dat
  // has none (its key is the name in columns 1-30 of the line).
  std::span<const int> keyFields;
  // The price fields: the five scaled "Preis 1" to "Preis 5" fields of
  // LensPrice.Dat and OptionsPrice.Dat. No other layout holds a price.
  std::span<const int> priceFields;
  // The date fields ("Lieferbar ab", "Lieferbar bis") of LensType.Dat,
  // LensRange.Dat and Options.Dat.
  std::span<const int> dateFields;

  bool isPrice(int field) const;
  bool isDate(int field) const;
};

// The rule of an entry; every entry of the file set has one.
const CompareRule &CompareRuleOf(Sf6Entry entry);

} // namespace sf6
