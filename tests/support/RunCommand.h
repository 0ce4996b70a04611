#pragma once

// Running sf6tool and other programs from tests: the command line goes to the
// shell, standard output comes back, and standard input (when given) is fed
// from a temporary file of its own, so tests running in parallel never share one.

#include <array>
#include <filesystem>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>

namespace sf6::test {

struct CommandResult {
  int exitCode = -1; // -1 when the command did not exit normally
  std::string output;
};

// Runs commandLine through the shell. Append " 2>&1" to capture stderr too.
inline CommandResult RunCommand(const std::string &commandLine,
                                std::optional<std::string_view> input = std::nullopt) {
  std::string inputPath;
  std::string line = commandLine;
  if (input) {
    std::string pattern = (std::filesystem::temp_directory_path() / "sf6-input-XXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
      return {};
    ::close(fd);
    inputPath = pattern;
    std::ofstream(inputPath, std::ios::binary) << *input;
    line = "(" + commandLine + ") <'" + inputPath + "'";
  }
  CommandResult result;
  if (FILE *pipe = ::popen(line.c_str(), "r")) {
    std::array<char, 4096> block{};
    size_t got = 0;
    while ((got = std::fread(block.data(), 1, block.size(), pipe)) > 0)
      result.output.append(block.data(), got);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  if (!inputPath.empty())
    std::remove(inputPath.c_str());
  return result;
}

// The built sf6tool with arguments (a shell fragment, quoted by the caller).
inline std::string Sf6ToolCommand(const std::string &arguments) {
  return std::string("'") + SF6TOOL_PATH + "' " + arguments;
}

} // namespace sf6::test
