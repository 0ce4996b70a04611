#pragma once

// Helpers of the export tests: a scratch directory and the entries of a
// written archive read back through the zip reader.

#include "export/Sf6Export.h"
#include "text/LineList.h"
#include "zip/VXZip.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace sf6::test {

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class ExportTempDir {
public:
  ExportTempDir() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    do {
      m_path = base / ("sf6export-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(m_path));
  }
  ~ExportTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  ExportTempDir(const ExportTempDir &) = delete;
  ExportTempDir &operator=(const ExportTempDir &) = delete;

  const std::filesystem::path &path() const { return m_path; }

  void write(const std::filesystem::path &name, std::string_view bytes) const {
    std::ofstream out(m_path / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  // The names of everything in the directory, sorted.
  std::vector<std::string> names() const {
    std::vector<std::string> result;
    for (const auto &entry : std::filesystem::directory_iterator(m_path))
      result.push_back(entry.path().filename().string());
    std::sort(result.begin(), result.end());
    return result;
  }

private:
  std::filesystem::path m_path;
};

// The thirteen export entries of the archive, read with the viewer's reader;
// an entry the archive lacks reads as the single line "<missing>".
inline Sf6ExportLines readExportEntries(const std::filesystem::path &archive) {
  TVXZip zip;
  zip.ZipName(archive);
  Sf6ExportLines lines;
  for (std::size_t i = 0; i < kSf6ExportEntryCount; ++i) {
    lines[i] = {"<missing>"};
    zip.ExtractTextfileToStrings(kSf6ExportEntryNames[i], lines[i]);
  }
  return lines;
}

// The stored entry names of the archive in directory order.
inline std::vector<std::string> storedEntryNames(const std::filesystem::path &archive) {
  TVXZip zip;
  zip.ZipName(archive);
  std::vector<std::string> names;
  for (const auto &entry : zip.readDirectory().entries())
    names.push_back(entry.storedPath());
  return names;
}

inline const LineList &entry(const Sf6ExportLines &lines, Sf6ExportEntry which) {
  return lines[static_cast<std::size_t>(which)];
}

} // namespace sf6::test
