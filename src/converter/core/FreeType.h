#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <span>
#include <string>

namespace korven::converter {

// Owns one FreeType library instance. Each conversion makes its own, so conversions share no
// state and may run at the same time on different threads. Faces must be destroyed before
// their library, so declare the library first.
class FtLibrary {
public:
    FtLibrary();
    ~FtLibrary();
    FtLibrary(const FtLibrary&) = delete;
    FtLibrary& operator=(const FtLibrary&) = delete;

    FT_Library get() const { return library_; }

private:
    FT_Library library_ = nullptr;
};

// Owns a face opened from bytes in memory. FreeType reads the bytes for as long as the face
// lives, so they must outlive it; they are not copied, which keeps repeated conversions of a
// large font cheap. Opens face `index` of a collection (0, the first, by default; a single font
// has only that one). Throws ConversionError when FreeType cannot open the bytes.
class FtFace {
public:
    FtFace(const FtLibrary& library, std::span<const std::uint8_t> bytes, int index = 0);
    ~FtFace();
    FtFace(const FtFace&) = delete;
    FtFace& operator=(const FtFace&) = delete;

    FT_Face get() const { return face_; }

private:
    FT_Face face_ = nullptr;
};

// Throws ConversionError, with the words of a conversion, when `bytes` do not open as a font.
// Quick: reads no glyph, so a file can be judged before the user is asked anything.
void checkOpensAsFont(std::span<const std::uint8_t> bytes);

// FreeType's own text for an error code, for messages.
std::string freeTypeErrorText(FT_Error error);

} // namespace korven::converter
