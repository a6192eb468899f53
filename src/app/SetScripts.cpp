#include "app/SetScripts.h"

#include "converter/core/CharacterSets.h"
#include "converter/core/SystemFontSlots.h"
#include "converter/family/CollectionFaces.h"

#include <QFile>
#include <QFileInfo>

namespace korven::app {

namespace {

const converter::ScriptFontSlot& SlotOf(int script) {
    return converter::scriptFontSlots()[static_cast<std::size_t>(script == 1 ? 1 : 0)];
}

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString ScriptFileName(int script) {
    return FromView(SlotOf(script).fileName);
}

QString ScriptTitle(int script) {
    return FromView(SlotOf(script).title);
}

QString ScriptFont(const ConversionSettings& settings, int script) {
    return script == 1 ? settings.KoreanFont : settings.JapaneseFont;
}

void SetScriptFont(ConversionSettings& settings, int script, const QString& path) {
    (script == 1 ? settings.KoreanFont : settings.JapaneseFont) = path;
}

QStringList ScriptArguments(const ConversionSettings& settings) {
    QStringList arguments;
    if (!settings.JapaneseFont.isEmpty())
        arguments << QStringLiteral("--japanese") << settings.JapaneseFont;
    if (!settings.KoreanFont.isEmpty())
        arguments << QStringLiteral("--korean") << settings.KoreanFont;
    return arguments;
}

ScriptFace ScriptFaceOf(const QString& fontPath, int script) {
    const converter::NamedCharacterSet* set =
        converter::namedCharacterSet(SlotOf(script).characterSet);
    const converter::FaceChoice choice =
        converter::chooseFace(QFile::encodeName(fontPath).toStdString(), std::nullopt,
                              set != nullptr ? set->language : std::string_view{});
    return {choice.index, choice.faceCount, QString::fromStdString(choice.familyName),
            choice.coversLanguage};
}

QString ScriptFaceWords(const QString& fontPath, const ScriptFace& face) {
    QString words = QFileInfo(fontPath).fileName();
    if (face.count > 1)
        words += QStringLiteral(", face %1 of %2").arg(face.index).arg(face.count);
    if (!face.family.isEmpty())
        words += QStringLiteral(", ") + face.family;
    return words;
}

} // namespace korven::app
