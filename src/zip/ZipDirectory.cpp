#include "zip/ZipDirectory.h"

#include "zip/ZipErrors.h"
#include "zip/ZipPlatform.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace sf6 {
namespace {

constexpr uint64_t kNotFound = UINT64_MAX;
constexpr size_t kScanBlockSize = 1 << 20;
// The most entries the end record can count; the scan stops there too.
constexpr size_t kMaxEntries = 0xFFFF;

struct FoundEnd {
  uint64_t position = 0;
  TEndCentral record;
};

std::optional<FoundEnd> findEndCentral(const ReadOnlyFile &file) {
  const uint64_t size = file.size();
  if (size < kEndCentralSize)
    return std::nullopt;
  const size_t tailSize = static_cast<size_t>(std::min<uint64_t>(size, kEndCentralSearchSize));
  const uint64_t tailStart = size - tailSize;
  std::string tail;
  file.appendAt(tailStart, tailSize, tail);
  const auto *bytes = reinterpret_cast<const unsigned char *>(tail.data());
  for (size_t i = tailSize - kEndCentralSize + 1; i-- > 0;) {
    if (bytes[i] != 'P' || readU32(bytes + i) != kEndCentralSignature)
      continue;
    FoundEnd found{tailStart + i, TEndCentral::parse(bytes + i)};
    const size_t commentStart = i + kEndCentralSize;
    const size_t commentLength = std::min<size_t>(readU16(bytes + i + 20), tailSize - commentStart);
    found.record.comment.assign(tail, commentStart, commentLength);
    // A ZIP64 archive keeps its real offsets in records we do not read.
    const bool hasLocator =
        i >= kZip64LocatorSize && readU32(bytes + i - kZip64LocatorSize) == kZip64LocatorSignature;
    if (found.record.centralDirectoryOffset == kZip64Marker32 ||
        found.record.centralDirectorySize == kZip64Marker32 ||
        (hasLocator && found.record.totalEntries == kZip64Marker16))
      throw EBadZipFile(kZip64Text);
    return found;
  }
  return std::nullopt;
}

void checkNotZip64(const TZipHeaderInfo &entry) {
  if (entry.usesZip64())
    throw EBadZipFile(kZip64Text);
}

// Reads count central headers from the bytes between the recorded offset and
// the end record. Empty when they are not all there.
std::optional<TZipDirectory> readCentralHeaders(const ReadOnlyFile &file, const FoundEnd &end) {
  const uint64_t offset = end.record.centralDirectoryOffset;
  if (offset + 4 > end.position)
    return std::nullopt;
  std::string block;
  file.appendAt(offset, static_cast<size_t>(end.position - offset), block);
  const auto *bytes = reinterpret_cast<const unsigned char *>(block.data());
  if (readU32(bytes) != kCentralHeaderSignature)
    return std::nullopt;

  TZipDirectory directory;
  auto &entries = directory.entries();
  entries.reserve(end.record.totalEntries);
  size_t pos = 0;
  for (int i = 0; i < end.record.totalEntries; ++i) {
    if (block.size() - pos < kCentralHeaderSize)
      return std::nullopt;
    const unsigned char *h = bytes + pos;
    if (readU32(h) != kCentralHeaderSignature)
      return std::nullopt;
    const size_t nameLength = readU16(h + 28);
    const size_t extraLength = readU16(h + 30);
    const size_t commentLength = readU16(h + 32);
    if (block.size() - pos - kCentralHeaderSize < nameLength + extraLength + commentLength)
      return std::nullopt;
    TZipHeaderInfo entry;
    entry.versionMadeBy = readU16(h + 4);
    entry.versionNeeded = readU16(h + 6);
    entry.flags = readU16(h + 8);
    entry.compressionMethod = readU16(h + 10);
    entry.modifiedDateTime = readU32(h + 12);
    entry.crc32 = readU32(h + 16);
    entry.compressedSize = readU32(h + 20);
    entry.uncompressedSize = readU32(h + 24);
    entry.diskNumberStart = readU16(h + 34);
    entry.internalAttributes = readU16(h + 36);
    entry.externalAttributes = readU32(h + 38);
    entry.relativeOffset = readU32(h + 42);
    checkNotZip64(entry);
    size_t field = pos + kCentralHeaderSize;
    entry.setRawName(std::string_view(block).substr(field, nameLength));
    field += nameLength;
    entry.centralExtra.assign(block, field, extraLength);
    field += extraLength;
    entry.fileComment.assign(block, field, commentLength);
    pos = field + commentLength;
    entries.push_back(std::move(entry));
  }
  return directory;
}

// The position of the next 4-byte signature in [from, limit), or kNotFound.
uint64_t findSignature(const ReadOnlyFile &file, uint64_t from, uint64_t limit, uint32_t signature,
                       const ZipProgress &progress) {
  unsigned char pattern[4];
  for (int i = 0; i < 4; ++i)
    pattern[i] = static_cast<unsigned char>(signature >> (8 * i));
  std::string block;
  while (from + 4 <= limit) {
    const size_t length = static_cast<size_t>(std::min<uint64_t>(kScanBlockSize, limit - from));
    block.clear();
    file.appendAt(from, length, block);
    const auto *begin = reinterpret_cast<const unsigned char *>(block.data());
    const auto *end = begin + block.size();
    const auto *hit = std::search(begin, end, pattern, pattern + 4);
    if (hit != end)
      return from + static_cast<uint64_t>(hit - begin);
    if (length < 4 || from + length >= limit)
      return kNotFound;
    from += length - 3; // a signature may straddle two blocks
    if (progress)
      progress(from, file.size());
  }
  return kNotFound;
}

// For an entry whose sizes follow its data: finds the data descriptor between
// dataStart and limit whose compressed size fits the distance from dataStart.
bool readDataDescriptor(const ReadOnlyFile &file, uint64_t dataStart, uint64_t limit,
                        TZipHeaderInfo &entry, uint64_t &next, const ZipProgress &progress) {
  for (uint64_t from = dataStart;;) {
    const uint64_t hit = findSignature(file, from, limit, kDataDescriptorSignature, progress);
    if (hit == kNotFound || hit + 16 > file.size())
      return false;
    unsigned char d[16];
    file.readAt(hit, d, sizeof d);
    if (readU32(d + 8) == hit - dataStart) {
      entry.crc32 = readU32(d + 4);
      entry.compressedSize = readU32(d + 8);
      entry.uncompressedSize = readU32(d + 12);
      next = hit + 16;
      return true;
    }
    from = hit + 1;
  }
}

// The damaged-archive path: every local header from the start of the file
// becomes an entry, its data skipped by the compressed size it states.
TZipDirectory scanLocalHeaders(const ReadOnlyFile &file, const ZipProgress &progress) {
  TZipDirectory directory;
  auto &entries = directory.entries();
  const uint64_t size = file.size();
  uint64_t pos = 0;
  while (entries.size() < kMaxEntries) {
    const uint64_t hit = findSignature(file, pos, size, kLocalHeaderSignature, progress);
    if (hit == kNotFound || size - hit < kLocalHeaderSize || hit >= kZip64Marker32)
      break;
    unsigned char h[kLocalHeaderSize];
    file.readAt(hit, h, sizeof h);
    const LocalHeader local = LocalHeader::parse(h);
    const uint64_t nameStart = hit + kLocalHeaderSize;
    if (size - nameStart < uint64_t{local.fileNameLength} + local.extraFieldLength)
      break;
    TZipHeaderInfo entry;
    entry.versionMadeBy = local.versionNeeded;
    entry.versionNeeded = local.versionNeeded;
    entry.flags = local.flags;
    entry.compressionMethod = local.compressionMethod;
    entry.modifiedDateTime = local.modifiedDateTime;
    entry.crc32 = local.crc32;
    entry.compressedSize = local.compressedSize;
    entry.uncompressedSize = local.uncompressedSize;
    entry.relativeOffset = static_cast<uint32_t>(hit);
    std::string name;
    file.appendAt(nameStart, local.fileNameLength, name);
    entry.setRawName(name);

    const uint64_t dataStart = nameStart + local.fileNameLength + local.extraFieldLength;
    uint64_t next = dataStart + entry.compressedSize;
    if ((local.flags & kFlagDataDescriptor) && entry.compressedSize == 0) {
      const uint64_t nextHeader =
          findSignature(file, dataStart, size, kLocalHeaderSignature, progress);
      const uint64_t limit = nextHeader == kNotFound ? size : nextHeader;
      if (!readDataDescriptor(file, dataStart, limit, entry, next, progress))
        next = dataStart;
    }
    checkNotZip64(entry);
    entries.push_back(std::move(entry));
    pos = std::max(next, hit + 4);
  }
  return directory;
}

// Entries whose data ranges overlap are how decompression bombs multiply a
// small file; refuse them (as well as two entries at one offset).
void checkNoOverlap(const TZipDirectory &directory) {
  std::vector<std::pair<uint64_t, uint64_t>> ranges;
  ranges.reserve(directory.entries().size());
  for (const auto &entry : directory.entries())
    ranges.emplace_back(entry.relativeOffset,
                        uint64_t{entry.relativeOffset} + kLocalHeaderSize + entry.compressedSize);
  std::sort(ranges.begin(), ranges.end());
  for (size_t i = 1; i < ranges.size(); ++i)
    if (ranges[i].first < ranges[i - 1].second)
      throw EBadZipFile(kOverlappingEntriesText);
}

} // namespace

const std::string &TZipDirectory::FileName(int index) const {
  if (index < 0 || index >= Count())
    throw Sf6Error("Index " + std::to_string(index) + " is out of range");
  return m_entries[static_cast<size_t>(index)].fileName;
}

ZipDirectoryImage ReadZipDirectory(const ReadOnlyFile &file, const ZipProgress &progress) {
  const std::optional<FoundEnd> end = findEndCentral(file);
  if (!end)
    throw EIncompleteZip();
  ZipDirectoryImage image;
  image.endCentral = end->record;
  if (end->record.totalEntries == 0)
    return image;
  if (auto central = readCentralHeaders(file, *end)) {
    image.directory = std::move(*central);
  } else {
    image.directory = scanLocalHeaders(file, progress);
    image.recovered = true;
    if (image.directory.Count() == 0)
      throw EBadZipFile();
  }
  checkNoOverlap(image.directory);
  return image;
}

} // namespace sf6
