// The conversion command shared by the dialog and sf6tool: the header test,
// the archive name, failures, and `sf6tool convert` end to end.

#include "ExportTestSupport.h"

#include "export/ConvertSf4.h"
#include "model/Catalog.h"
#include "sf4/Sf4Object.h"
#include "support/RunCommand.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

namespace fs = std::filesystem;
using test::ExportTempDir;

// A GLHead.Dat line: 15 June 2005, country D, manufacturer ABC.
constexpr std::string_view kHeadLine =
    "  150605D  ABCMuster                        4680306101500\r\n";

struct CatalogWithAddress {
  Tlup6Dataobject root;
  Tlup6DataAdresse *address;
  CatalogWithAddress() {
    root.Clear(true);
    address = root.Addresses().AddNew();
  }
};

TEST(ConvertSf4, HeaderFileIsFoundWithoutRegardToCase) {
  ExportTempDir dir;
  EXPECT_FALSE(Sf4HeaderExists(dir.path().string()));
  dir.write("glhead.dat", kHeadLine);
  const std::string text = dir.path().string();
  EXPECT_TRUE(Sf4HeaderExists(text));
  EXPECT_TRUE(Sf4HeaderExists(text + "/"));
  EXPECT_FALSE(Sf4HeaderExists(text + "/glhead.dat")) << "a file is not a directory";
  EXPECT_FALSE(Sf4HeaderExists(text + "/missing"));
  EXPECT_FALSE(Sf4HeaderExists(""));
  fs::create_directory(dir.path() / "sub");
  fs::create_directory(dir.path() / "sub" / "GLHEAD.DAT");
  EXPECT_FALSE(Sf4HeaderExists((dir.path() / "sub").string()))
      << "a directory is not a header file";
}

TEST(ConvertSf4, ArchiveNameTakesTheFirstFreeNumber) {
  CatalogWithAddress c;
  c.address->EDV = "ABC";
  c.address->LAND = "DE";
  ASSERT_TRUE(TryEncodeDate(2005, 6, 15, c.address->GA));
  c.root.NamingPresets().SetLanguage(1, "");
  ExportTempDir dir;
  EXPECT_EQ(ConvertedArchiveName(c.root, dir.path()), "ABC---DE-20050615-1.zip");
  dir.write("ABC---DE-20050615-1.zip", "x");
  fs::create_directory(dir.path() / "ABC---DE-20050615-2.zip");
  EXPECT_EQ(ConvertedArchiveName(c.root, dir.path()), "ABC---DE-20050615-3.zip");
}

TEST(ConvertSf4, ArchiveNameParts) {
  const struct {
    const char *edv, *edv2, *language, *land;
    bool validDate;
    const char *expected;
  } cases[] = {
      {"ABC", "X1", "DE", "AT", true, "ABC-X1-DE-AT-20050615-1.zip"},
      {"", "", "", "", true, "----20050615-1.zip"},
      // No valid-from date: the zero date.
      {"ABC", "", "DE", "DE", false, "ABC--DE-DE-18991230-1.zip"},
      // Nothing may lead out of the directory.
      {"A/B", "..\\", "D\x01", "\xC4", true, "A_B-.._-D_-\xC4-20050615-1.zip"},
  };
  ExportTempDir dir;
  for (const auto &t : cases) {
    SCOPED_TRACE(t.expected);
    CatalogWithAddress c;
    c.address->EDV = t.edv;
    c.address->EDV2 = t.edv2;
    c.address->LAND = t.land;
    if (t.validDate) {
      ASSERT_TRUE(TryEncodeDate(2005, 6, 15, c.address->GA));
    }
    c.root.NamingPresets().SetLanguage(1, t.language);
    EXPECT_EQ(ConvertedArchiveName(c.root, dir.path()), t.expected);
  }
  Tlup6Dataobject empty;
  EXPECT_EQ(ConvertedArchiveName(empty, dir.path()), "");
}

TEST(ConvertSf4, ConvertsADirectoryNamedWithATrailingSeparator) {
  ExportTempDir dir;
  dir.write("GLHEAD.DAT", kHeadLine);
  dir.write("gltyp.dat", "L1    Glas\r\n");
  Tlup6Dataobject root;
  TSf4Object sf4(root);
  const Sf4ConversionResult result = ConvertSf4Directory(sf4, dir.path().string() + "/", "1.0");
  EXPECT_EQ(result.archiveName, "ABC--DE-DE-20050615-1.zip");
  EXPECT_EQ(result.archivePath, dir.path() / result.archiveName);
  const Sf6ExportLines lines = test::readExportEntries(result.archivePath);
  EXPECT_EQ(test::entry(lines, Sf6ExportEntry::LensType).size(), 1u);
  const LineList &head = test::entry(lines, Sf6ExportEntry::Head);
  EXPECT_NE(std::find(head.begin(), head.end(), PadRight("Software-id", 30) + "vxlup6fileview-1.0"),
            head.end());

  // A second conversion of the same directory takes the next number and
  // starts from a cleared model.
  const Sf4ConversionResult again = ConvertSf4Directory(sf4, dir.path().string(), "1.0");
  EXPECT_EQ(again.archiveName, "ABC--DE-DE-20050615-2.zip");
  EXPECT_EQ(root.Lenses().Count(), 1);
}

TEST(ConvertSf4, AnEmptyHeaderFileFailsAndLeavesNoArchive) {
  ExportTempDir dir;
  dir.write("GLHead.Dat", "");
  dir.write("GLTyp.Dat", "L1    Glas\r\n");
  Tlup6Dataobject root;
  TSf4Object sf4(root);
  EXPECT_THROW(ConvertSf4Directory(sf4, dir.path().string(), "1.0"), Sf6Error);
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"GLHead.Dat", "GLTyp.Dat"}));
}

// sf6tool convert ----------------------------------------------------------------

using ToolResult = test::CommandResult;

// Runs sf6tool; redirect says where stdout and stderr go ("2>/dev/null" ...).
ToolResult runTool(const std::string &arguments, const std::string &redirect) {
  return test::RunCommand(test::Sf6ToolCommand(arguments) + " " + redirect);
}

TEST(Sf6ToolConvert, PrintsTheWrittenNameOnStandardOutput) {
  ExportTempDir dir;
  // OEM 850 0x8E is the letter A with diaeresis.
  dir.write("GLHead.Dat", "  150605D  \x8E"
                          "BCMuster                        4680306101500\r\n");
  const ToolResult r = runTool("convert '" + dir.path().string() + "'", "2>/dev/null");
  EXPECT_EQ(r.exitCode, 0);
  const std::string name = "\xC3\x84"
                           "BC--DE-DE-20050615-1.zip";
  EXPECT_EQ(r.output, "Die Datei wurde unter dem Namen " + name + " gespeichert.\n");
  EXPECT_TRUE(fs::exists(dir.path() / name));
}

TEST(Sf6ToolConvert, FailuresGoToStandardErrorWithExitCodeOne) {
  ExportTempDir dir;
  ToolResult r = runTool("convert '" + dir.path().string() + "'", "2>&1 >/dev/null");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("GLHead.Dat"), std::string::npos) << r.output;

  dir.write("glhead.dat", "");
  r = runTool("convert '" + dir.path().string() + "'", "2>&1 >/dev/null");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("sf6tool convert: "), std::string::npos) << r.output;
  EXPECT_EQ(dir.names(), std::vector<std::string>{"glhead.dat"});

  r = runTool("convert", "2>&1 >/dev/null");
  EXPECT_EQ(r.exitCode, 2);
}

} // namespace
} // namespace sf6
