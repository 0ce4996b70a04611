// sf6tool ls, cat, put, rm: the zip access on the command line.

#include "cli/CliCommand.h"
#include "text/CodePage.h"
#include "zip/VXZip.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <istream>
#include <ostream>

namespace sf6::cli {
namespace {

constexpr size_t kOutputChunk = 1 << 20;

// A zip access whose "Zip Error" boxes go to stderr.
void openZip(TVXZip &zip, const std::string &archive, const char *command, CommandIo &io) {
  zip.ZipName(archive);
  zip.setMessageSink([&io, command](const std::string &caption, const std::string &text) {
    io.err << "sf6tool " << command << ": " << Cp1252ToUtf8(caption) << ": "
           << Cp1252ToUtf8(text) << '\n';
  });
}

// True when text has no byte above 127, i.e. is the same in 1252 and UTF-8.
// Tests eight bytes at a time: cat runs this over every line of large entries.
bool isAscii(std::string_view text) {
  uint64_t high = 0;
  size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    high |= word;
  }
  for (; i < text.size(); ++i)
    high |= static_cast<unsigned char>(text[i]);
  return (high & 0x8080808080808080ull) == 0;
}

void appendUtf8(std::string &out, std::string_view line) {
  if (isAscii(line))
    out += line;
  else
    out += Cp1252ToUtf8(line);
}

int RunLs(const std::vector<std::string> &args, CommandIo &io) {
  if (args.size() != 1)
    return UsageError("ls", io);
  TVXZip zip;
  openZip(zip, args[0], "ls", io);
  std::string out;
  for (const auto &entry : zip.readDirectory().entries()) {
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "\t%u\t%lu\t%lu\t%08lx\n",
                  unsigned{entry.compressionMethod}, static_cast<unsigned long>(entry.compressedSize),
                  static_cast<unsigned long>(entry.uncompressedSize),
                  static_cast<unsigned long>(entry.crc32));
    appendUtf8(out, entry.storedPath());
    out += numbers;
  }
  io.out.write(out.data(), static_cast<std::streamsize>(out.size()));
  return kExitOk;
}

int RunCat(const std::vector<std::string> &args, CommandIo &io) {
  if (args.size() != 2)
    return UsageError("cat", io);
  TVXZip zip;
  openZip(zip, args[0], "cat", io);
  // The lines as ExtractTextfileToStrings reads them, streamed from the
  // entry's bytes without a string per line.
  std::string text;
  if (zip.extractToBuffer(Utf8ToCp1252(args[1]), text) == 0) {
    io.err << "sf6tool cat: nothing extracted for \"" << args[1] << "\" from " << args[0] << '\n';
    return kExitNothing;
  }
  std::string out;
  out.reserve(kOutputChunk + 4096);
  const bool ascii = isAscii(text);
  VisitEntryLines(text, [&](std::string_view line) {
    if (ascii)
      out += line;
    else
      appendUtf8(out, line);
    out += '\n';
    if (out.size() >= kOutputChunk) {
      io.out.write(out.data(), static_cast<std::streamsize>(out.size()));
      out.clear();
    }
  });
  io.out.write(out.data(), static_cast<std::streamsize>(out.size()));
  io.out.flush();
  return kExitOk;
}

// Standard input as lines: split at LF, a CR before the LF removed, a last
// line without LF kept.
LineList ReadInputLines(std::istream &in) {
  std::string input;
  std::string chunk(kOutputChunk, '\0');
  while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0)
    input.append(chunk, 0, static_cast<size_t>(in.gcount()));
  LineList lines;
  size_t pos = 0;
  while (pos < input.size()) {
    size_t lf = input.find('\n', pos);
    const size_t next = lf == std::string::npos ? input.size() : lf + 1;
    if (lf == std::string::npos)
      lf = input.size();
    else if (lf > pos && input[lf - 1] == '\r')
      --lf;
    lines.push_back(Utf8ToCp1252(std::string_view(input).substr(pos, lf - pos)));
    pos = next;
  }
  return lines;
}

int RunPut(const std::vector<std::string> &args, CommandIo &io) {
  if (args.size() != 2)
    return UsageError("put", io);
  TVXZip zip;
  openZip(zip, args[0], "put", io);
  zip.StringsToTextfile(Utf8ToCp1252(args[1]), ReadInputLines(io.in));
  return kExitOk;
}

int RunRm(const std::vector<std::string> &args, CommandIo &io) {
  if (args.size() != 2)
    return UsageError("rm", io);
  TVXZip zip;
  openZip(zip, args[0], "rm", io);
  zip.DeletefileFromZip(Utf8ToCp1252(args[1]));
  return kExitOk;
}

const CliCommand kCommands[] = {
    {"ls", "ARCHIVE", "list the entries: path, method, sizes, CRC-32", RunLs},
    {"cat", "ARCHIVE ENTRY", "print the lines of a text entry", RunCat},
    {"put", "ARCHIVE ENTRY", "store standard input as a text entry", RunPut},
    {"rm", "ARCHIVE ENTRY", "delete an entry", RunRm},
};

} // namespace

std::span<const CliCommand> ZipCommands() { return kCommands; }

} // namespace sf6::cli
