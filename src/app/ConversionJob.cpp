#include "app/ConversionJob.h"

#include "converter/core/Errors.h"
#include "converter/core/FreeType.h"

#include <QFile>
#include <QFileInfo>
#include <span>

namespace korven::app {

bool FontOpens(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    // Mapped where the file system allows: a large font is judged from the few tables
    // FreeType looks at, not read whole.
    const qint64 size = file.size();
    const uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    const QByteArray read = mapped == nullptr ? file.readAll() : QByteArray();
    const auto* bytes =
        mapped != nullptr ? mapped : reinterpret_cast<const uchar*>(read.constData());
    const auto length = static_cast<std::size_t>(mapped != nullptr ? size : read.size());
    try {
        converter::checkOpensAsFont(std::span(bytes, length));
        return true;
    } catch (const converter::ConversionError&) {
        return false;
    }
}

QString WriteProtectionNote(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.permissions().testFlag(QFileDevice::WriteOwner)) {
        return {};
    }
    return QStringLiteral("%1 is write-protected; the new file will be write-protected too.")
        .arg(info.fileName());
}

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
