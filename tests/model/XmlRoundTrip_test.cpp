// Every SF4 test catalog saved in the tagged form, loaded and saved again
// gives the same bytes, and the reloaded catalog converts to the same SF6
// lines; the same through sf6tool model.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "export/Sf6Export.h"
#include "model/Catalog.h"
#include "model/XmlStorage.h"
#include "sf4/Sf4Object.h"
#include "support/RunCommand.h"

namespace sf6 {
namespace {

namespace fs = std::filesystem;

// The SF4 directories of the test data: tests/data/sf4/* and the inputs of
// the export golden pairs.
std::vector<fs::path> sf4Directories() {
  std::vector<fs::path> dirs;
  const fs::path data = TEST_DATA_DIR;
  for (const auto &entry : fs::directory_iterator(data / "sf4"))
    if (entry.is_directory())
      dirs.push_back(entry.path());
  if (fs::exists(data / "export"))
    for (const auto &entry : fs::directory_iterator(data / "export"))
      if (fs::is_directory(entry.path() / "sf4"))
        dirs.push_back(entry.path() / "sf4");
  std::sort(dirs.begin(), dirs.end());
  return dirs;
}

Sf6ExportLines exportLines(const Tlup6Dataobject &root) {
  Sf6ExportSettings settings;
  settings.softwareId = "test";
  return BuildSf6ExportLines(&root, root.Addresses().Items(0), "x.zip", settings);
}

TEST(XmlRoundTrip, EverySf4CatalogSavesLoadsAndSavesAgainIdentically) {
  const auto dirs = sf4Directories();
  ASSERT_GE(dirs.size(), 3u);
  for (const fs::path &dir : dirs) {
    SCOPED_TRACE(dir.string());
    Tlup6Dataobject root;
    TSf4Object sf4(root);
    sf4.LoadFromDirectory(dir.string());
    const std::string first = SaveCatalogToXml(root);
    Tlup6Dataobject loaded;
    LoadCatalogFromXml(loaded, first);
    EXPECT_EQ(SaveCatalogToXml(loaded), first);
    EXPECT_EQ(loaded.Lenses().Count(), root.Lenses().Count());
    EXPECT_EQ(exportLines(loaded), exportLines(root));
  }
}

using test::RunCommand;
using test::Sf6ToolCommand;

TEST(XmlRoundTrip, ModelCommandWritesWhatCheckWritesAgain) {
  const fs::path dir = fs::path(TEST_DATA_DIR) / "sf4" / "lenses";
  const auto first = RunCommand(Sf6ToolCommand("model '" + dir.string() + "'"));
  ASSERT_EQ(first.exitCode, 0) << first.output;
  ASSERT_EQ(first.output.rfind("<LUP6>", 0), 0u);
  const auto second = RunCommand(Sf6ToolCommand("model --check /dev/stdin"), first.output);
  EXPECT_EQ(second.exitCode, 0);
  EXPECT_EQ(second.output, first.output);
}

TEST(XmlRoundTrip, ModelCheckReportsWhereADocumentIsBroken) {
  const fs::path truncated = fs::path(TEST_DATA_DIR) / "model" / "truncated.xml";
  const auto broken = RunCommand(Sf6ToolCommand("model --check '" + truncated.string() + "' 2>&1"));
  EXPECT_EQ(broken.exitCode, 1);
  EXPECT_NE(broken.output.find("line 3, column"), std::string::npos) << broken.output;
  const auto missing = RunCommand(Sf6ToolCommand("model --check /nonexistent/catalog.xml 2>&1"));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.output.find("Cannot open file"), std::string::npos) << missing.output;
  EXPECT_EQ(RunCommand(Sf6ToolCommand("model 2>&1")).exitCode, 2);
}

TEST(XmlRoundTrip, HandWrittenDocumentLoads) {
  std::ifstream in(fs::path(TEST_DATA_DIR) / "model" / "handwritten.xml", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(text.empty());
  Tlup6Dataobject root;
  LoadCatalogFromXml(root, text);
  ASSERT_EQ(root.Lenses().Count(), 1);
  EXPECT_EQ(root.Lenses().Items(0)->GetName(1), "Gl\xE4ser & Co");
  EXPECT_EQ(root.Lenses().Items(0)->Ranges().Count(), 1);
  ASSERT_EQ(root.Coatings().Count(), 1);
  EXPECT_EQ(root.Coatings().Items(0)->SpecialProducts().Texts(), (LineList{"B", "A"}));
  EXPECT_EQ(root.NOTE, (LineList{"Zeile 1", "Zeile 2"}));
}

} // namespace
} // namespace sf6
