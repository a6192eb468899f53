#include "converter/family/ScriptFonts.h"

#include "converter/core/CharacterSets.h"
#include "converter/core/PgfWriter.h"

#include <algorithm>
#include <string>
#include <thread>

namespace korven::converter {

ScriptPlanEntry planScriptFont(const ScriptFontSlot& slot, const FaceFile& face, int size,
                               double shadowRadius, const std::vector<char32_t>& extraCharacters) {
    ScriptPlanEntry entry{slot, face, {}};
    entry.settings.pixelsPerEm = slotPixelSize(size, slot.small);
    entry.settings.shadowRadius = shadowRadius;
    entry.settings.faceIndex = face.index;
    const std::vector<char32_t> script = extraCharactersOf({std::string(slot.characterSet)});
    std::set_union(script.begin(), script.end(), extraCharacters.begin(), extraCharacters.end(),
                   std::back_inserter(entry.settings.extraCharacters));
    return entry;
}

std::vector<SlotOutcome> convertScriptFonts(std::span<const ScriptPlanEntry> entries,
                                            const FontFiles& fonts) {
    std::vector<SlotOutcome> outcomes(entries.size());
    auto convert = [&](std::size_t n) {
        const ScriptPlanEntry& entry = entries[n];
        SlotOutcome& outcome = outcomes[n];
        try {
            outcome.result = convertFont(fonts.find(entry.face.path)->second, entry.settings);
            outcome.bytes = writePgf(outcome.result.font);
        } catch (const ConversionError& e) {
            outcome.error = e;
        } catch (const std::exception& e) { // out of memory: nothing may leave a thread
            outcome.error = ConversionError(e.what());
        }
    };
    {
        // Each conversion has its own FreeType instance; the font bytes are only read. The
        // helpers are joined at the end of this block.
        std::vector<std::jthread> helpers;
        for (std::size_t n = 1; n < entries.size(); ++n)
            helpers.emplace_back(convert, n);
        if (!entries.empty())
            convert(0);
    }
    return outcomes;
}

} // namespace korven::converter
