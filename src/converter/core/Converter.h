#pragma once

#include "converter/core/HandheldFonts.h"
#include "converter/core/PgfModel.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace korven::converter {

// Styles a family lacks, made from another of its faces the way FreeType makes them.
struct FaceSynthesis {
    bool embolden = false; // strokes thickened by FreeType's outline emboldening
    bool slant = false;    // outlines sheared to the right by about 12 degrees
    bool operator==(const FaceSynthesis&) const = default;
};

struct ConversionSettings {
    int pixelsPerEm = 18;      // em size in pixels; the handheld's system font uses 18
    double shadowRadius = 2.0; // pixels the soft shadow reaches beyond the ink
    // Write the file even when letters or digits are missing or too large. For experts only:
    // the handheld then shows no text for them in its own menus.
    bool allowMissing = false;
    // Code points wanted beyond the Latin set (sorted, unique, none of them Latin, all in
    // U+0020..U+FFFF; see parseCharacterSets). Those the font lacks are left out. Empty gives
    // exactly the file of the Latin set alone.
    std::vector<char32_t> extraCharacters{};
    // Which face of a font collection to convert; a single font file has only face 0.
    int faceIndex = 0;
    // Nothing made up by default: the file holds the face as it is drawn.
    FaceSynthesis synthesis = {};
    // Fit the glyphs, advances and line to a font the file stands in for, so that games laid
    // out for that font show the text whole. Nothing is changed without it.
    std::optional<FitTarget> fit{};
    bool operator==(const ConversionSettings&) const = default;
};

// What fitting a file to a target changed, for the notes.
struct FitReport {
    bool applied = false;
    // The em size in 26.6 pixels the whole file was set at because its letters or digits did
    // not fit at the chosen size; 0 when they did.
    std::int32_t reducedEm = 0;
    std::vector<char32_t> condensed;  // made narrower only
    std::vector<char32_t> scaledDown; // made smaller about the baseline (and maybe narrower)
    std::size_t matchedAdvances = 0;  // characters that took a reference's advance
};

struct ConversionResult {
    PgfFont font;
    // Characters the font has that could not be stored because they break a limit of the format
    // (an advance of 32 px or more, a bitmap over 127 px...). The file is complete without them.
    std::vector<char32_t> skipped;
    // Characters asked for, of the Latin set or settings.extraCharacters, that the font does not
    // have; never the space or the underscore, which are drawn when the font has none.
    std::vector<char32_t> absent;
    // The font's line height (26.6) when it was 32 pixels or more and the stored vertical
    // metrics were therefore capped below 32 pixels, the most the handheld's readers accept;
    // 0 when nothing was capped. The bitmaps are unchanged either way.
    std::int32_t cappedLineHeight = 0;
    FitReport fit;
};

// Everything between font bytes and the font model: opens the font with FreeType, renders the
// character set, quantises to 16 levels, makes the shadows and leaves out optional glyphs that
// do not fit the format (the writer checks the whole font once more). With more glyphs than the
// format has shadows, glyphs beyond the Latin set share their shadows (see shareShadowsToFit).
// Refuses a font that lacks any of A-Z, a-z and 0-9, or whose letter or digit is too large at
// this size, unless settings.allowMissing: the file replaces the handheld's system font, and
// without those its menus would show no text. The header always has an ascender above zero and
// a descender at or below zero.
// No file system access. Throws ConversionError with a message for the user.
ConversionResult convertFont(std::span<const std::uint8_t> fontBytes,
                             const ConversionSettings& settings);

// Set from another thread to make a conversion under way give up: it throws ConversionStopped
// within a few glyphs. For work whose result nobody will wait for any more (a window closed,
// the program ending).
using StopFlag = std::atomic<bool>;
ConversionResult convertFont(std::span<const std::uint8_t> fontBytes,
                             const ConversionSettings& settings, const StopFlag& stop);

// convertFont followed by the PGF writer.
std::vector<std::uint8_t> convertToPgf(std::span<const std::uint8_t> fontBytes,
                                       const ConversionSettings& settings);

} // namespace korven::converter
