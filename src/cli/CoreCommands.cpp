#include "Sf6Version.h"
#include "cli/CliCommand.h"

#include <ostream>

namespace sf6::cli {
namespace {

int RunVersion(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io) {
  if (!args.empty())
    return UsageError(command, io);
  io.out << SF6_FILE_VERSION << '\n';
  return kExitOk;
}

const CliCommand kCommands[] = {
    {"--version", "", "print the program's file version", RunVersion},
};

} // namespace

std::span<const CliCommand> CoreCommands() {
  return kCommands;
}

} // namespace sf6::cli
