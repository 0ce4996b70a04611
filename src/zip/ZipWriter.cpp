#include "zip/ZipWriter.h"
#include "text/Collation.h"

#include "text/CodePage.h"
#include "zip/Deflate.h"
#include "zip/ZipErrors.h"
#include "zip/ZipNames.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace sf6 {

namespace {

constexpr uint16_t kVersion20 = 20; // 2.0, made on MS-DOS/FAT
constexpr uint32_t kDosArchiveAttribute = 0x20;
constexpr size_t kTextTestBlock = 32768;
constexpr size_t kCopyBlock = 1 << 20;
constexpr size_t kMaxEntryCount = 0xFFFE; // 0xFFFF would announce ZIP64

const char *const kArchiveTooLarge = "The archive would exceed 4 GiB, the limit of a zip file";

// Internal attribute 1 (text) when at most a quarter of the characters in
// the first block are control or 8-bit bytes; 0 (binary) otherwise.
uint16_t textAttribute(std::string_view data) {
  size_t binary = 0, text = 0;
  for (const char ch : data.substr(0, kTextTestBlock)) {
    const auto c = static_cast<unsigned char>(ch);
    if (c <= 6 || c >= 128)
      ++binary;
    else
      ++text;
  }
  return binary <= text / 4 ? 1 : 0;
}

uint32_t checked32(uint64_t value) {
  if (value >= kZip64Marker32)
    throw Sf6Error(kArchiveTooLarge);
  return static_cast<uint32_t>(value);
}

// Copies an entry of the old archive to out: a local header consistent with
// the central one, the old local extra field, the compressed bytes as they
// are. A data descriptor is folded into the local header, except for an
// encrypted entry whose password check depends on it.
TZipHeaderInfo copyEntry(const ReadOnlyFile &file, const TZipHeaderInfo &entry,
                         ReplacementFile &out, std::string &scratch, const ZipProgress &progress) {
  unsigned char h[kLocalHeaderSize];
  file.readAt(entry.relativeOffset, h, sizeof h);
  const LocalHeader local = LocalHeader::parse(h);
  const uint64_t extraStart =
      uint64_t{entry.relativeOffset} + kLocalHeaderSize + local.fileNameLength;
  std::string localExtra;
  file.appendAt(extraStart, local.extraFieldLength, localExtra);
  uint64_t from = extraStart + local.extraFieldLength;
  if (from > file.size() || entry.compressedSize > file.size() - from)
    throw EFatalUnzipError();

  TZipHeaderInfo copy = entry;
  const bool keepDescriptor = copy.isEncrypted() && (copy.flags & kFlagDataDescriptor);
  if (!keepDescriptor)
    copy.flags &= static_cast<uint16_t>(~kFlagDataDescriptor);
  copy.relativeOffset = checked32(out.position());
  copy.diskNumberStart = 0;
  copy.selected = false;
  scratch.clear();
  copy.appendLocalHeader(scratch, localExtra);
  out.write(scratch);

  for (uint64_t left = copy.compressedSize; left > 0;) {
    const size_t block = static_cast<size_t>(std::min<uint64_t>(left, kCopyBlock));
    scratch.clear();
    file.appendAt(from, block, scratch);
    out.write(scratch);
    from += block;
    left -= block;
    if (progress)
      progress(from, file.size());
  }
  if (keepDescriptor) {
    scratch.clear();
    appendU32(scratch, kDataDescriptorSignature);
    appendU32(scratch, copy.crc32);
    appendU32(scratch, copy.compressedSize);
    appendU32(scratch, copy.uncompressedSize);
    out.write(scratch);
  }
  return copy;
}

bool deleteMatches(std::string_view request, const TZipHeaderInfo &entry) {
  const std::string lowerRequest = LowerCase1252(request);
  if (!HasWildcards(request))
    return lowerRequest == LowerCase1252(entry.storedPath());
  if (request.find('\\') == std::string_view::npos)
    return WildcardMatch(lowerRequest, LowerCase1252(entry.fileName));
  return WildcardMatch(lowerRequest, LowerCase1252(entry.storedPath()));
}

} // namespace

// A new entry ready to be written: its headers and its (compressed) bytes.
struct TZipWriter::NewEntry {
  TZipHeaderInfo header;
  std::string_view data;
  std::string_view payload;
  ByteBuffer packed;
  std::string lowerPath; // the stored path in lower case, for matching
};

// Everything but the checksum and the compression, which zipFromBuffers runs
// for its entries side by side.
TZipWriter::NewEntry TZipWriter::newEntry(std::string_view name, std::string_view data) const {
  const std::string namePart = RequestFileNamePart(NormalizeRequestName(name));
  if (namePart.empty())
    throw Sf6Error("Invalid entry name \"" + std::string(name) + "\"");
  checked32(data.size());

  NewEntry fresh;
  TZipHeaderInfo &h = fresh.header;
  h.versionMadeBy = kVersion20;
  h.versionNeeded = kVersion20;
  h.modifiedDateTime = CurrentDosDateTime();
  h.uncompressedSize = static_cast<uint32_t>(data.size());
  h.internalAttributes = textAttribute(data);
  h.externalAttributes = kDosArchiveAttribute;
  // The name goes through the OEM code page; what it cannot hold comes back changed.
  h.setRawName(AnsiToOem(namePart));
  fresh.data = data;
  fresh.lowerPath = LowerCase1252(h.storedPath());
  return fresh;
}

namespace {

// Runs work(index) for every index in order, taken in that order (the caller
// puts the largest jobs first), on up to as many threads as the machine has
// cores; rethrows the first failure.
template <class Work> void runSideBySide(const std::vector<std::size_t> &order, Work work) {
  const unsigned threads = std::min<unsigned>(std::max(1u, std::thread::hardware_concurrency()),
                                              static_cast<unsigned>(order.size()));
  std::atomic<std::size_t> next{0};
  std::mutex failureLock;
  std::exception_ptr failure;
  auto worker = [&] {
    for (std::size_t i; (i = next.fetch_add(1)) < order.size();) {
      try {
        work(order[i]);
      } catch (...) {
        const std::lock_guard lock(failureLock);
        if (!failure)
          failure = std::current_exception();
      }
    }
  };
  std::vector<std::jthread> helpers;
  for (unsigned t = 1; t < threads; ++t)
    helpers.emplace_back(worker);
  worker();
  helpers.clear(); // joins
  if (failure)
    std::rethrow_exception(failure);
}

} // namespace

int TZipWriter::zipFromBuffer(std::string_view name, std::string_view data) {
  const Source source{name, data};
  return zipFromBuffers(std::span(&source, 1));
}

void TZipWriter::deleteFromArchive(std::string_view name) {
  update(NormalizeRequestName(name), {});
}

int TZipWriter::zipFromBuffers(std::span<const Source> sources) {
  std::vector<NewEntry> fresh;
  fresh.reserve(sources.size());
  for (const Source &source : sources) {
    NewEntry entry = newEntry(source.name, source.data);
    // A later source for the same path replaces the earlier one in place, as
    // a second zipFromBuffer would.
    auto same = std::find_if(fresh.begin(), fresh.end(),
                             [&](const NewEntry &e) { return e.lowerPath == entry.lowerPath; });
    if (same != fresh.end())
      *same = std::move(entry);
    else
      fresh.push_back(std::move(entry));
  }
  std::vector<std::size_t> order(fresh.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return fresh[a].data.size() > fresh[b].data.size();
  });
  runSideBySide(order, [&](std::size_t i) {
    // Level 0 stores; libdeflate knows levels up to 12. Touches nothing but
    // its own entry.
    NewEntry &entry = fresh[i];
    TZipHeaderInfo &h = entry.header;
    h.crc32 = Crc32(entry.data);
    entry.packed =
        m_packLevel > 0 ? RawDeflate(entry.data, std::min(m_packLevel, 12)) : ByteBuffer();
    h.compressionMethod = entry.packed.empty() ? kMethodStored : kMethodDeflated;
    entry.payload = entry.packed.empty() ? entry.data : AsView(entry.packed);
    h.compressedSize = static_cast<uint32_t>(entry.payload.size());
  });
  if (!fresh.empty())
    update({}, fresh);
  return static_cast<int>(fresh.size());
}

void TZipWriter::update(std::string_view request, std::span<NewEntry> fresh) {
  std::optional<ReadOnlyFile> old;
  std::error_code ec;
  // Anything but a clear "not there" (no permission, say) goes through the
  // open, which reports it.
  if (std::filesystem::status(ZipName(), ec).type() == std::filesystem::file_type::not_found) {
    dropDirectory();
  } else {
    old.emplace(ZipName());
    refreshDirectory(*old);
  }

  ReplacementFile out(ZipName());
  TZipDirectory written;
  auto &entries = written.entries();
  std::string scratch;
  std::vector<bool> placed(fresh.size(), false);
  auto writeFresh = [&](std::size_t i) {
    TZipHeaderInfo header = fresh[i].header;
    header.relativeOffset = checked32(out.position());
    scratch.clear();
    header.appendLocalHeader(scratch, {});
    out.write(scratch);
    out.write(fresh[i].payload);
    entries.push_back(std::move(header));
    placed[i] = true;
  };

  if (old) {
    for (const auto &entry : directory().entries()) {
      if (fresh.empty() && deleteMatches(request, entry))
        continue;
      // An entry with a new entry's path gives its place to the new one; a
      // later entry with that path is dropped.
      const std::string path = fresh.empty() ? std::string() : LowerCase1252(entry.storedPath());
      const auto match = std::find_if(fresh.begin(), fresh.end(),
                                      [&](const NewEntry &e) { return e.lowerPath == path; });
      if (match != fresh.end()) {
        const auto i = static_cast<std::size_t>(match - fresh.begin());
        if (!placed[i])
          writeFresh(i);
        continue;
      }
      entries.push_back(copyEntry(*old, entry, out, scratch, progress()));
    }
  }
  for (std::size_t i = 0; i < fresh.size(); ++i)
    if (!placed[i])
      writeFresh(i);
  if (entries.size() > kMaxEntryCount)
    throw Sf6Error("Too many entries for a zip file");

  TEndCentral end;
  end.comment = old ? endCentral().comment : std::string();
  end.centralDirectoryOffset = checked32(out.position());
  scratch.clear();
  for (const auto &entry : entries)
    entry.appendCentralHeader(scratch);
  end.centralDirectorySize = checked32(scratch.size());
  end.entriesOnThisDisk = static_cast<uint16_t>(entries.size());
  end.totalEntries = end.entriesOnThisDisk;
  end.appendTo(scratch);
  out.write(scratch);
  checked32(out.position());
  old.reset();
  out.commit();
  adoptDirectory(std::move(written), std::move(end), StampOfFile(ZipName()));
}

} // namespace sf6
