#include "SampleFont.h"
#include "converter/core/BitStream.h"
#include "converter/core/Errors.h"
#include "converter/core/PgfLayout.h"
#include "converter/core/PgfReader.h"
#include "converter/core/PgfWriter.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace korven::converter {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes sampleBytes() {
    return writePgf(testing::sampleFont());
}

void putU32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Parsing and decoding every glyph either works or throws PgfFormatError; anything else (a
// crash, another exception) fails the test, and the sanitizer build catches stray reads.
bool readsCleanly(Bytes bytes) {
    try {
        PgfFile::parse(std::move(bytes)).toFont();
        return true;
    } catch (const PgfFormatError&) {
        return false;
    }
}

struct Corruption {
    const char* name;
    std::function<void(Bytes&)> apply;
};

// Test listings name the case instead of dumping its bytes.
void PrintTo(const Corruption& c, std::ostream* os) {
    *os << c.name;
}

class ReaderRejects : public ::testing::TestWithParam<Corruption> {};

TEST_P(ReaderRejects, MalformedFiles) {
    Bytes bytes = sampleBytes();
    GetParam().apply(bytes);
    EXPECT_FALSE(readsCleanly(bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Header, ReaderRejects,
    ::testing::Values(
        Corruption{"Empty", [](Bytes& b) { b.clear(); }},
        Corruption{"ShortHeader", [](Bytes& b) { b.resize(391); }},
        Corruption{"Magic", [](Bytes& b) { b[layout::kMagic] = 'X'; }},
        Corruption{"Version", [](Bytes& b) { putU32(b, layout::kVersion, 5); }},
        Corruption{"Revision", [](Bytes& b) { putU32(b, layout::kRevision, 4); }},
        Corruption{"HeaderSize", [](Bytes& b) { b[layout::kHeaderSize] = 0x90; }},
        Corruption{"WideEntries", [](Bytes& b) { putU32(b, layout::kCharMapBpe, 33); }},
        Corruption{"HugeGlyphCount",
                   [](Bytes& b) { putU32(b, layout::kCharPointerLength, 70000); }},
        Corruption{"TablesBeyondEnd", [](Bytes& b) { putU32(b, layout::kCharMapLength, 65535); }},
        Corruption{"FirstAfterLast",
                   [](Bytes& b) {
                       b[layout::kLastGlyph] = 0x10;
                       b[layout::kLastGlyph + 1] = 0;
                   }},
        Corruption{"MetricIndexBeyondTable", [](Bytes& b) { b[layout::kDimTableLength] = 1; }},
        Corruption{"PointerBeyondEnd",
                   [](Bytes& b) {
                       const PgfFile f = PgfFile::parse(b);
                       // Last char pointer set to all ones.
                       const std::size_t bits = std::size_t(f.header().charPointerBpe);
                       const std::size_t at =
                           f.blocks().charPointers * 8 + (f.glyphCount() - 1) * bits;
                       for (std::size_t i = at; i < at + bits; ++i)
                           b[i / 8] |= static_cast<std::uint8_t>(1u << (i % 8));
                   }},
        Corruption{"RecordCutShort",
                   [](Bytes& b) { b.resize(PgfFile::parse(b).record(8).offset + 6); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Reader, EveryTruncationFailsCleanly) {
    const Bytes full = sampleBytes();
    for (std::size_t size = 0; size < full.size(); size += 3)
        readsCleanly(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size)));
    // Only the zero padding after the last record may go without losing anything.
    EXPECT_TRUE(readsCleanly(Bytes(full.begin(), full.end() - layout::kTailPadding)));
}

TEST(Reader, RandomCorruptionNeverEscapesAsAnotherError) {
    const Bytes full = sampleBytes();
    std::mt19937 random(11);
    for (int trial = 0; trial < 2000; ++trial) {
        Bytes b = full;
        for (int k = 0; k < 4; ++k)
            b[random() % b.size()] = static_cast<std::uint8_t>(random());
        EXPECT_NO_THROW(readsCleanly(b));
    }
}

TEST(Reader, RevisionThreeCompressedCharacterMap) {
    // Turn the sample into a revision 3 file whose char map covers two ranges: 0x41-0x42 and
    // 0x2122, listed in the compression table.
    const Bytes v2 = sampleBytes();
    const PgfFile f = PgfFile::parse(v2);
    Bytes b(v2.begin(), v2.begin() + static_cast<std::ptrdiff_t>(layout::kHeaderSizeRev2));
    b.resize(layout::kHeaderSizeRev3, 0);
    b[layout::kHeaderSize] = static_cast<std::uint8_t>(layout::kHeaderSizeRev3);
    b[layout::kHeaderSize + 1] = static_cast<std::uint8_t>(layout::kHeaderSizeRev3 >> 8);
    putU32(b, layout::kRevision, 3);
    putU32(b, layout::kCompCharMapLength1, 2);
    b.insert(b.end(), v2.begin() + static_cast<std::ptrdiff_t>(f.blocks().dimensionTable),
             v2.begin() + static_cast<std::ptrdiff_t>(f.blocks().charMap));
    for (std::uint32_t pair : {0x41u | (2u << 16), 0x2122u | (1u << 16)})
        b.insert(b.end(), {std::uint8_t(pair), std::uint8_t(pair >> 8), std::uint8_t(pair >> 16),
                           std::uint8_t(pair >> 24)});
    const std::vector<std::uint32_t> map = {1, 2, 8};
    putU32(b, layout::kCharMapLength, 3);
    const auto packed = packTable(map, f.header().charMapBpe);
    b.insert(b.end(), packed.begin(), packed.end());
    b.insert(b.end(), v2.begin() + static_cast<std::ptrdiff_t>(f.blocks().charPointers), v2.end());

    const PgfFile v3 = PgfFile::parse(b);
    EXPECT_EQ(v3.glyphIndex('B'), 2u);
    EXPECT_EQ(v3.glyphIndex(0x2122), 8u);
    EXPECT_EQ(v3.glyphIndex(0x20), std::nullopt);
    EXPECT_EQ(v3.glyph(2), f.glyph(2));
}

} // namespace
} // namespace korven::converter
