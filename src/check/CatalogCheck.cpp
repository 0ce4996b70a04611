#include "check/CatalogCheck.h"

#include "check/EntryScan.h"
#include "check/FieldSyntax.h"
#include "check/FlatIndex.h"
#include "check/HeadCheck.h"
#include "text/CodePage.h"
#include "text/Errors.h"
#include "text/FieldText.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace sf6::check {

namespace {

std::string_view rightTrimmed(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

std::string_view bothTrimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos)
    return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A Combination code of "******" is the model's "no code".
constexpr std::string_view kNoCode = "******";

// The cylinder ("Z1" to "Z3") and prism ("P1" to "P6") surcharges have price
// lines in OptionsPrice.Dat but no line in Options.Dat: readers know them by
// their codes.
bool isSurchargeCode(std::string_view code) {
  if (code.size() != 2)
    return false;
  return (code[0] == 'Z' && code[1] >= '1' && code[1] <= '3') ||
         (code[0] == 'P' && code[1] >= '1' && code[1] <= '6');
}

// A strong final mix, so that keys alike in most bytes spread over the slots.
uint64_t mix(uint64_t h) {
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdull;
  h ^= h >> 33;
  h *= 0xc4ceb9fe1a85ec53ull;
  return h ^ (h >> 33);
}

// Eight bytes at a time: keys are short, and a million of them are hashed.
uint64_t hashPart(uint64_t h, std::string_view bytes) {
  constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    h = (h ^ word) * kMultiplier;
    h ^= h >> 29;
  }
  uint64_t tail = 0;
  std::memcpy(&tail, bytes.data() + i, bytes.size() - i);
  return (h ^ tail ^ (uint64_t{bytes.size()} << 56)) * kMultiplier;
}

// The hash of bytes, the byte at position skip left out.
uint64_t hashBytes(std::string_view bytes, std::size_t skip = std::string_view::npos) {
  if (skip >= bytes.size())
    return mix(hashPart(0, bytes));
  return mix(hashPart(hashPart(0, bytes.substr(0, skip)), bytes.substr(skip + 1)));
}

struct CodeHash {
  std::size_t operator()(std::string_view code) const { return hashBytes(code); }
};
using CodeIndex = FlatIndex<std::string_view, CodeHash>;

// The key of a whole-line duplicate: the columns before the prices (or the
// whole Combination line) without trailing blanks, as an offset and length
// into the entry's bytes, so that a key takes eight bytes. The availability
// column of a Combination line is left out of its key.
struct LineKey {
  uint32_t offset;
  uint32_t length;
};
struct LineKeyHash {
  const char *base = nullptr;
  std::size_t skip = std::string_view::npos;
  std::size_t operator()(const LineKey &k) const {
    return hashBytes(std::string_view(base + k.offset, k.length), skip);
  }
};
struct LineKeyEqual {
  const char *base = nullptr;
  std::size_t skip = std::string_view::npos;
  bool operator()(const LineKey &a, const LineKey &b) const {
    if (a.length != b.length)
      return false;
    const std::string_view x(base + a.offset, a.length);
    const std::string_view y(base + b.offset, b.length);
    if (skip >= x.size())
      return x == y;
    return x.substr(0, skip) == y.substr(0, skip) && x.substr(skip + 1) == y.substr(skip + 1);
  }
};
using LineKeys = FlatIndex<LineKey, LineKeyHash, LineKeyEqual>;

// A delivery range of a lens: the lens's position among the lenses and the
// range's index, as one number, so that looking one up touches no text.
uint64_t rangeKey(uint32_t lens, int32_t index) {
  return uint64_t{lens} << 32 | static_cast<uint32_t>(index);
}
struct RangeKeyHash {
  std::size_t operator()(uint64_t key) const { return mix(key); }
};

// How "von" and "bis" of a range compare.
enum class RangeCompare {
  Number,    // as signed numbers
  Magnitude, // cylinder powers: by absolute value, whichever sign convention
  Date,      // both real dates
  Diameter,  // as numbers; a "bis" of 0 is open
};
struct RangePair {
  int from;
  int to;
  RangeCompare compare;
};

// The lengths a line of a data file may have.
enum class LineShape {
  Fixed,  // the layout's written length (up to its read length)
  Prices, // ends after its last price: first price column - 1 + 7k, k = 1..5
  Text,   // ends after its text: at least the columns before the text
};

struct FileRules {
  Sf6Entry id;
  LineShape shape;
  int firstPriceColumn; // Prices
  std::span<const RangePair> ranges;
};

constexpr RangePair kLensTypeRanges[] = {{3, 4, RangeCompare::Date}};
constexpr RangePair kLensRangeRanges[] = {{4, 5, RangeCompare::Number},
                                          {6, 7, RangeCompare::Magnitude},
                                          {11, 12, RangeCompare::Number},
                                          {20, 21, RangeCompare::Date}};
constexpr RangePair kLensGeoRanges[] = {{4, 5, RangeCompare::Number}};
constexpr RangePair kOptionsRanges[] = {
    {3, 4, RangeCompare::Date}, {37, 38, RangeCompare::Number}, {39, 40, RangeCompare::Diameter}};

// The data files in the order they are checked: the files that define
// codes before the files that use them.
constexpr FileRules kFiles[] = {
    {Sf6Entry::LensType, LineShape::Fixed, 0, kLensTypeRanges},
    {Sf6Entry::Options, LineShape::Fixed, 0, kOptionsRanges},
    {Sf6Entry::LensRange, LineShape::Fixed, 0, kLensRangeRanges},
    {Sf6Entry::LensGeo, LineShape::Fixed, 0, kLensGeoRanges},
    {Sf6Entry::LensPrice, LineShape::Prices, 18, {}},
    {Sf6Entry::OptionsColor, LineShape::Fixed, 0, {}},
    {Sf6Entry::OptionsPrice, LineShape::Prices, 19, {}},
    {Sf6Entry::Combination, LineShape::Fixed, 0, {}},
    {Sf6Entry::Information, LineShape::Text, 0, {}},
    {Sf6Entry::OrderOptions, LineShape::Fixed, 0, {}},
    {Sf6Entry::ProductGroup, LineShape::Fixed, 0, {}},
    {Sf6Entry::CodeSubstitution, LineShape::Fixed, 0, {}},
};

uint32_t orderOf(Sf6Entry id) {
  return static_cast<uint32_t>(id) + 1;
}

// A number column already judged well-formed, or nothing when blank.
std::optional<int64_t> numberOf(std::string_view text) {
  text = bothTrimmed(text);
  if (text.empty())
    return std::nullopt;
  bool negative = false;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int64_t value = 0;
  for (const char c : text)
    if (c >= '0' && c <= '9')
      value = value * 10 + (c - '0');
  return negative ? -value : value;
}

class Checker {
public:
  Checker(const CatalogArchive &archive, const CheckOptions &options)
      : m_archive(archive), m_settings(options),
        m_sink(options.maxPerRule, 1 + kSf6EntryCount + archive.otherEntries.size() + 1) {}

  CheckResult run();

private:
  // What a semantic rule needs of the line at hand.
  struct Line {
    std::string_view text;
    uint32_t number;
    uint64_t faults; // bit n: field n failed its syntax check
    std::span<const Sf6FieldInfo> fields;
    EntryTarget target;

    const Sf6FieldInfo &field(int n) const { return fields[static_cast<std::size_t>(n - 1)]; }
    std::string_view columns(int n) const {
      const Sf6FieldInfo &f = field(n);
      return Columns(text, f.column, f.width);
    }
    bool faulty(int n) const { return (faults >> n & 1u) != 0; }
    // Whether the line holds all of field n's written columns; the rules
    // about a field leave a field the line does not reach to the line rule.
    bool reaches(int n) const {
      const Sf6FieldInfo &f = field(n);
      return text.size() >= static_cast<std::size_t>(f.column + f.writeWidth - 1);
    }
  };

  void checkArchive();
  void checkDataFile(const FileRules &rules, ProgressMeter &meter);
  void checkLength(const FileRules &rules, const Line &line, std::size_t writtenLength,
                   std::size_t readLength);
  void checkRanges(const FileRules &rules, const Line &line);
  void checkFileLine(Sf6Entry id, const Line &line);

  // The rules of one file beyond field syntax.
  void lensTypeLine(const Line &line);
  void optionsLine(const Line &line);
  void lensRangeLine(const Line &line);
  void lensGeoLine(const Line &line);
  void lensPriceLine(const Line &line);
  void optionsColorLine(const Line &line);
  void optionsPriceLine(const Line &line);
  void combinationLine(const Line &line);
  void productLine(const Line &line); // Information, OrderOptions, ProductGroup
  void codeSubstitutionLine(const Line &line);
  void completeness();

  // The code of field n: trimmed as its reader trims it; reports a blank
  // code that must be given.
  std::string_view code(const Line &line, int n, bool both, bool required);
  // Whether code is defined; reports it when not. Marks the lens or option
  // as having a price, range or use.
  // lensExists gives the lens's position among the lenses, or CodeIndex::npos.
  uint32_t lensExists(const Line &line, int n, std::string_view code, uint8_t mark = 0);
  bool optionExists(const Line &line, int n, std::string_view code, bool markUsed);
  void duplicate(RuleId rule, const Line &line, int n, uint32_t first, const char *what);
  void usedPrices(const Line &line, int firstPriceColumn);
  // Files with whole-line keys: the line of the first line whose key (the
  // first `columns` columns without trailing blanks) equals this line's;
  // 0 when this line is the first.
  // Catalog writers sort their lines, so while the keys of a file ascend a
  // repeated key can only repeat the line before: no index is built. The
  // first key out of order indexes the lines before it once.
  uint32_t firstWithKey(const Line &line, std::size_t columns);
  void indexKeysBefore(const char *end, std::size_t columns);

  // Reports a problem of the line; a message about a field that does not
  // begin with the field's name gets it in front.
  template <class MakeMessage>
  void report(RuleId rule, const Line &line, int fieldNumber, uint32_t column, MakeMessage &&m) {
    const Sf6FieldInfo *field = fieldNumber > 0 ? &line.field(fieldNumber) : nullptr;
    m_sink.report(rule, line.target.order, line.target.name, line.number, column, field, [&] {
      std::string text = m();
      if (!field)
        return text;
      std::string name = Message().field(*field).take();
      if (text.compare(0, name.size(), name) == 0)
        return text;
      return name + ": " + text;
    });
  }
  static uint32_t columnOf(const Line &line, int n, std::string_view inField = {}) {
    const Sf6FieldInfo &f = line.field(n);
    const std::string_view whole = line.columns(n);
    const std::size_t offset = inField.empty() || whole.empty()
                                   ? 0
                                   : static_cast<std::size_t>(inField.data() - whole.data());
    return static_cast<uint32_t>(f.column) + static_cast<uint32_t>(offset);
  }

  static constexpr uint8_t kHasRange = 1;
  static constexpr uint8_t kHasPrice = 2;

  const CatalogArchive &m_archive;
  const CheckOptions &m_settings;
  ProblemSink m_sink;

  CodeIndex m_lenses;               // code -> line in LensType.Dat
  std::vector<uint8_t> m_lensMarks; // kHasRange | kHasPrice per lens
  CodeIndex m_options;              // code -> line in Options.Dat
  std::vector<uint8_t> m_optionUsed;
  FlatIndex<uint64_t, RangeKeyHash> m_ranges;
  LineKeys m_lineKeys; // of the file at hand, once its keys are out of order
  const char *m_lineBase = nullptr;
  std::size_t m_keySkip = std::string_view::npos;
  std::size_t m_keyLines = 0; // lines of the file, for the index's size
  bool m_keysAscending = true;
  std::string_view m_previousKey;
  uint32_t m_previousKeyLine = 0; // the first line of the run of m_previousKey
  unsigned m_usedPrices = 0;
};

CheckResult Checker::run() {
  checkArchive();
  uint64_t total = 0;
  for (const CatalogEntry &entry : m_archive.entries)
    total += entry.bytes.size();
  ProgressMeter meter(m_settings.progress, total);

  const CatalogEntry &head = m_archive.entry(Sf6Entry::Head);
  const EntryTarget headTarget{m_sink, orderOf(Sf6Entry::Head), head.name()};
  HeadCheck headCheck(headTarget);
  if (head.state == CatalogEntryState::Present) {
    ScanEntryText(head, headTarget, meter,
                  [&](std::string_view line, uint32_t number) { headCheck.line(line, number); });
    headCheck.finish();
  }
  for (const FileRules &rules : kFiles)
    checkDataFile(rules, meter);
  if (head.state == CatalogEntryState::Present)
    headCheck.checkPrices(m_usedPrices);
  completeness();
  if (m_settings.progress)
    m_settings.progress(total, total);
  return m_sink.finish();
}

void Checker::checkArchive() {
  const CatalogEntry &substitution = m_archive.entry(Sf6Entry::CodeSubstitution);
  const bool convertedName =
      std::find(m_archive.otherEntries.begin(), m_archive.otherEntries.end(),
                std::string(kCodesSubstEntryName)) != m_archive.otherEntries.end();
  for (const CatalogEntry &entry : m_archive.entries) {
    const uint32_t order = orderOf(entry.id);
    switch (entry.state) {
    case CatalogEntryState::Missing:
      // The converter's name for the file is reported as such below.
      if (&entry == &substitution && convertedName)
        break;
      m_sink.report(RuleId::EntryMissing, order, entry.name(), 0, 0, nullptr, [&] {
        Message m;
        m << "Eintrag ";
        m.quoted(entry.name()) << " fehlt im Archiv";
        return m.take();
      });
      break;
    case CatalogEntryState::Unreadable:
      m_sink.report(RuleId::EntryUnreadable, order, entry.name(), 0, 0, nullptr, [&] {
        Message m;
        m << "Eintrag ";
        m.quoted(entry.storedName) << " kann nicht entpackt werden (beschädigt)";
        return m.take();
      });
      break;
    case CatalogEntryState::Present:
      if (entry.storedName != entry.name())
        m_sink.report(RuleId::EntryNameCase, order, entry.name(), 0, 0, nullptr, [&] {
          Message m;
          m << "Eintrag heißt ";
          m.quoted(entry.storedName) << " statt ";
          m.quoted(entry.name()) << "; Leser, die Groß- und Kleinschreibung unterscheiden, "
                                    "finden ihn nicht";
          return m.take();
        });
      break;
    }
  }
  for (std::size_t i = 0; i < m_archive.otherEntries.size(); ++i) {
    const std::string &name = m_archive.otherEntries[i];
    const auto order = static_cast<uint32_t>(1 + kSf6EntryCount + i);
    m_sink.report(RuleId::UnexpectedEntry, order, name, 0, 0, nullptr, [&] {
      Message m;
      m << "Eintrag ";
      m.quoted(name);
      if (name == kCodesSubstEntryName)
        m << " wird nicht gelesen: Leser suchen die Code-Substitutionen unter "
             "„CodeSubstitution.Dat“";
      else
        m << " gehört nicht zum Katalog und wird nicht gelesen";
      return m.take();
    });
  }
}

void Checker::checkDataFile(const FileRules &rules, ProgressMeter &meter) {
  const CatalogEntry &entry = m_archive.entry(rules.id);
  if (entry.state != CatalogEntryState::Present)
    return;
  const Sf6Layout &layout = *entry.layout();
  const std::span<const Sf6FieldInfo> fields = layout.fields();
  std::size_t writtenLength = 0;
  std::size_t readLength = 0;
  for (const Sf6FieldInfo &f : fields) {
    writtenLength =
        std::max<std::size_t>(writtenLength, static_cast<std::size_t>(f.column + f.writeWidth - 1));
    readLength =
        std::max<std::size_t>(readLength, static_cast<std::size_t>(f.column + f.width - 1));
  }
  // Room for the keys of this file without growing while it is read.
  const std::size_t lines =
      static_cast<std::size_t>(std::count(entry.bytes.begin(), entry.bytes.end(), '\n') + 1);
  switch (rules.id) {
  case Sf6Entry::LensType:
    m_lenses.reserve(lines);
    m_lensMarks.reserve(lines);
    break;
  case Sf6Entry::Options:
    m_options.reserve(lines);
    m_optionUsed.reserve(lines);
    break;
  case Sf6Entry::LensRange:
    m_ranges.reserve(lines);
    break;
  case Sf6Entry::LensPrice:
  case Sf6Entry::OptionsPrice:
  case Sf6Entry::Combination: {
    const std::size_t skip = rules.id == Sf6Entry::Combination ? 6 : std::string_view::npos;
    m_lineBase = entry.bytes.data();
    m_keySkip = skip;
    m_keyLines = lines;
    m_keysAscending = true;
    m_previousKey = {};
    m_previousKeyLine = 0;
    m_lineKeys = LineKeys({m_lineBase, skip}, {m_lineBase, skip});
    break;
  }
  default:
    break;
  }

  const EntryTarget target{m_sink, orderOf(rules.id), entry.name()};
  ScanEntryText(entry, target, meter, [&](std::string_view text, uint32_t number) {
    Line line{text, number, 0, fields, target};
    if (text.empty()) {
      report(RuleId::LineEmpty, line, 0, 1, [] { return (Message() << "Leere Zeile").take(); });
      return;
    }
    checkLength(rules, line, writtenLength, readLength);
    for (const Sf6FieldInfo &f : fields) {
      const std::string_view columns = Columns(text, f.column, f.width);
      const std::optional<FieldFault> fault = CheckFieldSyntax(f, columns);
      if (!fault)
        continue;
      line.faults |= uint64_t{1} << f.number;
      m_sink.report(fault->rule, target.order, target.name, number,
                    static_cast<uint32_t>(f.column + fault->offset), &f,
                    [&] { return DescribeFieldFault(f, columns, *fault); });
    }
    checkRanges(rules, line);
    checkFileLine(rules.id, line);
  });
  m_lineKeys = LineKeys(); // the keys of one file are not needed by the next
}

void Checker::checkLength(const FileRules &rules, const Line &line, std::size_t writtenLength,
                          std::size_t readLength) {
  const std::size_t length = line.text.size();
  std::size_t longest = readLength;
  std::string expected;
  bool tooShort = false;
  switch (rules.shape) {
  case LineShape::Fixed:
    tooShort = length < writtenLength;
    expected = std::to_string(writtenLength);
    if (readLength != writtenLength)
      expected += " oder " + std::to_string(readLength);
    break;
  case LineShape::Prices: {
    const std::size_t base = static_cast<std::size_t>(rules.firstPriceColumn - 1);
    tooShort = length < base + 7 || (length <= readLength && (length - base) % 7 != 0);
    expected = std::to_string(base + 7) + ", " + std::to_string(base + 14) + ", ... " +
               std::to_string(readLength) + " (bis zum Ende des letzten Preises)";
    break;
  }
  case LineShape::Text: {
    const std::size_t base = static_cast<std::size_t>(line.fields.back().column - 1);
    tooShort = length < base;
    expected = std::to_string(base) + " bis " + std::to_string(readLength);
    break;
  }
  }
  if (tooShort) {
    report(RuleId::LineTooShort, line, 0, static_cast<uint32_t>(length + 1), [&] {
      Message m;
      m << "Zeile ist " << length << " Zeichen lang, erwartet " << expected
        << "; fehlende Spalten lesen Leser als leer";
      return m.take();
    });
    return;
  }
  if (length <= longest)
    return;
  const bool blanks = IsBlank(line.text.substr(longest));
  report(blanks ? RuleId::LineTrailingBlanks : RuleId::LineTooLong, line, 0,
         static_cast<uint32_t>(longest + 1), [&] {
           Message m;
           m << "Zeile ist " << length << " Zeichen lang, erwartet " << expected;
           if (blanks)
             m << "; dahinter stehen nur Leerzeichen";
           else
             m << "; Leser ignorieren alles ab Spalte " << (longest + 1);
           return m.take();
         });
}

void Checker::checkRanges(const FileRules &rules, const Line &line) {
  for (const RangePair &pair : rules.ranges) {
    if (line.faulty(pair.from) || line.faulty(pair.to) || !line.reaches(pair.to))
      continue;
    const std::string_view from = line.columns(pair.from);
    const std::string_view to = line.columns(pair.to);
    bool wrong = false;
    if (pair.compare == RangeCompare::Date) {
      wrong = from.size() == 8 && to.size() == 8 && from != "00000000" && to != "00000000" &&
              !IsBlank(from) && !IsBlank(to) && from > to;
    } else {
      const std::optional<int64_t> a = numberOf(from);
      const std::optional<int64_t> b = numberOf(to);
      if (!a || !b)
        continue;
      switch (pair.compare) {
      case RangeCompare::Number:
        wrong = *a > *b;
        break;
      case RangeCompare::Magnitude:
        wrong = std::llabs(*a) > std::llabs(*b);
        break;
      case RangeCompare::Diameter:
        wrong = *b != 0 && *a > *b;
        break;
      case RangeCompare::Date:
        break;
      }
    }
    if (!wrong)
      continue;
    report(RuleId::RangeOrder, line, pair.from, static_cast<uint32_t>(line.field(pair.from).column),
           [&] {
             Message m;
             m.field(line.field(pair.from)) << " ";
             m.quoted(bothTrimmed(from)) << " ist größer als ";
             m.field(line.field(pair.to)) << " ";
             m.quoted(bothTrimmed(to));
             if (pair.compare == RangeCompare::Magnitude)
               m << " (dem Betrag nach)";
             return m.take();
           });
  }
}

void Checker::checkFileLine(Sf6Entry id, const Line &line) {
  switch (id) {
  case Sf6Entry::LensType:
    return lensTypeLine(line);
  case Sf6Entry::Options:
    return optionsLine(line);
  case Sf6Entry::LensRange:
    return lensRangeLine(line);
  case Sf6Entry::LensGeo:
    return lensGeoLine(line);
  case Sf6Entry::LensPrice:
    return lensPriceLine(line);
  case Sf6Entry::OptionsColor:
    return optionsColorLine(line);
  case Sf6Entry::OptionsPrice:
    return optionsPriceLine(line);
  case Sf6Entry::Combination:
    return combinationLine(line);
  case Sf6Entry::Information:
  case Sf6Entry::OrderOptions:
  case Sf6Entry::ProductGroup:
    return productLine(line);
  case Sf6Entry::CodeSubstitution:
    return codeSubstitutionLine(line);
  case Sf6Entry::Head:
    return;
  }
}

std::string_view Checker::code(const Line &line, int n, bool both, bool required) {
  const std::string_view raw = line.columns(n);
  const std::string_view trimmed = both ? bothTrimmed(raw) : rightTrimmed(raw);
  if (trimmed.empty() && required &&
      line.text.size() >= static_cast<std::size_t>(line.field(n).column))
    report(RuleId::FieldCodeEmpty, line, n, static_cast<uint32_t>(line.field(n).column), [&] {
      Message m;
      m.field(line.field(n)) << " ist leer";
      return m.take();
    });
  return trimmed;
}

uint32_t Checker::lensExists(const Line &line, int n, std::string_view code, uint8_t mark) {
  const uint32_t at = m_lenses.find(code);
  if (at != CodeIndex::npos) {
    m_lensMarks[at] |= mark;
    return at;
  }
  report(RuleId::RefLens, line, n, columnOf(line, n, code), [&] {
    Message m;
    m.field(line.field(n)) << ": Glascode ";
    m.quoted(code) << " ist in LensType.Dat nicht definiert";
    return m.take();
  });
  return CodeIndex::npos;
}

bool Checker::optionExists(const Line &line, int n, std::string_view code, bool markUsed) {
  const uint32_t at = m_options.find(code);
  if (at != CodeIndex::npos) {
    if (markUsed)
      m_optionUsed[at] = 1;
    return true;
  }
  report(RuleId::RefOption, line, n, columnOf(line, n, code), [&] {
    Message m;
    m.field(line.field(n)) << ": Code ";
    m.quoted(code) << " ist in Options.Dat nicht definiert";
    return m.take();
  });
  return false;
}

void Checker::duplicate(RuleId rule, const Line &line, int n, uint32_t first, const char *what) {
  report(rule, line, n, static_cast<uint32_t>(line.field(n).column), [&] {
    Message m;
    m << what << " wie Zeile " << first;
    return m.take();
  });
}

void Checker::lensTypeLine(const Line &line) {
  const std::string_view lens = code(line, 1, false, true);
  if (lens.empty())
    return;
  const auto inserted = m_lenses.insert(lens, line.number);
  if (inserted.second) {
    m_lensMarks.push_back(0);
    return;
  }
  const uint32_t first = m_lenses[inserted.first].value;
  report(RuleId::DupLensCode, line, 1, 1, [&] {
    Message m;
    m << "Glascode ";
    m.quoted(lens) << " ist bereits in Zeile " << first << " definiert";
    return m.take();
  });
}

void Checker::optionsLine(const Line &line) {
  const std::string_view option = code(line, 1, true, true);
  if (option.empty())
    return;
  const auto inserted = m_options.insert(option, line.number);
  if (inserted.second) {
    m_optionUsed.push_back(0);
    return;
  }
  const uint32_t first = m_options[inserted.first].value;
  report(RuleId::DupOptionCode, line, 1, columnOf(line, 1, option), [&] {
    Message m;
    m << "Code ";
    m.quoted(option) << " ist bereits in Zeile " << first << " definiert";
    return m.take();
  });
}

void Checker::lensRangeLine(const Line &line) {
  const std::string_view lens = code(line, 1, false, true);
  const uint32_t at = lens.empty() ? CodeIndex::npos : lensExists(line, 1, lens, kHasRange);
  if (at != CodeIndex::npos && line.reaches(28) && !line.faulty(28))
    m_ranges.insert(rangeKey(at, TextToInt(line.columns(28))), line.number);
  for (int n = 14; n <= 18; ++n) {
    const std::string_view coating = code(line, n, true, false);
    if (!coating.empty())
      optionExists(line, n, coating, true);
  }
}

void Checker::lensGeoLine(const Line &line) {
  const std::string_view lens = code(line, 1, false, true);
  if (!lens.empty())
    lensExists(line, 1, lens);
}

void Checker::usedPrices(const Line &line, int firstPriceColumn) {
  for (int k = 0; k < 5; ++k)
    if (!IsBlank(Columns(line.text, firstPriceColumn + 7 * k, 7)))
      m_usedPrices |= 1u << k;
}

namespace {

// Keys compared as bytes, the byte at position skip left out.
int compareKeys(std::string_view a, std::string_view b, std::size_t skip) {
  if (skip < a.size() && skip < b.size()) {
    if (const int c = a.substr(0, skip).compare(b.substr(0, skip)); c != 0)
      return c;
    return a.substr(skip + 1).compare(b.substr(skip + 1));
  }
  return a.compare(b);
}

// The key columns without trailing blanks; a blank key is an empty view at
// the line's start (keys are kept as offsets into the entry).
std::string_view keyOf(std::string_view line, std::size_t columns) {
  std::string_view key = line.substr(0, std::min(columns, line.size()));
  while (!key.empty() && key.back() == ' ')
    key.remove_suffix(1);
  return key;
}

} // namespace

uint32_t Checker::firstWithKey(const Line &line, std::size_t columns) {
  const std::string_view key = keyOf(line.text, columns);
  if (m_keysAscending) {
    const int order = m_previousKeyLine == 0 ? 1 : compareKeys(key, m_previousKey, m_keySkip);
    if (order == 0)
      return m_previousKeyLine;
    if (order > 0) {
      m_previousKey = key;
      m_previousKeyLine = line.number;
      return 0;
    }
    m_keysAscending = false;
    indexKeysBefore(line.text.data(), columns);
  }
  const LineKey at{static_cast<uint32_t>(key.data() - m_lineBase),
                   static_cast<uint32_t>(key.size())};
  const auto [position, added] = m_lineKeys.insert(at, line.number);
  return added ? 0 : m_lineKeys[position].value;
}

void Checker::indexKeysBefore(const char *end, std::size_t columns) {
  m_lineKeys.reserve(m_keyLines);
  const char *p = m_lineBase;
  uint32_t number = 0;
  while (p < end) {
    const char *stop = p;
    while (stop < end && *stop != '\r' && *stop != '\n')
      ++stop;
    const std::string_view key =
        keyOf(std::string_view(p, static_cast<std::size_t>(stop - p)), columns);
    ++number;
    if (stop > p)
      m_lineKeys.insert(
          {static_cast<uint32_t>(key.data() - m_lineBase), static_cast<uint32_t>(key.size())},
          number);
    p = stop;
    if (p < end && *p == '\r')
      ++p;
    if (p < end && *p == '\n')
      ++p;
  }
}

void Checker::lensPriceLine(const Line &line) {
  usedPrices(line, 18);
  const std::string_view lens = code(line, 1, false, true);
  const uint32_t at = lens.empty() ? CodeIndex::npos : lensExists(line, 1, lens, kHasPrice);
  if (at != CodeIndex::npos && line.reaches(5) && !line.faulty(5)) {
    const int32_t index = TextToInt(line.columns(5));
    if (!m_ranges.contains(rangeKey(at, index)))
      report(RuleId::RefRangeIndex, line, 5, static_cast<uint32_t>(line.field(5).column), [&] {
        Message m;
        m << "Lieferbereichsindex " << index << " hat keine Zeile von LensRange.Dat des Glases ";
        m.quoted(lens);
        return m.take();
      });
  }
  if (const uint32_t first = firstWithKey(line, 17))
    duplicate(RuleId::DupLensPrice, line, 1, first,
              "Gleiches Glas, gleicher Durchmesser, gleiche Sph- und Cyl-Gruppe und gleicher "
              "Lieferbereichsindex");
}

void Checker::optionsColorLine(const Line &line) {
  const std::string_view option = code(line, 2, false, true);
  if (!option.empty())
    optionExists(line, 2, option, false);
}

void Checker::optionsPriceLine(const Line &line) {
  usedPrices(line, 19);
  const std::string_view option = code(line, 1, false, true);
  if (!option.empty() && !isSurchargeCode(option))
    optionExists(line, 1, option, true);
  const std::string_view lens = code(line, 2, false, false);
  if (!lens.empty())
    lensExists(line, 2, lens);
  if (const uint32_t first = firstWithKey(line, 18))
    duplicate(RuleId::DupOptionPrice, line, 1, first,
              "Gleiche Schicht, gleiches Glas, gleiche Arten und Materialien");
}

void Checker::combinationLine(const Line &line) {
  const std::string_view lens = code(line, 1, false, true);
  if (!lens.empty() && lens != kNoCode)
    lensExists(line, 1, lens);
  for (int n = 3; n <= 5; ++n) {
    const std::string_view option = code(line, n, false, false);
    if (!option.empty() && option != kNoCode)
      optionExists(line, n, option, true);
  }
  if (const uint32_t first = firstWithKey(line, 25))
    duplicate(RuleId::DupCombination, line, 1, first, "Gleiches Glas mit gleichen Schichten");
}

void Checker::productLine(const Line &line) {
  const std::string_view product = code(line, 2, false, true);
  if (product.empty() || line.faulty(1))
    return;
  if (TextToInt(line.columns(1)) == 0)
    lensExists(line, 2, product);
  else
    optionExists(line, 2, product, false);
}

void Checker::codeSubstitutionLine(const Line &line) {
  if (line.faulty(1))
    return;
  const bool lens = TextToInt(line.columns(1)) == 0;
  const CodeIndex &defined = lens ? m_lenses : m_options;
  const std::string_view old = code(line, 2, false, true);
  const bool replaces = !line.faulty(3) && TextToInt(line.columns(3)) == 1;
  if (!old.empty() && replaces && defined.contains(old))
    report(RuleId::RefSubstOldCode, line, 2, static_cast<uint32_t>(line.field(2).column), [&] {
      Message m;
      m << "Der alte Code ";
      m.quoted(old) << " ist noch in " << (lens ? "LensType.Dat" : "Options.Dat")
                    << " definiert, soll aber ersetzt werden";
      return m.take();
    });
  for (int n = 4; n <= 6; ++n) {
    const std::string_view now = code(line, n, false, n == 4);
    if (now.empty() || defined.contains(now))
      continue;
    report(RuleId::RefSubstNewCode, line, n, static_cast<uint32_t>(line.field(n).column), [&] {
      Message m;
      m.field(line.field(n)) << ": ";
      m.quoted(now) << " ist in " << (lens ? "LensType.Dat" : "Options.Dat") << " nicht definiert";
      return m.take();
    });
  }
}

void Checker::completeness() {
  const CatalogEntry &lensType = m_archive.entry(Sf6Entry::LensType);
  const EntryTarget lensTarget{m_sink, orderOf(Sf6Entry::LensType), lensType.name()};
  const std::span<const Sf6FieldInfo> lensFields = lensType.layout()->fields();
  for (uint32_t i = 0; i < m_lenses.size(); ++i) {
    const std::string_view code = m_lenses[i].key;
    const Line at{{}, m_lenses[i].value, 0, lensFields, lensTarget};
    const auto warn = [&](RuleId rule, const char *what) {
      report(rule, at, 1, 1, [&] {
        Message m;
        m << "Glas ";
        m.quoted(code) << " hat " << what;
        return m.take();
      });
    };
    if (!(m_lensMarks[i] & kHasPrice))
      warn(RuleId::LensWithoutPrice, "keine Zeile in LensPrice.Dat");
    if (!(m_lensMarks[i] & kHasRange))
      warn(RuleId::LensWithoutRange, "keinen Lieferbereich in LensRange.Dat");
  }
  const CatalogEntry &options = m_archive.entry(Sf6Entry::Options);
  const EntryTarget optionTarget{m_sink, orderOf(Sf6Entry::Options), options.name()};
  const std::span<const Sf6FieldInfo> optionFields = options.layout()->fields();
  for (uint32_t i = 0; i < m_options.size(); ++i) {
    if (m_optionUsed[i])
      continue;
    const std::string_view code = m_options[i].key;
    const Line at{{}, m_options[i].value, 0, optionFields, optionTarget};
    report(RuleId::OptionUnused, at, 1, 1, [&] {
      Message m;
      m << "Schicht ";
      m.quoted(code) << " wird von keiner Zeile in LensRange.Dat, Combination.Dat oder "
                        "OptionsPrice.Dat verwendet";
      return m.take();
    });
  }
}

} // namespace

CheckResult CheckCatalog(const CatalogArchive &archive, const CheckOptions &options) {
  return Checker(archive, options).run();
}

CheckResult CheckCatalogFile(const std::filesystem::path &path, const CheckOptions &options) {
  CatalogArchive archive;
  try {
    CatalogLoadOptions load;
    load.progress = options.progress; // a cancel while reading ends the read too
    archive = LoadCatalogArchive(path, load);
  } catch (const Sf6Error &e) {
    ProblemSink sink(options.maxPerRule, 1);
    const std::string name = Utf8ToCp1252(path.string());
    sink.report(RuleId::ArchiveUnreadable, 0, name, 0, 0, nullptr, [&] {
      Message m;
      m << "Archiv kann nicht gelesen werden: " << e.what();
      return m.take();
    });
    return sink.finish();
  }
  return CheckCatalog(archive, options);
}

} // namespace sf6::check
