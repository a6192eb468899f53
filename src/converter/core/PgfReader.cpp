#include "converter/core/PgfReader.h"

#include "converter/core/BitStream.h"
#include "converter/core/Errors.h"
#include "converter/core/GlyphRecord.h"
#include "converter/core/PgfLayout.h"
#include "converter/core/Rle.h"

#include <algorithm>
#include <cstring>

namespace korven::converter {

namespace {

constexpr std::uint32_t kMaxEntries = 65535; // 16-bit code points and glyph ids

std::uint32_t u16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    if (at + 2 > b.size())
        throw PgfFormatError("file ends inside the header");
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t u32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return u16At(b, at) | (u16At(b, at + 2) << 16);
}

std::int32_t s32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(u32At(b, at));
}

std::string nameAt(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::string name;
    for (std::size_t i = 0; i < layout::kNameLength && b[at + i] != 0; ++i)
        name.push_back(static_cast<char>(b[at + i]));
    return name;
}

int checkedBpe(std::uint32_t bpe, const char* what) {
    if (bpe > 32)
        throw PgfFormatError(std::string(what) + " entries are wider than 32 bits");
    return static_cast<int>(bpe);
}

std::vector<MetricPair> readMetricTable(const std::vector<std::uint8_t>& b, std::size_t at,
                                        std::size_t count) {
    std::vector<MetricPair> table;
    table.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        table.push_back({s32At(b, at + 8 * i), s32At(b, at + 8 * i + 4)});
    return table;
}

MetricPair readMetric(BitReader& r, bool indexed, const std::vector<MetricPair>& table) {
    if (!indexed) {
        const std::int32_t h = r.getSigned(32);
        return {h, r.getSigned(32)};
    }
    const std::uint32_t index = r.get(8);
    if (index >= table.size())
        throw PgfFormatError("a glyph refers to a metric table entry that does not exist");
    return table[index];
}

// Reads width, height, left, top, flags and the bitmap that follows them.
GlyphBitmap readPlacement(BitReader& r) {
    GlyphBitmap b;
    b.width = static_cast<int>(r.get(7));
    b.height = static_cast<int>(r.get(7));
    b.left = r.getSigned(7);
    b.top = r.getSigned(7);
    return b;
}

void readPixels(BitReader& r, GlyphBitmap& b, std::uint32_t direction) {
    if (direction != 1 && direction != 2) {
        // Overlay and invalid glyphs draw nothing.
        b.width = b.height = 0;
        return;
    }
    const auto order = static_cast<PixelOrder>(direction);
    b.pixels = pixelsToRows(decodeRle(r, static_cast<std::size_t>(b.width * b.height)), b.width,
                            b.height, order);
}

} // namespace

PgfFile PgfFile::parse(std::vector<std::uint8_t> bytes) {
    PgfFile file;
    file.bytes_ = std::move(bytes);
    file.readHeader();
    file.locateBlocks();
    file.readTables();
    return file;
}

void PgfFile::readHeader() {
    const auto& b = bytes_;
    if (b.size() < layout::kHeaderSizeRev2)
        throw PgfFormatError("file is shorter than a PGF header");
    if (std::memcmp(b.data() + layout::kMagic, layout::kMagicValue, 4) != 0)
        throw PgfFormatError("not a PGF file (no PGF0 signature)");
    PgfHeader& h = header_;
    h.headerSize = u16At(b, layout::kHeaderSize);
    h.revision = u32At(b, layout::kRevision);
    h.version = u32At(b, layout::kVersion);
    if (h.revision != layout::kRevision2 && h.revision != layout::kRevision3)
        throw PgfFormatError("unsupported revision " + std::to_string(h.revision));
    if (h.version != layout::kVersion6)
        throw PgfFormatError("unsupported version " + std::to_string(h.version));
    const std::size_t expectedHeader =
        h.revision == layout::kRevision3 ? layout::kHeaderSizeRev3 : layout::kHeaderSizeRev2;
    if (h.headerSize != expectedHeader || b.size() < expectedHeader)
        throw PgfFormatError("header size does not match the revision");
    h.charMapLength = u32At(b, layout::kCharMapLength);
    h.charPointerLength = u32At(b, layout::kCharPointerLength);
    h.charMapBpe = checkedBpe(u32At(b, layout::kCharMapBpe), "char map");
    h.charPointerBpe = checkedBpe(u32At(b, layout::kCharPointerBpe), "char pointer");
    h.bpp = b[layout::kBpp];
    h.hSize = s32At(b, layout::kHSize);
    h.vSize = s32At(b, layout::kVSize);
    h.hResolution = s32At(b, layout::kHResolution);
    h.vResolution = s32At(b, layout::kVResolution);
    h.fontName = nameAt(b, layout::kFontName);
    h.fontType = nameAt(b, layout::kFontType);
    h.firstGlyph = u16At(b, layout::kFirstGlyph);
    h.lastGlyph = u16At(b, layout::kLastGlyph);
    h.maxAscender = s32At(b, layout::kMaxAscender);
    h.maxDescender = s32At(b, layout::kMaxDescender);
    h.maxLeftXAdjust = s32At(b, layout::kMaxLeftXAdjust);
    h.maxBaseYAdjust = s32At(b, layout::kMaxBaseYAdjust);
    h.minCenterXAdjust = s32At(b, layout::kMinCenterXAdjust);
    h.maxTopYAdjust = s32At(b, layout::kMaxTopYAdjust);
    h.maxAdvanceH = s32At(b, layout::kMaxAdvanceH);
    h.maxAdvanceV = s32At(b, layout::kMaxAdvanceV);
    h.maxSizeH = s32At(b, layout::kMaxSizeH);
    h.maxSizeV = s32At(b, layout::kMaxSizeV);
    h.maxGlyphWidth = static_cast<int>(u16At(b, layout::kMaxGlyphWidth));
    h.maxGlyphHeight = static_cast<int>(u16At(b, layout::kMaxGlyphHeight));
    h.shadowMapLength = u32At(b, layout::kShadowMapLength);
    h.shadowMapBpe = checkedBpe(u32At(b, layout::kShadowMapBpe), "shadow map");
    h.shadowScaleH = s32At(b, layout::kShadowScaleH);
    h.shadowScaleV = s32At(b, layout::kShadowScaleV);
    if (h.bpp != 4)
        throw PgfFormatError("only 4 bits per pixel are supported");
    if (h.charMapLength > kMaxEntries || h.charPointerLength > kMaxEntries ||
        h.shadowMapLength > kMaxEntries)
        throw PgfFormatError("table lengths exceed 65535 entries");
    if (h.firstGlyph > h.lastGlyph)
        throw PgfFormatError("first code point lies after the last one");
}

void PgfFile::locateBlocks() {
    const auto& b = bytes_;
    PgfBlocks& k = blocks_;
    std::size_t compressedBytes = 0;
    if (header_.revision == layout::kRevision3) {
        const std::size_t ranges1 = u32At(b, layout::kCompCharMapLength1) & 0xFFFF;
        const std::size_t ranges2 = u32At(b, layout::kCompCharMapLength2) & 0xFFFF;
        compressedBytes = 4 * (ranges1 + ranges2);
        compressedRanges_.resize(ranges1);
    }
    k.dimensionTable = header_.headerSize;
    k.xAdjustTable = k.dimensionTable + 8 * std::size_t{b[layout::kDimTableLength]};
    k.yAdjustTable = k.xAdjustTable + 8 * std::size_t{b[layout::kXAdjustTableLength]};
    k.advanceTable = k.yAdjustTable + 8 * std::size_t{b[layout::kYAdjustTableLength]};
    k.shadowMap = k.advanceTable + 8 * std::size_t{b[layout::kAdvanceTableLength]};
    const std::size_t compressed =
        k.shadowMap + paddedTableBytes(header_.shadowMapLength, header_.shadowMapBpe);
    k.charMap = compressed + compressedBytes;
    k.charPointers = k.charMap + paddedTableBytes(header_.charMapLength, header_.charMapBpe);
    k.fontData =
        k.charPointers + paddedTableBytes(header_.charPointerLength, header_.charPointerBpe);
    if (k.fontData > b.size())
        throw PgfFormatError("the tables do not fit in the file");
    for (std::size_t i = 0; i < compressedRanges_.size(); ++i)
        compressedRanges_[i] = {u16At(b, compressed + 4 * i), u16At(b, compressed + 4 * i + 2)};
}

void PgfFile::readTables() {
    const auto& b = bytes_;
    dimension_ = readMetricTable(b, blocks_.dimensionTable, b[layout::kDimTableLength]);
    xAdjust_ = readMetricTable(b, blocks_.xAdjustTable, b[layout::kXAdjustTableLength]);
    yAdjust_ = readMetricTable(b, blocks_.yAdjustTable, b[layout::kYAdjustTableLength]);
    advance_ = readMetricTable(b, blocks_.advanceTable, b[layout::kAdvanceTableLength]);
    auto packed = [&](std::size_t at, std::size_t count, int bpe) {
        std::vector<std::uint32_t> entries(count);
        for (std::size_t i = 0; i < count; ++i)
            entries[i] = readPacked(b, at, i, bpe);
        return entries;
    };
    shadowMap_ = packed(blocks_.shadowMap, header_.shadowMapLength, header_.shadowMapBpe);
    charMap_ = packed(blocks_.charMap, header_.charMapLength, header_.charMapBpe);
    pointers_ = packed(blocks_.charPointers, header_.charPointerLength, header_.charPointerBpe);

    codePointOfGlyph_.assign(pointers_.size(), kNoCodePoint);
    auto note = [&](std::uint32_t codePoint, std::uint32_t glyph) {
        if (glyph < codePointOfGlyph_.size() && codePointOfGlyph_[glyph] == kNoCodePoint)
            codePointOfGlyph_[glyph] = codePoint;
    };
    if (header_.revision == layout::kRevision2) {
        for (std::size_t k = 0; k < charMap_.size(); ++k)
            note(static_cast<std::uint32_t>(header_.firstGlyph + k), charMap_[k]);
    } else {
        std::size_t k = 0;
        for (const auto& [first, count] : compressedRanges_)
            for (std::uint32_t i = 0; i < count && k < charMap_.size(); ++i, ++k)
                note(first + i, charMap_[k]);
    }
}

std::optional<std::size_t> PgfFile::glyphIndex(char32_t codePoint) const {
    std::optional<std::size_t> entry;
    if (header_.revision == layout::kRevision2) {
        if (codePoint >= header_.firstGlyph && codePoint - header_.firstGlyph < charMap_.size())
            entry = codePoint - header_.firstGlyph;
    } else {
        std::size_t k = 0;
        for (const auto& [first, count] : compressedRanges_) {
            if (codePoint >= first && codePoint - first < count) {
                entry = k + (codePoint - first);
                break;
            }
            k += count;
        }
    }
    if (!entry || *entry >= charMap_.size() || charMap_[*entry] >= pointers_.size())
        return std::nullopt;
    return charMap_[*entry];
}

char32_t PgfFile::codePointOf(std::size_t index) const {
    return codePointOfGlyph_.at(index);
}

GlyphRecordInfo PgfFile::record(std::size_t index) const {
    GlyphRecordInfo info;
    info.offset = blocks_.fontData + std::size_t{pointers_.at(index)} * 4;
    if (info.offset >= bytes_.size())
        throw PgfFormatError("a glyph pointer points past the end of the file");
    BitReader r(bytes_, info.offset);
    info.size = r.get(14);
    readPlacement(r);
    info.flags = r.get(6);
    info.shadowFlags = r.get(7);
    info.shadowId = r.get(9);
    return info;
}

PixelOrder PgfFile::pixelOrder(std::size_t index) const {
    return static_cast<PixelOrder>(record(index).flags & layout::kDirectionMask);
}

PgfGlyph PgfFile::glyph(std::size_t index) const {
    const GlyphRecordInfo info = record(index);
    BitReader r(bytes_, info.offset);
    r.get(14);
    PgfGlyph g;
    g.codePoint = codePointOfGlyph_.at(index);
    g.bitmap = readPlacement(r);
    r.get(6 + 7 + 9);
    const MetricPair dim = readMetric(r, info.flags & layout::kDimensionIndexed, dimension_);
    const MetricPair xadj = readMetric(r, info.flags & layout::kXAdjustIndexed, xAdjust_);
    const MetricPair yadj = readMetric(r, info.flags & layout::kYAdjustIndexed, yAdjust_);
    const MetricPair adv = readMetric(r, info.flags & layout::kAdvanceIndexed, advance_);
    g.metrics = {dim.h, dim.v, xadj.h, yadj.h, xadj.v, yadj.v, adv.h, adv.v};
    readPixels(r, g.bitmap, info.flags & layout::kDirectionMask);

    if (info.shadowId < shadowMap_.size()) {
        if (const auto owner = glyphIndex(shadowMap_[info.shadowId]))
            g.shadow = readShadow(*owner);
    }
    return g;
}

GlyphBitmap PgfFile::readShadow(std::size_t ownerIndex) const {
    const GlyphRecordInfo owner = record(ownerIndex);
    BitReader r(bytes_, owner.offset + owner.size);
    r.get(14);
    GlyphBitmap shadow = readPlacement(r);
    readPixels(r, shadow, r.get(6) & layout::kDirectionMask);
    return shadow;
}

PgfFont PgfFile::toFont() const {
    PgfFont font;
    font.fontName = header_.fontName;
    font.fontType = header_.fontType;
    font.hSize = header_.hSize;
    font.vSize = header_.vSize;
    font.hResolution = header_.hResolution;
    font.vResolution = header_.vResolution;
    font.ascender = header_.maxAscender;
    font.descender = header_.maxDescender;
    for (std::size_t i = 0; i < glyphCount(); ++i) {
        if (codePointOfGlyph_[i] != kNoCodePoint)
            font.glyphs.push_back(glyph(i));
    }
    std::sort(font.glyphs.begin(), font.glyphs.end(),
              [](const PgfGlyph& a, const PgfGlyph& b) { return a.codePoint < b.codePoint; });
    return font;
}

} // namespace korven::converter
