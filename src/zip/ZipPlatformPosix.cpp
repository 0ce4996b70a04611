// POSIX implementation of ZipPlatform.h.

#include "zip/ZipPlatform.h"

#include "text/CodePage.h"
#include "zip/ZipErrors.h"
#include "zip/ZipFormat.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace sf6 {
namespace {

constexpr size_t kWriteBufferSize = 1 << 20;

std::string reason(int error) {
  return std::strerror(error);
}

// A path inside a message: messages are Windows-1252 like all catalog text,
// while the file system names files in UTF-8.
std::string shown(const std::filesystem::path &path) {
  return Utf8ToCp1252(path.string());
}

FileStamp stampOf(const struct stat &st) {
  FileStamp stamp;
  stamp.modified = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  stamp.size = static_cast<uint64_t>(st.st_size);
  return stamp;
}

// A name for the temporary file, unique enough that O_EXCL rarely retries.
std::filesystem::path temporaryName(const std::filesystem::path &target) {
  std::random_device random;
  const unsigned long long value = (static_cast<unsigned long long>(random()) << 32) ^ random();
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", value);
  std::filesystem::path name = target;
  name.replace_filename("." + target.filename().string() + suffix);
  return name;
}

void syncDirectoryOf(const std::filesystem::path &path) {
  std::filesystem::path dir = path.parent_path();
  if (dir.empty())
    dir = ".";
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return;
  ::fsync(fd);
  ::close(fd);
}

} // namespace

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path &path) : m_path(path) {
  m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (m_fd >= 0 && ::fstat(m_fd, &st) == 0 && S_ISREG(st.st_mode)) {
    m_stamp = stampOf(st);
    return;
  }
  const int error = m_fd < 0 ? errno : EISDIR;
  if (m_fd >= 0)
    ::close(m_fd);
  throw Sf6Error("Cannot open file \"" + shown(path) + "\". " + reason(error));
}

ReadOnlyFile::~ReadOnlyFile() {
  ::close(m_fd);
}

void ReadOnlyFile::readAt(uint64_t offset, void *dest, size_t count) const {
  if (offset > m_stamp.size || count > m_stamp.size - offset)
    throw EFatalUnzipError();
  auto *out = static_cast<char *>(dest);
  while (count > 0) {
    const ssize_t got = ::pread(m_fd, out, count, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0)
      throw Sf6Error("Cannot read file \"" + shown(m_path) + "\". " + reason(errno));
    if (got == 0)
      throw EFatalUnzipError();
    out += got;
    offset += static_cast<uint64_t>(got);
    count -= static_cast<size_t>(got);
  }
}

void ReadOnlyFile::checkRange(uint64_t offset, size_t count) const {
  if (offset > m_stamp.size || count > m_stamp.size - offset)
    throw EFatalUnzipError();
}

FileStamp StampOfFile(const std::filesystem::path &path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0)
    return {};
  return stampOf(st);
}

uint32_t CurrentDosDateTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return DosDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                     local.tm_min, local.tm_sec);
}

ReplacementFile::ReplacementFile(const std::filesystem::path &target) : m_target(target) {
  std::error_code ec;
  if (std::filesystem::is_symlink(target, ec)) {
    const auto resolved = std::filesystem::canonical(target, ec);
    if (!ec)
      m_target = resolved;
  }
  struct stat st {};
  const bool exists = ::stat(m_target.c_str(), &st) == 0;
  for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
    m_temporary = temporaryName(m_target);
    // 0666 lets the umask decide the permissions of a new archive.
    m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd < 0 && errno != EEXIST)
      break;
  }
  if (m_fd < 0) {
    const std::string dir = m_target.parent_path().empty() ? "." : m_target.parent_path().string();
    throw Sf6Error("Cannot create file in \"" + dir + "\". " + reason(errno));
  }
  if (exists) {
    // Owner and group only carry over where we may set them (as root);
    // otherwise the new file is ours, as any rewritten file is.
    [[maybe_unused]] const int owned = ::fchown(m_fd, st.st_uid, st.st_gid);
    ::fchmod(m_fd, st.st_mode & 07777);
  }
  m_buffer.reserve(kWriteBufferSize);
}

ReplacementFile::~ReplacementFile() {
  discard();
}

void ReplacementFile::discard() noexcept {
  if (m_fd < 0)
    return;
  ::close(m_fd);
  m_fd = -1;
  ::unlink(m_temporary.c_str());
}

void ReplacementFile::writeAll(const char *data, size_t count) {
  while (count > 0) {
    const ssize_t put = ::write(m_fd, data, count);
    if (put < 0 && errno == EINTR)
      continue;
    if (put < 0)
      throw Sf6Error("Cannot write file \"" + shown(m_temporary) + "\". " + reason(errno));
    data += put;
    count -= static_cast<size_t>(put);
  }
}

void ReplacementFile::flushBuffer() {
  writeAll(m_buffer.data(), m_buffer.size());
  m_buffer.clear();
}

void ReplacementFile::write(const void *data, size_t count) {
  m_position += count;
  if (m_buffer.size() + count > kWriteBufferSize)
    flushBuffer();
  if (count >= kWriteBufferSize) {
    writeAll(static_cast<const char *>(data), count);
    return;
  }
  m_buffer.append(static_cast<const char *>(data), count);
}

void ReplacementFile::commit() {
  flushBuffer();
  if (::fsync(m_fd) != 0)
    throw Sf6Error("Cannot write file \"" + shown(m_temporary) + "\". " + reason(errno));
  const int fd = m_fd;
  m_fd = -1;
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(m_temporary.c_str());
    throw Sf6Error("Cannot write file \"" + shown(m_temporary) + "\". " + reason(error));
  }
  if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
    const int error = errno;
    ::unlink(m_temporary.c_str());
    throw Sf6Error("Could not copy from " + shown(m_temporary) + " -> " + shown(m_target) + ". " +
                   reason(error));
  }
  syncDirectoryOf(m_target);
}

} // namespace sf6
