#include "zip/ZipFormat.h"

#include "text/CodePage.h"

#include <algorithm>

namespace sf6 {

TEndCentral TEndCentral::parse(const unsigned char *p) {
  TEndCentral end;
  end.thisDisk = readU16(p + 4);
  end.centralDirectoryDisk = readU16(p + 6);
  end.entriesOnThisDisk = readU16(p + 8);
  end.totalEntries = readU16(p + 10);
  end.centralDirectorySize = readU32(p + 12);
  end.centralDirectoryOffset = readU32(p + 16);
  return end;
}

void TEndCentral::appendTo(std::string &out) const {
  appendU32(out, kEndCentralSignature);
  appendU16(out, thisDisk);
  appendU16(out, centralDirectoryDisk);
  appendU16(out, entriesOnThisDisk);
  appendU16(out, totalEntries);
  appendU32(out, centralDirectorySize);
  appendU32(out, centralDirectoryOffset);
  appendU16(out, static_cast<uint16_t>(comment.size()));
  out += comment;
}

void TZipHeaderInfo::setRawName(std::string_view raw) {
  rawName.assign(raw);
  std::string name(raw);
  std::replace(name.begin(), name.end(), '/', '\\');
  name = (flags & kFlagUtf8Name) ? Utf8ToCp1252(name) : OemToAnsi(name);
  const size_t slash = name.rfind('\\');
  if (slash == std::string::npos) {
    directory.clear();
    fileName = std::move(name);
    return;
  }
  directory = name.substr(0, slash + 1);
  fileName = name.substr(slash + 1);
}

void TZipHeaderInfo::appendCentralHeader(std::string &out) const {
  appendU32(out, kCentralHeaderSignature);
  appendU16(out, versionMadeBy);
  appendU16(out, versionNeeded);
  appendU16(out, flags);
  appendU16(out, compressionMethod);
  appendU32(out, modifiedDateTime);
  appendU32(out, crc32);
  appendU32(out, compressedSize);
  appendU32(out, uncompressedSize);
  appendU16(out, static_cast<uint16_t>(rawName.size()));
  appendU16(out, static_cast<uint16_t>(centralExtra.size()));
  appendU16(out, static_cast<uint16_t>(fileComment.size()));
  appendU16(out, diskNumberStart);
  appendU16(out, internalAttributes);
  appendU32(out, externalAttributes);
  appendU32(out, relativeOffset);
  out += rawName;
  out += centralExtra;
  out += fileComment;
}

void TZipHeaderInfo::appendLocalHeader(std::string &out, std::string_view localExtra) const {
  appendU32(out, kLocalHeaderSignature);
  appendU16(out, versionNeeded);
  appendU16(out, flags);
  appendU16(out, compressionMethod);
  appendU32(out, modifiedDateTime);
  // With a data descriptor the CRC and sizes follow the data instead.
  const bool described = (flags & kFlagDataDescriptor) != 0;
  appendU32(out, described ? 0 : crc32);
  appendU32(out, described ? 0 : compressedSize);
  appendU32(out, described ? 0 : uncompressedSize);
  appendU16(out, static_cast<uint16_t>(rawName.size()));
  appendU16(out, static_cast<uint16_t>(localExtra.size()));
  out += rawName;
  out += localExtra;
}

LocalHeader LocalHeader::parse(const unsigned char *p) {
  LocalHeader local;
  local.versionNeeded = readU16(p + 4);
  local.flags = readU16(p + 6);
  local.compressionMethod = readU16(p + 8);
  local.modifiedDateTime = readU32(p + 10);
  local.crc32 = readU32(p + 14);
  local.compressedSize = readU32(p + 18);
  local.uncompressedSize = readU32(p + 22);
  local.fileNameLength = readU16(p + 26);
  local.extraFieldLength = readU16(p + 28);
  return local;
}

uint32_t DosDateTime(int year, int month, int day, int hour, int minute, int second) {
  // DOS dates start in 1980; earlier clocks are written as 1 January 1980.
  if (year < 1980)
    return (1u << 5 | 1u) << 16;
  const uint32_t date =
      static_cast<uint32_t>((std::min(year, 2107) - 1980) << 9 | month << 5 | day);
  const uint32_t time = static_cast<uint32_t>(hour << 11 | minute << 5 | second / 2);
  return date << 16 | time;
}

} // namespace sf6
