#include "converter/core/SystemFontSlots.h"

#include "converter/rules/Ranges.h"

#include <algorithm>

namespace korven::converter {

namespace {

constexpr std::array<SystemFontSlot, 16> makeSlots() {
    constexpr SlotStyle kStyles[] = {SlotStyle::Regular, SlotStyle::Italic, SlotStyle::Bold,
                                     SlotStyle::BoldItalic};
    std::array<SystemFontSlot, 16> slots{};
    for (int n = 0; n < 16; ++n)
        slots[static_cast<std::size_t>(n)] = {
            n, n % 2 == 0 ? SlotFamily::SansSerif : SlotFamily::Serif, kStyles[(n % 8) / 2],
            n >= 8};
    return slots;
}

constexpr std::array<SystemFontSlot, 16> kSlots = makeSlots();

constexpr std::array<ScriptFontSlot, 2> kScriptSlots{{
    {"jpn0.pgf", "Japanese", "japanese"},
    {"kr0.pgf", "Korean", "korean"},
}};

// The small fonts are 7 pt where the others are 10.125 pt = 81/8 pt.
constexpr int smallSize(int size) {
    return (2 * size * 7 * 8 + 81) / (2 * 81);
}
static_assert(smallSize(18) == 12 && smallSize(22) == 15 && smallSize(6) == 4);

std::string slotFamilyName(SlotFamily family) {
    return family == SlotFamily::SansSerif ? "sans-serif" : "serif";
}

std::string slotStyleName(SlotStyle style) {
    switch (style) {
    case SlotStyle::Regular:
        return "regular";
    case SlotStyle::Italic:
        return "italic";
    case SlotStyle::Bold:
        return "bold";
    case SlotStyle::BoldItalic:
        return "bold italic";
    }
    return {};
}

} // namespace

const std::array<SystemFontSlot, 16>& systemFontSlots() {
    return kSlots;
}

const std::array<ScriptFontSlot, 2>& scriptFontSlots() {
    return kScriptSlots;
}

std::string slotFileName(int number) {
    return "ltn" + std::to_string(number) + ".pgf";
}

int slotPixelSize(int size, bool small) {
    return small ? std::max(kMinPixelSize, smallSize(size)) : size;
}

std::string slotKind(const SystemFontSlot& slot) {
    return slotFamilyName(slot.family) + ", " + slotStyleName(slot.style);
}

std::string slotDescription(const SystemFontSlot& slot, int size) {
    return slotFileName(slot.number) + ": " + slotKind(slot) + ", " +
           std::to_string(slotPixelSize(size, slot.small)) + " px";
}

} // namespace korven::converter
