#pragma once

#include "converter/BitStream.h"

#include <cstdint>
#include <span>
#include <vector>

namespace korven::converter {

// Bitmaps are stored as nibbles: a code c < 8 is followed by one value repeated c + 1 times;
// a code c >= 8 is followed by 16 - c literal values.

// The shortest nibble sequence that encodes `pixels` (each 0..15). Choosing between runs and
// literal groups by dynamic programming keeps files small, which matters because the handheld's
// own font file is small and its firmware may size buffers from it.
std::vector<std::uint8_t> encodeRle(std::span<const std::uint8_t> pixels);

// Reads codes until `count` pixels are produced; a run that goes past the end is cut there.
std::vector<std::uint8_t> decodeRle(BitReader& reader, std::size_t count);

} // namespace korven::converter
