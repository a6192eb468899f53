#include "app/CommandLine.h"

#include <QRegularExpression>

namespace korven::app {

CommandLineStyle PlatformCommandLineStyle() {
#ifdef Q_OS_WIN
    return {QStringLiteral("\\"), QStringLiteral("ttf2pgf.exe")};
#else
    return {QStringLiteral("/"), QStringLiteral("ttf2pgf")};
#endif
}

void BuildCommandLine(ConversionSettings& settings, const CommandLineStyle& style) {
    settings.ConverterPath =
        settings.ProgramFolder + style.separator + style.converterName + QLatin1Char(' ');
    settings.ConverterCommandLine = settings.ConverterPath + settings.SourceFolder +
                                    settings.FontFile + QLatin1Char(' ') +
                                    OutputFilePath(settings) + QLatin1Char(' ') +
                                    settings.FontSize + QStringLiteral(" i") + settings.ShadowValue;
}

QString OutputFilePath(const ConversionSettings& settings) {
    return settings.DestinationFolder + OutputFileName;
}

ConverterInvocation BuildConverterInvocation(const ConversionSettings& settings,
                                             const CommandLineStyle& style) {
    ConverterInvocation invocation;
    invocation.program = settings.ProgramFolder + style.separator + style.converterName;
    invocation.arguments << settings.SourceFolder + settings.FontFile << OutputFilePath(settings);
    // The size and the shadow are not paths: the converter has always received them split
    // at blanks, with empty pieces dropped, so they are passed on the same way.
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    const QString options = settings.FontSize + QStringLiteral(" i") + settings.ShadowValue;
    invocation.arguments << options.split(blanks, Qt::SkipEmptyParts);
    return invocation;
}

} // namespace korven::app
