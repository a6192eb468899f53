// PREVIEW's view of SET's eighteen files: each drawn from exactly the bytes ttf2pgf --set writes.

#include "converter/core/Converter.h"
#include "converter/core/PgfWriter.h"
#include "converter/rules/FontFile.h"
#include "preview/PreviewCanvas.h"
#include "preview/PreviewModel.h"
#include "support/InstalledFonts.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korven::preview {
namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(PreviewSetFiles, AreTheBytesTtf2pgfSetWritesWithTheFaceTheyCameFrom) {
    const struct {
        const char* font;
        const char* size;
        const char* shadow;
        const char* boldFrom; // what ltn4.pgf says it is made from
        QStringList extraSets;
    } cases[] = {
        {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "18", "2", "DejaVuSans-Bold.ttf", {}},
        {"/usr/share/fonts/truetype/noto/NotoMono-Regular.ttf",
         "12",
         "1",
         "NotoMono-Regular.ttf, emboldened by synthesis",
         {"greek"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.font);
        if (!korven::testing::FontFileInstalled(c.font))
            continue;
        QTemporaryDir out;
        QProcess converter;
        QStringList args{"--set", c.font, out.path(), c.size, QStringLiteral("i") + c.shadow};
        if (!c.extraSets.isEmpty())
            args << "--characters" << c.extraSets.join(u',');
        converter.start(QCoreApplication::applicationDirPath() + "/ttf2pgf", args);
        ASSERT_TRUE(converter.waitForFinished(60000));
        ASSERT_EQ(converter.exitCode(), 0) << converter.readAllStandardError().toStdString();

        app::ConversionSettings settings;
        const QFileInfo font(QString::fromLatin1(c.font));
        settings.SourceFolder = font.path();
        settings.FontFile = "/" + font.fileName();
        settings.FontSize = c.size;
        settings.ShadowValue = c.shadow;
        settings.ExtraCharacterSets = c.extraSets;
        PreviewModel model;
        for (int n = 0; n < 16; ++n) {
            const PreviewState state = model.Update(settings, n);
            ASSERT_EQ(state.kind, PreviewState::Kind::Ready) << n << state.message.toStdString();
            const QByteArray written = ReadAll(out.filePath(QStringLiteral("ltn%1.pgf").arg(n)));
            const QByteArray shown(reinterpret_cast<const char*>(state.font->bytes.data()),
                                   qsizetype(state.font->bytes.size()));
            EXPECT_EQ(shown, written) << "ltn" << n << ".pgf";
            if (n == 4) {
                EXPECT_EQ(state.font->madeFrom.toStdString(), c.boldFrom);
            }
        }
        EXPECT_EQ(model.Update(settings, 12).font->bytes.size(),
                  std::size_t(ReadAll(out.filePath("ltn12.pgf")).size()));
        EXPECT_EQ(model.Update(settings, kConvertFile).font->madeFrom, QString());
    }
}

// jpn0.pgf and kr0.pgf from fonts without their scripts, which convert in a moment: the
// bytes, the face named and the fitting as SET's. (A whole jpn0.pgf is converted once, in the
// converter's own tests.)
TEST(PreviewScriptFiles, AreTheBytesTtf2pgfSetWrites) {
    const QString sans = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    const QString serif = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf");
    if (!QFileInfo::exists(sans) || !QFileInfo::exists(serif))
        GTEST_SKIP() << "DejaVu Sans and Serif are needed";
    const struct {
        const char* name;
        QString korean; // chosen for kr0.pgf; empty: the picked font
        bool fit;
        const char* koreanFrom;
    } cases[] = {
        {"from the picked font", {}, false, "DejaVuSans.ttf, DejaVu Sans"},
        {"from a chosen font, fitted", serif, true, "DejaVuSerif.ttf, DejaVu Serif"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir out;
        QProcess converter;
        QStringList args{"--set", sans,       out.path(),
                         "20",    "i1",       "--japanese",
                         sans,    "--korean", c.korean.isEmpty() ? sans : c.korean};
        if (c.fit)
            args << "--fit";
        converter.start(QCoreApplication::applicationDirPath() + "/ttf2pgf", args);
        ASSERT_TRUE(converter.waitForFinished(60000));
        ASSERT_EQ(converter.exitCode(), 0) << converter.readAllStandardError().toStdString();

        app::ConversionSettings settings;
        settings.SourceFolder = QFileInfo(sans).path();
        settings.FontFile = "/" + QFileInfo(sans).fileName();
        settings.FontSize = "20";
        settings.ShadowValue = "1";
        settings.KoreanFont = c.korean;
        settings.FitToHandheld = c.fit;
        PreviewModel model;
        for (int script = 0; script < 2; ++script) {
            const PreviewState state = model.Update(settings, kFirstScriptFile + script);
            ASSERT_EQ(state.kind, PreviewState::Kind::Ready) << state.message.toStdString();
            const QByteArray written = ReadAll(out.filePath(script == 0 ? "jpn0.pgf" : "kr0.pgf"));
            const QByteArray shown(reinterpret_cast<const char*>(state.font->bytes.data()),
                                   qsizetype(state.font->bytes.size()));
            EXPECT_EQ(shown, written) << script;
            EXPECT_EQ(state.font->fit.has_value(), c.fit);
            if (script == 1) {
                EXPECT_EQ(state.font->madeFrom.toStdString(), c.koreanFrom);
            }
        }
    }
}

// The Japanese and Korean sample lines are drawn when the file holds them, in place of Latin
// ones when the user's line would not fit otherwise.
TEST(PreviewScriptFiles, SampleLinesShowWhenTheFileHoldsThem) {
    const std::string cjk = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc";
    if (!QFileInfo::exists(QString::fromStdString(cjk)))
        GTEST_SKIP() << cjk << " is not installed";
    const std::vector<std::uint8_t> bytes = converter::readWholeFile(cjk);
    const QStringList script = ScriptSampleLines();
    ASSERT_EQ(script.size(), 2);
    const QStringList latin = SampleLines();
    const struct {
        QString characters;
        QStringList shown;
    } cases[] = {
        {script[0].mid(1), latin}, // a kana short: no Japanese line
        {script[1], {latin[0], latin[1], script[1]}},
        {script.join(QString()), {latin[0], script[0], script[1]}},
    };
    int userLineHeight = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.characters.toStdString());
        converter::ConversionSettings settings{18, 1.0, false};
        for (uint code : c.characters.toUcs4())
            if (code != ' ')
                settings.extraCharacters.push_back(code);
        std::sort(settings.extraCharacters.begin(), settings.extraCharacters.end());
        settings.extraCharacters.erase(
            std::unique(settings.extraCharacters.begin(), settings.extraCharacters.end()),
            settings.extraCharacters.end());
        auto font = std::make_shared<PreviewFont>();
        font->bytes = converter::writePgf(converter::convertFont(bytes, settings).font);
        font->font = converter::PgfFile::parse(font->bytes);
        PreviewCanvas canvas;
        canvas.SetState({PreviewState::Kind::Ready, {}, font});
        EXPECT_EQ(canvas.ShownLines(), c.shown);
        if (userLineHeight == 0)
            userLineHeight = canvas.UserLineRect().height();
        EXPECT_EQ(canvas.UserLineRect().height(), userLineHeight) << "the user's line is whole";
    }
}

} // namespace
} // namespace korven::preview
