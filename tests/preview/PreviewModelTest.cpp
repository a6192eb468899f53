#include "preview/PreviewModel.h"

#include "preview/PreviewCanvas.h"
#include "support/InstalledFonts.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using korven::preview::PreviewCanvas;
using korven::preview::PreviewModel;
using korven::preview::PreviewState;

namespace {

const QString kFontFolder = QStringLiteral("/usr/share/fonts/truetype/dejavu");

korven::app::ConversionSettings Choices(const QString& folder, const QString& file,
                                        const QString& size, const QString& shadow) {
    korven::app::ConversionSettings s;
    s.SourceFolder = folder;
    s.FontFile = file;
    s.FontSize = size;
    s.ShadowValue = shadow;
    return s;
}

// Runs the real converter beside this test; returns its exit code.
int RunTtf2pgf(const QStringList& args) {
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/ttf2pgf"), args);
    if (!process.waitForFinished(30000))
        return -1;
    return process.exitCode();
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Preview : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* font : {"/DejaVuSans.ttf", "/DejaVuSerif.ttf"}) {
            if (!korven::testing::FontFileInstalled(
                    (kFontFolder + QLatin1String(font)).toStdString()))
                GTEST_SKIP();
        }
    }
    QTemporaryDir dir_;
};

TEST_F(Preview, BytesAreTheFileTheConverterWrites) {
    const struct {
        const char* file;
        const char* size;
        const char* shadow;
    } cases[] = {{"/DejaVuSans.ttf", "22", "4.0"}, {"/DejaVuSerif.ttf", "12", "1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        PreviewModel model;
        const PreviewState state =
            model.Update(Choices(kFontFolder, QString::fromLatin1(c.file),
                                 QString::fromLatin1(c.size), QString::fromLatin1(c.shadow)));
        ASSERT_EQ(state.kind, PreviewState::Kind::Ready) << state.message.toStdString();
        const QString out = dir_.filePath(QStringLiteral("ltn0.pgf"));
        ASSERT_EQ(
            RunTtf2pgf({kFontFolder + QString::fromLatin1(c.file), out, QString::fromLatin1(c.size),
                        QStringLiteral("i") + QString::fromLatin1(c.shadow)}),
            0);
        const QByteArray expected = ReadAll(out);
        const auto& bytes = state.font->bytes;
        EXPECT_TRUE(expected == QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                           static_cast<qsizetype>(bytes.size())));
        EXPECT_GT(state.font->heldCount, 200u);
    }
}

TEST_F(Preview, UserLineIsPixelIdenticalToRender) {
    PreviewModel model;
    PreviewCanvas canvas;
    canvas.SetState(model.Update(Choices(kFontFolder, "/DejaVuSans.ttf", "22", "4.0")));
    const QString text = QString::fromUtf8("Wave AV fj ÄÖÜ ß 42!");
    canvas.SetUserLine(text);

    const QString pgf = dir_.filePath(QStringLiteral("font.pgf"));
    const QString png = dir_.filePath(QStringLiteral("line.png"));
    {
        QFile file(pgf);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const auto& bytes = canvas.State().font->bytes;
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    }
    const auto bg = canvas.UserLineBackground();
    const QString colour = QStringLiteral("%1%2%3")
                               .arg(bg.red, 2, 16, QLatin1Char('0'))
                               .arg(bg.green, 2, 16, QLatin1Char('0'))
                               .arg(bg.blue, 2, 16, QLatin1Char('0'));
    ASSERT_EQ(RunTtf2pgf({QStringLiteral("--render"), pgf, text, png,
                          QStringLiteral("--background"), colour}),
              0);
    const QImage rendered = QImage(png).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(rendered.isNull());

    // Every canvas pixel of the line's strip: the rendered picture where it reaches, the
    // background beyond its end.
    const QRect strip = canvas.UserLineRect();
    ASSERT_FALSE(strip.isEmpty());
    const QPoint origin = canvas.UserLineOrigin();
    int inked = 0;
    for (int y = strip.top(); y <= strip.bottom(); ++y) {
        for (int x = strip.left(); x <= strip.right(); ++x) {
            const QPoint p = QPoint(x, y) - origin;
            const bool inside = p.x() >= korven::preview::kLineTrim &&
                                p.x() < rendered.width() - korven::preview::kLineTrim;
            const QRgb expected = inside ? rendered.pixel(p) : qRgb(bg.red, bg.green, bg.blue);
            ASSERT_EQ(canvas.Image().pixel(x, y), expected) << "at " << x << "," << y;
            inked += expected == qRgb(255, 255, 255) ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 50);
}

TEST_F(Preview, MissingChoicesAndRefusalsShowWords) {
    QFile junk(dir_.filePath(QStringLiteral("junk.ttf")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a font at all");
    junk.close();

    const struct {
        korven::app::ConversionSettings choices;
        PreviewState::Kind kind;
        const char* words;
    } cases[] = {
        {Choices(kFontFolder, "", "18", "2"), PreviewState::Kind::Missing, "No font picked"},
        {Choices(kFontFolder, "/DejaVuSans.ttf", "", "2"), PreviewState::Kind::Missing, "size"},
        {Choices(kFontFolder, "/DejaVuSans.ttf", "18", "5"), PreviewState::Kind::Missing, "shadow"},
        {Choices(dir_.path(), "/junk.ttf", "18", "2"), PreviewState::Kind::Refused, ""},
        {Choices(dir_.path(), "/gone.ttf", "18", "2"), PreviewState::Kind::Refused, "gone.ttf"},
    };
    for (const auto& c : cases) {
        PreviewModel model;
        PreviewCanvas canvas;
        canvas.SetState(model.Update(c.choices));
        SCOPED_TRACE(canvas.State().message.toStdString());
        EXPECT_EQ(canvas.State().kind, c.kind);
        EXPECT_FALSE(canvas.State().message.isEmpty());
        EXPECT_TRUE(canvas.State().message.contains(QString::fromLatin1(c.words)));
        EXPECT_TRUE(canvas.UserLineRect().isEmpty());
        // The words are drawn: white pixels on the blue gradient.
        bool white = false;
        for (int y = 0; y < canvas.Image().height() && !white; ++y)
            for (int x = 0; x < canvas.Image().width() && !white; ++x)
                white = canvas.Image().pixel(x, y) == qRgb(255, 255, 255);
        EXPECT_TRUE(white);
    }
}

// Each chosen set converts again, adds its characters and its sample line.
TEST_F(Preview, CharacterSetsFollowTheChoice) {
    PreviewModel model;
    auto choices = Choices(kFontFolder, "/DejaVuSans.ttf", "18", "2");
    const PreviewState latin = model.Update(choices);
    ASSERT_EQ(latin.kind, PreviewState::Kind::Ready);
    EXPECT_EQ(latin.font->heldCount, 339U);
    choices.ExtraCharacterSets = QStringList{"greek", "cyrillic"};
    const PreviewState more = model.Update(choices);
    ASSERT_EQ(more.kind, PreviewState::Kind::Ready);
    EXPECT_EQ(model.ConversionCount(), 2);
    EXPECT_GT(more.font->heldCount, 600U);
    EXPECT_TRUE(more.font->absent.empty()); // DejaVu Sans has every Greek and Cyrillic character
    EXPECT_TRUE(more.font->font.glyphIndex(U'Ж').has_value());
    const QStringList lines = korven::preview::SampleLines(more.font->extraSets);
    EXPECT_EQ(lines.size(), korven::preview::SampleLines().size() + 2);
    EXPECT_TRUE(lines.join(' ').contains(QString::fromUtf8("ψυχοφθόρα")));
    EXPECT_TRUE(lines.join(' ').contains(QString::fromUtf8("взъярён")));
}

TEST_F(Preview, UnchangedChoicesAreNotConvertedAgain) {
    PreviewModel model;
    const auto at18 = Choices(kFontFolder, "/DejaVuSans.ttf", "18", "2");
    model.Update(at18);
    model.Update(at18);
    EXPECT_EQ(model.ConversionCount(), 1);
    const PreviewState shadow2 = model.Update(Choices(kFontFolder, "/DejaVuSans.ttf", "20", "2"));
    EXPECT_EQ(model.ConversionCount(), 2);

    // Another shadow is another file: converted again, not the kept one.
    const PreviewState shadow3 = model.Update(Choices(kFontFolder, "/DejaVuSans.ttf", "20", "3"));
    EXPECT_EQ(model.ConversionCount(), 3);
    ASSERT_TRUE(shadow2.font && shadow3.font);
    EXPECT_TRUE(shadow2.font->bytes != shadow3.font->bytes);
}

} // namespace

namespace {
int Amber(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == qRgb(255, 176, 32) ? 1 : 0;
    return count;
}
} // namespace

// Fitted, PREVIEW shows the file ttf2pgf --fit writes, names the glyphs changed to fit, draws
// the box behind the typed line when asked and underlines the changed glyphs in it.
TEST_F(Preview, FittedFileShowsItsBoxAndItsChangedGlyphs) {
    const QString bold = QStringLiteral("/DejaVuSans-Bold.ttf");
    korven::app::ConversionSettings choices =
        Choices(kFontFolder, bold, QStringLiteral("18"), QStringLiteral("2"));
    choices.FitToHandheld = true;
    PreviewModel model;
    const PreviewState state = model.Update(choices);
    ASSERT_EQ(state.kind, PreviewState::Kind::Ready) << state.message.toStdString();
    const QString out = dir_.filePath(QStringLiteral("ltn0.pgf"));
    ASSERT_EQ(RunTtf2pgf({QStringLiteral("--fit"), kFontFolder + bold, out, QStringLiteral("18"),
                          QStringLiteral("i2")}),
              0);
    const QByteArray expected = ReadAll(out);
    const auto& bytes = state.font->bytes;
    EXPECT_TRUE(expected == QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                       static_cast<qsizetype>(bytes.size())));
    EXPECT_EQ(state.font->fitted, std::vector<char32_t>{U'\u2030'});

    PreviewCanvas canvas;
    canvas.SetState(state);
    canvas.SetUserLine(QStringLiteral("Hello"));
    const int guide = Amber(canvas.Image());
    EXPECT_GT(guide, 0);
    canvas.SetGuide(false);
    EXPECT_EQ(Amber(canvas.Image()), 0);
    canvas.SetUserLine(QString::fromUtf8("Hello ‰"));
    EXPECT_GT(Amber(canvas.Image()), 0); // the mark under the condensed glyph

    choices.FitToHandheld = false;
    canvas.SetState(model.Update(choices));
    canvas.SetGuide(true);
    EXPECT_EQ(Amber(canvas.Image()), 0);
}
