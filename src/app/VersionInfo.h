#pragma once

// TVersionInfo: the version entries of a program file. On this platform the
// only file with version information is the program itself, whose entries
// come from the build (SF6_FILE_VERSION); any other file has none.

#include <filesystem>
#include <string>

class TVersionInfo {
public:
  // Entry indexes 1..8.
  static constexpr const char *kEntryNames[8] = {
      "CompanyName",      "FileDescription", "FileVersion", "InternalName",
      "LegalCopyRight",   "OriginalFileName", "ProductName", "ProductVersion"};

  // Reads the program's own file, as setting the empty file name does.
  TVersionInfo();

  // Releases what is loaded and reads fileName ("" for the program's own
  // file). A file without version information leaves the size 0, no error.
  void LoadFromFile(const std::filesystem::path &fileName);
  void Release();

  const std::filesystem::path &FileName() const { return m_fileName; }
  // Whether version information is held (false for a file without any).
  bool Loaded() const { return m_loaded; }

  // The text of entry index (1..8); empty when nothing is loaded or the index
  // is outside 1..8. Returns whether the entry was present.
  bool GetEntry(int index, std::string &text) const;

  std::string FileVersion() const;

private:
  std::filesystem::path m_fileName;
  bool m_loaded = false;
};
