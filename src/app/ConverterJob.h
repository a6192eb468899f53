#pragma once

#include "app/CommandLine.h"
#include "app/FontSetJob.h"
#include "app/JobVerdict.h"
#include "host/seams/ProcessStarter.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace korven::app {

// The converter's account of a run (ttf2pgf --report-json), as far as the window uses it.
struct ConverterAccount {
    struct File {
        QString path;
        qint64 bytes = 0;
        int glyphs = -1;
        QStringList leftOut; // "U+2030", one per character
    };
    bool read = false; // false: no account, or not one
    QString outcome;   // "done", "failed" or "wrong arguments"
    QList<File> files;
    QString sansFamily, serifFamily; // a written set's families
    QStringList synthesized;         // a written set's files made by synthesis: "ltn2"
};

ConverterAccount ReadAccount(const QByteArray& json);

// What a started converter is doing: running, ended with its exit code and standard output,
// crashed, or never started (with the reason and whether the program file is there).
ConverterObservation ObserveConverter(host::ProcessHandle& handle, const QString& converterPath,
                                      const QString& commandLine, const QString& outputPath);

// One run of the converter for Convert, SET or RESTORE, and its verdict. Convert keeps its designed
// command line, so it is judged from its exit code, its "wrote OUTPUT: " line and the file
// being there; SET is given "--report-json" with a file of the job's own and judged from
// that account, with every file it names checked to be there. Neither looks at sizes or
// times. The owner learns of the end from Handle()'s Finished signal.
class ConverterJob {
public:
    // Restore: "--restore BACKUP", judged from its exit code and its words.
    enum class Kind { Convert, Set, Restore };

    // Starts the converter; `output` is Convert's file or SET's folder (nothing for a
    // restore). The pick is the
    // font the start consumes, given back when the converter never ran.
    static std::unique_ptr<ConverterJob> Start(host::ProcessStarter& starter, Kind kind,
                                               const ConverterInvocation& invocation,
                                               const QString& output,
                                               const QString& pickedFont = QString(),
                                               int expectedFiles = kSetFileCount);

    Kind JobKind() const { return kind_; }
    ConverterObservation Observe();
    JobVerdict Verdict();
    // The set's files the account names and that are there, in its order ("ltn0.pgf").
    const QStringList& Written() const { return written_; }
    const ConverterAccount& Account() const { return account_; }

    const QString& PickedFont() const { return pickedFont_; }
    host::ProcessHandle& Handle() { return *handle_; }
    // The report is given once per job; an end that arrives while it is being given (or
    // after) must not give it again.
    bool Reported() const { return reported_; }
    void MarkReported() { reported_ = true; }

    ~ConverterJob();
    ConverterJob(const ConverterJob&) = delete;
    ConverterJob& operator=(const ConverterJob&) = delete;

private:
    ConverterJob() = default;

    Kind kind_ = Kind::Convert;
    std::unique_ptr<host::ProcessHandle> handle_;
    QString converterPath_;
    QString commandLine_;
    QString output_;
    bool outputExisted_ = false;
    QString pickedFont_;
    std::unique_ptr<QTemporaryDir> accountFolder_;
    ConverterAccount account_;
    QStringList written_;
    int expectedFiles_ = kSetFileCount; // a set's files: the sixteen, jpn0.pgf, kr0.pgf
    QStringList scriptNotes_;           // the converter's notes on jpn0.pgf's and kr0.pgf's faces
    bool reported_ = false;
};

// Every line of the converter's error output but its notes: a refused set or restore says
// why in one line and what that means for the folder in the next, so the last line alone
// would not say why.
QString ConverterWords(const QString& errorOutput);

// Convert's "wrote OUTPUT: " line is in the converter's standard output.
bool SaysWritten(const QString& standardOutput, const QString& outputPath);

// The report of a set, by Convert's rules: success needs a zero exit code and every one of
// the `total` files asked for (the sixteen, jpn0.pgf, kr0.pgf) in the account and on the
// disk; the details then name the files, the families, the styles made by synthesis, the
// faces of jpn0.pgf and kr0.pgf and the characters left out.
JobVerdict JudgeSet(const ConverterObservation& seen, const QStringList& written,
                    const ConverterAccount& account, int total = kSetFileCount,
                    const QStringList& scriptNotes = {});

// The details of a written set, from its account, with the converter's notes on the faces
// jpn0.pgf and kr0.pgf were made from.
QString SetWrittenDetails(const ConverterAccount& account, const QString& folder,
                          const QStringList& scriptNotes = {});

} // namespace korven::app
