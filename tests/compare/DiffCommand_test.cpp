// sf6tool diff as a user runs it: the text form, JSON Lines read back, the
// options and the exit status (0 equal, 1 different, 2 trouble).

#include "compare/CompareTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace sf6 {
namespace {

using test::HeadLine;
using test::LensPriceLine;
using test::LensTypeLine;
using test::Lines;
using test::Quote;
using test::ScratchDir;

// Two catalogs that differ in every way the command reports.
class DiffCommand : public ::testing::Test {
protected:
  void SetUp() override {
    m_old = test::WriteCatalog(
        m_dir, "old.zip",
        {{"Head.dat", Lines({HeadLine("version", "6.1"), HeadLine("comment", "Herbst")})},
         {"LensType.Dat", Lines({LensTypeLine("GL1", "Einst\xE4rken", "20250101", ""),
                                 LensTypeLine("GL2", "Gleitsicht", "20250101", "")})},
         {"LensPrice.Dat", Lines({LensPriceLine("GL1", "70", "01", "01", "001", {"0010000"}),
                                  LensPriceLine("GL1", "70", "02", "01", "001", {"0012000"})})},
         {"Options.Dat", Lines({"AR1   Super"})}});
    m_new = test::WriteCatalog(
        m_dir, "new.zip",
        {{"Head.dat", Lines({HeadLine("comment", "Fr\xFChjahr"), HeadLine("version", "6.1")})},
         {"LensType.Dat", Lines({LensTypeLine("GL2", "Gleitsicht", "20250101", ""),
                                 LensTypeLine("GL3", "Neu", "20260101", "")})},
         {"LensPrice.Dat", Lines({LensPriceLine("GL1", "70", "02", "01", "001", {"0012000"}),
                                  LensPriceLine("GL1", "70", "01", "01", "001", {"0010450"})})}});
  }

  test::CommandResult diff(const std::string &arguments, bool withErrors = false) {
    return test::RunCommand(
        test::Sf6ToolCommand("diff " + Quote(m_old) + " " + Quote(m_new) + " " + arguments) +
        (withErrors ? " 2>&1" : " 2>/dev/null"));
  }

  ScratchDir m_dir;
  std::filesystem::path m_old;
  std::filesystem::path m_new;
};

TEST_F(DiffCommand, TextFormGivesCountsThenOneLinePerDifference) {
  const auto r = diff("");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.output, "Head.dat: 0 neu, 0 entfernt, 1 ge\xC3\xA4ndert\n"
                      "LensType.Dat: 1 neu, 1 entfernt, 0 ge\xC3\xA4ndert\n"
                      "LensPrice.Dat: 0 neu, 0 entfernt, 1 ge\xC3\xA4ndert\n"
                      "Options.Dat: 0 neu, 1 entfernt, 0 ge\xC3\xA4ndert\n"
                      "~ Head.dat comment: comment Herbst \xE2\x86\x92 Fr\xC3\xBChjahr\n"
                      "- LensType.Dat GL1 (Zeile 1)\n"
                      "+ LensType.Dat GL3 (Zeile 2)\n"
                      "~ LensPrice.Dat GL1 70 1 1 1: Preis 1 100.00 \xE2\x86\x92 104.50 (+4,5 %)\n"
                      "- Options.Dat AR1 (Zeile 1)\n");
}

TEST_F(DiffCommand, JsonLinesReadBackAsTheDifferences) {
  const auto r = diff("--format json");
  EXPECT_EQ(r.exitCode, 1);
  std::istringstream lines(r.output);
  std::vector<nlohmann::json> objects;
  for (std::string line; std::getline(lines, line);)
    objects.push_back(nlohmann::json::parse(line));
  ASSERT_EQ(objects.size(), 5u);

  const auto &head = objects[0];
  EXPECT_EQ(head["entry"], "Head.dat");
  EXPECT_EQ(head["change"], "changed");
  EXPECT_EQ(head["key"], nlohmann::json::array({"comment"}));
  EXPECT_EQ(head["old_line"], 2);
  EXPECT_EQ(head["new_line"], 1);
  ASSERT_EQ(head["fields"].size(), 1u);
  EXPECT_TRUE(head["fields"][0]["field"].is_null());
  EXPECT_EQ(head["fields"][0]["caption"], "comment");
  EXPECT_EQ(head["fields"][0]["new"], "Fr\xC3\xBChjahr");

  const auto &removed = objects[1];
  EXPECT_EQ(removed["change"], "removed");
  EXPECT_EQ(removed["old_line"], 1);
  EXPECT_TRUE(removed["new_line"].is_null());
  EXPECT_TRUE(removed["fields"].empty());
  EXPECT_EQ(objects[2]["change"], "added");
  EXPECT_TRUE(objects[2]["old_line"].is_null());

  const auto &price = objects[3];
  EXPECT_EQ(price["key"], nlohmann::json::array({"GL1", "70", "1", "1", "1"}));
  EXPECT_EQ(price["old_line"], 1);
  EXPECT_EQ(price["new_line"], 2);
  ASSERT_EQ(price["fields"].size(), 1u);
  EXPECT_EQ(price["fields"][0]["field"], 6);
  EXPECT_EQ(price["fields"][0]["caption"], "Preis 1");
  EXPECT_EQ(price["fields"][0]["old"], "100.00");
  EXPECT_EQ(price["fields"][0]["new"], "104.50");
  EXPECT_DOUBLE_EQ(price["fields"][0]["percent"].get<double>(), 4.5);
}

TEST_F(DiffCommand, EntryLimitsOutputAndExitStatus) {
  const auto price = diff("--entry lensprice.dat");
  EXPECT_EQ(price.exitCode, 1);
  EXPECT_EQ(price.output.find("LensType"), std::string::npos);
  EXPECT_NE(price.output.find("LensPrice.Dat: 0 neu, 0 entfernt, 1 ge"), std::string::npos);

  // Both catalogs lack CodeSubstitution.Dat: equal there.
  const auto equal = diff("--entry CodeSubstitution.Dat");
  EXPECT_EQ(equal.exitCode, 0);
  EXPECT_EQ(equal.output, "");
}

TEST_F(DiffCommand, SummaryPrintsOnlyTheCounts) {
  const auto text = diff("--summary");
  EXPECT_EQ(text.exitCode, 1);
  EXPECT_EQ(std::count(text.output.begin(), text.output.end(), '\n'), 4);
  EXPECT_EQ(text.output.find("~ "), std::string::npos);

  const auto json = diff("--summary --format json --entry LensType.Dat");
  EXPECT_EQ(json.exitCode, 1);
  const auto counts = nlohmann::json::parse(json.output);
  EXPECT_EQ(counts["entry"], "LensType.Dat");
  EXPECT_EQ(counts["added"], 1);
  EXPECT_EQ(counts["removed"], 1);
  EXPECT_EQ(counts["changed"], 0);
}

TEST_F(DiffCommand, EqualCatalogsExitZeroWithoutOutput) {
  const auto r =
      test::RunCommand(test::Sf6ToolCommand("diff " + Quote(m_old) + " " + Quote(m_old)));
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, "");
}

TEST_F(DiffCommand, TroubleExitsTwoWithAMessage) {
  test::WriteFileBytes(m_dir / "broken.zip", "not an archive");
  const std::string old = Quote(m_old);
  const struct {
    std::string arguments;
    std::string message;
  } cases[] = {
      {old + " " + Quote(m_dir / "none.zip"), "sf6tool diff: "},
      {old + " " + Quote(m_dir / "broken.zip"), "sf6tool diff: "},
      {old, "Usage: sf6tool diff"},
      {old + " " + old + " --format xml", "unknown format"},
      {old + " " + old + " --entry Nothing.Dat", "unknown entry"},
      {old + " " + old + " --entry", "Usage: sf6tool diff"},
      {old + " " + old + " --colour", "Usage: sf6tool diff"},
  };
  for (const auto &c : cases) {
    const auto r = test::RunCommand(test::Sf6ToolCommand("diff " + c.arguments) + " 2>&1");
    EXPECT_EQ(r.exitCode, 2) << c.arguments;
    EXPECT_NE(r.output.find(c.message), std::string::npos) << c.arguments << "\n" << r.output;
  }
}

} // namespace
} // namespace sf6
