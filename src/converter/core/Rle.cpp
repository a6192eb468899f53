#include "converter/core/Rle.h"

#include <algorithm>

namespace korven::converter {

namespace {
constexpr std::size_t kMaxGroup = 8;
constexpr std::size_t kLiteralCodeBase = 16; // a literal group of n pixels has code 16 - n
} // namespace

std::vector<std::uint8_t> encodeRle(std::span<const std::uint8_t> pixels) {
    const std::size_t n = pixels.size();
    // At most two nibbles per pixel: a literal group of one.
    std::vector<std::uint8_t> codes(2 * n);
    std::uint8_t* to = codes.data();
    auto sameAsNext = [&](std::size_t i) { return i + 1 < n && pixels[i] == pixels[i + 1]; };
    std::size_t i = 0;
    while (i < n) {
        if (sameAsNext(i)) {
            // A run: the pixel and the equal ones after it, up to eight.
            std::size_t length = 2;
            while (length < kMaxGroup && sameAsNext(i + length - 1))
                ++length;
            *to++ = static_cast<std::uint8_t>(length - 1);
            *to++ = pixels[i];
            i += length;
            continue;
        }
        // A literal group. Two equal pixels stay inside it (a run of two saves nothing once the
        // group needs a new code after it); three or more end it.
        const std::size_t first = i++;
        while (i - first < kMaxGroup && i < n && !(sameAsNext(i) && sameAsNext(i + 1)))
            ++i;
        *to++ = static_cast<std::uint8_t>(kLiteralCodeBase - (i - first));
        to = std::copy(pixels.begin() + static_cast<std::ptrdiff_t>(first),
                       pixels.begin() + static_cast<std::ptrdiff_t>(i), to);
    }
    codes.resize(static_cast<std::size_t>(to - codes.data()));
    return codes;
}

std::vector<std::uint8_t> decodeRle(BitReader& reader, std::size_t count) {
    std::vector<std::uint8_t> pixels;
    pixels.reserve(count);
    while (pixels.size() < count) {
        const std::uint32_t code = reader.get(4);
        if (code < kMaxGroup) {
            const auto value = static_cast<std::uint8_t>(reader.get(4));
            const std::size_t repeat = std::min<std::size_t>(code + 1, count - pixels.size());
            pixels.insert(pixels.end(), repeat, value);
        } else {
            for (std::uint32_t k = code; k < kLiteralCodeBase && pixels.size() < count; ++k)
                pixels.push_back(static_cast<std::uint8_t>(reader.get(4)));
        }
    }
    return pixels;
}

} // namespace korven::converter
