// compare_bench SF6TOOL [LINES]: sf6tool diff on two generated catalogs of
// LINES lines each (1,000,000 by default) that differ in a few thousand
// records, against unzip -p of both archives. Prints the best of three wall
// times, the peak memory of the diff process (getrusage of the child) against
// the two catalogs' uncompressed sizes together, and the ratios.
// Goals: time at most 5 x unzip, memory at most 2 x the uncompressed sizes.

#include "compare/CompareRules.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using sf6::Sf6Entry;

// Lines per data file, in thousandths of all lines: prices and geometry
// dominate a real catalog.
constexpr int kShares[] = {0, 2, 20, 20, 700, 1, 3, 150, 50, 44, 5, 3, 2};

const char *const kWords[] = {
    "Einst\xE4rken", "Gleitsicht",    "Komfort",     "Sport", "Office", "asph\xE4risch",
    "Kunststoff",    "Silikat",       "1.5",         "1.6",   "1.67",   "1.74",
    "Super",         "Entspiegelung", "Hartschicht", "braun", "grau",   "Verlauf",
    "Polarisierend", "Clean",         "Blue",        "UV",    "Nah",    "Fern"};

struct Generator {
  std::mt19937_64 random{20260101};

  int below(int n) { return static_cast<int>(random() % static_cast<uint64_t>(n)); }

  std::string code(int number) {
    static const char kAlphabet[] = "ABCDEFGHJKLMNPRSTUVWXYZ0123456789";
    std::string text = "X";
    for (int i = 0; i < 5; ++i, number /= 33)
      text += kAlphabet[number % 33];
    return text;
  }

  std::string words(int width) {
    std::string text;
    while (static_cast<int>(text.size()) < width / 2)
      text += std::string(text.empty() ? "" : " ") + kWords[below(std::size(kWords))];
    return text;
  }

  std::string digits(long value, int width) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) > width)
      text = text.substr(text.size() - static_cast<size_t>(width));
    return std::string(static_cast<size_t>(width) - text.size(), '0') + text;
  }

  // The text of field `field` for record `index` of a file.
  std::string fieldText(const sf6::Sf6Layout &layout, int field, int index, bool isKey,
                        int perCode) {
    const sf6::Sf6FieldPlace place = layout.place(field);
    const std::string caption = place.caption;
    const int width = place.width;
    if (field == 1 && caption.find("Code") != std::string::npos)
      return code(index / perCode);
    if (field == 1) // a product type
      return index % 3 == 0 ? "1" : "0";
    if (isKey) {
      // Further key fields spread the records of one code.
      const int within = index % perCode;
      return digits(width >= 3 ? within : (within * 7 + field) % (width == 1 ? 10 : 100), width);
    }
    if (caption.starts_with("Preis "))
      return below(5) == 0 ? "       " : digits(500 + below(40000) * 5, 7);
    if (caption.starts_with("Lieferbar "))
      return caption.ends_with("ab") ? "2025" + digits(1 + below(12), 2) + "01"
                                     : (below(4) == 0 ? "20291231" : "        ");
    if (caption.find("Code") != std::string::npos || caption.starts_with("Schicht "))
      return below(3) == 0 ? std::string() : code(below(3000));
    if (caption.starts_with("Bezeichnung") || caption.ends_with("beschreibung") ||
        caption.ends_with("name") || caption.ends_with("zeile"))
      return words(width);
    if (width == 1)
      return digits(below(3), 1);
    // Other numbers: a handful of values per field, as catalogs repeat them.
    return digits((field * 37 + below(6) * 25) % 1000, width);
  }

  std::string line(const sf6::Sf6Layout &layout, std::span<const int> keyFields, int index,
                   int perCode) {
    std::string text;
    for (int field = 1; field <= layout.fieldCount; ++field) {
      const sf6::Sf6FieldPlace place = layout.place(field);
      const bool isKey = std::find(keyFields.begin(), keyFields.end(), field) != keyFields.end();
      std::string value = fieldText(layout, field, index, isKey, perCode);
      value.resize(static_cast<size_t>(place.width), ' ');
      const size_t at = static_cast<size_t>(place.column - 1);
      if (text.size() < at + value.size())
        text.resize(at + value.size(), ' ');
      text.replace(at, value.size(), value);
    }
    while (!text.empty() && text.back() == ' ')
      text.pop_back();
    return text;
  }
};

struct Catalog {
  std::vector<std::vector<std::string>> files = std::vector<std::vector<std::string>>(13);
};

Catalog generate(long lines, Generator &g) {
  Catalog catalog;
  for (size_t f = 1; f < sf6::kSf6EntryCount; ++f) {
    const auto entry = static_cast<Sf6Entry>(f);
    const sf6::Sf6Layout &layout = *sf6::Sf6EntryLayout(entry);
    const long count = lines * kShares[f] / 1000;
    const int perCode = count > 100000 ? 350 : count > 10000 ? 10 : 1;
    for (long i = 0; i < count; ++i)
      catalog.files[f].push_back(
          g.line(layout, sf6::CompareRuleOf(entry).keyFields, static_cast<int>(i), perCode));
  }
  const char *const head[] = {
      "version                       6.1", "manufacturer-name             Beispiel Optik",
      "Valid-from                    20250101", "currencydescription           EUR"};
  catalog.files[0].assign(std::begin(head), std::end(head));
  return catalog;
}

// A few thousand differences: prices raised, records removed and added,
// names changed, two files written in reverse order.
Catalog changed(const Catalog &old, Generator &g) {
  Catalog next = old;
  auto &prices = next.files[static_cast<size_t>(Sf6Entry::LensPrice)];
  for (size_t i = 17; i < prices.size(); i += 350)
    if (prices[i].size() >= 24)
      prices[i].replace(17, 7, g.digits(500 + g.below(40000) * 5, 7));
  auto &optionPrices = next.files[static_cast<size_t>(Sf6Entry::OptionsPrice)];
  for (size_t i = optionPrices.size(); i-- > 0;)
    if (i % 1000 == 5)
      optionPrices.erase(optionPrices.begin() + static_cast<long>(i));
  for (int i = 0; i < 500; ++i)
    prices.push_back("ZNEW" + g.digits(i, 2) + "70  0101001" + g.digits(10000 + i * 10, 7));
  auto &types = next.files[static_cast<size_t>(Sf6Entry::LensType)];
  for (size_t i = 0; i < types.size(); i += 20)
    types[i].replace(6, 5, "Neu: ");
  std::reverse(types.begin(), types.end());
  auto &options = next.files[static_cast<size_t>(Sf6Entry::Options)];
  std::reverse(options.begin(), options.end());
  next.files[0][2] = "Valid-from                    20260101";
  return next;
}

uint64_t writeCatalog(const Catalog &catalog, const fs::path &dir) {
  fs::create_directories(dir);
  uint64_t bytes = 0;
  for (size_t f = 0; f < sf6::kSf6EntryCount; ++f) {
    std::string text;
    for (const std::string &line : catalog.files[f])
      text += line + "\r\n";
    bytes += text.size();
    std::ofstream(dir / std::string(sf6::kSf6EntryNames[f]), std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  return bytes;
}

struct Run {
  double seconds = 0;
  double cpuSeconds = 0; // user and system time: steadier than wall time on a busy machine
  long maxRssKb = 0;
  int exitCode = -1;
};

// Runs argv with its output to /dev/null; wall time and the child's peak memory.
Run run(const std::vector<std::string> &argv) {
  std::vector<char *> args;
  for (const std::string &a : argv)
    args.push_back(const_cast<char *>(a.c_str()));
  args.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  Run result;
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.maxRssKb = usage.ru_maxrss;
  result.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// Best time and highest peak memory of three runs of each command together.
Run best(const std::vector<std::vector<std::string>> &commands) {
  Run best{1e30, 1e30, 0, 0};
  for (int attempt = 0; attempt < 3; ++attempt) {
    Run total{0, 0, 0, 0};
    for (const auto &command : commands) {
      const Run r = run(command);
      total.seconds += r.seconds;
      total.cpuSeconds += r.cpuSeconds;
      total.maxRssKb = std::max(total.maxRssKb, r.maxRssKb);
      total.exitCode = std::max(total.exitCode, r.exitCode);
    }
    best.seconds = std::min(best.seconds, total.seconds);
    best.cpuSeconds = std::min(best.cpuSeconds, total.cpuSeconds);
    best.maxRssKb = std::max(best.maxRssKb, total.maxRssKb);
    best.exitCode = total.exitCode;
  }
  return best;
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: compare_bench SF6TOOL [LINES]\n");
    return 2;
  }
  const std::string tool = argv[1];
  const long lines = argc > 2 ? std::atol(argv[2]) : 1000000;
  const fs::path work =
      fs::temp_directory_path() / ("sf6-compare-bench-" + std::to_string(::getpid()));
  fs::create_directories(work);

  // The generated lines are freed before anything is measured: a forked
  // child starts with the pages its parent holds, and getrusage would count
  // them as the child's.
  uint64_t oldBytes = 0;
  uint64_t newBytes = 0;
  {
    Generator g;
    const Catalog older = generate(lines, g);
    const Catalog newer = changed(older, g);
    oldBytes = writeCatalog(older, work / "old");
    newBytes = writeCatalog(newer, work / "new");
  }
  ::malloc_trim(0);
  for (const char *side : {"old", "new"}) {
    const std::string command =
        "cd '" + (work / side).string() + "' && zip -q -6 ../" + side + ".zip *.dat *.Dat";
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "zip failed\n");
      return 1;
    }
  }
  const std::string oldZip = (work / "old.zip").string();
  const std::string newZip = (work / "new.zip").string();
  const uint64_t packed = fs::file_size(oldZip) + fs::file_size(newZip);

  const Run unzip = best({{"unzip", "-p", oldZip}, {"unzip", "-p", newZip}});
  const Run diff = best({{tool, "diff", oldZip, newZip}});
  const Run summary = run({tool, "diff", oldZip, newZip, "--summary"});
  std::system(("'" + tool + "' diff --summary '" + oldZip + "' '" + newZip + "'").c_str());

  const double together = static_cast<double>(oldBytes + newBytes);
  const double rss = static_cast<double>(diff.maxRssKb) * 1024.0;
  std::printf("lines per catalog     %ld\n", lines);
  std::printf("uncompressed          %.1f MB + %.1f MB, compression %.1f : 1\n", oldBytes / 1e6,
              newBytes / 1e6, together / static_cast<double>(packed));
  std::printf("unzip -p both         %.3f s\n", unzip.seconds);
  std::printf("sf6tool diff          %.3f s (exit %d)\n", diff.seconds, diff.exitCode);
  std::printf("sf6tool diff summary  %.3f s\n", summary.seconds);
  std::printf("ratio time            %.2f (goal <= 5)\n", diff.seconds / unzip.seconds);
  std::printf("cpu time              %.3f s unzip, %.3f s diff, ratio %.2f\n", unzip.cpuSeconds,
              diff.cpuSeconds, diff.cpuSeconds / unzip.cpuSeconds);
  std::printf("peak memory of diff   %.1f MB\n", rss / 1e6);
  std::printf("ratio memory          %.2f of both uncompressed (goal <= 2)\n", rss / together);

  if (std::getenv("COMPARE_BENCH_KEEP")) {
    std::printf("catalogs kept in     %s\n", work.c_str());
  } else {
    std::error_code ec;
    fs::remove_all(work, ec);
  }
  return diff.exitCode == 1 ? 0 : 1;
}
