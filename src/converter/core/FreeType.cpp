#include "converter/core/FreeType.h"

#include "converter/core/Errors.h"

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
        throw ConversionError("the file is empty, not a font");
    const FT_Error error = FT_New_Memory_Face(library.get(), bytes.data(),
                                              static_cast<FT_Long>(bytes.size()), 0, &face_);
    if (error)
        throw ConversionError("not a font FreeType can open (" + freeTypeErrorText(error) + ")");
}

FtFace::~FtFace() {
    FT_Done_Face(face_);
}

} // namespace korven::converter
