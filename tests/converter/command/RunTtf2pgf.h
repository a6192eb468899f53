#pragma once

// Runs ttf2pgf in the test's own process and keeps what it printed, for the command's tests.

#include "converter/command/Cli.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace korven::converter::testing {

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

inline Outcome runCommand(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = runTtf2pgf(args, out, err);
    return {code, out.str(), err.str()};
}

inline std::string readText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace korven::converter::testing
