#include "converter/Rle.h"

#include <algorithm>

namespace korven::converter {

namespace {

constexpr std::size_t kMaxGroup = 8;

// Walks the pixels once and reports each group to `emit(run, first, length)`.
template <typename At, typename Emit>
void forEachGroup(At at, std::size_t n, Emit emit) {
    std::size_t i = 0;
    while (i < n) {
        const std::uint8_t v = at(i);
        std::size_t run = 1;
        while (run < kMaxGroup && i + run < n && at(i + run) == v)
            ++run;
        if (run >= 2) {
            emit(true, i, run);
            i += run;
            continue;
        }
        // A literal group; two equal pixels stay inside it (a run of two saves nothing once
        // the group needs a new code after it), three or more end it.
        const std::size_t first = i++;
        while (i - first < kMaxGroup && i < n) {
            if (i + 2 < n && at(i) == at(i + 1) && at(i + 1) == at(i + 2))
                break;
            ++i;
        }
        emit(false, first, i - first);
    }
}

} // namespace

std::size_t rleLength(std::span<const std::uint8_t> pixels) {
    std::size_t nibbles = 0;
    forEachGroup(
        [&](std::size_t i) { return pixels[i]; }, pixels.size(),
        [&](bool run, std::size_t, std::size_t length) { nibbles += run ? 2 : 1 + length; });
    return nibbles;
}

std::vector<std::uint8_t> encodeRle(std::span<const std::uint8_t> pixels) {
    std::vector<std::uint8_t> nibbles;
    nibbles.reserve(pixels.size() + pixels.size() / 4 + 2);
    forEachGroup([&](std::size_t i) { return pixels[i]; }, pixels.size(),
                 [&](bool run, std::size_t first, std::size_t length) {
                     if (run) {
                         nibbles.push_back(static_cast<std::uint8_t>(length - 1));
                         nibbles.push_back(pixels[first]);
                     } else {
                         nibbles.push_back(static_cast<std::uint8_t>(16 - length));
                         nibbles.insert(
                             nibbles.end(), pixels.begin() + static_cast<std::ptrdiff_t>(first),
                             pixels.begin() + static_cast<std::ptrdiff_t>(first + length));
                     }
                 });
    return nibbles;
}

std::vector<std::uint8_t> decodeRle(BitReader& reader, std::size_t count) {
    std::vector<std::uint8_t> pixels;
    pixels.reserve(count);
    while (pixels.size() < count) {
        const std::uint32_t code = reader.get(4);
        if (code < 8) {
            const auto value = static_cast<std::uint8_t>(reader.get(4));
            const std::size_t repeat = std::min<std::size_t>(code + 1, count - pixels.size());
            pixels.insert(pixels.end(), repeat, value);
        } else {
            for (std::uint32_t k = code; k < 16 && pixels.size() < count; ++k)
                pixels.push_back(static_cast<std::uint8_t>(reader.get(4)));
        }
    }
    return pixels;
}

} // namespace korven::converter
