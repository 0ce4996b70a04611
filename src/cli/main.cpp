// sf6tool: the catalog core on the command line. Catalog text is
// Windows-1252 inside; arguments and standard input are read as UTF-8 and
// output is written as UTF-8.

#include "cli/CliCommand.h"
#include "text/Errors.h"

#include <array>
#include <exception>
#include <iostream>
#include <span>

namespace sf6::cli {
namespace {

// Every command group, in the order --help lists them.
const std::array<std::span<const CliCommand>, 6> &Groups() {
  static const std::array<std::span<const CliCommand>, 6> groups = {
      CoreCommands(),
      ZipCommands(),
      RecordCommands(),
      ConvertCommands(),
      ModelCommands(),
      CheckCommands(),
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

int UsageError(const char *commandName, CommandIo &io) {
  const CliCommand *command = FindCommand(commandName);
  if (command)
    io.err << "Usage: sf6tool " << command->name << ' ' << command->arguments << '\n';
  else
    PrintUsage(io.err);
  return kExitUsage;
}

int Main(int argc, char **argv) {
  CommandIo io{std::cin, std::cout, std::cerr};
  if (argc < 2) {
    PrintUsage(io.err);
    return kExitUsage;
  }
  const std::string name = argv[1];
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
  std::vector<std::string> args(argv + 2, argv + argc);
  try {
    return command->run(args, io);
  } catch (const std::exception &e) {
    io.out.flush();
    io.err << "sf6tool " << name << ": " << e.what() << '\n';
    return kExitFailure;
  }
}

} // namespace sf6::cli

int main(int argc, char **argv) {
  std::ios::sync_with_stdio(false);
  return sf6::cli::Main(argc, argv);
}
