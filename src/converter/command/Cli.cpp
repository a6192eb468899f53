#include "converter/command/Cli.h"

#include "converter/command/Account.h"
#include "converter/command/Arguments.h"
#include "converter/command/Faces.h"
#include "converter/command/Files.h"
#include "converter/command/Png.h"
#include "converter/command/Replace.h"
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

#include <algorithm>
#include <filesystem>
#include <streambuf>

namespace korven::converter {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

int convert(const ConvertCommand& c, std::ostream& out, std::ostream& err, RunAccount* account) {
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
    Backup backup;
    try {
        const FolderWriteLock lock = claimFolder(folderOf(c.outputPath), err);
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
        backup = replaceFiles({{c.outputPath, pgf}}, c.backupDir);
    } catch (const FileError& e) {
        err << kProgram << e.what() << '\n';
        return kExitFailed;
    } catch (const ConversionError& e) {
        reportConversionError(e, c.fontPath, err);
        return kExitFailed;
    }
    reportNotes(result, c.pixelsPerEm, c.fontPath, err);
    reportBackup(backup, err);
    if (settings.fit)
        reportFit(result, *settings.fit, c.pixelsPerEm, pgf.size(), c.outputPath, err);
    reportWritten(result, pgf.size(), c.outputPath, out);
    if (account) {
        account->files.push_back({c.outputPath, pgf.size(),
                                  static_cast<int>(result.font.glyphs.size()),
                                  leftOutCharacters(result)});
        if (!backup.path.empty())
            account->backups.push_back(backup);
    }
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

int restore(const RestoreCommand& c, std::ostream& out, std::ostream& err, RunAccount* account) {
    Backup backup, kept;
    try {
        backup = readBackup(c.backupPath);
        const std::vector<std::vector<std::uint8_t>> contents = readBackupFiles(backup);
        std::error_code error;
        if (!std::filesystem::is_directory(backup.folder, error))
            throw FileError("cannot restore \"" + c.backupPath + "\": the folder \"" +
                            backup.folder + "\" it came from does not exist");
        const FolderWriteLock lock = claimFolder(backup.folder, err);
        std::vector<FileContents> files;
        for (std::size_t i = 0; i < contents.size(); ++i)
            files.push_back({backup.folder + "/" + backup.files[i].name, contents[i]});
        const std::filesystem::path root = std::filesystem::path(c.backupPath).parent_path();
        kept = replaceFiles(files, root.empty() ? "." : root.string());
    } catch (const FileError& e) {
        err << kProgram << e.what() << '\n';
        err << kProgram << "nothing was restored\n";
        return kExitFailed;
    }
    reportBackup(kept, err);
    if (account) {
        for (const BackupFile& f : backup.files)
            account->files.push_back({backup.folder + "/" + f.name, f.size});
        if (!kept.path.empty())
            account->backups.push_back(kept);
    }
    out << "restored "
        << (backup.files.size() == 1 ? "1 file" : std::to_string(backup.files.size()) + " files")
        << " to " << backup.folder << " from " << c.backupPath << ":";
    for (const BackupFile& f : backup.files)
        out << ' ' << f.name;
    out << '\n';
    return kExitOk;
}

// Passes everything on to `to` and keeps a copy, so that the account can hold the notes as
// they were printed.
class CopyingBuffer : public std::streambuf {
public:
    explicit CopyingBuffer(std::ostream& to) : to_(to) {}
    const std::string& copy() const { return copy_; }

protected:
    int overflow(int c) override {
        if (c != traits_type::eof()) {
            copy_ += static_cast<char>(c);
            to_.put(static_cast<char>(c));
        }
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        copy_.append(s, static_cast<std::size_t>(n));
        to_.write(s, n);
        return n;
    }

private:
    std::ostream& to_;
    std::string copy_;
};

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        RunAccount* account) {
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
    if (const auto* r = std::get_if<RenderCommand>(&parsed)) {
        if (account)
            account->command = "render";
        return render(*r, out, err);
    }
    if (const auto* s = std::get_if<SetCommand>(&parsed)) {
        if (account)
            account->command = "set";
        return writeSystemFontSet(*s, out, err, account);
    }
    if (const auto* r = std::get_if<RestoreCommand>(&parsed)) {
        if (account)
            account->command = "restore";
        return restore(*r, out, err, account);
    }
    if (account)
        account->command = "convert";
    return convert(std::get<ConvertCommand>(parsed), out, err, account);
}

} // namespace

int runTtf2pgf(const std::vector<std::string>& given, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = given;
    const auto option = std::find(args.begin(), args.end(), "--report-json");
    if (option == args.end())
        return run(args, out, err, nullptr);
    if (option + 1 == args.end() || (option + 1)->empty() || (option + 1)->rfind("--", 0) == 0) {
        err << kProgram
            << "--report-json expects the file to write the account to (see ttf2pgf "
               "--help)\n";
        return kExitUsage;
    }
    const std::string accountPath = *(option + 1);
    args.erase(option, option + 2);
    if (std::find(args.begin(), args.end(), "--report-json") != args.end()) {
        err << kProgram << "--report-json may be given once\n";
        return kExitUsage;
    }
    RunAccount account;
    CopyingBuffer copying(err);
    std::ostream errCopy(&copying);
    account.exitCode = run(args, out, errCopy, &account);
    addErrorOutput(account, copying.copy());
    const std::string json = accountJson(account);
    try {
        writeFileAtomically(accountPath,
                            {reinterpret_cast<const std::uint8_t*>(json.data()), json.size()});
    } catch (const FileError& e) {
        // The files are as the exit code says; only the account is missing.
        err << kProgram << e.what() << '\n';
    }
    return account.exitCode;
}

} // namespace korven::converter
