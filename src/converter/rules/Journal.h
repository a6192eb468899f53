#pragma once

#include <string>
#include <vector>

namespace korven::converter {

// A set of files written together keeps a journal in its folder from before the first earlier
// file is touched until after the last rename, so that a run that ends half way can be undone
// by the next one. The command line writes it; the command line and the window undo it.

// One file of a set being written, by its names in the folder: the file, the temporary file
// that holds its new bytes, and the name its earlier file is kept aside under (empty when
// there was no earlier file).
struct JournalEntry {
    std::string name;
    std::string temporary;
    std::string aside;
};

// What finishInterruptedWrite found and did in a folder.
struct LeftBehind {
    bool undoneSet = false;     // a journal was found and its files put back as they were
    int removedTemporaries = 0; // hidden temporary or kept-aside files removed
};

// The first thing a run does in a folder it writes into: a set that ended before it was done
// (killed, power lost) is undone from its journal, so the folder holds the earlier files, and
// every hidden temporary or kept-aside file an interrupted run left (".ltn0.pgf.Ab12Cd",
// ".ltn0.pgf.old-1a2b3c4d") is removed. A missing folder is left alone. Throws FileError when
// the journal cannot be followed. Only with the folder's FolderWriteLock held: without it the
// journal may be that of a run still writing.
LeftBehind finishInterruptedWrite(const std::string& folder);

// The folder holds a journal that finishInterruptedWrite would follow.
bool holdsInterruptedWrite(const std::string& folder);

// ".korven-set.journal" in `folder`.
std::string journalPathIn(const std::string& folder);

// Writes the journal as a new file and flushes it to the disk; its last line "end" tells a
// whole journal from one cut short. Throws FileError naming `path`.
void writeJournal(const std::string& path, const std::vector<JournalEntry>& entries);

} // namespace korven::converter
