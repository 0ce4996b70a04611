// sf6tool ls, cat, put, rm: the zip access on the command line.

#include "cli/CliIo.h"
#include "text/CodePage.h"
#include "zip/VXZip.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <istream>
#include <ostream>

namespace sf6::cli {
namespace {

void appendUtf8(std::string &out, std::string_view line) {
  if (IsAscii(line))
    out += line;
  else
    out += Cp1252ToUtf8(line);
}

int RunLs(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io) {
  if (args.size() != 1)
    return UsageError(command, io);
  TVXZip zip;
  OpenZip(zip, args[0], command, io);
  std::string out;
  for (const auto &entry : zip.readDirectory().entries()) {
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "\t%u\t%lu\t%lu\t%08lx\n",
                  unsigned{entry.compressionMethod},
                  static_cast<unsigned long>(entry.compressedSize),
                  static_cast<unsigned long>(entry.uncompressedSize),
                  static_cast<unsigned long>(entry.crc32));
    appendUtf8(out, entry.storedPath());
    out += numbers;
  }
  io.out.write(out.data(), static_cast<std::streamsize>(out.size()));
  return kExitOk;
}

int RunCat(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io) {
  if (args.size() != 2)
    return UsageError(command, io);
  TVXZip zip;
  OpenZip(zip, args[0], command, io);
  // The lines as ExtractTextfileToStrings reads them, streamed from the
  // entry's bytes without a string per line.
  ByteBuffer bytes;
  if (zip.extractToBuffer(Utf8ToCp1252(args[1]), bytes) == 0) {
    io.err << "sf6tool cat: nothing extracted for \"" << args[1] << "\" from " << args[0] << '\n';
    return kExitNothing;
  }
  const std::string_view text = AsView(bytes);
  std::string out;
  out.reserve(kOutputChunk + 4096);
  const bool ascii = IsAscii(text);
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

int RunPut(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io) {
  if (args.size() != 2)
    return UsageError(command, io);
  TVXZip zip;
  OpenZip(zip, args[0], command, io);
  zip.StringsToTextfile(Utf8ToCp1252(args[1]), ReadInputLines(io.in));
  return kExitOk;
}

int RunRm(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io) {
  if (args.size() != 2)
    return UsageError(command, io);
  TVXZip zip;
  OpenZip(zip, args[0], command, io);
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

std::span<const CliCommand> ZipCommands() {
  return kCommands;
}

} // namespace sf6::cli
