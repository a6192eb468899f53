#include "converter/rules/Backup.h"

#include "converter/rules/DiskWrites.h"
#include "converter/rules/FontFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace korven::converter {

namespace {

namespace fs = std::filesystem;

constexpr const char* kFirstLine = "korven backup 1";

constexpr std::array<std::uint32_t, 256> crcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = crcTable();

FileError backupError(const std::string& root, const std::string& why) {
    return FileError("cannot make a backup in \"" + root + "\": " + why);
}

std::string reason(int error) {
    return std::strerror(error);
}

// Writes a new file and flushes it to the disk; false with errno set on failure.
bool writeDurably(const std::string& path, std::span<const std::uint8_t> bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    return ::close(fd) == 0;
}

// "2026-12-08 00:40:12" and the folder name "2026-12-08_00-40-12" of the same moment.
std::pair<std::string, std::string> now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&t, &local);
    char made[32], name[32];
    std::strftime(made, sizeof made, "%Y-%m-%d %H:%M:%S", &local);
    std::strftime(name, sizeof name, "%Y-%m-%d_%H-%M-%S", &local);
    return {made, name};
}

std::string manifestText(const Backup& backup) {
    std::ostringstream text;
    text << kFirstLine << "\nmade " << backup.made << "\nfolder " << backup.folder << '\n';
    for (const BackupFile& f : backup.files) {
        char crc[16];
        std::snprintf(crc, sizeof crc, "%08x", static_cast<unsigned>(f.crc));
        text << "file " << f.size << ' ' << crc << ' ' << f.name << '\n';
    }
    return text.str();
}

// A name the manifest can hold and that cannot lead out of the backup's folder.
bool plainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name != kManifestName &&
           name.find_first_of("/\n") == std::string::npos;
}

} // namespace

std::uint32_t crc32Of(std::span<const std::uint8_t> bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (const std::uint8_t b : bytes)
        c = kCrcTable[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

Backup makeBackup(const std::string& root, const std::string& folder,
                  const std::vector<std::string>& names) {
    Backup backup;
    std::error_code error;
    backup.folder = fs::absolute(folder, error).lexically_normal().string();
    if (backup.folder.size() > 1 && backup.folder.back() == '/')
        backup.folder.pop_back();
    if (backup.folder.find('\n') != std::string::npos)
        throw backupError(root, "the folder's name holds a line break");
    std::vector<std::vector<std::uint8_t>> contents;
    for (const std::string& name : names) {
        const fs::path path = fs::path(folder) / name;
        if (!fs::is_regular_file(path, error))
            continue;
        if (!plainName(name))
            throw backupError(root, "the name \"" + name + "\" cannot be kept");
        contents.push_back(readWholeFile(path.string()));
        backup.files.push_back({name, contents.back().size(), crc32Of(contents.back())});
    }
    if (backup.files.empty())
        return {};

    fs::create_directories(root, error);
    if (!fs::is_directory(root, error))
        throw backupError(root, error ? error.message() : "it is not a folder");
    std::string name;
    std::tie(backup.made, name) = now();
    // Made under a hidden name and renamed when whole: a listed backup is never a part.
    const std::string partial = (fs::path(root) / ("." + name + ".partial")).string();
    fs::remove_all(partial, error);
    if (::mkdir(partial.c_str(), 0755) != 0)
        throw backupError(root, reason(errno));
    auto abandon = [&](int why) {
        std::error_code ignored;
        fs::remove_all(partial, ignored);
        return backupError(root, reason(why));
    };
    for (std::size_t i = 0; i < contents.size(); ++i)
        if (!writeDurably(partial + "/" + backup.files[i].name, contents[i]))
            throw abandon(errno);
    const std::string manifest = manifestText(backup);
    if (!writeDurably(partial + "/" + kManifestName,
                      {reinterpret_cast<const std::uint8_t*>(manifest.data()), manifest.size()}))
        throw abandon(errno);
    syncFolder(partial);
    // Two runs in one second get "-2", "-3"...: rename never replaces a non-empty folder.
    for (int n = 1;; ++n) {
        const std::string candidate = n == 1 ? name : name + "-" + std::to_string(n);
        backup.path = (fs::path(root) / candidate).string();
        if (::rename(partial.c_str(), backup.path.c_str()) == 0)
            break;
        if ((errno != EEXIST && errno != ENOTEMPTY) || n == 1000)
            throw abandon(errno);
    }
    syncFolder(root);
    return backup;
}

Backup readBackup(const std::string& path) {
    const std::string manifestPath = (fs::path(path) / kManifestName).string();
    const std::vector<std::uint8_t> bytes = readWholeFile(manifestPath);
    std::istringstream text(std::string(bytes.begin(), bytes.end()));
    auto damaged = [&](const std::string& why) {
        return FileError("cannot use \"" + path + "\" as a backup: " + why);
    };
    std::string line;
    if (!std::getline(text, line) || line != kFirstLine)
        throw damaged("its " + std::string(kManifestName) + " is not a backup's manifest");
    Backup backup;
    backup.path = path;
    while (std::getline(text, line)) {
        if (line.rfind("made ", 0) == 0) {
            backup.made = line.substr(5);
        } else if (line.rfind("folder ", 0) == 0) {
            backup.folder = line.substr(7);
        } else if (line.rfind("file ", 0) == 0) {
            std::istringstream fields(line.substr(5));
            BackupFile f;
            std::string crc;
            fields >> f.size >> crc;
            fields.get();
            std::getline(fields, f.name);
            char* end = nullptr;
            f.crc = static_cast<std::uint32_t>(std::strtoul(crc.c_str(), &end, 16));
            if (!fields.eof() || crc.size() != 8 || *end || !plainName(f.name))
                throw damaged("a line of its manifest is damaged: " + line);
            backup.files.push_back(f);
        }
    }
    if (backup.folder.empty() || backup.files.empty())
        throw damaged("its manifest names no folder or no file");
    return backup;
}

std::vector<std::vector<std::uint8_t>> readBackupFiles(const Backup& backup) {
    std::vector<std::vector<std::uint8_t>> contents;
    for (const BackupFile& f : backup.files) {
        const std::string path = (fs::path(backup.path) / f.name).string();
        contents.push_back(readWholeFile(path));
        if (contents.back().size() != f.size || crc32Of(contents.back()) != f.crc)
            throw FileError("cannot use \"" + backup.path + "\" as a backup: \"" + f.name +
                            "\" is not the file it kept (its size or checksum differs)");
    }
    return contents;
}

void removeBackup(const Backup& backup) {
    std::error_code ignored;
    if (!backup.path.empty())
        fs::remove_all(backup.path, ignored);
}

std::vector<Backup> listBackups(const std::string& root) {
    std::vector<Backup> backups;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root, error)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name[0] == '.' || !entry.is_directory(error))
            continue;
        try {
            backups.push_back(readBackup(entry.path().string()));
        } catch (const FileError&) {
            // Not a backup of ours, or a damaged one: restoring it would be refused anyway.
        }
    }
    std::sort(backups.begin(), backups.end(), [](const Backup& a, const Backup& b) {
        return a.made != b.made ? a.made > b.made : a.path > b.path;
    });
    return backups;
}

} // namespace korven::converter
