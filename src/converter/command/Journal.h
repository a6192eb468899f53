#pragma once

#include <string>
#include <vector>

namespace korven::converter {

// One file of a set being written, by its names in the folder: the file, the temporary file
// that holds its new bytes, and the name its earlier file is kept aside under (empty when
// there was no earlier file).
struct JournalEntry {
    std::string name;
    std::string temporary;
    std::string aside;
};

// ".korven-set.journal" in `folder`.
std::string journalPathIn(const std::string& folder);

// Writes the journal as a new file and flushes it to the disk; its last line "end" tells a
// whole journal from one cut short. Throws FileError naming `path`.
void writeJournal(const std::string& path, const std::vector<JournalEntry>& entries);

} // namespace korven::converter
