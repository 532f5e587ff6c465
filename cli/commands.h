// The commands of the `if97` tool. The main program only forwards its arguments
// and standard streams here, so every command can be run in-process by tests.
//
// Exit status: 0 success; 1 a batch with unreadable rows, or a function whose
// state is outside the supported range (or undefined there); 2 wrong usage.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace if97::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitDataError = 1;
inline constexpr int kExitUsage = 2;

// args: the arguments after the program name.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

int RunState(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunBatchCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunFunction(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace if97::cli
