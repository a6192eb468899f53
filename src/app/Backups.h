#pragma once

#include "app/CommandLine.h"
#include "app/ConversionSettings.h"
#include "app/JobVerdict.h"

#include <QList>
#include <QString>
#include <QStringList>

// The window's backups of the files it replaces, all in one folder of the program's own (the
// host's backupFolder) in the converter's layout: Convert keeps the earlier ltn0.pgf itself
// before it starts the converter, SET has the converter keep what it replaces, and RESTORE
// lists them and has the converter put one back.
namespace korven::app {

struct BackupEntry {
    QString path;
    QString made;   // "2026-12-08 00:40:12"
    QString folder; // where its files came from
    QStringList files;
};

// What keeping the earlier files came to: the new backup's folder (empty when none of the
// files existed), or why it could not be made.
struct KeptFiles {
    bool ok = false;
    QString backupPath;
    QString error;
};

// Keeps the files `names` of `folder` that exist in a new backup under `root`, complete and
// flushed to the disk when this returns.
KeptFiles KeepEarlierFiles(const QString& root, const QString& folder, const QStringList& names);

// The complete backups under `root`, newest first.
QList<BackupEntry> ListBackups(const QString& root);

// "2026-12-08 00:40:12: ltn0.pgf ltn4.pgf from /media/stick/flash0/font", for the menu.
QString BackupMenuText(const BackupEntry& backup);

// The question asked before a backup is put back.
QString RestoreQuestion(const BackupEntry& backup);

// Why Convert did not start when the earlier file could not be kept.
QString NotKeptMessage(const QString& outputPath, const QString& why);

// What the window says when it found a set cut short in a folder and put its earlier files
// back, or could not.
QString InterruptedSetUndoneMessage(const QString& folder);
QString InterruptedSetNotUndoneMessage(const QString& folder, const QString& why);

// The converter with "--restore" and the backup's folder.
ConverterInvocation
BuildRestoreInvocation(const ConversionSettings& settings, const QString& backupPath,
                       const CommandLineStyle& style = PlatformCommandLineStyle());

// The report of a restore: the converter's own line on success, its words (lastErrorLine, as
// ConverterWords gives them) on failure. ConverterJob gives it.
JobVerdict JudgeRestore(const ConverterObservation& seen);

} // namespace korven::app
