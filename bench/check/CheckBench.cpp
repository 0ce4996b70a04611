// check_bench gen DIR [LINES]: writes a catalog of LINES lines (1,000,000 by
// default) as its thirteen files into DIR, every reference valid, with
// varied codes, names, powers, dates and prices as real catalogs have them.
// check_bench peak COMMAND [ARGS...]: runs COMMAND with stdout to /dev/null
// and prints its wall time in seconds, its peak resident memory in KiB and
// its processor time (user and system) in seconds.

#include "sf6/Sf6Procs.h"
#include "text/FieldText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace sf6;

// A small deterministic generator, so every run times the same catalog.
struct Random {
  uint64_t state = 0x9E3779B97F4A7C15ull;
  uint32_t next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return static_cast<uint32_t>(state >> 11);
  }
  int range(int low, int high) {
    return low + static_cast<int>(next() % static_cast<uint32_t>(high - low + 1));
  }
};

constexpr const char *kWords[] = {"Komfort", "Sport",  "Office", "Premium",  "Classic", "Digital",
                                  "Aktiv",   "Relax",  "Vision", "Kontrast", "Natur",   "Drive",
                                  "Junior",  "Senior", "Plus",   "Light",    "Clear",   "Blau"};
constexpr int kWordCount = static_cast<int>(std::size(kWords));

std::string name(Random &r, const char *kind) {
  std::string text = kind;
  for (int i = 0, n = r.range(1, 3); i < n; ++i)
    text += std::string(" ") + kWords[r.range(0, kWordCount - 1)];
  return text + " " + std::to_string(r.range(1, 9)) + "." + std::to_string(r.range(50, 74));
}

TDateTime date(int year, int month, int day) {
  TDateTime d = 0;
  TryEncodeDate(year, month, day, d);
  return d;
}

// Texts are joined by appending: GCC 12 warns falsely about "literal" + string.
std::string join(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts)
    text += part;
  return text;
}

std::string lensCode(int i) {
  return join({"G", IntToZeroPadded(i, 5)});
}
std::string optionCode(int i) {
  return join({"B", IntToZeroPadded(i, 5)});
}

// Writes lines with CR LF; a sorting writer keeps them and writes them in
// ascending order at the end, as the catalog's writer does.
class Writer {
public:
  explicit Writer(const std::filesystem::path &path, bool sorted = false)
      : m_out(path, std::ios::binary), m_sorted(sorted) {}
  void line(std::string text) {
    if (m_sorted) {
      m_lines.push_back(std::move(text));
      return;
    }
    m_buffer += text;
    m_buffer += "\r\n";
    if (m_buffer.size() > (1u << 20)) {
      m_out << m_buffer;
      m_buffer.clear();
    }
  }
  ~Writer() {
    std::sort(m_lines.begin(), m_lines.end());
    for (const std::string &text : m_lines) {
      m_buffer += text;
      m_buffer += "\r\n";
    }
    m_out << m_buffer;
  }

private:
  std::ofstream m_out;
  bool m_sorted;
  std::string m_buffer;
  std::vector<std::string> m_lines;
};

int generate(const std::filesystem::path &dir, long total) {
  std::filesystem::create_directories(dir);
  Random r;
  constexpr int kLenses = 2000, kOptions = 500, kRangesPerLens = 20, kGeoPerLens = 5;
  const long optionPrices = total / 10, combinations = total * 3 / 20,
             information = total * 3 / 100, orderOptions = total / 100, colours = kOptions * 3,
             substitutions = 1000;
  const long fixed = 45 + kLenses + kOptions + kLenses * kRangesPerLens + kLenses * kGeoPerLens +
                     optionPrices + combinations + information + orderOptions + colours +
                     (kLenses + kOptions) + substitutions;
  const long lensPrices = total - fixed;
  if (lensPrices < kLenses) {
    std::fprintf(stderr, "check_bench: %ld lines are too few\n", total);
    return 1;
  }

  {
    TSf6DataHead head;
    head.Version = "6.1";
    head.SoftwareId = "check_bench";
    head.ManufacturerName = "Beispiel Optik";
    head.ValidFrom = date(2025, 1, 1);
    head.ValidUntil = date(2026, 12, 31);
    head.PriceField = {TSf6PriceType::ListenEk, TSf6PriceType::EmpfVk, TSf6PriceType::BonusEk,
                       TSf6PriceType::NichtGefuellt, TSf6PriceType::NichtGefuellt};
    head.Characterset = 1252;
    LineList lines;
    WriteHeadLines(head, lines);
    Writer w(dir / "Head.dat");
    for (const std::string &l : lines)
      w.line(l);
  }
  {
    Writer w(dir / "LensType.Dat");
    for (int i = 0; i < kLenses; ++i) {
      TSf6DataLensType t;
      t.Code = lensCode(i);
      t.Name = name(r, i % 3 == 0 ? "Gleitsicht" : "Einst\xE4rken");
      t.ValidFrom = date(2020 + r.range(0, 5), r.range(1, 12), r.range(1, 28));
      t.LensKind = i % 3 == 0 ? TSf6LensKind::Gleitsicht : TSf6LensKind::Einstaerken;
      t.Material = static_cast<TSf6Material>(r.range(1, 4));
      t.RefractiveIndex = 1.5 + r.range(0, 24) / 100.0;
      t.Density = r.range(100, 300) / 100.0;
      t.AbbeNumber = r.range(3000, 5900) / 100.0;
      t.Aspheric = r.range(0, 1);
      t.UvEdge = r.range(380, 400);
      t.SortOrder = i % 1000;
      t.ShortDescription = kWords[r.range(0, kWordCount - 1)];
      t.MinDiameter = 50 + r.range(0, 10);
      w.line(BuildLensTypeLine(t));
    }
  }
  {
    Writer w(dir / "Options.Dat");
    for (int i = 0; i < kOptions; ++i) {
      TSf6Dataoptions o;
      o.Code = optionCode(i);
      o.Name = name(r, i % 4 == 0 ? "T\xF6nung" : "Entspiegelung");
      o.ValidFrom = date(2021 + r.range(0, 4), r.range(1, 12), r.range(1, 28));
      o.Materials = MaterialSetFromFlags(r.range(0, 1), true, r.range(0, 1), false);
      o.AntiReflection = static_cast<TSf6AntiReflection>(r.range(0, 3));
      o.BaseSphFrom = -r.range(0, 40) / 4.0;
      o.BaseSphTo = r.range(0, 32) / 4.0;
      o.DiameterFrom = 50 + r.range(0, 10);
      o.DiameterTo = 70 + r.range(0, 10);
      o.SortOrder = i;
      w.line(BuildOptionsLine(o));
    }
  }
  {
    Writer w(dir / "LensRange.Dat");
    for (int i = 0; i < kLenses; ++i)
      for (int j = 0; j < kRangesPerLens; ++j) {
        TSf6DataLensRange g;
        g.Code = lensCode(i);
        g.Diameter = {60 + 5 * (j % 4), j % 7 == 0 ? 70 + 5 * (j % 4) : 0, false};
        g.SphFrom = -r.range(0, 80) / 4.0;
        g.SphTo = r.range(0, 40) / 4.0;
        g.CylTo = -r.range(0, 24) / 4.0;
        g.PrismTo = r.range(0, 10) / 2.0;
        if (i % 3 == 0) {
          g.AddFrom = r.range(3, 6) / 4.0;
          g.AddTo = g.AddFrom + r.range(4, 8) / 4.0;
        }
        g.AddStep = static_cast<TSf6AddStep>(r.range(0, 3));
        g.Coating1 = optionCode(r.range(0, kOptions - 1));
        if (j % 2)
          g.Coating2 = optionCode(r.range(0, kOptions - 1));
        g.ValidFrom = date(2024, r.range(1, 12), r.range(1, 28));
        g.ValidUntil = date(2027, r.range(1, 12), r.range(1, 28));
        g.DeliveryTime = r.range(1, 21);
        g.StockLens = r.range(0, 1);
        g.RangeIndex = j + 1;
        w.line(BuildLensRangeLine(g));
      }
  }
  {
    Writer w(dir / "LensGeo.Dat");
    for (int i = 0; i < kLenses; ++i)
      for (int j = 0; j < kGeoPerLens; ++j) {
        TSf6DataLensGeo g;
        g.Code = lensCode(i);
        g.DiameterMode = j == kGeoPerLens - 1 ? 1 : 0;
        if (g.DiameterMode == 0) {
          g.Diameter = {60 + 5 * j, 0, false};
          g.SemiAxisVertical = r.range(2000, 3800) / 100.0;
          g.SemiAxisHorizontal = r.range(2000, 3800) / 100.0;
        }
        g.PowerFrom = -r.range(0, 40) / 4.0;
        g.PowerTo = r.range(0, 30) / 4.0;
        g.FarRefVertical = r.range(-800, 800) / 100.0;
        g.FittingCrossVertical = r.range(0, 800) / 100.0;
        w.line(BuildLensGeoLine(g));
      }
  }
  {
    Writer w(dir / "LensPrice.Dat", true);
    for (long n = 0; n < lensPrices; ++n) {
      const int lens = static_cast<int>(n % kLenses);
      const long k = n / kLenses;
      const int dia = static_cast<int>(k % 4);
      TSf6DataLensPrice p;
      p.Code = lensCode(lens);
      // The first ranges of each lens hold diameters 60, 65, 70, 75 in turn.
      const int rangeNumber = dia + 4 * static_cast<int>((k / 4) % 5);
      p.Diameter = {60 + 5 * dia, rangeNumber % 7 == 0 ? 70 + 5 * dia : 0, false};
      p.SphGroup = static_cast<int>((k / 4) % 100);
      p.CylGroup = static_cast<int>(k / 400 % 10);
      p.RangeIndex = rangeNumber + 1;
      p.Price1 = r.range(1500, 90000) / 100.0;
      p.Price2 = p.Price1 * 2.1;
      p.Price3 = p.Price1 * 0.9;
      const bool three = r.range(0, 2) != 0;
      w.line(BuildLensPriceLine(p, {true, true, three, false, false}));
    }
  }
  {
    Writer w(dir / "OptionsColor.Dat");
    for (int i = 0; i < colours; ++i) {
      TSf6DataoptionsColor c;
      c.ColourCode = join({"F", IntToZeroPadded(i % 3, 2)});
      c.Code = optionCode(i / 3);
      c.Name = name(r, "Farbe");
      c.AbsorptionTop = r.range(10, 90);
      c.AbsorptionBottom = r.range(0, c.AbsorptionTop);
      c.ColourTop = r.next() & 0xFFFFFFu;
      c.ColourMiddle = r.next() & 0xFFFFFFu;
      c.ColourBottom = r.next() & 0xFFFFFFu;
      c.FilterCategory = r.range(0, 4);
      w.line(BuildOptionsColorLine(c));
    }
  }
  {
    Writer w(dir / "OptionsPrice.Dat", true);
    for (long n = 0; n < optionPrices; ++n) {
      TSf6DataoptionsPrice p;
      p.Code = optionCode(static_cast<int>(n % kOptions));
      p.LensCode = lensCode(static_cast<int>(n / kOptions % kLenses));
      p.SphTor = static_cast<TSf6SphTor>(n / kOptions / kLenses % 3);
      p.Materials = MaterialSetFromFlags(r.range(0, 1), true, r.range(0, 1), r.range(0, 1));
      p.Price1 = r.range(500, 12000) / 100.0;
      p.Price2 = p.Price1 * 2;
      w.line(BuildOptionsPriceLine(p, {true, true, false, false, false}));
    }
  }
  {
    Writer w(dir / "Combination.Dat", true);
    for (long n = 0; n < combinations; ++n) {
      TSf6DataCombination c;
      c.LensCode = lensCode(static_cast<int>(n % kLenses));
      const long k = n / kLenses;
      c.Availability = static_cast<TSf6Availability>(r.range(0, 2));
      c.Coating1 = optionCode(static_cast<int>(k % kOptions));
      if (r.range(0, 1))
        c.Coating2 = optionCode(r.range(0, kOptions - 1));
      w.line(BuildCombinationLine(c));
    }
  }
  {
    Writer w(dir / "Information.Dat");
    constexpr int kTypes[] = {2, 3, 5, 6, 7, 9, 40};
    for (long n = 0; n < information; ++n) {
      const bool option = n % 5 == 0;
      const std::string code = option ? optionCode(static_cast<int>(n % kOptions))
                                      : lensCode(static_cast<int>(n % kLenses));
      std::string text = name(r, "Beschreibung:");
      for (int i = 0, words = r.range(3, 20); i < words; ++i)
        text += std::string(" ") + kWords[r.range(0, kWordCount - 1)];
      w.line(BuildInformationLine(option, code, kTypes[n % 7], static_cast<int>(n / 7 % 999) + 1,
                                  text));
    }
  }
  {
    Writer w(dir / "OrderOptions.Dat");
    for (long n = 0; n < orderOptions; ++n)
      w.line(BuildOrderOptionsLine(false, lensCode(static_cast<int>(n % kLenses)),
                                   static_cast<TSf6OrderFieldType>(r.range(1, 23)),
                                   r.range(0, 2) == 0 ? 1 : 5));
  }
  {
    Writer w(dir / "ProductGroup.Dat");
    for (int i = 0; i < kLenses + kOptions; ++i) {
      const bool option = i >= kLenses;
      w.line(PadRight(
          join({option ? "1" : "0", PadRight(option ? optionCode(i - kLenses) : lensCode(i), 6),
                kWords[r.range(0, kWordCount - 1)]}),
          37));
    }
  }
  {
    Writer w(dir / "CodeSubstitution.Dat");
    for (long n = 0; n < substitutions; ++n)
      w.line(PadRight(join({"0", PadRight(join({"X", IntToZeroPadded(n, 5)}), 6), "1",
                            PadRight(lensCode(static_cast<int>(n % kLenses)), 6)}),
                      26));
  }
  return 0;
}

int peak(char **argv) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    execvp(argv[0], argv);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  std::printf("%.3f %ld %.3f\n", seconds, usage.ru_maxrss, cpu);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

} // namespace

int main(int argc, char **argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "gen" && (argc == 3 || argc == 4))
    return generate(argv[2], argc == 4 ? std::atol(argv[3]) : 1000000);
  if (command == "peak" && argc >= 3)
    return peak(argv + 2);
  std::fprintf(stderr, "usage: check_bench gen DIR [LINES] | check_bench peak COMMAND [ARGS...]\n");
  return 2;
}
