// sf6tool check as a user runs it: the problem lines, the summary on stderr,
// the exit codes, --max, --strict and JSON Lines read back.

#include "check/CheckTestCatalog.h"
#include "support/RunCommand.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace sf6::test {
namespace {

struct CheckRun {
  int exitCode;
  std::string out;
  std::string err;
};

CheckRun RunCheck(const ScratchDir &dir, const std::string &arguments) {
  const auto errPath = dir / "stderr.txt";
  const CommandResult r =
      RunCommand(Sf6ToolCommand("check " + arguments) + " 2>'" + errPath.string() + "'");
  return {r.exitCode, r.output, ReadFileBytes(errPath)};
}

std::string WriteCatalog(const ScratchDir &dir, const TestCatalog &catalog) {
  const auto path = dir / "catalog.zip";
  WriteFileBytes(path, BuildArchive(catalog.entries()).bytes);
  return Quote(path);
}

std::vector<std::string> Lines(const std::string &text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

TEST(CheckCli, CleanCatalogPrintsNothingButTheSummaryAndExitsZero) {
  ScratchDir dir;
  const CheckRun run = RunCheck(dir, WriteCatalog(dir, CleanCatalog()));
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find(": 0 Fehler, 0 Warnungen\n"), std::string::npos) << run.err;
}

TEST(CheckCli, PrintsOneProblemALineSortedByEntryAndLineAsCompilersDo) {
  ScratchDir dir;
  TestCatalog c = CleanCatalog();
  Put(c.line("LensPrice.Dat", 1), 18, "0012,55");
  c.line("Combination.Dat", 1).resize(13);
  c.lines["Options.Dat"].push_back(c.line("Options.Dat", 1)); // a duplicate
  const CheckRun run = RunCheck(dir, WriteCatalog(dir, c));
  EXPECT_EQ(run.exitCode, 1);
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 3u) << run.out;
  EXPECT_EQ(lines[0].rfind("LensPrice.Dat:1:22: Fehler: \xE2\x80\x9EPreis 1\xE2\x80\x9C: ", 0), 0u)
      << lines[0];
  EXPECT_EQ(lines[0].substr(lines[0].size() - 15), " [field.number]");
  EXPECT_EQ(lines[1], "Options.Dat:2:1: Fehler: \xE2\x80\x9EHst-Code Schicht\xE2\x80\x9C: Code "
                      "\xE2\x80\x9EO1\xE2\x80\x9C ist bereits in Zeile 1 definiert "
                      "[dup.option-code]");
  EXPECT_EQ(lines[2].rfind("Combination.Dat:1:14: Fehler: ", 0), 0u) << lines[2];
  EXPECT_NE(run.err.find(": 3 Fehler, 0 Warnungen"), std::string::npos) << run.err;
}

TEST(CheckCli, WarningsPassUnlessStrict) {
  ScratchDir dir;
  TestCatalog c = CleanCatalog();
  c.line("OrderOptions.Dat", 1) += "  ";
  const std::string archive = WriteCatalog(dir, c);
  const CheckRun lenient = RunCheck(dir, archive);
  EXPECT_EQ(lenient.exitCode, 0);
  EXPECT_EQ(lenient.out, "OrderOptions.Dat:1:13: Warnung: Zeile ist 14 Zeichen lang, erwartet "
                         "12; dahinter stehen nur Leerzeichen [line.trailing-blanks]\n");
  EXPECT_EQ(RunCheck(dir, archive + " --strict").exitCode, 1);
}

TEST(CheckCli, MaxCapsEachRuleAndTheSummarySaysHowManyWereLeftOut) {
  ScratchDir dir;
  TestCatalog c = CleanCatalog();
  for (int i = 0; i < 4; ++i)
    c.lines["LensType.Dat"].push_back(c.line("LensType.Dat", 1));
  Put(c.line("LensRange.Dat", 1), 48, "3");
  const CheckRun run = RunCheck(dir, "--max 2 " + WriteCatalog(dir, c));
  EXPECT_EQ(run.exitCode, 1);
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 3u) << run.out;
  EXPECT_EQ(lines[0].rfind("LensType.Dat:2:1:", 0), 0u);
  EXPECT_EQ(lines[1].rfind("LensType.Dat:3:1:", 0), 0u);
  EXPECT_EQ(lines[2].rfind("LensRange.Dat:1:48:", 0), 0u);
  EXPECT_NE(run.err.find("5 Fehler, 0 Warnungen (2 wegen --max nicht ausgegeben)"),
            std::string::npos)
      << run.err;
}

TEST(CheckCli, JsonLinesCarryEveryKeyAndReadBack) {
  ScratchDir dir;
  TestCatalog c = CleanCatalog();
  Put(c.line("LensType.Dat", 1), 90, "2");
  c.line("OrderOptions.Dat", 1) += "X";
  const CheckRun run = RunCheck(dir, WriteCatalog(dir, c) + " --format json");
  EXPECT_EQ(run.exitCode, 1);
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 2u) << run.out;
  const auto flag = nlohmann::json::parse(lines[0]);
  EXPECT_EQ(flag["entry"], "LensType.Dat");
  EXPECT_EQ(flag["line"], 1);
  EXPECT_EQ(flag["column"], 90);
  EXPECT_EQ(flag["field"], 19);
  EXPECT_EQ(flag["caption"], "Hart");
  EXPECT_EQ(flag["severity"], "error");
  EXPECT_EQ(flag["rule"], "field.flag");
  EXPECT_NE(flag["message"].get<std::string>().find("\xE2\x80\x9EHart\xE2\x80\x9C"),
            std::string::npos);
  const auto length = nlohmann::json::parse(lines[1]);
  EXPECT_TRUE(length["field"].is_null());
  EXPECT_TRUE(length["caption"].is_null());
  EXPECT_EQ(length["rule"], "line.too-long");
}

TEST(CheckCli, UnreadableArchiveIsAProblemAndUsageErrorsExitTwo) {
  ScratchDir dir;
  const std::string missing = (dir / "none.zip").string();
  const CheckRun run = RunCheck(dir, Quote(missing));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out.rfind(missing + ":0:0: Fehler: ", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("[archive.unreadable]"), std::string::npos);

  for (const char *arguments : {"", "a.zip b.zip", "a.zip --max", "a.zip --max -1", "a.zip --max x",
                                "a.zip --format xml", "a.zip --fast"}) {
    SCOPED_TRACE(arguments);
    const CheckRun usage = RunCheck(dir, arguments);
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_NE(usage.err.find("Usage: sf6tool check"), std::string::npos);
  }
}

} // namespace
} // namespace sf6::test
