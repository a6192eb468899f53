#pragma once

#include <array>
#include <string>
#include <string_view>

namespace korven::converter {

// The handheld holds sixteen Latin system fonts, ltn0.pgf to ltn15.pgf, and hands each program
// the one whose family, style and size it asks for.
enum class SlotFamily { SansSerif, Serif };
enum class SlotStyle { Regular, Italic, Bold, BoldItalic };

struct SystemFontSlot {
    int number = 0; // the N of ltnN.pgf
    SlotFamily family = SlotFamily::SansSerif;
    SlotStyle style = SlotStyle::Regular;
    bool small = false; // 7 pt instead of 10.125 pt at 128 dpi
};

// The sixteen in file order: sans-serif and serif alternate through regular, italic, bold and
// bold italic, then the same eight once more at the small size.
const std::array<SystemFontSlot, 16>& systemFontSlots();

// "ltn4.pgf"
std::string slotFileName(int number);

// The em size in pixels of a slot for the chosen size: the chosen size itself, or for a small
// slot the same size scaled from 10.125 pt down to 7 pt, rounded half up (18 gives 12) and
// never below the smallest size the converter takes (6).
int slotPixelSize(int size, bool small);

// Beside the sixteen, the handheld holds one sans-serif font per script it draws natively:
// jpn0.pgf and kr0.pgf. Each is known by its file and the character set it holds.
struct ScriptFontSlot {
    std::string_view fileName;     // "jpn0.pgf"
    std::string_view title;        // "Japanese"
    std::string_view characterSet; // the --characters set it holds, "japanese"
    bool small = false;            // its em size as for a Latin slot: 10.125 pt, not 7 pt
};

// jpn0.pgf, then kr0.pgf.
const std::array<ScriptFontSlot, 2>& scriptFontSlots();

// The slot's family and style in words: "sans-serif, bold italic".
std::string slotKind(const SystemFontSlot& slot);

// The slot in words for lists and menus: "ltn4.pgf: sans-serif, bold, 18 px".
std::string slotDescription(const SystemFontSlot& slot, int size);

} // namespace korven::converter
