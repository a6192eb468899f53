#pragma once

#include <QString>

namespace korven::app {

// What the window learned about the converter when it looked: everything needed to decide
// whether the job is over and what to tell the user. No window or process is involved here.
struct ConverterObservation {
    enum class State { Running, Exited, Crashed, FailedToStart };
    State state = State::Running;
    int exitCode = 0;
    QString lastErrorLine;      // the converter's own last non-empty line of error output
    QString converterPath;      // the program the window tried to start
    QString outputPath;         // the file the converter was asked to write
    bool outputWritten = false; // the output exists and changed since the start
};

struct JobVerdict {
    bool finished = false; // false: keep waiting and look again later
    bool success = false;
    QString message;
    int flags = 0; // message box flags
};

// Decides the report for one look at the converter. Success needs both a zero exit code and an
// output file written during this job: an exit code alone is not proof that a font was made.
JobVerdict JudgeConverter(const ConverterObservation& seen);

// The message for a converter that could not be started at all, naming where it was looked for.
QString CannotStartMessage(const QString& converterPath, const QString& reason);

} // namespace korven::app
