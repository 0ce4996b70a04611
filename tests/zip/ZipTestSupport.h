#pragma once

// Helpers of the zip tests: a scratch directory, file access, running
// external programs, and a builder that writes archives byte by byte so that
// damaged and foreign forms can be made on purpose.

#include "support/RunCommand.h"
#include "zip/Deflate.h"
#include "zip/ZipFormat.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <libdeflate.h>

// The tests describe entries with designated initializers; the members they
// leave out keep their defaults on purpose.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace sf6::test {

class ScratchDir {
public:
  ScratchDir() {
    std::random_device random;
    m_path = std::filesystem::temp_directory_path() /
             ("sf6-zip-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(m_path);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  ScratchDir(const ScratchDir &) = delete;
  ScratchDir &operator=(const ScratchDir &) = delete;
  std::filesystem::path operator/(const std::string &name) const { return m_path / name; }
  const std::filesystem::path &path() const { return m_path; }
  // Names of the files in the directory.
  std::vector<std::string> files() const {
    std::vector<std::string> names;
    for (const auto &e : std::filesystem::directory_iterator(m_path))
      names.push_back(e.path().filename().string());
    return names;
  }

private:
  std::filesystem::path m_path;
};

inline std::string ReadFileBytes(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline void WriteFileBytes(const std::filesystem::path &path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

using ToolResult = test::CommandResult;

// Runs a shell command, capturing its output and errors.
inline ToolResult RunTool(const std::string &command) { return test::RunCommand(command + " 2>&1"); }

inline bool HaveTool(const std::string &name) {
  return RunTool("command -v " + name + " >/dev/null").exitCode == 0;
}

inline std::string Quote(const std::filesystem::path &path) { return "'" + path.string() + "'"; }

inline std::string RawDeflateAlways(std::string_view data) {
  libdeflate_compressor *c = libdeflate_alloc_compressor(6);
  std::string out(libdeflate_deflate_compress_bound(c, data.size()), '\0');
  out.resize(libdeflate_deflate_compress(c, data.data(), data.size(), out.data(), out.size()));
  libdeflate_free_compressor(c);
  return out;
}

// One entry for ArchiveBuilder. Unset overrides take the true values.
struct RawEntry {
  std::string name; // stored bytes, "/" separators
  std::string data; // uncompressed
  uint16_t method = kMethodDeflated;
  uint16_t flags = 0;
  bool dataDescriptor = false; // flag bit 3, sizes after the data
  std::string localExtra;
  std::string centralExtra;
  std::optional<std::string> compressed; // raw bytes written as the data
  std::optional<uint32_t> crc;
  std::optional<uint32_t> uncompressedSize;
  std::optional<uint32_t> compressedSize;
};

struct BuiltArchive {
  std::string bytes;
  std::vector<uint32_t> localOffsets;
  std::vector<std::string> compressedData;
  uint32_t centralOffset = 0;
};

inline BuiltArchive BuildArchive(const std::vector<RawEntry> &entries,
                                 const std::string &comment = {},
                                 std::optional<uint32_t> centralOffsetOverride = {},
                                 std::optional<uint16_t> countOverride = {}) {
  BuiltArchive archive;
  std::string central;
  for (const auto &e : entries) {
    TZipHeaderInfo h;
    h.versionMadeBy = 20;
    h.versionNeeded = 20;
    h.flags = static_cast<uint16_t>(e.flags | (e.dataDescriptor ? kFlagDataDescriptor : 0));
    h.compressionMethod = e.method;
    h.modifiedDateTime = DosDateTime(2024, 5, 6, 7, 8, 10);
    h.crc32 = e.crc.value_or(Crc32(e.data));
    std::string packed = e.compressed ? *e.compressed
                         : e.method == kMethodDeflated ? RawDeflateAlways(e.data)
                                                       : e.data;
    h.compressedSize = e.compressedSize.value_or(static_cast<uint32_t>(packed.size()));
    h.uncompressedSize = e.uncompressedSize.value_or(static_cast<uint32_t>(e.data.size()));
    h.externalAttributes = 0x20;
    h.relativeOffset = static_cast<uint32_t>(archive.bytes.size());
    h.rawName = e.name;
    h.centralExtra = e.centralExtra;
    archive.localOffsets.push_back(h.relativeOffset);
    h.appendLocalHeader(archive.bytes, e.localExtra);
    archive.bytes += packed;
    if (e.dataDescriptor) {
      appendU32(archive.bytes, kDataDescriptorSignature);
      appendU32(archive.bytes, h.crc32);
      appendU32(archive.bytes, h.compressedSize);
      appendU32(archive.bytes, h.uncompressedSize);
    }
    archive.compressedData.push_back(packed);
    h.appendCentralHeader(central);
  }
  archive.centralOffset = static_cast<uint32_t>(archive.bytes.size());
  TEndCentral end;
  end.totalEntries = countOverride.value_or(static_cast<uint16_t>(entries.size()));
  end.entriesOnThisDisk = end.totalEntries;
  end.centralDirectorySize = static_cast<uint32_t>(central.size());
  end.centralDirectoryOffset = centralOffsetOverride.value_or(archive.centralOffset);
  end.comment = comment;
  archive.bytes += central;
  end.appendTo(archive.bytes);
  return archive;
}

} // namespace sf6::test
