#include "preview/PreviewModel.h"

#include "app/CommandLine.h"
#include "app/FontSetJob.h"
#include "app/SetScripts.h"
#include "converter/core/CharacterSet.h"
#include "converter/core/CharacterSets.h"
#include "converter/core/Converter.h"
#include "converter/core/Errors.h"
#include "converter/core/PgfWriter.h"
#include "converter/core/TextRender.h"
#include "converter/family/CollectionFaces.h"
#include "converter/family/ScriptFonts.h"
#include "converter/family/SetPlan.h"
#include "converter/rules/FontFile.h"
#include "converter/rules/Ranges.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace korven::preview {

namespace {
PreviewState Missing(const QString& message) {
    return {PreviewState::Kind::Missing, message, nullptr};
}
PreviewState Refused(const std::string& message) {
    return {PreviewState::Kind::Refused, QString::fromStdString(message), nullptr};
}

// The extra characters of the sets chosen in the CHARACTERS menu.
std::vector<char32_t> ExtraCharacters(const app::ConversionSettings& settings) {
    std::vector<std::string> sets;
    for (const QString& name : settings.ExtraCharacterSets)
        sets.push_back(name.toStdString());
    return converter::extraCharactersOf(sets);
}

// The box Convert's file is fitted to, as the FIT menu asks for it (see app::FitArguments):
// the user's own ltn0.pgf, or the handheld's; none when nothing is chosen. Throws FileError
// when the user's own file cannot be used.
std::optional<converter::FitTarget> ConvertFitTarget(const app::ConversionSettings& settings) {
    const QStringList fit = app::FitArguments(settings);
    if (fit.isEmpty())
        return std::nullopt;
    if (fit.first() == QLatin1String("--like"))
        return converter::readReferenceTarget(QFile::encodeName(fit.at(1)).toStdString());
    return converter::fitTargetOf(converter::handheldFontForFile("ltn0.pgf"));
}

// The file as the handheld gets it, read back for drawing, with what it holds and leaves out.
std::shared_ptr<PreviewFont> PreviewOf(converter::ConversionResult result,
                                       const QStringList& extraSets) {
    auto font = std::make_shared<PreviewFont>();
    font->heldCount = result.font.glyphs.size();
    if (result.fit.applied) {
        font->fitted = result.fit.condensed;
        font->fitted.insert(font->fitted.end(), result.fit.scaledDown.begin(),
                            result.fit.scaledDown.end());
        std::sort(font->fitted.begin(), font->fitted.end());
        font->reducedEm = result.fit.reducedEm;
    }
    font->leftOut = std::move(result.skipped);
    font->absent = std::move(result.absent);
    font->extraSets = extraSets;
    font->bytes = converter::writePgf(result.font);
    font->font = converter::PgfFile::parse(font->bytes);
    return font;
}
} // namespace

QString CharacterName(char32_t codePoint) {
    const bool printable = QChar::isPrint(codePoint) && !QChar::isSpace(codePoint);
    if (printable)
        return QString::fromUcs4(&codePoint, 1);
    return QStringLiteral("U+%1")
        .arg(static_cast<uint>(codePoint), 4, 16, QLatin1Char('0'))
        .toUpper();
}

QString NotHeldNote(const PreviewFont& font, const QString& line) {
    const QList<uint> typed = line.toUcs4();
    const std::u32string missing =
        converter::charactersNotHeld(font.font, std::u32string(typed.begin(), typed.end()));
    if (missing.empty())
        return {};
    QStringList names;
    for (char32_t c : missing) {
        const QString code =
            QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
        const QString name = CharacterName(c);
        names << (name == code ? code : name + QLatin1Char(' ') + code);
    }
    const bool underscore = font.font.glyphIndex(converter::kUnderscore).has_value();
    return QStringLiteral("Not in the file: %1. The handheld shows %2.")
        .arg(names.join(QStringLiteral(", ")),
             underscore ? QStringLiteral("them as \"_\"") : QStringLiteral("nothing for them"));
}

std::optional<PreviewState> PreviewModel::MissingChoice(const app::ConversionSettings& settings) {
    if (settings.FontFile.isEmpty())
        return Missing(QStringLiteral("No font picked: pick a font file in the source list."));
    if (!app::IsFontSize(settings.FontSize))
        return Missing(QStringLiteral("No valid size: choose a size from %1 to %2.")
                           .arg(app::kMinFontSize)
                           .arg(app::kMaxFontSize));
    if (!app::IsShadowValue(settings.ShadowValue))
        return Missing(QStringLiteral("No valid shadow: type a shadow from %1.")
                           .arg(QString::fromStdString(converter::shadowRadiusRangeText())));
    return std::nullopt;
}

QString ScriptFontPath(const app::ConversionSettings& settings, int script) {
    const QString chosen = app::ScriptFont(settings, script);
    return chosen.isEmpty() ? settings.SourceFolder + settings.FontFile : chosen;
}

PreviewKey PreviewModel::KeyOf(const app::ConversionSettings& settings, int setFile) {
    const QString path = settings.SourceFolder + settings.FontFile;
    PreviewKey key{path,
                   QFileInfo(path).lastModified(),
                   settings.FontSize,
                   settings.ShadowValue,
                   settings.ExtraCharacterSets,
                   settings.FitToHandheld,
                   settings.OwnFontsFolder,
                   settings.SerifFont,
                   setFile,
                   {},
                   {}};
    if (TakesLong(setFile)) {
        key.scriptFont = ScriptFontPath(settings, setFile - kFirstScriptFile);
        key.scriptFontModified = QFileInfo(key.scriptFont).lastModified();
    }
    return key;
}

const PreviewState* PreviewModel::Kept(const PreviewKey& key) const {
    const Kept_& kept = TakesLong(key.setFile) ? long_ : quick_;
    return kept.have && kept.key == key ? &kept.state : nullptr;
}

void PreviewModel::Keep(const PreviewKey& key, PreviewState state) {
    ++conversions_;
    Kept_& kept = TakesLong(key.setFile) ? long_ : quick_;
    kept = {true, key, std::move(state)};
}

PreviewState PreviewModel::Make(const app::ConversionSettings& settings, int setFile) {
    const converter::StopFlag never{false};
    return Make(settings, setFile, never);
}

PreviewState PreviewModel::Make(const app::ConversionSettings& settings, int setFile,
                                const converter::StopFlag& stop) {
    if (std::optional<PreviewState> missing = MissingChoice(settings))
        return *missing;
    if (setFile == kConvertFile)
        return Convert(settings.SourceFolder + settings.FontFile, settings);
    if (TakesLong(setFile))
        return ConvertScriptFile(settings, setFile - kFirstScriptFile, stop);
    return ConvertSetFile(settings, setFile);
}

PreviewState PreviewModel::Update(const app::ConversionSettings& settings, int setFile) {
    if (std::optional<PreviewState> missing = MissingChoice(settings))
        return *missing;
    const PreviewKey key = KeyOf(settings, setFile);
    if (const PreviewState* kept = Kept(key))
        return *kept;
    Keep(key, Make(settings, setFile));
    return *Kept(key);
}

PreviewState PreviewModel::Convert(const QString& path, const app::ConversionSettings& settings) {
    // The values Convert would pass, read by the converter's own readers; Update has made sure
    // both are valid. The window never passes --allow-missing.
    const int pixelsPerEm = converter::parsePixelSize(settings.FontSize.toStdString());
    const double shadowRadius =
        converter::parseShadowRadius("i" + settings.ShadowValue.toStdString());

    try {
        const std::vector<std::uint8_t> fontBytes =
            converter::readWholeFile(QFile::encodeName(path).toStdString());
        converter::ConversionSettings conversion{pixelsPerEm, shadowRadius, false};
        conversion.extraCharacters = ExtraCharacters(settings);
        conversion.fit = ConvertFitTarget(settings);
        converter::ConversionResult result = converter::convertFont(fontBytes, conversion);
        auto font = PreviewOf(std::move(result), settings.ExtraCharacterSets);
        font->fit = conversion.fit;
        return {PreviewState::Kind::Ready, QString(), std::move(font)};
    } catch (const converter::ConversionError& e) {
        return Refused(e.speaksOfTheFont() ? e.naming(QFileInfo(path).fileName().toStdString())
                                           : e.what());
    } catch (const std::runtime_error& e) {
        // A file that cannot be read, or bytes the reader does not take.
        return Refused(e.what());
    }
}

namespace {

// "DejaVuSans-Bold.ttf", with the face of a collection or the instance of a variable font
// named, and the synthesis applied.
QString MadeFrom(const converter::SetPlanEntry& entry) {
    QString text = QFileInfo(QFile::decodeName(entry.face.path.c_str())).fileName();
    if (entry.face.index != 0)
        text += QStringLiteral(", ") +
                QString::fromStdString(converter::faceWords(entry.face, entry.familyName));
    const converter::FaceSynthesis& s = entry.settings.synthesis;
    if (s.embolden || s.slant)
        text += s.embolden && s.slant ? QStringLiteral(", emboldened and slanted by synthesis")
                : s.embolden          ? QStringLiteral(", emboldened by synthesis")
                                      : QStringLiteral(", slanted by synthesis");
    return text;
}

} // namespace

PreviewState PreviewModel::ConvertSetFile(const app::ConversionSettings& settings, int setFile) {
    if (setFile < 0 || setFile >= app::kSetFileCount)
        return Refused("There is no such file in the set.");
    // The values SET would pass, read by the converter's own readers; Update has made sure
    // both are valid. The picked font's family is found as ttf2pgf --set finds it.
    const int pixelsPerEm = converter::parsePixelSize(settings.FontSize.toStdString());
    const double shadowRadius =
        converter::parseShadowRadius("i" + settings.ShadowValue.toStdString());
    const converter::FamilyFaces faces = converter::findFamilyFaces(
        QFile::encodeName(settings.SourceFolder + settings.FontFile).toStdString());
    const converter::FamilyFaces serif =
        settings.SerifFont.isEmpty()
            ? faces
            : converter::findFamilyFaces(QFile::encodeName(settings.SerifFont).toStdString());
    converter::SetPlan plan = converter::planSystemFontSet(faces, serif, pixelsPerEm, shadowRadius,
                                                           ExtraCharacters(settings));
    const converter::SetPlanEntry& entry = plan.entries[static_cast<std::size_t>(setFile)];
    try {
        // Fitted as SET fits: to the user's own file of the slot, else the handheld's own.
        const QStringList fit = app::SetFitArguments(settings);
        if (!fit.isEmpty())
            converter::fitSetPlan(plan, QFile::encodeName(settings.OwnFontsFolder).toStdString());
        // convertSlot's own two steps, kept apart to learn what the file leaves out.
        const std::vector<std::uint8_t> fontBytes = converter::readWholeFile(entry.face.path);
        converter::ConversionResult result = converter::convertSlotFont(entry, fontBytes);
        auto font = PreviewOf(std::move(result), settings.ExtraCharacterSets);
        font->madeFrom = MadeFrom(entry);
        font->fit = entry.settings.fit;
        return {PreviewState::Kind::Ready, QString(), std::move(font)};
    } catch (const converter::ConversionError& e) {
        const std::string name =
            QFileInfo(QFile::decodeName(entry.face.path.c_str())).fileName().toStdString();
        return Refused(e.speaksOfTheFont() ? e.naming(name) : e.what());
    } catch (const std::runtime_error& e) {
        return Refused(e.what());
    }
}

PreviewState PreviewModel::ConvertScriptFile(const app::ConversionSettings& settings, int script,
                                             const converter::StopFlag& stop) {
    if (script < 0 || script >= app::kScriptFileCount)
        return Refused("There is no such file in the set.");
    const converter::ScriptFontSlot& slot =
        converter::scriptFontSlots()[static_cast<std::size_t>(script)];
    const QString path = ScriptFontPath(settings, script);
    const std::string fontPath = QFile::encodeName(path).toStdString();
    // The face ttf2pgf --set takes for the script's language, at the size and with the extra
    // characters SET passes.
    const int pixelsPerEm = converter::parsePixelSize(settings.FontSize.toStdString());
    const double shadowRadius =
        converter::parseShadowRadius("i" + settings.ShadowValue.toStdString());
    const app::ScriptFace face = app::ScriptFaceOf(path, script);
    try {
        converter::ScriptPlanEntry entry = converter::planScriptFont(
            slot, {fontPath, face.index, {}}, pixelsPerEm, shadowRadius, ExtraCharacters(settings));
        if (!app::SetFitArguments(settings).isEmpty())
            entry.settings.fit =
                converter::fitTargetFor(std::string(slot.fileName),
                                        QFile::encodeName(settings.OwnFontsFolder).toStdString());
        const std::vector<std::uint8_t> fontBytes = converter::readWholeFile(fontPath);
        auto font = PreviewOf(converter::convertFont(fontBytes, entry.settings, stop),
                              settings.ExtraCharacterSets);
        font->madeFrom = app::ScriptFaceWords(path, face);
        font->fit = entry.settings.fit;
        return {PreviewState::Kind::Ready, QString(), std::move(font)};
    } catch (const converter::ConversionError& e) {
        const std::string name = QFileInfo(path).fileName().toStdString();
        return Refused(e.speaksOfTheFont() ? e.naming(name) : e.what());
    } catch (const std::runtime_error& e) {
        return Refused(e.what());
    }
}

} // namespace korven::preview
