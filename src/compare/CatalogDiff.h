#pragma once

// What changed from one catalog to another. Records are matched by their key
// (CompareRules.h), not by their position, so reordered lines make no
// difference; a key that occurs several times in a file is matched with the
// other file's occurrences in order of occurrence. A matched pair whose
// field texts differ is "changed". Texts are compared as the field grid shows
// them (" 70" and "070" are the same integer), except that dates read
// dd.MM.yyyy. Lines that are empty or blank are no records.
//
// All texts are Windows-1252, as in the catalog.

#include "catalog/CatalogArchive.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace sf6 {

enum class CatalogChange : uint8_t { Removed, Changed, Added };

// One differing field of a changed record.
struct FieldChange {
  int field = 0;       // 1-based field number; 0 for a Head.dat value
  std::string caption; // the field's caption; the key for a Head.dat value
  std::string oldText;
  std::string newText;
  // Price fields whose old price is not 0: the change in tenths of a percent,
  // rounded half away from zero (45 is +4.5 %).
  std::optional<int64_t> percentTenths;
};

struct CatalogDifference {
  Sf6Entry entry = Sf6Entry::Head;
  CatalogChange change = CatalogChange::Changed;
  // The texts of the key fields, in the order of the entry's key.
  std::vector<std::string> key;
  int oldLine = 0;                 // 1-based line in the older catalog; 0 for an added record
  int newLine = 0;                 // 1-based line in the newer catalog; 0 for a removed record
  std::vector<FieldChange> fields; // changed records only, in field order
};

struct EntryCounts {
  uint64_t added = 0;
  uint64_t removed = 0;
  uint64_t changed = 0;
  bool differs() const { return added + removed + changed > 0; }
};

struct CatalogComparison {
  // Per entry, file-set order.
  std::array<EntryCounts, kSf6EntryCount> counts{};
  // Sorted by entry (file-set order), then key (numbers by value, other texts
  // by their bytes), then removed before changed before added, then line.
  // Empty when only counts were asked for.
  std::vector<CatalogDifference> differences;

  const EntryCounts &countsOf(Sf6Entry entry) const {
    return counts[static_cast<std::size_t>(entry)];
  }
  bool equal() const;
};

// Thrown out of CompareCatalogs when the progress callback asks to stop.
class CompareCancelled : public std::runtime_error {
public:
  CompareCancelled() : std::runtime_error("Vergleich abgebrochen") {}
};

struct CompareOptions {
  // Compare this entry only; all thirteen when empty.
  std::optional<Sf6Entry> entry;
  // Count only: differences stays empty (memory independent of the number of
  // differences).
  bool countsOnly = false;
  // Called now and then with the bytes compared so far and the bytes to
  // compare in all; returning false cancels (CompareCancelled).
  std::function<bool(uint64_t done, uint64_t total)> progress;
};

// Compares the entries of older and newer. An entry missing from one archive
// counts all records of the other as added or removed; missing from both it
// is equal. Throws Sf6Error when a compared entry is in an archive but cannot
// be read (a comparison without it would report it as removed or added).
// Memory: the older side's keys and line positions are held, the newer side
// is streamed against them.
CatalogComparison CompareCatalogs(const CatalogArchive &older, const CatalogArchive &newer,
                                  const CompareOptions &options = {});

// "+4,5 %", "-12,5 %", "+0,0 %": sign, decimal comma, one decimal.
std::string PercentText(int64_t percentTenths);

// A date as the comparison shows it: dd.MM.yyyy, "" for no date.
std::string CompareDateText(double dateTime);

} // namespace sf6
