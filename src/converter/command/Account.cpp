#include "converter/command/Account.h"

#include "converter/command/Report.h"
#include "converter/core/CharacterSet.h"
#include "korven/Version.h"

#include <cstdio>
#include <sstream>

namespace korven::converter {

namespace {

// A JSON string: quotes, backslashes and control characters escaped, other bytes (UTF-8) as
// they are.
std::string quoted(const std::string& text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

template <typename T, typename Write>
std::string list(const std::vector<T>& items, Write write) {
    std::string json = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        json += (i ? ", " : "") + write(items[i]);
    return json + "]";
}

std::string fileJson(const AccountFile& f) {
    std::string json = "{\"path\": " + quoted(f.path) + ", \"bytes\": " + std::to_string(f.bytes);
    if (f.glyphs >= 0)
        json += ", \"glyphs\": " + std::to_string(f.glyphs) + ", \"leftOut\": " +
                list(f.leftOut, [](char32_t c) { return quoted(codePointName(c)); });
    return json + "}";
}

std::string backupJson(const Backup& b) {
    return "{\"path\": " + quoted(b.path) + ", \"folder\": " + quoted(b.folder) + ", \"files\": " +
           list(b.files,
                [](const BackupFile& f) {
                    char crc[16];
                    std::snprintf(crc, sizeof crc, "%08x", static_cast<unsigned>(f.crc));
                    return "{\"name\": " + quoted(f.name) +
                           ", \"bytes\": " + std::to_string(f.size) + ", \"crc32\": \"" + crc +
                           "\"}";
                }) +
           "}";
}

std::string setJson(const RunAccount& account) {
    if (account.command != "set" || account.exitCode != 0)
        return "";
    return ",\n \"set\": {\"sansSerif\": " + quoted(account.sansFamily) +
           ", \"serif\": " + quoted(account.serifFamily) +
           ", \"synthesized\": " + list(account.synthesized, quoted) + "}";
}

} // namespace

void addErrorOutput(RunAccount& account, const std::string& errorOutput) {
    const std::string program = kProgram;
    const std::string note = program + "note: ";
    std::istringstream lines(errorOutput);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(note, 0) == 0)
            account.notes.push_back(line.substr(note.size()));
        else if (!line.empty())
            account.errors.push_back(line.rfind(program, 0) == 0 ? line.substr(program.size())
                                                                 : line);
    }
}

std::string accountJson(const RunAccount& account) {
    const char* outcome = account.exitCode == 0   ? "done"
                          : account.exitCode == 2 ? "wrong arguments"
                                                  : "failed";
    const auto text = [](const std::string& s) { return quoted(s); };
    return "{\"program\": \"ttf2pgf\", \"version\": " + quoted(KORVEN_VERSION) +
           ", \"command\": " + quoted(account.command) + ", \"outcome\": \"" + outcome +
           "\", \"exitCode\": " + std::to_string(account.exitCode) +
           ",\n \"files\": " + list(account.files, fileJson) +
           ",\n \"backups\": " + list(account.backups, backupJson) +
           ",\n \"notes\": " + list(account.notes, text) +
           ",\n \"errors\": " + list(account.errors, text) + setJson(account) + "}\n";
}

} // namespace korven::converter
