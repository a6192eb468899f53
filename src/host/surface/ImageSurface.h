#pragma once

#include "host/surface/CaptionText.h"
#include "host/surface/DrawingSurface.h"

#include <QImage>
#include <cstdint>

namespace korven::host {

// The drawing surface as an image in memory, with no window. Rectangles, lines and pixels
// are written straight into the pixel memory so that the exact pixel rules hold (a painter
// would anti-alias and paint line end points); the toolkit's painter draws glyphs only.
//
// The window facilities (enabled flag, access keys, outline, default flag, refresh) are
// remembered here so that tests and the preview tool can read them back. A live window
// derives from this class and overrides them to act on its widget as well.
class ImageSurface : public DrawingSurface {
public:
    static constexpr Colour kBackground = 0x00E0E0E0;

    ImageSurface();
    ImageSurface(int width, int height);

    // Gives the image a new size; the content is cleared to the background.
    void resize(int width, int height);

    // The look at 1x. With a device pixel ratio other than 1 it holds no captions: those go
    // into deviceImage() only.
    const QImage& image() const { return image_; }

    // The pixel density the control is shown at. At 1 (the default) nothing changes; above
    // it, captions are kept aside for deviceImage(). Takes effect from the next redraw.
    void setDevicePixelRatio(double ratio);
    double devicePixelRatio() const { return ratio_; }
    // The image to put on the screen: image() itself at 1x; otherwise image() scaled by
    // whole 1x pixels to the device resolution, with the captions drawn at that resolution.
    // It is made once per redraw and kept until the look, its captions or the ratio change,
    // so that a paint event only copies it.
    QImage deviceImage();
    // The pixel at (x, y) as 0x00BBGGRR; coordinates outside the image give 0xFFFFFFFF.
    Colour pixel(int x, int y) const;

    void clear() override;
    void refresh() override { ++refreshCount_; }
    void fillRect(const Rect& r, Colour c) override;
    void frameRect(const Rect& r, Colour c) override;
    void line(int x1, int y1, int x2, int y2, Colour c) override;
    void setPixel(int x, int y, Colour c) override;
    void setTextColour(Colour c) override { textColour_ = c; }
    void drawCaption(const QString& text, const Rect& r) override;
    void drawFocusRect(const Rect& r) override;
    TextSize textSize(const QString& text) const override;

    QFont font() const override { return font_; }
    void setFont(const QFont& f) override { font_ = f; }
    bool bold() const override { return font_.bold(); }
    void setBold(bool bold) override { font_.setBold(bold); }

    int clientWidth() const override { return image_.width(); }
    int clientHeight() const override { return image_.height(); }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    void setAccessKeys(const QString& keys) override { accessKeys_ = keys; }
    void setWindowOutline(const Region& outline) override { outline_ = outline; }
    VbBool displayAsDefault() const override { return displayAsDefault_; }

    // Read-back of what the control asked for.
    Colour textColour() const { return textColour_; }
    bool enabled() const { return enabled_; }
    const QString& accessKeys() const { return accessKeys_; }
    const Region& windowOutline() const { return outline_; }
    int refreshCount() const { return refreshCount_; }
    // The container's side of the default flag.
    void setDisplayAsDefault(VbBool value) { displayAsDefault_ = value; }

private:
    void hspan(std::int64_t y, std::int64_t x0, std::int64_t x1, Colour c);
    void vspan(std::int64_t x, std::int64_t y0, std::int64_t y1, Colour c);
    void slantedLine(int x1, int y1, int x2, int y2, Colour c);
    void setPixel64(std::int64_t x, std::int64_t y, Colour c);
    void invertDot(std::int64_t x, std::int64_t y);

    struct DeferredCaption {
        QString text;
        QFont font;
        Colour colour;
        Rect r;
    };

    QImage image_;
    double ratio_ = 1.0;
    QList<DeferredCaption> deferredCaptions_;
    // The last device image, and what it was made from: the 1x image's key (which changes
    // whenever a pixel is written), how many captions were drawn over it, and the ratio.
    QImage device_;
    qint64 deviceSource_ = 0;
    qsizetype deviceCaptions_ = 0;
    double deviceRatio_ = 0;
    CaptionLayoutCache captions_;
    QFont font_;
    Colour textColour_ = 0;
    bool enabled_ = true;
    QString accessKeys_;
    Region outline_;
    VbBool displayAsDefault_ = kFalse;
    int refreshCount_ = 0;
};

} // namespace korven::host
