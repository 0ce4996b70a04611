#include "Sf6Version.h"

#include <gtest/gtest.h>

#include "support/RunCommand.h"

#include <algorithm>
#include <string>

namespace sf6 {
namespace {

using test::CommandResult;

// sf6tool with arguments; stderr is merged into the output.
CommandResult runTool(const std::string &arguments) {
  return test::RunCommand(test::Sf6ToolCommand(arguments) + " 2>&1");
}

TEST(Sf6Tool, PrintsTheFileVersion) {
  const CommandResult r = runTool("--version");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, std::string(SF6_FILE_VERSION) + "\n");
  // Four parts, as the version resource has them.
  EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '.'), 3);
}

TEST(Sf6Tool, HelpListsTheCommands) {
  const CommandResult r = runTool("--help");
  EXPECT_EQ(r.exitCode, 0);
  for (const char *command : {"--version", "ls ", "cat ", "put ", "rm ", "fields ", "rebuild ",
                              "csv ", "head ", "convert ", "model ", "check ", "diff ", "export "})
    EXPECT_NE(r.output.find(std::string("\n  ") + command), std::string::npos) << command;
}

TEST(Sf6Tool, UnknownCommandOrWrongArgumentsExitWithUsage) {
  CommandResult r = runTool("frobnicate");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.output.find("Usage: sf6tool"), std::string::npos);
  r = runTool("");
  EXPECT_EQ(r.exitCode, 2);
  r = runTool("--version extra");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.output.find("Usage: sf6tool --version"), std::string::npos);
}

} // namespace
} // namespace sf6
