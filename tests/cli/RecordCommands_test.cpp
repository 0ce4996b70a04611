// sf6tool fields, rebuild, csv and head, run in process through the command table.

#include "support/ToolInProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace sf6 {
namespace {

struct ToolResult {
  int exitCode = -1;
  std::string output;
};

const std::string kCatalog = std::string(TEST_DATA_DIR) + "/sf6/catalog.zip";

// Runs sf6tool with arguments, feeding `input` on stdin; stderr is dropped
// unless withErrors.
ToolResult runTool(const std::string &arguments, const std::string &input = "",
                   bool withErrors = false) {
  const test::ToolRun run = test::RunToolInProcess(test::SplitShellWords(arguments), input);
  return {run.exitCode, withErrors ? run.out + run.err : run.out};
}

TEST(Sf6ToolRecords, FieldsDecodesTheArgumentLikeTheFieldGrid) {
  const ToolResult r = runTool("fields combination.dat 'GL1   2AR'");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, "1\tHst-Code Grundglas\tGL1\n"
                      "2\tLieferbarkeit\tnur lieferbar\n"
                      "3\tSchicht 1\tAR\n"
                      "4\tSchicht 2\t\n"
                      "5\tSchicht 3\t\n");
}

TEST(Sf6ToolRecords, FieldsReadsEachInputLineAsABlockAndPrintsUtf8) {
  const ToolResult r = runTool("fields OrderOptions.Dat", "0GL1   00105\r\n1AR    0010");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, "1\tProdukt-Typ\tGlas\n"
                      "2\tHerstellerCode\tGL1\n"
                      "3\tFeldtyp\t010: HSA\n"
                      "4\tPriorit\xC3\xA4t\tFeld/Wert kann per DF\xC3\x9C \xC3\xBC"
                      "bertragen werden\n"
                      "\n"
                      "1\tProdukt-Typ\tBeschichtung\n"
                      "2\tHerstellerCode\tAR\n"
                      "3\tFeldtyp\t010: HSA\n"
                      "4\tPriorit\xC3\xA4t\t\n");
}

TEST(Sf6ToolRecords, FieldsCutsTheLineTo255Characters) {
  // The text of an Information line keeps 243 characters in the grid.
  const ToolResult r = runTool("fields Information.Dat", "0GL1   02001" + std::string(300, 'x'));
  EXPECT_NE(r.output.find("\tInformationszeile\t" + std::string(243, 'x') + "\n"),
            std::string::npos);
}

TEST(Sf6ToolRecords, RebuildWritesEachLineBackWithTheBuilder) {
  const ToolResult r = runTool("rebuild LensPrice.Dat", "GL1   "
                                                        "6570"
                                                        "03"
                                                        "00"
                                                        "000"
                                                        "0012550"
                                                        "0000990"
                                                        "   \n"
                                                        "GL2   70  0101001       0009900\n");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, "GL1   "
                      "6570"
                      "03"
                      "00"
                      "000"
                      "0012550"
                      "0000990"
                      "\n"
                      "GL2   70  0101001       0009900\n");
  // Information: arguments taken from the parsed record; umlauts pass through.
  const ToolResult info = runTool("rebuild information.dat", "5AR    41007Gr\xC3\xBC\xC3\x9F"
                                                             "e  \n");
  EXPECT_EQ(info.output, "1AR    02007Gr\xC3\xBC\xC3\x9F"
                         "e\n");
}

TEST(Sf6ToolRecords, UnknownFileOrFileWithoutBuilderExitsWithUsage) {
  EXPECT_EQ(runTool("fields Head.dat x").exitCode, 2);
  EXPECT_EQ(runTool("rebuild GLTyp.Dat", "x\n").exitCode, 2);
  const ToolResult r = runTool("rebuild ProductGroup.Dat", "0GL1   Gruppe\n", true);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.output.find("no line builder"), std::string::npos);
  EXPECT_EQ(runTool("fields").exitCode, 2);
  EXPECT_EQ(runTool("csv " + kCatalog).exitCode, 2);
}

TEST(Sf6ToolRecords, CsvQuotesFieldsAndWritesUtf8) {
  const ToolResult r = runTool("csv '" + kCatalog + "' INFORMATION.DAT");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, "1 Produkt-Typ,2 Herstellercode Glas/Besch,3 Informationstyp,4 Zeilennummer,"
                      "5 Informationszeile\r\n"
                      "Glas,GL1,Technische Produktbeschreibung,1,"
                      "\"Text mit, Komma und \"\"Zitat\"\"\"\r\n"
                      "Beschichtung,AR,Url Image,1,Bild f\xC3\xBCr \xC3\x84nderung\r\n");
}

TEST(Sf6ToolRecords, CsvRendersPricesAndMissingEntryExitsWithNothing) {
  const ToolResult r = runTool("csv '" + kCatalog + "' LensPrice.Dat");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.output.find("\r\nGL1,65/70,3,0,0,125.50,0.00,0.00,0.00,0.00\r\n"), std::string::npos);
  EXPECT_NE(r.output.find("\r\nGL2,70,1,1,1,0.00,99.00,0.00,0.00,0.00\r\n"), std::string::npos);
  EXPECT_EQ(runTool("csv '" + kCatalog + "' Options.Dat").exitCode, 3);
  EXPECT_EQ(runTool("csv '" + kCatalog + ".missing' Options.Dat").exitCode, 1);
}

TEST(Sf6ToolRecords, HeadListsRowsOrderedByName) {
  const ToolResult r = runTool("head '" + kCatalog + "'");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, "comment\tGr\xC3\xBC\xC3\x9F"
                      "e, \"Test\"\n"
                      "Software-id\t1.0.0.0\n"
                      "version\t6.0\n");
}

TEST(Sf6ToolRecords, FailureNamesANonAsciiArchiveInUtf8) {
  const test::ToolRun run =
      test::RunToolInProcess({"head", "/nonexistent/Brillengl\xC3\xA4ser.zip"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("Brillengl\xC3\xA4ser.zip"), std::string::npos) << run.err;
}

} // namespace
} // namespace sf6
