#include "host/control/PropertyBag.h"

#include "host/control/PropertyText.h"

#include <limits>

namespace korven::host {

namespace {

QString Describe(QStringView key, const PropertyValue& value) {
    return QStringLiteral("key \"%1\" holds %2 %3")
        .arg(key.toString(), PropertyTypeName(value),
             detail::ShowInMessage(detail::FormatValue(value)));
}

template <typename T>
Result<T> Unconvertible(QStringView key, const PropertyValue& value, const char* wanted) {
    return Result<T>::Failure(QStringLiteral("%1, which cannot be read as %2")
                                  .arg(Describe(key, value), QLatin1String(wanted)));
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
        return detail::ParseInteger(QStringView(*v).trimmed(), 64);
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
        return Status::Failure(
            QStringLiteral("\"%1\" is not a valid key").arg(detail::ShowInMessage(key)));
    }
    if (const auto* text = std::get_if<QString>(&value); text && text->size() > kMaxTextLength) {
        return Status::Failure(QStringLiteral("key \"%1\": a text of %2 characters is longer "
                                              "than the %3 a saved set can hold")
                                   .arg(key.toString())
                                   .arg(text->size())
                                   .arg(kMaxTextLength));
    }
    if (const auto* font = std::get_if<SavedFont>(&value)) {
        if (const QString why = detail::CheckFont(*font); !why.isEmpty()) {
            return Status::Failure(QStringLiteral("key \"%1\": %2").arg(key.toString(), why));
        }
    }
    for (Entry& entry : entries_) {
        if (key.compare(entry.key, Qt::CaseInsensitive) == 0) {
            entry.value = std::move(value);
            return Status::Success();
        }
    }
    if (entries_.size() >= kMaxEntries) {
        return Status::Failure(QStringLiteral("key \"%1\": a saved set holds at most %2 entries")
                                   .arg(key.toString())
                                   .arg(kMaxEntries));
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
