#pragma once

#include "converter/core/Converter.h"
#include "converter/core/Errors.h"
#include "converter/core/SystemFontSlots.h"
#include "converter/family/FontFamily.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korven::converter {

// How one of the sixteen files is made: which face, at which size, with which synthesis.
struct SetPlanEntry {
    SystemFontSlot slot;
    FaceFile face;
    std::string familyName;
    ConversionSettings settings;

    bool synthesized() const { return settings.synthesis != FaceSynthesis{}; }
};

struct SetPlan {
    std::string sansFamily;
    std::string serifFamily;
    std::array<SetPlanEntry, 16> entries;
};

// The sixteen files from two families (the same one twice when no serif is given): each slot
// takes its style's own face; a style the family lacks is made by FreeType's synthesis, a bold
// italic from the bold (slanted) or else the italic (emboldened), anything else from the
// regular. The small slots take slotPixelSize(size, true). Every file holds the extra
// characters too (see ConversionSettings::extraCharacters).
SetPlan planSystemFontSet(const FamilyFaces& sans, const FamilyFaces& serif, int size,
                          double shadowRadius, const std::vector<char32_t>& extraCharacters = {});

// The measures of the user's own PGF file at `path`, to fit a file to. Throws FileError, naming
// the file, when it cannot be read or is not a PGF font with glyphs.
FitTarget readReferenceTarget(const std::string& path);

// The target of the system font file named `fileName` ("ltn4.pgf", "jpn0.pgf"): the user's own
// file of that name in `referenceFolder` where there is one (see readReferenceTarget), else
// the handheld's own.
FitTarget fitTargetFor(const std::string& fileName, const std::string& referenceFolder);

// Fits every file of the plan: to the measures of the user's own file of its slot in
// `referenceFolder` where there is one (see readReferenceTarget), else to the handheld's own
// file of the slot. An empty folder name uses the handheld's for all.
void fitSetPlan(SetPlan& plan, const std::string& referenceFolder = {});

// The slot's file as convertFont gives it, from the bytes of entry.face.path. Throws
// ConversionError as a single conversion does.
ConversionResult convertSlotFont(const SetPlanEntry& entry,
                                 std::span<const std::uint8_t> fontBytes);

// One file of the set, converted: its result and bytes, or its own refusal.
struct SlotOutcome {
    ConversionResult result;
    std::vector<std::uint8_t> bytes;
    std::optional<ConversionError> error;
};

// The bytes of the font files a plan reads, by path.
using FontFiles = std::map<std::string, std::vector<std::uint8_t>, std::less<>>;

// Converts the sixteen files on a few threads, each file exactly as convertSlot makes it. Once a
// slot is refused, slots not yet started are left alone (no result, no error): a set with a
// refused slot is refused, and the refusal to report is that of the lowest-numbered slot with
// an error, which is always converted. Every face file of the plan must be in `fonts`.
std::array<SlotOutcome, 16> convertSystemFontSet(const SetPlan& plan, const FontFiles& fonts);

// The exact bytes of the slot's file, read from entry.face.path: what ttf2pgf --set writes.
// Throws FileError (converter/rules/FontFile.h) when the face's file cannot be read,
// ConversionError when it is refused.
std::vector<std::uint8_t> convertSlot(const SetPlanEntry& entry);

} // namespace korven::converter
