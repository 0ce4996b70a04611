#include "sf4/Sf4Files.h"

#include "model/Lup6Object.h"

#include <string>
#include <system_error>

namespace sf6 {

namespace fs = std::filesystem;

namespace {

bool isSeparator(char ch) { return ch == '\\' || ch == '/'; }

// A separator that is all of the root stays ("/", "C:\"): without it
// "C:" would name the drive's current directory.
std::string withoutTrailingSeparator(std::string_view text) {
  if (text.size() <= 1 || !isSeparator(text.back()))
    return std::string(text);
  const std::string_view trimmed = text.substr(0, text.size() - 1);
  const fs::path trimmedPath(trimmed);
  if (trimmedPath.has_root_name() && trimmedPath.relative_path().empty() &&
      !trimmedPath.has_root_directory())
    return std::string(text);
  return std::string(trimmed);
}

bool isDirectory(const fs::path &path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool isRegularFile(const fs::path &path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

} // namespace

fs::path sf4DirectoryPath(std::string_view directory) {
  const std::string trimmed = withoutTrailingSeparator(directory);
  const fs::path asGiven(trimmed);
  if (trimmed.find('\\') == std::string::npos || isDirectory(asGiven))
    return asGiven;
  std::string slashed = trimmed;
  for (char &ch : slashed)
    if (ch == '\\')
      ch = '/';
  return fs::path(slashed);
}

std::array<fs::path, kSf4FileCount> resolveSf4Files(const fs::path &directory) {
  std::array<fs::path, kSf4FileCount> paths;
  std::array<std::string, kSf4FileCount> caseMatches;
  bool anyMissing = false;
  for (std::size_t i = 0; i < kSf4FileCount; ++i) {
    paths[i] = directory / fs::path(std::string(kSf4FileNames[i]));
    if (!isRegularFile(paths[i]))
      anyMissing = true;
  }
  if (!anyMissing)
    return paths;

  // One pass over the directory serves all twelve names.
  std::error_code ec;
  fs::directory_iterator it(directory, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    for (std::size_t i = 0; i < kSf4FileCount; ++i) {
      if (!SameCode(name, kSf4FileNames[i]))
        continue;
      std::error_code typeError;
      if (!it->is_regular_file(typeError))
        continue;
      if (caseMatches[i].empty() || name < caseMatches[i])
        caseMatches[i] = name;
    }
  }
  for (std::size_t i = 0; i < kSf4FileCount; ++i) {
    if (!caseMatches[i].empty() && !isRegularFile(paths[i]))
      paths[i] = directory / fs::path(caseMatches[i]);
  }
  return paths;
}

} // namespace sf6
