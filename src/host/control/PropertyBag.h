#pragma once

// A keyed, typed set of saved properties, and its text form.
//
// One control saves its design-time properties into a PropertyBag; a window's layout keeps
// each control's bag as text, usually in a small resource written by hand. The text form:
//
//     # XPButton1: the Convert button
//     BTYPE   = int32 2
//     TX      = text  "&Convert Font"
//     ENAB    = bool  -1
//     FONT    = font  "DejaVu Sans" size=8.25 weight=700 charset=0 italic
//     COLTYPE = int32 2
//     FOCUSR  = bool  0
//     BCOL    = int32 0x00E0DFE3
//     FCOL    = int32 0
//
// - UTF-8 text, one entry per line: KEY = TYPE VALUE. Spaces and tabs around the parts are
//   free. Blank lines and lines whose first non-blank character is '#' are ignored.
// - KEY: a letter or '_' followed by letters, digits or '_', at most 64 characters. Keys are
//   matched without regard to case; a key may appear only once.
// - int16 / int32: a decimal number with an optional sign, or 0x followed by hex digits
//   (up to 4 / 8 of them), which gives the bit pattern, so 0xFFFF is int16 -1 and
//   0x8000000F is a negative int32. Out-of-range values are errors.
// - bool: -1 (true) or 0 (false); true and false are also accepted.
// - text: in double quotes, on one line, at most 65535 characters. Escapes: \" \\ \n \r \t
//   and \uXXXX (four hex digits). Other control characters must be escaped.
// - font: the face name in quotes (same rules as text, 1 to 255 characters), then
//   size=POINTS (required, more than 0 and at most 1638), and optionally weight=1..1000
//   (default 400), charset=0..255 (default 0) and the flags italic, underline, strikeout.
//
// A set holds at most 1024 entries, and a file at most 1024 sets.
//
// A file that holds the sets of several controls starts each set with a line [NAME]
// (same rules as a key) and is read with ParseSets().
//
// Anything else (an unknown type, a missing value, an unterminated quote, stray characters
// after a value, invalid UTF-8, a NUL byte, more than 1 MiB of text) makes the whole parse
// fail with a message naming the line, the key and the offending value; nothing is half-read.
//
// Typed reads return the default when the key is absent, convert a value of another type
// where that is sound (int16 <-> int32 within range, bool -> -1/0, integer -> bool nonzero,
// numeric text -> integer or bool, integer or bool -> text) and fail otherwise, naming the
// key and the value. ToText() writes the entries in the order they were first written and
// Parse(ToText()) reproduces every value exactly.

#include "host/control/Result.h"
#include "host/control/SavedFont.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <utility>
#include <variant>
#include <vector>

namespace korven::host {

using PropertyValue = std::variant<std::int16_t, std::int32_t, bool, QString, SavedFont>;

// The type names of the text form, by the index of the variant: "int16", "int32", "bool",
// "text", "font".
QString PropertyTypeName(const PropertyValue& value);

class PropertyBag {
public:
    static constexpr int kMaxKeyLength = 64;
    static constexpr int kMaxTextLength = 65535;
    static constexpr int kMaxFaceLength = 255;
    static constexpr qsizetype kMaxInputLength = 1 << 20;
    static constexpr std::size_t kMaxEntries = 1024;

    struct Entry {
        QString key;
        PropertyValue value;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    // One bag from its text form. Section lines are refused here.
    static Result<PropertyBag> Parse(QStringView text);
    // The same from raw bytes, which must be valid UTF-8 without NUL bytes.
    static Result<PropertyBag> ParseUtf8(QByteArrayView bytes);
    // Several named bags, each introduced by a [NAME] line; names are unique (ignoring case).
    static Result<std::vector<std::pair<QString, PropertyBag>>> ParseSets(QStringView text);

    // The text form; entries in the order they were first written.
    QString ToText() const;
    // Several named bags in one text, readable by ParseSets().
    static QString SetsToText(const std::vector<std::pair<QString, PropertyBag>>& sets);

    static bool IsValidKey(QStringView key);

    // Writes replace an existing value of the same key in place (keeping its position) or
    // append. They fail, and change nothing, for an invalid key, a text over the length limit,
    // a font that the text form cannot hold or a new key beyond the entry limit.
    Status WriteInt16(QStringView key, std::int16_t value);
    Status WriteInt32(QStringView key, std::int32_t value);
    Status WriteBool(QStringView key, bool value);
    Status WriteText(QStringView key, const QString& value);
    Status WriteFont(QStringView key, const SavedFont& value);
    Status Write(QStringView key, PropertyValue value);

    // Reads with a default for an absent key and the conversions described above.
    Result<std::int16_t> ReadInt16(QStringView key, std::int16_t defaultValue) const;
    Result<std::int32_t> ReadInt32(QStringView key, std::int32_t defaultValue) const;
    Result<bool> ReadBool(QStringView key, bool defaultValue) const;
    Result<QString> ReadText(QStringView key, const QString& defaultValue) const;
    Result<SavedFont> ReadFont(QStringView key, const SavedFont& defaultValue) const;

    bool Contains(QStringView key) const { return Find(key) != nullptr; }
    // The stored value, unconverted; nullptr when absent.
    const PropertyValue* Find(QStringView key) const;
    const std::vector<Entry>& Entries() const { return entries_; }
    bool IsEmpty() const { return entries_.empty(); }

    friend bool operator==(const PropertyBag&, const PropertyBag&) = default;

private:
    std::vector<Entry> entries_;
};

} // namespace korven::host
