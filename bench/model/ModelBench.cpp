// Builds a catalog of N lenses with 100 prices each (through FindPrice with
// create, as the SF4 reader does), then finds every lens by code and every
// price by its key, and coating prices per lens; the same at 2N. A model whose
// lookups are indexed grows linearly: the ratio stays near 2.
//
// model_bench [N] [REPEATS]: N defaults to 5000, REPEATS (fastest run counts)
// to 3. Times are processor seconds.

#include "model/Catalog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

// Processor time of this process: the machine the benchmark runs on is
// shared, and wall-clock time would measure the neighbours too.
double cpuSeconds() {
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

struct Times {
  double build = 1e300;
  double lookup = 1e300;
};

std::string lensCode(int i) {
  std::string code(1, 'L');
  code += std::to_string(i);
  return code;
}

// Returns a checksum so the work cannot be optimised away.
double runOnce(int lensCount, Times &best) {
  sf6::Tlup6Dataobject root;
  root.Clear(true);
  const sf6::TSf6Diameter dm{70, 0, false};
  const double startBuild = cpuSeconds();
  auto *lenses = &root.Lenses();
  auto *coating = root.Coatings().AddNew();
  coating->SetEDV("AR");
  for (int i = 0; i < lensCount; ++i) {
    auto *lens = lenses->AddLens();
    lens->SetEDV(lensCode(i));
    for (int g = 0; g < 10; ++g) {
      lens->PriceGroups().SetSphGroup(g, true);
      lens->PriceGroups().SetCylGroup(g, true);
    }
    for (int s = 0; s < 10; ++s)
      for (int c = 0; c < 10; ++c)
        lens->Prices().FindPrice(s, c, true, 0, 1, dm)->SetPrice(s * 10 + c + i);
    coating->Prices().FindLensCoatingPrice(lens->EDV(), 1, true)->SetPrice(5);
  }
  const double startLookup = cpuSeconds();
  double sum = 0;
  for (int i = 0; i < lensCount; ++i) {
    auto *lens = lenses->FindByCode(lensCode(i));
    for (int s = 0; s < 10; ++s)
      for (int c = 0; c < 10; ++c)
        sum += lens->Prices().FindPrice(s, c, false, 0, 1, dm)->GetPrice();
    sum += coating->Prices()
               .FindCoatingPrice(sf6::TSf6SphTor::Egal, sf6::TSf6SingleMulti::Egal, false,
                                  lens->EDV(), 1, sf6::TSf6Material::Egal)
               ->GetPrice();
  }
  const double end = cpuSeconds();
  best.build = std::min(best.build, startLookup - startBuild);
  best.lookup = std::min(best.lookup, end - startLookup);
  return sum;
}

} // namespace

int main(int argc, char **argv) {
  const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5000;
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  Times small, large;
  double check = 0;
  for (int r = 0; r < repeats; ++r) {
    check += runOnce(n, small);
    check += runOnce(2 * n, large);
  }
  std::printf("lenses %d x 100 prices: build %.3f s, lookup %.3f s\n", n, small.build,
              small.lookup);
  std::printf("lenses %d x 100 prices: build %.3f s, lookup %.3f s\n", 2 * n, large.build,
              large.lookup);
  std::printf("ratio 2N/N: build %.2f, lookup %.2f, total %.2f (checksum %.0f)\n",
              large.build / small.build, large.lookup / small.lookup,
              (large.build + large.lookup) / (small.build + small.lookup), check);
  return 0;
}
