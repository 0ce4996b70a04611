// Fuzzes the catalog comparison on pairs of entry texts: the first byte picks
// the entry, the second whether either side is missing, the rest is split at
// the first "\n=\n" into the older and the newer text. Checks what must hold
// for any pair: counts agree with the list, a catalog equals itself, and the
// comparison the other way round swaps added and removed.

#include "compare/CatalogDiff.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

sf6::CatalogArchive archiveWith(sf6::Sf6Entry entry, std::string_view text, bool missing) {
  sf6::CatalogArchive archive;
  for (size_t i = 0; i < sf6::kSf6EntryCount; ++i)
    archive.entries[i].id = static_cast<sf6::Sf6Entry>(i);
  sf6::CatalogEntry &e = archive.entry(entry);
  e.state = missing ? sf6::CatalogEntryState::Missing : sf6::CatalogEntryState::Present;
  if (!missing)
    e.bytes = sf6::ToByteBuffer(text);
  return archive;
}

void check(bool condition) {
  if (!condition)
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 2)
    return 0;
  const auto entry = static_cast<sf6::Sf6Entry>(data[0] % sf6::kSf6EntryCount);
  const uint8_t flags = data[1];
  const std::string_view rest(reinterpret_cast<const char *>(data + 2), size - 2);
  const size_t split = rest.find("\n=\n");
  const std::string_view first = rest.substr(0, split);
  const std::string_view second =
      split == std::string_view::npos ? std::string_view() : rest.substr(split + 3);

  const sf6::CatalogArchive older = archiveWith(entry, first, flags & 1);
  const sf6::CatalogArchive newer = archiveWith(entry, second, flags & 2);
  const sf6::CatalogComparison forward = sf6::CompareCatalogs(older, newer);
  const sf6::CatalogComparison backward = sf6::CompareCatalogs(newer, older);
  const sf6::EntryCounts &f = forward.countsOf(entry);
  const sf6::EntryCounts &b = backward.countsOf(entry);
  check(f.added == b.removed && f.removed == b.added && f.changed == b.changed);
  check(forward.differences.size() == f.added + f.removed + f.changed);
  for (const sf6::CatalogDifference &d : forward.differences) {
    check(d.entry == entry);
    check((d.oldLine > 0) == (d.change != sf6::CatalogChange::Added));
    check((d.newLine > 0) == (d.change != sf6::CatalogChange::Removed));
    check((d.change == sf6::CatalogChange::Changed) == !d.fields.empty());
  }
  check(sf6::CompareCatalogs(older, older).equal());
  sf6::CompareOptions counting;
  counting.countsOnly = true;
  const sf6::CatalogComparison counted = sf6::CompareCatalogs(older, newer, counting);
  check(counted.differences.empty());
  check(counted.countsOf(entry).changed == f.changed);
  return 0;
}
