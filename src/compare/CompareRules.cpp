// The key, price and date fields of every file, as data.

#include "compare/CompareRules.h"

#include <algorithm>

namespace sf6 {
namespace {

constexpr int kFirstField[] = {1};
constexpr int kLensRangeKey[] = {1, 2, 3, 28};
constexpr int kFirstFive[] = {1, 2, 3, 4, 5};
constexpr int kOptionsColorKey[] = {2, 1}; // the option first, then its colour
constexpr int kOptionsPriceKey[] = {1, 2, 3, 4, 5, 6, 7, 8};
constexpr int kCombinationKey[] = {1, 3, 4, 5};
constexpr int kFirstFour[] = {1, 2, 3, 4};
constexpr int kFirstThree[] = {1, 2, 3};
constexpr int kFirstTwo[] = {1, 2};

constexpr int kLensPrices[] = {6, 7, 8, 9, 10};
constexpr int kOptionsPrices[] = {9, 10, 11, 12, 13};

constexpr int kLensTypeDates[] = {3, 4};
constexpr int kLensRangeDates[] = {20, 21};
constexpr int kOptionsDates[] = {3, 4};

const std::array<CompareRule, kSf6EntryCount> kRules = {{
    {Sf6Entry::Head, {}, {}, {}},
    {Sf6Entry::LensType, kFirstField, {}, kLensTypeDates},
    {Sf6Entry::LensRange, kLensRangeKey, {}, kLensRangeDates},
    {Sf6Entry::LensGeo, kFirstFive, {}, {}},
    {Sf6Entry::LensPrice, kFirstFive, kLensPrices, {}},
    {Sf6Entry::Options, kFirstField, {}, kOptionsDates},
    {Sf6Entry::OptionsColor, kOptionsColorKey, {}, {}},
    {Sf6Entry::OptionsPrice, kOptionsPriceKey, kOptionsPrices, {}},
    {Sf6Entry::Combination, kCombinationKey, {}, {}},
    {Sf6Entry::Information, kFirstFour, {}, {}},
    {Sf6Entry::OrderOptions, kFirstThree, {}, {}},
    {Sf6Entry::ProductGroup, kFirstTwo, {}, {}},
    {Sf6Entry::CodeSubstitution, kFirstTwo, {}, {}},
}};

} // namespace

bool CompareRule::isPrice(int field) const {
  return std::find(priceFields.begin(), priceFields.end(), field) != priceFields.end();
}

bool CompareRule::isDate(int field) const {
  return std::find(dateFields.begin(), dateFields.end(), field) != dateFields.end();
}

const CompareRule &CompareRuleOf(Sf6Entry entry) {
  return kRules[static_cast<std::size_t>(entry)];
}

} // namespace sf6
