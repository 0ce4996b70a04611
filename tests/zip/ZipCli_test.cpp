// sf6tool ls, cat, put, rm: UTF-8 at the boundary, exit codes, messages.

#include "ZipTestSupport.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

using test::BuildArchive;
using test::Quote;
using test::RunTool;
using test::ScratchDir;
using test::WriteFileBytes;

std::string Tool(const std::string &arguments) { return std::string(SF6TOOL_PATH) + " " + arguments; }

TEST(ZipCli, PutLsCatRmRoundTrip) {
  ScratchDir dir;
  const auto archive = Quote(dir / "a.zip");
  auto put = RunTool("printf 'first\\r\\nK\\303\\244se\\n\\nlast' | " + Tool("put " + archive + " sub/Head.dat"));
  ASSERT_EQ(put.exitCode, 0) << put.output;
  put = RunTool("printf 'x\\n' | " + Tool("put " + archive + " LensType.Dat"));
  ASSERT_EQ(put.exitCode, 0) << put.output;

  const auto ls = RunTool(Tool("ls " + archive));
  EXPECT_EQ(ls.exitCode, 0);
  // "first\r\nK\xE4se\r\n\r\nlast\r\n" is 21 bytes, too small to shrink.
  const std::string first = ls.output.substr(0, ls.output.find('\n'));
  EXPECT_EQ(first.substr(0, 17), "Head.dat\t0\t21\t21\t");
  EXPECT_EQ(first.size(), 17u + 8u) << "CRC-32 in 8 hex digits";
  EXPECT_NE(ls.output.find("LensType.Dat\t0\t3\t3\t"), std::string::npos);

  const auto cat = RunTool(Tool("cat " + archive + " head.dat"));
  EXPECT_EQ(cat.exitCode, 0);
  EXPECT_EQ(cat.output, "first\nK\xC3\xA4se\n\nlast\n");

  EXPECT_EQ(RunTool(Tool("rm " + archive + " HEAD.DAT")).exitCode, 0);
  EXPECT_EQ(RunTool(Tool("ls " + archive)).output.find("Head.dat"), std::string::npos);
}

TEST(ZipCli, FullDiskLeavesOldArchiveAndNoTemporaryFile) {
  // A file size limit makes every write past 1 KiB fail as a full disk does.
  ScratchDir dir;
  std::string noise;
  std::mt19937 random(3);
  for (int i = 0; i < 3000; ++i)
    noise += static_cast<char>('!' + random() % 90);
  const std::string old = BuildArchive({{.name = "Head.dat", .data = noise}}).bytes;
  WriteFileBytes(dir / "a.zip", old);
  const auto result = RunTool("trap '' XFSZ; ulimit -f 1; printf 'x\\n' | " +
                              Tool("put " + Quote(dir / "a.zip") + " New.dat"));
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("Cannot write file"), std::string::npos) << result.output;
  EXPECT_EQ(test::ReadFileBytes(dir / "a.zip"), old);
  EXPECT_EQ(dir.files(), std::vector<std::string>{"a.zip"});
}

TEST(ZipCli, CatReportsWhatWasNotExtracted) {
  ScratchDir dir;
  WriteFileBytes(dir / "a.zip", BuildArchive({{.name = "Head.dat", .data = "A"},
                                              {.name = "Odd.dat", .data = "B", .method = 12}})
                                    .bytes);
  WriteFileBytes(dir / "text.zip", "no archive here");
  struct Case {
    std::string arguments;
    int exitCode;
    std::string message;
  };
  const Case cases[] = {
      {"cat " + Quote(dir / "a.zip") + " Missing.dat", 3, "Missing.dat"},
      {"cat " + Quote(dir / "a.zip") + " Odd.dat", 3, "Zip Error: Unknown Compression Method"},
      {"cat " + Quote(dir / "text.zip") + " Head.dat", 1, "Incomplete Zip File"},
      {"ls " + Quote(dir / "nothing.zip"), 1, "nothing.zip"},
      {"cat " + Quote(dir / "a.zip"), 2, "Usage"},
  };
  for (const Case &c : cases) {
    const auto result = RunTool(Tool(c.arguments));
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments << "\n" << result.output;
    EXPECT_NE(result.output.find(c.message), std::string::npos) << result.output;
  }
}

} // namespace
} // namespace sf6
