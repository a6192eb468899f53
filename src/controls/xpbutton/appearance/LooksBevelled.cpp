// Types 1, 2, 6 and 7: bevelled buttons in palette colours and flat framed buttons.
#include "controls/xpbutton/appearance/LookSteps.h"

namespace korven::xpbutton::looks {

namespace {

constexpr Step kText[] = {{TEXT}};
constexpr Step kTextPressed[] = {{TEXT_PRESSED}};
constexpr Step kFocus[] = {{FOCUS}};

// Type 1: a dark border without its corner pixels, and a two-pixel bevel inside it.
constexpr Step kType1Border[] = {
    {LINE, DarkShadow, 1, 0, W - 1, 0},
    {LINE, DarkShadow, 1, H - 1, W - 1, H - 1},
    {LINE, DarkShadow, 0, 1, 0, H - 1},
    {LINE, DarkShadow, W - 1, 1, W - 1, H - 1},
};
constexpr Step kType1RaisedBevel[] = {
    {FRAME, Highlight, 1, 1, W - 2, H - 2}, {FRAME, Highlight, 2, 2, W - 4, H - 4},
    {LINE, Shadow, W - 2, 1, W - 2, H - 1}, {LINE, Shadow, W - 3, 2, W - 3, H - 1},
    {LINE, Shadow, 1, H - 2, W - 1, H - 2}, {LINE, Shadow, 2, H - 3, W - 2, H - 3},
};
constexpr Step kType1SunkenBevel[] = {
    {FRAME, Shadow, 1, 1, W - 2, H - 2},       {FRAME, Shadow, 2, 2, W - 4, H - 4},
    {LINE, Highlight, W - 2, 1, W - 2, H - 1}, {LINE, Highlight, W - 3, 2, W - 3, H - 1},
    {LINE, Highlight, 1, H - 2, W - 1, H - 2}, {LINE, Highlight, 2, H - 3, W - 2, H - 3},
};

// Type 2: a two-level bevel over the whole button, or, for the default button, the same
// bevel one pixel in, inside a dark frame drawn last (over the focus rectangle).
constexpr Step kType2Bevel[] = {
    {FRAME, Highlight, 0, 0, W - 1, H - 1},     {FRAME, Light, 1, 1, W - 2, H - 2},
    {LINE, DarkShadow, W - 1, 0, W - 1, H},     {LINE, Shadow, W - 2, 1, W - 2, H - 1},
    {LINE, DarkShadow, 0, H - 1, W - 1, H - 1}, {LINE, Shadow, 1, H - 2, W - 2, H - 2},
};
constexpr Step kType2DefaultBevel[] = {
    {FRAME, Highlight, 1, 1, W - 2, H - 2},
    {FRAME, Light, 2, 2, W - 4, H - 4},
    {LINE, DarkShadow, W - 2, 1, W - 2, H - 1},
    {LINE, Shadow, W - 3, 2, W - 3, H - 1},
    {LINE, DarkShadow, 1, H - 2, W - 1, H - 2},
    {LINE, Shadow, 2, H - 3, W - 2, H - 3},
    {FOCUS},
    {FRAME, DarkShadow, 0, 0, W, H},
};
constexpr Step kType2Flat[] = {
    {FRAME, DarkShadow, 0, 0, W, H},
    {FRAME, Shadow, 1, 1, W - 2, H - 2},
};

// Type 6: a two-pixel light frame with shadowed right and bottom edges.
constexpr Ink kLight8 = Shade(Light, +8);
constexpr Step kType6Raised[] = {
    {FRAME, kLight8, 0, 0, W, H},       {FRAME, kLight8, 1, 1, W - 2, H - 2},
    {LINE, Shadow, W - 1, 0, W - 1, H}, {LINE, Shadow, W - 2, 1, W - 2, H - 1},
    {LINE, Shadow, 0, H - 1, W, H - 1}, {LINE, Shadow, 1, H - 2, W - 1, H - 2},
};
constexpr Step kType6Sunken[] = {
    {FRAME, Shadow, 0, 0, W, H},         {FRAME, Shadow, 1, 1, W - 2, H - 2},
    {LINE, kLight8, W - 1, 0, W - 1, H}, {LINE, kLight8, W - 2, 1, W - 2, H - 1},
    {LINE, kLight8, 0, H - 1, W, H - 1}, {LINE, kLight8, 1, H - 2, W - 1, H - 2},
};
constexpr Step kType6DisabledCaption[] = {
    {TEXTCOLOUR, Shadow},
    {TEXT},
};

// Type 7: a one-pixel frame, light with shadowed right and bottom edges.
constexpr Step kType7Raised[] = {
    {FRAME, Highlight, 0, 0, W, H},
    {LINE, Shadow, W - 1, 0, W - 1, H},
    {LINE, Shadow, 0, H - 1, W, H - 1},
};
constexpr Step kType7Sunken[] = {
    {FRAME, Shadow, 0, 0, W, H},
    {LINE, Highlight, W - 1, 0, W - 1, H},
    {LINE, Highlight, 0, H - 1, W - 1, H - 1},
};
// The disabled bottom line stops one pixel short; the right line still reaches the corner.
constexpr Step kType7Disabled[] = {
    {FRAME, Highlight, 0, 0, W, H},
    {LINE, Shadow, W - 1, 0, W - 1, H},
    {LINE, Shadow, 0, H - 1, W - 1, H - 1},
};

const Look kType1{
    .normal = {{kText, kType1Border, kType1RaisedBevel, kFocus}},
    .pressed = {{kTextPressed, kType1Border, kType1SunkenBevel, kFocus}},
    .disabled = {{kEmbossedCaption, kType1Border, kType1RaisedBevel}},
    .normalAsDefault = {},
};
const Look kType2{
    .normal = {{kText, kType2Bevel}},
    .pressed = {{kTextPressed, kType2Flat, kFocus}},
    .disabled = {{kEmbossedCaption, kType2Bevel}},
    .normalAsDefault = {{kText, kType2DefaultBevel}},
};
const Look kType6{
    .normal = {{kText, kType6Raised, kFocus}},
    .pressed = {{kTextPressed, kType6Sunken, kFocus}},
    .disabled = {{kType6DisabledCaption, kType6Raised}},
    .normalAsDefault = {},
};
const Look kType7{
    .normal = {{kText, kType7Raised, kFocus}},
    .pressed = {{kTextPressed, kType7Sunken, kFocus}},
    .disabled = {{kEmbossedCaption, kType7Disabled}},
    .normalAsDefault = {},
};

} // namespace

const Look* BevelledLook(std::int32_t buttonType) {
    switch (buttonType) {
    case 1:
        return &kType1;
    case 2:
        return &kType2;
    case 6:
        return &kType6;
    case 7:
        return &kType7;
    default:
        return nullptr;
    }
}

} // namespace korven::xpbutton::looks
