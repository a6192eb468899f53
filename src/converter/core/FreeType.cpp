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

std::uint32_t bigEndian(std::span<const std::uint8_t> bytes, std::size_t at, int length) {
    std::uint32_t value = 0;
    for (int i = 0; i < length; ++i)
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

// FreeType opens a TrueType or OpenType file whose last tables are cut off and quietly does
// without them (hinting, names...), so a file cut short would convert into a different font.
// Its table directory says where every table ends; all must end inside the file. In a collection
// the directory of the face being opened is checked.
bool tablesEndInsideTheFile(std::span<const std::uint8_t> bytes, int index) {
    std::size_t directory = 0;
    // The upper bits of the number pick an instance of a variable font, not a face.
    const std::size_t entry = 12 + 4 * static_cast<std::size_t>(index & 0xFFFF);
    if (bytes.size() >= 16 && bigEndian(bytes, 0, 4) == 0x74746366) { // "ttcf"
        if (bytes.size() < entry + 4)
            return false;
        directory = bigEndian(bytes, entry, 4);
    }
    if (directory > bytes.size() || bytes.size() - directory < 12)
        return false;
    const std::uint32_t version = bigEndian(bytes, directory, 4);
    if (version != 0x00010000 && version != 0x4F54544F && version != 0x74727565) // OTTO, true
        return true; // not a table directory this check knows
    const std::size_t tables = bigEndian(bytes, directory + 4, 2);
    if ((bytes.size() - directory - 12) / 16 < tables)
        return false;
    for (std::size_t i = 0; i < tables; ++i) {
        const std::size_t record = directory + 12 + 16 * i;
        const std::uint64_t end =
            std::uint64_t{bigEndian(bytes, record + 8, 4)} + bigEndian(bytes, record + 12, 4);
        if (end > bytes.size())
            return false;
    }
    return true;
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

FtFace::FtFace(const FtLibrary& library, std::span<const std::uint8_t> bytes, int index) {
    if (bytes.empty())
        throw ConversionError(std::string(ConversionError::kFontName) + " is empty, not a font");
    const FT_Error error = FT_New_Memory_Face(library.get(), bytes.data(),
                                              static_cast<FT_Long>(bytes.size()), index, &face_);
    if (error && !looksLikeAFont(bytes))
        throw ConversionError(std::string(ConversionError::kFontName) +
                              " is not a font (TrueType, OpenType, Type 1 or WOFF)");
    if (error || !tablesEndInsideTheFile(bytes, index)) {
        if (face_)
            FT_Done_Face(face_);
        throw ConversionError(std::string(ConversionError::kFontName) +
                              " is damaged or cut short: it cannot be read as a font");
    }
}

FtFace::~FtFace() {
    FT_Done_Face(face_);
}

void checkOpensAsFont(std::span<const std::uint8_t> bytes) {
    const FtLibrary library;
    const FtFace face(library, bytes);
}

} // namespace korven::converter
