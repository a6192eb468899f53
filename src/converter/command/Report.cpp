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

// Everything the file lacks that was asked for, in code point order.
std::vector<char32_t> leftOut(const ConversionResult& result) {
    std::vector<char32_t> all = result.skipped;
    all.insert(all.end(), result.absent.begin(), result.absent.end());
    std::sort(all.begin(), all.end());
    return all;
}

} // namespace

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

void reportWritten(const ConversionResult& result, std::size_t bytes, const std::string& outputPath,
                   std::ostream& out) {
    out << "wrote " << outputPath << ": " << result.font.glyphs.size() << " glyphs, " << bytes
        << " bytes";
    if (const std::vector<char32_t> all = leftOut(result); !all.empty())
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
