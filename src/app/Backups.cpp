#include "app/Backups.h"

#include "converter/rules/Backup.h"
#include "converter/rules/FontFile.h"
#include "host/seams/MessageBox.h"

#include <QDir>
#include <QFile>
#include <filesystem>

namespace korven::app {

namespace {

BackupEntry EntryOf(const converter::Backup& backup) {
    BackupEntry entry;
    entry.path = QString::fromStdString(backup.path);
    entry.made = QString::fromStdString(backup.made);
    entry.folder = QString::fromStdString(backup.folder);
    for (const converter::BackupFile& f : backup.files) {
        entry.files << QString::fromStdString(f.name);
    }
    return entry;
}

std::string Local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

KeptFiles KeepEarlierFiles(const QString& root, const QString& folder, const QStringList& names) {
    KeptFiles kept;
    std::vector<std::string> files;
    for (const QString& name : names) {
        files.push_back(Local(name));
    }
    try {
        kept.backupPath = QFile::decodeName(
            converter::makeBackup(Local(root), Local(folder), files).path.c_str());
        kept.ok = true;
    } catch (const converter::FileError& e) {
        kept.error = QString::fromStdString(e.what());
    } catch (const std::filesystem::filesystem_error& e) {
        kept.error = QString::fromStdString(e.what());
    }
    return kept;
}

QList<BackupEntry> ListBackups(const QString& root) {
    QList<BackupEntry> entries;
    for (const converter::Backup& backup : converter::listBackups(Local(root))) {
        entries << EntryOf(backup);
    }
    return entries;
}

QString BackupMenuText(const BackupEntry& backup) {
    return QStringLiteral("%1: %2 from %3")
        .arg(backup.made, backup.files.join(QLatin1Char(' ')),
             QDir::toNativeSeparators(backup.folder));
}

QString RestoreQuestion(const BackupEntry& backup) {
    return QStringLiteral("Put back %1 as kept on %2 into\n%3?\n"
                          "The files there now are kept in a new backup.")
        .arg(backup.files.join(QStringLiteral(", ")), backup.made,
             QDir::toNativeSeparators(backup.folder));
}

QString NotKeptMessage(const QString& outputPath, const QString& why) {
    return QStringLiteral("The earlier %1 could not be kept in a backup, so it was not "
                          "replaced.\n\n%2")
        .arg(QDir::toNativeSeparators(outputPath), why);
}

QString InterruptedSetUndoneMessage(const QString& folder) {
    return QStringLiteral("Writing the system fonts into %1 was cut short earlier; the files "
                          "that were there before it are back in place.")
        .arg(QDir::toNativeSeparators(folder));
}

QString InterruptedSetNotUndoneMessage(const QString& folder, const QString& why) {
    return QStringLiteral("Writing the system fonts into %1 was cut short earlier, and the "
                          "files that were there before it cannot be put back.\n\n%2")
        .arg(QDir::toNativeSeparators(folder), why);
}

ConverterInvocation BuildRestoreInvocation(const ConversionSettings& settings,
                                           const QString& backupPath,
                                           const CommandLineStyle& style) {
    ConverterInvocation invocation;
    invocation.program = ConverterProgram(settings, style);
    invocation.arguments << QStringLiteral("--restore") << backupPath;
    return invocation;
}

JobVerdict JudgeRestore(const ConverterObservation& seen) {
    using State = ConverterObservation::State;
    if (seen.state == State::Running || seen.state == State::FailedToStart) {
        return JudgeConverter(seen); // still running, or not found: as for Convert
    }
    JobVerdict verdict;
    verdict.finished = true;
    if (seen.state == State::Exited && seen.exitCode == 0) {
        verdict.success = true;
        verdict.message = QStringLiteral("The backup was put back.");
        for (const QString& line : seen.standardOutput.split(u'\n')) {
            if (line.startsWith(QStringLiteral("restored "))) {
                verdict.details = line.trimmed();
            }
        }
        verdict.flags = host::MessageBoxFlag::OkOnly;
        return verdict;
    }
    verdict.message = seen.state == State::Crashed
                          ? QStringLiteral("The backup was not put back: the converter stopped "
                                           "abnormally.")
                          : QStringLiteral("The backup was not put back; the folder is as it was.");
    if (!seen.lastErrorLine.isEmpty()) {
        verdict.message += QStringLiteral("\n\nThe converter said: %1").arg(seen.lastErrorLine);
    }
    verdict.details = seen.commandLine.isEmpty()
                          ? QString()
                          : QStringLiteral("To run it by hand:\n%1").arg(seen.commandLine);
    verdict.flags = host::MessageBoxFlag::Stop;
    return verdict;
}

} // namespace korven::app
