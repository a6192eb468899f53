#pragma once

#include "converter/command/Files.h"
#include "converter/rules/Backup.h"
#include "converter/rules/FolderLock.h"
#include "converter/rules/Journal.h"

#include <ostream>
#include <string>
#include <vector>

namespace korven::converter {

// Writes `files`, all in one folder, as the command's runs do: refused by checkRoom before
// anything is made when the folder's disk (or the backup's) lacks room; with `backupRoot`,
// the earlier files that the new bytes change are first kept in a new backup there, complete
// and flushed; then one file by writeFileAtomically, several by writeFilesTogether. Returns the
// backup, with an empty path when none was made. On failure the backup is removed again and
// FileError says why.
Backup replaceFiles(const std::vector<FileContents>& files, const std::string& backupRoot);

// The first step of a run that writes into `folder`: takes the folder's lock, which the caller
// keeps until its writing there is done, then finishInterruptedWrite with a note on `err` for
// what it did. Throws FileError when another run is writing into the folder or the journal
// cannot be followed.
[[nodiscard]] FolderWriteLock claimFolder(const std::string& folder, std::ostream& err);

// "ttf2pgf: note: kept the earlier ltn0.pgf ltn4.pgf in "BACKUP"" on `err`, when one was made.
void reportBackup(const Backup& backup, std::ostream& err);

} // namespace korven::converter
