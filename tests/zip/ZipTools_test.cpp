// Real clients: archives written by Info-ZIP zip, Python's zipfile, 7-Zip
// and bsdtar are read correctly, and what we write (new archives as well as
// archives of theirs that we rewrote) passes their tests.

#include "ZipTestSupport.h"

#include "zip/VXZip.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

using test::HaveTool;
using test::Quote;
using test::RunTool;
using test::ScratchDir;
using test::WriteFileBytes;

const LineList kHeadLines = {"Software-id=1.0", "EDV=12345", "Sprache=de \xE4"};
const LineList kTypeLines = {"000001 Einst\xE4rke 1.5", "000002 Gleitsicht", ""};
const LineList kNestedLines = {"nested"};

std::string Render(const LineList &lines) {
  std::string text;
  for (const auto &line : lines)
    text += line + "\r\n";
  return text;
}

void MakeSourceFiles(const std::filesystem::path &src) {
  std::filesystem::create_directories(src / "sub");
  WriteFileBytes(src / "Head.dat", Render(kHeadLines));
  std::string big = Render(kTypeLines);
  WriteFileBytes(src / "LENSTYPE.DAT", big);
  WriteFileBytes(src / "sub" / "Nested.dat", Render(kNestedLines));
}

struct ToolCheck {
  const char *tool;
  std::string command; // %s is replaced by the quoted archive path
};

// Runs every validator that is installed; returns how many ran.
int ExpectToolsAccept(const std::filesystem::path &archive) {
  const std::string python =
      "python3 -c \"import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); "
      "[z.read(n) for n in z.namelist()]; sys.exit(z.testzip() is not None)\" %s";
  const ToolCheck checks[] = {
      {"unzip", "unzip -t %s"},
      {"zipinfo", "zipinfo -v %s"},
      {"7z", "7z t %s"},
      {"bsdtar", "bsdtar -xOf %s >/dev/null"},
      {"python3", python},
  };
  int ran = 0;
  for (const ToolCheck &check : checks) {
    if (!HaveTool(check.tool))
      continue;
    std::string command = check.command;
    command.replace(command.find("%s"), 2, Quote(archive));
    const auto result = RunTool(command);
    EXPECT_EQ(result.exitCode, 0) << command << "\n" << result.output;
    ++ran;
  }
  return ran;
}

struct Writer {
  const char *name;
  const char *tool;
  std::string command; // run in the source directory, writes ../out.zip
  bool withFolder;
};

const Writer kWriters[] = {
    {"zip deflated", "zip", "zip -q ../out.zip Head.dat LENSTYPE.DAT", false},
    {"zip stored", "zip", "zip -q -0 ../out.zip Head.dat LENSTYPE.DAT", false},
    {"zip with comment", "zip",
     "zip -q ../out.zip Head.dat LENSTYPE.DAT && echo 'a comment' | zip -q -z ../out.zip", false},
    {"zip with folders", "zip", "zip -q -r ../out.zip .", true},
    {"zip data descriptors", "zip", "zip -q -fd -r ../out.zip .", true},
    {"python zipfile", "python3",
     "python3 -c \"import zipfile; z = zipfile.ZipFile('../out.zip', 'w', zipfile.ZIP_DEFLATED); "
     "z.write('Head.dat'); z.write('LENSTYPE.DAT', compress_type=zipfile.ZIP_STORED); "
     "z.write('sub'); z.write('sub/Nested.dat'); z.close()\"",
     true},
    {"7-Zip", "7z", "7z a -tzip -bd ../out.zip Head.dat LENSTYPE.DAT sub >/dev/null", true},
    {"bsdtar", "bsdtar", "bsdtar --format zip -cf ../out.zip Head.dat LENSTYPE.DAT sub", true},
};

TEST(ZipTools, ReadsAndRewritesArchivesOfOtherPrograms) {
  int tested = 0;
  for (const Writer &writer : kWriters) {
    if (!HaveTool(writer.tool))
      continue;
    SCOPED_TRACE(writer.name);
    ScratchDir dir;
    MakeSourceFiles(dir / "src");
    const auto archive = dir / "out.zip";
    const auto made = RunTool("cd " + Quote(dir / "src") + " && " + writer.command);
    ASSERT_EQ(made.exitCode, 0) << made.output;
    ++tested;

    TVXZip zip;
    zip.ZipName(archive);
    LineList lines;
    EXPECT_EQ(zip.ExtractTextfileToStrings("Head.dat", lines), 1);
    EXPECT_EQ(lines, kHeadLines);
    EXPECT_EQ(zip.ExtractTextfileToStrings("LensType.Dat", lines), 1);
    EXPECT_EQ(lines, LineList(kTypeLines.begin(), kTypeLines.end()));
    if (writer.withFolder) {
      EXPECT_EQ(zip.ExtractTextfileToStrings("sub/Nested.dat", lines), 1);
      EXPECT_EQ(lines, kNestedLines);
    }

    // Rewriting keeps their entries readable by them and by us.
    zip.StringsToTextfile("Head.dat", {"replaced"});
    zip.StringsToTextfile("Added.dat", kHeadLines);
    ExpectToolsAccept(archive);
    TVXZip again;
    again.ZipName(archive);
    EXPECT_EQ(again.ExtractTextfileToStrings("lenstype.dat", lines), 1);
    EXPECT_EQ(lines, kTypeLines);
    EXPECT_EQ(again.ExtractTextfileToStrings("head.dat", lines), 1);
    EXPECT_EQ(lines, LineList{"replaced"});
    if (writer.withFolder) {
      EXPECT_EQ(again.ExtractTextfileToStrings("sub\\nested.dat", lines), 1);
      EXPECT_EQ(lines, kNestedLines);
    }
    if (HaveTool("unzip")) {
      EXPECT_EQ(RunTool("unzip -p " + Quote(archive) + " LENSTYPE.DAT").output, Render(kTypeLines));
    }
  }
  if (tested == 0)
    GTEST_SKIP() << "none of zip, python3, 7z, bsdtar is installed";
}

TEST(ZipTools, AcceptOurArchives) {
  ScratchDir dir;
  const auto archive = dir / "export.zip";
  TVXZip zip;
  zip.ZipName(archive);
  LineList many;
  for (int i = 0; i < 5000; ++i)
    many.push_back("LINE " + std::to_string(i * 31 % 977) + " \xE4\xF6\xFC fixed columns");
  zip.StringsToTextfile("Head.dat", kHeadLines);
  zip.StringsToTextfile("LensType.Dat", many);
  zip.StringsToTextfile("Empty.dat", {});
  zip.StringsToTextfile("K\xE4se.dat", {"name in the OEM page"});
  zip.StringsToTextfile("HEAD.DAT", {"replaced"});
  zip.DeletefileFromZip("Empty.dat");
  if (ExpectToolsAccept(archive) == 0)
    GTEST_SKIP() << "no zip tool installed";

  if (HaveTool("unzip")) {
    const auto listed = RunTool("unzip -p " + Quote(archive) + " LensType.Dat");
    EXPECT_EQ(listed.output, Render(many));
  }
  ScratchDir emptyDir;
  TVXZip empty;
  empty.ZipName(emptyDir / "empty.zip");
  empty.DeletefileFromZip("x");
  if (HaveTool("python3")) {
    const auto result = RunTool(
        "python3 -c \"import sys, zipfile; sys.exit(len(zipfile.ZipFile(sys.argv[1]).namelist()))\" " +
        Quote(emptyDir / "empty.zip"));
    EXPECT_EQ(result.exitCode, 0) << result.output;
  }
}

} // namespace
} // namespace sf6
