#include "view/FindAll.h"

#include "view/TextSearch.h"

#include <algorithm>

namespace sf6 {

namespace {

constexpr int kProgressLines = 16384;

} // namespace

FindAllResult FindInAllFiles(std::span<const TextDocument *const> files, std::string_view needle,
                             const FindAllOptions &options) {
  FindAllResult result;
  if (needle.empty())
    return result;
  uint64_t linesTotal = 0;
  for (const TextDocument *document : files)
    if (document)
      linesTotal += static_cast<uint64_t>(document->lineCount());
  uint64_t linesDone = 0;
  for (std::size_t file = 0; file < files.size(); ++file) {
    const TextDocument *document = files[file];
    if (!document)
      continue;
    // Each file picks its own rarest byte: digits abound in prices, letters
    // in names.
    const ByteCounts counts = SampleByteCounts(*document);
    const LineMatcher matcher(needle, options.matchCase, &counts);
    const int count = document->lineCount();
    for (int index = 0; index < count; ++index, ++linesDone) {
      if (options.progress && linesDone % kProgressLines == 0 && linesDone > 0 &&
          !options.progress(linesDone, linesTotal)) {
        result.stopped = true;
        return result;
      }
      const std::string_view line = document->line(index);
      for (int at = matcher.find(line, 0); at >= 0;
           at = matcher.find(line, at + matcher.length())) {
        ++result.total;
        if (result.hits.size() < options.maxHits)
          result.hits.push_back({static_cast<int>(file),
                                 {index, at},
                                 matcher.length(),
                                 std::string(line.substr(0, kFindAllLineText))});
      }
    }
  }
  return result;
}

} // namespace sf6
