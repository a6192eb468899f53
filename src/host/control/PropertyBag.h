#pragma once

// A keyed, typed set of saved properties.
//
// One control saves its design-time properties into a PropertyBag and reads them back from
// one when its window is loaded. Each entry holds a value of one of five types: int16,
// int32, bool, text or font.
//
// - Keys: a letter or '_' followed by letters, digits or '_', at most 64 characters. Keys
//   are matched without regard to case; writing a key again replaces its value in place.
// - Writes fail, and change nothing, for an invalid key, a text of more than 65535
//   characters, or a font that cannot be saved: a face name of 1 to 255 characters, a size
//   of more than 0 and at most 1638 points, a weight of 1 to 1000 and a character set of 0
//   to 255 are required.
// - Typed reads return the default when the key is absent, convert a value of another type
//   where that is sound (int16 <-> int32 within range, bool -> -1/0, integer -> bool nonzero,
//   numeric text -> integer or bool, "true"/"false" -> bool, integer or bool -> text) and
//   fail otherwise, naming the key and the value. Numeric text is a decimal number with an
//   optional sign, or 0x followed by hex digits.

#include "host/control/Result.h"
#include "host/control/SavedFont.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <variant>
#include <vector>

namespace korven::host {

using PropertyValue = std::variant<std::int16_t, std::int32_t, bool, QString, SavedFont>;

// The type names, by the index of the variant: "int16", "int32", "bool", "text", "font".
QString PropertyTypeName(const PropertyValue& value);

class PropertyBag {
public:
    static constexpr int kMaxKeyLength = 64;
    static constexpr int kMaxTextLength = 65535;
    static constexpr int kMaxFaceLength = 255;

    struct Entry {
        QString key;
        PropertyValue value;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    static bool IsValidKey(QStringView key);

    // Writes replace an existing value of the same key in place (keeping its position) or
    // append.
    Status WriteInt16(QStringView key, std::int16_t value);
    Status WriteInt32(QStringView key, std::int32_t value);
    Status WriteBool(QStringView key, bool value);
    Status WriteText(QStringView key, const QString& value);
    Status WriteFont(QStringView key, const SavedFont& value);

    // Reads with a default for an absent key and the conversions described above.
    Result<std::int16_t> ReadInt16(QStringView key, std::int16_t defaultValue) const;
    Result<std::int32_t> ReadInt32(QStringView key, std::int32_t defaultValue) const;
    Result<bool> ReadBool(QStringView key, bool defaultValue) const;
    Result<QString> ReadText(QStringView key, const QString& defaultValue) const;
    Result<SavedFont> ReadFont(QStringView key, const SavedFont& defaultValue) const;

    bool Contains(QStringView key) const { return Find(key) != nullptr; }
    // The stored value, unconverted; nullptr when absent.
    const PropertyValue* Find(QStringView key) const;
    // In the order the keys were first written.
    const std::vector<Entry>& Entries() const { return entries_; }

    friend bool operator==(const PropertyBag&, const PropertyBag&) = default;

private:
    Status Write(QStringView key, PropertyValue value);

    std::vector<Entry> entries_;
};

} // namespace korven::host
