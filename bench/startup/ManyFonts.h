#pragma once

#include <QString>

// A font-heavy desktop for the start-up benchmark, made from the fonts installed here: a
// fontconfig configuration that adds, to everything the system already lists, copies of the
// installed TrueType and OpenType files renamed to families of their own, until fontconfig
// lists `totalFonts` faces. Its cache is built before it is handed out, as a real desktop's
// cache is warm. Children started with FONTCONFIG_FILE set to ConfigFile() see it.
namespace korven::bench {

class ManyFonts {
public:
    // Builds everything under `folder`, which must exist and be empty.
    ManyFonts(const QString& folder, int totalFonts);

    bool Ready() const { return !configFile_.isEmpty(); }
    QString ConfigFile() const { return configFile_; }
    // What fontconfig lists with this configuration, and how many of those were added.
    int Listed() const { return listed_; }
    int Added() const { return added_; }
    QString Error() const { return error_; }

private:
    QString configFile_;
    int listed_ = 0;
    int added_ = 0;
    QString error_;
};

// `font` (a TrueType or OpenType file's bytes) with " <tag>" added to its family and full
// names and "-<tag>" to its PostScript name, or empty when it is not such a file. The new
// name table goes at the end of the file and the table directory points to it.
QByteArray RenameFamily(const QByteArray& font, const QString& tag);

} // namespace korven::bench
