#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace korven::converter {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// The whole ttf2pgf program without the process around it: runs the command line `args`
// (without the program name), prints results to `out` and one line per problem to `err`, and
// returns the exit code: 0 done, 1 conversion or file failure, 2 wrong arguments.
int runTtf2pgf(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace korven::converter
