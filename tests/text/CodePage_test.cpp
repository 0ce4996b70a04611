#include "text/CodePage.h"

#include "CodePageReference.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <fstream>

namespace sf6 {
namespace {

TEST(CodePage, Cp1252AgreesWithTheReferenceForEveryByte) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Cp1252ToUnicode(static_cast<unsigned char>(b)), kExpectedCp1252ToUnicode[b]) << b;
    // And back through UTF-8.
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << b;
  }
}

TEST(CodePage, Utf8OutsideTheCodePageBecomesQuestionMark) {
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC"), "\x80"); // euro sign
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");    // a CJK character
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");          // truncated sequence
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");       // overlong form
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80x"), "?x");
  EXPECT_EQ(Cp1252ToUtf8("Gl\xE4ser"), "Gl\xC3\xA4ser");
}

TEST(CodePage, OemAndAnsiAgreeWithTheReferenceOrFallBackToAscii) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const unsigned char ansi = static_cast<unsigned char>(OemToAnsi(byte)[0]);
    const unsigned char oem = static_cast<unsigned char>(AnsiToOem(byte)[0]);
    if (kExpectedOemToAnsi[b] >= 0)
      EXPECT_EQ(ansi, kExpectedOemToAnsi[b]) << "OEM " << b;
    else
      EXPECT_LT(ansi, 0x80) << "OEM " << b;
    if (kExpectedAnsiToOem[b] >= 0)
      EXPECT_EQ(oem, kExpectedAnsiToOem[b]) << "ANSI " << b;
    else
      EXPECT_LT(oem, 0x80) << "ANSI " << b;
  }
  EXPECT_EQ(OemToAnsi("\x84\x94\x81\xE1"), "\xE4\xF6\xFC\xDF"); // ä ö ü ß
  EXPECT_EQ(OemToAnsi("\xC4\xB3\xC5"), "-|+");
  EXPECT_EQ(AnsiToOem("\x84\x96"), "\"-");
}

// The eight-bytes-at-a-time count against a plain one: runs of the byte long
// enough to fill the lane counters, bytes that differ only in the high bit,
// and tails shorter than a word.
TEST(CountByte, AgreesWithCountingOneByOne) {
  std::string text(5000, '\n');
  for (size_t i = 0; i < 3000; ++i)
    text += static_cast<char>(i % 7 == 0 ? '\n' : (i % 5 == 0 ? '\r' : (i % 3 == 0 ? '\x8A' : 'x')));
  for (size_t length : {size_t{0}, size_t{1}, size_t{7}, size_t{9}, size_t{2047}, text.size()}) {
    const std::string_view part(text.data(), length);
    const auto count = [&](char byte) {
      return static_cast<size_t>(std::count(part.begin(), part.end(), byte));
    };
    for (char byte : {'\n', '\x8A', 'x', '\0'})
      EXPECT_EQ(CountByte(part, byte), count(byte))
          << "length " << length << " byte " << static_cast<int>(byte);
    const LineBreakCounts breaks = CountLineBreaks(part);
    EXPECT_EQ(breaks.lf, count('\n')) << "length " << length;
    EXPECT_EQ(breaks.cr, count('\r')) << "length " << length;
  }
}

TEST(SplitLines, EndsLinesAtCrLfCrOrLf) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (LineList{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (LineList{"a"}));
  EXPECT_EQ(SplitLines("\n\n"), (LineList{"", ""}));
  EXPECT_EQ(SplitLines("\r\r\n"), (LineList{"", ""}));
  EXPECT_EQ(SplitLines(""), LineList{});
  EXPECT_EQ(SplitLines("a\rb\r\nc\n\rd"), (LineList{"a", "b", "c", "", "d"}));
}

TEST(SplitLines, SplitsLongCrOnlyTextInOnePass) {
  // 200,000 lines ended by CR alone: a splitter that looks for LF from every
  // line to the end would take minutes here.
  std::string text;
  for (int i = 0; i < 200000; ++i)
    text += "line\r";
  const LineList lines = SplitLines(text);
  ASSERT_EQ(lines.size(), 200000u);
  EXPECT_EQ(lines.back(), "line");
}

class LoadOemTextFileTest : public ::testing::Test {
protected:
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() /
      ("sf6-oem-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
       ::testing::UnitTest::GetInstance()->current_test_info()->name());
  void SetUp() override { std::filesystem::create_directories(dir); }
  void TearDown() override { std::filesystem::remove_all(dir); }
};

TEST_F(LoadOemTextFileTest, ConvertsAndCutsLines) {
  const auto file = dir / "GLTYP.DAT";
  {
    std::ofstream out(file, std::ios::binary);
    out << "Gl\x84ser\r\n" << std::string(12000, 'x') << "\rlast";
  }
  TextLines lines;
  LoadOemTextFile(lines, file);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Gl\xE4ser");
  EXPECT_EQ(lines[1].size(), 10000u);
  EXPECT_EQ(lines[2], "last");
}

TEST_F(LoadOemTextFileTest, MissingFileClearsTheList) {
  const auto file = dir / "GLTYP.DAT";
  std::ofstream(file, std::ios::binary) << "stale\r\n";
  TextLines lines;
  LoadOemTextFile(lines, file);
  ASSERT_EQ(lines.size(), 1u);
  LoadOemTextFile(lines, dir / "missing.dat");
  EXPECT_TRUE(lines.empty());
  LoadOemTextFile(lines, dir); // a directory is no file either
  EXPECT_TRUE(lines.empty());
}

} // namespace
} // namespace sf6
