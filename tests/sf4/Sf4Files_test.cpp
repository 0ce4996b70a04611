#include "sf4/Sf4Files.h"

#include "Sf4TempDir.h"

#include <gtest/gtest.h>

namespace sf6 {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

fs::path pathOf(const fs::path &dir, Sf4File file) {
  return resolveSf4Files(dir)[static_cast<std::size_t>(file)];
}

TEST(Sf4Files, FindsUpperCaseDosNames) {
  const fs::path dir = fs::path(TEST_DATA_DIR) / "sf4" / "upper-case";
  EXPECT_EQ(pathOf(dir, Sf4File::GLHead).filename(), "GLHEAD.DAT");
  EXPECT_EQ(pathOf(dir, Sf4File::GlBesch2).filename(), "GLBESCH2.DAT");
}

TEST(Sf4Files, ExactNameWinsOverOtherCases) {
  TempDir dir;
  dir.write("GLTYP.DAT", "upper");
  dir.write("GLTyp.Dat", "exact");
  dir.write("gltyp.dat", "lower");
  EXPECT_EQ(pathOf(dir.path(), Sf4File::GLTyp).filename(), "GLTyp.Dat");
}

TEST(Sf4Files, SeveralCaseMatchesPickTheSmallestNameAlways) {
  TempDir dir;
  dir.write("glwirk.dat", "lower");
  dir.write("GLWIRK.DAT", "upper");
  EXPECT_EQ(pathOf(dir.path(), Sf4File::GLWirk).filename(), "GLWIRK.DAT");
}

TEST(Sf4Files, MissingFileGivesTheExactNameAndDirectoriesAreNoMatch) {
  TempDir dir;
  fs::create_directory(dir.path() / "GLHEAD.DAT");
  EXPECT_EQ(pathOf(dir.path(), Sf4File::GLHead), dir.path() / "GLHead.Dat");
  EXPECT_EQ(pathOf(dir.path() / "nowhere", Sf4File::GLInfo), dir.path() / "nowhere" / "GLInfo.Dat");
}

TEST(Sf4Files, NamesOnlyTheTwelveFiles) {
  TempDir dir;
  dir.write("GLHead.Dat.bak", "x");
  dir.write("XGLHead.Dat", "x");
  EXPECT_EQ(pathOf(dir.path(), Sf4File::GLHead), dir.path() / "GLHead.Dat");
}

TEST(Sf4DirectoryPath, RemovesOneTrailingSeparatorOfEitherKind) {
  TempDir dir;
  const std::string base = dir.path().string();
  EXPECT_EQ(sf4DirectoryPath(base + "/"), fs::path(base));
  EXPECT_EQ(sf4DirectoryPath(base + "\\"), fs::path(base));
  EXPECT_EQ(sf4DirectoryPath(base), fs::path(base));
  EXPECT_EQ(sf4DirectoryPath(base + "//"), fs::path(base + "/"));
  EXPECT_EQ(sf4DirectoryPath("/"), fs::path("/"));
}

TEST(Sf4DirectoryPath, BackslashesSeparateWhenThePathDoesNotExistAsWritten) {
  TempDir dir;
  fs::create_directory(dir.path() / "cat");
  std::string windowsStyle = dir.path().string() + "\\cat\\";
  const fs::path resolved = sf4DirectoryPath(windowsStyle);
  EXPECT_TRUE(fs::equivalent(resolved, dir.path() / "cat"));
}

} // namespace
} // namespace sf6
