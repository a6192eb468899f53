// The whole conversion on arbitrary font bytes. The first byte picks the size and the shadow,
// its lowest bit whether fonts without the basic letters are refused (set) or written, and
// its second bit whether the file is fitted to the box of the handheld's own font.
// Whatever FreeType makes of the rest, the converter must either refuse it with
// ConversionError or write a file that our reader reads back exactly.
#include "converter/core/Converter.h"
#include "converter/core/Errors.h"
#include "converter/core/PgfReader.h"
#include "converter/core/PgfWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korven::converter;
    if (size < 1)
        return 0;
    ConversionSettings settings;
    settings.pixelsPerEm = 6 + data[0] % 17;
    settings.shadowRadius = 1.0 + (data[0] >> 5) * 3.0 / 7.0;
    settings.allowMissing = (data[0] & 1) == 0;
    if ((data[0] & 2) != 0)
        settings.fit = fitTargetOf(handheldFontForFile("ltn0.pgf"));
    ConversionResult result;
    std::vector<std::uint8_t> pgf;
    try {
        result = convertFont({data + 1, size - 1}, settings);
        pgf = writePgf(result.font);
    } catch (const ConversionError&) {
        return 0;
    }
    // From here on any failure is a bug in the writer or the reader.
    try {
        const PgfFont back = PgfFile::parse(pgf).toFont();
        if (back.glyphs != result.font.glyphs)
            std::abort();
    } catch (const PgfFormatError&) {
        std::abort();
    }
    return 0;
}
