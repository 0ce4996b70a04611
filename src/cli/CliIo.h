#pragma once

// What every sf6tool command shares at the boundary: Windows-1252 catalog
// text written out as UTF-8 through one large buffer, standard input read as
// Windows-1252 lines, and zip access whose "Zip Error" boxes go to stderr.

#include "cli/CliCommand.h"
#include "text/LineList.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace sf6 {
class TVXZip;
}

namespace sf6::cli {

// Output is collected up to this size and written in one call.
inline constexpr size_t kOutputChunk = 1 << 20;

// True when text has no byte above 127, i.e. reads the same in 1252 and UTF-8.
bool IsAscii(std::string_view text);

// Collects UTF-8 output and writes it in large pieces; flushes when destroyed.
class OutputBuffer {
public:
  explicit OutputBuffer(std::ostream &out);
  ~OutputBuffer() { flush(); }
  OutputBuffer(const OutputBuffer &) = delete;
  OutputBuffer &operator=(const OutputBuffer &) = delete;

  // Windows-1252 text, converted to UTF-8.
  void text(std::string_view cp1252);
  // A CSV field (RFC 4180): quoted when it holds a comma, a quote, CR or LF.
  void csvField(std::string_view cp1252);
  // Text that is already UTF-8 or ASCII.
  void raw(std::string_view utf8) { m_buffer += utf8; }
  void raw(char c) { m_buffer += c; }
  // Writes out what has gathered once it reaches kOutputChunk.
  void endPiece() {
    if (m_buffer.size() >= kOutputChunk)
      write();
  }
  void flush();

private:
  void write();

  std::ostream &m_out;
  std::string m_buffer;
};

// Standard input as Windows-1252 lines: read as UTF-8, split at LF, a CR
// before the LF removed, a last line without LF kept.
LineList ReadInputLines(std::istream &in);

// Names the archive and routes the zip access's messages to io.err, prefixed
// with the command.
void OpenZip(TVXZip &zip, const std::string &archive, const CliCommand &command, CommandIo &io);

} // namespace sf6::cli
