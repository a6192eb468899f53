#include "converter/command/SystemFontSet.h"

#include "converter/command/Cli.h"
#include "converter/command/Files.h"
#include "converter/command/Replace.h"
#include "converter/command/Report.h"
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
            err << " face " << e.face.index;
        err << synthesisWords(e.settings.synthesis) << '\n';
    }
}

std::string familyOrFile(const std::string& family, const std::string& path) {
    return family.empty() ? fileName(path) : family;
}

int failed(const std::string& why, std::ostream& err) {
    err << kProgram << why << '\n';
    return kExitFailed;
}

} // namespace

int writeSystemFontSet(const SetCommand& c, std::ostream& out, std::ostream& err,
                       RunAccount* account) {
    try {
        tidyFolder(c.outputFolder, err);
    } catch (const FileError& error) {
        return failed(error.what(), err);
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
        try {
            fitSetPlan(plan, c.likeFolder);
        } catch (const FileError& error) {
            err << kProgram << error.what() << '\n';
            return failed(nothingWritten, err);
        }
    }
    reportPlan(plan, c.pixelsPerEm, err);

    FontFiles fonts;
    for (const SetPlanEntry& e : plan.entries) {
        if (fonts.contains(e.face.path))
            continue;
        try {
            fonts.emplace(e.face.path, readWholeFile(e.face.path));
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
    out << "wrote 16 files to " << c.outputFolder << ": sans-serif "
        << familyOrFile(plan.sansFamily, c.fontPath) << ", serif "
        << familyOrFile(plan.serifFamily, c.serifFontPath.empty() ? c.fontPath : c.serifFontPath);
    if (!synthesized.empty())
        out << "; made by synthesis:" << synthesized;
    out << '\n';
    return kExitOk;
}

} // namespace korven::converter
