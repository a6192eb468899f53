#include "converter/command/SystemFontSet.h"

#include "converter/command/Cli.h"
#include "converter/command/Faces.h"
#include "converter/command/Files.h"
#include "converter/command/Replace.h"
#include "converter/command/Report.h"
#include "converter/core/CharacterSets.h"
#include "converter/core/FreeType.h"
#include "converter/family/ScriptFonts.h"
#include "converter/family/SetPlan.h"

#include <filesystem>

namespace korven::converter {

namespace {

std::string inFolder(const std::string& folder, const std::string& name) {
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string synthesisWords(FaceSynthesis s) {
    return s.embolden && s.slant ? ", emboldened and slanted by synthesis"
           : s.embolden          ? ", emboldened by synthesis"
           : s.slant             ? ", slanted by synthesis"
                                 : "";
}

// "ltn6.pgf (sans-serif, bold italic, 18 px)"
std::string slotWords(const SetPlanEntry& e, int size) {
    return slotFileName(e.slot.number) + " (" + slotKind(e.slot) + ", " +
           std::to_string(slotPixelSize(size, e.slot.small)) + " px)";
}

// Which file fills which slot, for the user to check before trusting the set.
void reportPlan(const SetPlan& plan, int size, std::ostream& err) {
    for (const SetPlanEntry& e : plan.entries) {
        err << kProgram << "note: " << slotWords(e, size) << " from \"" << e.face.path << '"';
        if (e.face.index != 0)
            err << ", " << faceWords(e.face, e.familyName);
        err << synthesisWords(e.settings.synthesis) << '\n';
    }
}

std::string familyOrFile(const std::string& family, const std::string& path) {
    return family.empty() ? fileName(path) : family;
}

// --japanese's font for jpn0.pgf, --korean's for kr0.pgf; empty when not asked for.
const std::string& scriptFontPath(const SetCommand& c, const ScriptFontSlot& slot) {
    return slot.fileName == "jpn0.pgf" ? c.japaneseFontPath : c.koreanFontPath;
}

// A script's file of the set as it is planned, with its face's family for the summary.
struct ScriptFile {
    ScriptPlanEntry entry;
    std::string familyName;
};

// jpn0.pgf and kr0.pgf when asked for, each from its font's face for the script's language;
// with a note on the face taken.
std::vector<ScriptFile> planScriptFiles(const SetCommand& c, std::ostream& err) {
    std::vector<ScriptFile> files;
    for (const ScriptFontSlot& slot : scriptFontSlots()) {
        const std::string& path = scriptFontPath(c, slot);
        if (path.empty())
            continue;
        const NamedCharacterSet* set = namedCharacterSet(slot.characterSet);
        const std::string_view language = set ? set->language : std::string_view{};
        const FaceChoice choice = chooseFace(path, std::nullopt, language);
        const FaceFile face{path, choice.index, {}};
        files.push_back(
            {planScriptFont(slot, face, c.pixelsPerEm, c.shadowRadius, c.extraCharacters),
             familyOrFile(choice.familyName, path)});
        const std::string words = faceWords(choice, language, false, false);
        err << kProgram << "note: " << slot.fileName << " (" << slot.title << ", "
            << files.back().entry.settings.pixelsPerEm << " px) from \"" << path << '"'
            << (words.empty() ? "" : ", " + words) << '\n';
    }
    return files;
}

int failed(const std::string& why, std::ostream& err) {
    err << kProgram << why << '\n';
    return kExitFailed;
}

} // namespace

int writeSystemFontSet(const SetCommand& c, std::ostream& out, std::ostream& err,
                       RunAccount* account) {
    // Held until the last file is written.
    FolderWriteLock lock;
    try {
        lock = claimFolder(c.outputFolder, err);
    } catch (const FileError& error) {
        return failed(error.what(), err);
    }
    // The fonts the user named are read and opened before anything is planned, so that a bad
    // one is said in its own line rather than after the notes of a plan that cannot be made.
    FontFiles fonts;
    for (const std::string& path :
         {c.fontPath, c.serifFontPath, c.japaneseFontPath, c.koreanFontPath}) {
        if (path.empty() || fonts.contains(path))
            continue;
        try {
            std::vector<std::uint8_t> bytes = readWholeFile(path);
            checkOpensAsFont(bytes);
            fonts.emplace(path, std::move(bytes));
        } catch (const FileError& error) {
            return failed(error.what(), err);
        } catch (const ConversionError& error) {
            reportConversionError(error, path, err);
            return kExitFailed;
        }
    }

    const FamilyFaces sans = findFamilyFaces(c.fontPath);
    const FamilyFaces serif = c.serifFontPath.empty() ? sans : findFamilyFaces(c.serifFontPath);
    SetPlan plan = planSystemFontSet(sans, serif, c.pixelsPerEm, c.shadowRadius, c.extraCharacters);
    const std::string nothingWritten =
        "no file of the set was written; \"" + c.outputFolder + "\" is as it was";
    if (c.fit || !c.likeFolder.empty()) {
        std::error_code error;
        if (!c.likeFolder.empty() && !std::filesystem::is_directory(c.likeFolder, error))
            return failed("cannot use \"" + c.likeFolder +
                              "\" as the folder of your own font files: it is not a folder",
                          err);
    }
    std::vector<ScriptFile> scripts;
    try {
        if (c.fit || !c.likeFolder.empty())
            fitSetPlan(plan, c.likeFolder);
        reportPlan(plan, c.pixelsPerEm, err);
        scripts = planScriptFiles(c, err);
        if (c.fit || !c.likeFolder.empty())
            for (ScriptFile& s : scripts)
                s.entry.settings.fit =
                    fitTargetFor(std::string(s.entry.slot.fileName), c.likeFolder);
    } catch (const FileError& error) {
        err << kProgram << error.what() << '\n';
        return failed(nothingWritten, err);
    }
    std::vector<ScriptPlanEntry> scriptEntries;
    for (const ScriptFile& s : scripts)
        scriptEntries.push_back(s.entry);

    std::vector<std::string> paths;
    for (const SetPlanEntry& e : plan.entries)
        paths.push_back(e.face.path);
    for (const ScriptPlanEntry& e : scriptEntries)
        paths.push_back(e.face.path);
    for (const std::string& path : paths) {
        if (fonts.contains(path))
            continue;
        try {
            fonts.emplace(path, readWholeFile(path));
        } catch (const FileError& error) {
            err << kProgram << error.what() << '\n';
            return failed(nothingWritten, err);
        }
    }

    const std::array<SlotOutcome, 16> outcomes = convertSystemFontSet(plan, fonts);
    std::vector<FileContents> files;
    for (const SetPlanEntry& e : plan.entries) {
        const SlotOutcome& outcome = outcomes[static_cast<std::size_t>(e.slot.number)];
        if (outcome.error) {
            reportConversionError(*outcome.error, e.face.path, err);
            return failed(slotWords(e, c.pixelsPerEm) + " was refused, so " + nothingWritten, err);
        }
        files.push_back({inFolder(c.outputFolder, slotFileName(e.slot.number)), outcome.bytes});
    }
    // The scripts' files only once the sixteen have all been made: a refused Latin file
    // leaves nothing for them to do.
    const std::vector<SlotOutcome> scriptOutcomes = convertScriptFonts(scriptEntries, fonts);
    for (std::size_t n = 0; n < scriptEntries.size(); ++n) {
        const ScriptPlanEntry& e = scriptEntries[n];
        if (const SlotOutcome& outcome = scriptOutcomes[n]; outcome.error) {
            reportConversionError(*outcome.error, e.face.path, err);
            return failed(std::string(e.slot.fileName) + " (" + std::string(e.slot.title) + ", " +
                              std::to_string(e.settings.pixelsPerEm) + " px) was refused, so " +
                              nothingWritten,
                          err);
        }
        files.push_back(
            {inFolder(c.outputFolder, std::string(e.slot.fileName)), scriptOutcomes[n].bytes});
    }
    Backup backup;
    try {
        backup = replaceFiles(files, c.backupDir);
    } catch (const NoRoomError& error) {
        // One line, as for a single file: nothing was made, so nothing needs putting back.
        return failed(std::string(error.what()) + "; no file of the set was written", err);
    } catch (const FileError& error) {
        err << kProgram << error.what() << '\n';
        return failed(nothingWritten, err);
    }
    reportBackup(backup, err);
    if (account && !backup.path.empty())
        account->backups.push_back(backup);

    std::string synthesized;
    for (const SetPlanEntry& e : plan.entries) {
        const SlotOutcome& outcome = outcomes[static_cast<std::size_t>(e.slot.number)];
        reportNotes(outcome.result, e.settings.pixelsPerEm, e.face.path, err);
        if (e.settings.fit)
            reportFit(outcome.result, *e.settings.fit, e.settings.pixelsPerEm, outcome.bytes.size(),
                      files[static_cast<std::size_t>(e.slot.number)].path, err);
        reportWritten(outcome.result, outcome.bytes.size(),
                      files[static_cast<std::size_t>(e.slot.number)].path, out);
        if (account)
            account->files.push_back({files[static_cast<std::size_t>(e.slot.number)].path,
                                      outcome.bytes.size(),
                                      static_cast<int>(outcome.result.font.glyphs.size()),
                                      leftOutCharacters(outcome.result)});
        if (e.synthesized()) {
            synthesized += " ltn" + std::to_string(e.slot.number);
            if (account)
                account->synthesized.push_back("ltn" + std::to_string(e.slot.number));
        }
    }
    if (account) {
        account->sansFamily = familyOrFile(plan.sansFamily, c.fontPath);
        account->serifFamily =
            familyOrFile(plan.serifFamily, c.serifFontPath.empty() ? c.fontPath : c.serifFontPath);
    }
    for (std::size_t n = 0; n < scripts.size(); ++n) {
        const ScriptPlanEntry& e = scripts[n].entry;
        reportNotes(scriptOutcomes[n].result, e.settings.pixelsPerEm, e.face.path, err);
        if (e.settings.fit)
            reportFit(scriptOutcomes[n].result, *e.settings.fit, e.settings.pixelsPerEm,
                      scriptOutcomes[n].bytes.size(), files[16 + n].path, err);
        reportWritten(scriptOutcomes[n].result, scriptOutcomes[n].bytes.size(), files[16 + n].path,
                      out);
        if (account)
            account->files.push_back({files[16 + n].path, scriptOutcomes[n].bytes.size(),
                                      static_cast<int>(scriptOutcomes[n].result.font.glyphs.size()),
                                      leftOutCharacters(scriptOutcomes[n].result)});
    }
    out << "wrote " << files.size() << " files to " << c.outputFolder << ": sans-serif "
        << familyOrFile(plan.sansFamily, c.fontPath) << ", serif "
        << familyOrFile(plan.serifFamily, c.serifFontPath.empty() ? c.fontPath : c.serifFontPath);
    for (const ScriptFile& s : scripts)
        out << ", " << s.entry.slot.title << ' ' << s.familyName;
    if (!synthesized.empty())
        out << "; made by synthesis:" << synthesized;
    out << '\n';
    return kExitOk;
}

} // namespace korven::converter
