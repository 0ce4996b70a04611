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
  // Receives its own row and the arguments after the command name; returns
  // the exit code. Throwing sf6::Sf6Error prints the message and exits 1.
  int (*run)(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io);
};

// Wrong arguments: prints the usage of the command to io.err and returns
// kExitUsage.
int UsageError(const CliCommand &command, CommandIo &io);

// Runs the command line arguments (the command name first, without the
// program name) and returns the exit code: the command's, kExitUsage for an
// unknown or missing command, kExitFailure when the command throws (the
// message goes to io.err).
int RunTool(const std::vector<std::string> &arguments, CommandIo &io);

// The command groups.
std::span<const CliCommand> CoreCommands();
std::span<const CliCommand> ZipCommands();
std::span<const CliCommand> RecordCommands();
std::span<const CliCommand> ConvertCommands();
std::span<const CliCommand> ModelCommands();
std::span<const CliCommand> DiffCommands();
std::span<const CliCommand> ExportCommands();
std::span<const CliCommand> CheckCommands();

} // namespace sf6::cli
