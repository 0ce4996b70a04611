#pragma once

// A catalog archive read whole: the bytes of the thirteen entries of the SF6
// file set and what the archive says about each (present, missing,
// unreadable), plus the names of the entries outside the file set. The
// viewer's load, the checker, the comparison and the data export all start
// from here, so they agree on which entry is missing and which is damaged.

#include "text/ByteBuffer.h"
#include "sf6/Sf6FileSet.h"
#include "zip/ZipReader.h"

#include <array>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sf6 {

enum class CatalogEntryState {
  Present,    // extracted
  Missing,    // the archive has no entry of that name
  Unreadable, // an entry of that name exists but could not be decoded
};

struct CatalogEntry {
  Sf6Entry id = Sf6Entry::Head;
  CatalogEntryState state = CatalogEntryState::Missing;
  // The stored path of the archive entry that matched (its letter case may
  // differ from the file set's name); empty when missing.
  std::string storedName;
  // The entry's bytes as inflated, NUL bytes included (readers end the text at
  // the first one); empty unless present.
  ByteBuffer bytes;

  std::string_view name() const { return Sf6EntryName(id); }
  const Sf6Layout *layout() const { return Sf6EntryLayout(id); }
  // The bytes as readers see them: up to the first NUL byte.
  std::string_view text() const {
    const std::string_view view = AsView(bytes);
    return view.substr(0, view.find('\0'));
  }
};

struct CatalogArchive {
  std::filesystem::path path;
  // File-set order, Head.dat first.
  std::array<CatalogEntry, kSf6EntryCount> entries;
  // Stored paths of the archive's entries that match no name of the file set
  // (directory entries left out), in archive order.
  std::vector<std::string> otherEntries;

  const CatalogEntry &entry(Sf6Entry id) const { return entries[static_cast<std::size_t>(id)]; }
  CatalogEntry &entry(Sf6Entry id) { return entries[static_cast<std::size_t>(id)]; }
  // The file-set names of the entries in that state, in file-set order.
  std::vector<std::string> namesIn(CatalogEntryState state) const;
};

struct CatalogLoadOptions {
  // Called between blocks of a long read; may throw to cancel the load.
  ZipProgress progress;
  // Receives the "Zip Error" messages of entries that cannot be decoded.
  TZipReader::MessageSink messageSink;
  // The order in which entries are read, as file-set indexes; empty: file-set
  // order. Entries left out of a non-empty order are not read (state Missing).
  std::span<const std::size_t> order;
  // Called on the reading thread after each entry of the order was read
  // (present, missing or unreadable); may take the entry's bytes, and may
  // throw to cancel the load.
  std::function<void(CatalogEntry &)> entryRead;
};

// Reads the archive at path. Entry names are matched as readers match them:
// the whole stored path, ASCII letters without regard to case.
// Throws the archive failures of TZipReader (missing or unreadable file,
// damaged directory, entries beyond kMaxExtractSize) with their message text.
CatalogArchive LoadCatalogArchive(const std::filesystem::path &path,
                                  const CatalogLoadOptions &options = {});

} // namespace sf6
