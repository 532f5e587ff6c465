// if97: the property library from a terminal. Everything but the stream set-up
// lives in the command functions of cli/commands.h.
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return if97::cli::RunCli(args, std::cin, std::cout, std::cerr);
}
