#include "app/RememberedChoices.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korven::app {
namespace {

class RememberedChoicesTest : public ::testing::Test {
protected:
    QString File() const { return dir_.filePath(QStringLiteral("choices.ini")); }
    QTemporaryDir dir_;
};

TEST_F(RememberedChoicesTest, WhatIsSavedIsLoadedAndForgettingGivesAFirstStart) {
    RememberedChoices choices;
    choices.characterSets = {QStringLiteral("greek"), QStringLiteral("cyrillic")};
    choices.fitToHandheld = true;
    choices.ownFontsFolder = QStringLiteral("/media/stick/my fonts");
    choices.serifFont = QStringLiteral("/usr/share/fonts/a serif.ttf");
    choices.previewZoom = 3;
    choices.previewLine = QStringLiteral("Ünïcode = \"quoted\", [x]");
    choices.sourceFolder = QStringLiteral("/home/a/fonts");
    choices.destinationFolder = QStringLiteral("/home/a/out");
    {
        QSettings store(File(), QSettings::IniFormat);
        SaveChoices(store, choices);
    }
    QSettings store(File(), QSettings::IniFormat);
    EXPECT_EQ(LoadChoices(store), choices);
    ForgetChoices(store);
    EXPECT_EQ(LoadChoices(QSettings(File(), QSettings::IniFormat)), RememberedChoices{});
}

// A damaged or hand-edited file gives the defaults of what it spoils, nothing worse.
TEST_F(RememberedChoicesTest, ValuesOfTheWrongKindGiveTheirDefaults) {
    QFile file(File());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[preview]\nzoom=7\nline=kept\n[fit]\nhandheld=maybe\n[folders]\nsource=@ByteArray("
               "\\0\\x1)\n\x01\x02garbage\n");
    file.close();
    const RememberedChoices loaded = LoadChoices(QSettings(File(), QSettings::IniFormat));
    EXPECT_EQ(loaded.previewZoom, 1);
    EXPECT_FALSE(loaded.fitToHandheld);
    EXPECT_EQ(loaded.previewLine, QStringLiteral("kept"));
    EXPECT_TRUE(loaded.sourceFolder.isEmpty());
}

} // namespace
} // namespace korven::app
