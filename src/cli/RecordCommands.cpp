// sf6tool fields, rebuild, csv, head: the SF6 record layer on the command line.

#include "cli/CliIo.h"
#include "sf6/Sf6Layout.h"
#include "sf6/Sf6Procs.h"
#include "text/CodePage.h"
#include "zip/VXZip.h"

#include <istream>
#include <ostream>

namespace sf6::cli {
namespace {

// The layout FILE names, or nullptr after printing the reason.
const Sf6Layout *layoutOrComplain(const char *command, const std::string &file, CommandIo &io) {
  const Sf6Layout *layout = FindSf6Layout(Utf8ToCp1252(file));
  if (!layout)
    io.err << "sf6tool " << command << ": unknown data file \"" << file
           << "\" (LensType.Dat ... CodeSubstitution.Dat)\n";
  return layout;
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

int RunFields(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io) {
  if (args.empty() || args.size() > 2)
    return UsageError(command, io);
  const Sf6Layout *layout = layoutOrComplain(command.name, args[0], io);
  if (!layout)
    return kExitUsage;
  OutputBuffer out(io.out);
  if (args.size() == 2) {
    printFieldRows(*layout, Utf8ToCp1252(args[1]), out);
    return kExitOk;
  }
  bool first = true;
  for (const std::string &line : ReadInputLines(io.in)) {
    if (!first)
      out.raw('\n');
    first = false;
    printFieldRows(*layout, line, out);
    out.endPiece();
  }
  return kExitOk;
}

int RunRebuild(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io) {
  if (args.size() != 1)
    return UsageError(command, io);
  const Sf6Layout *layout = layoutOrComplain(command.name, args[0], io);
  if (!layout)
    return kExitUsage;
  if (!layout->rebuild) {
    io.err << "sf6tool rebuild: " << layout->fileName << " has no line builder\n";
    return kExitUsage;
  }
  OutputBuffer out(io.out);
  for (const std::string &line : ReadInputLines(io.in)) {
    out.text(layout->rebuild(line));
    out.raw('\n');
    out.endPiece();
  }
  return kExitOk;
}

int RunCsv(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io) {
  if (args.size() != 2)
    return UsageError(command, io);
  const Sf6Layout *layout = layoutOrComplain(command.name, args[1], io);
  if (!layout)
    return kExitUsage;
  TVXZip zip;
  OpenZip(zip, args[0], command, io);
  ByteBuffer entry;
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
  VisitEntryLines(AsView(entry), [&](std::string_view line) {
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

int RunHead(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io) {
  if (args.size() != 1)
    return UsageError(command, io);
  TVXZip zip;
  OpenZip(zip, args[0], command, io);
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
    {"rebuild", "FILE", "parse each line of stdin and write it back with the builder", RunRebuild},
    {"csv", "ARCHIVE ENTRY", "a data file of the archive as a CSV table", RunCsv},
    {"head", "ARCHIVE", "the Head.dat rows as the header list shows them", RunHead},
};

} // namespace

std::span<const CliCommand> RecordCommands() {
  return kCommands;
}

} // namespace sf6::cli
