// sf6tool's command table and dispatch. Catalog text is
// Windows-1252 inside; arguments and standard input are read as UTF-8 and
// output is written as UTF-8.

#include "cli/CliCommand.h"
#include "text/CodePage.h"
#include "text/Errors.h"

#include <array>
#include <exception>
#include <iostream>
#include <span>

namespace sf6::cli {
namespace {

// Every command group, in the order --help lists them.
const std::array<std::span<const CliCommand>, 8> &Groups() {
  static const std::array<std::span<const CliCommand>, 8> groups = {
      CoreCommands(),  ZipCommands(),   RecordCommands(), ConvertCommands(),
      ModelCommands(), CheckCommands(), DiffCommands(),   ExportCommands(),
  };
  return groups;
}

const CliCommand *FindCommand(std::string_view name) {
  for (const auto &group : Groups())
    for (const auto &command : group)
      if (name == command.name)
        return &command;
  return nullptr;
}

void PrintUsage(std::ostream &out) {
  out << "Usage: sf6tool COMMAND [ARGUMENTS]\n\nCommands:\n";
  for (const auto &group : Groups())
    for (const auto &command : group) {
      std::string head = std::string(command.name) + " " + command.arguments;
      out << "  " << head;
      for (size_t i = head.size(); i < 34; ++i)
        out << ' ';
      out << ' ' << command.summary << '\n';
    }
}

} // namespace

int UsageError(const CliCommand &command, CommandIo &io) {
  io.err << "Usage: sf6tool " << command.name << ' ' << command.arguments << '\n';
  return kExitUsage;
}

int RunTool(const std::vector<std::string> &arguments, CommandIo &io) {
  if (arguments.empty()) {
    PrintUsage(io.err);
    return kExitUsage;
  }
  const std::string &name = arguments.front();
  if (name == "--help" || name == "-h" || name == "help") {
    PrintUsage(io.out);
    return kExitOk;
  }
  const CliCommand *command = FindCommand(name);
  if (!command) {
    io.err << "sf6tool: unknown command '" << name << "'\n";
    PrintUsage(io.err);
    return kExitUsage;
  }
  const std::vector<std::string> args(arguments.begin() + 1, arguments.end());
  try {
    return command->run(*command, args, io);
  } catch (const std::exception &e) {
    io.out.flush();
    io.err << "sf6tool " << name << ": " << Cp1252ToUtf8(e.what()) << '\n';
    return kExitFailure;
  }
}

} // namespace sf6::cli
