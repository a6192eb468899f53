#pragma once

#include "app/CommandLine.h"
#include "app/ConversionJob.h"
#include "app/ConversionSettings.h"
#include "app/JobVerdict.h"
#include "host/seams/ProcessStarter.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// The whole set of sixteen system fonts, with jpn0.pgf and kr0.pgf when fonts were chosen for
// them, converted at once by `ttf2pgf --set` from the same choices Convert uses: its command,
// the files it replaces, its job and its report.
namespace korven::app {

inline constexpr int kSetFileCount = 16;

// "ltn0.pgf" to "ltn15.pgf", in slot order.
const QStringList& SetFileNames();
// The files SET writes for these choices: the sixteen, then jpn0.pgf and kr0.pgf when a font
// was chosen for them.
QStringList SetFileNames(const ConversionSettings& settings);

// The folder the set is written into: DestinationFolder without its trailing separator
// (kept at a root).
QString SetFolder(const ConversionSettings& settings);

// What is started: the converter with "--set", the picked font, the folder, the size and
// "i" with the shadow, then "--characters SETS" when extra character sets are chosen, the
// FIT menu's SetFitArguments and the fonts chosen for jpn0.pgf and kr0.pgf. Size
// and shadow are checked before a start, so they are passed whole.
ConverterInvocation BuildSetInvocation(const ConversionSettings& settings,
                                       const CommandLineStyle& style = PlatformCommandLineStyle());
// The set's files (`names`, the sixteen when not given) that already exist in `folder` and
// would be replaced, in slot order.
QStringList ExistingSetFiles(const QString& folder, const QStringList& names = SetFileNames());

// The question asked once before replacing them, saying how many; `total` files are written.
QString ReplaceSetQuestion(int existing, const QString& folder, int total = kSetFileCount);

// The files `names` in `folder` as they are now, in that order; taken before the start.
using SetSnapshot = std::vector<FileSnapshot>;
SetSnapshot TakeSetSnapshot(const QString& folder, const QStringList& names = SetFileNames());

// One started set conversion: the converter's handle and the files it writes as they were.
class FontSetJob {
public:
    // `names`: the files asked for (SetFileNames), which `before` was taken of.
    FontSetJob(std::unique_ptr<host::ProcessHandle> handle, QString converterPath,
               QString commandLine, QString folder, SetSnapshot before,
               QStringList names = SetFileNames());

    // Polls the converter; outputWritten is true only when all the files asked for were
    // written, and lastErrorLine holds every line of the converter's error output but its
    // notes.
    ConverterObservation Observe();
    // The set's files written since the start, in slot order (read by Observe()).
    const QStringList& Written() const { return written_; }
    // How many files were asked for.
    int FileCount() const { return static_cast<int>(names_.size()); }
    // The converter's notes on the faces jpn0.pgf and kr0.pgf were made from (read by
    // Observe()): "jpn0.pgf (Japanese, 18 px) from NotoSansCJK-Regular.ttc, face 0 of 10, ...".
    const QStringList& ScriptNotes() const { return scriptNotes_; }

    bool Reported() const { return reported_; }
    void MarkReported() { reported_ = true; }

private:
    std::unique_ptr<host::ProcessHandle> handle_;
    QString converterPath_;
    QString commandLine_;
    QString folder_;
    SetSnapshot before_;
    QStringList names_;
    QStringList written_;
    QStringList scriptNotes_;
    bool reported_ = false;
};

// The report, by the rules Convert's report follows: success needs a zero exit code and
// every file written during this job; then the details name the files, the two families and
// the styles made by synthesis, from the converter's summary line, and for jpn0.pgf and
// kr0.pgf the fonts and faces in `scriptNotes`. A converter that ended well but wrote only
// some of the `total` files is named with what it wrote.
JobVerdict JudgeSet(const ConverterObservation& seen, const QStringList& written,
                    int total = kSetFileCount, const QStringList& scriptNotes = {});

// The details of a written set from the converter's standard output.
QString SetWrittenDetails(const QString& standardOutput, const QString& folder,
                          const QStringList& scriptNotes = {});

} // namespace korven::app
