// Every SF4 test catalog saved in the tagged form, loaded and saved again
// gives the same bytes, and the reloaded catalog converts to the same SF6
// lines; the same through sf6tool model.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/Catalog.h"
#include "model/XmlStorage.h"
#include "sf4/Sf4Object.h"
#include "sf4/Sf6Export.h"

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
  return BuildSf6ExportLines(&root, root.Addresses()->Items(0), "x.zip", settings);
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
    EXPECT_EQ(loaded.Lenses()->Count(), root.Lenses()->Count());
    EXPECT_EQ(exportLines(loaded), exportLines(root));
  }
}

struct CommandResult {
  int status = -1;
  std::string output;
};

CommandResult runTool(const std::string &arguments) {
  const std::string command = std::string("'") + SF6TOOL_PATH + "' " + arguments + " 2>&1";
  CommandResult result;
  FILE *pipe = popen(command.c_str(), "r");
  if (pipe == nullptr)
    return result;
  std::array<char, 4096> buffer{};
  std::size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    result.output.append(buffer.data(), n);
  result.status = pclose(pipe);
  return result;
}

fs::path tempFile(const std::string &name) {
  return fs::temp_directory_path() /
         (name + "-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".xml");
}

TEST(XmlRoundTrip, ModelCommandWritesWhatCheckWritesAgain) {
  const fs::path dir = fs::path(TEST_DATA_DIR) / "sf4" / "lenses";
  const CommandResult first = runTool("model '" + dir.string() + "'");
  ASSERT_EQ(first.status, 0) << first.output;
  ASSERT_EQ(first.output.rfind("<LUP6>", 0), 0u);
  const fs::path file = tempFile("sf6tool-model");
  std::ofstream(file, std::ios::binary) << first.output;
  const CommandResult second = runTool("model --check '" + file.string() + "'");
  fs::remove(file);
  EXPECT_EQ(second.status, 0);
  EXPECT_EQ(second.output, first.output);
}

TEST(XmlRoundTrip, ModelCheckReportsWhereADocumentIsBroken) {
  const CommandResult broken = runTool(
      "model --check '" + (fs::path(TEST_DATA_DIR) / "model" / "truncated.xml").string() + "'");
  EXPECT_NE(broken.status, 0);
  EXPECT_NE(broken.output.find("line 3, column"), std::string::npos) << broken.output;
  const CommandResult missing = runTool("model --check /nonexistent/catalog.xml");
  EXPECT_NE(missing.status, 0);
  EXPECT_NE(missing.output.find("Cannot open file"), std::string::npos) << missing.output;
  EXPECT_NE(runTool("model").status, 0);
}

TEST(XmlRoundTrip, HandWrittenDocumentLoads) {
  std::ifstream in(fs::path(TEST_DATA_DIR) / "model" / "handwritten.xml", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(text.empty());
  Tlup6Dataobject root;
  LoadCatalogFromXml(root, text);
  ASSERT_EQ(root.Lenses()->Count(), 1);
  EXPECT_EQ(root.Lenses()->Items(0)->GetName(1), "Gl\xE4ser & Co");
  EXPECT_EQ(root.Lenses()->Items(0)->Ranges()->Count(), 1);
  ASSERT_EQ(root.Coatings()->Count(), 1);
  EXPECT_EQ(root.Coatings()->Items(0)->SpecialProducts()->Texts(), (LineList{"B", "A"}));
  EXPECT_EQ(root.NOTE, (LineList{"Zeile 1", "Zeile 2"}));
}

} // namespace
} // namespace sf6
