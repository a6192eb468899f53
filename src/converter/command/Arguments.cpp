#include "converter/command/Arguments.h"

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
        if (!args.empty() && (args[0] == "--render" || isHelp(args[0]) || isVersion(args[0])))
            return UsageError{"--allow-missing goes with a conversion only (see ttf2pgf --help)"};
    }
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
    if (!args.empty() && args[0].rfind("--", 0) == 0)
        return UsageError{"unknown option " + quoted(args[0]) + " (see ttf2pgf --help)"};
    if (args.size() != 4)
        return countError(args.size());
    if (args[0].empty())
        return UsageError{"FONT must name a font file, got an empty argument"};
    if (args[1].empty())
        return UsageError{"OUTPUT must name the file to write, got an empty argument"};
    const int size = parsePixelSize(args[2]);
    if (size < 0)
        return UsageError{"SIZE must be a whole number from " + pixelSizeRangeText() +
                          " (pixels per em), got " + quoted(args[2])};
    const double radius = parseShadowRadius(args[3]);
    if (radius < 0)
        return UsageError{"iSHADOW must be the letter i and a number from 1 to 4.0 (shadow "
                          "radius in pixels, e.g. i2), got " +
                          quoted(args[3])};
    return ConvertCommand{args[0], args[1], size, radius, allowMissing};
}

std::string usageText() {
    return "Usage: ttf2pgf [--allow-missing] FONT OUTPUT SIZE iSHADOW\n"
           "       ttf2pgf --render FILE.pgf TEXT OUT.png [--background RRGGBB]\n"
           "       ttf2pgf -h | --help | -v | --version\n"
           "\n"
           "Converts a TrueType or OpenType font into a PGF system font for the handheld.\n"
           "  FONT     the font to convert (a collection gives its first face)\n"
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
           "On success one line goes to standard output, in this form (the part from \";\" on\n"
           "only when characters were left out because they are too large for the format):\n"
           "  wrote OUTPUT: 339 glyphs, 62624 bytes; left out 2 characters: U+2030 U+20AC\n"
           "Notes (e.g. a line height capped for the handheld) and errors go to standard error.\n"
           "\n"
           "--render draws TEXT with its shadows from a PGF file into a PNG image.\n"
           "  --background RRGGBB  the colour to draw on, as 6 hex digits (default 34548C)\n"
           "Exit codes: 0 success, 1 conversion failed, 2 wrong arguments.\n";
}

} // namespace korven::converter
