#include "catalog/CatalogArchive.h"

#include "text/Collation.h"
#include "zip/VXZip.h"

namespace sf6 {

namespace {

bool isDirectoryEntry(const TZipHeaderInfo &entry) {
  return entry.fileName.empty();
}

} // namespace

std::vector<std::string> CatalogArchive::namesIn(CatalogEntryState state) const {
  std::vector<std::string> names;
  for (const CatalogEntry &entry : entries)
    if (entry.state == state)
      names.emplace_back(entry.name());
  return names;
}

CatalogArchive LoadCatalogArchive(const std::filesystem::path &path,
                                  const CatalogLoadOptions &options) {
  CatalogArchive archive;
  archive.path = path;
  for (std::size_t i = 0; i < kSf6EntryCount; ++i)
    archive.entries[i].id = static_cast<Sf6Entry>(i);

  TVXZip zip;
  zip.ZipName(path);
  if (options.messageSink)
    zip.setMessageSink(options.messageSink);
  if (options.progress)
    zip.setProgress(options.progress);

  const TZipDirectory &directory = zip.readDirectory();
  for (const TZipHeaderInfo &stored : directory.entries()) {
    if (isDirectoryEntry(stored))
      continue;
    const std::string storedPath = stored.storedPath();
    bool known = false;
    for (CatalogEntry &entry : archive.entries) {
      if (!EqualsAsciiNoCase(storedPath, entry.name()))
        continue;
      known = true;
      if (entry.storedName.empty())
        entry.storedName = storedPath;
    }
    if (!known)
      archive.otherEntries.push_back(storedPath);
  }

  const auto read = [&](CatalogEntry &entry) {
    if (entry.storedName.empty())
      return; // missing
    // Entries stored twice under one name give their texts one after the
    // other, as readers see them.
    if (zip.extractToBuffer(entry.name(), entry.bytes) == 0) {
      entry.bytes.clear();
      entry.state = CatalogEntryState::Unreadable;
      return;
    }
    entry.state = CatalogEntryState::Present;
  };
  const auto readAndReport = [&](CatalogEntry &entry) {
    read(entry);
    if (options.entryRead)
      options.entryRead(entry);
  };
  if (options.order.empty()) {
    for (CatalogEntry &entry : archive.entries)
      readAndReport(entry);
  } else {
    for (std::size_t index : options.order)
      if (index < kSf6EntryCount)
        readAndReport(archive.entries[index]);
  }
  return archive;
}

} // namespace sf6
