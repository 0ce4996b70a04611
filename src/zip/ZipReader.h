#pragma once

// TZipReader: opens a ZIP archive, reads its entry directory and extracts
// the entries a name selects into memory. The base of TZipWriter and TVXZip.
//
// Usage: set ZipName, then call the operations any number of times. The
// archive file is open only during an operation. The directory, once read,
// is kept until ZipName changes or the file's modification time or size
// changes, and is then read again.
//
// Hard failures are exceptions (Sf6Error and the classes of ZipErrors.h)
// carrying the text shown to the user; the instance stays usable after one.
// Entries that cannot be decoded are not failures: they are not counted, and
// an unknown compression method or an encrypted entry is also reported
// through the message sink (caption "Zip Error").

#include "text/ByteBuffer.h"
#include "zip/ZipDirectory.h"
#include "zip/ZipPlatform.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sf6 {

// The largest entry (uncompressed bytes) extracted into memory; a larger one
// is refused with an Sf6Error rather than exhausting memory.
inline constexpr uint64_t kMaxExtractSize = uint64_t{1} << 30;

class TZipReader {
public:
  // Receives messages meant for a message box with an OK button: caption and
  // text in Windows-1252. The viewer shows a box, sf6tool prints to stderr.
  using MessageSink = std::function<void(const std::string &caption, const std::string &text)>;

  TZipReader() = default;
  virtual ~TZipReader() = default;
  TZipReader(const TZipReader &) = delete;
  TZipReader &operator=(const TZipReader &) = delete;

  // The archive path. Setting a different path drops the entry directory;
  // nothing is opened yet. Paths are compared exactly: on a case-sensitive
  // file system two names that differ in case are two archives.
  const std::filesystem::path &ZipName() const { return m_zipName; }
  void ZipName(const std::filesystem::path &path);

  void setMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }
  void setProgress(ZipProgress progress) { m_progress = std::move(progress); }

  // Extracts every entry whose stored path matches name (no case; wildcards
  // "*", "?", "<set>"; "/" in name counts as "\") and appends the decoded
  // bytes of each to buffer. Directory entries are never selected. Returns
  // the number of entries extracted: an entry whose data is corrupt, decodes
  // to more than its stated size, fails its CRC-32 or uses an unknown method
  // does not count and adds nothing to buffer.
  // Throws: the open failure of the archive, EIncompleteZip, EBadZipFile,
  // EFatalUnzipError when the data runs past the end of the file, Sf6Error
  // when the entries would exceed kMaxExtractSize.
  int extractToBuffer(std::string_view name, ByteBuffer &buffer);

  // Reads the entry directory if it is not held or the archive changed, and
  // returns it. Throws like extractToBuffer.
  const TZipDirectory &readDirectory();

  // The directory held by the instance, without reading: Count() is 0 while
  // none has been read.
  const TZipDirectory &directory() const { return m_directory; }
  const TEndCentral &endCentral() const { return m_endCentral; }

protected:
  // Makes sure the held directory is that of the archive open in file.
  void refreshDirectory(const ReadOnlyFile &file);
  // Replaces the held directory after the archive was rewritten.
  void adoptDirectory(TZipDirectory directory, TEndCentral endCentral, FileStamp stamp);
  void dropDirectory();
  void showMessage(const std::string &caption, const std::string &text) const;
  const ZipProgress &progress() const { return m_progress; }

  // The position of an entry's data: after its local header, name and extra field.
  static uint64_t dataStartOf(const ReadOnlyFile &file, const TZipHeaderInfo &entry);

private:
  bool extractEntry(const ReadOnlyFile &file, const TZipHeaderInfo &entry, ByteBuffer &buffer);

  std::filesystem::path m_zipName;
  std::vector<std::string> m_filesList;
  TZipDirectory m_directory;
  TEndCentral m_endCentral;
  std::optional<FileStamp> m_archiveStamp; // set while a directory is held
  MessageSink m_messageSink;
  ZipProgress m_progress;
};

} // namespace sf6
