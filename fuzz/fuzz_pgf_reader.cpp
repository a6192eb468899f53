// The PGF reader on arbitrary bytes: it must either read the file or throw PgfFormatError,
// never read out of bounds, crash or leak. Also draws text through the --render path.
#include "converter/core/Errors.h"
#include "converter/core/PgfReader.h"
#include "converter/core/TextRender.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korven::converter;
    try {
        const PgfFile file = PgfFile::parse(std::vector<std::uint8_t>(data, data + size));
        // Enough glyphs to reach every record of small inputs without letting a file whose
        // pointers all name one large record take seconds per input.
        const std::size_t count = std::min<std::size_t>(file.glyphCount(), 64);
        for (std::size_t i = 0; i < count; ++i)
            (void)file.glyph(i);
        (void)renderText(file, U"Ag_\u00E9\u20AC\u2122");
    } catch (const PgfFormatError&) {
    }
    return 0;
}
