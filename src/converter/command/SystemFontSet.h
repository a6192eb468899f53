#pragma once

#include "converter/command/Account.h"
#include "converter/command/Arguments.h"

#include <ostream>

namespace korven::converter {

// ttf2pgf --set: plans the sixteen files, converts them all, and writes them all or none;
// reports as usageText describes, and in `account` when given. Returns the exit code.
int writeSystemFontSet(const SetCommand& command, std::ostream& out, std::ostream& err,
                       RunAccount* account = nullptr);

} // namespace korven::converter
