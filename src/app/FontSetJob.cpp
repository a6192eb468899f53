#include "app/FontSetJob.h"

#include "converter/core/SystemFontSlots.h"

#include <QDir>
#include <QFileInfo>

namespace korven::app {

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
                         << CharactersArguments(settings) << SetFitArguments(settings);
    if (!backupFolder.isEmpty()) {
        invocation.arguments << QStringLiteral("--backup-dir") << backupFolder;
    }
    return invocation;
}

QStringList ExistingSetFiles(const QString& folder) {
    QStringList existing;
    for (const QString& name : SetFileNames()) {
        if (QFileInfo(QDir(folder).filePath(name)).isFile()) {
            existing << name;
        }
    }
    return existing;
}

QString ReplaceSetQuestion(int existing, const QString& folder) {
    return existing == 1 ? QStringLiteral("1 system font file (ltn*.pgf) already exists in %1.\n"
                                          "Replace it with the new set of 16?")
                               .arg(QDir::toNativeSeparators(folder))
                         : QStringLiteral("%1 system font files (ltn*.pgf) already exist in %2.\n"
                                          "Replace them with the new set of 16?")
                               .arg(existing)
                               .arg(QDir::toNativeSeparators(folder));
}

} // namespace korven::app
