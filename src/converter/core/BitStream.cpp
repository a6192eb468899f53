#include "converter/core/BitStream.h"

#include "converter/core/Errors.h"

#include <stdexcept>
#include <utility>

namespace korven::converter {

void BitWriter::put(std::uint32_t value, int bits) {
    if (bits <= 0)
        return;
    std::uint64_t v = bits >= 32 ? value : value & ((1U << bits) - 1U);
    std::size_t byte = bitCount_ / 8;
    v <<= bitCount_ % 8;
    bitCount_ += static_cast<std::size_t>(bits);
    const std::size_t needed = (bitCount_ + 7) / 8;
    if (bytes_.size() < needed)
        bytes_.resize(needed, 0);
    for (; v != 0; v >>= 8)
        bytes_[byte++] |= static_cast<std::uint8_t>(v);
}

void BitWriter::putNibbles(std::span<const std::uint8_t> nibbles) {
    std::size_t k = 0;
    if (bitCount_ % 8 != 0 && !nibbles.empty())
        bytes_.back() = static_cast<std::uint8_t>(bytes_.back() | nibbles[k++] << 4);
    const std::size_t start = bytes_.size();
    bytes_.resize(start + (nibbles.size() - k + 1) / 2);
    std::uint8_t* to = bytes_.data() + start;
    for (; k + 1 < nibbles.size(); k += 2)
        *to++ = static_cast<std::uint8_t>(nibbles[k] | nibbles[k + 1] << 4);
    if (k < nibbles.size())
        *to = nibbles[k];
    bitCount_ += 4 * nibbles.size();
}

void BitWriter::overwrite(std::size_t position, std::uint32_t value, int bits) {
    if (bits <= 0)
        return;
    if ((position + static_cast<std::size_t>(bits) + 7) / 8 > bytes_.size())
        throw std::out_of_range("BitWriter::overwrite past the end");
    // A byte at a time: clear the field's bits in it, then set them from the value.
    std::uint64_t v = bits >= 32 ? value : value & ((1U << bits) - 1U);
    std::uint64_t mask = bits >= 32 ? 0xFFFFFFFFULL : (1ULL << bits) - 1ULL;
    v <<= position % 8;
    mask <<= position % 8;
    for (std::size_t byte = position / 8; mask != 0; ++byte, v >>= 8, mask >>= 8)
        bytes_[byte] = static_cast<std::uint8_t>((bytes_[byte] & ~mask) | (v & mask));
}

void BitWriter::alignToByte() {
    bitCount_ = bytes_.size() * 8;
}

void BitWriter::padToMultipleOf(std::size_t bytes) {
    bytes_.resize((bytes_.size() + bytes - 1) / bytes * bytes, 0);
    bitCount_ = bytes_.size() * 8;
}

std::vector<std::uint8_t> BitWriter::release() {
    std::vector<std::uint8_t> out = std::move(bytes_);
    bytes_.clear();
    bitCount_ = 0;
    return out;
}

BitReader::BitReader(std::span<const std::uint8_t> data, std::size_t startByte)
    : data_(data), bit_(startByte * 8) {}

std::uint32_t BitReader::get(int bits) {
    if (bits < 0 || bits > 32)
        throw PgfFormatError("bit field wider than 32 bits");
    if (bit_ + static_cast<std::size_t>(bits) > data_.size() * 8)
        throw PgfFormatError("data ends inside a packed field");
    if (bits == 0)
        return 0;
    // Gather the (at most five) bytes the field touches, then shift it into place.
    const std::size_t first = bit_ / 8;
    const unsigned shift = static_cast<unsigned>(bit_ % 8);
    const std::size_t count = (shift + static_cast<unsigned>(bits) + 7) / 8;
    std::uint64_t window = 0;
    for (std::size_t k = 0; k < count; ++k)
        window |= static_cast<std::uint64_t>(data_[first + k]) << (8 * k);
    bit_ += static_cast<std::size_t>(bits);
    return static_cast<std::uint32_t>((window >> shift) & ((std::uint64_t{1} << bits) - 1));
}

std::int32_t BitReader::getSigned(int bits) {
    const std::uint32_t raw = get(bits);
    if (bits == 0 || bits == 32)
        return static_cast<std::int32_t>(raw);
    const std::uint32_t sign = 1U << (bits - 1);
    return static_cast<std::int32_t>(raw ^ sign) - static_cast<std::int32_t>(sign);
}

int bitsFor(std::uint64_t value) {
    int bits = 1;
    while (bits < 64 && (value >> bits) != 0)
        ++bits;
    return bits;
}

std::uint32_t readPacked(std::span<const std::uint8_t> data, std::size_t offset, std::size_t index,
                         int bpe) {
    // Jump straight to the entry instead of reading every earlier one.
    const std::size_t bit = offset * 8 + index * static_cast<std::size_t>(bpe);
    if (bit / 8 > data.size())
        throw PgfFormatError("packed table lies beyond the end of the file");
    BitReader field(data, bit / 8);
    field.get(static_cast<int>(bit % 8));
    return field.get(bpe);
}

std::vector<std::uint8_t> packTable(const std::vector<std::uint32_t>& entries, int bpe) {
    if (bpe < 1 || bpe > 32)
        throw std::invalid_argument("packTable: entries must be 1 to 32 bits wide");
    BitWriter w;
    for (const std::uint32_t e : entries)
        w.put(e, bpe);
    w.padToMultipleOf(4);
    return w.release();
}

std::size_t paddedTableBytes(std::size_t count, int bpe) {
    return (count * static_cast<std::size_t>(bpe) + 31) / 32 * 4;
}

} // namespace korven::converter
