#include "host/control/PropertyText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace korven::host::detail {

namespace {

constexpr double kMaxFontPoints = 1638.0;

void AppendEscapedUnit(QString& out, char16_t c) {
    out += QStringLiteral("\\u%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0'));
}

bool IsControl(char16_t c) {
    return c < 0x20 || c == 0x7F;
}

QString FormatPoints(double points) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, points);
    if (ec != std::errc()) {
        return QStringLiteral("0");
    }
    return QString::fromLatin1(buffer, end - buffer);
}

} // namespace

QString QuoteText(QStringView text) {
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        switch (c) {
        case u'"':
            out += QLatin1String("\\\"");
            continue;
        case u'\\':
            out += QLatin1String("\\\\");
            continue;
        case u'\n':
            out += QLatin1String("\\n");
            continue;
        case u'\r':
            out += QLatin1String("\\r");
            continue;
        case u'\t':
            out += QLatin1String("\\t");
            continue;
        default:
            break;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            out += text[i];
            out += text[i + 1];
            ++i;
        } else if (IsControl(c) || QChar::isSurrogate(c)) {
            // A lone surrogate cannot be written as UTF-8; the escape keeps it exact.
            AppendEscapedUnit(out, c);
        } else {
            out += text[i];
        }
    }
    out += QLatin1Char('"');
    return out;
}

QString FormatValue(const PropertyValue& value) {
    if (const auto* v = std::get_if<std::int16_t>(&value)) {
        return QString::number(*v);
    }
    if (const auto* v = std::get_if<std::int32_t>(&value)) {
        return QString::number(*v);
    }
    if (const auto* v = std::get_if<bool>(&value)) {
        return *v ? QStringLiteral("-1") : QStringLiteral("0");
    }
    if (const auto* v = std::get_if<QString>(&value)) {
        return QuoteText(*v);
    }
    const auto& font = std::get<SavedFont>(value);
    QString out = QuoteText(font.face);
    out += QStringLiteral(" size=%1 weight=%2 charset=%3")
               .arg(FormatPoints(font.sizePoints))
               .arg(font.weight)
               .arg(font.charset);
    if (font.italic) {
        out += QLatin1String(" italic");
    }
    if (font.underline) {
        out += QLatin1String(" underline");
    }
    if (font.strikeout) {
        out += QLatin1String(" strikeout");
    }
    return out;
}

QString ShowInMessage(QStringView raw) {
    constexpr qsizetype kShown = 48;
    QString out;
    const qsizetype n = std::min(raw.size(), kShown);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = raw[i].unicode();
        if (IsControl(c) || QChar::isSurrogate(c)) {
            AppendEscapedUnit(out, c);
        } else {
            out += raw[i];
        }
    }
    if (raw.size() > kShown) {
        out += QStringLiteral("... (%1 characters)").arg(raw.size());
    }
    return out;
}

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

std::optional<qint64> ParseInteger(QStringView text, int bits) {
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        const QStringView digits = text.mid(2);
        if (digits.size() > bits / 4) {
            return std::nullopt;
        }
        quint64 pattern = 0;
        for (const QChar ch : digits) {
            const char16_t c = ch.unicode();
            const int v = HexValue(c);
            if (v < 0) {
                return std::nullopt;
            }
            pattern = pattern * 16 + static_cast<quint64>(v);
        }
        if (bits < 64 && pattern >= (quint64{1} << (bits - 1))) {
            return static_cast<qint64>(pattern) - (qint64{1} << bits);
        }
        return static_cast<qint64>(pattern);
    }
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
        negative = text[0] == u'-';
        i = 1;
    }
    if (i == text.size() || text.size() - i > 18) {
        return std::nullopt; // 18 digits always fit in 64 bits
    }
    qint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - u'0');
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (bits < 64) {
        const qint64 low = -(qint64{1} << (bits - 1));
        const qint64 high = (qint64{1} << (bits - 1)) - 1;
        if (value < low || value > high) {
            return std::nullopt;
        }
    }
    return value;
}

QString CheckFont(const SavedFont& font) {
    if (font.face.isEmpty() || font.face.size() > PropertyBag::kMaxFaceLength) {
        return QStringLiteral("a font face name needs 1 to %1 characters, not %2")
            .arg(PropertyBag::kMaxFaceLength)
            .arg(font.face.size());
    }
    if (!std::isfinite(font.sizePoints) || font.sizePoints <= 0 ||
        font.sizePoints > kMaxFontPoints) {
        return QStringLiteral("font size %1 is not more than 0 and at most %2")
            .arg(FormatPoints(font.sizePoints))
            .arg(kMaxFontPoints);
    }
    if (font.weight < 1 || font.weight > 1000) {
        return QStringLiteral("font weight %1 is not between 1 and 1000").arg(font.weight);
    }
    if (font.charset < 0 || font.charset > 255) {
        return QStringLiteral("font character set %1 is not between 0 and 255").arg(font.charset);
    }
    return {};
}

} // namespace korven::host::detail
