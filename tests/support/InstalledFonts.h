#pragma once

#include <string>

namespace korven::testing {

// Whether a font a test needs is installed (`present`, named by `what` in the message).
// When it is not, CI (CI=true), where scripts/install-deps.sh installs every font the tests
// use, fails the test; elsewhere the caller skips the test or, in a loop over cases, goes on
// with the next case, so that one missing font does not hide the cases after it.
bool Installed(bool present, const std::string& what);

// The same for a font file.
bool FontFileInstalled(const std::string& path);

} // namespace korven::testing
