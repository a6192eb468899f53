#include "converter/command/Cli.h"

#include "converter/command/Arguments.h"
#include "converter/command/Faces.h"
#include "converter/command/Files.h"
#include "converter/command/Png.h"
#include "converter/command/Report.h"
#include "converter/command/SystemFontSet.h"
#include "converter/core/CharacterSet.h"
#include "converter/core/Converter.h"
#include "converter/core/Errors.h"
#include "converter/core/PgfReader.h"
#include "converter/core/PgfWriter.h"
#include "converter/core/TextRender.h"
#include "converter/family/SetPlan.h"
#include "korven/Version.h"

namespace korven::converter {

namespace {

int convert(const ConvertCommand& c, std::ostream& out, std::ostream& err) {
    // Only --face or a script's characters make a face choice: other conversions take face 0
    // without asking fontconfig, as they always have.
    int faceIndex = 0;
    if (c.faceIndex || !c.language.empty()) {
        const std::optional<int> face = takeFace(c.fontPath, c.faceIndex, c.language, err);
        if (!face)
            return kExitUsage;
        faceIndex = *face;
    }
    std::vector<std::uint8_t> pgf;
    ConversionResult result;
    ConversionSettings settings;
    try {
        // The bytes stay the only copy of the font: FreeType reads them where they are.
        const std::vector<std::uint8_t> fontBytes = readWholeFile(c.fontPath);
        settings.pixelsPerEm = c.pixelsPerEm;
        settings.shadowRadius = c.shadowRadius;
        settings.allowMissing = c.allowMissing;
        settings.extraCharacters = c.extraCharacters;
        if (!c.likePath.empty())
            settings.fit = readReferenceTarget(c.likePath);
        else if (c.fit)
            settings.fit = fitTargetOf(handheldFontForFile(c.outputPath));
        settings.faceIndex = faceIndex;
        result = convertFont(fontBytes, settings);
        pgf = writePgf(result.font);
        writeFileAtomically(c.outputPath, pgf);
    } catch (const FileError& e) {
        err << kProgram << e.what() << '\n';
        return kExitFailed;
    } catch (const ConversionError& e) {
        reportConversionError(e, c.fontPath, err);
        return kExitFailed;
    }
    reportNotes(result, c.pixelsPerEm, c.fontPath, err);
    if (settings.fit)
        reportFit(result, *settings.fit, c.pixelsPerEm, pgf.size(), c.outputPath, err);
    reportWritten(result, pgf.size(), c.outputPath, out);
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
    if (const auto* s = std::get_if<SetCommand>(&parsed))
        return writeSystemFontSet(*s, out, err);
    return convert(std::get<ConvertCommand>(parsed), out, err);
}

} // namespace korven::converter
