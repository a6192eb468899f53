#include "converter/family/SetPlan.h"

#include "converter/core/Errors.h"
#include "converter/core/PgfReader.h"
#include "converter/core/PgfWriter.h"
#include "converter/rules/FontFile.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>

namespace korven::converter {

namespace {

// The face a style is drawn from and what synthesis makes of it.
std::pair<FaceFile, FaceSynthesis> faceForStyle(const FamilyFaces& family, SlotStyle style) {
    if (const auto& own = family[style])
        return {*own, {}};
    const FaceFile& regular = *family[SlotStyle::Regular];
    switch (style) {
    case SlotStyle::Italic:
        return {regular, {false, true}};
    case SlotStyle::Bold:
        return {regular, {true, false}};
    case SlotStyle::BoldItalic:
        if (const auto& bold = family[SlotStyle::Bold])
            return {*bold, {false, true}};
        if (const auto& italic = family[SlotStyle::Italic])
            return {*italic, {true, false}};
        return {regular, {true, true}};
    case SlotStyle::Regular:
        break;
    }
    return {regular, {}};
}

} // namespace

SetPlan planSystemFontSet(const FamilyFaces& sans, const FamilyFaces& serif, int size,
                          double shadowRadius, const std::vector<char32_t>& extraCharacters) {
    SetPlan plan;
    plan.sansFamily = sans.familyName;
    plan.serifFamily = serif.familyName;
    for (const SystemFontSlot& slot : systemFontSlots()) {
        const FamilyFaces& family = slot.family == SlotFamily::SansSerif ? sans : serif;
        SetPlanEntry& entry = plan.entries[static_cast<std::size_t>(slot.number)];
        entry.slot = slot;
        entry.familyName = family.familyName;
        const auto [face, synthesis] = faceForStyle(family, slot.style);
        entry.face = face;
        entry.settings.pixelsPerEm = slotPixelSize(size, slot.small);
        entry.settings.shadowRadius = shadowRadius;
        entry.settings.faceIndex = face.index;
        entry.settings.synthesis = synthesis;
        entry.settings.extraCharacters = extraCharacters;
    }
    return plan;
}

FitTarget readReferenceTarget(const std::string& path) {
    std::vector<std::uint8_t> bytes = readWholeFile(path);
    const std::string refused = "cannot use \"" + path + "\" as a reference: ";
    try {
        const PgfFile reference = PgfFile::parse(std::move(bytes));
        const PgfHeader& h = reference.header();
        if (reference.glyphCount() == 0 || h.maxGlyphWidth <= 0 || h.maxGlyphHeight <= 0 ||
            h.maxAscender <= 0 || h.maxAdvanceH <= 0)
            throw FileError(refused + "it holds no glyphs to take measures from");
        const std::size_t slash = path.find_last_of('/');
        return fitTargetOf(reference,
                           "\"" + (slash == std::string::npos ? path : path.substr(slash + 1)) +
                               "\"'s");
    } catch (const PgfFormatError& e) {
        throw FileError(refused + "it is not a PGF font file (" + e.what() + ")");
    }
}

FitTarget fitTargetFor(const std::string& fileName, const std::string& referenceFolder) {
    const std::filesystem::path reference = std::filesystem::path(referenceFolder) / fileName;
    std::error_code error;
    return !referenceFolder.empty() && std::filesystem::exists(reference, error)
               ? readReferenceTarget(reference.string())
               : fitTargetOf(handheldFontForFile(fileName));
}

void fitSetPlan(SetPlan& plan, const std::string& referenceFolder) {
    for (SetPlanEntry& entry : plan.entries)
        entry.settings.fit = fitTargetFor(slotFileName(entry.slot.number), referenceFolder);
}

ConversionResult convertSlotFont(const SetPlanEntry& entry,
                                 std::span<const std::uint8_t> fontBytes) {
    return convertFont(fontBytes, entry.settings);
}

std::array<SlotOutcome, 16> convertSystemFontSet(const SetPlan& plan, const FontFiles& fonts) {
    // Slots made the same way give the same file; each is converted once. Without --serif the
    // serif slots are the sans-serif ones again, so this halves the work.
    std::array<std::size_t, 16> sameAs{};
    std::vector<std::size_t> distinct;
    for (std::size_t n = 0; n < 16; ++n) {
        const SetPlanEntry& e = plan.entries[n];
        sameAs[n] = n;
        for (std::size_t m : distinct)
            if (plan.entries[m].face == e.face && plan.entries[m].settings == e.settings) {
                sameAs[n] = m;
                break;
            }
        if (sameAs[n] == n)
            distinct.push_back(n);
    }

    std::array<SlotOutcome, 16> outcomes;
    std::atomic<std::size_t> next{0};
    std::atomic<bool> refused{false};
    // Slots are taken in order, so every slot below a refused one has been started.
    auto work = [&] {
        for (std::size_t i = next++; i < distinct.size() && !refused; i = next++) {
            const SetPlanEntry& entry = plan.entries[distinct[i]];
            SlotOutcome& outcome = outcomes[distinct[i]];
            try {
                outcome.result = convertSlotFont(entry, fonts.find(entry.face.path)->second);
                outcome.bytes = writePgf(outcome.result.font);
            } catch (const ConversionError& e) {
                outcome.error = e;
                refused = true;
            } catch (const std::exception& e) { // out of memory: nothing may leave a thread
                outcome.error = ConversionError(e.what());
                refused = true;
            }
        }
    };
    {
        // Each conversion has its own FreeType instance, so they share nothing but the font
        // bytes, which are only read. The helpers are joined at the end of this block.
        const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 2u, 4u);
        std::vector<std::jthread> helpers;
        for (unsigned i = 1; i < threads; ++i)
            helpers.emplace_back(work);
        work();
    }
    for (std::size_t n = 0; n < 16; ++n)
        if (sameAs[n] != n)
            outcomes[n] = outcomes[sameAs[n]];
    return outcomes;
}

std::vector<std::uint8_t> convertSlot(const SetPlanEntry& entry) {
    return writePgf(convertSlotFont(entry, readWholeFile(entry.face.path)).font);
}

} // namespace korven::converter
