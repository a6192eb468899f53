#include "host/control/PropertyBag.h"

#include <cmath>
#include <limits>
#include <optional>

namespace korven::host {

namespace {

constexpr double kMaxFontPoints = 1638.0;

// A value as an error message shows it: texts in quotes and cut short.
QString ShowValue(const PropertyValue& value) {
    constexpr qsizetype kShown = 48;
    const auto quoted = [](const QString& text) {
        return text.size() <= kShown ? QStringLiteral("\"%1\"").arg(text)
                                     : QStringLiteral("\"%1...\" (%2 characters)")
                                           .arg(text.left(kShown))
                                           .arg(text.size());
    };
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
        return quoted(*v);
    }
    const auto& font = std::get<SavedFont>(value);
    return QStringLiteral("%1 size=%2").arg(quoted(font.face)).arg(font.sizePoints);
}

QString Describe(QStringView key, const PropertyValue& value) {
    return QStringLiteral("key \"%1\" holds %2 %3")
        .arg(key.toString(), PropertyTypeName(value), ShowValue(value));
}

template <typename T>
Result<T> Unconvertible(QStringView key, const PropertyValue& value, const char* wanted) {
    return Result<T>::Failure(QStringLiteral("%1, which cannot be read as %2")
                                  .arg(Describe(key, value), QLatin1String(wanted)));
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

// Numeric text: a decimal number with an optional sign, or 0x followed by up to 16 hex
// digits that give the bit pattern of a 64-bit number.
std::optional<qint64> ParseInteger(QStringView text) {
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        const QStringView digits = text.mid(2);
        if (digits.size() > 16) {
            return std::nullopt;
        }
        quint64 pattern = 0;
        for (const QChar ch : digits) {
            const int v = HexValue(ch.unicode());
            if (v < 0) {
                return std::nullopt;
            }
            pattern = pattern * 16 + static_cast<quint64>(v);
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
    return negative ? -magnitude : magnitude;
}

// Integers of either width, Booleans as -1/0 and numeric text, as a 64-bit number.
std::optional<qint64> AsInteger(const PropertyValue& value) {
    if (const auto* v = std::get_if<std::int16_t>(&value)) {
        return *v;
    }
    if (const auto* v = std::get_if<std::int32_t>(&value)) {
        return *v;
    }
    if (const auto* v = std::get_if<bool>(&value)) {
        return *v ? -1 : 0;
    }
    if (const auto* v = std::get_if<QString>(&value)) {
        return ParseInteger(QStringView(*v).trimmed());
    }
    return std::nullopt;
}

template <typename T>
Result<T> ReadInteger(const PropertyBag& bag, QStringView key, T defaultValue, const char* wanted) {
    const PropertyValue* value = bag.Find(key);
    if (value == nullptr) {
        return Result<T>::Success(defaultValue);
    }
    const std::optional<qint64> n = AsInteger(*value);
    if (!n) {
        return Unconvertible<T>(key, *value, wanted);
    }
    if (*n < std::numeric_limits<T>::min() || *n > std::numeric_limits<T>::max()) {
        return Result<T>::Failure(
            QStringLiteral("%1, which is out of range for %2").arg(Describe(key, *value), wanted));
    }
    return Result<T>::Success(static_cast<T>(*n));
}

// Why a font cannot be saved; empty when it can.
QString CheckFont(const SavedFont& font) {
    if (font.face.isEmpty() || font.face.size() > PropertyBag::kMaxFaceLength) {
        return QStringLiteral("a font face name needs 1 to %1 characters, not %2")
            .arg(PropertyBag::kMaxFaceLength)
            .arg(font.face.size());
    }
    if (!std::isfinite(font.sizePoints) || font.sizePoints <= 0 ||
        font.sizePoints > kMaxFontPoints) {
        return QStringLiteral("font size %1 is not more than 0 and at most %2")
            .arg(font.sizePoints)
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

} // namespace

QString PropertyTypeName(const PropertyValue& value) {
    static const char* const kNames[] = {"int16", "int32", "bool", "text", "font"};
    return QLatin1String(kNames[value.index()]);
}

bool PropertyBag::IsValidKey(QStringView key) {
    if (key.isEmpty() || key.size() > kMaxKeyLength) {
        return false;
    }
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char16_t c = key[i].unicode();
        const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
        const bool digit = c >= u'0' && c <= u'9';
        if (!letter && !(digit && i > 0)) {
            return false;
        }
    }
    return true;
}

const PropertyValue* PropertyBag::Find(QStringView key) const {
    for (const Entry& entry : entries_) {
        if (key.compare(entry.key, Qt::CaseInsensitive) == 0) {
            return &entry.value;
        }
    }
    return nullptr;
}

Status PropertyBag::Write(QStringView key, PropertyValue value) {
    if (!IsValidKey(key)) {
        return Status::Failure(QStringLiteral("\"%1\" is not a valid key").arg(key.toString()));
    }
    if (const auto* text = std::get_if<QString>(&value); text && text->size() > kMaxTextLength) {
        return Status::Failure(QStringLiteral("key \"%1\": a text of %2 characters is longer "
                                              "than the %3 a saved set can hold")
                                   .arg(key.toString())
                                   .arg(text->size())
                                   .arg(kMaxTextLength));
    }
    if (const auto* font = std::get_if<SavedFont>(&value)) {
        if (const QString why = CheckFont(*font); !why.isEmpty()) {
            return Status::Failure(QStringLiteral("key \"%1\": %2").arg(key.toString(), why));
        }
    }
    for (Entry& entry : entries_) {
        if (key.compare(entry.key, Qt::CaseInsensitive) == 0) {
            entry.value = std::move(value);
            return Status::Success();
        }
    }
    entries_.push_back(Entry{key.toString(), std::move(value)});
    return Status::Success();
}

Status PropertyBag::WriteInt16(QStringView key, std::int16_t value) {
    return Write(key, PropertyValue(std::in_place_index<0>, value));
}
Status PropertyBag::WriteInt32(QStringView key, std::int32_t value) {
    return Write(key, PropertyValue(std::in_place_index<1>, value));
}
Status PropertyBag::WriteBool(QStringView key, bool value) {
    return Write(key, PropertyValue(std::in_place_index<2>, value));
}
Status PropertyBag::WriteText(QStringView key, const QString& value) {
    return Write(key, PropertyValue(std::in_place_index<3>, value));
}
Status PropertyBag::WriteFont(QStringView key, const SavedFont& value) {
    return Write(key, PropertyValue(std::in_place_index<4>, value));
}

Result<std::int16_t> PropertyBag::ReadInt16(QStringView key, std::int16_t defaultValue) const {
    return ReadInteger<std::int16_t>(*this, key, defaultValue, "a 16-bit integer");
}

Result<std::int32_t> PropertyBag::ReadInt32(QStringView key, std::int32_t defaultValue) const {
    return ReadInteger<std::int32_t>(*this, key, defaultValue, "a 32-bit integer");
}

Result<bool> PropertyBag::ReadBool(QStringView key, bool defaultValue) const {
    const PropertyValue* value = Find(key);
    if (value == nullptr) {
        return Result<bool>::Success(defaultValue);
    }
    if (const auto* text = std::get_if<QString>(value)) {
        const QStringView t = QStringView(*text).trimmed();
        if (t.compare(u"true", Qt::CaseInsensitive) == 0) {
            return Result<bool>::Success(true);
        }
        if (t.compare(u"false", Qt::CaseInsensitive) == 0) {
            return Result<bool>::Success(false);
        }
    }
    const std::optional<qint64> n = AsInteger(*value);
    if (!n) {
        return Unconvertible<bool>(key, *value, "a Boolean");
    }
    return Result<bool>::Success(*n != 0);
}

Result<QString> PropertyBag::ReadText(QStringView key, const QString& defaultValue) const {
    const PropertyValue* value = Find(key);
    if (value == nullptr) {
        return Result<QString>::Success(defaultValue);
    }
    if (const auto* text = std::get_if<QString>(value)) {
        return Result<QString>::Success(*text);
    }
    if (const auto* b = std::get_if<bool>(value)) {
        return Result<QString>::Success(*b ? QStringLiteral("True") : QStringLiteral("False"));
    }
    if (const std::optional<qint64> n = AsInteger(*value)) {
        return Result<QString>::Success(QString::number(*n));
    }
    return Unconvertible<QString>(key, *value, "text");
}

Result<SavedFont> PropertyBag::ReadFont(QStringView key, const SavedFont& defaultValue) const {
    const PropertyValue* value = Find(key);
    if (value == nullptr) {
        return Result<SavedFont>::Success(defaultValue);
    }
    if (const auto* font = std::get_if<SavedFont>(value)) {
        return Result<SavedFont>::Success(*font);
    }
    return Unconvertible<SavedFont>(key, *value, "a font");
}

} // namespace korven::host
