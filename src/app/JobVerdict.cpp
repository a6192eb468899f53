#include "app/JobVerdict.h"

#include "host/toolkit/MessageBox.h"

namespace korven::app {

namespace {

// The report of a conversion that went well, as the main window shows it.
constexpr char kConcluded[] = "operation concluded correctly";

QString WithErrorLine(QString message, const QString& lastErrorLine) {
    if (!lastErrorLine.isEmpty()) {
        message += QStringLiteral("\n\nThe converter said: %1").arg(lastErrorLine);
    }
    return message;
}

} // namespace

QString CannotStartMessage(const QString& converterPath, const QString& reason) {
    QString message =
        QStringLiteral("The converter could not be started.\n\nIt was looked for at:\n%1")
            .arg(converterPath);
    if (!reason.isEmpty()) {
        message += QStringLiteral("\n\n%1").arg(reason);
    }
    return message;
}

JobVerdict JudgeConverter(const ConverterObservation& seen) {
    using State = ConverterObservation::State;
    JobVerdict verdict;
    switch (seen.state) {
    case State::Running:
        return verdict;
    case State::FailedToStart:
        verdict.message = CannotStartMessage(seen.converterPath, seen.lastErrorLine);
        break;
    case State::Crashed:
        verdict.message = WithErrorLine(
            QStringLiteral("The conversion failed: the converter stopped abnormally (crashed)."),
            seen.lastErrorLine);
        break;
    case State::Exited:
        if (seen.exitCode == 0 && seen.outputWritten) {
            verdict.finished = true;
            verdict.success = true;
            verdict.message = QString::fromLatin1(kConcluded);
            verdict.flags = host::MessageBoxFlags::OkOnly;
            return verdict;
        }
        if (seen.exitCode != 0) {
            verdict.message = WithErrorLine(
                QStringLiteral("The conversion failed: the converter ended with exit code %1.")
                    .arg(seen.exitCode),
                seen.lastErrorLine);
        } else {
            verdict.message = WithErrorLine(
                QStringLiteral("The conversion failed: the converter ended without writing\n%1")
                    .arg(seen.outputPath),
                seen.lastErrorLine);
        }
        break;
    }
    verdict.finished = true;
    verdict.flags = host::MessageBoxFlags::Stop;
    return verdict;
}

} // namespace korven::app
