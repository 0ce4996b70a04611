#include "zip/VXZip.h"
#include "text/Collation.h"

#include "zip/ZipNames.h"

#include <algorithm>

namespace sf6 {

LineList SplitEntryText(std::string_view bytes) {
  size_t count = 0;
  VisitEntryLines(bytes, [&](std::string_view) { ++count; });
  LineList lines;
  lines.reserve(count);
  VisitEntryLines(bytes, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::string RenderEntryText(const LineList &Strings) {
  size_t size = 0;
  for (const auto &line : Strings)
    size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const auto &line : Strings) {
    text += line;
    text += "\r\n";
  }
  return text;
}

int TVXZip::ExtractTextfileToStrings(std::string_view FileName, LineList &Strings) {
  ByteBuffer buffer;
  const int extracted = extractToBuffer(FileName, buffer);
  if (extracted > 0)
    Strings = SplitEntryText(AsView(buffer));
  return extracted;
}

void TVXZip::StringsToTextfile(std::string_view FileName, const LineList &Strings) {
  zipFromBuffer(FileName, RenderEntryText(Strings));
}

void TVXZip::DeletefileFromZip(std::string_view FileName) {
  deleteFromArchive(FileName);
}

bool TVXZip::FileExists(std::string_view FileName) const {
  const std::string wanted = UpperCase1252(FileName);
  const auto &entries = directory().entries();
  return std::any_of(entries.begin(), entries.end(), [&](const TZipHeaderInfo &entry) {
    return UpperCase1252(entry.fileName) == wanted;
  });
}

} // namespace sf6
