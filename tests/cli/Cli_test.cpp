#include "Sf6Version.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct ToolResult {
  int exitCode = -1;
  std::string out;
};

// Runs sf6tool with the given arguments; stderr is merged into `out`.
ToolResult runTool(const std::string &arguments) {
  ToolResult result;
  const std::string command = std::string("'") + SF6TOOL_PATH + "' " + arguments + " 2>&1";
  FILE *pipe = popen(command.c_str(), "r");
  if (!pipe)
    return result;
  std::array<char, 4096> buffer{};
  size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    result.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TEST(Sf6Tool, PrintsTheFileVersion) {
  const ToolResult r = runTool("--version");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, std::string(SF6_FILE_VERSION) + "\n");
  // Four parts, as the version resource has them.
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '.'), 3);
}

TEST(Sf6Tool, HelpListsTheCommands) {
  const ToolResult r = runTool("--help");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("--version"), std::string::npos);
}

TEST(Sf6Tool, UnknownCommandOrWrongArgumentsExitWithUsage) {
  ToolResult r = runTool("frobnicate");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.out.find("Usage: sf6tool"), std::string::npos);
  r = runTool("");
  EXPECT_EQ(r.exitCode, 2);
  r = runTool("--version extra");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.out.find("Usage: sf6tool --version"), std::string::npos);
}

} // namespace
