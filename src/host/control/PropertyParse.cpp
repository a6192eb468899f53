// Reading the text form of saved property sets (the grammar is in PropertyBag.h).

#include "host/control/PropertyBag.h"
#include "host/control/PropertyText.h"

#include <QStringDecoder>
#include <charconv>
#include <string>

namespace korven::host {

namespace {

using detail::ShowInMessage;

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringView TrimBlanks(QStringView s) {
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && IsBlank(s[b])) {
        ++b;
    }
    while (e > b && IsBlank(s[e - 1])) {
        --e;
    }
    return s.mid(b, e - b);
}

// Reads one entry or section line. The caller owns the line number for messages.
class LineReader {
public:
    LineReader(QStringView line, int number) : line_(line), number_(number) {}

    QString Fail(const QString& what) const {
        return key_.isEmpty() ? QStringLiteral("line %1: %2").arg(number_).arg(what)
                              : QStringLiteral("line %1, key \"%2\": %3")
                                    .arg(number_)
                                    .arg(ShowInMessage(key_), what);
    }

    // KEY = TYPE VALUE
    bool ReadEntry(QString& key, PropertyValue& value, QString& error) {
        const qsizetype eq = line_.indexOf(u'=');
        if (eq < 0) {
            error = Fail(QStringLiteral("expected KEY = TYPE VALUE, found \"%1\"")
                             .arg(ShowInMessage(TrimBlanks(line_))));
            return false;
        }
        const QStringView rawKey = TrimBlanks(line_.first(eq));
        if (!PropertyBag::IsValidKey(rawKey)) {
            error = Fail(QStringLiteral("\"%1\" is not a valid key").arg(ShowInMessage(rawKey)));
            return false;
        }
        key_ = rawKey.toString();
        key = key_;
        QStringView rest = TrimBlanks(line_.mid(eq + 1));
        qsizetype typeEnd = 0;
        while (typeEnd < rest.size() && !IsBlank(rest[typeEnd])) {
            ++typeEnd;
        }
        const QStringView type = rest.first(typeEnd);
        const QStringView text = TrimBlanks(rest.mid(typeEnd));
        if (type.isEmpty()) {
            error = Fail(QStringLiteral("the type and value are missing"));
            return false;
        }
        if (text.isEmpty()) {
            error = Fail(QStringLiteral("the %1 value is missing").arg(ShowInMessage(type)));
            return false;
        }
        if (type == u"int16" || type == u"int32") {
            const int bits = type == u"int16" ? 16 : 32;
            const std::optional<qint64> n = detail::ParseInteger(text, bits);
            if (!n) {
                error = Fail(QStringLiteral("\"%1\" is not a %2-bit integer")
                                 .arg(ShowInMessage(text))
                                 .arg(bits));
                return false;
            }
            value = bits == 16 ? PropertyValue(std::in_place_index<0>, static_cast<qint16>(*n))
                               : PropertyValue(std::in_place_index<1>, static_cast<qint32>(*n));
            return true;
        }
        if (type == u"bool") {
            if (text == u"-1" || text == u"true") {
                value = PropertyValue(std::in_place_index<2>, true);
            } else if (text == u"0" || text == u"false") {
                value = PropertyValue(std::in_place_index<2>, false);
            } else {
                error = Fail(QStringLiteral("\"%1\" is not a Boolean (write -1 or 0)")
                                 .arg(ShowInMessage(text)));
                return false;
            }
            return true;
        }
        if (type == u"text") {
            QString s;
            qsizetype pos = 0;
            if (!ReadQuoted(text, pos, PropertyBag::kMaxTextLength, s, error)) {
                return false;
            }
            if (pos != text.size()) {
                error = Fail(QStringLiteral("unexpected \"%1\" after the text")
                                 .arg(ShowInMessage(text.mid(pos))));
                return false;
            }
            value = PropertyValue(std::in_place_index<3>, std::move(s));
            return true;
        }
        if (type == u"font") {
            SavedFont font;
            if (!ReadFont(text, font, error)) {
                return false;
            }
            value = PropertyValue(std::in_place_index<4>, std::move(font));
            return true;
        }
        error = Fail(QStringLiteral("unknown type \"%1\" (int16, int32, bool, text or font)")
                         .arg(ShowInMessage(type)));
        return false;
    }

private:
    bool ReadQuoted(QStringView s, qsizetype& pos, qsizetype maxLength, QString& out,
                    QString& error) const {
        if (pos >= s.size() || s[pos] != u'"') {
            error = Fail(QStringLiteral("expected a quoted text, found \"%1\"")
                             .arg(ShowInMessage(s.mid(pos))));
            return false;
        }
        ++pos;
        while (pos < s.size()) {
            const char16_t c = s[pos].unicode();
            if (c == u'"') {
                ++pos;
                return true;
            }
            if (out.size() >= maxLength) {
                error =
                    Fail(QStringLiteral("the text is longer than %1 characters").arg(maxLength));
                return false;
            }
            if (c != u'\\') {
                out += s[pos++];
                continue;
            }
            if (pos + 1 >= s.size()) {
                break;
            }
            const char16_t e = s[pos + 1].unicode();
            pos += 2;
            switch (e) {
            case u'"':
                out += u'"';
                break;
            case u'\\':
                out += u'\\';
                break;
            case u'n':
                out += u'\n';
                break;
            case u'r':
                out += u'\r';
                break;
            case u't':
                out += u'\t';
                break;
            case u'u': {
                int code = 0;
                for (int i = 0; i < 4; ++i) {
                    const int h = pos + i < s.size() ? detail::HexValue(s[pos + i].unicode()) : -1;
                    if (h < 0) {
                        error = Fail(QStringLiteral("\\u needs four hex digits, found \"\\u%1\"")
                                         .arg(ShowInMessage(s.mid(pos, 4))));
                        return false;
                    }
                    code = code * 16 + h;
                }
                pos += 4;
                out += QChar(static_cast<char16_t>(code));
                break;
            }
            default:
                error = Fail(QStringLiteral("unknown escape \"\\%1\"").arg(QChar(e)));
                return false;
            }
        }
        error = Fail(QStringLiteral("the quoted text %1 has no closing quote")
                         .arg(ShowInMessage(s.first(std::min<qsizetype>(s.size(), 24)))));
        return false;
    }

    bool ReadFont(QStringView text, SavedFont& font, QString& error) const {
        qsizetype pos = 0;
        if (!ReadQuoted(text, pos, PropertyBag::kMaxFaceLength, font.face, error)) {
            return false;
        }
        bool haveSize = false;
        bool seen[6] = {};
        const QStringView fields = text.mid(pos);
        if (!fields.isEmpty() && !IsBlank(fields[0])) {
            error = Fail(QStringLiteral("expected a blank after the face name, found \"%1\"")
                             .arg(ShowInMessage(fields)));
            return false;
        }
        qsizetype at = 0;
        while (true) {
            while (at < fields.size() && IsBlank(fields[at])) {
                ++at;
            }
            if (at == fields.size()) {
                break;
            }
            const qsizetype start = at;
            while (at < fields.size() && !IsBlank(fields[at])) {
                ++at;
            }
            const QStringView t = fields.mid(start, at - start);
            static const char16_t* const kNames[] = {u"size",   u"weight",    u"charset",
                                                     u"italic", u"underline", u"strikeout"};
            const qsizetype eq = t.indexOf(u'=');
            const QStringView name = eq < 0 ? t : t.first(eq);
            int which = -1;
            for (int i = 0; i < 6; ++i) {
                if (name == QStringView(kNames[i])) {
                    which = i;
                }
            }
            if (which < 0 || (which < 3) != (eq >= 0)) {
                error = Fail(QStringLiteral("unknown font field \"%1\"").arg(ShowInMessage(t)));
                return false;
            }
            if (seen[which]) {
                error = Fail(
                    QStringLiteral("font field \"%1\" appears twice").arg(ShowInMessage(name)));
                return false;
            }
            seen[which] = true;
            const QStringView arg = eq < 0 ? QStringView() : t.mid(eq + 1);
            if (which == 0) {
                haveSize = ReadPoints(arg, font.sizePoints);
                if (!haveSize) {
                    error = Fail(QStringLiteral("\"%1\" is not a font size in points")
                                     .arg(ShowInMessage(arg)));
                    return false;
                }
            } else if (which < 3) {
                const std::optional<qint64> n = detail::ParseInteger(arg, 32);
                if (!n) {
                    error = Fail(QStringLiteral("\"%1\" is not a number for %2")
                                     .arg(ShowInMessage(arg), name.toString()));
                    return false;
                }
                (which == 1 ? font.weight : font.charset) = static_cast<int>(*n);
            } else {
                (which == 3 ? font.italic : which == 4 ? font.underline : font.strikeout) = true;
            }
        }
        if (!haveSize) {
            error = Fail(QStringLiteral("the font has no size=POINTS"));
            return false;
        }
        if (const QString why = detail::CheckFont(font); !why.isEmpty()) {
            error = Fail(why);
            return false;
        }
        return true;
    }

    static bool ReadPoints(QStringView text, double& points) {
        if (text.isEmpty() || text.size() > 32) {
            return false;
        }
        std::string ascii;
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (!((u >= u'0' && u <= u'9') || u == u'.' || u == u'e' || u == u'E' || u == u'-' ||
                  u == u'+')) {
                return false;
            }
            ascii += static_cast<char>(u);
        }
        const char* first = ascii.data();
        const char* last = first + ascii.size();
        const auto [end, ec] = std::from_chars(first, last, points);
        return ec == std::errc() && end == last;
    }

    QStringView line_;
    int number_;
    QString key_;
};

// Splits the text into lines and hands each one on; false stops with an error.
template <typename OnSection, typename OnEntry>
QString ForEachLine(QStringView text, OnSection onSection, OnEntry onEntry) {
    if (text.size() > PropertyBag::kMaxInputLength) {
        return QStringLiteral("the property set has %1 characters, more than the %2 allowed")
            .arg(text.size())
            .arg(PropertyBag::kMaxInputLength);
    }
    int number = 0;
    for (QStringView line : text.tokenize(u'\n')) {
        ++number;
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        for (const QChar c : line) {
            const char16_t u = c.unicode();
            if ((u < 0x20 && u != u'\t') || u == 0x7F) {
                return QStringLiteral("line %1: control character 0x%2 (escape it inside a text)")
                    .arg(number)
                    .arg(static_cast<uint>(u), 2, 16, QLatin1Char('0'));
            }
        }
        const QStringView trimmed = TrimBlanks(line);
        if (trimmed.isEmpty() || trimmed.startsWith(u'#')) {
            continue;
        }
        QString error;
        if (trimmed.startsWith(u'[')) {
            const QStringView name =
                trimmed.endsWith(u']') ? TrimBlanks(trimmed.sliced(1).chopped(1)) : QStringView();
            if (!PropertyBag::IsValidKey(name)) {
                return QStringLiteral("line %1: \"%2\" is not a valid [NAME] line")
                    .arg(number)
                    .arg(ShowInMessage(trimmed));
            }
            error = onSection(name, number);
        } else {
            LineReader reader(line, number);
            QString key;
            PropertyValue value;
            if (!reader.ReadEntry(key, value, error)) {
                return error;
            }
            error = onEntry(key, std::move(value), number);
        }
        if (!error.isEmpty()) {
            return error;
        }
    }
    return {};
}

QString AddEntry(PropertyBag& bag, const QString& key, PropertyValue value, int number) {
    if (bag.Contains(key)) {
        return QStringLiteral("line %1, key \"%2\": the key appears twice").arg(number).arg(key);
    }
    const Status written = bag.Write(key, std::move(value));
    return written ? QString() : QStringLiteral("line %1: %2").arg(number).arg(written.error());
}

} // namespace

Result<PropertyBag> PropertyBag::Parse(QStringView text) {
    PropertyBag bag;
    const QString error = ForEachLine(
        text,
        [](QStringView name, int number) {
            return QStringLiteral("line %1: section [%2] in a single property set")
                .arg(number)
                .arg(name.toString());
        },
        [&bag](const QString& key, PropertyValue value, int number) {
            return AddEntry(bag, key, std::move(value), number);
        });
    return error.isEmpty() ? Result<PropertyBag>::Success(std::move(bag))
                           : Result<PropertyBag>::Failure(error);
}

Result<PropertyBag> PropertyBag::ParseUtf8(QByteArrayView bytes) {
    if (bytes.size() > kMaxInputLength * 4) {
        return Result<PropertyBag>::Failure(
            QStringLiteral("the property set has %1 bytes, far more than allowed")
                .arg(bytes.size()));
    }
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0) {
        return Result<PropertyBag>::Failure(
            QStringLiteral("the property set holds a NUL byte at offset %1").arg(nul));
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return Result<PropertyBag>::Failure(
            QStringLiteral("the property set is not valid UTF-8 text"));
    }
    return Parse(text);
}

Result<std::vector<std::pair<QString, PropertyBag>>> PropertyBag::ParseSets(QStringView text) {
    using Sets = std::vector<std::pair<QString, PropertyBag>>;
    Sets sets;
    const QString error = ForEachLine(
        text,
        [&sets](QStringView name, int number) {
            for (const auto& [existing, bag] : sets) {
                if (name.compare(existing, Qt::CaseInsensitive) == 0) {
                    return QStringLiteral("line %1: section [%2] appears twice")
                        .arg(number)
                        .arg(name.toString());
                }
            }
            if (sets.size() >= PropertyBag::kMaxEntries) {
                return QStringLiteral("line %1: more than %2 sections")
                    .arg(number)
                    .arg(PropertyBag::kMaxEntries);
            }
            sets.emplace_back(name.toString(), PropertyBag());
            return QString();
        },
        [&sets](const QString& key, PropertyValue value, int number) {
            if (sets.empty()) {
                return QStringLiteral("line %1, key \"%2\": an entry before the first [NAME] line")
                    .arg(number)
                    .arg(key);
            }
            return AddEntry(sets.back().second, key, std::move(value), number);
        });
    return error.isEmpty() ? Result<Sets>::Success(std::move(sets)) : Result<Sets>::Failure(error);
}

QString PropertyBag::ToText() const {
    QString out;
    for (const Entry& entry : entries_) {
        out += entry.key;
        out += QLatin1String(" = ");
        out += PropertyTypeName(entry.value);
        out += QLatin1Char(' ');
        out += detail::FormatValue(entry.value);
        out += QLatin1Char('\n');
    }
    return out;
}

QString PropertyBag::SetsToText(const std::vector<std::pair<QString, PropertyBag>>& sets) {
    QString out;
    for (const auto& [name, bag] : sets) {
        if (!out.isEmpty()) {
            out += QLatin1Char('\n');
        }
        out += QLatin1Char('[') + name + QLatin1String("]\n");
        out += bag.ToText();
    }
    return out;
}

} // namespace korven::host
