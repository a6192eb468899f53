#pragma once

#include "converter/core/CharacterSets.h"

#include <span>

namespace korven::converter {

// The code points of the "japanese" and "korean" sets, sorted, as ranges (the Latin ones among
// them included). Made by ScriptCharacterSets.py from Python's codecs.
std::span<const CodePointRange> japaneseRanges();
std::span<const CodePointRange> koreanRanges();

} // namespace korven::converter
