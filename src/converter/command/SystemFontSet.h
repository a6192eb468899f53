#pragma once

#include "converter/command/Arguments.h"

#include <ostream>

namespace korven::converter {

// ttf2pgf --set: plans the sixteen files, converts them all, and writes them all or none;
// reports as usageText describes. Returns the exit code.
int writeSystemFontSet(const SetCommand& command, std::ostream& out, std::ostream& err);

} // namespace korven::converter
