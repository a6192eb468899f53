#include "converter/Rle.h"

#include <algorithm>

namespace korven::converter {

namespace {

constexpr std::size_t kMaxGroup = 8;

// Reports each group to `emit(run, first, length)`. Comparing every pixel with the next one
// first is a single loop without dependencies between steps, so it vectorises; the walk that
// follows then decides per group rather than per pixel.
template <typename Emit>
void forEachGroup(std::span<const std::uint8_t> p, Emit emit) {
    const std::size_t n = p.size();
    // sameAsNext[i]: pixel i equals pixel i + 1 (never true for the last pixel and the pad).
    thread_local std::vector<std::uint8_t> buffer; // reused: called for every bitmap
    buffer.assign(n + 1, 0);
    // Plain pointers that cannot overlap, so the comparison loop vectorises.
    std::uint8_t* __restrict sameAsNext = buffer.data();
    const std::uint8_t* __restrict px = p.data();
    for (std::size_t i = 0; i + 1 < n; ++i)
        sameAsNext[i] = px[i] == px[i + 1];

    std::size_t i = 0;
    while (i < n) {
        if (sameAsNext[i]) {
            std::size_t run = 2;
            while (run < kMaxGroup && sameAsNext[i + run - 1])
                ++run;
            emit(true, i, run);
            i += run;
            continue;
        }
        // A literal group; two equal pixels stay inside it (a run of two saves nothing once
        // the group needs a new code after it), three or more end it.
        const std::size_t first = i++;
        while (i - first < kMaxGroup && i < n && !(sameAsNext[i] && sameAsNext[i + 1]))
            ++i;
        emit(false, first, i - first);
    }
}

} // namespace

std::size_t rleLength(std::span<const std::uint8_t> pixels) {
    std::size_t nibbles = 0;
    forEachGroup(pixels, [&](bool run, std::size_t, std::size_t length) {
        nibbles += run ? 2 : 1 + length;
    });
    return nibbles;
}

std::vector<std::uint8_t> encodeRle(std::span<const std::uint8_t> pixels) {
    // At most two nibbles per pixel; writing through a pointer into room made beforehand keeps
    // the per-nibble work to a store.
    std::vector<std::uint8_t> nibbles(2 * pixels.size());
    std::uint8_t* out = nibbles.data();
    forEachGroup(pixels, [&](bool run, std::size_t first, std::size_t length) {
        if (run) {
            *out++ = static_cast<std::uint8_t>(length - 1);
            *out++ = pixels[first];
        } else {
            *out++ = static_cast<std::uint8_t>(16 - length);
            out = std::copy_n(pixels.data() + first, length, out);
        }
    });
    nibbles.resize(static_cast<std::size_t>(out - nibbles.data()));
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
