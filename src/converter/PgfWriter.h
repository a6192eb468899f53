#pragma once

#include "converter/PgfModel.h"

#include <cstdint>
#include <vector>

namespace korven::converter {

// Packs a font into the bytes of a revision 2 PGF file. Throws ConversionError when the font
// breaks a limit of the format (too many glyphs, a bitmap too large, an advance of 32 px or
// more, code points out of order...), so a file that cannot be read correctly is never produced.
std::vector<std::uint8_t> writePgf(const PgfFont& font);

// The same checks on their own; throws ConversionError naming the first problem.
void checkFitsFormat(const PgfFont& font);

// Whether a limit check reads every pixel for values above 15, or leaves that out for bitmaps
// that cannot have them (rounded to the 16 levels as they were made); the writer always reads.
enum class PixelValues { Check, KnownValid };

// Why a single glyph cannot be stored, or an empty string when it can.
std::string glyphLimitProblem(const PgfGlyph& glyph, PixelValues values = PixelValues::Check);

} // namespace korven::converter
