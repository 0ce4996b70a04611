#pragma once

// TZipWriter: stores bytes as an entry of an archive and deletes entries.
// Every call rewrites the whole archive: entries not concerned are copied
// with their compressed bytes unchanged, and the new archive replaces the
// old one only once it is complete on disk (temporary file in the same
// directory, synced, then renamed over the name). A failure at any point
// before that leaves the old archive byte for byte as it was and no
// temporary file behind; the file's permission bits are kept.

#include "zip/ZipReader.h"

#include <span>
#include <string_view>

namespace sf6 {

class TZipWriter : public TZipReader {
public:
  // DEFLATE level of new entries: 6 by default, 0 stores, at most 12.
  int PackLevel() const { return m_packLevel; }
  void PackLevel(int level) { m_packLevel = level; }

  // Stores data as the entry name. The entry is stored under the name part
  // of name (after the last "\", "/" or ":"), converted to the OEM code
  // page; it replaces, at its position, an entry whose whole stored path
  // equals that name apart from case (later entries with the same path are
  // dropped), or is appended. The archive is created when it does not exist.
  // Returns the number of entries written (1).
  // Throws: Sf6Error for an empty name part, the file system's failures, the
  // read failures of TZipReader for an existing archive that is damaged, and
  // Sf6Error when the result would exceed the limits of a ZIP file without
  // ZIP64 (4 GiB, 65534 entries).
  int zipFromBuffer(std::string_view name, std::string_view data);

  // One entry for zipFromBuffers: the name as zipFromBuffer takes it, the
  // bytes to store.
  struct Source {
    std::string_view name;
    std::string_view data;
  };
  // zipFromBuffer of every source in order, with one rewrite of the archive
  // instead of one per entry, and the entries compressed side by side on the
  // machine's cores. Of two sources with the same stored path the later one
  // is kept, at the place of the first. All or nothing: on failure the
  // archive is as it was. Returns the number of entries written.
  int zipFromBuffers(std::span<const Source> sources);

  // Rewrites the archive without every entry whose stored path equals name
  // apart from case (with wildcards: a pattern without "\" is matched
  // against the name part, one with "\" against the whole path). A name no
  // entry has rewrites the archive unchanged; an archive that does not exist
  // is created empty (22 bytes). Throws like zipFromBuffer.
  void deleteFromArchive(std::string_view name);

private:
  struct NewEntry;
  NewEntry newEntry(std::string_view name, std::string_view data) const;
  // Rewrites the archive with fresh placed (without fresh: without the
  // entries request names).
  void update(std::string_view request, std::span<NewEntry> fresh);

  int m_packLevel = 6;
};

} // namespace sf6
