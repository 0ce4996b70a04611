#pragma once

// The hard failures of the zip access. Each carries the text the user sees.

#include "text/Errors.h"

namespace sf6 {

inline constexpr const char *kIncompleteZipText = "Incomplete Zip File";
inline constexpr const char *kBadZipFileText = "Not a valid zip file!";
inline constexpr const char *kPrematureEndText = "Premature end of file reached";
inline constexpr const char *kZip64Text = "ZIP64 archives are not supported";
inline constexpr const char *kOverlappingEntriesText = "Damaged zip file: entries overlap";

// The caption and text of the message shown for an entry we cannot decode.
inline constexpr const char *kZipErrorCaption = "Zip Error";
inline constexpr const char *kUnknownMethodText = "Unknown Compression Method";
inline constexpr const char *kEncryptedEntryText = "Encrypted entries are not supported";

// No end-of-central-directory record in the last 65528 bytes of the file.
class EIncompleteZip : public Sf6Error {
public:
  EIncompleteZip() : Sf6Error(kIncompleteZipText) {}
};

// Neither the central directory nor any local header could be found, or the
// archive uses a form we refuse (ZIP64, overlapping entries).
class EBadZipFile : public Sf6Error {
public:
  explicit EBadZipFile(const char *text = kBadZipFileText) : Sf6Error(text) {}
};

// An entry's data runs past the end of the archive file.
class EFatalUnzipError : public Sf6Error {
public:
  EFatalUnzipError() : Sf6Error(kPrematureEndText) {}
};

} // namespace sf6
