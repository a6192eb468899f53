#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace korven::converter {

// A backup is a folder under a backup root, named by the local date and time it was made
// ("2026-12-08_00-40-12", "-2" added when taken), that holds copies of files a run replaced
// and "manifest.txt":
//   korven backup 1
//   made 2026-12-08 00:40:12
//   folder /media/stick/flash0/font
//   file 69234 1c291ca3 ltn0.pgf
// one "file" line per copy: its size in bytes, its CRC-32 in hex and its name in the folder.
// The command line and the window both make backups, so the layout lives here, below both.

inline constexpr const char* kManifestName = "manifest.txt";

struct BackupFile {
    std::string name;
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
};

struct Backup {
    std::string path;   // the backup's own folder
    std::string made;   // "2026-12-08 00:40:12", local time
    std::string folder; // where the files came from, an absolute path
    std::vector<BackupFile> files;
};

std::uint32_t crc32Of(std::span<const std::uint8_t> bytes);

// Copies the files `names` of `folder` that exist into a new backup under `root` (made when
// missing) and returns it; nothing when none of them exists. The copies and the manifest are
// flushed to the disk and the backup gets its name only when complete, so a backup that is
// listed is whole. Throws FileError saying why, leaving no part of a backup behind.
Backup makeBackup(const std::string& root, const std::string& folder,
                  const std::vector<std::string>& names);

// Reads the manifest of the backup at `path`. Throws FileError when it is missing or damaged.
Backup readBackup(const std::string& path);

// The bytes of every file of `backup`, in the manifest's order, each checked against its size
// and checksum. Throws FileError naming the first file that is missing or differs.
std::vector<std::vector<std::uint8_t>> readBackupFiles(const Backup& backup);

// Removes a backup this run made but no longer needs (the replacement failed).
void removeBackup(const Backup& backup);

// The complete backups under `root`, newest first; damaged ones are left out.
std::vector<Backup> listBackups(const std::string& root);

} // namespace korven::converter
