#include "app/VersionInfo.h"

#include "Sf6Version.h"

#include <QCoreApplication>

#include <system_error>

namespace {

std::filesystem::path ownExecutable() {
  return std::filesystem::path(QCoreApplication::applicationFilePath().toStdString());
}

bool sameFile(const std::filesystem::path &a, const std::filesystem::path &b) {
  std::error_code error;
  const bool same = std::filesystem::equivalent(a, b, error);
  return !error && same;
}

} // namespace

TVersionInfo::TVersionInfo() { LoadFromFile({}); }

void TVersionInfo::LoadFromFile(const std::filesystem::path &fileName) {
  Release();
  const std::filesystem::path own = ownExecutable();
  m_fileName = fileName.empty() ? own : fileName;
  m_loaded = m_fileName == own || sameFile(m_fileName, own);
}

void TVersionInfo::Release() {
  m_loaded = false;
  m_fileName.clear();
}

bool TVersionInfo::GetEntry(int index, std::string &text) const {
  text.clear();
  if (!m_loaded || index < 1 || index > 8)
    return false;
  switch (index) {
  case 2: text = "Fileviewer f\xFCr SF6"; break;
  case 3: text = SF6_FILE_VERSION; break;
  case 4: text = "sf6viewer"; break;
  case 6: text = "sf6viewer"; break;
  case 7: text = "SF6 Fileviewer"; break;
  case 8: text = SF6_FILE_VERSION; break;
  default: return false;
  }
  return true;
}

std::string TVersionInfo::FileVersion() const {
  std::string text;
  GetEntry(3, text);
  return text;
}
