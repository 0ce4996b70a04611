#include "zip/ZipReader.h"
#include "text/Collation.h"

#include "zip/Deflate.h"
#include "zip/ZipErrors.h"
#include "zip/ZipNames.h"

#include <algorithm>

namespace sf6 {

void TZipReader::ZipName(const std::filesystem::path &path) {
  if (path == m_zipName)
    return;
  m_zipName = path;
  dropDirectory();
}

void TZipReader::dropDirectory() {
  m_directory = TZipDirectory();
  m_endCentral = TEndCentral();
  m_archiveStamp.reset();
}

void TZipReader::adoptDirectory(TZipDirectory directory, TEndCentral endCentral, FileStamp stamp) {
  m_directory = std::move(directory);
  m_endCentral = std::move(endCentral);
  m_archiveStamp = stamp;
}

void TZipReader::refreshDirectory(const ReadOnlyFile &file) {
  if (m_archiveStamp && *m_archiveStamp == file.stamp())
    return;
  dropDirectory();
  ZipDirectoryImage image = ReadZipDirectory(file, m_progress);
  adoptDirectory(std::move(image.directory), std::move(image.endCentral), file.stamp());
}

const TZipDirectory &TZipReader::readDirectory() {
  const ReadOnlyFile file(m_zipName);
  refreshDirectory(file);
  return m_directory;
}

void TZipReader::showMessage(const std::string &caption, const std::string &text) const {
  if (m_messageSink)
    m_messageSink(caption, text);
}

uint64_t TZipReader::dataStartOf(const ReadOnlyFile &file, const TZipHeaderInfo &entry) {
  unsigned char local[kLocalHeaderSize];
  file.readAt(entry.relativeOffset, local, sizeof local);
  const LocalHeader header = LocalHeader::parse(local);
  return uint64_t{entry.relativeOffset} + kLocalHeaderSize + header.fileNameLength +
         header.extraFieldLength;
}

int TZipReader::extractToBuffer(std::string_view name, ByteBuffer &buffer) {
  m_filesList.assign(1, LowerCase1252(NormalizeRequestName(name)));
  const ReadOnlyFile file(m_zipName);
  refreshDirectory(file);
  int extracted = 0;
  for (auto &entry : m_directory.entries()) {
    entry.selected = false;
    if (entry.fileName.empty())
      continue;
    const std::string path = LowerCase1252(entry.storedPath());
    entry.selected = std::any_of(m_filesList.begin(), m_filesList.end(),
                                 [&](const std::string &p) { return WildcardMatch(p, path); });
    if (entry.selected && extractEntry(file, entry, buffer))
      ++extracted;
  }
  return extracted;
}

bool TZipReader::extractEntry(const ReadOnlyFile &file, const TZipHeaderInfo &entry,
                              ByteBuffer &buffer) {
  if (entry.isEncrypted()) {
    showMessage(kZipErrorCaption, kEncryptedEntryText);
    return false;
  }
  const bool stored = entry.compressionMethod == kMethodStored;
  if (!stored && entry.compressionMethod != kMethodDeflated) {
    showMessage(kZipErrorCaption, kUnknownMethodText);
    return false;
  }
  const uint64_t dataStart = dataStartOf(file, entry);
  if (dataStart > file.size() || entry.compressedSize > file.size() - dataStart)
    throw EFatalUnzipError();
  // What the data can decode to bounds the buffer, whatever size the
  // directory claims.
  const uint64_t capacity =
      std::min<uint64_t>(entry.uncompressedSize,
                         stored ? entry.compressedSize : MaxInflatedSize(entry.compressedSize));
  if (buffer.size() + capacity > kMaxExtractSize)
    throw Sf6Error("Entry too large to extract: " + entry.storedPath());

  const size_t start = buffer.size();
  if (stored) {
    // Stored data longer than the stated size would be cut short; such an
    // entry is not delivered.
    if (entry.compressedSize > entry.uncompressedSize)
      return false;
    file.appendAt(dataStart, entry.compressedSize, buffer);
  } else {
    ByteBuffer compressed;
    file.appendAt(dataStart, entry.compressedSize, compressed);
    if (RawInflate(AsView(compressed), static_cast<size_t>(capacity), buffer) != InflateResult::Ok)
      return false;
  }
  if (m_progress)
    m_progress(dataStart + entry.compressedSize, file.size());
  if (Crc32(AsView(buffer).substr(start)) == entry.crc32)
    return true;
  buffer.resize(start);
  return false;
}

} // namespace sf6
