#pragma once

#include "converter/core/TextRender.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace korven::converter {

inline constexpr int kMinPixelSize = 6;
inline constexpr int kMaxPixelSize = 22;
inline constexpr double kMinShadowRadius = 1.0;
inline constexpr double kMaxShadowRadius = 4.0;

struct ConvertCommand {
    std::string fontPath;
    std::string outputPath;
    int pixelsPerEm = 0;
    double shadowRadius = 0;
    bool allowMissing = false; // --allow-missing: write fonts that lack letters or digits
    std::vector<char32_t> extraCharacters{}; // --characters SETS, beyond the Latin set
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

using ParsedArguments =
    std::variant<ConvertCommand, RenderCommand, HelpCommand, VersionCommand, UsageError>;

// Reads the arguments after the program name:
//   [--allow-missing] FONT OUTPUT SIZE iSHADOW |
//   --render FILE.pgf TEXT OUT.png [--background RRGGBB] | --help | --version
ParsedArguments parseArguments(const std::vector<std::string>& args);

// Whole number from 6 to 22, digits only; -1 when the text is anything else.
int parsePixelSize(const std::string& text);
// "i" followed by a decimal number from 1 to 4 (digits, optionally a point and more digits);
// a negative value when the text is anything else.
double parseShadowRadius(const std::string& text);
// Exactly six hex digits, red green blue; nothing when the text is anything else.
std::optional<Rgb> parseColour(const std::string& text);

std::string usageText();

} // namespace korven::converter
