#include "ManyFonts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QtEndian>
#include <algorithm>
#include <fontconfig/fontconfig.h>
#include <memory>

namespace korven::bench {

namespace {

quint16 U16(const QByteArray& data, qsizetype at) {
    return qFromBigEndian<quint16>(data.constData() + at);
}

quint32 U32(const QByteArray& data, qsizetype at) {
    return qFromBigEndian<quint32>(data.constData() + at);
}

void PutU16(QByteArray& data, qsizetype at, quint16 value) {
    qToBigEndian(value, data.data() + at);
}

void PutU32(QByteArray& data, qsizetype at, quint32 value) {
    qToBigEndian(value, data.data() + at);
}

// The names that make a family: family, full name, typographic and weight-width-slope
// family, and the PostScript name, which fontconfig also matches on.
QString Suffix(quint16 nameId, const QString& tag) {
    switch (nameId) {
    case 1:
    case 4:
    case 16:
    case 21:
        return QStringLiteral(" ") + tag;
    case 6:
        return QStringLiteral("-") + tag;
    default:
        return {};
    }
}

QByteArray Encoded(quint16 platform, const QString& text) {
    if (platform == 1) {
        return text.toLatin1();
    }
    QByteArray utf16BigEndian;
    for (QChar c : text) {
        utf16BigEndian.append(static_cast<char>(c.unicode() >> 8));
        utf16BigEndian.append(static_cast<char>(c.unicode() & 0xff));
    }
    return utf16BigEndian;
}

struct FcFontSetFree {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
using FontList = std::unique_ptr<FcFontSet, FcFontSetFree>;

FontList ListFiles(FcConfig* config) {
    FcPattern* all = FcPatternCreate();
    FcObjectSet* wanted = FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr);
    FontList list(FcFontList(config, all, wanted));
    FcObjectSetDestroy(wanted);
    FcPatternDestroy(all);
    return list;
}

} // namespace

QByteArray RenameFamily(const QByteArray& font, const QString& tag) {
    if (font.size() < 12) {
        return {};
    }
    const quint32 version = U32(font, 0);
    if (version != 0x00010000 && version != 0x4F54544F /* OTTO */ &&
        version != 0x74727565 /* true */) {
        return {};
    }
    const int tables = U16(font, 4);
    qsizetype entry = -1;
    for (int i = 0; i < tables; ++i) {
        const qsizetype at = 12 + 16 * qsizetype{i};
        if (at + 16 > font.size()) {
            return {};
        }
        if (U32(font, at) == 0x6E616D65 /* name */) {
            entry = at;
        }
    }
    if (entry < 0) {
        return {};
    }
    const qsizetype name = U32(font, entry + 8);
    const qsizetype nameLength = U32(font, entry + 12);
    if (name + 6 > font.size() || name + nameLength > font.size() || U16(font, name) != 0) {
        return {};
    }
    const int count = U16(font, name + 2);
    const qsizetype storage = name + U16(font, name + 4);
    const qsizetype header = 6 + 12 * qsizetype{count};
    if (header > nameLength) {
        return {};
    }

    QByteArray table(header, '\0');
    PutU16(table, 2, static_cast<quint16>(count));
    PutU16(table, 4, static_cast<quint16>(header));
    QByteArray strings;
    for (int i = 0; i < count; ++i) {
        const qsizetype record = name + 6 + 12 * qsizetype{i};
        const quint16 platform = U16(font, record);
        const quint16 nameId = U16(font, record + 6);
        const qsizetype length = U16(font, record + 8);
        const qsizetype offset = storage + U16(font, record + 10);
        if (offset + length > font.size()) {
            return {};
        }
        QByteArray text = font.mid(offset, length);
        const QString suffix = Suffix(nameId, tag);
        if (!suffix.isEmpty() && (platform == 0 || platform == 1 || platform == 3)) {
            text += Encoded(platform, suffix);
        }
        if (strings.size() + text.size() > 0xffff) {
            return {};
        }
        table.replace(6 + 12 * i, 8, font.mid(record, 8));
        PutU16(table, 6 + 12 * i + 8, static_cast<quint16>(text.size()));
        PutU16(table, 6 + 12 * i + 10, static_cast<quint16>(strings.size()));
        strings += text;
    }
    table += strings;

    QByteArray renamed = font;
    renamed.append((4 - renamed.size() % 4) % 4, '\0');
    PutU32(renamed, entry + 8, static_cast<quint32>(renamed.size()));
    PutU32(renamed, entry + 12, static_cast<quint32>(table.size()));
    renamed += table;
    return renamed;
}

ManyFonts::ManyFonts(const QString& folder, int totalFonts) {
    FcInit();
    // The files the system lists once each: a collection or a variable font lists several
    // faces per file, and a copy of it would add more than one.
    QMap<QString, int> faces;
    int installed = 0;
    {
        FontList system = ListFiles(nullptr);
        installed = system ? system->nfont : 0;
        for (int i = 0; i < installed; ++i) {
            FcChar8* file = nullptr;
            if (FcPatternGetString(system->fonts[i], FC_FILE, 0, &file) == FcResultMatch) {
                ++faces[QString::fromLocal8Bit(reinterpret_cast<const char*>(file))];
            }
        }
    }
    QList<QFileInfo> sources;
    for (auto it = faces.cbegin(); it != faces.cend(); ++it) {
        const QFileInfo info(it.key());
        const QString suffix = info.suffix().toLower();
        if (it.value() == 1 && (suffix == QLatin1String("ttf") || suffix == QLatin1String("otf"))) {
            sources.append(info);
        }
    }
    // The smallest files first, so that the copies take little room.
    std::sort(sources.begin(), sources.end(),
              [](const QFileInfo& a, const QFileInfo& b) { return a.size() < b.size(); });

    const QDir root(folder);
    const QString fontDir = root.filePath(QStringLiteral("fonts"));
    const QString cacheDir = root.filePath(QStringLiteral("cache"));
    if (!root.mkpath(fontDir) || !root.mkpath(cacheDir)) {
        error_ = QStringLiteral("cannot make folders in ") + folder;
        return;
    }
    const int wanted = std::max(0, totalFonts - installed);
    if (wanted > 0 && sources.isEmpty()) {
        error_ = QStringLiteral("no single-face TrueType or OpenType fonts are installed");
        return;
    }
    const int rounds = wanted == 0 ? 0 : (wanted + sources.size() - 1) / sources.size();
    for (int round = 1; round <= rounds && added_ < wanted; ++round) {
        for (const QFileInfo& source : sources) {
            if (added_ == wanted) {
                break;
            }
            QFile in(source.filePath());
            if (!in.open(QIODevice::ReadOnly)) {
                continue;
            }
            const QByteArray renamed = RenameFamily(in.readAll(), QStringLiteral("K%1").arg(round));
            if (renamed.isEmpty()) {
                continue;
            }
            QFile out(QDir(fontDir).filePath(QStringLiteral("%1-k%2.%3")
                                                 .arg(source.completeBaseName())
                                                 .arg(round)
                                                 .arg(source.suffix())));
            if (out.open(QIODevice::WriteOnly) && out.write(renamed) == renamed.size()) {
                ++added_;
            }
        }
    }

    // The system's own configuration comes after this one's cache folder, so that the
    // cache of the added fonts is written here and nowhere else.
    FcChar8* systemFile = FcConfigFilename(nullptr);
    const QString systemConfig = systemFile != nullptr
                                     ? QFile::decodeName(reinterpret_cast<const char*>(systemFile))
                                     : QStringLiteral("/etc/fonts/fonts.conf");
    FcStrFree(systemFile);
    const QString configPath = root.filePath(QStringLiteral("fonts.conf"));
    QFile config(configPath);
    if (!config.open(QIODevice::WriteOnly | QIODevice::Text)) {
        error_ = QStringLiteral("cannot write ") + configPath;
        return;
    }
    config.write(
        QStringLiteral("<?xml version=\"1.0\"?>\n"
                       "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                       "<fontconfig>\n"
                       "  <cachedir>%1</cachedir>\n"
                       "  <dir>%2</dir>\n"
                       "  <include ignore_missing=\"no\">%3</include>\n"
                       "</fontconfig>\n")
            .arg(cacheDir.toHtmlEscaped(), fontDir.toHtmlEscaped(), systemConfig.toHtmlEscaped())
            .toUtf8());
    config.close();

    FcConfig* fixture = FcConfigCreate();
    const QByteArray encodedPath = QFile::encodeName(configPath);
    if (!FcConfigParseAndLoad(fixture, reinterpret_cast<const FcChar8*>(encodedPath.constData()),
                              FcTrue) ||
        !FcConfigBuildFonts(fixture)) {
        FcConfigDestroy(fixture);
        error_ = QStringLiteral("fontconfig does not take ") + configPath;
        return;
    }
    FontList listed = ListFiles(fixture);
    listed_ = listed ? listed->nfont : 0;
    FcConfigDestroy(fixture);
    configFile_ = configPath;
}

} // namespace korven::bench
