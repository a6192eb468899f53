#include "converter/core/FreeType.h"

#include "converter/core/Errors.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace korven::converter {

namespace {
// FreeType's builds usually leave out its error strings, so take them from its error list.
const char* errorListText(FT_Error error) {
#undef FTERRORS_H_
#define FT_ERRORDEF(e, v, s)                                                                       \
    case v:                                                                                        \
        return s;
#define FT_ERROR_START_LIST switch (error) {
#define FT_ERROR_END_LIST                                                                          \
    default:                                                                                       \
        return nullptr;                                                                            \
        }
#include FT_ERRORS_H
}

// Whether the bytes start the way font files do. FreeType's error codes cannot tell a file that
// is no font from a damaged or cut-short font (it may report either way for both).
bool looksLikeAFont(std::span<const std::uint8_t> bytes) {
    static constexpr std::string_view kSignatures[] = {{"\x00\x01\x00\x00", 4},
                                                       "true",
                                                       "typ1",
                                                       "OTTO",
                                                       "ttcf",
                                                       "wOFF",
                                                       "wOF2",
                                                       "\x80\x01",
                                                       "%!PS-AdobeFont",
                                                       "%!FontType1",
                                                       "%!PS-TrueTypeFont",
                                                       "\x01"
                                                       "fcp",
                                                       "STARTFONT",
                                                       "\x1f\x8b",
                                                       "PFR0"};
    const std::string_view start(reinterpret_cast<const char*>(bytes.data()),
                                 std::min<std::size_t>(bytes.size(), 32));
    return std::any_of(std::begin(kSignatures), std::end(kSignatures),
                       [&](std::string_view s) { return start.substr(0, s.size()) == s; });
}
} // namespace

std::string freeTypeErrorText(FT_Error error) {
    if (const char* text = errorListText(error))
        return text;
    return "FreeType error " + std::to_string(error);
}

FtLibrary::FtLibrary() {
    if (const FT_Error error = FT_Init_FreeType(&library_))
        throw ConversionError("cannot start FreeType: " + freeTypeErrorText(error));
}

FtLibrary::~FtLibrary() {
    FT_Done_FreeType(library_);
}

FtFace::FtFace(const FtLibrary& library, std::span<const std::uint8_t> bytes) {
    if (bytes.empty())
        throw ConversionError(std::string(ConversionError::kFontName) + " is empty, not a font");
    const FT_Error error = FT_New_Memory_Face(library.get(), bytes.data(),
                                              static_cast<FT_Long>(bytes.size()), 0, &face_);
    if (error && !looksLikeAFont(bytes))
        throw ConversionError(std::string(ConversionError::kFontName) +
                              " is not a font (TrueType, OpenType, Type 1 or WOFF)");
    if (error)
        throw ConversionError(std::string(ConversionError::kFontName) +
                              " is damaged or cut short: it cannot be read as a font");
}

FtFace::~FtFace() {
    FT_Done_Face(face_);
}

} // namespace korven::converter
