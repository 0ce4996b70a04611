// sf6tool fields, rebuild, csv, head: the SF6 record layer on the command line.

#include "cli/CliCommand.h"
#include "sf6/Sf6Layout.h"
#include "sf6/Sf6Procs.h"
#include "text/CodePage.h"
#include "zip/VXZip.h"

#include <istream>
#include <ostream>

namespace sf6::cli {
namespace {

// Output is collected in a buffer of this size and written in one call.
constexpr size_t kOutputChunk = 1 << 20;

// Collects UTF-8 output and writes it in large pieces.
class OutputBuffer {
public:
  explicit OutputBuffer(std::ostream &out) : m_out(out) { m_buffer.reserve(kOutputChunk + 4096); }
  ~OutputBuffer() { flush(); }
  OutputBuffer(const OutputBuffer &) = delete;
  OutputBuffer &operator=(const OutputBuffer &) = delete;

  // Windows-1252 text, converted to UTF-8 only when it holds a byte >= 0x80.
  void text(std::string_view cp1252) {
    for (const char c : cp1252)
      if (static_cast<unsigned char>(c) >= 0x80) {
        m_buffer += Cp1252ToUtf8(cp1252);
        return;
      }
    m_buffer += cp1252;
  }
  // A CSV field: quoted when it holds a comma, a quote, CR or LF.
  void csvField(std::string_view cp1252) {
    bool quote = false;
    bool high = false;
    for (const char c : cp1252) {
      quote |= c == ',' || c == '"' || c == '\r' || c == '\n';
      high |= static_cast<unsigned char>(c) >= 0x80;
    }
    if (!quote) {
      if (high)
        m_buffer += Cp1252ToUtf8(cp1252);
      else
        m_buffer += cp1252;
      return;
    }
    std::string quoted = "\"";
    for (const char c : cp1252) {
      quoted += c;
      if (c == '"')
        quoted += '"';
    }
    quoted += '"';
    text(quoted);
  }
  void raw(std::string_view ascii) { m_buffer += ascii; }
  void raw(char c) { m_buffer += c; }
  void endPiece() {
    if (m_buffer.size() >= kOutputChunk)
      flush();
  }
  void flush() {
    if (!m_buffer.empty())
      m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    m_buffer.clear();
    m_out.flush();
  }

private:
  std::ostream &m_out;
  std::string m_buffer;
};

// Standard input as Windows-1252 lines: split at LF, a CR before the LF
// removed, a last line without LF kept.
LineList readInputLines(std::istream &in) {
  std::string input;
  std::string chunk(kOutputChunk, '\0');
  while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0)
    input.append(chunk, 0, static_cast<size_t>(in.gcount()));
  LineList lines;
  size_t pos = 0;
  while (pos < input.size()) {
    size_t end = input.find('\n', pos);
    const size_t next = end == std::string::npos ? input.size() : end + 1;
    if (end == std::string::npos)
      end = input.size();
    else if (end > pos && input[end - 1] == '\r')
      --end;
    lines.push_back(Utf8ToCp1252(std::string_view(input).substr(pos, end - pos)));
    pos = next;
  }
  return lines;
}

// The layout FILE names, or nullptr after printing the reason.
const Sf6Layout *layoutOrComplain(const char *command, const std::string &file, CommandIo &io) {
  const Sf6Layout *layout = FindSf6Layout(Utf8ToCp1252(file));
  if (!layout)
    io.err << "sf6tool " << command << ": unknown data file \"" << file
           << "\" (LensType.Dat ... CodeSubstitution.Dat)\n";
  return layout;
}

void openZip(TVXZip &zip, const std::string &archive, const char *command, CommandIo &io) {
  zip.ZipName(archive);
  zip.setMessageSink([&io, command](const std::string &caption, const std::string &text) {
    io.err << "sf6tool " << command << ": " << Cp1252ToUtf8(caption) << ": "
           << Cp1252ToUtf8(text) << '\n';
  });
}

// One block of field rows: number, TAB, caption, TAB, text.
void printFieldRows(const Sf6Layout &layout, std::string_view line, OutputBuffer &out) {
  const Sf6AnyRecord record = layout.parse(ViewerLine(line));
  for (int n = 1; n <= layout.fieldCount; ++n) {
    out.raw(std::to_string(n));
    out.raw('\t');
    out.text(layout.caption(n));
    out.raw('\t');
    out.text(layout.text(n, record));
    out.raw('\n');
  }
}

int RunFields(const std::vector<std::string> &args, CommandIo &io) {
  if (args.empty() || args.size() > 2)
    return UsageError("fields", io);
  const Sf6Layout *layout = layoutOrComplain("fields", args[0], io);
  if (!layout)
    return kExitUsage;
  OutputBuffer out(io.out);
  if (args.size() == 2) {
    printFieldRows(*layout, Utf8ToCp1252(args[1]), out);
    return kExitOk;
  }
  bool first = true;
  for (const std::string &line : readInputLines(io.in)) {
    if (!first)
      out.raw('\n');
    first = false;
    printFieldRows(*layout, line, out);
    out.endPiece();
  }
  return kExitOk;
}

int RunRebuild(const std::vector<std::string> &args, CommandIo &io) {
  if (args.size() != 1)
    return UsageError("rebuild", io);
  const Sf6Layout *layout = layoutOrComplain("rebuild", args[0], io);
  if (!layout)
    return kExitUsage;
  if (!layout->rebuild) {
    io.err << "sf6tool rebuild: " << layout->fileName << " has no line builder\n";
    return kExitUsage;
  }
  OutputBuffer out(io.out);
  for (const std::string &line : readInputLines(io.in)) {
    out.text(layout->rebuild(line));
    out.raw('\n');
    out.endPiece();
  }
  return kExitOk;
}

// Calls onLine for each line of entry text as TVXZip splits it (CR LF, CR or
// LF; a NUL ends the text; no empty line after a final line end), without
// copying the lines.
template <class F> void forEachEntryLine(std::string_view text, F onLine) {
  const size_t nul = text.find('\0');
  if (nul != std::string_view::npos)
    text = text.substr(0, nul);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n')
      ++end;
    onLine(text.substr(pos, end - pos));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
      ++end;
    pos = end + 1;
  }
}

int RunCsv(const std::vector<std::string> &args, CommandIo &io) {
  if (args.size() != 2)
    return UsageError("csv", io);
  const Sf6Layout *layout = layoutOrComplain("csv", args[1], io);
  if (!layout)
    return kExitUsage;
  TVXZip zip;
  openZip(zip, args[0], "csv", io);
  std::string entry;
  if (zip.extractToBuffer(layout->fileName, entry) == 0) {
    io.err << "sf6tool csv: nothing extracted for \"" << args[1] << "\" from " << args[0] << '\n';
    return kExitNothing;
  }
  OutputBuffer out(io.out);
  for (int n = 1; n <= layout->fieldCount; ++n) {
    if (n > 1)
      out.raw(',');
    const std::string caption = layout->caption(n);
    out.csvField(caption.empty() ? std::to_string(n) : std::to_string(n) + " " + caption);
  }
  out.raw("\r\n");
  forEachEntryLine(entry, [&](std::string_view line) {
    const Sf6AnyRecord record = layout->parse(line);
    for (int n = 1; n <= layout->fieldCount; ++n) {
      if (n > 1)
        out.raw(',');
      out.csvField(layout->text(n, record));
    }
    out.raw("\r\n");
    out.endPiece();
  });
  return kExitOk;
}

int RunHead(const std::vector<std::string> &args, CommandIo &io) {
  if (args.size() != 1)
    return UsageError("head", io);
  TVXZip zip;
  openZip(zip, args[0], "head", io);
  LineList lines;
  if (zip.ExtractTextfileToStrings("Head.dat", lines) == 0) {
    io.err << "sf6tool head: nothing extracted for \"Head.dat\" from " << args[0] << '\n';
    return kExitNothing;
  }
  OutputBuffer out(io.out);
  for (const Sf6HeadRow &row : HeadRows(lines)) {
    out.text(row.name);
    out.raw('\t');
    out.text(row.value);
    out.raw('\n');
  }
  return kExitOk;
}

const CliCommand kCommands[] = {
    {"fields", "FILE [LINE]", "decode a line (or each line of stdin) into its fields", RunFields},
    {"rebuild", "FILE", "parse each line of stdin and write it back with the builder",
     RunRebuild},
    {"csv", "ARCHIVE ENTRY", "a data file of the archive as a CSV table", RunCsv},
    {"head", "ARCHIVE", "the Head.dat rows as the header list shows them", RunHead},
};

} // namespace

std::span<const CliCommand> RecordCommands() { return kCommands; }

} // namespace sf6::cli
