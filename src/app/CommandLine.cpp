#include "app/CommandLine.h"

#include "converter/core/CharacterSets.h"
#include "converter/rules/Ranges.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace korven::app {

CommandLineStyle PlatformCommandLineStyle() {
#ifdef Q_OS_WIN
    return {QStringLiteral("\\"), QStringLiteral("ttf2pgf.exe")};
#else
    return {QStringLiteral("/"), QStringLiteral("ttf2pgf")};
#endif
}

QString ConverterProgram(const ConversionSettings& settings, const CommandLineStyle& style) {
    return settings.ProgramFolder + style.separator + style.converterName;
}

namespace {
// The size and the shadow, as the one-line command writes them.
QString SizeAndShadow(const ConversionSettings& settings) {
    return settings.FontSize + QStringLiteral(" i") + settings.ShadowValue;
}
} // namespace

QStringList CharactersArguments(const ConversionSettings& settings) {
    if (settings.ExtraCharacterSets.isEmpty())
        return {};
    std::vector<std::string> names;
    for (const QString& name : settings.ExtraCharacterSets)
        names.push_back(name.toStdString());
    return {QStringLiteral("--characters"),
            QString::fromStdString(converter::characterSetsArgument(names))};
}

namespace {
QString OwnLtn0(const ConversionSettings& settings) {
    return QDir(settings.OwnFontsFolder).filePath(OutputFileName);
}
} // namespace

QStringList FitArguments(const ConversionSettings& settings) {
    if (!settings.OwnFontsFolder.isEmpty() && QFileInfo(OwnLtn0(settings)).isFile())
        return {QStringLiteral("--like"), OwnLtn0(settings)};
    if (settings.FitToHandheld || !settings.OwnFontsFolder.isEmpty())
        return {QStringLiteral("--fit")};
    return {};
}

QStringList SetFitArguments(const ConversionSettings& settings) {
    if (!settings.OwnFontsFolder.isEmpty())
        return {QStringLiteral("--like"), settings.OwnFontsFolder};
    if (settings.FitToHandheld)
        return {QStringLiteral("--fit")};
    return {};
}

QString FitReportLine(const ConversionSettings& settings) {
    if (!settings.OwnFontsFolder.isEmpty())
        return QStringLiteral("Fitted to the sizes of your own font files in %1")
            .arg(QDir::toNativeSeparators(settings.OwnFontsFolder));
    if (settings.FitToHandheld)
        return QStringLiteral("Fitted to the sizes of the handheld's own fonts");
    return {};
}

void BuildCommandLine(ConversionSettings& settings, const CommandLineStyle& style) {
    settings.ConverterPath = ConverterProgram(settings, style) + QLatin1Char(' ');
    const QStringList options = CharactersArguments(settings) + FitArguments(settings);
    settings.ConverterCommandLine =
        settings.ConverterPath +
        (options.isEmpty() ? QString() : options.join(QLatin1Char(' ')) + QLatin1Char(' ')) +
        settings.SourceFolder + settings.FontFile + QLatin1Char(' ') + OutputFilePath(settings) +
        QLatin1Char(' ') + SizeAndShadow(settings);
}

QString OutputFilePath(const ConversionSettings& settings) {
    return settings.DestinationFolder + OutputFileName;
}

// The converter's own readers decide, so the window never accepts what ttf2pgf would refuse.
bool IsFontSize(const QString& size) {
    return converter::parsePixelSize(size.toStdString()) > 0;
}

bool IsShadowValue(const QString& shadow) {
    return converter::parseShadowRadius("i" + shadow.toStdString()) > 0;
}

ConverterInvocation BuildConverterInvocation(const ConversionSettings& settings,
                                             const CommandLineStyle& style) {
    ConverterInvocation invocation;
    invocation.program = ConverterProgram(settings, style);
    invocation.arguments << CharactersArguments(settings) << FitArguments(settings);
    invocation.arguments << settings.SourceFolder + settings.FontFile << OutputFilePath(settings);
    // The size and the shadow are not paths: the converter has always received them split
    // at blanks, with empty pieces dropped, so they are passed on the same way.
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    invocation.arguments << SizeAndShadow(settings).split(blanks, Qt::SkipEmptyParts);
    return invocation;
}

namespace {
QString ShellQuoted(const QString& piece) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9.,/:@%+_-]+$"));
    if (plain.match(piece).hasMatch()) {
        return piece;
    }
    QString quoted = piece;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}
} // namespace

QString ShellCommandLine(const ConverterInvocation& invocation) {
    QStringList pieces{ShellQuoted(invocation.program)};
    for (const QString& argument : invocation.arguments) {
        pieces << ShellQuoted(argument);
    }
    return pieces.join(QLatin1Char(' '));
}

} // namespace korven::app
