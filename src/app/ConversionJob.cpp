#include "app/ConversionJob.h"

#include <QFileInfo>

namespace korven::app {

FileSnapshot FileSnapshot::Take(const QString& path) {
    FileSnapshot s;
    const QFileInfo info(path);
    if (info.exists() && info.isFile()) {
        s.exists = true;
        s.modified = info.lastModified();
        s.size = info.size();
    }
    return s;
}

bool FileSnapshot::WrittenSince(const FileSnapshot& now) const {
    if (!now.exists) {
        return false;
    }
    return !exists || now.modified != modified || now.size != size;
}

ConversionJob::ConversionJob(std::unique_ptr<host::ProcessHandle> handle, QString converterPath,
                             QString commandLine, QString outputPath, FileSnapshot outputBefore,
                             QString pickedFont)
    : handle_(std::move(handle)), converterPath_(std::move(converterPath)),
      commandLine_(std::move(commandLine)), outputPath_(std::move(outputPath)),
      outputBefore_(std::move(outputBefore)), pickedFont_(std::move(pickedFont)) {}

ConverterObservation ObserveConverter(host::ProcessHandle& handle, const QString& converterPath,
                                      const QString& commandLine, const QString& outputPath) {
    ConverterObservation seen;
    seen.converterPath = converterPath;
    seen.commandLine = commandLine;
    seen.outputPath = outputPath;
    switch (handle.State()) {
    case host::ProcessState::Running:
        seen.state = ConverterObservation::State::Running;
        return seen;
    case host::ProcessState::Exited:
        seen.state = ConverterObservation::State::Exited;
        seen.exitCode = handle.ExitCode();
        break;
    case host::ProcessState::Crashed:
        seen.state = ConverterObservation::State::Crashed;
        break;
    case host::ProcessState::FailedToStart:
        seen.state = ConverterObservation::State::FailedToStart;
        seen.lastErrorLine = handle.FailureText();
        seen.converterExists = QFileInfo::exists(converterPath);
        return seen;
    }
    seen.standardOutput = handle.StandardOutput();
    return seen;
}

ConverterObservation ConversionJob::Observe() {
    ConverterObservation seen =
        ObserveConverter(*handle_, converterPath_, commandLine_, outputPath_);
    seen.outputExisted = outputBefore_.exists;
    if (seen.state == ConverterObservation::State::Running) {
        return seen;
    }
    if (seen.state != ConverterObservation::State::FailedToStart) {
        seen.lastErrorLine = handle_->LastErrorLine();
    }
    seen.outputWritten = outputBefore_.WrittenSince(FileSnapshot::Take(outputPath_));
    return seen;
}

} // namespace korven::app
