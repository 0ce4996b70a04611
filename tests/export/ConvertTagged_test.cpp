// Converting a catalog kept in the tagged form: the prices of every source the
// model knows as the export computes them (tests/data/tagged-prices/), the
// round trip SF4 directory -> `sf6tool model` -> `sf6tool convert --model`
// against `sf6tool convert` of the same directory, and failures.

#include "ExportTestSupport.h"

#include "model/Catalog.h"
#include "export/ConvertSf4.h"
#include "support/RunCommand.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace sf6 {
namespace {

namespace fs = std::filesystem;
using test::ExportTempDir;

std::string readFile(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

test::CommandResult runTool(const std::string &arguments) {
  return test::RunCommand(test::Sf6ToolCommand(arguments) + " 2>&1");
}

std::string quoted(const fs::path &path) {
  return "'" + path.string() + "'";
}

// The one archive (*.zip) in directory, empty when there is none or more.
fs::path onlyArchive(const fs::path &directory) {
  fs::path found;
  int count = 0;
  for (const auto &entry : fs::directory_iterator(directory))
    if (entry.path().extension() == ".zip") {
      found = entry.path();
      ++count;
    }
  return count == 1 ? found : fs::path();
}

// Price sources --------------------------------------------------------------------

class TaggedPrices : public ::testing::TestWithParam<const char *> {};

TEST_P(TaggedPrices, ReachTheArchiveAsComputed) {
  const fs::path data = fs::path(TEST_DATA_DIR) / "tagged-prices" / GetParam();
  ExportTempDir dir;
  fs::copy_file(data / "catalog.xml", dir.path() / "catalog.xml");
  Tlup6Dataobject root;
  const Sf4ConversionResult result =
      ConvertTaggedCatalog(root, dir.path() / "catalog.xml", {}, "1.0");
  EXPECT_EQ(result.archivePath, dir.path() / "TAG--DE-DE-20250101-1.zip");
  const Sf6ExportLines lines = test::readExportEntries(result.archivePath);
  EXPECT_EQ(test::entry(lines, Sf6ExportEntry::LensPrice),
            SplitLines(readFile(data / "LensPrice.Dat")));
  EXPECT_EQ(test::entry(lines, Sf6ExportEntry::OptionsPrice),
            SplitLines(readFile(data / "OptionsPrice.Dat")));
}

INSTANTIATE_TEST_SUITE_P(Sources, TaggedPrices,
                         ::testing::Values("fixed", "formula-operators", "formula-rounding",
                                           "local-formula", "variables", "cycle"),
                         [](const auto &info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

// Round trip through sf6tool --------------------------------------------------------

TEST(ConvertTagged, SavedModelConvertsToTheEntriesOfTheSf4Directory) {
  int cases = 0;
  for (const auto &golden : fs::directory_iterator(fs::path(TEST_DATA_DIR) / "export")) {
    const fs::path sf4 = golden.path() / "sf4";
    if (!fs::is_directory(sf4))
      continue;
    SCOPED_TRACE(golden.path().filename().string());
    ++cases;
    ExportTempDir direct;
    fs::copy(sf4, direct.path());
    ASSERT_EQ(runTool("convert " + quoted(direct.path())).exitCode, 0);

    ExportTempDir kept;
    const fs::path catalog = kept.path() / "catalog.xml";
    ASSERT_EQ(
        test::RunCommand(test::Sf6ToolCommand("model " + quoted(sf4)) + " >" + quoted(catalog))
            .exitCode,
        0);
    const test::CommandResult converted = runTool("convert --model " + quoted(catalog));
    ASSERT_EQ(converted.exitCode, 0) << converted.output;

    const fs::path fromSf4 = onlyArchive(direct.path());
    const fs::path fromModel = onlyArchive(kept.path());
    ASSERT_FALSE(fromModel.empty());
    EXPECT_EQ(fromModel.filename(), fromSf4.filename());
    EXPECT_EQ(converted.output, "Die Datei wurde unter dem Namen " + fromModel.filename().string() +
                                    " gespeichert.\n");
    const Sf6ExportLines expected = test::readExportEntries(fromSf4);
    const Sf6ExportLines actual = test::readExportEntries(fromModel);
    for (std::size_t i = 0; i < kSf6ExportEntryCount; ++i)
      EXPECT_EQ(actual[i], expected[i]) << kSf6ExportEntryNames[i];
  }
  EXPECT_GE(cases, 2);
}

TEST(ConvertTagged, WritesIntoTheGivenDirectoryUnderTheFirstFreeName) {
  const fs::path source = fs::path(TEST_DATA_DIR) / "tagged-prices" / "fixed" / "catalog.xml";
  ExportTempDir out;
  out.write("TAG--DE-DE-20250101-1.zip", "taken");
  const test::CommandResult r =
      runTool("convert --model " + quoted(source) + " " + quoted(out.path()));
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(out.names(),
            (std::vector<std::string>{"TAG--DE-DE-20250101-1.zip", "TAG--DE-DE-20250101-2.zip"}));
  EXPECT_EQ(readFile(out.path() / "TAG--DE-DE-20250101-1.zip"), "taken");
}

// Failures ---------------------------------------------------------------------------

TEST(ConvertTagged, DamagedFileNamesLineAndColumnAndLeavesNoArchive) {
  ExportTempDir dir;
  const std::string whole =
      readFile(fs::path(TEST_DATA_DIR) / "tagged-prices" / "fixed" / "catalog.xml");
  // Cut inside a price element: the document ends early.
  dir.write("catalog.xml", whole.substr(0, whole.find("<PR>80.5") + 6));
  test::CommandResult r = runTool("convert --model " + quoted(dir.path() / "catalog.xml"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("sf6tool convert: Tagged catalog document, line "), std::string::npos)
      << r.output;
  EXPECT_NE(r.output.find(", column "), std::string::npos) << r.output;
  EXPECT_EQ(dir.names(), std::vector<std::string>{"catalog.xml"});

  // Well formed, but no catalog: the root element is another one.
  dir.write("catalog.xml", "<GL><EDV>X</EDV></GL>");
  r = runTool("convert --model " + quoted(dir.path() / "catalog.xml"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("line 1, column 1"), std::string::npos) << r.output;

  // A catalog without an address has no archive name.
  dir.write("catalog.xml", "<LUP6><LOID>1</LOID></LUP6>");
  r = runTool("convert --model " + quoted(dir.path() / "catalog.xml"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(dir.names(), std::vector<std::string>{"catalog.xml"});

  Tlup6Dataobject root;
  EXPECT_THROW(ConvertTaggedCatalog(root, dir.path() / "missing.xml", {}, "1.0"), Sf6Error);
}

TEST(ConvertTagged, WrongArgumentsAndMissingOutputDirectory) {
  EXPECT_EQ(runTool("convert --model").exitCode, 2);
  EXPECT_EQ(runTool("convert --model a b c").exitCode, 2);
  EXPECT_EQ(runTool("convert --other x").exitCode, 2);
  const fs::path source = fs::path(TEST_DATA_DIR) / "tagged-prices" / "fixed" / "catalog.xml";
  const test::CommandResult r =
      runTool("convert --model " + quoted(source) + " /nonexistent/folder");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("no directory"), std::string::npos) << r.output;
}

} // namespace
} // namespace sf6
