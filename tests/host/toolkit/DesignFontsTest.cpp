#include "host/toolkit/DesignFonts.h"

#include "support/InstalledFonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>
#include <ostream>

namespace korven::host {
namespace {

struct FaceCase {
    const char* face;
    const char* standIn; // the first stand-in, found by family name in the font database
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FaceCase& c, std::ostream* os) {
    *os << c.face;
}

class DesignFontsTest : public ::testing::TestWithParam<FaceCase> {};

TEST_P(DesignFontsTest, ADesignFaceResolvesToItsFirstInstalledStandIn) {
    const FaceCase c = GetParam();
    const QString standIn = QString::fromLatin1(c.standIn);
    if (!korven::testing::Installed(QFontDatabase::hasFamily(standIn), c.standIn))
        GTEST_SKIP();
    EXPECT_EQ(QFontInfo(DesignFont(QString::fromLatin1(c.face), 12)).family(), standIn);
    // A font made elsewhere, naming only the face (a button's saved font), resolves alike.
    EXPECT_EQ(QFontInfo(QFont(QString::fromLatin1(c.face), 12)).family(), standIn);
}

INSTANTIATE_TEST_SUITE_P(Faces, DesignFontsTest,
                         ::testing::Values(FaceCase{"MS Sans Serif", "Liberation Sans Narrow"},
                                           FaceCase{"Arial", "Liberation Sans"},
                                           FaceCase{"Comic Sans MS", "Comic Neue"}),
                         [](const ::testing::TestParamInfo<FaceCase>& info) {
                             QString name = QString::fromLatin1(info.param.face);
                             return name.remove(QLatin1Char(' ')).toStdString();
                         });

} // namespace
} // namespace korven::host
