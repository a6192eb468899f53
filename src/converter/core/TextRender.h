#pragma once

#include "converter/core/PgfReader.h"
#include "converter/core/RgbaImage.h"

#include <string>

namespace korven::converter {

// Code points of UTF-8 text; malformed bytes become U+FFFD.
std::u32string decodeUtf8(const std::string& text);

// Draws one line of text the way the handheld's font library would: shadows first (black, with
// their 4-bit level as opacity), then the glyphs (white) on a mid-blue background. Characters
// below the font's first code point draw nothing; other missing characters draw the underscore.
RgbaImage renderText(const PgfFile& font, const std::u32string& text);

} // namespace korven::converter
