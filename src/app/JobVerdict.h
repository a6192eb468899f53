#pragma once

#include "host/seams/MessageBox.h"

#include <QString>

namespace korven::app {

// What the window learned about the converter when it looked: everything needed to decide
// whether the job is over and what to tell the user. No window or process is involved here.
struct ConverterObservation {
    enum class State { Running, Exited, Crashed, FailedToStart };
    State state = State::Running;
    int exitCode = 0;
    QString lastErrorLine;  // the converter's own last non-empty line of error output
    QString standardOutput; // what the converter printed on its standard output
    QString converterPath;  // the program the window tried to start
    bool converterExists =
        true;            // false: nothing at converterPath (only looked at on a failed start)
    QString commandLine; // the command as shown to people, to run it by hand
    QString outputPath;  // the file the converter was asked to write
    bool outputWritten = false; // the converter says it wrote the output, and it is there
    bool outputExisted = false; // an earlier output was there at the start
};

struct JobVerdict {
    bool finished = false; // false: keep waiting and look again later
    bool success = false;
    QString message;
    QString details; // the box's secondary text: what was written, or the command to retry
    host::MessageBoxFlags flags;
};

// Decides the report for one look at the converter. Success needs both a zero exit code and an
// output file the converter says it wrote and that is there: an exit code alone is not proof
// that a font was made.
JobVerdict JudgeConverter(const ConverterObservation& seen);

// What the converter's report line says about the file it wrote, for people:
// "Written: PATH, N characters", and on a second line the characters it left out, if any.
// Without a report line it names `outputPath` alone.
QString WrittenDetails(const QString& standardOutput, const QString& outputPath);

} // namespace korven::app
