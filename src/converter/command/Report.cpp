#include "converter/command/Report.h"

#include "converter/core/CharacterSet.h"
#include "converter/core/Errors.h"

#include <cstdio>

namespace korven::converter {

namespace {

std::string pixels(std::int32_t value26_6) {
    char text[32];
    std::snprintf(text, sizeof text, value26_6 % 64 == 0 ? "%.0f" : "%.2f", value26_6 / 64.0);
    return text;
}

} // namespace

std::string characters(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " character" : " characters");
}

std::string codePointList(const std::vector<char32_t>& codePoints) {
    std::string list;
    for (char32_t c : codePoints)
        list += (list.empty() ? "" : " ") + codePointName(c);
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
}

void reportWritten(const ConversionResult& result, std::size_t bytes, const std::string& outputPath,
                   std::ostream& out) {
    out << "wrote " << outputPath << ": " << result.font.glyphs.size() << " glyphs, " << bytes
        << " bytes";
    if (!result.skipped.empty())
        out << "; left out " << characters(result.skipped.size()) << ": "
            << codePointList(result.skipped);
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
