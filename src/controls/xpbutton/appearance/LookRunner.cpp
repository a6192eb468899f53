#include "controls/xpbutton/appearance/LookRunner.h"

#include "controls/xpbutton/appearance/Arithmetic.h"
#include "controls/xpbutton/appearance/DrawButton.h"
#include "controls/xpbutton/appearance/Palette.h"
#include "host/surface/DrawingSurface.h"

#include <algorithm>

namespace korven::xpbutton::looks {

namespace {

std::int32_t along(Coord c, std::int32_t extent) {
    return sat(c.fromExtent ? std::int64_t(extent) + c.offset : c.offset);
}

Colour paletteColour(Source source, const ButtonState& s) {
    switch (source) {
    case Source::Face:
        return s.FaceColor;
    case Source::Light:
        return s.LightColor;
    case Source::Highlight:
        return s.HighlightColor;
    case Source::Shadow:
        return s.ShadowColor;
    case Source::DarkShadow:
        return s.DarkShadowColor;
    default:
        return 0;
    }
}

Colour colourOf(Ink ink, const ButtonState& s) {
    if (ink.source == Source::Fixed) {
        return Colour(ink.value);
    }
    const Colour base = paletteColour(ink.source, s);
    return ink.shaded ? OffsetColor(base, ink.value) : base;
}

void drawGradient(const Step& step, const ButtonState& s, host::DrawingSurface& surface) {
    const std::int32_t height = s.ButtonHeight;
    // Rows past the bottom of the image are clipped anyway; stopping there keeps a button
    // whose stored height is larger than its window from looping for nothing.
    const std::int32_t last = std::min(height, surface.clientHeight());
    for (std::int32_t row = step.c.offset; row <= last; ++row) {
        surface.line(0, row, s.ButtonWidth, row,
                     GradientRow(step.a.offset, step.b.offset, height, row));
    }
}

void drawCaptionFrame(const Step& step, const ButtonState& s, host::DrawingSurface& surface) {
    const host::TextSize size = surface.textSize(s.Caption);
    const Rect box = CaptionFrameBox(s.ButtonWidth, s.ButtonHeight, size.width, size.height);
    DrawBox(surface, box.left, box.top, box.right, box.bottom, colourOf(step.ink, s), true);
}

void runStep(const Step& step, const ButtonState& s, host::DrawingSurface& surface) {
    const bool focused = s.HasFocus == kTrue;
    if (step.onlyWhenFocused && !focused) {
        return;
    }
    const std::int32_t w = s.ButtonWidth;
    const std::int32_t h = s.ButtonHeight;
    switch (step.op) {
    case Op::Fill:
    case Op::Frame:
        DrawBox(surface, along(step.a, w), along(step.b, h), along(step.c, w), along(step.d, h),
                colourOf(step.ink, s), step.op == Op::Frame);
        break;
    case Op::Line:
        surface.line(along(step.a, w), along(step.b, h), along(step.c, w), along(step.d, h),
                     colourOf(step.ink, s));
        break;
    case Op::Pixel:
        surface.setPixel(along(step.a, w), along(step.b, h), colourOf(step.ink, s));
        break;
    case Op::TextColour:
        surface.setTextColour(colourOf(step.ink, s));
        break;
    case Op::Text:
        surface.drawCaption(s.Caption, s.TextRect);
        break;
    case Op::TextPressed:
        surface.drawCaption(s.Caption, s.PressedTextRect);
        break;
    case Op::Focus:
        if (focused) {
            surface.drawFocusRect(s.FocusRect);
        }
        break;
    case Op::BoldOn:
        surface.setBold(true);
        break;
    case Op::BoldRestore:
        surface.setBold(s.Font.bold());
        break;
    case Op::Gradient:
        drawGradient(step, s, surface);
        break;
    case Op::CaptionFrame:
        if (focused) {
            drawCaptionFrame(step, s, surface);
        }
        break;
    }
}

void runSteps(std::span<const Step> steps, const ButtonState& s, host::DrawingSurface& surface) {
    for (const Step& step : steps) {
        runStep(step, s, surface);
    }
}

} // namespace

const Look* LookFor(std::int32_t buttonType) {
    if (const Look* look = BevelledLook(buttonType)) {
        return look;
    }
    return RoundedLook(buttonType);
}

void RunVariant(const Variant& variant, const ButtonState& s, host::DrawingSurface& surface) {
    for (std::span<const Step> part : variant.parts) {
        runSteps(part, s, surface);
    }
}

void RunNormal(const Look& look, const ButtonState& s, host::DrawingSurface& surface) {
    if (!look.hasDefaultForm()) {
        RunVariant(look.normal, s, surface);
        return;
    }
    // Both forms begin with the same caption step; the container's flag picks the rest.
    runSteps(look.normal.parts[0], s, surface);
    const Variant& rest = surface.displayAsDefault() == kTrue ? look.normalAsDefault : look.normal;
    for (std::size_t i = 1; i < rest.parts.size(); ++i) {
        runSteps(rest.parts[i], s, surface);
    }
}

Colour GradientRow(std::int32_t kr, std::int32_t kb, std::int32_t height, std::int32_t row) {
    // The step is held in single precision on purpose: 85 / 24 as a float times 12 is just
    // above 42.5 and rounds up, where the double would tie and round down.
    const float stepRG = float(double(kr) / double(height));
    const float stepB = float(double(kb) / double(height));
    const std::int64_t r = RoundHalfEven(double(stepRG) * double(row));
    const std::int64_t b = RoundHalfEven(double(stepB) * double(row));
    return host::rgb(ClampChannel(255 - r), ClampChannel(255 - r), ClampChannel(255 - b));
}

Rect CaptionFrameBox(std::int32_t width, std::int32_t height, float textWidth, float textHeight) {
    // Integer division truncates toward zero, as the frame has always been placed.
    const std::int64_t left = RoundHalfEven(double(width) - double(textWidth)) / 2 - 3;
    const std::int64_t top = RoundHalfEven(double(height) - double(textHeight)) / 2 - 1;
    const std::int64_t frameWidth = RoundHalfEven(double(textWidth) + 6.0);
    const std::int64_t frameHeight = RoundHalfEven(double(textHeight) + 2.0);
    return {sat(left), sat(top), sat(frameWidth), sat(frameHeight)};
}

} // namespace korven::xpbutton::looks
