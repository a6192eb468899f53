#pragma once

// Noto Sans CJK, the collection the Japanese and Korean tests convert. scripts/install-deps.sh
// installs it; in CI its absence fails the test, since a skip there would hide the cases.

#include "support/InstalledFonts.h"

#include <gtest/gtest.h>
#include <string>

namespace korven::converter::testing {

inline const std::string kNotoSansCjk = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc";

} // namespace korven::converter::testing

// Ends the test when the font is missing: failed in CI, skipped elsewhere.
#define KORVEN_NEED_FONT(path)                                                                     \
    if (!::korven::testing::FontFileInstalled(path))                                               \
    GTEST_SKIP() << (path) << " is not installed"
