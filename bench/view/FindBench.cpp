// find_bench [LINES] [NEEDLE...]: generates a catalog of LINES lines in total
// (default 1000000; most of them prices, as in a maker's real catalog: varied
// codes, powers and prices, no line repeated) and times, for each needle,
//   grep     `LC_ALL=C grep -c -i NEEDLE` over the thirteen texts in one file
//            (the baseline, a process of its own, best of five)
//   find     the find bar's search: one full pass through the largest text,
//            FindText from each match to the next until it wraps
//   all      FindInAllFiles over all thirteen texts (the list of all files)
// and prints each as a ratio to grep (goal <= 2).

#include "view/FindAll.h"
#include "view/RelatedLines.h"
#include "view/TextSearch.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A small deterministic generator, so every run searches the same catalog.
class Random {
public:
  uint32_t next() {
    m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(m_state >> 33);
  }
  int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }

private:
  uint64_t m_state = 0x5F6CA7A106ULL;
};

std::string digits(long value, int width) {
  std::string text = std::to_string(value);
  return std::string(width > static_cast<int>(text.size()) ? width - text.size() : 0, '0') + text;
}

std::string padded(std::string text, size_t width) {
  text.resize(width, ' ');
  return text;
}

const char *const kWords[] = {
    "Einst\xE4rken", "Gleitsicht", "Bifokal",    "asph\xE4risch", "Komfort",    "Premium", "Sport",
    "Nahkomfort",    "Silikat",    "Kunststoff", "1.5",           "1.6",        "1.67",    "1.74",
    "Polycarbonat",  "Trivex",     "Relax",      "B\xFCro",       "Individual", "Drive"};
const char *const kPrefixes[] = {"ES", "GS", "BF", "PR", "IN", "OF", "SP", "NK", "DR", "RX"};

struct Catalog {
  std::array<std::string, 13> texts; // Head.dat first, then the data files
};

// Lens codes: a family prefix and four characters; a catalog of this size
// holds a few thousand lenses.
std::string lensCode(int lens) {
  return std::string(kPrefixes[lens % 10]) + digits(lens / 10 % 1000, 3) +
         static_cast<char>('A' + lens % 7);
}

Catalog generate(long totalLines) {
  Random random;
  Catalog catalog;
  catalog.texts[0] =
      "version                       6.8.3\r\ncomment                       bench\r\n";
  const int lenses = static_cast<int>(std::max<long>(50, totalLines / 250));
  const auto name = [&] {
    std::string text;
    for (int w = 0; w < 3 + random.below(3); ++w)
      text += std::string(w ? " " : "") + kWords[random.below(20)];
    return text;
  };
  // LensType.Dat: one line per lens.
  for (int lens = 0; lens < lenses; ++lens)
    catalog.texts[1] += lensCode(lens) + padded(name(), 40) + "2025010120261231" +
                        digits(random.below(2), 1) + digits(random.next() % 100000000, 40) + "\r\n";
  long written = lenses + 2;
  const long rest = totalLines - written;
  // The other files in the shares of a real catalog, prices the most.
  const struct {
    int file;
    double share;
  } shares[] = {{2, 0.10}, {3, 0.08}, {4, 0.70},   {5, 0.003},  {6, 0.002}, {7, 0.07},
                {8, 0.02}, {9, 0.01}, {10, 0.002}, {11, 0.002}, {12, 0.001}};
  long assigned = 0;
  for (const auto &share : shares)
    assigned += static_cast<long>(rest * share.share);
  for (const auto &share : shares) {
    std::string &text = catalog.texts[static_cast<size_t>(share.file)];
    long lines = static_cast<long>(rest * share.share);
    if (share.file == 4)
      lines += rest - assigned; // the rounding's remainder: exactly totalLines in all
    for (long i = 0; i < lines; ++i) {
      const std::string code = lensCode(static_cast<int>(i * lenses / std::max(1L, lines)));
      const long price = 1500 + random.below(60000);
      switch (share.file) {
      case 4: // LensPrice.Dat: code, diameter, groups, index, five prices
        text += code + digits(55 + 5 * random.below(4), 2) + "  " + digits(random.below(20), 2) +
                digits(random.below(8), 2) + digits(random.below(40), 3);
        for (int k = 0; k < 5; ++k)
          text += digits(price + k * random.below(900), 7);
        break;
      case 2: // LensRange.Dat: powers and coatings
        text += code + "65   " + (random.below(2) ? "-" : "+") + digits(random.below(2000), 4) +
                "+" + digits(random.below(2000), 4) + digits(random.below(600), 8) +
                "000000000000" + padded("HC" + digits(random.below(90), 4), 6) +
                padded("AR" + digits(random.below(90), 4), 6) + std::string(18, ' ') +
                "12025010120261231" + digits(random.below(30), 3) + "0000" + digits(i % 999, 3);
        break;
      case 7: // OptionsPrice.Dat: option, lens, kinds, prices
        text += padded("AR" + digits(random.below(90), 4), 6) + code + "000100" + digits(price, 7) +
                digits(price + 500, 7);
        break;
      default: // geometry, information and the small files: code and text
        text += code + digits(random.next() % 1000000, 8) + " " + name() + " " +
                digits(static_cast<long>(i), 7);
        break;
      }
      text += "\r\n";
    }
    written += lines;
  }
  return catalog;
}

double grepMs(const std::string &file, const std::string &needle, long &count) {
  double best = 1e300;
  for (int run = 0; run < 5; ++run) {
    const std::string command = "LC_ALL=C grep -c -i '" + needle + "' " + file;
    const auto start = Clock::now();
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
      return 0;
    char line[64] = {};
    if (!std::fgets(line, sizeof line, pipe))
      line[0] = 0;
    pclose(pipe);
    best = std::min(best, msSince(start));
    count = std::atol(line);
  }
  return best;
}

// The needle for the terminal: Windows-1252 letters as UTF-8 (the ones the
// default needles use are Latin-1).
std::string printable(const std::string &text) {
  std::string out;
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte < 0x80) {
      out += ch;
      continue;
    }
    out += static_cast<char>(0xC0 | (byte >> 6));
    out += static_cast<char>(0x80 | (byte & 0x3F));
  }
  return out;
}

template <class F> double bestMs(F &&run) {
  double best = 1e300;
  for (int i = 0; i < 5; ++i) {
    const auto start = Clock::now();
    run();
    best = std::min(best, msSince(start));
  }
  return best;
}

} // namespace

int main(int argc, char **argv) {
  const long lines = argc > 1 ? std::atol(argv[1]) : 1000000;
  std::vector<std::string> needles;
  for (int i = 2; i < argc; ++i)
    needles.emplace_back(argv[i]);
  if (needles.empty()) // a lens code, a word of the names, a price, nothing
    needles = {"es123f", "asph\xE4risch", "0123456", "zz9q"};

  const Catalog catalog = generate(lines);
  std::array<sf6::TextDocument, 13> documents;
  std::vector<const sf6::TextDocument *> files;
  const auto file = std::filesystem::temp_directory_path() / "sf6_find_bench.txt";
  {
    std::ofstream out(file, std::ios::binary);
    for (size_t i = 0; i < documents.size(); ++i) {
      out << catalog.texts[i];
      documents[i].setBytes(catalog.texts[i]);
      files.push_back(&documents[i]);
    }
  }
  long total = 0;
  size_t bytes = 0;
  for (size_t i = 0; i < documents.size(); ++i) {
    total += documents[i].lineCount() - 1;
    bytes += catalog.texts[i].size();
  }
  const sf6::TextDocument &prices = documents[4];
  std::printf("catalog: %ld lines, %.1f MB; LensPrice.Dat %d lines\n", total,
              static_cast<double>(bytes) / (1024.0 * 1024.0), prices.lineCount() - 1);

  for (const std::string &needle : needles) {
    long grepCount = 0;
    const double grep = grepMs(file.string(), needle, grepCount);
    uint64_t hits = 0;
    const double all = bestMs([&] { hits = sf6::FindInAllFiles(files, needle).total; });
    // The find bar, F3 after F3 through LensPrice.Dat until it wraps, the
    // text's byte counts sampled once.
    long found = 0;
    const double find = bestMs([&] {
      found = 0;
      const sf6::ByteCounts counts = sf6::SampleByteCounts(prices);
      sf6::SearchOptions options;
      options.counts = &counts;
      sf6::TextPos from{0, 0};
      while (auto match = sf6::FindText(prices, needle, from, options)) {
        if (match->wrapped)
          break;
        ++found;
        from = {match->start.line, match->start.column + match->length};
      }
    });
    long grepPrices = 0;
    {
      const auto pricesFile = std::filesystem::temp_directory_path() / "sf6_find_bench_prices.txt";
      std::ofstream(pricesFile, std::ios::binary) << catalog.texts[4];
      const double grepPricesMs = grepMs(pricesFile.string(), needle, grepPrices);
      std::filesystem::remove(pricesFile);
      std::printf("\"%s\": grep -c -i %.1f ms (%ld lines) | find in all files %.1f ms (%llu "
                  "matches), ratio %.2f | find F3 pass over LensPrice.Dat %.1f ms (%ld matches) "
                  "vs grep %.1f ms (%ld lines), ratio %.2f (goal <= 2)\n",
                  printable(needle).c_str(), grep, grepCount, all,
                  static_cast<unsigned long long>(hits), all / grep, find, found, grepPricesMs,
                  grepPrices, find / grepPricesMs);
    }
  }
  std::filesystem::remove(file);

  // Jumps: the first "Zu den Preisen" indexes LensPrice.Dat once; later
  // jumps are lookups.
  sf6::RelatedLines related(
      [&](sf6::Sf6Entry entry) { return &documents[static_cast<size_t>(entry)]; });
  const std::string range(documents[2].line(0));
  auto start = Clock::now();
  const auto first = related.resolve(sf6::JumpKind::Prices, sf6::Sf6Entry::LensRange, range, 0);
  const double indexMs = msSince(start);
  start = Clock::now();
  constexpr int kJumps = 1000;
  for (int i = 0; i < kJumps; ++i)
    related.resolve(sf6::JumpKind::Prices, sf6::Sf6Entry::LensRange, documents[2].line(i), 0);
  std::printf("jump to the prices: first %.1f ms (indexing LensPrice.Dat, target line %d), then "
              "%.2f us per jump\n",
              indexMs, first.target ? first.target->line : -1, msSince(start) * 1000 / kJumps);
  return 0;
}
