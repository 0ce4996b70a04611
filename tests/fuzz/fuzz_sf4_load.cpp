// Fuzzed bytes as an SF4 directory: the input is cut at every "\n~~\n" into
// up to twelve pieces, written as the twelve SF4 files (in load order) of a
// temporary directory, which is then loaded into a fresh catalog. A load may
// fail only with Sf6Error (no header line); anything else is a finding.

#include "model/Root.h"
#include "sf4/Sf4Files.h"
#include "sf4/Sf4Object.h"
#include "text/Errors.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;

// One directory per process, removed when the fuzzer exits.
struct WorkDirectory {
  fs::path path = fs::temp_directory_path() / ("fuzz_sf4_load-" + std::to_string(getpid()));
  WorkDirectory() { fs::create_directories(path); }
  ~WorkDirectory() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

const fs::path &workDirectory() {
  static const WorkDirectory dir;
  return dir.path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  constexpr std::string_view kSeparator = "\n~~\n";
  const std::string_view input(reinterpret_cast<const char *>(data), size);
  const fs::path &dir = workDirectory();

  std::size_t start = 0;
  for (std::size_t i = 0; i < sf6::kSf4FileCount; ++i) {
    const fs::path path = dir / std::string(sf6::kSf4FileNames[i]);
    if (start > input.size()) {
      std::error_code ec;
      fs::remove(path, ec); // missing files are part of the input space
      continue;
    }
    std::size_t end = input.find(kSeparator, start);
    if (end == std::string_view::npos)
      end = input.size();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(input.data() + start, static_cast<std::streamsize>(end - start));
    start = end + kSeparator.size();
  }

  sf6::Tlup6Dataobject root;
  sf6::TSf4Object sf4(root);
  try {
    sf4.LoadFromDirectory(dir.string());
  } catch (const sf6::Sf6Error &) {
  }
  return 0;
}
