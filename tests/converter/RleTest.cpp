#include "converter/Rle.h"

#include "converter/Errors.h"

#include <gtest/gtest.h>
#include <random>

namespace korven::converter {
namespace {

using Nibbles = std::vector<std::uint8_t>;

std::vector<std::uint8_t> packNibbles(const Nibbles& nibbles) {
    BitWriter w;
    for (std::uint8_t n : nibbles)
        w.put(n, 4);
    return w.bytes();
}

Nibbles decode(const Nibbles& nibbles, std::size_t count) {
    const auto bytes = packNibbles(nibbles);
    BitReader r(bytes, 0);
    return decodeRle(r, count);
}

struct RleCase {
    const char* name;
    Nibbles pixels;
    std::size_t shortest; // nibbles in the shortest encoding
};

class RleEncoding : public ::testing::TestWithParam<RleCase> {};

TEST_P(RleEncoding, EncodesShortestAndDecodesBack) {
    const RleCase& c = GetParam();
    const Nibbles encoded = encodeRle(c.pixels);
    EXPECT_EQ(encoded.size(), c.shortest);
    EXPECT_EQ(decode(encoded, c.pixels.size()), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RleEncoding,
    ::testing::Values(RleCase{"RunOfEight", Nibbles(8, 5), 2},
                      RleCase{"RunOfNine", Nibbles(9, 5), 4}, RleCase{"SingleLiteral", {9}, 2},
                      RleCase{"EightLiterals", {1, 2, 3, 4, 5, 6, 7, 8}, 9},
                      RleCase{"NineLiterals", {1, 2, 3, 4, 5, 6, 7, 8, 9}, 11},
                      RleCase{"AllZero", Nibbles(20, 0), 6}, RleCase{"AllFull", Nibbles(16, 15), 4},
                      RleCase{"PairInsideLiterals", {1, 2, 2, 3}, 5},
                      RleCase{"RunsBetweenLiterals", {1, 2, 7, 7, 7, 7, 7, 3, 4}, 8},
                      RleCase{"Empty", {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Rle, DecodesEveryCodeKind) {
    EXPECT_EQ(decode({7, 5}, 8), Nibbles(8, 5));       // run of 8
    EXPECT_EQ(decode({7, 5, 0, 5}, 9), Nibbles(9, 5)); // run of 8 then 1
    EXPECT_EQ(decode({15, 9}, 1), (Nibbles{9}));       // literal group of 1
    EXPECT_EQ(decode({8, 1, 2, 3, 4, 5, 6, 7, 8}, 8), (Nibbles{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(decode({14, 3, 4, 1, 6}, 4), (Nibbles{3, 4, 6, 6})); // 2 literals, run of 2
}

TEST(Rle, DecoderStopsInsideARunAtTheLastPixel) {
    // A run of 8 when only 3 pixels remain, then a literal group cut after one pixel.
    EXPECT_EQ(decode({7, 4}, 3), (Nibbles{4, 4, 4}));
    EXPECT_EQ(decode({0, 1, 13, 6, 7, 8}, 2), (Nibbles{1, 6}));
}

TEST(Rle, TruncatedStreamThrows) {
    EXPECT_THROW(decode({14, 1, 2, 7}, 10), PgfFormatError); // run code without its value
    EXPECT_THROW(decode({8, 1, 2}, 8), PgfFormatError);
}

TEST(Rle, RandomBitmapsRoundTrip) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 300; ++trial) {
        // Mostly runs with some noise, like anti-aliased glyphs and shadows.
        Nibbles pixels;
        const int n = static_cast<int>(random() % 200);
        std::uint8_t v = 0;
        for (int i = 0; i < n; ++i) {
            if (random() % 4 == 0)
                v = static_cast<std::uint8_t>(random() % 16);
            pixels.push_back(v);
        }
        const Nibbles encoded = encodeRle(pixels);
        ASSERT_EQ(decode(encoded, pixels.size()), pixels);
        // The length used to pick a pixel order must be the length actually written.
        EXPECT_EQ(rleLength(pixels), encoded.size());
    }
}

// The grouping rule one pixel at a time: a run where a pixel equals the next (up to eight),
// otherwise a literal group that ends before three equal pixels or at eight.
Nibbles slowEncode(const Nibbles& p) {
    Nibbles out;
    const std::size_t n = p.size();
    auto same = [&](std::size_t i) { return i + 1 < n && p[i] == p[i + 1]; };
    std::size_t i = 0;
    while (i < n) {
        if (same(i)) {
            std::size_t run = 2;
            while (run < 8 && same(i + run - 1))
                ++run;
            out.push_back(static_cast<std::uint8_t>(run - 1));
            out.push_back(p[i]);
            i += run;
            continue;
        }
        const std::size_t first = i++;
        while (i - first < 8 && i < n && !(same(i) && same(i + 1)))
            ++i;
        out.push_back(static_cast<std::uint8_t>(16 - (i - first)));
        out.insert(out.end(), p.begin() + static_cast<std::ptrdiff_t>(first),
                   p.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return out;
}

TEST(Rle, GroupsMatchThePixelByPixelRuleAcrossLongBitmaps) {
    // Long bitmaps with long runs, so groups start and end on both sides of every 64-pixel
    // boundary of the encoder's comparison words.
    std::mt19937 random(3);
    for (int trial = 0; trial < 400; ++trial) {
        Nibbles pixels;
        const int n = 1 + static_cast<int>(random() % 700);
        std::uint8_t v = 0;
        const unsigned change = 1 + random() % 12;
        for (int i = 0; i < n; ++i) {
            if (random() % change == 0)
                v = static_cast<std::uint8_t>(random() % (trial % 2 ? 3 : 16));
            pixels.push_back(v);
        }
        ASSERT_EQ(encodeRle(pixels), slowEncode(pixels)) << "trial " << trial;
        EXPECT_EQ(rleLength(pixels), slowEncode(pixels).size());
    }
}

TEST(Rle, LastPixelNeverJoinsThePadding) {
    // The encoder reads past the last pixel; a trailing 0 or 15 must not look like a longer run.
    for (std::uint8_t v : {std::uint8_t{0}, std::uint8_t{15}, std::uint8_t{1}}) {
        for (std::size_t n : {1u, 7u, 63u, 64u, 65u, 128u}) {
            const Nibbles pixels(n, v);
            EXPECT_EQ(encodeRle(pixels), slowEncode(pixels)) << int{v} << " x " << n;
            EXPECT_EQ(decode(encodeRle(pixels), n), pixels);
        }
    }
}

TEST(Rle, WritesTheSameNibblesAtAnOddNibblePosition) {
    const Nibbles pixels = {1, 2, 2, 2, 2, 3, 4, 5, 5, 9, 9, 9, 0,  0,  0,  0,  0,  0, 0,
                            0, 0, 7, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    RlePixels buffer;
    std::copy(pixels.begin(), pixels.end(), buffer.reset(pixels.size()));
    BitWriter w;
    w.put(0xB, 4);
    buffer.writeTo(w);
    BitReader r(w.bytes(), 0);
    EXPECT_EQ(r.get(4), 0xBu);
    for (std::uint8_t nibble : slowEncode(pixels))
        EXPECT_EQ(r.get(4), nibble);
    EXPECT_EQ(buffer.nibbleCount(), slowEncode(pixels).size());
    EXPECT_EQ(w.bitCount(), 4 + 4 * buffer.nibbleCount());
}

} // namespace
} // namespace korven::converter
