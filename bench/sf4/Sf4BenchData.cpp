#include "Sf4BenchData.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

namespace sf6::bench {

namespace {

class Sf4File {
public:
  Sf4File(const std::filesystem::path &path) : m_out(path, std::ios::binary) {
    if (!m_out)
      throw std::runtime_error("cannot write " + path.string());
  }
  // printf-style line, ended with CR LF as DOS wrote it.
  template <class... Args> void line(const char *format, Args... args) {
    char buffer[256];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    m_out.write(buffer, n);
    m_out.write("\r\n", 2);
  }

private:
  std::ofstream m_out;
};

int scaled(int count, double factor) {
  return static_cast<int>(count * factor + 0.5);
}

std::string lensCode(int i) {
  char code[16];
  std::snprintf(code, sizeof code, "L%05d", i);
  return code;
}

std::string coatingCode(int i) {
  char code[16];
  std::snprintf(code, sizeof code, "C%05d", i);
  return code;
}

} // namespace

Sf4BenchCounts sf4BenchCounts(double factor) {
  return {scaled(3000, factor), scaled(20000, factor), scaled(300000, factor), scaled(500, factor),
          scaled(2000, factor), scaled(30000, factor), scaled(5000, factor)};
}

void writeSf4BenchDirectory(const std::filesystem::path &dir, double factor) {
  const Sf4BenchCounts n = sf4BenchCounts(factor);
  std::filesystem::create_directories(dir);

  Sf4File(dir / "GLHead.Dat")
      .line("01150699D  BENBenchmark Optik (Gl\x84ser)       468030610150020");

  {
    Sf4File typ(dir / "GLTyp.Dat");
    for (int i = 0; i < n.lenses; ++i)
      typ.line("%-6s%-25s%d %d%d%04d%03d%d%d%d%d%05d%05d%-10s%04d%04d%-4s%04d%04d",
               lensCode(i).c_str(), ("Glas Nr. " + std::to_string(i)).c_str(), i % 4, i % 2, i % 3,
               1500 + i % 300, 120 + i % 50, i % 2, 0, i % 7, i % 4, 400, -250, "", 1400, 1500, "",
               1800, 50);
  }
  {
    // Every 20th lens has a further material; every 10th elliptical ranges.
    Sf4File neumat(dir / "GLNeumat.Dat");
    Sf4File ellip(dir / "GlEllip.Dat");
    for (int i = 0; i < n.lenses; i += 20)
      neumat.line("%-6s%d", lensCode(i).c_str(), 4 + (i / 20) % 2);
    for (int i = 0; i < n.lenses; i += 10)
      ellip.line("%-6s%d%d", lensCode(i).c_str(), 1 + (i / 10) % 2, (i / 10) % 3 == 0);
  }
  {
    Sf4File wirk(dir / "GLWirk.Dat");
    for (int i = 0; i < n.powerRanges; ++i) {
      const int lens = i % n.lenses;
      const int slot = i / n.lenses;
      // Each lens has its own limits, in quarter dioptres, as real ranges do.
      const unsigned h =
          (static_cast<unsigned>(lens) * 7919u + static_cast<unsigned>(slot) * 104729u) *
              2654435761u >>
          8;
      wirk.line("%-6s%02d%02d  %03d%03d%+05d%+05d%04d%03d%03d%d", lensCode(lens).c_str(),
                55 + 5 * (slot % 5), slot % 3 == 0 ? 70 : 0, 200 + static_cast<int>(h % 9) * 25,
                static_cast<int>((h >> 4) % 3) * 25, -400 - static_cast<int>((h >> 6) % 48) * 25,
                300 + static_cast<int>((h >> 12) % 36) * 25,
                400 + static_cast<int>((h >> 17) % 9) * 25,
                300 + static_cast<int>((h >> 21) % 5) * 25,
                50 + static_cast<int>((h >> 24) % 4) * 25, 1 + slot % 3);
    }
  }
  {
    // 100 lines per lens: 5 diameters x 10 sphere groups x 2 cylinder groups.
    // Prices rise with the groups and the diameter from a base of the lens and
    // scatter by up to twenty euros, as real price lists do.
    Sf4File preis(dir / "GLPreis.Dat");
    const int perLens = 100;
    for (int i = 0; i < n.lensPrices; ++i) {
      const int lens = (i / perLens) % n.lenses;
      const int cell = i % perLens;
      const unsigned scatter = (static_cast<unsigned>(i) * 2654435761u) >> 20;
      const int purchase = 1500 + (lens * 37) % 4000 + 250 * ((cell / 5) % 10) + 400 * (cell / 50) +
                           150 * (cell % 5) + static_cast<int>(scatter % 1999);
      const int retail = purchase * 2 + static_cast<int>((scatter >> 4) % 997) * 10;
      preis.line("%-6s%02d00%02d%02d  %07d%07d", lensCode(lens).c_str(), 55 + 5 * (cell % 5),
                 2 * (1 + (cell / 5) % 10), 2 * (1 + cell / 50), purchase, retail);
    }
  }
  {
    // A fifth of the coatings exists for both kinds (two lines, one code);
    // every 7th code is replaced through GlBesch2.Dat.
    Sf4File besch(dir / "GLBesch.Dat");
    Sf4File besch2(dir / "GlBesch2.Dat");
    for (int i = 0; i < n.coatings; ++i) {
      const std::string code = coatingCode(i);
      const std::string name = "Beschichtung " + std::to_string(i % (n.coatings / 2 + 1));
      besch.line("%-6s%-25s%d%d%d%d%d%d%d%d%d%d%d%d %d", code.c_str(), name.c_str(), i % 2,
                 (i % 4) * 3 - (i % 4 == 3), i % 7, i % 2, 1, i % 3 == 0, 1, i % 4, i % 3, 0, 0, 0,
                 0);
      if (i % 5 == 0)
        besch.line("%-6s%-25s%d%d%d%d%d%d%d%d%d%d%d%d %d", code.c_str(), name.c_str(), 1 - i % 2, 2,
                   0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0);
      if (i % 7 == 0)
        besch2.line("%-6sR%05d%d", code.c_str(), i, i % 5);
    }
  }
  {
    const char *special[] = {"Z01", "Z02", "Z03", "Z11", "Z12", "Z13",
                             "P01", "P12", "P23", "P34", "P35", "P16"};
    Sf4File zusch(dir / "GLzusch.Dat");
    for (int i = 0; i < n.surcharges; ++i) {
      if (i % 50 < 12)
        zusch.line("%-6s%07d%07d", special[i % 50], 500 + i, 900 + i);
      else
        zusch.line("%-6s%07d%07d", coatingCode(i % n.coatings).c_str(), 1000 + i, 1900 + i);
    }
  }
  {
    // Every 10th combination repeats an earlier one with the coatings swapped.
    Sf4File kombi(dir / "GLKombi.Dat");
    for (int i = 0; i < n.combinations; ++i) {
      const int j = (i % 10 == 9) ? i - 1 : i;
      const int lens = j % n.lenses;
      const int c1 = (j / n.lenses) % n.coatings;
      const int c2 = (j / n.lenses + 1 + j % 17) % n.coatings;
      if (j != i)
        kombi.line("%-6s%-6s%-6s%d", lensCode(lens).c_str(), coatingCode(c2).c_str(),
                   coatingCode(c1).c_str(), i % 3);
      else
        kombi.line("%-6s%-6s%-6s%d", lensCode(lens).c_str(), coatingCode(c1).c_str(),
                   i % 4 == 0 ? "" : coatingCode(c2).c_str(), i % 3);
    }
  }
  {
    Sf4File farb(dir / "GLFarb.Dat");
    for (int i = 0; i < n.colours; ++i)
      farb.line("%03d%-6s%-25s%02d%02d", i % 1000, coatingCode(i % n.coatings).c_str(),
                ("Farbe " + std::to_string(i)).c_str(), i % 90, (i + 10) % 90);
  }
  Sf4File(dir / "GLInfo.Dat").line("Informationstext, nicht ausgewertet");
}

} // namespace sf6::bench
