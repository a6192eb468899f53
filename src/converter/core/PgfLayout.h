#pragma once

#include <cstddef>
#include <cstdint>

// Byte offsets of the header fields, shared by the writer and the reader so they cannot drift
// apart. All numbers are little-endian.
namespace korven::converter::layout {

inline constexpr std::size_t kHeaderSizeRev2 = 392;
inline constexpr std::size_t kHeaderSizeRev3 = 412;
inline constexpr std::size_t kNameLength = 64;
// Some readers ignore records this close to the end of the file.
inline constexpr std::size_t kTailPadding = 128;

inline constexpr std::size_t kHeaderOffset = 0x000;
inline constexpr std::size_t kHeaderSize = 0x002;
inline constexpr std::size_t kMagic = 0x004;
inline constexpr std::size_t kRevision = 0x008;
inline constexpr std::size_t kVersion = 0x00C;
inline constexpr std::size_t kCharMapLength = 0x010;
inline constexpr std::size_t kCharPointerLength = 0x014;
inline constexpr std::size_t kCharMapBpe = 0x018;
inline constexpr std::size_t kCharPointerBpe = 0x01C;
inline constexpr std::size_t kUnknown20 = 0x020;
inline constexpr std::size_t kBpp = 0x022;
inline constexpr std::size_t kHSize = 0x024;
inline constexpr std::size_t kVSize = 0x028;
inline constexpr std::size_t kHResolution = 0x02C;
inline constexpr std::size_t kVResolution = 0x030;
inline constexpr std::size_t kFontName = 0x035;
inline constexpr std::size_t kFontType = 0x075;
inline constexpr std::size_t kFirstGlyph = 0x0B6;
inline constexpr std::size_t kLastGlyph = 0x0B8;
inline constexpr std::size_t kUnknownBC = 0x0BC;
inline constexpr std::size_t kUnknownC8 = 0x0C8;
inline constexpr std::size_t kMaxAscender = 0x0D4;
inline constexpr std::size_t kMaxDescender = 0x0D8;
inline constexpr std::size_t kMaxLeftXAdjust = 0x0DC;
inline constexpr std::size_t kMaxBaseYAdjust = 0x0E0;
inline constexpr std::size_t kMinCenterXAdjust = 0x0E4;
inline constexpr std::size_t kMaxTopYAdjust = 0x0E8;
inline constexpr std::size_t kMaxAdvanceH = 0x0EC;
inline constexpr std::size_t kMaxAdvanceV = 0x0F0;
inline constexpr std::size_t kMaxSizeH = 0x0F4;
inline constexpr std::size_t kMaxSizeV = 0x0F8;
inline constexpr std::size_t kMaxGlyphWidth = 0x0FC;
inline constexpr std::size_t kMaxGlyphHeight = 0x0FE;
inline constexpr std::size_t kCharPointerUnit = 0x100;
inline constexpr std::size_t kDimTableLength = 0x102;
inline constexpr std::size_t kXAdjustTableLength = 0x103;
inline constexpr std::size_t kYAdjustTableLength = 0x104;
inline constexpr std::size_t kAdvanceTableLength = 0x105;
inline constexpr std::size_t kShadowMapLength = 0x16C;
inline constexpr std::size_t kShadowMapBpe = 0x170;
inline constexpr std::size_t kShadowScaleH = 0x178;
inline constexpr std::size_t kShadowScaleV = 0x17C;
// Revision 3 only: the compressed character map description.
inline constexpr std::size_t kCompCharMapBpe1 = 0x188;
inline constexpr std::size_t kCompCharMapLength1 = 0x18C;
inline constexpr std::size_t kCompCharMapBpe2 = 0x190;
inline constexpr std::size_t kCompCharMapLength2 = 0x194;

// The fixed values of the header, as every known file has them. Fields that no value is given
// for here (the header offset, the reserved and unknown bytes not named) stay zero.
inline constexpr char kMagicValue[4] = {'P', 'G', 'F', '0'};
inline constexpr std::uint32_t kRevision2 = 2; // the revision written
inline constexpr std::uint32_t kRevision3 = 3; // adds a compressed character map
inline constexpr std::uint32_t kVersion6 = 6;  // the only version known; one reader refuses others
inline constexpr std::uint8_t kUnknown20Value = 4; // both bytes; meaning unknown
inline constexpr std::uint8_t kBitsPerPixel = 4;
inline constexpr std::uint32_t kUnknownBCValue = 0x00010000; // meaning unknown
inline constexpr std::uint32_t kUnknownC8Value = 0x00010000; // meaning unknown
inline constexpr std::uint16_t kCharPointerUnitBytes = 4;    // char pointers count 4-byte words
inline constexpr std::int32_t kShadowScaleOneToOne = 64;     // shadows are drawn at 1:1

// Glyph record flags.
inline constexpr std::uint32_t kDirectionMask = 0x03;
inline constexpr std::uint32_t kOverlayDirection = 0x03;
inline constexpr std::uint32_t kDimensionIndexed = 0x04;
inline constexpr std::uint32_t kXAdjustIndexed = 0x08;
inline constexpr std::uint32_t kYAdjustIndexed = 0x10;
inline constexpr std::uint32_t kAdvanceIndexed = 0x20;

} // namespace korven::converter::layout
