#pragma once

#include "app/ConversionSettings.h"

#include <QString>
#include <QStringList>

// SET's files for the handheld's own scripts beside the sixteen Latin ones: jpn0.pgf and
// kr0.pgf, each from a font the user chooses, and which face of that font is used.
namespace korven::app {

// jpn0.pgf, then kr0.pgf.
inline constexpr int kScriptFileCount = 2;

// "jpn0.pgf" or "kr0.pgf" for 0 or 1.
QString ScriptFileName(int script);
// "Japanese" or "Korean".
QString ScriptTitle(int script);
// The font the script's file is made from; empty: it is not made.
QString ScriptFont(const ConversionSettings& settings, int script);
void SetScriptFont(ConversionSettings& settings, int script, const QString& path);

// What SET adds for them: "--japanese FONT3" and "--korean FONT4", for those chosen.
QStringList ScriptArguments(const ConversionSettings& settings);

// The face of a font that a script's file is made from, as the converter takes it.
struct ScriptFace {
    int index = 0;
    int count = 0;       // faces in the file; 0 when it cannot be read as a font
    QString family;      // may be empty
    bool covers = false; // the face draws the script's language
};
ScriptFace ScriptFaceOf(const QString& fontPath, int script);

// "NotoSansCJK-Regular.ttc, face 0 of 10, Noto Sans CJK JP"; "DejaVuSans.ttf, DejaVu Sans"
QString ScriptFaceWords(const QString& fontPath, const ScriptFace& face);

} // namespace korven::app
