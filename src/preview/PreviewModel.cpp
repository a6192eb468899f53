#include "preview/PreviewModel.h"

#include "app/CommandLine.h"
#include "converter/command/Arguments.h"
#include "converter/command/Files.h"
#include "converter/core/Converter.h"
#include "converter/core/Errors.h"
#include "converter/core/PgfWriter.h"

#include <QFile>
#include <QFileInfo>
#include <variant>

namespace korven::preview {

namespace {
PreviewState Missing(const QString& message) {
    return {PreviewState::Kind::Missing, message, nullptr};
}
PreviewState Refused(const std::string& message) {
    return {PreviewState::Kind::Refused, QString::fromStdString(message), nullptr};
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

PreviewState PreviewModel::Update(const app::ConversionSettings& settings) {
    if (settings.FontFile.isEmpty())
        return Missing(QStringLiteral("No font picked: pick a font file in the source list."));
    if (!app::IsFontSize(settings.FontSize))
        return Missing(QStringLiteral("No valid size: choose a size from %1 to %2.")
                           .arg(app::kMinFontSize)
                           .arg(app::kMaxFontSize));
    if (!app::IsShadowValue(settings.ShadowValue))
        return Missing(QStringLiteral("No valid shadow: type a shadow from 1 to 4.0."));

    const QString path = settings.SourceFolder + settings.FontFile;
    const Key key{path, QFileInfo(path).lastModified(), settings.FontSize, settings.ShadowValue,
                  settings.ExtraCharacterSets};
    if (haveLast_ && key == lastKey_)
        return last_;
    last_ = Convert(path, settings);
    lastKey_ = key;
    haveLast_ = true;
    return last_;
}

PreviewState PreviewModel::Convert(const QString& path, const app::ConversionSettings& settings) {
    ++conversions_;
    // The arguments the Convert button would pass, read by the converter's own argument reader.
    std::vector<std::string> args;
    for (const QString& argument : app::BuildConverterInvocation(settings).arguments)
        args.push_back(QFile::encodeName(argument).toStdString());
    const converter::ParsedArguments parsed = converter::parseArguments(args);
    if (const auto* usage = std::get_if<converter::UsageError>(&parsed))
        return Refused(usage->message);
    const auto* command = std::get_if<converter::ConvertCommand>(&parsed);
    if (command == nullptr)
        return Refused("The converter would not convert with these choices.");

    try {
        const std::vector<std::uint8_t> fontBytes = converter::readWholeFile(command->fontPath);
        converter::ConversionSettings conversion{command->pixelsPerEm, command->shadowRadius,
                                                 command->allowMissing};
        conversion.extraCharacters = command->extraCharacters;
        converter::ConversionResult result = converter::convertFont(fontBytes, conversion);
        auto font = std::make_shared<PreviewFont>();
        font->heldCount = result.font.glyphs.size();
        font->leftOut = std::move(result.skipped);
        font->absent = std::move(result.absent);
        font->extraSets = settings.ExtraCharacterSets;
        font->bytes = converter::writePgf(result.font);
        font->font = converter::PgfFile::parse(font->bytes);
        return {PreviewState::Kind::Ready, QString(), std::move(font)};
    } catch (const converter::ConversionError& e) {
        return Refused(e.speaksOfTheFont() ? e.naming(QFileInfo(path).fileName().toStdString())
                                           : e.what());
    } catch (const std::runtime_error& e) {
        // A file that cannot be read, or bytes the reader does not take.
        return Refused(e.what());
    }
}

} // namespace korven::preview
