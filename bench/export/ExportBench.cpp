// Converts a synthetic SF4 directory (bench/sf4) into an SF6 archive at full
// and at half size and prints the times, their ratio (a conversion that grows
// linearly gives about 2) and the full conversion against `zip -6` packing the
// thirteen entries it wrote, the cost of the compression alone.
//
// export_bench [WORK_DIR] [REPEATS] [SF6TOOL]: the directories are written
// under WORK_DIR (default: the system's temporary directory) and removed
// afterwards; each measurement is repeated REPEATS times (default 3) and the
// fastest run counts. With SF6TOOL, `SF6TOOL convert` of the full directory
// is timed as a user runs it too: a fresh process, memory not yet touched.

#include "../sf4/Sf4BenchData.h"

#include "export/ConvertSf4.h"
#include "export/Sf6Export.h"
#include "model/Root.h"
#include "sf4/Sf4Object.h"
#include "zip/Deflate.h"
#include "zip/VXZip.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Timing {
  double total = 1e300, load = 1e300, build = 1e300, write = 1e300;
};

// The conversion as the dialog runs it, and the same three steps timed one
// by one; the archive of each run is removed again.
Timing convert(const fs::path &dir, int repeats, fs::path *keptArchive) {
  Timing best;
  for (int i = 0; i < repeats; ++i) {
    {
      sf6::Tlup6Dataobject root;
      sf6::TSf4Object sf4(root);
      const auto start = Clock::now();
      const sf6::Sf4ConversionResult result =
          sf6::ConvertSf4Directory(sf4, dir.string(), "1.0.0.0");
      best.total = std::min(best.total, secondsSince(start));
      if (keptArchive != nullptr && i == repeats - 1)
        *keptArchive = result.archivePath;
      else
        fs::remove(result.archivePath);
    }
    sf6::Tlup6Dataobject root;
    sf6::TSf4Object sf4(root);
    auto start = Clock::now();
    sf4.LoadFromDirectory(dir.string());
    best.load = std::min(best.load, secondsSince(start));
    start = Clock::now();
    const sf6::Sf6ExportTexts texts =
        sf6::BuildSf6ExportTexts(&root, root.Addresses().Items(0), "bench.zip", {});
    best.build = std::min(best.build, secondsSince(start));
    start = Clock::now();
    sf6::WriteSf6ExportTexts(dir / "bench.zip", texts);
    best.write = std::min(best.write, secondsSince(start));
    fs::remove(dir / "bench.zip");
  }
  return best;
}

// `sf6tool convert dir` as a process; the archive it writes is removed.
double toolSeconds(const std::string &tool, const fs::path &dir, int repeats) {
  const std::string command = "'" + tool + "' convert '" + dir.string() + "' > /dev/null";
  double best = 1e300;
  for (int i = 0; i < repeats; ++i) {
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0)
      throw std::runtime_error("sf6tool convert failed");
    best = std::min(best, secondsSince(start));
    for (const auto &file : fs::directory_iterator(dir))
      if (file.path().extension() == ".zip")
        fs::remove(file.path());
  }
  return best;
}

// `zip -6` packing the entries of archive, written out as files first.
double zipSeconds(const fs::path &archive, const fs::path &work, int repeats,
                  std::uintmax_t &bytes) {
  const fs::path entries = work / "entries";
  fs::create_directories(entries);
  sf6::TVXZip zip;
  zip.ZipName(archive);
  std::string command = "cd '" + entries.string() + "' && zip -6 -q -X ../packed.zip";
  bytes = 0;
  for (std::string_view name : sf6::kSf6ExportEntryNames) {
    sf6::LineList lines;
    zip.ExtractTextfileToStrings(name, lines);
    const std::string text = sf6::RenderEntryText(lines);
    std::ofstream(entries / std::string(name), std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    bytes += text.size();
    command += " '" + std::string(name) + "'";
  }
  double best = 1e300;
  for (int i = 0; i < repeats; ++i) {
    fs::remove(work / "packed.zip");
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0)
      throw std::runtime_error("zip -6 failed");
    best = std::min(best, secondsSince(start));
  }
  return best;
}

// The SF4 directory's bytes and their size deflated at level 6, file by
// file: how compressible the generated data is, apart from the SF6 layouts'
// blank columns.
std::pair<std::uintmax_t, std::uintmax_t> deflatedSize(const fs::path &dir) {
  std::uintmax_t bytes = 0, packed = 0;
  for (const auto &file : fs::directory_iterator(dir)) {
    std::ifstream in(file.path(), std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const sf6::ByteBuffer deflated = sf6::RawDeflate(data, 6);
    bytes += data.size();
    packed += deflated.empty() ? data.size() : deflated.size();
  }
  return {bytes, packed};
}

} // namespace

int main(int argc, char **argv) {
  try {
    const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const fs::path base =
        work / ("exportbench-" + std::to_string(Clock::now().time_since_epoch().count()));
    const fs::path full = base / "full";
    const fs::path half = base / "half";
    sf6::bench::writeSf4BenchDirectory(full, 1.0);
    sf6::bench::writeSf4BenchDirectory(half, 0.5);
    const auto [sf4Bytes, sf4Packed] = deflatedSize(full);

    // Warm the file cache and the allocator once before measuring.
    convert(half, 1, nullptr);
    const Timing halfTime = convert(half, repeats, nullptr);
    fs::path archive;
    const Timing fullTime = convert(full, repeats, &archive);
    std::uintmax_t entryBytes = 0;
    const double zipTime = zipSeconds(archive, base, repeats, entryBytes);
    const std::uintmax_t archiveBytes = fs::file_size(archive);
    fs::remove(archive);
    const std::string tool = argc > 3 ? argv[3] : "";
    const double toolTime = tool.empty() ? 0 : toolSeconds(tool, full, repeats);
    fs::remove_all(base);

    const sf6::bench::Sf4BenchCounts n = sf6::bench::sf4BenchCounts(1.0);
    std::printf("SF4 to SF6 conversion, full size: %d lenses, %d power ranges, %d lens prices, "
                "%d coatings, %d surcharges, %d combinations, %d colours\n",
                n.lenses, n.powerRanges, n.lensPrices, n.coatings, n.surcharges, n.combinations,
                n.colours);
    std::printf("SF4 files %.1f MB, deflated %.1f MB (%.1f : 1)\n", sf4Bytes / 1e6, sf4Packed / 1e6,
                static_cast<double>(sf4Bytes) / sf4Packed);
    std::printf("entries %.1f MB, archive %.1f MB (compressed %.1f : 1; the SF6 layouts' blank "
                "columns add to the SF4 data's own)\n",
                entryBytes / 1e6, archiveBytes / 1e6, static_cast<double>(entryBytes) / archiveBytes);
    std::printf("            total    load   build   write\n");
    std::printf("half size %7.3f %7.3f %7.3f %7.3f s\n", halfTime.total, halfTime.load,
                halfTime.build, halfTime.write);
    std::printf("full size %7.3f %7.3f %7.3f %7.3f s\n", fullTime.total, fullTime.load,
                fullTime.build, fullTime.write);
    std::printf("zip -6 of the entries: %.3f s\n", zipTime);
    std::printf("ratio full/half: %.2f (goal <= 2.3)\n", fullTime.total / halfTime.total);
    std::printf("ratio full/zip -6: %.2f (goal <= 3)\n", fullTime.total / zipTime);
    if (!tool.empty())
      std::printf("sf6tool convert (own process): %.3f s, ratio to zip -6: %.2f (goal <= 3)\n",
                  toolTime, toolTime / zipTime);
    return 0;
  } catch (const std::exception &error) {
    std::fprintf(stderr, "export_bench: %s\n", error.what());
    return 1;
  }
}
