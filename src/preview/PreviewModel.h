#pragma once

#include "app/ConversionSettings.h"
#include "converter/core/HandheldFonts.h"
#include "converter/core/PgfReader.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace korven::preview {

// Which file the preview shows: the one Convert writes, or one of the sixteen SET writes.
inline constexpr int kConvertFile = -1;

// The file Convert (or SET) would write for one pick, size and shadow, read back.
struct PreviewFont {
    std::vector<std::uint8_t> bytes; // exactly what the converter writes
    converter::PgfFile font;
    std::size_t heldCount = 0;     // characters the file holds
    std::vector<char32_t> leftOut; // characters of the font that the file cannot hold
    std::vector<char32_t> absent;  // characters of the chosen extra sets the font lacks
    QStringList extraSets;         // the extra character sets the file was made with
    QString madeFrom;              // for a SET file: the font file read, and the synthesis applied
    // For a file fitted as the FIT menu asks: the box it keeps to, and the characters whose
    // glyphs were changed to fit it (condensed or made smaller), sorted.
    std::optional<converter::FitTarget> fit;
    std::vector<char32_t> fitted;
    std::int32_t reducedEm = 0; // 26.6 px: the em the file was set at when its letters did not fit
};

struct PreviewState {
    enum class Kind {
        Missing, // no font picked, or the size or shadow is not valid: `message` says which
        Refused, // the converter would refuse the font: `message` holds its words
        Ready,   // `font` holds the file
    };
    Kind kind = Kind::Missing;
    QString message;
    std::shared_ptr<const PreviewFont> font;
};

// Turns the main window's choices into the file Convert would write, in-process. The size and
// shadow go through the same command-line building and argument reading as the real converter,
// so the preview cannot drift from the file. The last result is kept, keyed by the font's path,
// its modification time, the size and the shadow, so an unchanged choice is not converted again.
class PreviewModel {
public:
    // `setFile` is kConvertFile or the number of one of SET's sixteen files (ltnN.pgf), made
    // from the picked font's family exactly as `ttf2pgf --set` makes it.
    PreviewState Update(const app::ConversionSettings& settings, int setFile = kConvertFile);
    // How many conversions actually ran (the rest came from the kept result).
    int ConversionCount() const { return conversions_; }

private:
    struct Key {
        QString path;
        QDateTime modified;
        QString size;
        QString shadow;
        QStringList extraSets;
        bool fitToHandheld = false;
        QString ownFontsFolder;
        int setFile = kConvertFile;
        bool operator==(const Key&) const = default;
    };
    PreviewState Convert(const QString& path, const app::ConversionSettings& settings);
    PreviewState ConvertSetFile(const app::ConversionSettings& settings, int setFile);

    bool haveLast_ = false;
    Key lastKey_;
    PreviewState last_;
    int conversions_ = 0;
};

// The character as people write it: the character itself, or U+XXXX when it cannot be shown.
QString CharacterName(char32_t codePoint);

// Words for the characters of `line` that the file does not hold, naming each with its code
// and what the handheld draws instead; an empty string when the file holds them all.
QString NotHeldNote(const PreviewFont& font, const QString& line);

} // namespace korven::preview
