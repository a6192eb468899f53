#include "converter/command/Cli.h"

#include "converter/command/Arguments.h"
#include "converter/command/Files.h"
#include "converter/command/Png.h"
#include "converter/core/CharacterSet.h"
#include "converter/core/Converter.h"
#include "converter/core/Errors.h"
#include "converter/core/PgfReader.h"
#include "converter/core/PgfWriter.h"
#include "converter/core/TextRender.h"
#include "korven/Version.h"

#include <cstdio>

namespace korven::converter {

namespace {

constexpr const char* kProgram = "ttf2pgf: ";

std::string fileName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos || slash + 1 == path.size() ? path : path.substr(slash + 1);
}

std::string characters(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " character" : " characters");
}

std::string codePointList(const std::vector<char32_t>& codePoints) {
    std::string list;
    for (char32_t c : codePoints)
        list += (list.empty() ? "" : " ") + codePointName(c);
    return list;
}

std::string pixels(std::int32_t value26_6) {
    char text[32];
    std::snprintf(text, sizeof text, value26_6 % 64 == 0 ? "%.0f" : "%.2f", value26_6 / 64.0);
    return text;
}

int convert(const ConvertCommand& c, std::ostream& out, std::ostream& err) {
    std::vector<std::uint8_t> pgf;
    ConversionResult result;
    try {
        // The bytes stay the only copy of the font: FreeType reads them where they are.
        const std::vector<std::uint8_t> fontBytes = readWholeFile(c.fontPath);
        result = convertFont(fontBytes, {c.pixelsPerEm, c.shadowRadius, c.allowMissing});
        pgf = writePgf(result.font);
        writeFileAtomically(c.outputPath, pgf);
    } catch (const FileError& e) {
        err << kProgram << e.what() << '\n';
        return kExitFailed;
    } catch (const ConversionError& e) {
        if (e.speaksOfTheFont())
            err << kProgram << e.naming(fileName(c.fontPath)) << '\n';
        else
            err << kProgram << "cannot convert \"" << c.fontPath << "\": " << e.what() << '\n';
        return kExitFailed;
    }
    if (result.cappedLineHeight > 0)
        err << kProgram << "note: at size " << c.pixelsPerEm << " the line height of \""
            << fileName(c.fontPath) << "\" is " << pixels(result.cappedLineHeight)
            << " pixels; it is stored as 31 so that the handheld accepts it, the letters are "
               "unchanged\n";
    if (!result.skipped.empty())
        err << kProgram << "note: left out " << characters(result.skipped.size())
            << " too large for the format: " << codePointList(result.skipped) << '\n';
    // The one line the program's window reads: keep its form as documented in usageText.
    out << "wrote " << c.outputPath << ": " << result.font.glyphs.size() << " glyphs, "
        << pgf.size() << " bytes";
    if (!result.skipped.empty())
        out << "; left out " << characters(result.skipped.size()) << ": "
            << codePointList(result.skipped);
    out << '\n';
    return kExitOk;
}

// Names the characters of the text that the file does not hold, so that underscores in the
// picture are not taken for the font's own drawing.
void noteCharactersNotHeld(const PgfFile& font, const std::u32string& text, const std::string& path,
                           std::ostream& err) {
    const std::u32string missing = charactersNotHeld(font, text);
    if (missing.empty())
        return;
    err << kProgram << "note: \"" << fileName(path) << "\" does not hold "
        << characters(missing.size())
        << " of the text: " << codePointList({missing.begin(), missing.end()})
        << "; the handheld shows "
        << (font.glyphIndex(kUnderscore) ? "them as \"_\"" : "nothing for them") << '\n';
}

int render(const RenderCommand& c, std::ostream& out, std::ostream& err) {
    try {
        const PgfFile font = PgfFile::parse(readWholeFile(c.pgfPath));
        const std::u32string text = decodeUtf8(c.text);
        writeFileAtomically(c.pngPath, encodePng(renderText(font, text, c.background)));
        noteCharactersNotHeld(font, text, c.pgfPath, err);
    } catch (const FileError& e) {
        err << kProgram << e.what() << '\n';
        return kExitFailed;
    } catch (const PgfFormatError& e) {
        err << kProgram << "cannot read \"" << c.pgfPath << "\": " << e.what() << '\n';
        return kExitFailed;
    } catch (const std::runtime_error& e) {
        err << kProgram << "cannot draw the text: " << e.what() << '\n';
        return kExitFailed;
    }
    out << "wrote " << c.pngPath << '\n';
    return kExitOk;
}

} // namespace

int runTtf2pgf(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedArguments parsed = parseArguments(args);
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        err << kProgram << usage->message << '\n';
        return kExitUsage;
    }
    if (std::holds_alternative<HelpCommand>(parsed)) {
        out << usageText();
        return kExitOk;
    }
    if (std::holds_alternative<VersionCommand>(parsed)) {
        out << "ttf2pgf " << KORVEN_VERSION << '\n';
        return kExitOk;
    }
    if (const auto* r = std::get_if<RenderCommand>(&parsed))
        return render(*r, out, err);
    return convert(std::get<ConvertCommand>(parsed), out, err);
}

} // namespace korven::converter
