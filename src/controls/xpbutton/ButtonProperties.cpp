#include "controls/xpbutton/ButtonProperties.h"

#include "host/surface/SystemColours.h"

#include <variant>

namespace korven::xpbutton {

namespace {

using host::PropertyBag;
using host::Status;

// A colour travels in the set as a 32-bit integer with the same bits.
struct ColourField {
    host::Colour SavedButton::*member;
};
struct FontField {};

using Field = std::variant<std::int32_t SavedButton::*, QString SavedButton::*, bool SavedButton::*,
                           ColourField, FontField>;

struct Row {
    const QString* key;
    Field field;
};

// The order of this table is the order of reading and writing.
const Row kRows[] = {
    {&kKeyButtonType, &SavedButton::ButtonType},
    {&kKeyCaption, &SavedButton::Caption},
    {&kKeyEnabled, &SavedButton::Enabled},
    {&kKeyFont, FontField{}},
    {&kKeyColorScheme, &SavedButton::ColorScheme},
    {&kKeyShowFocusRect, &SavedButton::ShowFocusRect},
    {&kKeyBackColor, ColourField{&SavedButton::BackColor}},
    {&kKeyForeColor, ColourField{&SavedButton::ForeColor}},
};

template <typename T>
Status Take(host::Result<T> read, T& target) {
    if (!read) {
        return Status::Failure(read.error());
    }
    target = std::move(read).value();
    return Status::Success();
}

Status ReadRow(const Row& row, const PropertyBag& bag, const SavedButton& defaults,
               SavedButton& out) {
    const QString& key = *row.key;
    if (const auto* m = std::get_if<std::int32_t SavedButton::*>(&row.field)) {
        return Take(bag.ReadInt32(key, defaults.**m), out.**m);
    }
    if (const auto* m = std::get_if<QString SavedButton::*>(&row.field)) {
        return Take(bag.ReadText(key, defaults.**m), out.**m);
    }
    if (const auto* m = std::get_if<bool SavedButton::*>(&row.field)) {
        return Take(bag.ReadBool(key, defaults.**m), out.**m);
    }
    if (const auto* c = std::get_if<ColourField>(&row.field)) {
        std::int32_t bits = 0;
        const Status s =
            Take(bag.ReadInt32(key, static_cast<std::int32_t>(defaults.*c->member)), bits);
        out.*c->member = static_cast<host::Colour>(bits);
        return s;
    }
    // The font: absent means the surface's own font, kept exactly as it is.
    if (!bag.Contains(key)) {
        out.Font = defaults.Font;
        out.FontCharset = defaults.FontCharset;
        return Status::Success();
    }
    host::SavedFont saved;
    if (Status s = Take(bag.ReadFont(key, saved), saved); !s) {
        return s;
    }
    out.Font = saved.ToQFont();
    out.FontCharset = saved.charset;
    return Status::Success();
}

Status WriteRow(const Row& row, const SavedButton& values, PropertyBag& bag) {
    const QString& key = *row.key;
    if (const auto* m = std::get_if<std::int32_t SavedButton::*>(&row.field)) {
        return bag.WriteInt32(key, values.**m);
    }
    if (const auto* m = std::get_if<QString SavedButton::*>(&row.field)) {
        return bag.WriteText(key, values.**m);
    }
    if (const auto* m = std::get_if<bool SavedButton::*>(&row.field)) {
        return bag.WriteBool(key, values.**m);
    }
    if (const auto* c = std::get_if<ColourField>(&row.field)) {
        return bag.WriteInt32(key, static_cast<std::int32_t>(values.*c->member));
    }
    return bag.WriteFont(key, host::SavedFont::FromQFont(values.Font, values.FontCharset));
}

} // namespace

SavedButton DefaultSavedButton(const QFont& surfaceFont) {
    SavedButton defaults;
    defaults.Font = surfaceFont;
    defaults.BackColor = host::GetSysColor(host::COLOR_BTNFACE);
    defaults.ForeColor = host::GetSysColor(host::COLOR_BTNTEXT);
    return defaults;
}

host::Result<SavedButton> ReadSavedButton(const PropertyBag& bag, const SavedButton& defaults) {
    SavedButton values = defaults;
    for (const Row& row : kRows) {
        if (const Status s = ReadRow(row, bag, defaults, values); !s) {
            return host::Result<SavedButton>::Failure(s.error());
        }
    }
    return host::Result<SavedButton>::Success(std::move(values));
}

Status WriteSavedButton(const SavedButton& values, PropertyBag& bag) {
    PropertyBag updated = bag;
    for (const Row& row : kRows) {
        if (const Status s = WriteRow(row, values, updated); !s) {
            return s;
        }
    }
    bag = std::move(updated);
    return Status::Success();
}

} // namespace korven::xpbutton
