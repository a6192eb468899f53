#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace korven::converter {

// Packed data in the font file is a stream of bits taken least significant bit first: bit 0 of
// byte 0, then bit 1, and so on; a field's first bit is its least significant one.
class BitWriter {
public:
    // Appends the low `bits` bits of value (bits 0..32).
    void put(std::uint32_t value, int bits);
    void putSigned(std::int32_t value, int bits) { put(static_cast<std::uint32_t>(value), bits); }
    // Appends values of 0..15, four bits each, at a nibble boundary, as pixel data always
    // starts; a byte at a time where put would take one call per nibble.
    void putNibbles(std::span<const std::uint8_t> nibbles);
    // Zero bits up to the next byte boundary.
    void alignToByte();
    // Zero bytes until the byte count is a multiple of `bytes`.
    void padToMultipleOf(std::size_t bytes);
    // Overwrites `bits` bits (0..32) from bit `position` with value, for a field whose value is
    // known only after what follows it has been written. The bits must exist already.
    void overwrite(std::size_t position, std::uint32_t value, int bits);
    // Hands over the bytes written so far, leaving the writer empty.
    std::vector<std::uint8_t> release();
    std::size_t bitCount() const { return bitCount_; }
    // The bytes written so far; a partial last byte is zero-filled.
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t bitCount_ = 0;
};

// Reads the same stream back. Every read is checked against the end of the buffer and throws
// PgfFormatError rather than reading beyond it.
class BitReader {
public:
    BitReader(std::span<const std::uint8_t> data, std::size_t startByte);

    std::uint32_t get(int bits);
    std::int32_t getSigned(int bits);
    std::size_t bitPosition() const { return bit_; }
    std::size_t bytePosition() const { return (bit_ + 7) / 8; }

private:
    std::span<const std::uint8_t> data_;
    std::size_t bit_;
};

// Number of bits needed to store `value` (at least 1).
int bitsFor(std::uint64_t value);

// Reads entry `index` of a packed table of `bpe`-bit entries starting at `offset` bytes.
std::uint32_t readPacked(std::span<const std::uint8_t> data, std::size_t offset, std::size_t index,
                         int bpe);

// Packs entries of `bpe` bits and pads the result to whole 32-bit words, as every table is.
std::vector<std::uint8_t> packTable(const std::vector<std::uint32_t>& entries, int bpe);

// Size in bytes of a packed table of `count` entries, padded to whole 32-bit words.
std::size_t paddedTableBytes(std::size_t count, int bpe);

} // namespace korven::converter
