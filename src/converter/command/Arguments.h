#pragma once

#include "converter/core/TextRender.h"
#include "converter/rules/Ranges.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace korven::converter {

struct ConvertCommand {
    std::string fontPath;
    std::string outputPath;
    int pixelsPerEm = 0;
    double shadowRadius = 0;
    bool allowMissing = false; // --allow-missing: write fonts that lack letters or digits
    std::vector<char32_t> extraCharacters{}; // --characters SETS, beyond the Latin set
    bool fit = false;               // --fit: the box of the handheld's font that OUTPUT names
    std::string likePath{};         // --like REF.pgf: the measures of the user's own file instead
    std::optional<int> faceIndex{}; // --face N; without it, chosen for the language
    std::string language{};         // of --characters' first script set ("ja"), else empty
    std::string backupDir{};        // --backup-dir DIR: keep the file it replaces in a backup there
};

// --set: the sixteen system font files from one family (and a second for the serif ones), and
// the Japanese and Korean ones when asked for.
struct SetCommand {
    std::string fontPath;
    std::string outputFolder;
    int pixelsPerEm = 0;
    double shadowRadius = 0;
    std::string serifFontPath; // --serif; empty: the serif files come from fontPath's family
    std::vector<char32_t> extraCharacters{}; // --characters SETS, in every file
    bool fit = false;                        // --fit: each file in the box of the handheld's own
    std::string likeFolder{};       // --like REFDIR: the measures of the user's own files there
    std::string japaneseFontPath{}; // --japanese: jpn0.pgf too, from this font
    std::string koreanFontPath{};   // --korean: kr0.pgf too, from this font
    std::string backupDir{}; // --backup-dir DIR: keep the files it replaces in a backup there
};

// --restore BACKUP: the files of a backup back where they came from.
struct RestoreCommand {
    std::string backupPath;
};

struct RenderCommand {
    std::string pgfPath;
    std::string text; // UTF-8
    std::string pngPath;
    Rgb background = kDefaultTextBackground; // --background RRGGBB
};

struct HelpCommand {};
struct VersionCommand {};

// A command line that cannot be run: one line for the user naming the argument and what it
// may be.
struct UsageError {
    std::string message;
};

using ParsedArguments = std::variant<ConvertCommand, SetCommand, RenderCommand, HelpCommand,
                                     VersionCommand, UsageError, RestoreCommand>;

// Reads the arguments after the program name:
//   [--allow-missing] [--fit] [--like REF.pgf] FONT OUTPUT SIZE iSHADOW |
//   --set FONT OUTDIR SIZE iSHADOW [--serif FONT2] [--fit] [--like REFDIR] |
//   [--allow-missing] [--face N] FONT OUTPUT SIZE iSHADOW |
//   --set FONT OUTDIR SIZE iSHADOW [--serif FONT2] [--japanese FONT3] [--korean FONT4] |
//   --render FILE.pgf TEXT OUT.png [--background RRGGBB] | --restore BACKUP | --help |
//   --version; --backup-dir DIR may stand anywhere in a conversion or a set.
ParsedArguments parseArguments(const std::vector<std::string>& args);

// Exactly six hex digits, red green blue; nothing when the text is anything else.
std::optional<Rgb> parseColour(const std::string& text);

std::string usageText();

} // namespace korven::converter
