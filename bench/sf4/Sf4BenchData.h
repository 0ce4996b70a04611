#pragma once

// Writes a synthetic SF4 catalog directory for the load benchmark. At size
// factor 1 it holds 3,000 lenses, 20,000 power-range lines, 300,000 GLPreis
// lines, 500 coatings, 2,000 surcharge lines, 30,000 combinations and 5,000
// colours; every count scales with the factor (0.5 for the half size), so
// the lines per lens and per coating stay the same.

#include <filesystem>

namespace sf6::bench {

struct Sf4BenchCounts {
  int lenses, powerRanges, lensPrices, coatings, surcharges, combinations, colours;
};

Sf4BenchCounts sf4BenchCounts(double factor);

// Creates directory if needed and writes the twelve files into it.
void writeSf4BenchDirectory(const std::filesystem::path &directory, double factor);

} // namespace sf6::bench
