#pragma once

// Running sf6tool commands inside the test process through the command
// table, with standard input, output and error as strings: the fast path for
// testing what a command prints. A few end-to-end tests still run the binary
// (support/RunCommand.h).

#include "cli/CliCommand.h"

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace sf6::test {

struct ToolRun {
  int exitCode = -1;
  std::string out; // UTF-8, as the binary writes it
  std::string err;
};

// Splits a command line into words at blanks; text in single quotes is one
// word (or part of one) without its quotes, as the shell reads it.
inline std::vector<std::string> SplitShellWords(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (char c : line) {
    if (c == '\'') {
      quoted = !quoted;
      inWord = true;
      continue;
    }
    if (c == ' ' && !quoted) {
      if (inWord)
        words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    word += c;
    inWord = true;
  }
  if (inWord)
    words.push_back(std::move(word));
  return words;
}

inline ToolRun RunToolInProcess(const std::vector<std::string> &arguments,
                                const std::string &input = {}) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  cli::CommandIo io{in, out, err};
  ToolRun run;
  run.exitCode = cli::RunTool(arguments, io);
  run.out = out.str();
  run.err = err.str();
  return run;
}

} // namespace sf6::test
