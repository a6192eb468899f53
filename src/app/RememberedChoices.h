#pragma once

#include <QString>
#include <QStringList>

class QSettings;

namespace korven::app {

// The user's own added choices that last from one run to the next. The designed choices (the
// font, size and shadow) are not among them: a first start, and every start, begins with
// those as the design has them.
struct RememberedChoices {
    QStringList characterSets;  // the CHARACTERS menu's checked sets
    bool fitToHandheld = false; // the FIT menu's first item
    QString ownFontsFolder;     // the FIT menu's folder of the user's own font files
    QString serifFont;          // SET FONTS: the font of SET's serif files
    int previewZoom = 1;        // PREVIEW's zoom factor, 1 to 3
    QString previewLine;        // the line typed in PREVIEW
    QString sourceFolder;       // the last folders of the two panes; empty: the design's
    QString destinationFolder;
    bool operator==(const RememberedChoices&) const = default;
};

// Reads the choices kept in `store`; a value that is missing or not of its kind gives its
// default, so a damaged or hand-edited file never stops the program.
RememberedChoices LoadChoices(const QSettings& store);
void SaveChoices(QSettings& store, const RememberedChoices& choices);
// Forgets every kept choice: the next start is a first start again.
void ForgetChoices(QSettings& store);

} // namespace korven::app
