#pragma once

#include "converter/core/Converter.h"
#include "converter/core/SystemFontSlots.h"
#include "converter/family/FontFamily.h"
#include "converter/family/SetPlan.h"

#include <span>
#include <vector>

namespace korven::converter {

// How jpn0.pgf or kr0.pgf is made: from which face, with which settings.
struct ScriptPlanEntry {
    ScriptFontSlot slot;
    FaceFile face;
    ConversionSettings settings;
};

// The slot's file from `face` at the slot's size for `size`: its script's characters and the
// extra characters, which every file of a set holds.
ScriptPlanEntry planScriptFont(const ScriptFontSlot& slot, const FaceFile& face, int size,
                               double shadowRadius,
                               const std::vector<char32_t>& extraCharacters = {});

// Converts the files, each on a thread of its own when there are several (one font is as
// much work as the sixteen Latin ones together), each exactly as convertFont and writePgf make
// it. Every face file must be in `fonts`. By entry; each has its bytes or its refusal.
std::vector<SlotOutcome> convertScriptFonts(std::span<const ScriptPlanEntry> entries,
                                            const FontFiles& fonts);

} // namespace korven::converter
