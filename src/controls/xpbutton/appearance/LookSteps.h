#pragma once

// The notation the button's looks are written in. Each look variant is a list of steps run
// in order, each painting over what came before. Coordinates are written as in a drawing:
// a plain number, or W or H minus a number (W and H being the button's width and height),
// so a row reads {LINE, DarkShadow, 1, H - 1, W - 1, H - 1}.

#include "controls/xpbutton/appearance/ButtonState.h"

#include <array>
#include <span>

namespace korven::xpbutton::looks {

enum class Op : std::uint8_t {
    Fill,         // a, b, c, d = left, top, width, height
    Frame,        // a, b, c, d = left, top, width, height
    Line,         // (a, b) to (c, d), the second point not painted
    Pixel,        // (a, b)
    TextColour,   // the caption colour from now on
    Text,         // the caption in TextRect
    TextPressed,  // the caption in PressedTextRect
    Focus,        // the dotted focus rectangle on FocusRect, when focused
    BoldOn,       // the surface's font becomes bold
    BoldRestore,  // the surface's bold flag follows Font again
    Gradient,     // one line per row: a = red/green constant, b = blue constant, c = first row
    CaptionFrame, // a frame around the measured caption, when focused
};

inline constexpr Op FILL = Op::Fill;
inline constexpr Op FRAME = Op::Frame;
inline constexpr Op LINE = Op::Line;
inline constexpr Op PIXEL = Op::Pixel;
inline constexpr Op TEXTCOLOUR = Op::TextColour;
inline constexpr Op TEXT = Op::Text;
inline constexpr Op TEXT_PRESSED = Op::TextPressed;
inline constexpr Op FOCUS = Op::Focus;
inline constexpr Op BOLD_ON = Op::BoldOn;
inline constexpr Op BOLD_RESTORE = Op::BoldRestore;
inline constexpr Op GRADIENT = Op::Gradient;
inline constexpr Op CAPTION_FRAME = Op::CaptionFrame;

// A coordinate: offset, plus the button's extent when fromExtent is set. The first and
// third arguments of a step measure along the width, the second and fourth along the height.
struct Coord {
    bool fromExtent = false;
    std::int32_t offset = 0;
    constexpr Coord() = default;
    // Implicit on purpose: plain numbers read best in the step tables.
    constexpr Coord(int value) : offset(value) {}
    constexpr Coord(bool extent, std::int32_t off) : fromExtent(extent), offset(off) {}
};

inline constexpr Coord W{true, 0};
inline constexpr Coord H{true, 0};
constexpr Coord operator-(Coord c, int n) {
    return {c.fromExtent, c.offset - n};
}

// Which colour a step paints in.
enum class Source : std::uint8_t { None, Face, Light, Highlight, Shadow, DarkShadow, Fixed };

struct Ink {
    Source source = Source::None;
    bool shaded = false;    // OffsetColor(palette colour, offset), computed when the step runs
    std::int32_t value = 0; // the offset, or the fixed colour
};

inline constexpr Ink NoInk{};
inline constexpr Ink Face{Source::Face};
inline constexpr Ink Light{Source::Light};
inline constexpr Ink Highlight{Source::Highlight};
inline constexpr Ink Shadow{Source::Shadow};
inline constexpr Ink DarkShadow{Source::DarkShadow};
constexpr Ink Fixed(Colour c) {
    return {Source::Fixed, false, std::int32_t(c)};
}
constexpr Ink Shade(Ink base, std::int32_t offset) {
    return {base.source, true, offset};
}

struct Step {
    Op op;
    Ink ink = NoInk;
    Coord a{}, b{}, c{}, d{};
    bool onlyWhenFocused = false;
};

// A variant is up to five step lists run one after another, so shared runs of steps (the
// embossed caption, a border) are written once.
struct Variant {
    std::array<std::span<const Step>, 5> parts{};
};

struct Look {
    Variant normal;
    Variant pressed;
    Variant disabled;
    // Type 2 draws its normal variant differently when the container shows it as the
    // default button; other looks leave this empty.
    Variant normalAsDefault;

    bool hasDefaultForm() const { return !normalAsDefault.parts[0].empty(); }
};

// The look of a ButtonType, or nullptr for a type without one.
const Look* LookFor(std::int32_t buttonType);

// Each family registers its looks here; LookFor picks among them.
const Look* BevelledLook(std::int32_t buttonType); // types 1, 2, 6, 7
const Look* RoundedLook(std::int32_t buttonType);  // types 3, 4, 5

// The caption twice, light then dark, the way every disabled look except 5 and 6 shows it.
inline constexpr Step kEmbossedCaption[] = {
    {TEXTCOLOUR, Highlight},
    {TEXT_PRESSED},
    {TEXTCOLOUR, Shadow},
    {TEXT},
};

} // namespace korven::xpbutton::looks
