#pragma once

// TVXZip: the zip access the viewer, the SF6 export and sf6tool use. Text
// entries are read into and written from line lists of Windows-1252 text.
//
//   TVXZip zip;
//   zip.ZipName(path);
//   LineList head;
//   zip.ExtractTextfileToStrings("Head.dat", head); // head unchanged if missing
//   zip.StringsToTextfile("Head.dat", head);        // archive rewritten
//
// An instance lives for one command. Failures are exceptions with the
// user's message text (see ZipReader.h, ZipWriter.h, ZipErrors.h); the
// message sink receives "Zip Error" boxes for entries that cannot be decoded.

#include "text/LineList.h"
#include "zip/ZipWriter.h"

#include <cstring>
#include <string_view>

namespace sf6 {

class TVXZip : public TZipWriter {
public:
  // Reads the entry FileName (whole stored path, any case; an entry inside a
  // folder of the archive is not found by its name alone) and, when it was
  // extracted, replaces the contents of Strings by its lines: split at CR LF,
  // a lone CR or a lone LF; a NUL byte ends the text; a last line without a
  // line end is kept; no empty line is added after a final line end. When
  // nothing was extracted (no such entry, CRC-32 mismatch, corrupt data,
  // unknown method) Strings is left exactly as it was.
  // Returns the number of entries extracted (0 or, normally, 1).
  // Throws the archive failures of TZipReader::extractToBuffer.
  int ExtractTextfileToStrings(std::string_view FileName, LineList &Strings);

  // Stores Strings, each line followed by CR LF (an empty list gives zero
  // bytes), as the entry FileName; see TZipWriter::zipFromBuffer for the
  // name and the replacement rules.
  void StringsToTextfile(std::string_view FileName, const LineList &Strings);

  // Removes every entry whose stored path equals FileName apart from case;
  // see TZipWriter::deleteFromArchive.
  void DeletefileFromZip(std::string_view FileName);

  // True when the directory already held by this instance has an entry whose
  // name part (folder ignored) equals FileName apart from case. Does not
  // read the archive: false before any other operation.
  bool FileExists(std::string_view FileName) const;
};

// Calls visit(std::string_view line) for every line of entry text, as
// ExtractTextfileToStrings delivers them: a NUL byte ends the text; lines
// end at CR LF, a lone CR or a lone LF; a last line without a line end is
// visited, a final line end adds no empty line. Allocates nothing.
template <typename Visit> void VisitEntryLines(std::string_view bytes, Visit &&visit) {
  bytes = bytes.substr(0, bytes.find('\0'));
  if (bytes.empty())
    return;
  const char *p = bytes.data();
  const char *const end = p + bytes.size();
  auto findLf = [end](const char *from) {
    const void *lf = std::memchr(from, '\n', static_cast<size_t>(end - from));
    return lf ? static_cast<const char *>(lf) : end;
  };
  // The next LF is searched again only once it is passed, so text whose
  // lines end in lone CRs is not scanned to its end for every line.
  const char *nextLf = findLf(p);
  while (p < end) {
    if (nextLf < p)
      nextLf = findLf(p);
    const char *stop = nextLf;
    if (const void *cr = std::memchr(p, '\r', static_cast<size_t>(stop - p)))
      stop = static_cast<const char *>(cr);
    visit(std::string_view(p, static_cast<size_t>(stop - p)));
    p = stop;
    if (p < end && *p == '\r')
      ++p;
    if (p < end && *p == '\n')
      ++p;
  }
}

// The lines of entry text as a line list (see VisitEntryLines).
LineList SplitEntryText(std::string_view bytes);

// Strings as entry text: every line followed by CR LF.
std::string RenderEntryText(const LineList &Strings);

} // namespace sf6
