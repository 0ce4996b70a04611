// sf6tool diff: what changed from one catalog archive to another, as text or
// JSON Lines. Exit status as diff's: 0 equal, 1 different, 2 trouble.

#include "cli/CliIo.h"
#include "compare/CatalogDiff.h"
#include "text/CodePage.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <exception>
#include <optional>
#include <ostream>

namespace sf6::cli {
namespace {

constexpr int kExitDiffer = 1;
constexpr int kExitTrouble = 2;

struct DiffArguments {
  std::string older;
  std::string newer;
  bool json = false;
  bool summary = false;
  std::optional<Sf6Entry> entry;
};

std::optional<Sf6Entry> entryNamed(std::string_view name) {
  for (size_t i = 0; i < kSf6EntryCount; ++i) {
    const std::string_view candidate = kSf6EntryNames[i];
    if (candidate.size() == name.size() &&
        std::equal(candidate.begin(), candidate.end(), name.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        }))
      return static_cast<Sf6Entry>(i);
  }
  return std::nullopt;
}

// The arguments, or nullopt after printing what is wrong with them.
std::optional<DiffArguments> parseArguments(const CliCommand &command,
                                            const std::vector<std::string> &args, CommandIo &io) {
  DiffArguments parsed;
  std::vector<std::string> paths;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string &arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--summary") {
      parsed.summary = true;
    } else if (arg == "--format" && hasValue) {
      const std::string &format = args[++i];
      if (format != "json" && format != "text") {
        io.err << "sf6tool diff: unknown format \"" << format << "\" (text, json)\n";
        return std::nullopt;
      }
      parsed.json = format == "json";
    } else if (arg == "--entry" && hasValue) {
      parsed.entry = entryNamed(args[++i]);
      if (!parsed.entry) {
        io.err << "sf6tool diff: unknown entry \"" << args[i]
               << "\" (Head.dat, LensType.Dat ... CodeSubstitution.Dat)\n";
        return std::nullopt;
      }
    } else if (arg.starts_with("--")) {
      UsageError(command, io);
      return std::nullopt;
    } else {
      paths.push_back(arg);
    }
  }
  if (paths.size() != 2) {
    UsageError(command, io);
    return std::nullopt;
  }
  parsed.older = paths[0];
  parsed.newer = paths[1];
  return parsed;
}

const char *changeName(CatalogChange change) {
  switch (change) {
  case CatalogChange::Added:
    return "added";
  case CatalogChange::Removed:
    return "removed";
  case CatalogChange::Changed:
    break;
  }
  return "changed";
}

// A text of the text form: "" stands for an empty text, so that a missing
// value or key part stays visible.
void writeText(OutputBuffer &out, std::string_view text) {
  if (text.empty())
    out.raw("\"\"");
  else
    out.text(text);
}

void writeCountsText(const CatalogComparison &comparison, OutputBuffer &out) {
  for (size_t i = 0; i < kSf6EntryCount; ++i) {
    const EntryCounts &c = comparison.counts[i];
    if (!c.differs())
      continue;
    out.raw(kSf6EntryNames[i]);
    out.raw(": " + std::to_string(c.added) + " neu, " + std::to_string(c.removed) + " entfernt, " +
            std::to_string(c.changed) + " ge\xC3\xA4ndert\n");
  }
}

void writeDifferenceText(const CatalogDifference &d, OutputBuffer &out) {
  out.raw(d.change == CatalogChange::Added     ? "+ "
          : d.change == CatalogChange::Removed ? "- "
                                               : "~ ");
  out.raw(Sf6EntryName(d.entry));
  for (const std::string &part : d.key) {
    out.raw(' ');
    writeText(out, part);
  }
  if (d.change != CatalogChange::Changed) {
    const int line = d.change == CatalogChange::Added ? d.newLine : d.oldLine;
    out.raw(" (Zeile " + std::to_string(line) + ")\n");
    return;
  }
  out.raw(':');
  bool first = true;
  for (const FieldChange &f : d.fields) {
    out.raw(first ? " " : "; ");
    first = false;
    out.text(f.caption);
    out.raw(' ');
    writeText(out, f.oldText);
    out.raw(" \xE2\x86\x92 ");
    writeText(out, f.newText);
    if (f.percentTenths)
      out.raw(" (" + PercentText(*f.percentTenths) + ")");
  }
  out.raw('\n');
}

nlohmann::ordered_json lineValue(int line) {
  return line > 0 ? nlohmann::ordered_json(line) : nlohmann::ordered_json(nullptr);
}

void writeDifferenceJson(const CatalogDifference &d, OutputBuffer &out) {
  nlohmann::ordered_json object;
  object["entry"] = Sf6EntryName(d.entry);
  object["change"] = changeName(d.change);
  nlohmann::ordered_json key = nlohmann::ordered_json::array();
  for (const std::string &part : d.key)
    key.push_back(Cp1252ToUtf8(part));
  object["key"] = std::move(key);
  object["old_line"] = lineValue(d.oldLine);
  object["new_line"] = lineValue(d.newLine);
  nlohmann::ordered_json fields = nlohmann::ordered_json::array();
  for (const FieldChange &f : d.fields) {
    nlohmann::ordered_json field;
    field["field"] =
        f.field > 0 ? nlohmann::ordered_json(f.field) : nlohmann::ordered_json(nullptr);
    field["caption"] = Cp1252ToUtf8(f.caption);
    field["old"] = Cp1252ToUtf8(f.oldText);
    field["new"] = Cp1252ToUtf8(f.newText);
    if (f.percentTenths)
      field["percent"] = static_cast<double>(*f.percentTenths) / 10.0;
    fields.push_back(std::move(field));
  }
  object["fields"] = std::move(fields);
  out.raw(object.dump());
  out.raw('\n');
}

void writeCountsJson(const CatalogComparison &comparison, OutputBuffer &out) {
  for (size_t i = 0; i < kSf6EntryCount; ++i) {
    const EntryCounts &c = comparison.counts[i];
    if (!c.differs())
      continue;
    nlohmann::ordered_json object;
    object["entry"] = kSf6EntryNames[i];
    object["added"] = c.added;
    object["removed"] = c.removed;
    object["changed"] = c.changed;
    out.raw(object.dump());
    out.raw('\n');
  }
}

CatalogArchive loadArchive(const std::string &path, const DiffArguments &arguments, CommandIo &io) {
  CatalogLoadOptions options;
  std::size_t only[1] = {};
  if (arguments.entry) {
    only[0] = static_cast<std::size_t>(*arguments.entry);
    options.order = only;
  }
  options.messageSink = [&io](const std::string &, const std::string &text) {
    io.err << "sf6tool diff: " << Cp1252ToUtf8(text) << '\n';
  };
  return LoadCatalogArchive(path, options);
}

int RunDiff(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io) {
  const std::optional<DiffArguments> arguments = parseArguments(command, args, io);
  if (!arguments)
    return kExitTrouble;
  try {
    const CatalogArchive older = loadArchive(arguments->older, *arguments, io);
    const CatalogArchive newer = loadArchive(arguments->newer, *arguments, io);
    CompareOptions options;
    options.entry = arguments->entry;
    options.countsOnly = arguments->summary;
    const CatalogComparison comparison = CompareCatalogs(older, newer, options);

    OutputBuffer out(io.out);
    if (arguments->json) {
      if (arguments->summary)
        writeCountsJson(comparison, out);
      for (const CatalogDifference &d : comparison.differences) {
        writeDifferenceJson(d, out);
        out.endPiece();
      }
    } else {
      writeCountsText(comparison, out);
      for (const CatalogDifference &d : comparison.differences) {
        writeDifferenceText(d, out);
        out.endPiece();
      }
    }
    return comparison.equal() ? kExitOk : kExitDiffer;
  } catch (const std::exception &e) {
    io.out.flush();
    io.err << "sf6tool diff: " << Cp1252ToUtf8(e.what()) << '\n';
    return kExitTrouble;
  }
}

const CliCommand kCommands[] = {
    {"diff", "OLD NEW [--format json] [--entry NAME] [--summary]",
     "what changed from catalog OLD to NEW (exit 0 equal, 1 different, 2 trouble)", RunDiff},
};

} // namespace

std::span<const CliCommand> DiffCommands() {
  return kCommands;
}

} // namespace sf6::cli
