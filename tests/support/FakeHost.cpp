#include "support/FakeHost.h"

namespace korven::host::testing {

int FakeMessageBoxService::Show(const QString& text, MessageBoxFlags flags, const QString& title,
                                QWidget* parent, const QString& secondary) {
    Q_UNUSED(parent);
    const ShownBox box{text, flags.toInt(), title, secondary};
    shown.append(box);
    if (whileOpen)
        whileOpen(box);
    if (answers.empty())
        return defaultAnswer;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeProcessHandle::Finish(ProcessState endState, int code, const QString& standardError) {
    state = endState;
    exitCode = code;
    errorOutput += standardError;
    emit Finished();
}

std::unique_ptr<ProcessHandle> FakeProcessStarter::Start(const QString& program,
                                                         const QStringList& arguments) {
    auto handle = std::make_unique<FakeProcessHandle>();
    handle->state = startState;
    if (startState == ProcessState::FailedToStart)
        handle->failureText = failureText;
    started.append({program, arguments, handle.get()});
    if (onStart)
        onStart(started.back());
    return handle;
}

FolderListing FakeFolderReader::Subfolders(const QString& path) {
    if (const auto it = failures.constFind(path); it != failures.constEnd()) {
        return {ClassifyFolderError(*it), *it, {}};
    }
    return real_.Subfolders(path);
}

FolderListing FakeFolderReader::Files(const QString& path) {
    if (const auto it = failures.constFind(path); it != failures.constEnd()) {
        return {ClassifyFolderError(*it), *it, {}};
    }
    return real_.Files(path);
}

bool FakeUrlOpener::Open(const QString& url, const QString& directory) {
    opened.append({url, directory});
    return accepts;
}

HostServices FakeHost::Services() {
    HostServices services;
    services.messages = &messages;
    services.processes = &processes;
    services.drives = &drives;
    services.folders = &folders;
    services.urls = &urls;
    services.programFolder = [this] { return programFolder; };
    services.backupFolder = [this] { return backupFolder; };
    services.chooseFolder = [this](QWidget*, const QString&, const QString&) {
        ++folderQuestions;
        return chosenFolder;
    };
    services.chooseFontFile = [this](QWidget*, const QString&, const QString&) {
        ++fontFileQuestions;
        return chosenFontFile;
    };
    return services;
}

} // namespace korven::host::testing
