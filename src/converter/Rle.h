#pragma once

#include "converter/BitStream.h"

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
// single pass, which keeps the converter about as fast as FreeType's rendering.

// Pixels to encode, in a buffer that is reused from bitmap to bitmap and keeps the padding that
// the encoder reads past the last pixel.
class RlePixels {
public:
    // Room for `count` pixels (each 0..15), to be filled in the order they are stored.
    std::uint8_t* reset(std::size_t count);
    // Appends the encoded pixels to `out`, which must be at a nibble boundary.
    void writeTo(BitWriter& out) const;
    // Nibbles that writeTo would append.
    std::size_t nibbleCount() const;

private:
    std::vector<std::uint8_t> buffer_;
    std::size_t count_ = 0;
};

// Nibbles that encodeRle would produce, without producing them.
std::size_t rleLength(std::span<const std::uint8_t> pixels);

// The nibble sequence for `pixels` (each 0..15), in the order given.
std::vector<std::uint8_t> encodeRle(std::span<const std::uint8_t> pixels);

// Reads codes until `count` pixels are produced; a run that goes past the end is cut there.
std::vector<std::uint8_t> decodeRle(BitReader& reader, std::size_t count);

} // namespace korven::converter
