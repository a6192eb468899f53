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

ConverterObservation ConversionJob::Observe() {
    ConverterObservation seen;
    seen.converterPath = converterPath_;
    seen.commandLine = commandLine_;
    seen.outputPath = outputPath_;
    seen.outputExisted = outputBefore_.exists;
    switch (handle_->State()) {
    case host::ProcessState::Running:
        seen.state = ConverterObservation::State::Running;
        return seen;
    case host::ProcessState::Exited:
        seen.state = ConverterObservation::State::Exited;
        seen.exitCode = handle_->ExitCode();
        break;
    case host::ProcessState::Crashed:
        seen.state = ConverterObservation::State::Crashed;
        break;
    case host::ProcessState::FailedToStart:
        seen.state = ConverterObservation::State::FailedToStart;
        seen.lastErrorLine = handle_->FailureText();
        seen.converterExists = QFileInfo::exists(converterPath_);
        seen.outputWritten = outputBefore_.WrittenSince(FileSnapshot::Take(outputPath_));
        return seen;
    }
    seen.lastErrorLine = handle_->LastErrorLine();
    seen.standardOutput = handle_->StandardOutput();
    seen.outputWritten = outputBefore_.WrittenSince(FileSnapshot::Take(outputPath_));
    return seen;
}

} // namespace korven::app
