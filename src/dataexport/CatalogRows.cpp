#include "dataexport/CatalogRows.h"

#include "text/CodePage.h"
#include "text/Errors.h"

namespace sf6 {
namespace {

constexpr std::size_t kHeadKeyWidth = 30;

std::string_view trimRight(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

} // namespace

void RequireReadableEntries(const CatalogArchive &archive) {
  const std::vector<std::string> damaged = archive.namesIn(CatalogEntryState::Unreadable);
  if (damaged.empty())
    return;
  std::string names;
  for (const std::string &name : damaged)
    names += (names.empty() ? "" : ", ") + name;
  throw Sf6Error("Cannot read " + names + " from \"" + archive.path.string() +
                 "\": the archive is damaged.");
}

HeadRow HeadRowOf(std::string_view line) {
  if (line.size() <= kHeadKeyWidth)
    return {trimRight(line), {}};
  return {trimRight(line.substr(0, kHeadKeyWidth)), trimRight(line.substr(kHeadKeyWidth))};
}

bool IsAsciiText(std::string_view text) {
  for (const char ch : text)
    if (static_cast<unsigned char>(ch) >= 0x80)
      return false;
  return true;
}

void AssignUtf8(std::string_view cp1252, std::string &out) {
  out.clear();
  AppendCp1252AsUtf8(cp1252, out);
}

} // namespace sf6
