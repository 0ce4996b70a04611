// Fuzzes the zip reader on arbitrary archive bytes, then rewrites the archive
// and checks that every entry reads back exactly as before: the copy of
// foreign entries must never change what they hold.

#include "text/Errors.h"
#include "zip/VXZip.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>

namespace {

struct Extracted {
  int count = 0;
  sf6::ByteBuffer bytes;
};

// A directory of this process, removed when the fuzzer exits.
struct ScratchDirectory {
  std::filesystem::path dir;
  ScratchDirectory() {
    // Every run rewrites (and syncs) the archive: memory-backed /dev/shm
    // keeps that from dominating the run time.
    std::error_code ec;
    const auto base = std::filesystem::is_directory("/dev/shm", ec)
                          ? std::filesystem::path("/dev/shm")
                          : std::filesystem::temp_directory_path();
    dir = base / ("sf6-fuzz-zip-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
  }
  ~ScratchDirectory() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

std::filesystem::path ScratchArchive() {
  static const ScratchDirectory scratch;
  return scratch.dir / "in.zip";
}

// Extracts up to 16 distinct stored paths; an entry that fails hard is left out.
std::map<std::string, Extracted> ExtractAll(sf6::TVXZip &zip) {
  std::map<std::string, Extracted> result;
  const sf6::TZipDirectory directory = zip.readDirectory();
  for (const auto &entry : directory.entries()) {
    if (result.size() >= 16)
      break;
    const std::string path = entry.storedPath();
    if (entry.fileName.empty() || result.count(path))
      continue;
    try {
      Extracted e;
      e.count = zip.extractToBuffer(path, e.bytes);
      result[path] = std::move(e);
    } catch (const sf6::Sf6Error &) {
    }
  }
  return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const auto path = ScratchArchive();
  {
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
      return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  sf6::TVXZip zip;
  zip.ZipName(path);
  std::map<std::string, Extracted> before;
  try {
    before = ExtractAll(zip);
    sf6::LineList lines;
    zip.ExtractTextfileToStrings("Head.dat", lines);
    zip.DeletefileFromZip("\x01 no such entry");
  } catch (const sf6::Sf6Error &) {
    return 0;
  }
  sf6::TVXZip again;
  again.ZipName(path);
  for (const auto &[name, old] : before) {
    Extracted now;
    now.count = again.extractToBuffer(name, now.bytes);
    if (now.count != old.count || now.bytes != old.bytes) {
      std::fprintf(stderr, "entry %s reads differently after the rewrite\n", name.c_str());
      std::abort();
    }
  }
  return 0;
}
