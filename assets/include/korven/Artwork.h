#pragma once

// The program's pictures, compiled into korven_assets as Qt resources. Linking the
// library is enough: the resources register themselves before main() runs.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QPoint>
#include <QString>

namespace korven::assets {

// 32 x 32, sixteen colours (one of them transparent).
inline constexpr char kIconPath[] = ":/korven/icon.png";
// Larger renditions of the same mark for desktops that want them.
inline constexpr char kIcon48Path[] = ":/korven/icon-48.png";
inline constexpr char kIcon64Path[] = ":/korven/icon-64.png";
inline constexpr char kIcon128Path[] = ":/korven/icon-128.png";
// 743 x 82, 24-bit colour.
inline constexpr char kBannerPath[] = ":/korven/banner.png";
// 32 x 32, sixteen colours; the pointer's active point is kHandPointerHotSpot.
inline constexpr char kHandPointerPath[] = ":/korven/hand-pointer.png";
inline constexpr QPoint kHandPointerHotSpot{12, 1};
// 211 x 26, 24-bit colour.
inline constexpr char kDisclaimerBannerPath[] = ":/korven/disclaimer-banner.png";

// The window pictures above (the icon, the banner and the disclaimer's banner) are also drawn for
// screens scaled by these factors, so that such a screen shows a picture drawn with that many
// pixels rather than an enlarged one. Each is stored beside its 1x picture under PictureAt().
inline constexpr qreal kPictureDensities[] = {1.25, 1.5, 2.0};

// A picture's name at a density: "banner.png" at 1.5 is "banner@1.5x.png"; at 1, the name.
QString PictureAt(const QString& name, qreal density);

// The application icon with every rendition. Never fails: a missing picture simply
// leaves a rendition out, and an icon without any is a null QIcon.
QIcon ApplicationIcon();

// The pointing hand as a mouse pointer; falls back to the system's pointing hand
// when the picture is missing.
QCursor HandPointerCursor();

// A picture by path; a null pixmap when the resource is absent.
QPixmap LoadPicture(const char* path);
// The picture by path for a screen of `density`: the one drawn for the lowest density that is
// at least `density` (the highest drawn when none is), marked with the density it was drawn for
// so that it takes the same room as the 1x picture. The 1x picture at density 1 or below.
QPixmap LoadPicture(const char* path, qreal density);

} // namespace korven::assets
