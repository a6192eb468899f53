#include "support/InstalledFonts.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <string_view>

namespace korven::testing {

bool Installed(bool present, const std::string& what) {
    if (present) {
        return true;
    }
    const char* ci = std::getenv("CI");
    if (ci != nullptr && std::string_view(ci) == "true") {
        ADD_FAILURE() << what << " is not installed; scripts/install-deps.sh installs it";
    } else {
        std::cerr << what << " is not installed (scripts/install-deps.sh installs it)\n";
    }
    return false;
}

bool FontFileInstalled(const std::string& path) {
    return Installed(std::filesystem::exists(path), path);
}

} // namespace korven::testing
