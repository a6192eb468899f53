#include "converter/core/Rle.h"

#include "converter/core/Errors.h"

#include <gtest/gtest.h>
#include <random>

namespace korven::converter {
namespace {

using Nibbles = std::vector<std::uint8_t>;

Nibbles decode(const Nibbles& nibbles, std::size_t count) {
    BitWriter w;
    w.putNibbles(nibbles);
    BitReader r(w.bytes(), 0);
    return decodeRle(r, count);
}

struct RleCase {
    const char* name;
    Nibbles pixels;
    Nibbles codes; // what the encoder writes: the file's bytes depend on these exact groups
};

// Test listings name the case instead of dumping its bytes.
void PrintTo(const RleCase& c, std::ostream* os) {
    *os << c.name;
}

class RleEncoding : public ::testing::TestWithParam<RleCase> {};

TEST_P(RleEncoding, WritesTheseGroupsAndDecodesBack) {
    const RleCase& c = GetParam();
    EXPECT_EQ(encodeRle(c.pixels), c.codes);
    EXPECT_EQ(decode(c.codes, c.pixels.size()), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RleEncoding,
    ::testing::Values(
        RleCase{"RunOfEight", Nibbles(8, 5), {7, 5}},
        RleCase{"RunOfNineEndsInALiteral", Nibbles(9, 5), {7, 5, 15, 5}},
        RleCase{"RunOfTenEndsInARunOfTwo", Nibbles(10, 5), {7, 5, 1, 5}},
        RleCase{"SingleLiteral", {9}, {15, 9}},
        RleCase{"EightLiterals", {1, 2, 3, 4, 5, 6, 7, 8}, {8, 1, 2, 3, 4, 5, 6, 7, 8}},
        RleCase{"NineLiterals", {1, 2, 3, 4, 5, 6, 7, 8, 9}, {8, 1, 2, 3, 4, 5, 6, 7, 8, 15, 9}},
        RleCase{"AllZero", Nibbles(20, 0), {7, 0, 7, 0, 3, 0}},
        RleCase{"AllFull", Nibbles(16, 15), {7, 15, 7, 15}},
        RleCase{"PairInsideLiterals", {1, 2, 2, 3}, {12, 1, 2, 2, 3}},
        RleCase{
            "ThreeEqualEndALiteralGroup", {1, 2, 7, 7, 7, 7, 7, 3, 4}, {14, 1, 2, 4, 7, 14, 3, 4}},
        RleCase{"LiteralGroupEndsAtTheLastPixel", {4, 6, 6}, {13, 4, 6, 6}},
        RleCase{"Empty", {}, {}}),
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
        ASSERT_EQ(decode(encodeRle(pixels), pixels.size()), pixels);
    }
}

} // namespace
} // namespace korven::converter
