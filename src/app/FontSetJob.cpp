#include "app/FontSetJob.h"

#include "app/SetScripts.h"
#include "converter/core/SystemFontSlots.h"

#include <QDir>
#include <QFileInfo>

namespace korven::app {

QStringList SetFileNames(const ConversionSettings& settings) {
    QStringList names = SetFileNames();
    for (int script = 0; script < kScriptFileCount; ++script)
        if (!ScriptFont(settings, script).isEmpty())
            names << ScriptFileName(script);
    return names;
}

const QStringList& SetFileNames() {
    static const QStringList names = [] {
        QStringList list;
        for (int n = 0; n < kSetFileCount; ++n) {
            list << QString::fromStdString(converter::slotFileName(n));
        }
        return list;
    }();
    return names;
}

QString SetFolder(const ConversionSettings& settings) {
    QString folder = settings.DestinationFolder;
    // The folder list gives a root with its separator and the handler adds one more; one
    // separator is the root itself and stays.
    while (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\')) &&
           !folder.endsWith(QStringLiteral(":\\")) && !folder.endsWith(QStringLiteral(":/"))) {
        folder.chop(1);
    }
    return folder;
}

ConverterInvocation BuildSetInvocation(const ConversionSettings& settings,
                                       const CommandLineStyle& style, const QString& backupFolder) {
    ConverterInvocation invocation;
    invocation.program = ConverterProgram(settings, style);
    invocation.arguments << QStringLiteral("--set") << settings.SourceFolder + settings.FontFile
                         << SetFolder(settings) << settings.FontSize
                         << QStringLiteral("i") + settings.ShadowValue
                         << CharactersArguments(settings) << SetFitArguments(settings)
                         << ScriptArguments(settings);
    if (!settings.SerifFont.isEmpty())
        invocation.arguments << QStringLiteral("--serif") << settings.SerifFont;
    if (!backupFolder.isEmpty()) {
        invocation.arguments << QStringLiteral("--backup-dir") << backupFolder;
    }
    return invocation;
}

QStringList ExistingSetFiles(const QString& folder, const QStringList& names) {
    QStringList existing;
    for (const QString& name : names) {
        if (QFileInfo(QDir(folder).filePath(name)).isFile()) {
            existing << name;
        }
    }
    return existing;
}

QString ReplaceSetQuestion(int existing, const QString& folder, int total) {
    // The sixteen alone keep their words; the scripts' files are named when they are asked for.
    const QString kinds = total > kSetFileCount ? QStringLiteral("ltn*.pgf, jpn0.pgf, kr0.pgf")
                                                : QStringLiteral("ltn*.pgf");
    return existing == 1 ? QStringLiteral("1 system font file (%1) already exists in %2.\n"
                                          "Replace it with the new set of %3?")
                               .arg(kinds, QDir::toNativeSeparators(folder))
                               .arg(total)
                         : QStringLiteral("%1 system font files (%2) already exist in %3.\n"
                                          "Replace them with the new set of %4?")
                               .arg(existing)
                               .arg(kinds, QDir::toNativeSeparators(folder))
                               .arg(total);
}

} // namespace korven::app
