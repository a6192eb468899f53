#include "converter/command/Replace.h"

#include "converter/command/Report.h"
#include "converter/rules/FontFile.h"

#include <algorithm>
#include <filesystem>

namespace korven::converter {

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kManifestRoom = 4096;

std::string folderOf(const std::string& path) {
    const std::string folder = fs::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// The earlier files that the new bytes would change: only those need keeping.
std::vector<std::string> changedEarlierFiles(const std::vector<FileContents>& files,
                                             std::vector<std::uint64_t>& sizes) {
    std::vector<std::string> names;
    for (const FileContents& file : files) {
        std::error_code error;
        if (!fs::is_regular_file(file.path, error))
            continue;
        const std::vector<std::uint8_t> earlier = readWholeFile(file.path);
        if (std::equal(earlier.begin(), earlier.end(), file.bytes.begin(), file.bytes.end()))
            continue;
        names.push_back(fs::path(file.path).filename().string());
        sizes.push_back(earlier.size());
    }
    return names;
}

} // namespace

Backup replaceFiles(const std::vector<FileContents>& files, const std::string& backupRoot) {
    if (files.empty())
        return {};
    const std::string folder = folderOf(files.front().path);
    std::vector<std::uint64_t> keptSizes;
    const std::vector<std::string> kept =
        backupRoot.empty() ? std::vector<std::string>{} : changedEarlierFiles(files, keptSizes);
    RoomNeed written{folder, {}};
    for (const FileContents& file : files)
        written.fileBytes.push_back(file.bytes.size());
    if (files.size() > 1)
        written.fileBytes.push_back(kManifestRoom); // the journal
    std::vector<RoomNeed> needs = {written};
    if (!kept.empty()) {
        keptSizes.push_back(kManifestRoom);
        needs.push_back({backupRoot, keptSizes});
    }
    checkRoom(needs);

    const Backup backup = kept.empty() ? Backup{} : makeBackup(backupRoot, folder, kept);
    try {
        if (files.size() == 1)
            writeFileAtomically(files.front().path, files.front().bytes);
        else
            writeFilesTogether(files);
    } catch (const FileError&) {
        removeBackup(backup);
        throw;
    }
    return backup;
}

FolderWriteLock claimFolder(const std::string& folder, std::ostream& err) {
    FolderWriteLock lock = FolderWriteLock::tryTake(folder);
    if (lock.busy())
        throw FileError("cannot write into \"" + folder +
                        "\": another run is writing into it now; try again when it has finished");
    const LeftBehind found = finishInterruptedWrite(folder);
    if (found.undoneSet)
        err << kProgram << "note: an earlier run into \"" << folder
            << "\" ended before it was done; its files are back as they were\n";
    if (found.removedTemporaries > 0)
        err << kProgram << "note: removed " << found.removedTemporaries
            << (found.removedTemporaries == 1 ? " hidden file" : " hidden files")
            << " that an interrupted run left in \"" << folder << "\"\n";
    return lock;
}

void reportBackup(const Backup& backup, std::ostream& err) {
    if (backup.path.empty())
        return;
    err << kProgram << "note: kept the earlier";
    for (const BackupFile& f : backup.files)
        err << ' ' << f.name;
    err << " in \"" << backup.path << "\"\n";
}

} // namespace korven::converter
