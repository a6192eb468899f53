#pragma once

#include "app/ConversionSettings.h"
#include "converter/core/Converter.h"
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

// Which file the preview shows: the one Convert writes, or one of the sixteen SET writes
// (0 to 15), or SET's jpn0.pgf or kr0.pgf (kFirstScriptFile and the one after).
inline constexpr int kConvertFile = -1;
inline constexpr int kFirstScriptFile = 16;

// A script's file holds thousands of glyphs and takes a good part of a second to make, too
// long to keep the window waiting.
inline bool TakesLong(int setFile) {
    return setFile >= kFirstScriptFile;
}

// The file Convert (or SET) would write for one pick, size and shadow, read back.
struct PreviewFont {
    std::vector<std::uint8_t> bytes; // exactly what the converter writes
    converter::PgfFile font;
    std::size_t heldCount = 0;     // characters the file holds
    std::vector<char32_t> leftOut; // characters of the font that the file cannot hold
    std::vector<char32_t> absent;  // characters of the chosen extra sets the font lacks
    QStringList extraSets;         // the extra character sets the file was made with
    QString madeFrom; // for a SET file: the font file read, and the synthesis applied or face taken
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

// The choices one file depends on: the same key, the same file.
struct PreviewKey {
    QString path;
    QDateTime modified;
    QString size;
    QString shadow;
    QStringList extraSets;
    bool fitToHandheld = false;
    QString ownFontsFolder;
    QString serifFont;
    int setFile = kConvertFile;
    QString scriptFont; // for jpn0.pgf and kr0.pgf: the font they are made from
    QDateTime scriptFontModified;
    bool operator==(const PreviewKey&) const = default;
};

// Turns the main window's choices into the file Convert would write, in-process. The size and
// shadow go through the same command-line building and argument reading as the real converter,
// so the preview cannot drift from the file. The last result is kept, keyed by the font's path,
// its modification time, the size and the shadow, so an unchanged choice is not converted again.
class PreviewModel {
public:
    // `setFile` is kConvertFile or the number of one of SET's sixteen files (ltnN.pgf), made
    // from the picked font's family exactly as `ttf2pgf --set` makes it, or of jpn0.pgf or
    // kr0.pgf, made as `ttf2pgf --set … --japanese FONT3 --korean FONT4` makes them from the
    // font chosen for them, else from the picked font.
    PreviewState Update(const app::ConversionSettings& settings, int setFile = kConvertFile);
    // How many conversions actually ran (the rest came from the kept result).
    int ConversionCount() const { return conversions_; }

    // Update in steps, for a caller that makes the file on another thread: the key of the
    // choices, the result kept for it (null when there is none), the file made (touching
    // nothing of the model, so safe on any thread), and the result kept. A long file's result
    // is kept apart from the others', so going back and forth between them converts neither.
    static PreviewKey KeyOf(const app::ConversionSettings& settings, int setFile);
    // The state for choices that cannot make a file (no font, no valid size or shadow), at once.
    static std::optional<PreviewState> MissingChoice(const app::ConversionSettings& settings);
    const PreviewState* Kept(const PreviewKey& key) const;
    static PreviewState Make(const app::ConversionSettings& settings, int setFile);
    // The same, for a thread whose result may stop being wanted: a long file's conversion
    // gives up once `stop` is set.
    static PreviewState Make(const app::ConversionSettings& settings, int setFile,
                             const converter::StopFlag& stop);
    void Keep(const PreviewKey& key, PreviewState state);

private:
    struct Kept_ {
        bool have = false;
        PreviewKey key;
        PreviewState state;
    };
    static PreviewState Convert(const QString& path, const app::ConversionSettings& settings);
    static PreviewState ConvertSetFile(const app::ConversionSettings& settings, int setFile);
    static PreviewState ConvertScriptFile(const app::ConversionSettings& settings, int script,
                                          const converter::StopFlag& stop);

    Kept_ quick_;
    Kept_ long_;
    int conversions_ = 0;
};

// The font jpn0.pgf (script 0) or kr0.pgf (1) is made from: the one chosen for it, else the
// picked font.
QString ScriptFontPath(const app::ConversionSettings& settings, int script);

// The character as people write it: the character itself, or U+XXXX when it cannot be shown.
QString CharacterName(char32_t codePoint);

// Words for the characters of `line` that the file does not hold, naming each with its code
// and what the handheld draws instead; an empty string when the file holds them all.
QString NotHeldNote(const PreviewFont& font, const QString& line);

} // namespace korven::preview
