#pragma once

// The entry directory of an archive and how it is read: the end record is
// found in the last 65528 bytes, then the central directory is read in file
// order. When the central directory is not where the end record says, or is
// cut short, the local headers are scanned from the start of the file
// instead, so that archives with a wrong central-directory offset still open.

#include "zip/ZipFormat.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sf6 {

class ReadOnlyFile;

// Called between blocks of long reads with the bytes done and the total, so
// that a window can stay responsive.
using ZipProgress = std::function<void(uint64_t done, uint64_t total)>;

// The entries of an archive in central-directory order (entry 0 is the first
// central header in the file).
class TZipDirectory {
public:
  int Count() const { return static_cast<int>(m_entries.size()); }
  // The name part of entry index; throws Sf6Error "Index <index> is out of
  // range" for an index outside 0..Count()-1.
  const std::string &FileName(int index) const;
  const TZipHeaderInfo &entry(int index) const { return m_entries.at(static_cast<size_t>(index)); }

  std::vector<TZipHeaderInfo> &entries() { return m_entries; }
  const std::vector<TZipHeaderInfo> &entries() const { return m_entries; }

private:
  std::vector<TZipHeaderInfo> m_entries;
};

// The archive's end record and entries as read from file.
struct ZipDirectoryImage {
  TEndCentral endCentral;
  TZipDirectory directory;
  // True when the entries came from the scan of local headers.
  bool recovered = false;
};

// Reads the directory of the archive open in file.
// Throws EIncompleteZip when there is no end record, EBadZipFile ("Not a
// valid zip file!") when neither central nor local headers are found, and
// EBadZipFile with its own text for ZIP64 archives and overlapping entries.
ZipDirectoryImage ReadZipDirectory(const ReadOnlyFile &file, const ZipProgress &progress);

} // namespace sf6
