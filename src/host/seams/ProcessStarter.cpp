#include "host/seams/ProcessStarter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryFile>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace korven::host {

QString ProcessHandle::LastErrorLine() {
    const QStringList lines = ErrorOutput().split(QLatin1Char('\n'));
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        const QString line = it->trimmed();
        if (!line.isEmpty())
            return line;
    }
    return QString();
}

namespace {

// Children whose handle went away while they still ran. They are kept until they end,
// because destroying a QProcess would kill its child. The set is never destroyed, so the
// ones still running when the program ends stay reachable rather than count as leaks.
QSet<QProcess*>& Orphans() {
    static auto* orphans = new QSet<QProcess*>;
    return *orphans;
}

// Standard error and output go to files rather than pipes, so a child that writes after the
// front end has gone does not die of a broken pipe, and nothing has to drain them while it
// runs. The end of the error output holds the reason; the start of the output the report.
constexpr qint64 kErrorOutputLimit = 64 * 1024;
constexpr qint64 kStandardOutputLimit = 64 * 1024;

std::unique_ptr<QTemporaryFile> MakeCaptureFile(const QString& kind) {
    auto file = std::make_unique<QTemporaryFile>();
    file->setFileTemplate(QDir::tempPath() + QStringLiteral("/korven-%1-XXXXXX").arg(kind));
    if (file->open())
        file->close();
    return file;
}

class QtProcessHandle final : public ProcessHandle {
public:
    QtProcessHandle(const QString& program, const QStringList& arguments) {
        errorFile_ = MakeCaptureFile(QStringLiteral("stderr"));
        outputFile_ = MakeCaptureFile(QStringLiteral("stdout"));

        process_ = new QProcess();
        process_->setProgram(program);
        process_->setArguments(arguments);
        process_->setStandardInputFile(QProcess::nullDevice());
        process_->setStandardOutputFile(outputFile_->fileName());
        process_->setStandardErrorFile(errorFile_->fileName());
#ifdef Q_OS_WIN
        process_->setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* args) {
            args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            args->startupInfo->wShowWindow = SW_SHOWMINIMIZED;
        });
#endif
        QObject::connect(process_, &QProcess::finished, this, [this] { NoteEnd(); });
        QObject::connect(process_, &QProcess::errorOccurred, this,
                         [this](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart) {
                                 failedToStart_ = true;
                                 failure_ = process_->errorString();
                             }
                         });
        process_->start();
        // Waiting for the start (not the end) is quick: it returns once the program has
        // been loaded or refused, so a missing converter is known at once.
        if (!process_->waitForStarted(10000) && !failedToStart_) {
            failedToStart_ = true;
            failure_ = process_->errorString();
        }
    }

    ~QtProcessHandle() override {
        if (process_->state() == QProcess::NotRunning) {
            delete process_;
            return;
        }
        // Leave the child running; forget it once it has ended. Its error file is removed
        // with this handle: the child keeps writing to it unharmed, nobody reads it again.
        QObject::disconnect(process_, nullptr, this, nullptr);
        QProcess* orphan = process_;
        Orphans().insert(orphan);
        QObject::connect(orphan, &QProcess::finished, orphan, [orphan] {
            Orphans().remove(orphan);
            orphan->deleteLater();
        });
    }

    ProcessState State() override {
        if (failedToStart_)
            return ProcessState::FailedToStart;
        if (!ended_ && process_->state() != QProcess::NotRunning) {
            // A zero wait only looks whether the child has ended, so the state is right even
            // when no event loop has run since.
            process_->waitForFinished(0);
        }
        if (!ended_ && process_->state() == QProcess::NotRunning)
            NoteEnd();
        if (!ended_)
            return ProcessState::Running;
        return crashed_ ? ProcessState::Crashed : ProcessState::Exited;
    }

    int ExitCode() const override {
        return ended_ && !crashed_ ? exitCode_ : -1;
    }

    QString FailureText() const override {
        return failure_;
    }

    QString ErrorOutput() override {
        if (!errorFile_)
            return QString();
        QFile file(errorFile_->fileName());
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        const qint64 size = file.size();
        if (size > kErrorOutputLimit)
            file.seek(size - kErrorOutputLimit);
        return QString::fromLocal8Bit(file.readAll());
    }

    QString StandardOutput() override {
        QFile file(outputFile_->fileName());
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        return QString::fromLocal8Bit(file.read(kStandardOutputLimit));
    }

private:
    void NoteEnd() {
        if (ended_ || failedToStart_)
            return;
        ended_ = true;
        crashed_ = process_->exitStatus() == QProcess::CrashExit;
        exitCode_ = process_->exitCode();
        if (crashed_)
            failure_ = process_->errorString();
        // Always from the event loop, never from inside State(), so a handler of Finished
        // cannot run in the middle of whatever code polled the state.
        QMetaObject::invokeMethod(
            this, [this] { emit Finished(); }, Qt::QueuedConnection);
    }

    QProcess* process_ = nullptr;
    std::unique_ptr<QTemporaryFile> errorFile_;
    std::unique_ptr<QTemporaryFile> outputFile_;
    bool failedToStart_ = false;
    bool ended_ = false;
    bool crashed_ = false;
    int exitCode_ = -1;
    QString failure_;
};

} // namespace

std::unique_ptr<ProcessHandle> QtProcessStarter::Start(const QString& program,
                                                       const QStringList& arguments) {
    return std::make_unique<QtProcessHandle>(program, arguments);
}

} // namespace korven::host
