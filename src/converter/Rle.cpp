#include "converter/Rle.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace korven::converter {

namespace {

constexpr std::size_t kMaxGroup = 8;
// Follows the pixels so that the last pixel never equals its neighbour; any value above 15 does,
// and 16 keeps each byte of a difference below 0x80, which the comparison without vectors
// relies on.
constexpr std::uint8_t kPad = 16;
// Neighbours are compared sixteen pixels at a time and literal groups read eight, both past
// the last pixel.
constexpr std::size_t kPadBytes = 32;

#if defined(__SSE2__)
// Bit i of the result is set when pixel i equals pixel i + 1, for the 16 pixels from p; the
// bytes from p through p[16] are read, so the caller keeps padding after the pixels.
std::uint64_t sixteenSameAsNext(const std::uint8_t* p) {
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    return static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(here, next)));
}
#else
// Bit i of the result is set when pixel i equals pixel i + 1, for the 8 pixels from p; the
// bytes from p through p[8] are read, so the caller keeps padding after the pixels.
std::uint64_t sameAsNextBits(const std::uint8_t* p) {
    if constexpr (std::endian::native == std::endian::little) {
        // Eight comparisons at once: a byte of a ^ b is zero where neighbours are equal, and
        // adding 0x7F sets its top bit exactly where it is not. A multiply then gathers the
        // eight top bits into one byte.
        std::uint64_t a = 0, b = 0;
        std::memcpy(&a, p, 8);
        std::memcpy(&b, p + 1, 8);
        constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
        constexpr std::uint64_t kTop = 0x8080808080808080ULL;
        const std::uint64_t equal = ~(((a ^ b) + kLow7) & kTop) & kTop;
        return ((equal >> 7) * 0x0102040810204080ULL) >> 56;
    } else {
        std::uint64_t bits = 0;
        for (unsigned j = 0; j < 8; ++j)
            bits |= std::uint64_t{p[j] == p[j + 1]} << j;
        return bits;
    }
}

// Processors without byte vectors compare in two halves.
std::uint64_t sixteenSameAsNext(const std::uint8_t* p) {
    return sameAsNextBits(p) | sameAsNextBits(p + 8) << 8;
}
#endif

// The pixels' neighbour comparisons as a bit set, so that a whole group is found with one
// count of leading or trailing bits instead of a test per pixel.
class Neighbours {
public:
    // `padded` holds n > 0 pixels followed by kPadBytes bytes of kPad.
    void reset(const std::uint8_t* padded, std::size_t n) {
        // Two words past the last pixel's: a refill can start up to a group past the end.
        // Every word is written below, so none needs clearing first.
        words_.resize(n / 64 + 3);
        for (std::size_t word = 0; 64 * word < n; ++word) {
            std::uint64_t bits = 0;
            for (std::size_t i = 64 * word; i < std::min(64 * word + 64, n); i += 16)
                bits |= sixteenSameAsNext(padded + i) << (i % 64);
            words_[word] = bits;
        }
        // Past the last pixel every bit is set, as if the padding went on for ever: a literal
        // group then ends at the last pixel by the same test that ends it before three equal
        // pixels, with no separate check of the length. Pixel n - 1 never equals the pad.
        const std::size_t last = n - 1;
        const std::uint64_t throughLast = (std::uint64_t{2} << (last % 64)) - 1;
        words_[last / 64] =
            (words_[last / 64] & throughLast & ~(std::uint64_t{1} << (last % 64))) | ~throughLast;
        for (std::size_t k = last / 64 + 1; k < words_.size(); ++k)
            words_[k] = ~std::uint64_t{0};
    }

    // Bits i, i + 1, ... of the set in bits 0, 1, ...
    std::uint64_t from(std::size_t i) const {
        const std::size_t word = i / 64;
        const unsigned shift = static_cast<unsigned>(i % 64);
        // Shifting the next word by 1 and then by 63 - shift, never by 64, needs no branch for
        // a shift of zero; the branch would be mispredicted at random.
        return (words_[word] >> shift) | ((words_[word + 1] << 1) << (63 - shift));
    }

private:
    std::vector<std::uint64_t> words_;
};

// What the encoder writes at a position, which the next ten neighbour bits decide. It is packed
// into one word, so that the encoding loop loads one value per group and only shifts and masks:
//   bits 0..5    the pixels the group takes, first so that the word itself can be the shift
//                count that moves past them: the next group waits for that shift
//   bits 8..11   the group's code nibble
//   bits 12..43  ones over the data nibbles after the code: a run's value, or the literals
//   bits 48..55  the bits the group writes, code and data
class GroupStep {
public:
    constexpr GroupStep() = default;
    constexpr GroupStep(unsigned length, unsigned code, unsigned dataNibbles)
        : packed_(std::uint64_t{length} | std::uint64_t{code} << 8 |
                  ((std::uint64_t{1} << (4 * dataNibbles)) - 1) << 12 |
                  std::uint64_t{4 + 4 * dataNibbles} << 48) {}

    // Masked to six bits, which shift instructions do by themselves, so this costs nothing.
    unsigned length() const { return static_cast<unsigned>(packed_ & 63); }
    unsigned bits() const { return static_cast<unsigned>(packed_ >> 48); }
    // The code followed by the data nibbles, taken from the group's pixels as nibbles (at
    // most eight, the first in the lowest bits).
    std::uint64_t encode(std::uint64_t pixelNibbles) const {
        return (((pixelNibbles << 12) & packed_) | (packed_ & 0xF00)) >> 8;
    }

private:
    std::uint64_t packed_ = 0;
};

// Neighbour bits a group can depend on: a literal group of eight looks two pixels past its end.
constexpr unsigned kLookahead = 10;

// A group is a run where the pixel equals the next one: it takes the equal pixels that follow,
// up to eight. Otherwise it is a literal group: two equal pixels stay inside it (a run of two
// saves nothing once the group needs a new code after it), three or more end it.
constexpr GroupStep stepFor(std::uint32_t next) {
    if (next & 1) {
        // Trailing ones: the pixels that equal the first one, at most seven more.
        const int length = std::min<int>(kMaxGroup, std::countr_one(next) + 1);
        return GroupStep(static_cast<unsigned>(length), static_cast<unsigned>(length - 1), 1);
    }
    // Bit j: pixels j, j + 1 and j + 2 are equal, where a literal group must end.
    const std::uint32_t threeEqual = next & (next >> 1) & ~1U;
    const int length = std::countr_zero(threeEqual | (1U << kMaxGroup));
    return GroupStep(static_cast<unsigned>(length), static_cast<unsigned>(16 - length),
                     static_cast<unsigned>(length));
}

// Every step, looked up instead of worked out: the choice between run and literal group is
// close to random on anti-aliased pixels, so working it out costs mispredicted branches or
// both ways' arithmetic, and each group's position waits for the one before it.
constexpr std::array<GroupStep, 1U << kLookahead> kSteps = [] {
    std::array<GroupStep, 1U << kLookahead> steps{};
    for (std::uint32_t next = 0; next < steps.size(); ++next)
        steps[next] = stepFor(next);
    return steps;
}();

// Reports each group to `emit(step, first)`, given the pixels followed by padding.
template <typename Emit>
[[gnu::always_inline]] inline void forEachGroup(const std::uint8_t* padded, std::size_t n,
                                                Emit emit) {
    if (n == 0)
        return;
    thread_local Neighbours same; // reused: called for every bitmap
    same.reset(padded, n);
    // The next bits stay in a register, refilled only when fewer than the lookahead are left:
    // about once every ten groups.
    std::size_t i = 0;
    std::uint64_t window = same.from(0);
    unsigned valid = 64;
    while (i < n) {
        const GroupStep step = kSteps[window & ((1U << kLookahead) - 1)];
        emit(step, i);
        i += step.length();
        window >>= step.length();
        valid -= step.length();
        if (valid < kLookahead) {
            window = same.from(i);
            valid = 64;
        }
    }
}

// Eight pixels from p (each 0..15) as eight nibbles, the first in the lowest bits.
std::uint64_t eightAsNibbles(const std::uint8_t* p) {
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t x = 0;
        std::memcpy(&x, p, 8);
        // Each step halves the gaps between neighbouring values.
        x = (x | (x >> 4)) & 0x00FF00FF00FF00FFULL;
        x = (x | (x >> 8)) & 0x0000FFFF0000FFFFULL;
        return (x | (x >> 16)) & 0xFFFFFFFFULL;
    } else {
        std::uint64_t x = 0;
        for (unsigned j = 0; j < 8; ++j)
            x |= std::uint64_t{p[j]} << (4 * j);
        return x;
    }
}

} // namespace

std::uint8_t* RlePixels::reset(std::size_t count) {
    count_ = count;
    buffer_.resize(count + kPadBytes);
    std::fill_n(buffer_.begin() + static_cast<std::ptrdiff_t>(count), kPadBytes, kPad);
    return buffer_.data();
}

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
__attribute__((target_clones("bmi2", "default")))
#endif
void RlePixels::writeTo(BitWriter& out) const {
    // A group takes at most two nibbles per pixel (a literal of one), so count_ bytes, plus the
    // byte already begun and the seven that each whole-word store writes beyond its bits.
    const std::size_t startBit = out.bitCount();
    std::uint8_t* const first = out.openTail(count_ + 1 + 8);
    WordAppender appender(first, static_cast<unsigned>(startBit % 8));
    const std::uint8_t* p = buffer_.data();
    forEachGroup(p, count_, [&](GroupStep step, std::size_t from) {
        // Reading eight pixels is safe: the padding covers a group that starts near the end.
        // A group writes at most 36 bits.
        appender.append(step.encode(eightAsNibbles(p + from)), step.bits());
    });
    out.closeTail((startBit / 8 + static_cast<std::size_t>(appender.at() - first)) * 8 +
                  appender.pending());
}

std::size_t RlePixels::nibbleCount() const {
    std::size_t nibbles = 0;
    forEachGroup(buffer_.data(), count_,
                 [&](GroupStep step, std::size_t) { nibbles += step.bits() / 4; });
    return nibbles;
}

namespace {
// The pixels copied into a reused buffer with the padding the encoder reads.
const RlePixels& padded(std::span<const std::uint8_t> pixels) {
    thread_local RlePixels buffer;
    std::copy(pixels.begin(), pixels.end(), buffer.reset(pixels.size()));
    return buffer;
}
} // namespace

std::size_t rleLength(std::span<const std::uint8_t> pixels) {
    return padded(pixels).nibbleCount();
}

std::vector<std::uint8_t> encodeRle(std::span<const std::uint8_t> pixels) {
    BitWriter out;
    padded(pixels).writeTo(out);
    // Unpacked again, one nibble per byte; only tests need this form.
    std::vector<std::uint8_t> nibbles;
    nibbles.reserve(out.bitCount() / 4);
    for (std::size_t k = 0; k < out.bitCount() / 4; ++k)
        nibbles.push_back(static_cast<std::uint8_t>((out.bytes()[k / 2] >> (4 * (k % 2))) & 0x0F));
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
