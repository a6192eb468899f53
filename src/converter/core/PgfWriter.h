#pragma once

#include "converter/core/PgfModel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korven::converter {

// Packs a font into the bytes of a revision 2 PGF file. Throws ConversionError when the font
// breaks a limit of the format (too many glyphs, a bitmap too large, an advance of 32 px or
// more, code points out of order...), so a file that cannot be read correctly is never produced.
std::vector<std::uint8_t> writePgf(const PgfFont& font);

// Why a single glyph cannot be stored, or an empty string when it can.
std::string glyphLimitProblem(const PgfGlyph& glyph);

} // namespace korven::converter
