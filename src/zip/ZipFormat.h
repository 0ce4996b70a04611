#pragma once

// The records of a ZIP archive as this program reads and writes them: the
// end-of-central-directory record, central directory headers and local file
// headers. All integers are little-endian; every field is read and written
// by name through readU16/readU32, never by casting bytes to a struct.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace sf6 {

inline constexpr uint32_t kLocalHeaderSignature = 0x04034B50;    // "PK" 3 4
inline constexpr uint32_t kCentralHeaderSignature = 0x02014B50;  // "PK" 1 2
inline constexpr uint32_t kEndCentralSignature = 0x06054B50;     // "PK" 5 6
inline constexpr uint32_t kDataDescriptorSignature = 0x08074B50; // "PK" 7 8
inline constexpr uint32_t kZip64LocatorSignature = 0x07064B50;   // "PK" 6 7

inline constexpr size_t kLocalHeaderSize = 30;
inline constexpr size_t kCentralHeaderSize = 46;
inline constexpr size_t kEndCentralSize = 22;
inline constexpr size_t kZip64LocatorSize = 20;
// The end record is searched in this many bytes at the end of the file, which
// leaves room for an archive comment of up to 65506 bytes.
inline constexpr size_t kEndCentralSearchSize = 65528;

inline constexpr uint16_t kFlagEncrypted = 0x0001;
inline constexpr uint16_t kFlagDataDescriptor = 0x0008;
inline constexpr uint16_t kFlagUtf8Name = 0x0800;

inline constexpr uint16_t kMethodStored = 0;
inline constexpr uint16_t kMethodDeflated = 8;

// A 16- or 32-bit field holding this value announces a ZIP64 extension.
inline constexpr uint32_t kZip64Marker32 = 0xFFFFFFFF;
inline constexpr uint16_t kZip64Marker16 = 0xFFFF;

inline uint16_t readU16(const unsigned char *p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t readU32(const unsigned char *p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void appendU16(std::string &out, uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}
inline void appendU32(std::string &out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// The end-of-central-directory record (22 bytes plus the archive comment).
struct TEndCentral {
  uint16_t thisDisk = 0;
  uint16_t centralDirectoryDisk = 0;
  uint16_t entriesOnThisDisk = 0;
  uint16_t totalEntries = 0;
  uint32_t centralDirectorySize = 0;
  uint32_t centralDirectoryOffset = 0;
  // The comment bytes that actually follow the record (the length field is
  // not trusted beyond the end of the file).
  std::string comment;

  // Reads the 22 fixed bytes at p (the signature is not checked here).
  static TEndCentral parse(const unsigned char *p);
  // Appends the record with its comment; the comment length is the comment's size.
  void appendTo(std::string &out) const;
};

// One entry of the archive as its central directory header describes it.
struct TZipHeaderInfo {
  uint16_t versionMadeBy = 0;
  uint16_t versionNeeded = 0;
  uint16_t flags = 0;
  uint16_t compressionMethod = 0;
  uint32_t modifiedDateTime = 0; // DOS time in the low word, DOS date in the high word
  uint32_t crc32 = 0;
  uint32_t compressedSize = 0;
  uint32_t uncompressedSize = 0;
  uint16_t diskNumberStart = 0;
  uint16_t internalAttributes = 0;
  uint32_t externalAttributes = 0;
  uint32_t relativeOffset = 0; // of the local header

  // The stored name in Windows-1252 with "\" separators, cut into its path
  // part (ending in "\" when not empty) and its name part.
  std::string directory;
  std::string fileName;
  bool selected = false;

  // The bytes as stored, carried over unchanged when the entry is copied into
  // a rewritten archive.
  std::string rawName;
  std::string centralExtra;
  std::string fileComment;

  std::string storedPath() const { return directory + fileName; }
  bool isEncrypted() const { return (flags & kFlagEncrypted) != 0; }
  bool usesZip64() const {
    return compressedSize == kZip64Marker32 || uncompressedSize == kZip64Marker32 ||
           relativeOffset == kZip64Marker32;
  }

  // Sets rawName and derives directory and fileName from it: "/" becomes "\",
  // the name is converted from the OEM code page to ANSI (from UTF-8 when
  // flag bit 11 says the name is UTF-8).
  void setRawName(std::string_view raw);

  // Appends the central directory header for this entry (name, central extra
  // field and comment included).
  void appendCentralHeader(std::string &out) const;
  // Appends a local header from these fields with the given extra field.
  void appendLocalHeader(std::string &out, std::string_view localExtra) const;
};

// The fields of a local header that locate and, for the damaged-archive scan,
// describe an entry.
struct LocalHeader {
  uint16_t versionNeeded = 0;
  uint16_t flags = 0;
  uint16_t compressionMethod = 0;
  uint32_t modifiedDateTime = 0;
  uint32_t crc32 = 0;
  uint32_t compressedSize = 0;
  uint32_t uncompressedSize = 0;
  uint16_t fileNameLength = 0;
  uint16_t extraFieldLength = 0;

  // Reads the 30 fixed bytes at p (the signature is not checked here).
  static LocalHeader parse(const unsigned char *p);
};

// DOS date and time (2-second resolution) as stored in the headers.
uint32_t DosDateTime(int year, int month, int day, int hour, int minute, int second);

} // namespace sf6
