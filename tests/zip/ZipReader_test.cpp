// Reading text entries: selection by name, line splitting, CRC and size
// checks, and archives that are damaged or of a form we refuse.

#include "ZipTestSupport.h"
#include "text/Collation.h"

#include "zip/VXZip.h"
#include "zip/ZipErrors.h"
#include "zip/ZipNames.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

using test::BuildArchive;
using test::BuiltArchive;
using test::RawEntry;
using test::ScratchDir;
using test::WriteFileBytes;
using Entries = std::vector<RawEntry>;

struct ZipFixture {
  ScratchDir dir;
  std::filesystem::path path = dir / "catalog.zip";
  TVXZip zip;
  std::vector<std::pair<std::string, std::string>> messages;

  explicit ZipFixture(const std::vector<RawEntry> &entries, const std::string &comment = {}) {
    write(BuildArchive(entries, comment).bytes);
  }
  void write(const std::string &bytes) {
    WriteFileBytes(path, bytes);
    zip.ZipName(path);
    zip.setMessageSink([this](const std::string &caption, const std::string &text) {
      messages.emplace_back(caption, text);
    });
  }
  LineList read(std::string_view name, int expectedCount = 1) {
    LineList lines{"untouched"};
    EXPECT_EQ(zip.ExtractTextfileToStrings(name, lines), expectedCount) << name;
    return lines;
  }
};

// Expects an Sf6Error with exactly this text.
template <typename F> void ExpectFailure(F &&f, const std::string &text) {
  try {
    f();
    ADD_FAILURE() << "no failure, expected: " << text;
  } catch (const Sf6Error &e) {
    EXPECT_EQ(e.what(), text);
  }
}

TEST(ZipReader, FindsUpperCaseEntryByMixedCaseName) {
  ZipFixture f(Entries{{.name = "HEAD.DAT", .data = "A\r\n"}});
  EXPECT_EQ(f.read("Head.dat"), LineList{"A"});
}

TEST(ZipReader, FindsEntryInFolderOnlyByWholePath) {
  ZipFixture f(Entries{{.name = "sub/Head.dat", .data = "A\r\n"}, {.name = "sub/", .data = ""}});
  EXPECT_EQ(f.read("Head.dat", 0), LineList{"untouched"});
  EXPECT_EQ(f.read("SUB\\head.dat"), LineList{"A"});
  EXPECT_EQ(f.read("sub/head.dat"), LineList{"A"});
  EXPECT_EQ(f.read("sub/", 0), LineList{"untouched"}) << "directory entries are never selected";
}

TEST(ZipReader, SplitsLinesLikeTheCatalogReaders) {
  struct Case {
    std::string text;
    LineList lines;
  };
  const Case cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},
      {"a\rb\nc", {"a", "b", "c"}},
      {"a\n\rb", {"a", "", "b"}},
      {"a\rb\rc\r", {"a", "b", "c"}},
      {"\n\n", {"", ""}},
      {"a\r\n\r\n", {"a", ""}},
      {"a\r\nb\0c\r\nd", {"a", "b"}},
      {std::string("\0abc", 4), {}},
      {"", {}},
  };
  for (const Case &c : cases)
    for (const uint16_t method : {kMethodStored, kMethodDeflated}) {
      ZipFixture f(Entries{{.name = "Head.dat", .data = c.text, .method = method}});
      EXPECT_EQ(f.read("Head.dat"), c.lines) << "method " << method << " text " << c.text;
    }
}

TEST(ZipReader, MissingEntryLeavesLinesUnchanged) {
  ZipFixture f(Entries{{.name = "Head.dat", .data = "A"}});
  EXPECT_EQ(f.read("LensType.Dat", 0), LineList{"untouched"});
}

TEST(ZipReader, UndeliverableDataLeavesLinesUnchangedWithoutMessage) {
  const std::string text = "0123456789 0123456789 0123456789\r\n";
  const std::vector<RawEntry> cases = {
      {.name = "Head.dat", .data = text, .crc = 0x12345678},
      {.name = "Head.dat", .data = text, .compressed = std::string("\xff\xff\xff", 3)},
      {.name = "Head.dat", .data = text, .uncompressedSize = 10},
      {.name = "Head.dat", .data = text, .method = kMethodStored, .uncompressedSize = 10},
  };
  for (const RawEntry &entry : cases) {
    ZipFixture f(Entries{entry});
    EXPECT_EQ(f.read("Head.dat", 0), LineList{"untouched"});
    EXPECT_TRUE(f.messages.empty());
  }
}

TEST(ZipReader, UnknownMethodIsReportedAsZipErrorAndNotCounted) {
  for (const uint16_t method : {1, 6, 7, 12}) {
    ZipFixture f(Entries{{.name = "Head.dat", .data = "A", .method = method}});
    EXPECT_EQ(f.read("Head.dat", 0), LineList{"untouched"});
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_EQ(f.messages[0].first, "Zip Error");
    EXPECT_EQ(f.messages[0].second, "Unknown Compression Method");
  }
}

TEST(ZipReader, SizeClaimBeyondWhatDataCanProduceAllocatesOnlyTheData) {
  // Claims almost 4 GiB; the few compressed bytes decide the buffer.
  ZipFixture f(Entries{{.name = "Head.dat", .data = "A\r\nB", .uncompressedSize = 0xFFFFFF00}});
  EXPECT_EQ(f.read("Head.dat"), (LineList{"A", "B"}));
}

TEST(ZipReader, RefusesEntriesBeyondTheMemoryCap) {
  // 1.1 MB of compressed bytes could in theory decode past 1 GiB.
  std::string noise(1100000, '\0');
  std::mt19937 random(7);
  for (char &c : noise)
    c = static_cast<char>(random());
  ZipFixture f(Entries{{.name = "Big.dat", .data = noise, .method = kMethodDeflated,
                 .uncompressedSize = 0xF0000000}});
  LineList lines;
  EXPECT_THROW(f.zip.ExtractTextfileToStrings("Big.dat", lines), Sf6Error);
}

TEST(ZipReader, FindsEndRecordBehindLongestComment) {
  ZipFixture f(Entries{{.name = "Head.dat", .data = "A"}}, std::string(65506, 'c'));
  EXPECT_EQ(f.read("Head.dat"), LineList{"A"});
  EXPECT_EQ(f.zip.endCentral().comment.size(), 65506u);
}

TEST(ZipReader, FailsWithTheSystemTexts) {
  const std::string valid = BuildArchive({{.name = "Head.dat", .data = std::string(500, 'x'), .method = kMethodStored}}).bytes;
  struct Case {
    const char *what;
    std::string bytes;
    std::string text;
  };
  const Case cases[] = {
      {"not an archive", std::string(100, 'x'), "Incomplete Zip File"},
      {"shorter than an end record", "PK\5\6", "Incomplete Zip File"},
      {"no headers at all",
       BuildArchive({{.name = "a", .data = "b"}}, {}, 0).bytes.substr(40), "Not a valid zip file!"},
      {"data cut off", valid.substr(0, 60) + valid.substr(valid.size() - 22 - 54),
       "Premature end of file reached"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    ZipFixture f(Entries{});
    f.write(c.bytes);
    LineList lines;
    ExpectFailure([&] { f.zip.ExtractTextfileToStrings("Head.dat", lines); }, c.text);
  }
}

TEST(ZipReader, RefusesZip64AndOverlappingEntries) {
  BuiltArchive overlapping = BuildArchive({{.name = "a", .data = std::string(200, 'a')},
                                           {.name = "b", .data = std::string(200, 'b')}});
  // Point the second central header at the first local header.
  const size_t secondCentral = overlapping.centralOffset + 46 + 1;
  for (int i = 0; i < 4; ++i)
    overlapping.bytes[secondCentral + 42 + i] = 0;
  const std::string zip64 =
      BuildArchive({{.name = "a", .data = "b", .compressedSize = 0xFFFFFFFF}}).bytes;
  for (const auto &[bytes, text] :
       {std::pair{overlapping.bytes, std::string(kOverlappingEntriesText)},
        std::pair{zip64, std::string(kZip64Text)}}) {
    ZipFixture f(Entries{});
    f.write(bytes);
    LineList lines;
    ExpectFailure([&] { f.zip.ExtractTextfileToStrings("a", lines); }, text);
  }
}

TEST(ZipReader, RecoversEntriesWhenCentralDirectoryOffsetIsWrong) {
  const std::vector<RawEntry> entries = {
      {.name = "Head.dat", .data = "H1\r\nH2\r\n"},
      {.name = "LensType.Dat", .data = std::string(3000, 'L') + "\r\n", .dataDescriptor = true},
      {.name = "Options.Dat", .data = "O\r\n", .method = kMethodStored},
  };
  const std::vector<std::string> names = {"Head.dat", "LensType.Dat", "Options.Dat"};
  for (const auto &bytes : {BuildArchive(entries, {}, 12345).bytes,
                            BuildArchive(entries, {}, {}, 7).bytes}) {
    ZipFixture f(Entries{});
    f.write(bytes);
    EXPECT_EQ(f.read("Head.dat"), (LineList{"H1", "H2"}));
    EXPECT_EQ(f.read("LensType.Dat"), LineList{std::string(3000, 'L')});
    EXPECT_EQ(f.read("Options.Dat"), LineList{"O"});
    ASSERT_EQ(f.zip.directory().Count(), 3);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(f.zip.directory().FileName(i), names[static_cast<size_t>(i)]);
  }
}

TEST(ZipReader, RefusesZip64SizeFoundInDataDescriptorDuringScan) {
  // Found by fuzz_zip_reader: the recovered entry took the marker as its size
  // and its rewritten archive could no longer be read.
  ZipFixture f(Entries{});
  f.write(BuildArchive({{.name = "Head.dat", .data = "H\r\n", .dataDescriptor = true,
                         .uncompressedSize = 0xFFFFFFFF}},
                       {}, 999)
              .bytes);
  LineList lines;
  ExpectFailure([&] { f.zip.ExtractTextfileToStrings("Head.dat", lines); }, kZip64Text);
}

TEST(ZipReader, RereadsDirectoryWhenArchiveChanges) {
  ZipFixture f(Entries{{.name = "Head.dat", .data = "old"}});
  EXPECT_EQ(f.read("Head.dat"), LineList{"old"});
  WriteFileBytes(f.path, BuildArchive({{.name = "Head.dat", .data = "newer"}}).bytes);
  EXPECT_EQ(f.read("Head.dat"), LineList{"newer"});
}

TEST(ZipReader, ConvertsStoredNamesToAnsi) {
  // 0x84 is "ä" in the OEM page; flag bit 11 marks a UTF-8 name.
  ZipFixture f(Entries{{.name = "dir/K\x84se.dat", .data = "A"},
                {.name = "M\xC3\xBC.dat", .data = "B", .flags = kFlagUtf8Name}});
  ASSERT_EQ(f.zip.readDirectory().Count(), 2);
  EXPECT_EQ(f.zip.directory().entry(0).directory, "dir\\");
  EXPECT_EQ(f.zip.directory().FileName(0), "K\xE4se.dat");
  EXPECT_EQ(f.zip.directory().FileName(1), "M\xFC.dat");
  EXPECT_EQ(f.read("DIR\\K\xC4SE.DAT"), LineList{"A"});
  ExpectFailure([&] { (void)f.zip.directory().FileName(2); }, "Index 2 is out of range");
}

TEST(ZipReader, FileExistsAnswersFromHeldDirectoryOnly) {
  ZipFixture f(Entries{{.name = "sub/Head.dat", .data = "A"}});
  EXPECT_FALSE(f.zip.FileExists("HEAD.DAT"));
  f.read("nothing", 0);
  EXPECT_TRUE(f.zip.FileExists("HEAD.DAT"));
  EXPECT_FALSE(f.zip.FileExists("sub\\Head.dat"));
}

TEST(ZipReader, ArchivePathsDifferingInCaseAreDifferentArchives) {
  ScratchDir dir;
  WriteFileBytes(dir / "a.zip", BuildArchive({{.name = "Head.dat", .data = "lower"}}).bytes);
  WriteFileBytes(dir / "A.zip", BuildArchive({{.name = "Head.dat", .data = "upper"}}).bytes);
  TVXZip zip;
  LineList lines;
  zip.ZipName(dir / "a.zip");
  zip.ExtractTextfileToStrings("Head.dat", lines);
  EXPECT_EQ(lines, LineList{"lower"});
  zip.ZipName(dir / "A.zip");
  zip.ExtractTextfileToStrings("Head.dat", lines);
  EXPECT_EQ(lines, LineList{"upper"});
}

TEST(ZipReader, MissingArchiveNamesThePath) {
  TVXZip zip;
  zip.ZipName("/nonexistent/catalog.zip");
  LineList lines;
  try {
    zip.ExtractTextfileToStrings("Head.dat", lines);
    ADD_FAILURE();
  } catch (const Sf6Error &e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent/catalog.zip"), std::string::npos);
  }
}

TEST(ZipReader, ReadsFixturesOfOtherPrograms) {
  const LineList head = {"Software-id=1.0", "EDV=12345", "Sprache=de \xE4"};
  const LineList type = {"000001 Einst\xE4rke 1.5", "000002 Gleitsicht", ""};
  const std::vector<std::pair<std::string, bool>> fixtures = {
      {"infozip_deflated.zip", false}, {"infozip_stored.zip", false},
      {"infozip_comment.zip", false},  {"infozip_descriptors_folders.zip", true},
      {"python_zipfile.zip", true},    {"sevenzip.zip", true},
      {"bsdtar.zip", true},            {"prepended_junk.zip", false},
      {"sf6tool_written.zip", false}};
  for (const auto &[name, withFolder] : fixtures) {
    SCOPED_TRACE(name);
    TVXZip zip;
    zip.ZipName(std::filesystem::path(TEST_DATA_DIR) / "zip" / name);
    LineList lines;
    EXPECT_EQ(zip.ExtractTextfileToStrings("head.dat", lines), 1);
    EXPECT_EQ(lines, head);
    EXPECT_EQ(zip.ExtractTextfileToStrings("LensType.Dat", lines), 1);
    EXPECT_EQ(lines, type);
    if (withFolder) {
      EXPECT_EQ(zip.ExtractTextfileToStrings("sub/Nested.dat", lines), 1);
      EXPECT_EQ(lines, LineList{"nested"});
    }
  }
}

TEST(ZipNames, WildcardMatchCoversWholeText) {
  struct Case {
    std::string pattern, text;
    bool match;
  };
  const Case cases[] = {
      {"head.dat", "head.dat", true},   {"head.dat", "sub\\head.dat", false},
      {"*.dat", "sub\\head.dat", true}, {"h?ad.dat", "head.dat", true},
      {"h?ad.dat", "hd.dat", false},    {"*", "", true},
      {"a*b*c", "axxbyyc", true},       {"a*b*c", "axxbyy", false},
      {"<a-c>x", "bx", true},           {"<!a-c>x", "bx", false},
      {"<^a-c>x", "dx", true},          {"<ab", "<ab", true},
      {"**a", "bbba", true},            {"*a*a*a*a*b", std::string(200, 'a'), false},
  };
  for (const Case &c : cases)
    EXPECT_EQ(WildcardMatch(c.pattern, c.text), c.match) << c.pattern << " / " << c.text;
}

TEST(ZipNames, AnsiCaseFoldingCoversLatin1Letters) {
  EXPECT_EQ(LowerCase1252("HEAD.DAT \xC4\xD6\xDC\x8A\xD7"), "head.dat \xE4\xF6\xFC\x9A\xD7");
  EXPECT_EQ(UpperCase1252("head \xE4\xFF\xF7\xDF"), "HEAD \xC4\x9F\xF7\xDF");
}

} // namespace
} // namespace sf6
