#pragma once

#include <stdexcept>
#include <string>

namespace korven::converter {

// A font that cannot be turned into a PGF file (not a font, no Unicode map, glyphs too large...).
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A PGF file that does not follow the format; the reader throws this instead of reading past
// the end of its buffer.
class PgfFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace korven::converter
