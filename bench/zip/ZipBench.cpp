// zip_bench gen DIR: writes the benchmark's catalog files into DIR:
//   LensPrice.Dat with 1,000,000 fixed-column lines (50 bytes each with CR LF),
//   and set/ with the thirteen export files, 50 MB in all.
// zip_bench put ARCHIVE DIR: loads the thirteen files of DIR/set as line
//   lists, stores them into ARCHIVE with StringsToTextfile (one call each,
//   as the export does) and prints the seconds those calls took.

#include "text/LineList.h"
#include "zip/VXZip.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const char *const kExportNames[] = {
    "Head.dat",        "LensType.Dat",    "LensRange.Dat",    "LensGeo.Dat",
    "LensPrice.Dat",   "Options.Dat",     "OptionsColor.Dat", "OptionsPrice.Dat",
    "Combination.Dat", "Information.Dat", "OrderOptions.Dat", "ProductGroup.Dat",
    "CodesSubst.Dat"};
// Share of the 50 MB per file, in thousandths: prices and geometry dominate.
const int kShares[] = {1, 40, 60, 200, 450, 30, 20, 120, 40, 10, 10, 9, 10};

// A deterministic price-list line of 48 characters: code, diameters, groups,
// a delivery key and four 7-digit prices, as the fixed-column catalog files
// hold them. Purchase prices vary from line to line, the others are rounded
// as real price lists are, so the entry compresses about 3.4 : 1 like one.
std::string PriceLine(uint64_t i) {
  char line[64];
  const unsigned d1 = 50 + static_cast<unsigned>(i % 4) * 5;
  std::snprintf(line, sizeof line, "G%05u%02u%02u%02u%02u%03u%03u%07u%07u%07u%07u",
                static_cast<unsigned>(i % 40000), d1, (i % 7 == 0) ? d1 + 5 : 0u,
                static_cast<unsigned>(i % 13), static_cast<unsigned>(i % 5),
                static_cast<unsigned>(i % 3), static_cast<unsigned>(i / 1000 % 1000),
                static_cast<unsigned>((i * 37) % 250000),
                static_cast<unsigned>((i * 37 + 1013) % 250000),
                static_cast<unsigned>((i * 41 + 7) % 999983 / 100 * 100),
                static_cast<unsigned>((i * 37) % 250000 * 2 / 100 * 100));
  return line;
}

void WriteLines(const std::filesystem::path &path, uint64_t first, uint64_t count) {
  std::string text;
  text.reserve(count * 50);
  for (uint64_t i = first; i < first + count; ++i) {
    text += PriceLine(i);
    text += "\r\n";
  }
  std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
}

int Generate(const std::filesystem::path &dir) {
  std::filesystem::create_directories(dir / "set");
  WriteLines(dir / "LensPrice.Dat", 0, 1000000);
  uint64_t first = 0;
  for (size_t f = 0; f < std::size(kExportNames); ++f) {
    const uint64_t lines = 1000000ull * static_cast<uint64_t>(kShares[f]) / 1000;
    WriteLines(dir / "set" / kExportNames[f], first, lines);
    first += lines;
  }
  return 0;
}

int Put(const std::filesystem::path &archive, const std::filesystem::path &dir) {
  std::vector<sf6::LineList> lists;
  for (const char *name : kExportNames) {
    std::ifstream in(dir / "set" / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    lists.push_back(sf6::SplitLines(bytes.str()));
  }
  std::filesystem::remove(archive);
  const auto start = std::chrono::steady_clock::now();
  sf6::TVXZip zip;
  zip.ZipName(archive);
  for (size_t f = 0; f < lists.size(); ++f)
    zip.StringsToTextfile(kExportNames[f], lists[f]);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%.4f\n", took.count());
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "gen" && argc == 3)
    return Generate(argv[2]);
  if (command == "put" && argc == 4)
    return Put(argv[2], argv[3]);
  std::fprintf(stderr, "usage: zip_bench gen DIR | zip_bench put ARCHIVE DIR\n");
  return 2;
}
