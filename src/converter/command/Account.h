#pragma once

#include "converter/rules/Backup.h"

#include <cstddef>
#include <string>
#include <vector>

namespace korven::converter {

// What a run did, for a program that started it (--report-json FILE): the same facts as the
// lines for people, in a form that needs no reading of sentences.
struct AccountFile {
    std::string path;
    std::size_t bytes = 0;
    int glyphs = -1;                 // -1: not a conversion (a restored file)
    std::vector<char32_t> leftOut{}; // characters asked for but not in the file
};

struct RunAccount {
    std::string command; // "convert", "set", "restore", "render" or "" (wrong arguments)
    int exitCode = 0;
    std::vector<AccountFile> files;
    std::vector<Backup> backups;
    std::vector<std::string> notes;  // the notes on standard error, without "ttf2pgf: note: "
    std::vector<std::string> errors; // the other lines on standard error, without "ttf2pgf: "
    // A written set: its families as the summary line names them, and the files whose style
    // was made by synthesis ("ltn2").
    std::string sansFamily{};
    std::string serifFamily{};
    std::vector<std::string> synthesized{};
};

// Sorts the lines the run wrote on standard error into the account's notes and errors.
void addErrorOutput(RunAccount& account, const std::string& errorOutput);

// The account as one JSON object:
//   {"program": "ttf2pgf", "version": "1.2.0", "command": "set",
//    "outcome": "done" | "failed" | "wrong arguments", "exitCode": 0,
//    "files": [{"path": "...", "bytes": 62624, "glyphs": 339, "leftOut": ["U+2030"]}],
//    "backups": [{"path": "...", "folder": "...", "files": [{"name": "ltn0.pgf",
//                 "bytes": 69234, "crc32": "1c291ca3"}]}],
//    "notes": ["..."], "errors": ["..."]}
// and for a written set also
//    "set": {"sansSerif": "DejaVu Sans", "serif": "DejaVu Serif", "synthesized": ["ltn2"]}
// A restored file has no "glyphs" and "leftOut"; the order of files is the order written.
std::string accountJson(const RunAccount& account);

} // namespace korven::converter
