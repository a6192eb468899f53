// PREVIEW's view of SET's sixteen files: each drawn from exactly the bytes ttf2pgf --set writes.

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

} // namespace
} // namespace korven::preview
