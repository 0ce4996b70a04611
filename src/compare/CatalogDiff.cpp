// The comparison of two catalogs, entry by entry: the older side's records go
// into a hash table by key, the newer side is streamed against it, and only
// pairs whose raw lines differ are rendered field by field.

#include "compare/CatalogDiff.h"

#include "compare/CompareRules.h"
#include "sf6/Sf6Procs.h"
#include "text/CodePage.h"
#include "text/Errors.h"
#include "text/FieldText.h"
#include "zip/VXZip.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>

namespace sf6 {
namespace {

constexpr uint32_t kNone = UINT32_MAX;
// Progress is reported after this many lines.
constexpr uint32_t kProgressLines = 16384;

bool isBlankLine(std::string_view line) {
  return line.find_first_not_of(' ') == std::string_view::npos;
}

// A record's key as one byte string: each key text preceded by its length in
// two bytes, so that no text (whatever bytes it holds) can run into the next.
void appendKeyText(std::string &key, std::string_view text) {
  const size_t length = std::min<size_t>(text.size(), 0xFFFF);
  key += static_cast<char>(length & 0xFF);
  key += static_cast<char>(length >> 8);
  key.append(text.data(), length);
}

std::vector<std::string> keyTexts(std::string_view key) {
  std::vector<std::string> texts;
  while (key.size() >= 2) {
    const size_t length = static_cast<unsigned char>(key[0]) |
                          (static_cast<size_t>(static_cast<unsigned char>(key[1])) << 8);
    key.remove_prefix(2);
    texts.emplace_back(key.substr(0, length));
    key.remove_prefix(std::min(length, key.size()));
  }
  return texts;
}

uint32_t hashKey(std::string_view key) {
  const uint64_t hash = std::hash<std::string_view>{}(key);
  return static_cast<uint32_t>(hash ^ (hash >> 32));
}

// Reads the records of one file: key and display texts by the entry's rule.
class RecordReader {
public:
  explicit RecordReader(Sf6Entry entry)
      : m_rule(CompareRuleOf(entry)), m_layout(Sf6EntryLayout(entry)) {}

  bool isHead() const { return m_layout == nullptr; }

  // Decodes line into record and writes its key bytes.
  void decode(std::string_view line, Sf6AnyRecord &record, std::string &key) const {
    key.clear();
    if (isHead()) {
      appendKeyText(key, HeadRowOfLine(line).name);
      return;
    }
    record = m_layout->parse(line);
    for (int field : m_rule.keyFields)
      appendKeyText(key, text(field, record, line));
  }

  // The fields whose texts differ between two records of this file.
  std::vector<FieldChange> changes(std::string_view oldLine, const Sf6AnyRecord &oldRecord,
                                   std::string_view newLine, const Sf6AnyRecord &newRecord) const {
    std::vector<FieldChange> result;
    if (isHead()) {
      Sf6HeadRow oldRow = HeadRowOfLine(oldLine);
      Sf6HeadRow newRow = HeadRowOfLine(newLine);
      if (oldRow.value != newRow.value)
        result.push_back({0, std::move(newRow.name), std::move(oldRow.value),
                          std::move(newRow.value), std::nullopt});
      return result;
    }
    for (int field = 1; field <= m_layout->fieldCount; ++field) {
      std::string oldText = text(field, oldRecord, oldLine);
      std::string newText = text(field, newRecord, newLine);
      if (oldText == newText)
        continue;
      FieldChange change{field, m_layout->caption(field), std::move(oldText), std::move(newText),
                         std::nullopt};
      if (m_rule.isPrice(field))
        change.percentTenths = percentChange(change.oldText, change.newText);
      result.push_back(std::move(change));
    }
    return result;
  }

  const Sf6Layout *layout() const { return m_layout; }

private:
  std::string text(int field, const Sf6AnyRecord &record, std::string_view line) const {
    if (!m_rule.isDate(field))
      return m_layout->text(field, record);
    const Sf6FieldPlace place = m_layout->place(field);
    return CompareDateText(CompactToDateTime(Columns(line, place.column, place.width)));
  }

  // Prices are shown with two decimals; compared in whole cents, the percent
  // is exact and never shows a rounding artefact of binary floating point.
  static std::optional<int64_t> percentChange(std::string_view oldText, std::string_view newText) {
    const double oldValue = TextToFloat(oldText);
    const double newValue = TextToFloat(newText);
    // A price line holds at most seven digits; values far beyond that (a
    // damaged line) are compared approximately instead of overflowing.
    constexpr double kExactLimit = 1e12;
    if (!(std::fabs(oldValue) < kExactLimit && std::fabs(newValue) < kExactLimit)) {
      if (oldValue == 0 || !std::isfinite(oldValue) || !std::isfinite(newValue))
        return std::nullopt;
      const double tenths = std::round((newValue - oldValue) * 1000.0 / std::fabs(oldValue));
      return static_cast<int64_t>(std::clamp(tenths, -1e15, 1e15));
    }
    int64_t oldCents = RoundHalfEven(oldValue * 100.0);
    int64_t delta = RoundHalfEven(newValue * 100.0) - oldCents;
    if (oldCents == 0)
      return std::nullopt;
    if (oldCents < 0) {
      oldCents = -oldCents;
      delta = -delta;
    }
    const int64_t scaled = delta * 1000;
    int64_t tenths = scaled / oldCents;
    const int64_t rest = scaled % oldCents;
    if (2 * (rest < 0 ? -rest : rest) >= oldCents)
      tenths += scaled < 0 ? -1 : 1;
    return tenths;
  }

  const CompareRule &m_rule;
  const Sf6Layout *m_layout;
};

// A record of the older file: 28 bytes, for catalogs of a million lines.
struct OldRecord {
  uint32_t keyOffset = 0; // its key runs up to the next record's key
  uint32_t lineOffset = 0;
  uint32_t lineLength = 0;
  uint32_t lineNumber = 0;
  uint32_t next = kNone;   // the next occurrence of the same key
  uint32_t tail = kNone;   // first occurrence only: the last occurrence
  uint32_t cursor = kNone; // first occurrence only: the first one not yet matched
};

// The older file's records by key: open addressing over the first
// occurrence of each key, further occurrences chained in file order. A
// record is matched once the cursor of its key has passed it.
class OldIndex {
  // The first occurrence of a key, with the key's hash so that a probe
  // touches a record only when the hashes agree.
  struct Slot {
    uint32_t first = kNone;
    uint32_t hash = 0;
  };

public:
  OldIndex(std::string_view text, size_t expectedRecords)
      : m_text(text), m_expected(expectedRecords) {
    m_records.reserve(expectedRecords);
    m_slots.assign(slotsFor(expectedRecords), Slot{});
    m_mask = m_slots.size() - 1;
  }

  void add(std::string_view key, std::string_view line, uint32_t lineNumber) {
    if (m_records.size() + 1 > m_slots.size() / 4 * 3)
      grow();
    if (m_records.size() == kSampleRecords)
      reserveKeys();
    // Positions are 32-bit: an entry is at most 1 GB, but a file of very
    // short lines could give more key bytes than that.
    if (m_keys.size() + key.size() >= kNone || m_records.size() + 1 >= kNone)
      throw Sf6Error("Die Datei hat zu viele Datens\xE4tze f\xFCr einen Vergleich.");
    const uint32_t hash = hashKey(key);
    OldRecord record;
    record.keyOffset = static_cast<uint32_t>(m_keys.size());
    record.lineOffset = static_cast<uint32_t>(line.data() - m_text.data());
    record.lineLength = static_cast<uint32_t>(line.size());
    record.lineNumber = lineNumber;
    const uint32_t index = static_cast<uint32_t>(m_records.size());
    size_t slot = hash & m_mask;
    for (; m_slots[slot].first != kNone; slot = (slot + 1) & m_mask) {
      if (m_slots[slot].hash != hash || keyOf(m_slots[slot].first, key.size()) != key)
        continue;
      OldRecord &first = m_records[m_slots[slot].first];
      m_records[first.tail].next = index;
      first.tail = index;
      m_keys.append(key);
      m_records.push_back(record);
      return;
    }
    record.tail = index;
    record.cursor = index;
    m_slots[slot] = {index, hash};
    m_keys.append(key);
    m_records.push_back(record);
  }

  // The index of the first not yet matched occurrence of key, now matched;
  // kNone when there is none.
  uint32_t match(std::string_view key) {
    const uint32_t hash = hashKey(key);
    for (size_t slot = hash & m_mask; m_slots[slot].first != kNone; slot = (slot + 1) & m_mask) {
      if (m_slots[slot].hash != hash || keyOf(m_slots[slot].first, key.size()) != key)
        continue;
      OldRecord &first = m_records[m_slots[slot].first];
      const uint32_t found = first.cursor;
      if (found != kNone)
        first.cursor = m_records[found].next;
      return found;
    }
    return kNone;
  }

  // The records no occurrence of the newer file was matched with, in file order.
  std::vector<uint32_t> unmatched() const {
    std::vector<uint32_t> result;
    for (const Slot &slot : m_slots) {
      if (slot.first == kNone)
        continue;
      for (uint32_t i = m_records[slot.first].cursor; i != kNone; i = m_records[i].next)
        result.push_back(i);
    }
    std::sort(result.begin(), result.end());
    return result;
  }

  const OldRecord &record(uint32_t index) const { return m_records[index]; }
  std::string_view keyOf(uint32_t index) const {
    const size_t end =
        index + 1 < m_records.size() ? m_records[index + 1].keyOffset : m_keys.size();
    return std::string_view(m_keys).substr(m_records[index].keyOffset,
                                           end - m_records[index].keyOffset);
  }
  std::string_view lineOf(uint32_t index) const {
    return m_text.substr(m_records[index].lineOffset, m_records[index].lineLength);
  }

private:
  static constexpr size_t kSampleRecords = 1024;

  static size_t slotsFor(size_t records) {
    return std::bit_ceil(std::max<size_t>(16, records + records / 2 + 1));
  }

  // The key of record index when it is `length` bytes long, else a text that
  // differs from every key of that length.
  std::string_view keyOf(uint32_t index, size_t length) const {
    const std::string_view key = keyOf(index);
    return key.size() == length ? key : std::string_view();
  }

  // Keys are held in one text; sized from the first records, it is not
  // reallocated (and copied) again and again while the file is read.
  void reserveKeys() {
    if (m_expected <= kSampleRecords)
      return;
    const size_t perRecord = m_keys.size() / kSampleRecords + 1;
    m_keys.reserve(perRecord * m_expected + perRecord * m_expected / 8);
  }

  void grow() {
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    m_mask = m_slots.size() - 1;
    for (const Slot &entry : old) {
      if (entry.first == kNone)
        continue;
      size_t slot = entry.hash & m_mask;
      while (m_slots[slot].first != kNone)
        slot = (slot + 1) & m_mask;
      m_slots[slot] = entry;
    }
  }

  std::string_view m_text;
  size_t m_expected;
  std::vector<OldRecord> m_records;
  std::string m_keys;
  std::vector<Slot> m_slots;
  size_t m_mask = 0;
};

class Progress {
public:
  Progress(const CompareOptions &options, uint64_t total) : m_options(options), m_total(total) {}
  // A line of `bytes` characters and its line end (counted as one byte until
  // the text is done).
  void line(size_t bytes) {
    m_inText += bytes + 1;
    if (++m_lines % kProgressLines == 0)
      report();
  }
  // A text of `bytes` bytes is done.
  void endText(size_t bytes) {
    m_finished += bytes;
    m_inText = 0;
  }
  void report() {
    const uint64_t done = std::min(m_finished + m_inText, m_total);
    if (m_options.progress && !m_options.progress(done, m_total))
      throw CompareCancelled();
  }

private:
  const CompareOptions &m_options;
  uint64_t m_total;
  uint64_t m_finished = 0;
  uint64_t m_inText = 0;
  uint32_t m_lines = 0;
};

void compareEntry(Sf6Entry entry, std::string_view oldText, std::string_view newText,
                  const CompareOptions &options, Progress &progress, CatalogComparison &result) {
  const RecordReader reader(entry);
  EntryCounts &counts = result.counts[static_cast<size_t>(entry)];
  const bool keep = !options.countsOnly;
  const size_t expected = static_cast<size_t>(std::count(oldText.begin(), oldText.end(), '\n')) + 1;
  OldIndex index(oldText, expected);
  Sf6AnyRecord record;
  std::string key;

  uint32_t lineNumber = 0;
  VisitEntryLines(oldText, [&](std::string_view line) {
    ++lineNumber;
    progress.line(line.size());
    if (isBlankLine(line))
      return;
    reader.decode(line, record, key);
    index.add(key, line, lineNumber);
  });
  progress.endText(oldText.size());

  lineNumber = 0;
  Sf6AnyRecord oldRecord;
  VisitEntryLines(newText, [&](std::string_view line) {
    ++lineNumber;
    progress.line(line.size());
    if (isBlankLine(line))
      return;
    reader.decode(line, record, key);
    const uint32_t old = index.match(key);
    if (old == kNone) {
      ++counts.added;
      if (keep)
        result.differences.push_back(
            {entry, CatalogChange::Added, keyTexts(key), 0, static_cast<int>(lineNumber), {}});
      return;
    }
    const std::string_view oldLine = index.lineOf(old);
    if (oldLine == line)
      return;
    if (reader.layout())
      oldRecord = reader.layout()->parse(oldLine);
    std::vector<FieldChange> fields = reader.changes(oldLine, oldRecord, line, record);
    if (fields.empty())
      return;
    ++counts.changed;
    if (keep)
      result.differences.push_back({entry, CatalogChange::Changed, keyTexts(key),
                                    static_cast<int>(index.record(old).lineNumber),
                                    static_cast<int>(lineNumber), std::move(fields)});
  });
  progress.endText(newText.size());

  for (const uint32_t old : index.unmatched()) {
    ++counts.removed;
    if (keep)
      result.differences.push_back({entry,
                                    CatalogChange::Removed,
                                    keyTexts(index.keyOf(old)),
                                    static_cast<int>(index.record(old).lineNumber),
                                    0,
                                    {}});
  }
}

// A key text that is a plain decimal number ("-2.00", "65", "+1.5").
std::optional<double> numberOf(std::string_view text) {
  if (text.empty() || text.size() > 24)
    return std::nullopt;
  std::string_view digits = text;
  if (digits.front() == '+' || digits.front() == '-')
    digits.remove_prefix(1);
  if (digits.empty() || digits.front() == '.' || digits.back() == '.' ||
      digits.find_first_not_of("0123456789.") != std::string_view::npos ||
      std::count(digits.begin(), digits.end(), '.') > 1)
    return std::nullopt;
  double value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return text.front() == '-' ? -value : value;
}

int compareKeyText(const std::string &a, const std::string &b) {
  const std::optional<double> x = numberOf(a);
  const std::optional<double> y = numberOf(b);
  if (x && y && *x != *y)
    return *x < *y ? -1 : 1;
  return a.compare(b);
}

bool differenceBefore(const CatalogDifference &a, const CatalogDifference &b) {
  if (a.entry != b.entry)
    return a.entry < b.entry;
  const size_t common = std::min(a.key.size(), b.key.size());
  for (size_t i = 0; i < common; ++i)
    if (const int c = compareKeyText(a.key[i], b.key[i]); c != 0)
      return c < 0;
  if (a.key.size() != b.key.size())
    return a.key.size() < b.key.size();
  if (a.change != b.change)
    return a.change < b.change;
  if (a.oldLine != b.oldLine)
    return a.oldLine < b.oldLine;
  return a.newLine < b.newLine;
}

} // namespace

bool CatalogComparison::equal() const {
  return std::none_of(counts.begin(), counts.end(),
                      [](const EntryCounts &c) { return c.differs(); });
}

CatalogComparison CompareCatalogs(const CatalogArchive &older, const CatalogArchive &newer,
                                  const CompareOptions &options) {
  std::vector<Sf6Entry> entries;
  for (size_t i = 0; i < kSf6EntryCount; ++i)
    if (!options.entry || static_cast<size_t>(*options.entry) == i)
      entries.push_back(static_cast<Sf6Entry>(i));

  auto textOf = [](const CatalogArchive &archive, Sf6Entry id) {
    const CatalogEntry &entry = archive.entry(id);
    if (entry.state == CatalogEntryState::Unreadable)
      throw Sf6Error("Die Datei \"" + std::string(entry.name()) + "\" in \"" +
                     Utf8ToCp1252(archive.path.string()) + "\" kann nicht gelesen werden.");
    return entry.state == CatalogEntryState::Present ? entry.text() : std::string_view();
  };
  uint64_t total = 0;
  for (Sf6Entry id : entries)
    total += textOf(older, id).size() + textOf(newer, id).size();

  CatalogComparison result;
  Progress progress(options, total);
  for (Sf6Entry id : entries)
    compareEntry(id, textOf(older, id), textOf(newer, id), options, progress, result);
  progress.report();
  std::sort(result.differences.begin(), result.differences.end(), differenceBefore);
  return result;
}

std::string PercentText(int64_t percentTenths) {
  const uint64_t magnitude = percentTenths < 0 ? 0 - static_cast<uint64_t>(percentTenths)
                                               : static_cast<uint64_t>(percentTenths);
  return (percentTenths < 0 ? "-" : "+") + std::to_string(magnitude / 10) + "," +
         std::to_string(magnitude % 10) + " %";
}

std::string CompareDateText(double dateTime) {
  if (dateTime < 1.0)
    return {};
  const DateTimeParts parts = DecodeDateTime(dateTime);
  char text[16];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", parts.day, parts.month, parts.year);
  return text;
}

} // namespace sf6
