#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace korven::app {

// The user's choices and the paths derived from them, shared by the main window's handlers
// for the whole run and never saved. Paths are joined by plain concatenation:
// FontFile carries its own leading separator, DestinationFolder its own trailing one, the
// other folders none (except at a root, where the folder list reports one).
struct ConversionSettings {
    QString FontFile;             // separator + name of the font last clicked; empty: none
    QString ProgramFolder;        // the program's own folder
    QString ConverterPath;        // ProgramFolder + separator + converter name + " "
    QString ConverterCommandLine; // the complete command, as shown to people
    QString SourceFolder;         // source folder list's path
    QString DestinationFolder;    // destination folder list's path + separator
    QString ProgramDriveRoot;     // root of the drive that holds ProgramFolder
    QString FontSize;             // size list text when an item was last picked
    QString ShadowValue;          // shadow box text after its last change
    // Names of the character sets chosen beyond the Latin one ("greek", "cyrillic"...), in the
    // converter's table order; empty: the Latin set alone and exactly the designed command.
    QStringList ExtraCharacterSets;
    // The FIT menu: files fitted to the handheld's own fonts' sizes, or to those of the user's
    // own copies of them in OwnFontsFolder (which, when set, wins). Neither: exactly the
    // designed command.
    bool FitToHandheld = false;
    QString OwnFontsFolder;
    // SET's Japanese and Korean files (jpn0.pgf, kr0.pgf): the whole path of the font each is
    // made from; empty: that file is not made, and SET's command is as without them.
    // SET's serif files (ltn1.pgf, ltn3.pgf...) from this font's family; empty: from the
    // picked font's family, as the sans-serif ones.
    QString SerifFont;
    QString JapaneseFont;
    QString KoreanFont;
    std::int16_t KnownDriveCount = 0;
    std::int16_t CurrentDriveCount = 0;
};

} // namespace korven::app
