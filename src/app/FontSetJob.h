#pragma once

#include "app/CommandLine.h"
#include "app/ConversionJob.h"
#include "app/ConversionSettings.h"
#include "app/JobVerdict.h"
#include "host/seams/ProcessStarter.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>

// The whole set of sixteen system fonts, converted at once by `ttf2pgf --set` from the same
// choices Convert uses: its command, the files it replaces, its job and its report.
namespace korven::app {

inline constexpr int kSetFileCount = 16;

// "ltn0.pgf" to "ltn15.pgf", in slot order.
const QStringList& SetFileNames();

// The folder the set is written into: DestinationFolder without its trailing separator
// (kept at a root).
QString SetFolder(const ConversionSettings& settings);

// What is started: the converter with "--set", the picked font, the folder, the size and
// "i" with the shadow, then "--characters SETS" when extra character sets are chosen and the
// FIT menu's SetFitArguments, and "--backup-dir" with `backupFolder` when one is given. Size
// and shadow are checked before a start, so they are passed whole.
ConverterInvocation BuildSetInvocation(const ConversionSettings& settings,
                                       const CommandLineStyle& style = PlatformCommandLineStyle(),
                                       const QString& backupFolder = QString());
// The set's files that already exist in `folder` and would be replaced, in slot order.
QStringList ExistingSetFiles(const QString& folder);

// The question asked once before replacing them, saying how many.
QString ReplaceSetQuestion(int existing, const QString& folder);

// The sixteen files in `folder` as they are now, in slot order; taken before the start.
using SetSnapshot = std::array<FileSnapshot, kSetFileCount>;
SetSnapshot TakeSetSnapshot(const QString& folder);

// One started set conversion: the converter's handle and the sixteen files as they were.
class FontSetJob {
public:
    FontSetJob(std::unique_ptr<host::ProcessHandle> handle, QString converterPath,
               QString commandLine, QString folder, SetSnapshot before);

    // Polls the converter; outputWritten is true only when all sixteen files were written,
    // and lastErrorLine holds every line of the converter's error output but its notes.
    ConverterObservation Observe();
    // The set's files written since the start, in slot order (read by Observe()).
    const QStringList& Written() const { return written_; }

    bool Reported() const { return reported_; }
    void MarkReported() { reported_ = true; }

private:
    std::unique_ptr<host::ProcessHandle> handle_;
    QString converterPath_;
    QString commandLine_;
    QString folder_;
    SetSnapshot before_;
    QStringList written_;
    bool reported_ = false;
};

// The report, by the rules Convert's report follows: success needs a zero exit code and
// every file written during this job; then the details name the files, the two families and
// the styles made by synthesis, from the converter's summary line. A converter that ended
// well but wrote only some files is named with what it wrote.
JobVerdict JudgeSet(const ConverterObservation& seen, const QStringList& written);

// The details of a written set from the converter's standard output.
QString SetWrittenDetails(const QString& standardOutput, const QString& folder);

} // namespace korven::app
