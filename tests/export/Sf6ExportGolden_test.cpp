// Golden pairs: each directory tests/data/export/<case>/ holds an SF4
// catalog (sf4/) and the thirteen entries its conversion must give
// (expected/, one file per entry, Windows-1252, LF line ends). The case is
// converted as the dialog converts it, the archive read back through the
// zip reader and compared line by line.
//
// After a deliberate change of the output, rewrite the expected files with
//   SF6_REGENERATE_GOLDEN=1 ./sf4_export_test --gtest_filter='Golden*'
// and review the difference before committing it.

#include "ExportTestSupport.h"

#include "export/ConvertSf4.h"
#include "model/Catalog.h"
#include "sf4/Sf4Object.h"
#include "text/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace sf6 {
namespace {

namespace fs = std::filesystem;

// The software id must not follow the build's version in stored expectations.
constexpr const char *kGoldenVersion = "9.8.7.6";

struct GoldenCase {
  const char *name;
  const char *archiveName;
};

std::ostream &operator<<(std::ostream &out, const GoldenCase &c) {
  return out << c.name;
}

fs::path caseDirectory(const GoldenCase &c) {
  return fs::path(TEST_DATA_DIR) / "export" / c.name;
}

std::string readFile(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeExpected(const fs::path &path, const LineList &lines) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const std::string &line : lines)
    out << line << '\n';
}

class Golden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(Golden, ConversionGivesTheExpectedEntries) {
  const GoldenCase &c = GetParam();
  test::ExportTempDir dir;
  fs::copy(caseDirectory(c) / "sf4", dir.path());

  Tlup6Dataobject root;
  TSf4Object sf4(root);
  const Sf4ConversionResult result = ConvertSf4Directory(sf4, dir.path().string(), kGoldenVersion);
  EXPECT_EQ(result.archiveName, c.archiveName);
  EXPECT_EQ(result.archivePath, dir.path() / c.archiveName);
  EXPECT_EQ(test::storedEntryNames(result.archivePath),
            std::vector<std::string>(kSf6ExportEntryNames.begin(), kSf6ExportEntryNames.end()));

  Sf6ExportLines lines = test::readExportEntries(result.archivePath);
  const fs::path expectedDir = caseDirectory(c) / "expected";
  const bool regenerate = std::getenv("SF6_REGENERATE_GOLDEN") != nullptr;
  for (std::size_t i = 0; i < kSf6ExportEntryCount; ++i) {
    const std::string entryName(kSf6ExportEntryNames[i]);
    SCOPED_TRACE(entryName);
    if (regenerate) {
      fs::create_directories(expectedDir);
      writeExpected(expectedDir / entryName, lines[i]);
      continue;
    }
    const LineList expected = SplitLines(readFile(expectedDir / entryName));
    const LineList &got = lines[i];
    for (std::size_t n = 0; n < std::max(expected.size(), got.size()); ++n) {
      const std::string want = n < expected.size() ? expected[n] : "<no line>";
      const std::string have = n < got.size() ? got[n] : "<no line>";
      EXPECT_EQ(Cp1252ToUtf8(have), Cp1252ToUtf8(want)) << "line " << n + 1;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Export, Golden,
                         ::testing::Values(GoldenCase{"lenses", "XYZ--DE-DE-20050315-1.zip"},
                                           GoldenCase{"coatings", "QRS--DE-CH-19990101-1.zip"}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace sf6
