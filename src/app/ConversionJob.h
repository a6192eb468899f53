#pragma once

#include "app/JobVerdict.h"
#include "host/seams/ProcessStarter.h"

#include <QDateTime>
#include <QString>
#include <memory>

namespace korven::app {

// What a file looked like at one moment, so a later look can tell whether it was written.
struct FileSnapshot {
    bool exists = false;
    QDateTime modified;
    qint64 size = -1;

    static FileSnapshot Take(const QString& path);
    // True when `now` shows a file that was not there before, or one that has changed.
    bool WrittenSince(const FileSnapshot& now) const;
};

// Whether the file at `path` opens as a font, judged by FreeType without drawing a glyph:
// a file that does not is no reason to ask about replacing anything, since the converter
// will refuse it and say why.
bool FontOpens(const QString& path);

// The added line of the replace question when the file at `path` is write-protected (its
// owner may not write it), or an empty string. The converter keeps a replaced file's
// permissions, so the new file is write-protected too.
QString WriteProtectionNote(const QString& path);

// What a started converter is doing: running, ended with its exit code and standard output,
// crashed, or never started (with the reason and whether the program file is there). What it
// wrote and its error words are the caller's to add, since a job knows which files it writes.
ConverterObservation ObserveConverter(host::ProcessHandle& handle, const QString& converterPath,
                                      const QString& commandLine, const QString& outputPath);

// One started conversion: the converter's handle, the output file as it was before the
// start, and the font pick the start consumed (given back when the converter never ran).
class ConversionJob {
public:
    ConversionJob(std::unique_ptr<host::ProcessHandle> handle, QString converterPath,
                  QString commandLine, QString outputPath, FileSnapshot outputBefore,
                  QString pickedFont);

    // Polls the converter and the output file.
    ConverterObservation Observe();

    const QString& PickedFont() const { return pickedFont_; }
    host::ProcessHandle& Handle() { return *handle_; }

    // The report is given once per job; a tick that arrives while it is being given (or
    // after) must not give it again.
    bool Reported() const { return reported_; }
    void MarkReported() { reported_ = true; }

private:
    std::unique_ptr<host::ProcessHandle> handle_;
    QString converterPath_;
    QString commandLine_;
    QString outputPath_;
    FileSnapshot outputBefore_;
    QString pickedFont_;
    bool reported_ = false;
};

} // namespace korven::app
