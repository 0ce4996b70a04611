#pragma once

// Inside the checker: one pass over an entry's text as readers see it (up
// to its first NUL byte), split into lines as readers split them (CR LF, a
// lone CR or a lone LF), with the byte-level rules applied on the way: the
// NUL byte itself, bytes Windows-1252 leaves undefined, mixed line endings.

#include "catalog/CatalogArchive.h"
#include "check/CheckReport.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <string_view>

namespace sf6::check {

// Reports progress every few megabytes of text.
class ProgressMeter {
public:
  ProgressMeter(const std::function<void(uint64_t, uint64_t)> &callback, uint64_t total)
      : m_callback(callback), m_total(total) {}
  void advance(uint64_t bytes) {
    m_done += bytes;
    if (m_done >= m_next) {
      m_next = m_done + kStep;
      if (m_callback)
        m_callback(m_done, m_total);
    }
  }

private:
  static constexpr uint64_t kStep = 1 << 20;
  const std::function<void(uint64_t, uint64_t)> &m_callback;
  uint64_t m_total;
  uint64_t m_done = 0;
  uint64_t m_next = 0;
};

enum class LineEnd : uint8_t { None, CrLf, Lf, Cr };

// Where the problems of one entry go.
struct EntryTarget {
  ProblemSink &sink;
  uint32_t order;
  std::string_view name;
};

// Reports the byte-level problems of one line: undefined bytes.
void ReportUndefinedBytes(const EntryTarget &target, std::string_view line, uint32_t number);
// Reports the first NUL byte of the entry, found after `lines` lines of text
// whose last line (unless the text ended with a line break) is lastLine.
void ReportNulByte(const EntryTarget &target, const CatalogEntry &entry, uint32_t lines,
                   std::size_t lastLineLength, bool endedWithBreak);
void ReportMixedEndings(const EntryTarget &target, std::string_view line, uint32_t number,
                        LineEnd first, LineEnd now);

// Calls visit(line, number) for each line of the entry's text, numbers from 1.
template <class Visit>
void ScanEntryText(const CatalogEntry &entry, const EntryTarget &target, ProgressMeter &meter,
                   Visit &&visit) {
  const std::string_view text = entry.text();
  const char *p = text.data();
  const char *const end = p + text.size();
  uint32_t number = 0;
  std::size_t lastLength = 0;
  LineEnd firstEnd = LineEnd::None;
  bool mixedReported = false;
  LineEnd lastEnd = LineEnd::None;
  auto findLf = [end](const char *from) {
    const void *lf = std::memchr(from, '\n', static_cast<std::size_t>(end - from));
    return lf ? static_cast<const char *>(lf) : end;
  };
  const char *nextLf = text.empty() ? end : findLf(p);
  while (p < end) {
    if (nextLf < p)
      nextLf = findLf(p);
    const char *stop = nextLf;
    if (const void *cr = std::memchr(p, '\r', static_cast<std::size_t>(stop - p)))
      stop = static_cast<const char *>(cr);
    const std::string_view line(p, static_cast<std::size_t>(stop - p));
    p = stop;
    LineEnd lineEnd = LineEnd::None;
    if (p < end && *p == '\r') {
      ++p;
      lineEnd = LineEnd::Cr;
    }
    if (p < end && *p == '\n') {
      ++p;
      lineEnd = lineEnd == LineEnd::Cr ? LineEnd::CrLf : LineEnd::Lf;
    }
    ++number;
    lastLength = line.size();
    lastEnd = lineEnd;
    ReportUndefinedBytes(target, line, number);
    if (lineEnd != LineEnd::None) {
      if (firstEnd == LineEnd::None)
        firstEnd = lineEnd;
      else if (lineEnd != firstEnd && !mixedReported) {
        mixedReported = true;
        ReportMixedEndings(target, line, number, firstEnd, lineEnd);
      }
    }
    visit(line, number);
    meter.advance(line.size() + 1);
  }
  if (text.size() < entry.bytes.size())
    ReportNulByte(target, entry, number, lastLength, number == 0 || lastEnd != LineEnd::None);
}

} // namespace sf6::check
