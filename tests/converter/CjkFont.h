#pragma once

// Noto Sans CJK, the collection the Japanese and Korean tests convert. scripts/install-deps.sh
// installs it; in CI its absence fails the test, since a skip there would hide the cases.

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace korven::converter::testing {

inline const std::string kNotoSansCjk = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc";

inline bool inCi() {
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

} // namespace korven::converter::testing

// Ends the test when the font is missing: failed in CI, skipped elsewhere.
#define KORVEN_NEED_FONT(path)                                                                     \
    if (!std::filesystem::exists(path)) {                                                          \
        if (::korven::converter::testing::inCi())                                                  \
            FAIL() << (path) << " is not installed (scripts/install-deps.sh installs it)";         \
        GTEST_SKIP() << (path) << " is not installed (scripts/install-deps.sh installs it)";       \
    }
