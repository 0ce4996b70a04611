#pragma once

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace sf6::test {

class TempDir {
public:
  TempDir() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    do {
      m_path = base / ("sf4test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(m_path));
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;

  const std::filesystem::path &path() const { return m_path; }

  void write(std::string_view name, std::string_view bytes) const {
    std::ofstream out(m_path / std::string(name), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

private:
  std::filesystem::path m_path;
};

} // namespace sf6::test
