// The commands of the `if97` tool. The main program only forwards its arguments
// and standard streams here, so every command can be run in-process by tests.
//
// Exit status:
//   0  success;
//   1  a batch with unreadable rows; a state or a function value outside the
//      supported range (region 9, 10 or 11: the output is printed as usual and
//      standard error names the region); a failed read of the input or a failed
//      write of the output (one line on standard error);
//   2  wrong usage.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace if97::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitDataError = 1;
inline constexpr int kExitUsage = 2;

// args: the arguments after the program name. Everything written to `out` is
// flushed before the return, and a failed write ends with exit status 1.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace if97::cli
