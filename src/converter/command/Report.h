#pragma once

#include "converter/core/Converter.h"
#include "converter/core/Errors.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace korven::converter {

inline constexpr const char* kProgram = "ttf2pgf: ";

// The last part of a path: "DejaVuSans.ttf".
std::string fileName(const std::string& path);

// "1 character", "2 characters".
std::string characters(std::size_t n);

// "U+2030 U+20AC", three or more in a row as one range "U+0370-U+0373".
std::string codePointList(const std::vector<char32_t>& codePoints);

// The notes of a finished conversion on standard error: a capped line height, characters
// left out as too large or missing from the font.
void reportNotes(const ConversionResult& result, int pixelsPerEm, const std::string& fontPath,
                 std::ostream& err);

// What fitting changed in the file written to `outputPath`, one note a kind on standard error:
// a smaller em, condensed glyphs, glyphs made smaller, advances taken from a reference, and a
// file larger than the one it stands in for.
void reportFit(const ConversionResult& result, const FitTarget& target, int pixelsPerEm,
               std::size_t bytes, const std::string& outputPath, std::ostream& err);

// The characters asked for that the file does not hold (too large or missing), in code point
// order.
std::vector<char32_t> leftOutCharacters(const ConversionResult& result);

// The one line per written file the program's window reads, "wrote OUTPUT: 339 glyphs, 62624
// bytes; left out 2 characters: U+2030 U+20AC" (too large or missing, in code point order);
// keep its form as usageText documents it.
void reportWritten(const ConversionResult& result, std::size_t bytes, const std::string& outputPath,
                   std::ostream& out);

// A refusal or other failure to convert the font at `fontPath`, as one line.
void reportConversionError(const ConversionError& error, const std::string& fontPath,
                           std::ostream& err);

} // namespace korven::converter
