#include "converter/core/GlyphFit.h"

#include "converter/core/CharacterSet.h"

#include <algorithm>
#include <cmath>

namespace korven::converter {

namespace {

constexpr double kPixel = 64.0;
// A glyph is never made smaller than this share of itself: past it, it would not be readable.
constexpr double kSmallestScale = 0.3;
// Each step down when rounding to whole pixels still leaves a glyph a pixel too large.
constexpr double kScaleStep = 0.005;
// Letters that would have to be condensed more than this are too wide for the box at this
// size: the whole file is set smaller instead, so that a line of text keeps one look.
constexpr double kLeastLetterCondensing = 0.85;
// Below this em size letters are no longer readable.
constexpr std::int32_t kSmallestEm = 6 * 64;
// Drawings that come out larger than foretold are changed a little more, this many times.
constexpr int kAttempts = 8;
constexpr double kTightening = 0.95;

// The glyph's ink in 26.6 pixels, relative to the pen origin on the baseline.
struct Ink {
    double left = 0, right = 0, bottom = 0, top = 0;
    bool empty() const { return right <= left || top <= bottom; }
};

Ink inkOf(const RenderedGlyph& g) {
    if (g.tooLarge) {
        const GlyphMetrics& m = g.metrics;
        return {static_cast<double>(m.horiBearingX), static_cast<double>(m.horiBearingX + m.width),
                static_cast<double>(m.horiBearingY - m.height),
                static_cast<double>(m.horiBearingY)};
    }
    return {g.left * kPixel, (g.left + g.width) * kPixel, (g.top - g.height) * kPixel,
            g.top * kPixel};
}

// Whole pixels the renderer covers for ink from `low` to `high` (26.6).
int pixelsSpanned(double low, double high) {
    constexpr double kRoundingSlack = 1e-6;
    return static_cast<int>(std::ceil(high / kPixel - kRoundingSlack) -
                            std::floor(low / kPixel + kRoundingSlack));
}

int topPixel(double top) {
    return static_cast<int>(std::ceil(top / kPixel - 1e-6));
}

int highestTopPixel(const FitTarget& target) {
    return target.maxBaseY / 64;
}

bool fitsVertically(const RenderedGlyph& g, const FitTarget& target) {
    if (g.tooLarge || g.height > target.maxGlyphHeight)
        return false;
    if (g.width == 0 || g.height == 0)
        return true;
    return g.top <= highestTopPixel(target) && g.metrics.horiBearingY <= target.maxBaseY;
}

// How much a letter or digit would have to be condensed to be as narrow as the box; 1 when
// it is narrow enough.
double condensingNeeded(const RenderedGlyph& g, const FitTarget& target) {
    double factor = 1.0;
    if (g.width > target.maxGlyphWidth)
        factor = std::min(factor, static_cast<double>(target.maxGlyphWidth) / g.width);
    if (g.metrics.horiAdvance > target.maxAdvance)
        factor = std::min(factor, static_cast<double>(target.maxAdvance) / g.metrics.horiAdvance);
    return factor;
}

bool isLetterOrDigit(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool lettersFit(FT_Face face, std::int32_t em, const FitTarget& target, FaceSynthesis synthesis) {
    setEmSize(face, em);
    std::u32string letters = target.sizingCharacters;
    for (char32_t c = '0'; c <= 'z'; ++c)
        if (isLetterOrDigit(c))
            letters += c;
    std::vector<std::uint8_t> coverage;
    RenderedGlyph g;
    for (char32_t c : letters) {
        coverage.clear();
        if (!renderCodePoint(face, c, g, coverage, synthesis))
            continue;
        if (!fitsVertically(g, target) || condensingNeeded(g, target) < kLeastLetterCondensing)
            return false;
    }
    return true;
}

} // namespace

bool fitsTarget(const RenderedGlyph& g, const FitTarget& target,
                std::optional<std::int32_t> referenceAdvance) {
    if (referenceAdvance ? g.metrics.horiAdvance != *referenceAdvance
                         : g.metrics.horiAdvance > target.maxAdvance)
        return false;
    return fitsVertically(g, target) && g.width <= target.maxGlyphWidth;
}

OutlineChange changeToFit(const RenderedGlyph& g, const FitTarget& target,
                          std::optional<std::int32_t> referenceAdvance, double tighten) {
    const Ink ink = inkOf(g);
    const double advance = g.metrics.horiAdvance;

    // Too tall or reaching too high: smaller about the baseline, centred where it was.
    double scale = 1.0;
    auto verticalFits = [&](double k) {
        const int top = topPixel(ink.top * k);
        return top <= highestTopPixel(target) &&
               pixelsSpanned(ink.bottom * k, ink.top * k) <= target.maxGlyphHeight;
    };
    if (!ink.empty() && !verticalFits(1.0)) {
        if (ink.top > 0)
            scale = std::min(scale, highestTopPixel(target) * kPixel / ink.top);
        scale = std::min(scale, target.maxGlyphHeight * kPixel / (ink.top - ink.bottom));
        while (!verticalFits(scale) && scale > kSmallestScale)
            scale -= kScaleStep;
    }
    scale = std::max(kSmallestScale, scale * tighten);
    const double centre = (ink.left + ink.right) / 2;
    const double left = ink.left * scale + centre * (1 - scale);
    const double right = ink.right * scale + centre * (1 - scale);

    // Too wide, or an advance wider than allowed: the glyph and its advance condensed together.
    double condense = 1.0;
    if (referenceAdvance && advance > *referenceAdvance)
        condense = *referenceAdvance / advance;
    else if (!referenceAdvance && advance > target.maxAdvance)
        condense = target.maxAdvance / advance;
    auto shiftFor = [&](double k) {
        return referenceAdvance ? (*referenceAdvance - k * advance) / 2 : 0.0;
    };
    auto widthFits = [&](double k) {
        return pixelsSpanned(k * left + shiftFor(k), k * right + shiftFor(k)) <=
               target.maxGlyphWidth;
    };
    if (!ink.empty() && !widthFits(condense)) {
        condense = std::min(condense, target.maxGlyphWidth * kPixel / (right - left));
        while (!widthFits(condense) && condense > kSmallestScale)
            condense -= kScaleStep;
    }
    condense = std::max(kSmallestScale, condense * tighten);

    OutlineChange change;
    change.scaleX = condense * scale;
    change.scaleY = scale;
    change.shiftX = condense * centre * (1 - scale) + shiftFor(condense);
    change.advance = referenceAdvance
                         ? *referenceAdvance
                         : std::min(target.maxAdvance,
                                    static_cast<std::int32_t>(std::lround(advance * condense)));
    return change;
}

std::int32_t chooseFittingEm(FT_Face face, int pixelsPerEm, const FitTarget& target,
                             FaceSynthesis synthesis) {
    const std::int32_t chosen = pixelsPerEm * 64;
    if (chosen <= kSmallestEm || lettersFit(face, chosen, target, synthesis)) {
        setPixelSize(face, pixelsPerEm);
        return chosen;
    }
    // Letters grow with the em, so the largest size that fits is found by halving.
    std::int32_t fits = kSmallestEm;
    std::int32_t tooLarge = chosen;
    while (tooLarge - fits > 1) {
        const std::int32_t middle = (fits + tooLarge) / 2;
        (lettersFit(face, middle, target, synthesis) ? fits : tooLarge) = middle;
    }
    setEmSize(face, fits);
    return fits;
}

bool renderFitted(FT_Face face, char32_t codePoint, RenderedGlyph& g,
                  std::vector<std::uint8_t>& coverage, FaceSynthesis synthesis,
                  const FitTarget& target, FitReport& report) {
    if (!renderCodePoint(face, codePoint, g, coverage, synthesis))
        return false;
    const std::optional<std::int32_t> reference = target.referenceAdvance(codePoint);
    if (reference)
        ++report.matchedAdvances;
    if (fitsTarget(g, target, reference))
        return true;
    const RenderedGlyph plain = g;
    OutlineChange change;
    double tighten = 1.0;
    for (int attempt = 0; attempt < kAttempts; ++attempt, tighten *= kTightening) {
        change = changeToFit(plain, target, reference, tighten);
        coverage.resize(plain.coverageAt);
        renderCodePoint(face, codePoint, g, coverage, synthesis, &change);
        if (fitsTarget(g, target, reference))
            break;
    }
    constexpr double kUnchanged = 1.0 - 1e-9;
    if (change.scaleY < kUnchanged)
        report.scaledDown.push_back(codePoint);
    else if (change.scaleX < kUnchanged)
        report.condensed.push_back(codePoint);
    return true;
}

} // namespace korven::converter
