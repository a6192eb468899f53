#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace korven::app {
namespace {

const CommandLineStyle kWindows{QStringLiteral("\\"), QStringLiteral("ttf2pgf.exe")};
const CommandLineStyle kLinux{QStringLiteral("/"), QStringLiteral("ttf2pgf")};

// The settings as the main window's handlers leave them after the user picked a folder,
// a font, a destination, a size and a shadow.
ConversionSettings Picked(QString program, QString source, QString font, QString destination,
                          QString size, QString shadow) {
    ConversionSettings s;
    s.ProgramFolder = std::move(program);
    s.SourceFolder = std::move(source);
    s.FontFile = std::move(font);
    s.DestinationFolder = std::move(destination);
    s.FontSize = std::move(size);
    s.ShadowValue = std::move(shadow);
    return s;
}

TEST(BuildCommandLine, WorkedExampleWithWindowsSpelling) {
    ConversionSettings s =
        Picked("D:\\Tools\\Conv", "E:\\Fonts", "\\Arial.ttf", "F:\\PSP\\", "12", "2");
    BuildCommandLine(s, kWindows);
    EXPECT_EQ(s.ConverterPath, "D:\\Tools\\Conv\\ttf2pgf.exe ");
    EXPECT_EQ(s.ConverterCommandLine,
              "D:\\Tools\\Conv\\ttf2pgf.exe E:\\Fonts\\Arial.ttf F:\\PSP\\ltn0.pgf 12 i2");
}

TEST(BuildCommandLine, EmptySizeAndShadowLeaveTwoBlanksThenI) {
    ConversionSettings s = Picked("/opt/korven", "/home/u/fonts", "/a.ttf", "/media/psp/", "", "");
    BuildCommandLine(s, kLinux);
    EXPECT_EQ(s.ConverterCommandLine,
              "/opt/korven/ttf2pgf /home/u/fonts/a.ttf /media/psp/ltn0.pgf  i");
}

TEST(BuildCommandLine, DriveRootsKeepTheirDoubledSeparator) {
    ConversionSettings s = Picked("C:\\", "E:\\", "\\Arial.ttf", "F:\\\\", "8", "1");
    BuildCommandLine(s, kWindows);
    EXPECT_EQ(s.ConverterCommandLine, "C:\\\\ttf2pgf.exe E:\\\\Arial.ttf F:\\\\ltn0.pgf 8 i1");
}

TEST(BuildCommandLine, NoDestinationYetGivesTheBareOutputName) {
    ConversionSettings s = Picked("/opt/k", "/f", "/a.ttf", "", "6", "4.0");
    BuildCommandLine(s, kLinux);
    EXPECT_EQ(s.ConverterCommandLine, "/opt/k/ttf2pgf /f/a.ttf ltn0.pgf 6 i4.0");
    EXPECT_EQ(OutputFilePath(s), "ltn0.pgf");
}

TEST(BuildCommandLine, PlatformDefaultIsTheLocalSpelling) {
    ConversionSettings s = Picked("/opt/k", "/f", "/a.ttf", "/d/", "6", "1");
    BuildCommandLine(s);
#ifdef Q_OS_WIN
    EXPECT_TRUE(s.ConverterPath.endsWith("\\ttf2pgf.exe "));
#else
    EXPECT_EQ(s.ConverterPath, "/opt/k/ttf2pgf ");
#endif
}

TEST(BuildConverterInvocation, PathsWithBlanksAndShellCharactersStayOneArgumentEach) {
    const QString folder = QString::fromUtf8("/home/u/My Fonts/$HOME; rm -rf `x` & \"q\" 'é'");
    const QString destination = QString::fromUtf8("/media/PSP STICK/ünï cödé/");
    ConversionSettings s =
        Picked("/opt/korven fc", folder, "/Bold Face.ttf", destination, "12", "2");
    const ConverterInvocation run = BuildConverterInvocation(s, kLinux);
    EXPECT_EQ(run.program, "/opt/korven fc/ttf2pgf");
    EXPECT_EQ(run.arguments,
              QStringList({folder + "/Bold Face.ttf", destination + "ltn0.pgf", "12", "i2"}));
}

TEST(BuildConverterInvocation, SizeAndShadowSplitAsTheOneLineCommandDoes) {
    // An empty size gives no empty argument: the converter sees the same pieces the
    // one-line command would have given it.
    ConversionSettings s = Picked("/p", "/f", "/a.ttf", "/d/", "", "");
    EXPECT_EQ(BuildConverterInvocation(s, kLinux).arguments,
              QStringList({"/f/a.ttf", "/d/ltn0.pgf", "i"}));

    s.FontSize = "12";
    s.ShadowValue = "1 2";
    EXPECT_EQ(BuildConverterInvocation(s, kLinux).arguments,
              QStringList({"/f/a.ttf", "/d/ltn0.pgf", "12", "i1", "2"}));
}

TEST(BuildConverterInvocation, AgreesWithTheOneLineCommandForPlainPaths) {
    ConversionSettings s =
        Picked("D:\\Tools\\Conv", "E:\\Fonts", "\\Arial.ttf", "F:\\PSP\\", "12", "2");
    BuildCommandLine(s, kWindows);
    const ConverterInvocation run = BuildConverterInvocation(s, kWindows);
    EXPECT_EQ(run.program + " " + run.arguments.join(' '), s.ConverterCommandLine);
}

// Without a choice the designed command (the tests above); with one, --characters leads.
TEST(BuildConverterInvocation, ChosenCharacterSetsAddOneOption) {
    ConversionSettings s =
        Picked("/opt/korven", "/home/u/fonts", "/a.ttf", "/media/psp/", "18", "2");
    s.ExtraCharacterSets = QStringList{"cyrillic", "greek"};
    BuildCommandLine(s, kLinux);
    EXPECT_EQ(s.ConverterCommandLine, "/opt/korven/ttf2pgf --characters latin,greek,cyrillic "
                                      "/home/u/fonts/a.ttf /media/psp/ltn0.pgf 18 i2");
    const ConverterInvocation run = BuildConverterInvocation(s, kLinux);
    EXPECT_EQ(run.arguments,
              QStringList({"--characters", "latin,greek,cyrillic", "/home/u/fonts/a.ttf",
                           "/media/psp/ltn0.pgf", "18", "i2"}));
}

} // namespace
} // namespace korven::app

namespace korven::app {
namespace {

TEST(SizeAndShadowChecks, AcceptWhatTheConverterTakesAndNothingElse) {
    for (const char* size : {"6", "12", "22"}) {
        EXPECT_TRUE(IsFontSize(QString::fromLatin1(size))) << size;
    }
    for (const char* size : {"", "5", "23", "1 2", "+12", "12.0", "abc"}) {
        EXPECT_FALSE(IsFontSize(QString::fromLatin1(size))) << size;
    }
    for (const char* shadow : {"1", "2", "2.5", "4.0", "4", "1.000000"}) {
        EXPECT_TRUE(IsShadowValue(QString::fromLatin1(shadow))) << shadow;
    }
    for (const char* shadow :
         {"", "0.5", "4.01", "abc", "i2", " 2", "1 2", "-1", "1e0", "2.", ".5", "nan", "1,5"}) {
        EXPECT_FALSE(IsShadowValue(QString::fromLatin1(shadow))) << shadow;
    }
}

} // namespace
} // namespace korven::app
