// The catalog archive read whole: entry states, stored names in another
// letter case, entries outside the file set, NUL bytes kept.

#include "catalog/CatalogArchive.h"
#include "zip/ZipTestSupport.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

using test::BuildArchive;
using test::RawEntry;
using test::ScratchDir;
using test::WriteFileBytes;

TEST(CatalogArchive, ReportsPresentMissingAndUnreadableEntries) {
  ScratchDir dir;
  RawEntry damaged{.name = "LensPrice.Dat", .data = "abc"};
  damaged.crc = 1234; // fails its CRC-32
  const auto bytes = BuildArchive({{.name = "Head.dat", .data = "characterset 1252\r\n"},
                                   {.name = "lenstype.dat", .data = std::string("A\0B", 3)},
                                   damaged,
                                   {.name = "CodesSubst.Dat", .data = "x"},
                                   {.name = "folder/", .data = ""}})
                         .bytes;
  const auto path = dir.path() / "catalog.zip";
  WriteFileBytes(path, bytes);
  std::vector<std::string> messages;
  CatalogLoadOptions options;
  options.messageSink = [&](const std::string &, const std::string &text) {
    messages.push_back(text);
  };

  const CatalogArchive archive = LoadCatalogArchive(path, options);

  EXPECT_EQ(archive.entry(Sf6Entry::Head).state, CatalogEntryState::Present);
  const CatalogEntry &lensType = archive.entry(Sf6Entry::LensType);
  EXPECT_EQ(lensType.state, CatalogEntryState::Present);
  EXPECT_EQ(lensType.storedName, "lenstype.dat");
  EXPECT_EQ(AsView(lensType.bytes), std::string_view("A\0B", 3));
  EXPECT_EQ(lensType.text(), "A");
  EXPECT_EQ(archive.entry(Sf6Entry::LensPrice).state, CatalogEntryState::Unreadable);
  EXPECT_TRUE(archive.entry(Sf6Entry::LensPrice).bytes.empty());
  EXPECT_EQ(archive.namesIn(CatalogEntryState::Unreadable),
            std::vector<std::string>{"LensPrice.Dat"});
  EXPECT_EQ(archive.namesIn(CatalogEntryState::Missing).size(), 10u);
  EXPECT_EQ(archive.otherEntries, std::vector<std::string>{"CodesSubst.Dat"});
  EXPECT_EQ(archive.entry(Sf6Entry::CodeSubstitution).layout(), &Sf6Layouts()[11]);
  EXPECT_EQ(archive.entry(Sf6Entry::Head).layout(), nullptr);
}

TEST(CatalogArchive, ReadsOnlyTheEntriesOfAGivenOrder) {
  ScratchDir dir;
  const auto path = dir.path() / "catalog.zip";
  WriteFileBytes(
      path, BuildArchive({{.name = "Head.dat", .data = "h"}, {.name = "Options.Dat", .data = "o"}})
                .bytes);
  const std::size_t order[] = {static_cast<std::size_t>(Sf6Entry::Options)};
  CatalogLoadOptions options;
  options.order = order;
  const CatalogArchive archive = LoadCatalogArchive(path, options);
  EXPECT_EQ(AsView(archive.entry(Sf6Entry::Options).bytes), "o");
  EXPECT_TRUE(archive.entry(Sf6Entry::Head).bytes.empty());
}

TEST(CatalogArchive, ThrowsWhenTheArchiveCannotBeRead) {
  ScratchDir dir;
  EXPECT_THROW(LoadCatalogArchive(dir.path() / "none.zip"), std::exception);
  WriteFileBytes(dir.path() / "bad.zip", "not a zip at all");
  EXPECT_THROW(LoadCatalogArchive(dir.path() / "bad.zip"), std::exception);
}

TEST(CatalogArchive, MessageNamesANonAsciiPathInWindows1252) {
  ScratchDir dir;
  try {
    LoadCatalogArchive(dir.path() / "Brillengl\xC3\xA4ser.zip"); // UTF-8 on disk
    FAIL() << "no exception";
  } catch (const std::exception &failure) {
    EXPECT_NE(std::string(failure.what()).find("Brillengl\xE4ser.zip"), std::string::npos)
        << failure.what();
  }
}

} // namespace
} // namespace sf6
