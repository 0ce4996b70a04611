// sf6tool export as a user runs it: both targets, standard output, wrong
// arguments, and a disk that fills up during the export.

#include "ExportTestSupport.h"

#include "support/RunCommand.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace sf6 {
namespace {

using test::Quote;
using test::ScratchDir;

test::CommandResult runTool(const std::string &arguments) {
  return test::RunCommand(test::Sf6ToolCommand(arguments) + " 2>&1");
}

TEST(ExportCommand, WritesBothFormsAndJsonToStandardOutput) {
  ScratchDir dir;
  const auto archive = test::WriteTestCatalog(dir);
  const auto r = runTool("export " + Quote(archive) + " --sqlite " + Quote(dir / "c.db") +
                         " --json " + Quote(dir / "c.jsonl"));
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(r.output, "");
  EXPECT_GT(test::Database(dir / "c.db").scalar("SELECT count(*) FROM lens_price").integer, 0);
  const auto out = test::RunCommand(test::Sf6ToolCommand("export " + Quote(archive) + " --json -"));
  EXPECT_EQ(out.exitCode, 0);
  EXPECT_EQ(out.output, test::ReadFileBytes(dir / "c.jsonl"));
}

TEST(ExportCommand, WrongArgumentsExitWithUsage) {
  ScratchDir dir;
  const auto archive = test::WriteTestCatalog(dir);
  const std::string a = Quote(archive);
  const std::string db = Quote(dir / "x.db");
  for (const std::string &args :
       {std::string("export"), "export " + a, "export " + a + " --sqlite",
        "export " + a + " --json", "export " + a + " --sqlite -", "export " + a + " --csv " + db,
        "export " + a + " " + a + " --sqlite " + db, "export --sqlite " + db,
        "export " + a + " --sqlite " + db + " --sqlite " + db,
        "export " + a + " --sqlite " + db + " --json " + db, "export " + a + " --json " + a}) {
    const auto r = runTool(args);
    EXPECT_EQ(r.exitCode, 2) << args << "\n" << r.output;
    EXPECT_FALSE(r.output.empty()) << args;
  }
  EXPECT_EQ(dir.files().size(), 1u); // the archive alone
}

TEST(ExportCommand, MissingArchiveFailsWithoutOutput) {
  ScratchDir dir;
  const auto r = runTool("export " + Quote(dir / "none.zip") + " --sqlite " + Quote(dir / "x.db"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("sf6tool export:"), std::string::npos) << r.output;
  EXPECT_TRUE(dir.files().empty());
}

// A catalog of varied price lines, large enough that its database and its
// JSON Lines outgrow the file size limit below.
std::filesystem::path writeLargeCatalog(const ScratchDir &dir) {
  std::string prices;
  for (int i = 0; i < 20000; ++i)
    prices += test::Line({{1, "G" + std::to_string(10000 + i % 977)},
                          {7, std::to_string(50 + i % 4 * 5)},
                          {11, std::to_string(10 + i % 13)},
                          {18, std::to_string(1000000 + (i * 7919) % 8000000)}}) +
              "\r\n";
  const auto path = dir / "large.zip";
  test::WriteFileBytes(path, test::BuildArchive({{.name = "LensPrice.Dat", .data = prices}}).bytes);
  return path;
}

// The disk fills up: the shell's file size limit (1024-byte blocks) makes
// writes past 256 KiB fail; the signal it would raise is ignored, so the
// writes fail as on a full disk.
TEST(ExportCommand, AFullDiskLeavesTheOldFilesAndNoTemporaryFile) {
  ScratchDir dir;
  const auto archive = writeLargeCatalog(dir);
  test::WriteFileBytes(dir / "out.db", "old database");
  test::WriteFileBytes(dir / "out.jsonl", "old lines");
  for (const std::string &option :
       {std::string("--sqlite out.db"), std::string("--json out.jsonl")}) {
    const auto r = test::RunCommand(
        "cd " + Quote(dir.path()) + " && (trap '' XFSZ; ulimit -f 256; " +
        test::Sf6ToolCommand("export " + Quote(archive) + " " + option) + ") 2>&1");
    EXPECT_EQ(r.exitCode, 1) << option << "\n" << r.output;
    EXPECT_NE(r.output.find("sf6tool export:"), std::string::npos) << r.output;
  }
  EXPECT_EQ(test::ReadFileBytes(dir / "out.db"), "old database");
  EXPECT_EQ(test::ReadFileBytes(dir / "out.jsonl"), "old lines");
  EXPECT_EQ(dir.files().size(), 3u);
  // Without the limit the same export succeeds.
  const auto r = runTool("export " + Quote(archive) + " --sqlite " + Quote(dir / "out.db"));
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(test::Database(dir / "out.db").scalar("SELECT count(*) FROM lens_price").integer,
            20000);
}

// A folder the user may not write into. Root may write anywhere, so as root
// the command runs as the unprivileged user "nobody".
TEST(ExportCommand, AnUnwritableFolderLeavesNoFile) {
  std::string asUser;
  if (::geteuid() == 0) {
    if (!test::HaveTool("setpriv"))
      GTEST_SKIP() << "no setpriv to drop root's rights";
    asUser = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
  }
  ScratchDir dir;
  const auto archive = test::WriteTestCatalog(dir);
  const auto locked = dir / "locked";
  std::filesystem::create_directory(locked);
  std::filesystem::permissions(
      locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                  std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
  // The unprivileged user must reach the program and the archive at all.
  if (!asUser.empty() &&
      test::RunCommand(
          asUser + test::Sf6ToolCommand("export " + Quote(archive) + " --json - >/dev/null 2>&1"))
              .exitCode != 0)
    GTEST_SKIP() << "the build or the scratch folder is out of reach of user nobody";
  for (const std::string &option : {std::string("--sqlite "), std::string("--json ")}) {
    const auto r = test::RunCommand(
        asUser +
        test::Sf6ToolCommand("export " + Quote(archive) + " " + option + Quote(locked / "out")) +
        " 2>&1");
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("Cannot create file"), std::string::npos) << r.output;
  }
  EXPECT_TRUE(std::filesystem::is_empty(locked));
  std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
}

} // namespace
} // namespace sf6
