#pragma once

// Runs ttf2pgf in the test's own process and keeps what it printed, for the command's tests.

#include "converter/command/Cli.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
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

// Everything in a folder, hidden files and subfolders too: name, kind, permissions and bytes.
inline std::map<std::string, std::string> snapshot(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entries;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        const auto perms = static_cast<int>(e.symlink_status().permissions() & fs::perms::all);
        entries[fs::relative(e.path(), folder).string()] =
            (e.is_directory() ? "folder " : "file ") + std::to_string(perms) + " " +
            (e.is_directory() ? "" : readText(e.path()));
    }
    return entries;
}

} // namespace korven::converter::testing
