#include "converter/rules/Journal.h"

#include "converter/rules/DiskWrites.h"
#include "converter/rules/FontFile.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace korven::converter {

namespace {

namespace fs = std::filesystem;

constexpr const char* kJournalName = ".korven-set.journal";
constexpr const char* kFirstLine = "korven set journal 1";

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool isFile(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The entries of a whole journal; nothing when it was cut short, which happens only before
// the first earlier file was touched (the journal is flushed before that).
std::optional<std::vector<JournalEntry>> readJournal(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = readWholeFile(path);
    } catch (const FileError&) {
        return std::nullopt;
    }
    std::istringstream text(std::string(bytes.begin(), bytes.end()));
    std::string line;
    if (!std::getline(text, line) || line != kFirstLine)
        return std::nullopt;
    std::vector<JournalEntry> entries;
    while (std::getline(text, line)) {
        if (line == "end")
            return entries;
        JournalEntry e;
        std::istringstream fields(line);
        std::getline(fields, e.name, '\t');
        std::getline(fields, e.temporary, '\t');
        std::getline(fields, e.aside);
        const auto plain = [](const std::string& n) {
            return n.find('/') == std::string::npos && n != "." && n != "..";
        };
        if (e.name.empty() || e.temporary.empty() || !plain(e.name) || !plain(e.temporary) ||
            !plain(e.aside))
            return std::nullopt;
        entries.push_back(e);
    }
    return std::nullopt;
}

// Puts the folder back as it was before the set, newest step first, the way the set itself
// undoes a failure: an earlier file kept aside goes back over its name; a new file whose
// temporary file is gone had been renamed in and is removed; temporary files are removed.
void undo(const std::string& folder, const std::vector<JournalEntry>& entries) {
    for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
        const std::string file = folder + "/" + e->name;
        const std::string temporary = folder + "/" + e->temporary;
        if (!e->aside.empty()) {
            const std::string aside = folder + "/" + e->aside;
            if (exists(aside) && ::rename(aside.c_str(), file.c_str()) != 0)
                throw FileError("cannot put back \"" + file + "\" from \"" + aside +
                                "\": " + std::strerror(errno));
            ::unlink(aside.c_str()); // a hard link to the file it was renamed over
        } else if (!exists(temporary) && isFile(file)) {
            ::unlink(file.c_str());
        }
        ::unlink(temporary.c_str());
    }
}

// ".ltn0.pgf.Ab12Cd" (a temporary file) or ".ltn0.pgf.old-1a2b3c4d" (an earlier file kept
// aside): names only this program gives, and only to PGF files.
bool allOf(std::string_view text, bool (*test)(char)) {
    for (const char c : text)
        if (!test(c))
            return false;
    return true;
}

bool isLetterOrDigit(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool isLowerHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

// True when `name` is "." + at least one character + ".pgf." (any case) + `suffixLength`
// characters.
bool isHiddenPgfWithSuffix(std::string_view name, std::size_t suffixLength) {
    constexpr std::string_view kPgfDot = ".pgf.";
    if (name.size() < 2 + kPgfDot.size() + suffixLength || name.front() != '.')
        return false;
    const std::string_view ending =
        name.substr(name.size() - suffixLength - kPgfDot.size(), kPgfDot.size());
    for (std::size_t i = 0; i < kPgfDot.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(ending[i])) != kPgfDot[i])
            return false;
    return true;
}

bool leftByAnInterruptedRun(std::string_view name) {
    constexpr std::size_t kTemporarySuffix = 6;
    constexpr std::string_view kAsidePrefix = "old-";
    constexpr std::size_t kAsideHexDigits = 8;
    if (isHiddenPgfWithSuffix(name, kTemporarySuffix) &&
        allOf(name.substr(name.size() - kTemporarySuffix), isLetterOrDigit))
        return true;
    const std::size_t asideSuffix = kAsidePrefix.size() + kAsideHexDigits;
    return isHiddenPgfWithSuffix(name, asideSuffix) &&
           name.substr(name.size() - asideSuffix, kAsidePrefix.size()) == kAsidePrefix &&
           allOf(name.substr(name.size() - kAsideHexDigits), isLowerHexDigit);
}

} // namespace

std::string journalPathIn(const std::string& folder) {
    return (folder.empty() || folder.back() == '/' ? folder : folder + "/") + kJournalName;
}

void writeJournal(const std::string& path, const std::vector<JournalEntry>& entries) {
    std::string text = std::string(kFirstLine) + "\n";
    for (const JournalEntry& e : entries)
        text += e.name + "\t" + e.temporary + "\t" + e.aside + "\n";
    text += "end\n";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw FileError("cannot write \"" + path + "\": " + std::strerror(errno));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    int error = 0;
    if (!writeAll(fd, {bytes, text.size()}) || ::fsync(fd) != 0)
        error = errno;
    ::close(fd);
    if (error != 0) {
        ::unlink(path.c_str());
        throw FileError("cannot write \"" + path + "\": " + std::strerror(error));
    }
}

bool holdsInterruptedWrite(const std::string& folder) {
    return exists(journalPathIn(folder));
}

LeftBehind finishInterruptedWrite(const std::string& given) {
    const std::string folder = given.empty() ? "." : given;
    LeftBehind found;
    const std::string journal = journalPathIn(folder);
    if (exists(journal)) {
        if (const auto entries = readJournal(journal)) {
            undo(folder, *entries);
            found.undoneSet = true;
        }
        syncFolder(folder);
        if (::unlink(journal.c_str()) != 0)
            throw FileError("cannot remove \"" + journal + "\": " + std::strerror(errno));
    }
    std::error_code error;
    std::vector<fs::path> leftovers;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (leftByAnInterruptedRun(entry.path().filename().string()) &&
            entry.is_regular_file(error))
            leftovers.push_back(entry.path());
    for (const fs::path& path : leftovers)
        if (::unlink(path.c_str()) == 0)
            ++found.removedTemporaries;
    if (found.undoneSet || found.removedTemporaries > 0)
        syncFolder(folder);
    return found;
}

} // namespace korven::converter
