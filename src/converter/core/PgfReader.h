#pragma once

#include "converter/core/MetricTables.h"
#include "converter/core/PgfModel.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korven::converter {

// The header fields the reader uses or reports.
struct PgfHeader {
    std::uint32_t headerSize = 0;
    std::uint32_t revision = 0;
    std::uint32_t version = 0;
    std::uint32_t charMapLength = 0;
    std::uint32_t charPointerLength = 0;
    int charMapBpe = 0;
    int charPointerBpe = 0;
    int bpp = 0;
    std::int32_t hSize = 0, vSize = 0, hResolution = 0, vResolution = 0;
    std::string fontName, fontType;
    std::uint32_t firstGlyph = 0, lastGlyph = 0;
    std::int32_t maxAscender = 0, maxDescender = 0;
    std::int32_t maxLeftXAdjust = 0, maxBaseYAdjust = 0, minCenterXAdjust = 0, maxTopYAdjust = 0;
    std::int32_t maxAdvanceH = 0, maxAdvanceV = 0, maxSizeH = 0, maxSizeV = 0;
    int maxGlyphWidth = 0, maxGlyphHeight = 0;
    std::uint32_t shadowMapLength = 0;
    int shadowMapBpe = 0;
    std::int32_t shadowScaleH = 0, shadowScaleV = 0;
};

// Where each block starts, computed from the header the way every reader computes it.
struct PgfBlocks {
    std::size_t dimensionTable = 0, xAdjustTable = 0, yAdjustTable = 0, advanceTable = 0;
    std::size_t shadowMap = 0, charMap = 0, charPointers = 0, fontData = 0;
};

// A glyph record as stored, for checks of the file's layout.
struct GlyphRecordInfo {
    std::size_t offset = 0; // absolute byte offset of the character record
    std::uint32_t size = 0; // its 14-bit size field
    std::uint32_t flags = 0;
    std::uint32_t shadowFlags = 0;
    std::uint32_t shadowId = 0;
};

// What codePointOf reports for a glyph that no character map entry reaches.
inline constexpr char32_t kNoCodePoint = 0xFFFFFFFF;

// Reads PGF files. Every read is checked against the size of the file; anything malformed
// throws PgfFormatError. Parsing reads the header and tables; glyphs are decoded on request.
class PgfFile {
public:
    static PgfFile parse(std::vector<std::uint8_t> bytes);

    const PgfHeader& header() const { return header_; }
    const PgfBlocks& blocks() const { return blocks_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    const std::vector<MetricPair>& dimensionTable() const { return dimension_; }
    const std::vector<MetricPair>& xAdjustTable() const { return xAdjust_; }
    const std::vector<MetricPair>& yAdjustTable() const { return yAdjust_; }
    const std::vector<MetricPair>& advanceTable() const { return advance_; }
    std::size_t glyphCount() const { return pointers_.size(); }
    std::uint32_t charPointer(std::size_t index) const { return pointers_.at(index); }
    std::uint32_t shadowMapEntry(std::size_t index) const { return shadowMap_.at(index); }

    // The glyph that draws a code point, if the character map has one.
    std::optional<std::size_t> glyphIndex(char32_t codePoint) const;
    // The first code point that maps to a glyph, or kNoCodePoint.
    char32_t codePointOf(std::size_t index) const;

    GlyphRecordInfo record(std::size_t index) const;
    // Decodes one glyph with its metrics, bitmap and shadow (the shadow is empty when the glyph's
    // shadow id leads nowhere).
    PgfGlyph glyph(std::size_t index) const;
    PixelOrder pixelOrder(std::size_t index) const;

    // Everything at once, glyphs in code point order; glyphs no code point reaches are left out.
    PgfFont toFont() const;

private:
    void readHeader();
    void locateBlocks();
    void readTables();
    GlyphBitmap readShadow(std::size_t ownerIndex) const;

    std::vector<std::uint8_t> bytes_;
    PgfHeader header_;
    PgfBlocks blocks_;
    std::vector<MetricPair> dimension_, xAdjust_, yAdjust_, advance_;
    std::vector<std::uint32_t> shadowMap_;
    std::vector<std::uint32_t> pointers_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> compressedRanges_; // revision 3
    std::vector<std::uint32_t> charMap_;
    std::vector<char32_t> codePointOfGlyph_;
};

} // namespace korven::converter
