// Writing and deleting entries: header values, replacement in place, the
// copy of other entries, and the safe replacement of the archive file.

#include "ZipTestSupport.h"

#include "zip/VXZip.h"
#include "zip/ZipErrors.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace sf6 {
namespace {

using test::BuildArchive;
using test::ReadFileBytes;
using test::ScratchDir;
using test::WriteFileBytes;

const std::vector<std::string> kSf6Names = {
    "Head.dat",        "LensType.Dat",   "LensRange.Dat",    "LensGeo.Dat",
    "LensPrice.Dat",   "Options.Dat",    "OptionsColor.Dat", "OptionsPrice.Dat",
    "Combination.Dat", "Information.Dat", "OrderOptions.Dat", "ProductGroup.Dat",
    "CodesSubst.Dat"};

LineList SampleLines(const std::string &seed, int count) {
  LineList lines;
  for (int i = 0; i < count; ++i)
    lines.push_back(seed + " " + std::to_string(i * 7919 % 1000) + "   0001 ABC  " + seed);
  return lines;
}

// The entries of path as read by a fresh instance.
TZipDirectory DirectoryOf(const std::filesystem::path &path) {
  TVXZip zip;
  zip.ZipName(path);
  return zip.readDirectory();
}

LineList ReadBack(const std::filesystem::path &path, const std::string &name) {
  TVXZip zip;
  zip.ZipName(path);
  LineList lines{"untouched"};
  zip.ExtractTextfileToStrings(name, lines);
  return lines;
}

TEST(ZipWriter, WritesEntriesInCallOrderWithFixedHeaderValues) {
  ScratchDir dir;
  const auto path = dir / "export.zip";
  TVXZip zip;
  zip.ZipName(path);
  for (const auto &name : kSf6Names)
    zip.StringsToTextfile(name, SampleLines(name, name == "CodesSubst.Dat" ? 0 : 50));
  EXPECT_TRUE(zip.FileExists("codessubst.dat")) << "keeps the directory it wrote";

  const TZipDirectory written = DirectoryOf(path);
  ASSERT_EQ(written.Count(), 13);
  for (int i = 0; i < 13; ++i) {
    const TZipHeaderInfo &e = written.entry(i);
    SCOPED_TRACE(e.fileName);
    EXPECT_EQ(e.fileName, kSf6Names[static_cast<size_t>(i)]);
    EXPECT_EQ(e.versionMadeBy, 20);
    EXPECT_EQ(e.versionNeeded, 20);
    EXPECT_EQ(e.flags, 0);
    EXPECT_EQ(e.externalAttributes, 0x20u);
    EXPECT_EQ(e.internalAttributes, 1);
    EXPECT_TRUE(e.centralExtra.empty());
    if (i == 12) {
      EXPECT_EQ(e.compressionMethod, kMethodStored);
      EXPECT_EQ(e.uncompressedSize, 0u);
      EXPECT_EQ(e.crc32, 0u);
    } else {
      EXPECT_EQ(e.compressionMethod, kMethodDeflated);
      EXPECT_EQ(ReadBack(path, e.fileName), SampleLines(e.fileName, 50));
    }
  }
  EXPECT_EQ(ReadBack(path, "CodesSubst.Dat"), LineList{});
}

TEST(ZipWriter, RendersLinesWithCrLfAndStoresWhatDoesNotShrink) {
  ScratchDir dir;
  const auto path = dir / "a.zip";
  TVXZip zip;
  zip.ZipName(path);
  const LineList lines = {"ab", ""};
  zip.StringsToTextfile("Head.dat", lines);
  const TZipHeaderInfo e = DirectoryOf(path).entry(0);
  EXPECT_EQ(e.compressionMethod, kMethodStored);
  EXPECT_EQ(e.uncompressedSize, 6u);
  const std::string bytes = ReadFileBytes(path);
  EXPECT_EQ(bytes.substr(30 + 8, 6), "ab\r\n\r\n");
  EXPECT_EQ(ReadBack(path, "Head.dat"), lines);
}

TEST(ZipWriter, MarksBinaryLookingDataAsBinary) {
  ScratchDir dir;
  TVXZip zip;
  zip.ZipName(dir / "a.zip");
  zip.StringsToTextfile("Bin.dat", {std::string(100, '\x01') + std::string(100, 'a')});
  EXPECT_EQ(zip.directory().entry(0).internalAttributes, 0);
}

// Many entries in one rewrite, compressed side by side: the same archive as
// one zipFromBuffer per entry would give, and nothing changed when one of
// them cannot be stored.
TEST(ZipWriter, StoresManyEntriesInOneRewrite) {
  ScratchDir dir;
  const auto path = dir / "a.zip";
  WriteFileBytes(path, BuildArchive({{.name = "Head.dat", .data = "old\r\n"},
                                     {.name = "Keep.dat", .data = "kept\r\n"}})
                           .bytes);
  std::string big;
  for (int i = 0; i < 5000; ++i)
    big += std::to_string(i * 7919 % 100003) + "\r\n";
  const TZipWriter::Source sources[] = {{"New.dat", big},
                                        {"HEAD.DAT", "first\r\n"},
                                        {"Empty.dat", ""},
                                        {"head.dat", "second\r\n"}};
  TVXZip zip;
  zip.ZipName(path);
  EXPECT_EQ(zip.zipFromBuffers(sources), 3);
  const TZipDirectory after = DirectoryOf(path);
  ASSERT_EQ(after.Count(), 4);
  EXPECT_EQ(after.entry(0).storedPath(), "head.dat") << "old place, last spelling";
  EXPECT_EQ(after.entry(1).storedPath(), "Keep.dat");
  EXPECT_EQ(after.entry(2).storedPath(), "New.dat");
  EXPECT_EQ(after.entry(3).storedPath(), "Empty.dat");
  EXPECT_EQ(ReadBack(path, "Head.dat"), LineList{"second"});
  EXPECT_EQ(ReadBack(path, "New.dat"), SplitLines(big));

  const std::string before = ReadFileBytes(path);
  const TZipWriter::Source bad[] = {{"Other.dat", big}, {"dir\\", "no name"}};
  EXPECT_THROW(zip.zipFromBuffers(bad), Sf6Error);
  EXPECT_EQ(ReadFileBytes(path), before);
}

TEST(ZipWriter, ReplacesSameNameInPlaceAndCopiesOthersUnchanged) {
  ScratchDir dir;
  const auto path = dir / "a.zip";
  const auto built = BuildArchive({{.name = "Head.dat", .data = "old head\r\n"},
                                   {.name = "LENSTYPE.DAT", .data = std::string(400, 'T')},
                                   {.name = "sub/LensType.Dat", .data = "in folder"},
                                   {.name = "LensType.dat", .data = "duplicate"},
                                   {.name = "Options.Dat", .data = std::string(300, 'O')}},
                                  "catalog comment");
  WriteFileBytes(path, built.bytes);
  TVXZip zip;
  zip.ZipName(path);
  zip.StringsToTextfile("C:\\export\\LensType.Dat", {"new"});

  const TZipDirectory after = DirectoryOf(path);
  ASSERT_EQ(after.Count(), 4);
  EXPECT_EQ(after.entry(1).storedPath(), "LensType.Dat") << "new spelling, old position";
  EXPECT_EQ(after.entry(2).storedPath(), "sub\\LensType.Dat");
  EXPECT_EQ(ReadBack(path, "lenstype.dat"), LineList{"new"});
  const std::string bytes = ReadFileBytes(path);
  for (const int oldIndex : {0, 2, 4}) {
    const int newIndex = oldIndex == 0 ? 0 : oldIndex == 2 ? 2 : 3;
    const TZipHeaderInfo &e = after.entry(newIndex);
    const std::string &packed = built.compressedData[static_cast<size_t>(oldIndex)];
    EXPECT_EQ(bytes.substr(e.relativeOffset + 30 + e.rawName.size(), packed.size()), packed);
  }
  EXPECT_EQ(zip.endCentral().comment, "catalog comment");
  EXPECT_EQ(DirectoryOf(path).Count(), 4);
  TVXZip fresh;
  fresh.ZipName(path);
  fresh.readDirectory();
  EXPECT_EQ(fresh.endCentral().comment, "catalog comment");
}

TEST(ZipWriter, StoresNamePartOnly) {
  ScratchDir dir;
  TVXZip zip;
  zip.ZipName(dir / "a.zip");
  zip.StringsToTextfile("sub\\dir/Head.dat", {"x"});
  EXPECT_EQ(DirectoryOf(dir / "a.zip").entry(0).storedPath(), "Head.dat");
  EXPECT_THROW(zip.StringsToTextfile("sub\\", {"x"}), Sf6Error);
}

TEST(ZipWriter, DeletesEveryEntryOfThePath) {
  ScratchDir dir;
  const auto path = dir / "a.zip";
  WriteFileBytes(path, BuildArchive({{.name = "Head.dat", .data = "h"},
                                     {.name = "LensType.Dat", .data = "t"},
                                     {.name = "HEAD.DAT", .data = "dup"},
                                     {.name = "sub/Head.dat", .data = "s"}},
                                    "kept")
                           .bytes);
  TVXZip zip;
  zip.ZipName(path);
  zip.DeletefileFromZip("head.dat");
  TZipDirectory after = DirectoryOf(path);
  ASSERT_EQ(after.Count(), 2);
  EXPECT_EQ(after.entry(0).storedPath(), "LensType.Dat");
  EXPECT_EQ(after.entry(1).storedPath(), "sub\\Head.dat");

  zip.DeletefileFromZip("nothing.dat");
  EXPECT_EQ(DirectoryOf(path).Count(), 2);
  zip.DeletefileFromZip("*.dat");
  EXPECT_EQ(DirectoryOf(path).Count(), 0);
  EXPECT_EQ(ReadFileBytes(path).size(), 22u + 4u) << "end record with the comment";
}

TEST(ZipWriter, DeleteOnMissingArchiveCreatesEmptyArchive) {
  ScratchDir dir;
  TVXZip zip;
  zip.ZipName(dir / "new.zip");
  zip.DeletefileFromZip("Head.dat");
  EXPECT_EQ(ReadFileBytes(dir / "new.zip"), std::string("PK\5\6", 4) + std::string(18, '\0'));
}

TEST(ZipWriter, KeepsPermissionsAndLeavesNoTemporaryFile) {
  ScratchDir dir;
  const auto path = dir / "a.zip";
  TVXZip zip;
  zip.ZipName(path);
  zip.StringsToTextfile("Head.dat", {"1"});
  ::chmod(path.c_str(), 0640);
  zip.StringsToTextfile("LensType.Dat", {"2"});
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(dir.files(), std::vector<std::string>{"a.zip"});
}

TEST(ZipWriter, WritesThroughSymbolicLink) {
  ScratchDir dir;
  TVXZip zip;
  zip.ZipName(dir / "real.zip");
  zip.StringsToTextfile("Head.dat", {"1"});
  std::filesystem::create_symlink(dir / "real.zip", dir / "link.zip");
  zip.ZipName(dir / "link.zip");
  zip.StringsToTextfile("LensType.Dat", {"2"});
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.zip"));
  EXPECT_EQ(DirectoryOf(dir / "real.zip").Count(), 2);
}

TEST(ZipWriter, FailureLeavesOldArchiveUntouched) {
  // An archive whose second entry is cut off fails while being copied, after
  // the new archive was begun; a file that is no archive fails at once.
  const std::string whole = BuildArchive({{.name = "Head.dat", .data = "h", .method = kMethodStored},
                                          {.name = "Big.dat", .data = std::string(5000, 'b'),
                                           .method = kMethodStored}})
                                .bytes;
  auto truncated = whole.substr(0, 30 + 8 + 1 + 30 + 7 + 100);
  truncated += whole.substr(whole.size() - 22 - 46 * 2 - 8 - 7);
  for (const std::string &old : {truncated, std::string("not a zip file at all, really not")}) {
    ScratchDir dir;
    const auto path = dir / "a.zip";
    WriteFileBytes(path, old);
    TVXZip zip;
    zip.ZipName(path);
    EXPECT_THROW(zip.StringsToTextfile("New.dat", {"x"}), Sf6Error);
    EXPECT_THROW(zip.DeletefileFromZip("Head.dat"), Sf6Error);
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(dir.files(), std::vector<std::string>{"a.zip"});
  }
}

TEST(ZipWriter, ReportsProgressWhileCopyingAndReading) {
  ScratchDir dir;
  TVXZip zip;
  zip.ZipName(dir / "a.zip");
  zip.StringsToTextfile("Head.dat", SampleLines("head", 100));
  std::vector<std::pair<uint64_t, uint64_t>> calls;
  zip.setProgress([&](uint64_t done, uint64_t total) { calls.emplace_back(done, total); });
  zip.StringsToTextfile("LensType.Dat", {"t"});
  LineList lines;
  zip.ExtractTextfileToStrings("Head.dat", lines);
  ASSERT_GE(calls.size(), 2u);
  for (const auto &[done, total] : calls)
    EXPECT_LE(done, total);
}

TEST(ZipWriter, FailsWhenDirectoryIsMissing) {
  ScratchDir dir;
  TVXZip zip;
  zip.ZipName(dir / "missing" / "a.zip");
  EXPECT_THROW(zip.StringsToTextfile("Head.dat", {"x"}), Sf6Error);
}

TEST(ZipWriter, CopiedForeignEntriesGetConsistentLocalHeaders) {
  // A data descriptor and a local extra field that differs from the central one.
  ScratchDir dir;
  const auto path = dir / "a.zip";
  const auto built = BuildArchive(
      {{.name = "Head.dat", .data = std::string(2000, 'h'), .dataDescriptor = true},
       {.name = "LensType.Dat",
        .data = "t\r\n",
        .localExtra = std::string("UT\5\0\1\1\2\3\4", 9),
        .centralExtra = std::string("UT\1\0\1", 5)}});
  WriteFileBytes(path, built.bytes);
  TVXZip zip;
  zip.ZipName(path);
  zip.StringsToTextfile("Options.Dat", {"o"});

  const std::string bytes = ReadFileBytes(path);
  const TZipDirectory after = DirectoryOf(path);
  ASSERT_EQ(after.Count(), 3);
  for (int i = 0; i < 2; ++i) {
    const TZipHeaderInfo &e = after.entry(i);
    const auto *local = reinterpret_cast<const unsigned char *>(bytes.data() + e.relativeOffset);
    const LocalHeader h = LocalHeader::parse(local);
    EXPECT_EQ(readU32(local), kLocalHeaderSignature);
    EXPECT_EQ(h.flags & kFlagDataDescriptor, 0);
    EXPECT_EQ(h.crc32, e.crc32);
    EXPECT_EQ(h.compressedSize, e.compressedSize);
    EXPECT_EQ(h.uncompressedSize, e.uncompressedSize);
    const size_t dataStart = e.relativeOffset + 30 + h.fileNameLength + h.extraFieldLength;
    EXPECT_EQ(bytes.substr(dataStart, e.compressedSize), built.compressedData[static_cast<size_t>(i)]);
  }
  EXPECT_EQ(after.entry(1).centralExtra, std::string("UT\1\0\1", 5));
  EXPECT_EQ(ReadBack(path, "Head.dat"), LineList{std::string(2000, 'h')});
  EXPECT_EQ(ReadBack(path, "LensType.Dat"), LineList{"t"});
}

} // namespace
} // namespace sf6
