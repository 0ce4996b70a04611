// sf6tool check: the catalog check on the command line, one problem a line
// (as compilers print them) or JSON Lines, a summary on stderr.

#include "check/CatalogCheck.h"
#include "cli/CliIo.h"
#include "text/CodePage.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <ostream>

namespace sf6::cli {
namespace {

struct CheckArguments {
  std::string archive;
  bool json = false;
  bool strict = false;
  std::size_t maxPerRule = check::kAllProblems;
};

// The arguments, or nothing when they are wrong.
std::optional<CheckArguments> parseArguments(const std::vector<std::string> &args) {
  CheckArguments parsed;
  bool haveArchive = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string &arg = args[i];
    if (arg == "--strict") {
      parsed.strict = true;
    } else if (arg == "--format") {
      if (++i == args.size() || (args[i] != "json" && args[i] != "text"))
        return std::nullopt;
      parsed.json = args[i] == "json";
    } else if (arg == "--max") {
      if (++i == args.size())
        return std::nullopt;
      const std::string &n = args[i];
      std::size_t value = 0;
      const auto [end, ec] = std::from_chars(n.data(), n.data() + n.size(), value);
      if (n.empty() || ec != std::errc() || end != n.data() + n.size())
        return std::nullopt;
      parsed.maxPerRule = value;
    } else if (!arg.empty() && arg[0] == '-') {
      return std::nullopt;
    } else if (haveArchive) {
      return std::nullopt;
    } else {
      parsed.archive = arg;
      haveArchive = true;
    }
  }
  if (!haveArchive)
    return std::nullopt;
  return parsed;
}

void printText(const check::CatalogProblem &p, OutputBuffer &out) {
  out.text(p.entry);
  out.raw(':');
  out.raw(std::to_string(p.line));
  out.raw(':');
  out.raw(std::to_string(p.column));
  out.raw(": ");
  out.text(check::SeverityText(p.severity));
  out.raw(": ");
  out.text(p.message);
  out.raw(" [");
  out.raw(check::Rule(p.rule).name);
  out.raw("]\n");
}

void printJson(const check::CatalogProblem &p, OutputBuffer &out) {
  nlohmann::ordered_json object;
  object["entry"] = Cp1252ToUtf8(p.entry);
  object["line"] = p.line;
  object["column"] = p.column;
  object["field"] = p.field > 0 ? nlohmann::ordered_json(p.field) : nlohmann::ordered_json();
  object["caption"] =
      p.field > 0 ? nlohmann::ordered_json(Cp1252ToUtf8(p.caption)) : nlohmann::ordered_json();
  object["severity"] = p.severity == check::Severity::Error ? "error" : "warning";
  object["rule"] = check::Rule(p.rule).name;
  object["message"] = Cp1252ToUtf8(p.message);
  out.raw(object.dump());
  out.raw('\n');
}

std::string summary(const check::CheckResult &result, bool strict) {
  std::string text = std::to_string(result.errors) + " Fehler, " + std::to_string(result.warnings) +
                     (result.warnings == 1 ? " Warnung" : " Warnungen");
  if (result.leftOut > 0)
    text += " (" + std::to_string(result.leftOut) + " wegen --max nicht ausgegeben)";
  if (strict && result.warnings > 0)
    text += "; --strict: Warnungen z\xC3\xA4hlen als Fehler";
  return text;
}

int RunCheck(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io) {
  const std::optional<CheckArguments> parsed = parseArguments(args);
  if (!parsed)
    return UsageError(command, io);
  check::CheckOptions options;
  options.maxPerRule = parsed->maxPerRule;
  const check::CheckResult result = check::CheckCatalogFile(parsed->archive, options);
  {
    OutputBuffer out(io.out);
    for (const check::CatalogProblem &p : result.problems) {
      if (parsed->json)
        printJson(p, out);
      else
        printText(p, out);
      out.endPiece();
    }
  }
  io.out.flush();
  io.err << parsed->archive << ": " << summary(result, parsed->strict) << '\n';
  const bool failed = result.errors > 0 || (parsed->strict && result.warnings > 0);
  return failed ? kExitFailure : kExitOk;
}

const CliCommand kCommands[] = {
    {"check", "ARCHIVE [--format json] [--max N] [--strict]",
     "check a catalog: one problem a line, exit 1 on errors", RunCheck},
};

} // namespace

std::span<const CliCommand> CheckCommands() {
  return kCommands;
}

} // namespace sf6::cli
