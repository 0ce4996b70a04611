// sf6tool export: the catalog data as an SQLite database or JSON Lines.

#include "catalog/CatalogArchive.h"
#include "cli/CliCommand.h"
#include "dataexport/JsonLinesExport.h"
#include "dataexport/SqliteExport.h"
#include "text/CodePage.h"
#include "text/Errors.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace sf6::cli {
namespace {

namespace fs = std::filesystem;

struct ExportTargets {
  std::string archive;
  std::optional<std::string> sqlite; // a file
  std::optional<std::string> json;   // a file, or "-" for standard output
};

// ARCHIVE followed by --sqlite OUT and/or --json OUT, each at most once.
std::optional<ExportTargets> parseArguments(const std::vector<std::string> &args) {
  ExportTargets targets;
  bool haveArchive = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string &arg = args[i];
    if (arg == "--sqlite" || arg == "--json") {
      std::optional<std::string> &slot = arg == "--sqlite" ? targets.sqlite : targets.json;
      if (slot || i + 1 == args.size() || args[i + 1].empty())
        return std::nullopt;
      slot = args[++i];
      continue;
    }
    if (haveArchive || arg.empty() || arg.starts_with("--"))
      return std::nullopt;
    targets.archive = arg;
    haveArchive = true;
  }
  if (!haveArchive || (!targets.sqlite && !targets.json))
    return std::nullopt;
  return targets;
}

// True when path names the archive itself: replacing it would destroy the
// catalog being exported.
bool isArchive(const std::string &path, const std::string &archive) {
  std::error_code ec;
  return fs::equivalent(path, archive, ec);
}

int RunExport(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io) {
  const std::optional<ExportTargets> targets = parseArguments(args);
  if (!targets)
    return UsageError(command, io);
  if (targets->sqlite == "-") {
    io.err << "sf6tool export: the database needs a file name (\"-\" is for --json only)\n";
    return kExitUsage;
  }
  if (targets->sqlite && targets->json && *targets->sqlite == *targets->json) {
    io.err << "sf6tool export: --sqlite and --json name the same file\n";
    return kExitUsage;
  }
  for (const auto &target : {targets->sqlite, targets->json})
    if (target && isArchive(*target, targets->archive)) {
      io.err << "sf6tool export: " << *target << " is the archive itself\n";
      return kExitUsage;
    }

  CatalogLoadOptions options;
  options.messageSink = [&io](const std::string &caption, const std::string &text) {
    io.err << "sf6tool export: " << Cp1252ToUtf8(caption) << ": " << Cp1252ToUtf8(text) << '\n';
  };
  const CatalogArchive archive = LoadCatalogArchive(targets->archive, options);

  if (targets->sqlite)
    ExportCatalogToSqlite(archive, *targets->sqlite);
  if (targets->json == "-") {
    WriteCatalogJsonLines(archive, [&io](std::string_view piece) {
      io.out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
      if (!io.out)
        throw Sf6Error("Cannot write to standard output.");
    });
    io.out.flush();
  } else if (targets->json) {
    ExportCatalogToJsonLines(archive, *targets->json);
  }
  return kExitOk;
}

const CliCommand kCommands[] = {
    {"export", "ARCHIVE [--sqlite OUT.db] [--json OUT.jsonl|-]",
     "the catalog data as an SQLite database and/or JSON Lines", RunExport},
};

} // namespace

std::span<const CliCommand> ExportCommands() {
  return kCommands;
}

} // namespace sf6::cli
