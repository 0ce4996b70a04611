#pragma once

// The sf6tool command table: each command group lives in a file of its own
// and exposes its rows; main() dispatches by name.

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace sf6::cli {

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // the command failed; message on stderr
inline constexpr int kExitUsage = 2;   // unknown command or wrong arguments
inline constexpr int kExitNothing = 3; // nothing was extracted

struct CommandIo {
  std::istream &in;
  std::ostream &out;
  std::ostream &err;
};

struct CliCommand {
  const char *name;
  const char *arguments; // e.g. "ARCHIVE ENTRY"
  const char *summary;
  // Returns the exit code. Throwing sf6::Sf6Error prints the message and exits 1.
  int (*run)(const std::vector<std::string> &args, CommandIo &io);
};

// Wrong arguments: prints the usage of the named command to io.err and
// returns kExitUsage.
int UsageError(const char *commandName, CommandIo &io);

// The command groups.
std::span<const CliCommand> CoreCommands();
std::span<const CliCommand> ZipCommands();
std::span<const CliCommand> RecordCommands();
std::span<const CliCommand> ConvertCommands();
std::span<const CliCommand> ModelCommands();
std::span<const CliCommand> CheckCommands();

} // namespace sf6::cli
