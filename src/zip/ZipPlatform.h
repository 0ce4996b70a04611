#pragma once

// The file system calls of the zip access that standard C++ does not offer:
// positioned reads, a stamp that tells whether the archive changed, the local
// clock as a DOS date, and replacing a file atomically. One implementation
// per platform (ZipPlatformPosix.cpp).

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "text/LargePages.h"

namespace sf6 {

// What identifies one version of a file's contents for re-reading: its
// modification time (nanoseconds) and its size.
struct FileStamp {
  int64_t modified = 0;
  uint64_t size = 0;
  bool operator==(const FileStamp &) const = default;
};

// An archive opened for reading; closed when the object goes.
class ReadOnlyFile {
public:
  // Throws Sf6Error "Cannot open file "<path>". <reason>" when the file
  // cannot be opened for reading.
  explicit ReadOnlyFile(const std::filesystem::path &path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile &) = delete;
  ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;

  uint64_t size() const { return m_stamp.size; }
  const FileStamp &stamp() const { return m_stamp; }
  // Reads exactly count bytes at offset into dest; throws EFatalUnzipError
  // ("Premature end of file reached") when the file ends before.
  void readAt(uint64_t offset, void *dest, size_t count) const;
  // Appends count bytes at offset to out, a std::string or a ByteBuffer
  // (same failure as readAt; out is left as it was).
  template <class Bytes> void appendAt(uint64_t offset, size_t count, Bytes &out) const {
    checkRange(offset, count);
    const size_t start = out.size();
    out.reserve(start + count);
    AdviseLargeBuffer(out.data() + start, count);
    out.resize(start + count);
    try {
      readAt(offset, out.data() + start, count);
    } catch (...) {
      out.resize(start);
      throw;
    }
  }

private:
  // Throws EFatalUnzipError when count bytes at offset run past the end.
  void checkRange(uint64_t offset, size_t count) const;

  std::filesystem::path m_path;
  int m_fd = -1;
  FileStamp m_stamp;
};

// The stamp of the file at path, or a zero stamp when it does not exist.
FileStamp StampOfFile(const std::filesystem::path &path);

// The local time now as DOS time (low word) and date (high word).
uint32_t CurrentDosDateTime();

// A new version of a file, written to a temporary file in the same directory
// and moved over the target by commit(). Until commit() succeeds the target
// is untouched; an object destroyed without commit() removes its temporary
// file. The new file takes over the target's permission bits when the target
// exists (new files get the usual default permissions). When target is a
// symbolic link, the file it points to is replaced.
class ReplacementFile {
public:
  // Throws Sf6Error naming the directory when no temporary file can be created.
  explicit ReplacementFile(const std::filesystem::path &target);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile &) = delete;
  ReplacementFile &operator=(const ReplacementFile &) = delete;

  // Appends bytes (buffered). Throws Sf6Error on a write failure (disk full).
  void write(const void *data, size_t count);
  void write(std::string_view bytes) { write(bytes.data(), bytes.size()); }
  uint64_t position() const { return m_position; }
  // The temporary file, for writers that fill it through a path of their own
  // (an embedded database) instead of write().
  const std::filesystem::path &temporaryPath() const { return m_temporary; }
  // Flushes, syncs to disk and renames over the target. Throws Sf6Error on
  // failure; the target is then unchanged and the temporary file removed.
  void commit();

private:
  void writeAll(const char *data, size_t count);
  void flushBuffer();
  void discard() noexcept;

  std::filesystem::path m_target;
  std::filesystem::path m_temporary;
  int m_fd = -1;
  std::string m_buffer;
  uint64_t m_position = 0;
};

} // namespace sf6
