// Loads a synthetic SF4 directory at full and at half size and prints both
// times and their ratio; a load that grows linearly with the catalog gives
// about 2.
//
// sf4_bench [WORK_DIR] [REPEATS]: the directories are written under WORK_DIR
// (default: the system's temporary directory) and removed afterwards; each
// size is loaded REPEATS times (default 5), half and full in turn so that a
// busy machine disturbs both alike, and the fastest load of each counts.

#include "Sf4BenchData.h"

#include "model/Root.h"
#include "sf4/Sf4Object.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

double loadSeconds(const fs::path &dir) {
  sf6::Tlup6Dataobject root;
  sf6::TSf4Object sf4(root);
  const auto start = std::chrono::steady_clock::now();
  sf4.LoadFromDirectory(dir.string());
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count();
}

} // namespace

int main(int argc, char **argv) {
  try {
    const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const fs::path base = work / ("sf4bench-" + std::to_string(std::chrono::steady_clock::now()
                                                                    .time_since_epoch()
                                                                    .count()));
    const fs::path full = base / "full";
    const fs::path half = base / "half";
    sf6::bench::writeSf4BenchDirectory(full, 1.0);
    sf6::bench::writeSf4BenchDirectory(half, 0.5);

    // Warm the file cache and the allocator once before measuring.
    loadSeconds(half);
    double halfSeconds = 1e300;
    double fullSeconds = 1e300;
    for (int i = 0; i < repeats; ++i) {
      halfSeconds = std::min(halfSeconds, loadSeconds(half));
      fullSeconds = std::min(fullSeconds, loadSeconds(full));
    }
    fs::remove_all(base);

    const sf6::bench::Sf4BenchCounts n = sf6::bench::sf4BenchCounts(1.0);
    std::printf("SF4 load, full size: %d lenses, %d power ranges, %d lens prices, %d coatings, "
                "%d surcharges, %d combinations, %d colours\n",
                n.lenses, n.powerRanges, n.lensPrices, n.coatings, n.surcharges, n.combinations,
                n.colours);
    std::printf("half size: %.3f s\nfull size: %.3f s\nratio full/half: %.2f (goal <= 2.3)\n",
                halfSeconds, fullSeconds, fullSeconds / halfSeconds);
    return 0;
  } catch (const std::exception &error) {
    std::fprintf(stderr, "sf4_bench: %s\n", error.what());
    return 1;
  }
}
