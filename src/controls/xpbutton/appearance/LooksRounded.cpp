// Types 3, 4 and 5: the gradient button with a dark blue rounded border, the soft rounded
// bevel, and the flat button with a bold caption.
#include "controls/xpbutton/appearance/LookSteps.h"

namespace korven::xpbutton::looks {

namespace {

constexpr Step kText[] = {{TEXT}};

// Type 3. The border and the corner pixels are the same in every variant.
constexpr Ink kNavy = Fixed(0x733C00);
constexpr Ink kNavyCorner = Fixed(0x7B4D10);
constexpr Step kType3Border[] = {
    {LINE, kNavy, 2, 0, W - 2, 0},  {LINE, kNavy, 2, H - 1, W - 2, H - 1},
    {LINE, kNavy, 0, 2, 0, H - 2},  {LINE, kNavy, W - 1, 2, W - 1, H - 2},
    {PIXEL, kNavyCorner, 1, 1},     {PIXEL, kNavyCorner, 1, H - 2},
    {PIXEL, kNavyCorner, W - 2, 1}, {PIXEL, kNavyCorner, W - 2, H - 2},
};
constexpr Step kType3NormalStart[] = {
    {GRADIENT, NoInk, 75, 50, 1},
    {TEXT},
};
constexpr Step kType3NormalInner[] = {
    {FRAME, Fixed(0xE7AE8C), 1, 2, W - 2, H - 4},
    {LINE, Fixed(0xEF826B), 2, H - 2, W - 2, H - 2},
    {LINE, Fixed(0xFFE7CE), 2, 1, W - 2, 1},
    {LINE, Fixed(0xF7D7BD), 1, 2, W - 1, 2},
    // The focus cue: two white lines instead of a dotted rectangle.
    {LINE, Fixed(0xFFFFFF), 2, 3, 2, H - 3, true},
    {LINE, Fixed(0xFFFFFF), W - 3, 3, W - 3, H - 3, true},
};
constexpr Step kType3PressedStart[] = {
    {GRADIENT, NoInk, 85, 60, 3},
    {TEXT_PRESSED},
};
constexpr Step kType3PressedInner[] = {
    {LINE, Fixed(0x000000), 2, 1, W - 2, 1},
    {LINE, Fixed(0xFFFFFF), W - 3, 3, W - 3, H - 3}, // drawn focused or not
};
constexpr Step kType3DisabledStart[] = {
    {GRADIENT, NoInk, 60, 40, 1},
};
constexpr Step kType3DisabledInner[] = {
    {FRAME, Fixed(0xFDBA99), 1, 2, W - 2, H - 4},
    {LINE, Fixed(0xFE8A71), 2, H - 2, W - 2, H - 2},
    {LINE, Fixed(0xFFEAD0), 2, 1, W - 2, 1},
    {LINE, Fixed(0xFAD9BF), 1, 2, W - 1, 2},
};

// Type 4: the dark border on type 3's pixels over a light inner face.
constexpr Step kType4LightFace[] = {
    {FILL, Light, 1, 1, W - 2, H - 2},
};
constexpr Step kType4Border[] = {
    {LINE, DarkShadow, 2, 0, W - 2, 0},
    {LINE, DarkShadow, 2, H - 1, W - 2, H - 1},
    {LINE, DarkShadow, 0, 2, 0, H - 2},
    {LINE, DarkShadow, W - 1, 2, W - 1, H - 2},
};
constexpr Step kType4RaisedEdges[] = {
    {PIXEL, DarkShadow, 1, 1},
    {PIXEL, DarkShadow, 1, H - 2},
    {PIXEL, DarkShadow, W - 2, 1},
    {PIXEL, DarkShadow, W - 2, H - 2},
    {PIXEL, Face, 1, 2},
    {PIXEL, Face, 2, 1},
    {LINE, Highlight, 3, 2, W - 3, 2},
    {LINE, Highlight, 2, 2, 2, H - 3},
    {PIXEL, Highlight, 3, 3},
    {LINE, Face, W - 3, 1, W - 3, H - 3},
    {LINE, Face, 1, H - 3, W - 3, H - 3},
    {PIXEL, Face, W - 4, H - 4},
    {LINE, Shadow, W - 2, 3, W - 2, H - 2},
    {LINE, Shadow, 3, H - 2, W - 2, H - 2},
    {PIXEL, Shadow, W - 3, H - 3},
    {PIXEL, Face, 2, H - 2},
    {PIXEL, Light, 2, H - 3},
};
constexpr Step kType4DisabledCorner[] = {
    {PIXEL, Face, W - 2, 2},
    {PIXEL, Light, W - 3, 2},
};
constexpr Ink kDeep16 = Shade(Shadow, -16);
constexpr Ink kDeep32 = Shade(Shadow, -32);
constexpr Ink kDeep64 = Shade(Shadow, -64);
constexpr Step kType4PressedStart[] = {
    {FILL, kDeep16, 1, 1, W - 2, H - 2},
    {TEXTCOLOUR, Light},
    {TEXT_PRESSED},
};
constexpr Step kType4SunkenEdges[] = {
    {FRAME, kDeep64, 1, 1, W - 2, H - 2},
    {FRAME, kDeep32, 2, 2, W - 4, H - 4},
    {PIXEL, kDeep64, 2, 2},
    {PIXEL, kDeep32, 3, 3},
    {PIXEL, DarkShadow, 1, 1},
    {PIXEL, DarkShadow, 1, H - 2},
    {PIXEL, DarkShadow, W - 2, 1},
    {PIXEL, DarkShadow, W - 2, H - 2},
    {LINE, Shadow, W - 3, 1, W - 3, H - 3},
    {LINE, Shadow, 1, H - 3, W - 2, H - 3},
    {PIXEL, Shadow, W - 4, H - 4},
    {LINE, kDeep16, W - 2, 3, W - 2, H - 2},
    {LINE, kDeep16, 3, H - 2, W - 2, H - 2},
    {PIXEL, kDeep32, W - 2, H - 3},
    {PIXEL, kDeep32, W - 3, H - 2},
    {PIXEL, kDeep32, 2, H - 2},
    {PIXEL, kDeep16, 2, H - 3},
    {PIXEL, kDeep16, 1, H - 3},
    {PIXEL, kDeep32, W - 2, 2},
    {PIXEL, kDeep16, W - 3, 2},
    {PIXEL, kDeep16, W - 3, 1},
};

// Type 5: a lighter face, an etched edge and a bold caption; the focus cue frames the
// caption itself.
constexpr Ink kFocusFrame = Fixed(0xCC9999);
constexpr Step kType5Normal[] = {
    {BOLD_ON},
    {FILL, Shade(Face, +12), 1, 1, W - 1, H - 1},
    {TEXT},
    {FRAME, Highlight, 1, 1, W - 1, H - 1},
    {FRAME, Shade(Shadow, -26), 0, 0, W - 1, H - 1},
    {PIXEL, Shade(Shadow, +26), 1, H - 2},
    {PIXEL, Shade(Shadow, +26), W - 2, 1},
    {CAPTION_FRAME, kFocusFrame},
    {BOLD_RESTORE},
};
constexpr Step kType5Pressed[] = {
    {BOLD_ON},
    {FILL, Shade(Shadow, +16), 1, 1, W - 2, H - 2},
    {FRAME, Shade(Shadow, -26), 0, 0, W - 1, H - 1},
    {LINE, Highlight, W - 1, 1, W - 1, H},
    {LINE, Highlight, 1, H - 1, W - 1, H - 1},
    {TEXT}, // the caption does not move when pressed
    {CAPTION_FRAME, kFocusFrame},
    {BOLD_RESTORE},
};
constexpr Step kType5Disabled[] = {
    {BOLD_ON}, {TEXTCOLOUR, Shadow}, {TEXT}, {FRAME, Shadow, 0, 0, W, H}, {BOLD_RESTORE},
};

const Look kType3{
    .normal = {{kType3NormalStart, kType3Border, kType3NormalInner}},
    .pressed = {{kType3PressedStart, kType3Border, kType3PressedInner}},
    .disabled = {{kType3DisabledStart, kEmbossedCaption, kType3Border, kType3DisabledInner}},
    .normalAsDefault = {},
};
const Look kType4{
    .normal = {{kType4LightFace, kText, kType4Border, kType4RaisedEdges}},
    .pressed = {{kType4PressedStart, kType4Border, kType4SunkenEdges}},
    .disabled = {{kType4LightFace, kEmbossedCaption, kType4Border, kType4RaisedEdges,
                  kType4DisabledCorner}},
    .normalAsDefault = {},
};
const Look kType5{
    .normal = {{kType5Normal}},
    .pressed = {{kType5Pressed}},
    .disabled = {{kType5Disabled}},
    .normalAsDefault = {},
};

} // namespace

const Look* RoundedLook(std::int32_t buttonType) {
    switch (buttonType) {
    case 3:
        return &kType3;
    case 4:
        return &kType4;
    case 5:
        return &kType5;
    default:
        return nullptr;
    }
}

} // namespace korven::xpbutton::looks
