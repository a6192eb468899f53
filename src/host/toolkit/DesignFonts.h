#pragma once

#include <QFont>
#include <QString>

// The faces the windows were drawn with are not found on most systems. Each gets a list of
// stand-ins, best first: a metric-compatible face where one exists, so that texts keep the
// widths the layout was drawn for, then broader faces that are nearly always present.
namespace korven::host {

// Enters the stand-in lists as the toolkit's font substitutions, the one fallback mechanism,
// so that any font named by its design face (a window's text or a button's saved font)
// resolves to the same installed family whatever the desktop's font configuration says.
// Call once the application object exists; later calls do nothing.
void RegisterDesignFonts();

// `face` at `points`, naming the installed family it is drawn in: the face itself or its
// first installed stand-in from the substitutions, entered here if need be.
QFont DesignFont(const QString& face, double points, bool bold = false, bool italic = false);

// The toolkit's standard dialog font the layouts were drawn with: "MS Sans Serif" 8.25 pt.
QFont StandardDialogFont();

} // namespace korven::host
