#pragma once

#include <QString>

namespace korven::app {

// Whether the file at `path` opens as a font, judged by FreeType without drawing a glyph:
// a file that does not is no reason to ask about replacing anything, since the converter
// will refuse it and say why.
bool FontOpens(const QString& path);

// The added line of the replace question when the file at `path` is write-protected (its
// owner may not write it), or an empty string. The converter keeps a replaced file's
// permissions, so the new file is write-protected too.
QString WriteProtectionNote(const QString& path);

} // namespace korven::app
