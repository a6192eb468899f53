#include "converter/core/BitStream.h"

#include "converter/core/Errors.h"

#include <gtest/gtest.h>
#include <random>
#include <stdexcept>

namespace korven::converter {
namespace {

TEST(BitStream, FieldsStraddlingByteAndWordBoundariesReadBack) {
    // Widths chosen so fields cross byte and 32-bit word boundaries at odd positions.
    struct Field {
        std::uint32_t value;
        int bits;
    };
    const std::vector<Field> fields = {{0x2A, 7},        {0x3FFF, 14},     {0x1, 1}, {0x1FF, 9},
                                       {0xDEADBEEF, 32}, {0x5, 3},         {0x0, 4}, {0x7F, 7},
                                       {0x12345, 17},    {0xFFFFFFFF, 32}, {0x3, 2}};
    BitWriter w;
    for (const Field& f : fields)
        w.put(f.value, f.bits);
    BitReader r(w.bytes(), 0);
    for (const Field& f : fields)
        EXPECT_EQ(r.get(f.bits), f.value) << f.bits << "-bit field";
}

TEST(BitStream, LeastSignificantBitComesFirst) {
    BitWriter w;
    w.put(0x3, 4); // low nibble of byte 0
    w.put(0xA, 4); // high nibble of byte 0
    w.put(0x1, 1);
    ASSERT_EQ(w.bytes().size(), 2u);
    EXPECT_EQ(w.bytes()[0], 0xA3);
    EXPECT_EQ(w.bytes()[1], 0x01);
}

TEST(BitStream, NibblesJoinTheStreamAtEitherHalfOfAByte) {
    BitWriter w;
    w.putNibbles(std::vector<std::uint8_t>{0x1, 0x2, 0x3});
    w.putNibbles(std::vector<std::uint8_t>{0x4, 0x5});
    w.putNibbles({});
    EXPECT_EQ(w.bytes(), (std::vector<std::uint8_t>{0x21, 0x43, 0x05}));
    EXPECT_EQ(w.bitCount(), 20u);
}

TEST(BitStream, SevenBitSignedLimits) {
    BitWriter w;
    for (int v : {-64, -1, 0, 1, 63})
        w.putSigned(v, 7);
    BitReader r(w.bytes(), 0);
    for (int v : {-64, -1, 0, 1, 63})
        EXPECT_EQ(r.getSigned(7), v);
}

TEST(BitStream, ReadingPastTheEndThrows) {
    const std::vector<std::uint8_t> two = {0xFF, 0xFF};
    BitReader r(two, 0);
    EXPECT_EQ(r.get(14), 0x3FFFu);
    EXPECT_THROW(r.get(3), PgfFormatError);
    BitReader beyond(two, 5);
    EXPECT_THROW(beyond.get(1), PgfFormatError);
}

TEST(BitStream, BitsNeededAtPowersOfTwo) {
    EXPECT_EQ(bitsFor(0), 1);
    EXPECT_EQ(bitsFor(255), 8);
    EXPECT_EQ(bitsFor(256), 9);
    EXPECT_EQ(bitsFor(511), 9);
    EXPECT_EQ(bitsFor(65535), 16);
    EXPECT_EQ(bitsFor(65536), 17);
}

TEST(BitStream, PackedTablesArePaddedToWordsAndReadByIndex) {
    const std::vector<std::uint32_t> entries = {0, 1, 255, 256, 511, 3};
    const auto packed = packTable(entries, 9); // 54 bits -> two words
    EXPECT_EQ(packed.size(), 8u);
    EXPECT_EQ(paddedTableBytes(6, 9), 8u);
    EXPECT_EQ(paddedTableBytes(32, 1), 4u);
    EXPECT_EQ(paddedTableBytes(33, 1), 8u);
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(readPacked(packed, 0, i, 9), entries[i]);
    // The padding bits are zero.
    EXPECT_EQ(packed[7] >> 6, 0);
    EXPECT_THROW(readPacked(packed, 0, 7, 9), PgfFormatError);
}

TEST(BitStream, PackedTablesOfEveryWidthReadBack) {
    std::mt19937 random(17);
    for (int bpe = 1; bpe <= 32; ++bpe) {
        std::vector<std::uint32_t> entries(1 + random() % 70);
        for (auto& e : entries)
            e = static_cast<std::uint32_t>(random()) & (bpe == 32 ? ~0U : (1U << bpe) - 1);
        const auto packed = packTable(entries, bpe);
        ASSERT_EQ(packed.size(), paddedTableBytes(entries.size(), bpe)) << bpe;
        for (std::size_t i = 0; i < entries.size(); ++i)
            ASSERT_EQ(readPacked(packed, 0, i, bpe), entries[i]) << bpe << " bits, entry " << i;
    }
    EXPECT_THROW(packTable({1}, 0), std::invalid_argument);
    EXPECT_THROW(packTable({1}, 33), std::invalid_argument);
}

TEST(BitStream, OverwriteChangesOnlyTheField) {
    BitWriter w;
    w.put(0xFFFFFFFF, 32);
    w.put(0, 8);
    w.overwrite(3, 0, 14);    // clears bits 3..16
    w.overwrite(30, 0x2D, 7); // 1011010 across the word boundary
    BitReader r(w.bytes(), 0);
    EXPECT_EQ(r.get(3), 0x7u);
    EXPECT_EQ(r.get(14), 0u);
    EXPECT_EQ(r.get(13), 0x1FFFu);
    EXPECT_EQ(r.get(7), 0x2Du);
    EXPECT_EQ(r.get(3), 0u);
    EXPECT_THROW(w.overwrite(36, 0, 5), std::out_of_range);
}

TEST(BitStream, PaddingAndReleasingTheBytes) {
    BitWriter w;
    w.put(0x1FF, 9);
    w.padToMultipleOf(4);
    EXPECT_EQ(w.bitCount(), 32u);
    w.padToMultipleOf(4); // already a multiple: nothing added
    EXPECT_EQ(w.bytes().size(), 4u);
    w.put(0xA, 4);
    const std::vector<std::uint8_t> bytes = w.release();
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0xFF, 0x01, 0, 0, 0x0A}));
    EXPECT_EQ(w.bitCount(), 0u);
    EXPECT_TRUE(w.bytes().empty());
    w.put(0x7, 3); // the writer starts over
    EXPECT_EQ(w.bytes(), (std::vector<std::uint8_t>{0x07}));
}

} // namespace
} // namespace korven::converter
