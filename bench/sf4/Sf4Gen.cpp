// sf4_gen DIR [FACTOR]: writes the benchmark's SF4 directory into DIR at the
// given size factor (1 = full size, 0.5 = half size).

#include "Sf4BenchData.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: sf4_gen DIR [FACTOR]\n");
    return 2;
  }
  const double factor = argc > 2 ? std::atof(argv[2]) : 1.0;
  if (!(factor > 0)) {
    std::fprintf(stderr, "sf4_gen: FACTOR must be above 0\n");
    return 2;
  }
  try {
    sf6::bench::writeSf4BenchDirectory(argv[1], factor);
    return 0;
  } catch (const std::exception &error) {
    std::fprintf(stderr, "sf4_gen: %s\n", error.what());
    return 1;
  }
}
