#include "converter/command/Arguments.h"

#include "converter/core/CharacterSet.h"
#include "converter/core/CharacterSets.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>

namespace korven::converter {

namespace {

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

// "1 argument", "2 arguments".
std::string arguments(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " argument" : " arguments");
}

UsageError countError(std::size_t got) {
    return {"expected 4 arguments FONT OUTPUT SIZE iSHADOW, got " + arguments(got) +
            " (see ttf2pgf --help)"};
}

// Takes "--characters SETS" (or "--characters=SETS") out of the arguments. Returns a usage
// error's message, or nothing when the option is absent or understood.
std::optional<std::string> takeCharacters(std::vector<std::string>& args,
                                          CharacterSetsChoice& chosen, bool& given) {
    const auto option = std::find_if(args.begin(), args.end(), [](const std::string& a) {
        return a == "--characters" || a.rfind("--characters=", 0) == 0;
    });
    given = option != args.end();
    if (!given)
        return std::nullopt;
    const bool joined = *option != "--characters";
    if (!joined && option + 1 == args.end())
        return "--characters expects a list of sets such as latin,greek (see ttf2pgf --help)";
    const std::string value = joined ? option->substr(option->find('=') + 1) : *(option + 1);
    CharacterSetsChoice choice = parseCharacterSets(value);
    if (!choice.ok())
        return "--characters: " + choice.error;
    chosen = std::move(choice);
    args.erase(option, option + (joined ? 1 : 2));
    return std::nullopt;
}

// What --fit and --like ask for, taken out of the arguments wherever they stand.
struct FitOptions {
    bool fit = false;
    std::string like;
    bool given() const { return fit || !like.empty(); }
};

std::optional<std::string> takeFitOptions(std::vector<std::string>& args, FitOptions& options) {
    if (const auto flag = std::find(args.begin(), args.end(), "--fit"); flag != args.end()) {
        options.fit = true;
        args.erase(flag);
        if (std::find(args.begin(), args.end(), "--fit") != args.end())
            return "--fit may be given once";
    }
    const auto like = std::find(args.begin(), args.end(), "--like");
    if (like == args.end())
        return std::nullopt;
    if (like + 1 == args.end() || (like + 1)->empty() || (like + 1)->rfind("--", 0) == 0)
        return "--like expects your own PGF file, or with --set the folder of your own files "
               "(see ttf2pgf --help)";
    options.like = *(like + 1);
    args.erase(like, like + 2);
    if (std::find(args.begin(), args.end(), "--like") != args.end())
        return "--like may be given once";
    return std::nullopt;
}

// Takes "--backup-dir DIR" out of the arguments wherever it stands.
std::optional<std::string> takeBackupDir(std::vector<std::string>& args, std::string& dir) {
    const auto option = std::find(args.begin(), args.end(), "--backup-dir");
    if (option == args.end())
        return std::nullopt;
    if (option + 1 == args.end() || (option + 1)->empty() || (option + 1)->rfind("--", 0) == 0)
        return "--backup-dir expects the folder to keep backups in (see ttf2pgf --help)";
    dir = *(option + 1);
    args.erase(option, option + 2);
    if (std::find(args.begin(), args.end(), "--backup-dir") != args.end())
        return "--backup-dir may be given once";
    return std::nullopt;
}

// The size and shadow arguments of a conversion or a set, read into `size` and `radius`.
std::optional<UsageError> readSizeAndShadow(const std::string& sizeText,
                                            const std::string& shadowText, int& size,
                                            double& radius) {
    size = parsePixelSize(sizeText);
    if (size < 0)
        return UsageError{"SIZE must be a whole number from " + pixelSizeRangeText() +
                          " (pixels per em), got " + quoted(sizeText)};
    radius = parseShadowRadius(shadowText);
    if (radius < 0)
        return UsageError{"iSHADOW must be the letter i and a number from " +
                          shadowRadiusRangeText() + " (shadow radius in pixels, e.g. i2), got " +
                          quoted(shadowText)};
    return std::nullopt;
}

// The options of --set that name a font, each given at most once.
struct SetFontOption {
    const char* name;
    std::string SetCommand::*path;
    const char* what;
};
constexpr SetFontOption kSetFontOptions[] = {
    {"--serif", &SetCommand::serifFontPath, "the font of the serif files"},
    {"--japanese", &SetCommand::japaneseFontPath, "the font of jpn0.pgf"},
    {"--korean", &SetCommand::koreanFontPath, "the font of kr0.pgf"},
};

bool isSetFontOption(const std::string& arg) {
    return std::any_of(std::begin(kSetFontOptions), std::end(kSetFontOptions),
                       [&](const SetFontOption& o) { return arg == o.name; });
}

// After --set, with --characters already taken out; the font options may stand anywhere.
ParsedArguments parseSet(std::vector<std::string> args, std::vector<char32_t> extraCharacters,
                         const FitOptions& fit, const std::string& backupDir) {
    SetCommand set;
    set.backupDir = backupDir;
    set.extraCharacters = std::move(extraCharacters);
    set.fit = fit.fit;
    set.likeFolder = fit.like;
    for (const SetFontOption& option : kSetFontOptions) {
        const auto found = std::find(args.begin(), args.end(), option.name);
        if (found == args.end())
            continue;
        if (found + 1 == args.end() || (found + 1)->empty())
            return UsageError{std::string(option.name) + " expects " + option.what +
                              " (see ttf2pgf --help)"};
        set.*option.path = *(found + 1);
        args.erase(found, found + 2);
    }
    for (const std::string& arg : args)
        if (arg.rfind("--", 0) == 0)
            return UsageError{isSetFontOption(arg) ? arg + " may be given once"
                                                   : quoted(arg) + " does not go with --set (see "
                                                                   "ttf2pgf --help)"};
    if (args.size() != 4)
        return UsageError{"--set expects FONT OUTDIR SIZE iSHADOW, got " + arguments(args.size()) +
                          " (see ttf2pgf --help)"};
    if (args[0].empty())
        return UsageError{"FONT must name a font file, got an empty argument"};
    if (args[1].empty())
        return UsageError{"OUTDIR must name the folder to write to, got an empty argument"};
    if (auto error = readSizeAndShadow(args[2], args[3], set.pixelsPerEm, set.shadowRadius))
        return *error;
    set.fontPath = args[0];
    set.outputFolder = args[1];
    return set;
}

// Takes "--face N" out of a conversion's arguments. Returns a usage error's message, or nothing
// when the option is absent or understood.
std::optional<std::string> takeFace(std::vector<std::string>& args, std::optional<int>& face) {
    const auto option = std::find(args.begin(), args.end(), "--face");
    if (option == args.end())
        return std::nullopt;
    const std::string value = option + 1 == args.end() ? std::string() : *(option + 1);
    // FreeType numbers the faces of a collection with 16 bits.
    if (value.empty() || value.size() > 5 ||
        !std::all_of(value.begin(), value.end(), [](unsigned char c) { return std::isdigit(c); }) ||
        std::stoi(value) > 0xFFFF)
        return "--face expects the number of a face of a collection, 0 for the first, got " +
               quoted(value);
    face = std::stoi(value);
    args.erase(option, option + 2);
    if (std::find(args.begin(), args.end(), "--face") != args.end())
        return "--face may be given once";
    return std::nullopt;
}

bool isHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

bool isVersion(const std::string& arg) {
    return arg == "--version" || arg == "-v";
}

} // namespace

std::optional<Rgb> parseColour(const std::string& text) {
    if (text.size() != 6 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c); }))
        return std::nullopt;
    const auto value = static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 16));
    return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value)};
}

ParsedArguments parseArguments(const std::vector<std::string>& given) {
    // The one option of a conversion may stand anywhere among its arguments.
    std::vector<std::string> args = given;
    const auto option = std::find(args.begin(), args.end(), "--allow-missing");
    const bool allowMissing = option != args.end();
    if (allowMissing) {
        args.erase(option);
        if (!args.empty() && (args[0] == "--render" || isHelp(args[0]) || isVersion(args[0]) ||
                              args[0] == "--set" || args[0] == "--restore"))
            return UsageError{"--allow-missing goes with a conversion only (see ttf2pgf --help)"};
    }
    CharacterSetsChoice characters;
    bool charactersGiven = false;
    if (const auto error = takeCharacters(args, characters, charactersGiven))
        return UsageError{*error};
    std::string backupDir;
    if (const auto error = takeBackupDir(args, backupDir))
        return UsageError{*error};
    const bool notAConversion =
        !args.empty() && (args[0] == "--render" || isHelp(args[0]) || isVersion(args[0]));
    if (charactersGiven && notAConversion)
        return UsageError{"--characters goes with a conversion only (see ttf2pgf --help)"};
    FitOptions fit;
    if (const auto error = takeFitOptions(args, fit))
        return UsageError{*error};
    if (fit.given() && notAConversion)
        return UsageError{(fit.fit ? std::string("--fit") : std::string("--like")) +
                          " goes with a conversion only (see ttf2pgf --help)"};
    const bool restore = !args.empty() && args[0] == "--restore";
    if (!backupDir.empty() && (notAConversion || restore))
        return UsageError{"--backup-dir goes with a conversion only (see ttf2pgf --help)"};
    if (restore && (charactersGiven || fit.given()))
        return UsageError{"--restore takes no other option (see ttf2pgf --help)"};
    if (restore) {
        if (args.size() != 2 || args[1].empty())
            return UsageError{"--restore expects the folder of one backup (see ttf2pgf --help)"};
        return RestoreCommand{args[1]};
    }
    if (!args.empty() && args[0] == "--set")
        return parseSet(std::vector<std::string>(args.begin() + 1, args.end()),
                        std::move(characters.extraCharacters), fit, backupDir);
    if (std::find(args.begin(), args.end(), "--serif") != args.end())
        return UsageError{"--serif goes with --set only (see ttf2pgf --help)"};
    if (args.size() == 1 && isHelp(args[0]))
        return HelpCommand{};
    if (args.size() == 1 && isVersion(args[0]))
        return VersionCommand{};
    if (!args.empty() && args[0] == "--render") {
        // Its option, like a conversion's, may stand anywhere after --render.
        Rgb background = kDefaultTextBackground;
        const auto colourOption = std::find(args.begin() + 1, args.end(), "--background");
        if (colourOption != args.end()) {
            if (colourOption + 1 == args.end())
                return UsageError{"--background expects a colour RRGGBB (see ttf2pgf --help)"};
            const std::optional<Rgb> colour = parseColour(*(colourOption + 1));
            if (!colour)
                return UsageError{"--background must be a colour of 6 hex digits RRGGBB (e.g. "
                                  "34548C), got " +
                                  quoted(*(colourOption + 1))};
            background = *colour;
            args.erase(colourOption, colourOption + 2);
        }
        if (args.size() != 4)
            return UsageError{"--render expects FILE.pgf TEXT OUT.png, got " +
                              arguments(args.size() - 1)};
        if (args[1].empty() || args[3].empty())
            return UsageError{"--render needs a PGF file and a PNG file name"};
        return RenderCommand{args[1], args[2], args[3], background};
    }
    if (std::find(args.begin(), args.end(), "--background") != args.end())
        return UsageError{"--background goes with --render only (see ttf2pgf --help)"};
    for (const std::string& arg : args)
        if (isSetFontOption(arg))
            return UsageError{arg + " goes with --set only (see ttf2pgf --help)"};
    std::optional<int> face;
    if (const auto error = takeFace(args, face))
        return UsageError{*error};
    if (!args.empty() && args[0].rfind("--", 0) == 0)
        return UsageError{"unknown option " + quoted(args[0]) + " (see ttf2pgf --help)"};
    if (args.size() != 4)
        return countError(args.size());
    if (args[0].empty())
        return UsageError{"FONT must name a font file, got an empty argument"};
    if (args[1].empty())
        return UsageError{"OUTPUT must name the file to write, got an empty argument"};
    int size = 0;
    double radius = 0;
    if (auto error = readSizeAndShadow(args[2], args[3], size, radius))
        return *error;
    ConvertCommand command{args[0], args[1],      size,
                           radius,  allowMissing, std::move(characters.extraCharacters)};
    command.fit = fit.fit;
    command.likePath = fit.like;
    command.backupDir = backupDir;
    command.faceIndex = face;
    command.language = std::move(characters.language);
    return command;
}

std::string usageText() {
    std::string text =
        "Usage: ttf2pgf [--allow-missing] [--characters SETS] FONT OUTPUT SIZE iSHADOW\n"
        "               [--face N] [--fit] [--like REF.pgf] [--backup-dir DIR]\n"
        "       ttf2pgf --set FONT OUTDIR SIZE iSHADOW [--serif FONT2] [--characters SETS]\n"
        "               [--japanese FONT3] [--korean FONT4] [--fit] [--like REFDIR]\n"
        "               [--backup-dir DIR]\n"
        "       ttf2pgf --render FILE.pgf TEXT OUT.png [--background RRGGBB]\n"
        "       ttf2pgf --restore BACKUP\n"
        "       ttf2pgf -h | --help | -v | --version\n"
        "\n"
        "Converts a TrueType or OpenType font into a PGF system font for the handheld.\n"
        "  FONT     the font to convert (a collection gives its first face, or see --face)\n"
        "  OUTPUT   the PGF file to write, normally ltn0.pgf; it is replaced only when the\n"
        "           new file is complete\n"
        "  SIZE     em size in pixels, a whole number from " +
        pixelSizeRangeText() +
        " (the system font is 18)\n"
        "  iSHADOW  the letter i and the shadow radius in pixels, " +
        shadowRadiusRangeText() +
        " (e.g. i2)\n"
        "\n"
        "A font that lacks any of the letters A-Z, a-z or the digits 0-9, or whose letter or\n"
        "digit is too large at SIZE, is refused: the handheld's menus would show no text.\n"
        "  --allow-missing  write such a font anyway (for experts)\n"
        "\n"
        "  --characters SETS  characters to add to the Latin set, a comma-separated list of\n"
        "                   set names and code points (U+20BD) or ranges (U+0400-U+045F):\n";
    for (const NamedCharacterSet& set : namedCharacterSets()) {
        std::string line = "    " + std::string(set.name);
        line.resize(22, ' ');
        text += line + std::string(set.title) + "\n";
        if (!set.summary.empty()) {
            std::string_view summary = set.summary;
            for (std::size_t end; (end = summary.find('\n')) != summary.npos;
                 summary.remove_prefix(end + 1))
                text += std::string(22, ' ') + std::string(summary.substr(0, end)) + "\n";
            text += std::string(22, ' ') + std::string(summary) + "\n";
            continue;
        }
        if (set.ranges.empty())
            continue;
        std::string ranges(22, ' ');
        for (const CodePointRange& r : set.ranges)
            ranges += codePointName(r.first) +
                      (r.first == r.last ? " " : "-" + codePointName(r.last) + " ");
        ranges.pop_back();
        text += ranges + "\n";
    }
    text +=
        "                   Characters of a set that the font lacks are left out. A file\n"
        "                   with more characters is larger than the handheld's own Latin\n"
        "                   font (about 69 KB for ltn0.pgf): the emulator reads such files;\n"
        "                   on a real device it is untried.\n"
        "  --face N         convert face N of a collection (.ttc), 0 for the first. Without\n"
        "                   it, --characters japanese (or korean) takes the collection's\n"
        "                   face for that language as fontconfig knows it (\"Noto Sans CJK\n"
        "                   JP\"), and a note names the face taken.\n"
        "\n"
        "On success one line goes to standard output, in this form (the part from \";\" on\n"
        "only when characters were left out, being too large for the format or, for\n"
        "--characters, missing from the font; three or more in a row as one range):\n"
        "  wrote OUTPUT: 339 glyphs, 62624 bytes; left out 2 characters: U+2030 U+20AC\n"
        "Notes (e.g. a line height capped for the handheld) and errors go to standard error.\n"
        "\n"
        "--set writes all sixteen Latin system fonts of the handheld into the folder OUTDIR:\n"
        "ltn0.pgf to ltn7.pgf at SIZE and ltn8.pgf to ltn15.pgf, the same eight, at the\n"
        "small size, SIZE * 7 / 10.125 rounded (18 gives 12, never below 6). The even ones\n"
        "are sans-serif from FONT's family, the odd ones serif from FONT2's family (from\n"
        "FONT's without --serif), in the order regular, italic, bold, bold italic. A\n"
        "family's faces are found among the installed fonts and the font files beside\n"
        "FONT; a style the family lacks is made from another face by emboldening or\n"
        "slanting it. Standard error names the face each file comes from. --characters\n"
        "adds its characters to every file. All or nothing: if any file is refused or\n"
        "cannot be written, OUTDIR stays exactly as it was. On success one line per file\n"
        "as above, then the summary (the part from \";\" on only when some styles were\n"
        "made up):\n"
        "  wrote 16 files to OUTDIR: sans-serif FAMILY, serif FAMILY2; made by synthesis: ltn2\n"
        "--japanese FONT3 adds jpn0.pgf and --korean FONT4 adds kr0.pgf, at SIZE, with the\n"
        "japanese or korean set and --characters', from the face of FONT3 (FONT4) for the\n"
        "language as --face describes; all the files are then written together or none.\n"
        "\n"
        "Games were laid out for the handheld's own fonts and cut off text that is larger.\n"
        "  --fit     fit the file to the handheld's own font that OUTPUT names (ltn4.pgf gets\n"
        "            ltn4's measures, any other name ltn0's; with --set each file its own):\n"
        "            every bitmap within that font's largest, no ink higher than its, no\n"
        "            advance wider, and its line (ascender and descender). Letters and digits\n"
        "            that already fit are drawn as without --fit; other glyphs that do not\n"
        "            fit are condensed or made smaller about the baseline, never cut. Only\n"
        "            when letters do not fit is the whole file set at a smaller em size.\n"
        "            Standard error names what was changed.\n"
        "  --like REF.pgf  fit to your own copy of the handheld's file instead: its box and\n"
        "            line, and every character both hold takes REF's advance exactly. With\n"
        "            --set, REFDIR is the folder of your ltn0.pgf to ltn15.pgf; a file missing\n"
        "            there is fitted as with --fit. Only REF's measures are used.\n"
        "\n"
        "Replacing files safely:\n"
        "  --backup-dir DIR  before an earlier file is replaced, keep it in a new backup, a\n"
        "            folder in DIR named by date and time holding the files and manifest.txt\n"
        "            (the folder they came from, each file's size and CRC-32). Files that\n"
        "            would not change are not kept; a run that replaces nothing makes none.\n"
        "            Standard error names the backup.\n"
        "  --restore BACKUP  put the files of a backup back into the folder they came from,\n"
        "            all or nothing, after checking them against the manifest; with the files\n"
        "            it replaces kept in a new backup beside BACKUP. On success one line:\n"
        "  restored 2 files to FOLDER from BACKUP: ltn0.pgf ltn4.pgf\n"
        "  --report-json FILE  with any command, also write what the run did into FILE as\n"
        "            JSON, for programs: the files written with their bytes, glyphs and the\n"
        "            characters left out, the backups made, the notes, the errors and the\n"
        "            outcome (\"done\", \"failed\" or \"wrong arguments\").\n"
        "A run first undoes a set into its folder that ended before it was done (killed,\n"
        "power lost) and removes the hidden files such a run left. Without room for what it\n"
        "writes (and keeps), a run is refused before it creates any file.\n"
        "\n"
        "--render draws TEXT with its shadows from a PGF file into a PNG image.\n"
        "  --background RRGGBB  the colour to draw on, as 6 hex digits (default 34548C)\n"
        "Exit codes: 0 success, 1 conversion failed, 2 wrong arguments.\n";
    return text;
}

} // namespace korven::converter
