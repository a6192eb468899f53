#include "converter/command/Report.h"

#include "converter/core/CharacterSet.h"
#include "converter/core/Errors.h"

#include <algorithm>
#include <cstdio>

namespace korven::converter {

namespace {

std::string pixels(std::int32_t value26_6) {
    char text[32];
    std::snprintf(text, sizeof text, value26_6 % 64 == 0 ? "%.0f" : "%.2f", value26_6 / 64.0);
    return text;
}

// The characters themselves, as the user sees them: "W ‰ ™", at most a line's worth.
std::string glyphList(const std::vector<char32_t>& codePoints) {
    constexpr std::size_t kShown = 24;
    std::string list;
    for (std::size_t i = 0; i < codePoints.size() && i < kShown; ++i) {
        list += i == 0 ? "" : " ";
        const char32_t c = codePoints[i];
        if (c < 0x80) {
            list += static_cast<char>(c);
        } else if (c < 0x800) {
            list += static_cast<char>(0xC0 | (c >> 6));
            list += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            list += static_cast<char>(0xE0 | (c >> 12));
            list += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            list += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    if (codePoints.size() > kShown)
        list += " and " + std::to_string(codePoints.size() - kShown) + " more";
    return list;
}

// "1 glyph", "3 glyphs".
std::string glyphs(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " glyph" : " glyphs");
}

} // namespace

std::vector<char32_t> leftOutCharacters(const ConversionResult& result) {
    std::vector<char32_t> all = result.skipped;
    all.insert(all.end(), result.absent.begin(), result.absent.end());
    std::sort(all.begin(), all.end());
    return all;
}

std::string characters(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " character" : " characters");
}

// "U+2030 U+20AC", with three or more consecutive code points as one range "U+0370-U+0373":
// a font without Greek would otherwise fill a screen with the Greek block.
std::string codePointList(const std::vector<char32_t>& codePoints) {
    std::string list;
    for (std::size_t i = 0; i < codePoints.size();) {
        std::size_t end = i + 1;
        while (end < codePoints.size() && codePoints[end] == codePoints[end - 1] + 1)
            ++end;
        list += list.empty() ? "" : " ";
        if (end - i >= 3) {
            list += codePointName(codePoints[i]) + "-" + codePointName(codePoints[end - 1]);
        } else {
            end = i + 1;
            list += codePointName(codePoints[i]);
        }
        i = end;
    }
    return list;
}

std::string fileName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos || slash + 1 == path.size() ? path : path.substr(slash + 1);
}

void reportNotes(const ConversionResult& result, int pixelsPerEm, const std::string& fontPath,
                 std::ostream& err) {
    if (result.cappedLineHeight > 0)
        err << kProgram << "note: at size " << pixelsPerEm << " the line height of \""
            << fileName(fontPath) << "\" is " << pixels(result.cappedLineHeight)
            << " pixels; it is stored as 31 so that the handheld accepts it, the letters are "
               "unchanged\n";
    if (!result.skipped.empty())
        err << kProgram << "note: left out " << characters(result.skipped.size())
            << " too large for the format: " << codePointList(result.skipped) << '\n';
    if (!result.absent.empty())
        err << kProgram << "note: left out " << characters(result.absent.size()) << " that \""
            << fileName(fontPath) << "\" does not have: " << codePointList(result.absent) << '\n';
}

void reportFit(const ConversionResult& result, const FitTarget& target, int pixelsPerEm,
               std::size_t bytes, const std::string& outputPath, std::ostream& err) {
    const FitReport& fit = result.fit;
    const std::string note = std::string(kProgram) + "note: " + fileName(outputPath) + ": ";
    if (fit.reducedEm > 0)
        err << note << "at size " << pixelsPerEm << " the letters reach past " << target.whose
            << " box of " << target.maxGlyphWidth << " x " << target.maxGlyphHeight
            << " pixels, so the file is set at " << pixels(fit.reducedEm) << " pixels per em\n";
    if (!fit.condensed.empty())
        err << note << "condensed " << glyphs(fit.condensed.size()) << " to fit " << target.whose
            << " width of " << target.maxGlyphWidth << " pixels: " << glyphList(fit.condensed)
            << '\n';
    if (!fit.scaledDown.empty())
        err << note << "made " << glyphs(fit.scaledDown.size()) << " smaller to fit "
            << target.whose << " height of " << target.maxGlyphHeight << " pixels and top of "
            << pixels(target.maxBaseY) << " pixels: " << glyphList(fit.scaledDown) << '\n';
    if (fit.matchedAdvances > 0)
        err << note << characters(fit.matchedAdvances) << " take " << target.whose << " advances\n";
    if (target.referenceBytes > 0 && bytes > target.referenceBytes)
        err << note << "the file is " << bytes << " bytes, larger than " << target.whose << " own "
            << target.referenceBytes << " bytes; a game with little memory may fail to open it\n";
}

void reportWritten(const ConversionResult& result, std::size_t bytes, const std::string& outputPath,
                   std::ostream& out) {
    out << "wrote " << outputPath << ": " << result.font.glyphs.size() << " glyphs, " << bytes
        << " bytes";
    if (const std::vector<char32_t> all = leftOutCharacters(result); !all.empty())
        out << "; left out " << characters(all.size()) << ": " << codePointList(all);
    out << '\n';
}

void reportConversionError(const ConversionError& error, const std::string& fontPath,
                           std::ostream& err) {
    if (error.speaksOfTheFont())
        err << kProgram << error.naming(fileName(fontPath)) << '\n';
    else
        err << kProgram << "cannot convert \"" << fontPath << "\": " << error.what() << '\n';
}

} // namespace korven::converter
