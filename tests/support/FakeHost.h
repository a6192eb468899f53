#pragma once

#include "host/toolkit/HostServices.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>

// Stand-ins for the machine, for tests: preset answers in, a record of what was asked out.
namespace korven::host::testing {

struct ShownBox {
    QString text;
    int flags = 0; // the designed number the flags stand for
    QString title; // as passed: empty when the caller gave none
    QString secondary;
};

class FakeMessageBoxService final : public MessageBoxService {
public:
    int Show(const QString& text, MessageBoxFlags flags, const QString& title, QWidget* parent,
             const QString& secondary) override;

    // Answers given in order; when they run out, defaultAnswer is given.
    std::deque<int> answers;
    int defaultAnswer = MessageBoxResult::Ok;
    // Runs while the "box is open", before the answer is returned: lets a test deliver a
    // timer tick or other event in the middle of a modal box.
    std::function<void(const ShownBox&)> whileOpen;

    QList<ShownBox> shown;
};

class FakeProcessHandle final : public ProcessHandle {
    Q_OBJECT
public:
    ProcessState State() override { return state; }
    int ExitCode() const override { return state == ProcessState::Exited ? exitCode : -1; }
    QString FailureText() const override { return failureText; }
    QString ErrorOutput() override { return errorOutput; }
    QString StandardOutput() override { return standardOutput; }

    // Ends the fake child: sets the state and emits Finished().
    void Finish(ProcessState endState, int code = 0, const QString& standardError = QString());

    ProcessState state = ProcessState::Running;
    int exitCode = 0;
    QString failureText;
    QString errorOutput;
    QString standardOutput;
};

struct StartedProcess {
    QString program;
    QStringList arguments;
    QPointer<FakeProcessHandle> handle; // null once the caller dropped it
};

class FakeProcessStarter final : public ProcessStarter {
public:
    std::unique_ptr<ProcessHandle> Start(const QString& program,
                                         const QStringList& arguments) override;

    // State a new handle starts in, and the text it gives when that is FailedToStart.
    ProcessState startState = ProcessState::Running;
    QString failureText = QStringLiteral("No such file or directory");
    // Runs on each start, after recording it: lets a test write the output file the way a
    // real converter would.
    std::function<void(const StartedProcess&)> onStart;

    QList<StartedProcess> started;
};

class FakeDriveSource final : public DriveSource {
public:
    QStringList Roots() override { return failing ? QStringList() : roots; }
    std::vector<FolderDrive> FolderDrives() override { return folderDrives; }

    QStringList roots{QStringLiteral("/")};
    std::vector<FolderDrive> folderDrives; // their roots belong in `roots` too
    bool failing = false;                  // answer as a read the system refused
};

// Reads the real disk, except for folders given a preset failure.
class FakeFolderReader final : public FolderReader {
public:
    FolderListing Subfolders(const QString& path) override;
    FolderListing Files(const QString& path) override;

    // Folder path -> errno its reads fail with (EIO, ENOMEDIUM, ENODEV, EACCES, ...).
    QHash<QString, int> failures;

private:
    SystemFolderReader real_;
};

class FakeUrlOpener final : public UrlOpener {
public:
    bool Open(const QString& url, const QString& directory) override;
    struct Opened {
        QString url;
        QString directory;
    };
    QList<Opened> opened;
    bool accepts = true; // false: answer as a desktop with no web browser
};

// One of each, wired into a HostServices with a fixed program folder.
struct FakeHost {
    FakeMessageBoxService messages;
    FakeProcessStarter processes;
    FakeDriveSource drives;
    FakeFolderReader folders;
    FakeUrlOpener urls;
    QString programFolder;
    QString backupFolder;
    // The folder the user "chooses" when asked for one (empty: they cancel), and how often
    // they were asked.
    QString chosenFolder;
    int folderQuestions = 0;
    // The font file the user "chooses" when asked for one (empty: they cancel), and how often
    // they were asked.
    QString chosenFontFile;
    int fontFileQuestions = 0;

    HostServices Services();
};

} // namespace korven::host::testing
