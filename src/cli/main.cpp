// sf6tool: the catalog core on the command line. Catalog text is
// Windows-1252 inside; arguments and standard input are read as UTF-8 and
// output is written as UTF-8.

#include "cli/CliCommand.h"

#include <iostream>

int main(int argc, char **argv) {
  std::ios::sync_with_stdio(false);
  sf6::cli::CommandIo io{std::cin, std::cout, std::cerr};
  return sf6::cli::RunTool(std::vector<std::string>(argv + 1, argv + argc), io);
}
