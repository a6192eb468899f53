#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

namespace korven::host {

enum class ProcessState {
    Running,       // started and not yet ended
    Exited,        // ended on its own; ExitCode() is its exit code
    Crashed,       // ended by a signal or an abnormal termination
    FailedToStart, // never ran: missing, not executable, or refused by the system
};

// A started child process that the caller can poll. Destroying the handle does not stop
// the child: a converter still running when its window goes away is left to finish.
class ProcessHandle : public QObject {
    Q_OBJECT
public:
    ~ProcessHandle() override = default;

    // Current state; polls the child, so it is up to date even without a running event loop.
    virtual ProcessState State() = 0;
    // Exit code once State() is Exited; -1 before that.
    virtual int ExitCode() const = 0;
    // Why the start failed (or how the child crashed), in the system's words; empty otherwise.
    virtual QString FailureText() const = 0;
    // Everything the child wrote to its standard error so far.
    virtual QString ErrorOutput() = 0;
    // Everything the child wrote to its standard output so far (the start of it, when long).
    virtual QString StandardOutput() = 0;
    // The last non-blank line of ErrorOutput(), trimmed; empty when there is none.
    QString LastErrorLine();

signals:
    // Emitted once, from the event loop, after the child has left Running (exit or crash).
    void Finished();
};

// Starts programs. The program is run directly with its arguments as a list, never through
// a shell, so blanks, quotes and shell characters in an argument reach the child unchanged.
// Where the platform allows, the child's window starts minimised. The child inherits the
// current directory. Start returns once the child has run or failed to start, never waits
// for its end, and always returns a handle.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    virtual std::unique_ptr<ProcessHandle> Start(const QString& program,
                                                 const QStringList& arguments) = 0;
};

class QtProcessStarter final : public ProcessStarter {
public:
    std::unique_ptr<ProcessHandle> Start(const QString& program,
                                         const QStringList& arguments) override;
};

} // namespace korven::host
