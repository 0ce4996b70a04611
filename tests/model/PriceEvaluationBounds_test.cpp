// Price evaluation ends in bounded time on any catalog: long chains of
// formulas and formula groups that evaluate their sources again and again
// give no value instead of stalling the export; ordinary chains are computed.
#include <gtest/gtest.h>

#include <string>

#include "model/Catalog.h"

namespace sf6 {
namespace {

const TSf6Diameter kDiameter{65, 0, false};

// A new price of lens in sphere and cylinder group 0, diameter 65.
Tlup6DataGlasPreis *addPrice(Tlup6DataGlas &lens, int32_t pbid) {
  Tlup6DataGlasPreis *price = lens.Prices().AddNew();
  price->SetGSph(0);
  price->SetGCyl(0);
  price->SetGDM(kDiameter);
  price->SetPBID(pbid);
  return price;
}

// Prices 1 .. length of one cell of a mineral single-vision lens: price k is
// computed by a formula group from price k + 1 plus 1, the last one is 10.
// Every level evaluates its source twice (to choose the group, then to
// compute), so the work doubles with each price of the chain.
struct GroupChain {
  explicit GroupChain(int length) {
    root.Clear(true);
    lens = root.Lenses().AddLens();
    lens->SetEDV("L1");
    lens->MAT = TSf6Material::Silikat;
    for (int k = 1; k <= length; ++k) {
      auto *price = addPrice(*lens, k);
      if (k == length)
        price->SetPrice(10);
      else
        price->PQ = 0;
    }
    for (int k = 1; k < length; ++k) {
      auto *group = root.FormulaGroups().AddNew();
      group->SetID(0);
      group->QPBID = static_cast<uint16_t>(k + 1);
      group->AZPBID = static_cast<uint16_t>(k);
      group->SetLensFlag(0, 1, true);
      auto *range = group->Ranges().AddNew();
      range->Calc().FI1 = 1;
      range->Calc().VAL1 = 1;
    }
  }
  double first() const {
    return lens->Prices().FindPrice(0, 0, false, 0, 1, kDiameter)->GetPrice();
  }

  Tlup6Dataobject root;
  Tlup6DataGlas *lens = nullptr;
};

TEST(PriceEvaluationBounds, ShortGroupChainIsComputed) {
  GroupChain chain(10);
  EXPECT_DOUBLE_EQ(chain.first(), 19);
  EXPECT_TRUE(chain.root.EvaluationGuard().empty());
}

TEST(PriceEvaluationBounds, GroupChainThatWouldDoubleItsWorkTooOftenGivesNoValue) {
  // 2^59 evaluations by the letter of the algorithm.
  GroupChain chain(60);
  EXPECT_DOUBLE_EQ(chain.first(), 0);
  EXPECT_TRUE(chain.root.EvaluationGuard().empty());
  // The bound belongs to one evaluation: the next one starts afresh.
  GroupChain shortChain(5);
  EXPECT_DOUBLE_EQ(shortChain.first(), 14);
}

// Lenses L1 .. Llength whose price takes the next lens's price plus 1 by a
// local formula; the last lens's price is 10.
struct LocalChain {
  explicit LocalChain(int length) {
    root.Clear(true);
    for (int k = 1; k <= length; ++k) {
      auto *lens = root.Lenses().AddLens();
      lens->SetEDV("L" + std::to_string(k));
      auto *price = addPrice(*lens, 1);
      if (k == length) {
        price->SetPrice(10);
        continue;
      }
      price->PQ = 2;
      price->LocalFormula().QGEdv = "L" + std::to_string(k + 1);
      price->LocalFormula().Calc().FI1 = 1;
      price->LocalFormula().Calc().VAL1 = 1;
    }
  }
  double first() const {
    return root.Lenses()
        .FindByCode("L1")
        ->Prices()
        .FindPrice(0, 0, false, 0, 1, kDiameter)
        ->GetPrice();
  }

  Tlup6Dataobject root;
};

TEST(PriceEvaluationBounds, LocalFormulaChainsAreComputedUpToTheDepthBound) {
  const int longest = static_cast<int>(kMaxPriceEvaluationDepth);
  EXPECT_DOUBLE_EQ(LocalChain(longest).first(), 10 + longest - 1);
  // One more nests too deep: the chain then has no value, whatever its length,
  // and no evaluation recurses deeper than the bound.
  LocalChain tooLong(longest + 1);
  EXPECT_DOUBLE_EQ(tooLong.first(), 0);
  EXPECT_TRUE(tooLong.root.EvaluationGuard().empty());
}

} // namespace
} // namespace sf6
