#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The faces the windows were drawn with are not found on most systems. Each gets a list of
// stand-ins, best first: a metric-compatible face where one exists, so that texts keep the
// widths the layout was drawn for, then broader faces that are nearly always present.
namespace korven::host {

// The stand-ins for `face`, best first; empty for a face that needs none.
QStringList FallbacksFor(const QString& face);

// Registers the stand-in faces from their installed files and enters the stand-in lists as
// the toolkit's substitutions, so that a font named only by its design face (a button's
// saved font) resolves the same way whatever the desktop's font configuration says. Call
// once the application object exists; later calls do nothing.
void RegisterDesignFonts();

// `face` at `points`, with its stand-ins as explicit fallbacks.
QFont DesignFont(const QString& face, double points, bool bold = false, bool italic = false);

// The toolkit's standard dialog font the layouts were drawn with: "MS Sans Serif" 8.25 pt.
QFont StandardDialogFont();

} // namespace korven::host
