#include "controls/xpbutton/ButtonProperties.h"

#include "host/surface/SystemColours.h"

namespace korven::xpbutton {

namespace {

using host::PropertyBag;
using host::SavedFont;
using host::Status;

// The one list of the saved fields: each key with its member, in the fixed order of reading
// and writing. The member's type says how the value is saved.
template <typename Saved, typename Visit>
void ForEachField(Saved& s, Visit& visit) {
    visit(kKeyButtonType, s.ButtonType);
    visit(kKeyCaption, s.Caption);
    visit(kKeyEnabled, s.Enabled);
    visit(kKeyFont, s.Font);
    visit(kKeyColorScheme, s.ColorScheme);
    visit(kKeyShowFocusRect, s.ShowFocusRect);
    visit(kKeyBackColor, s.BackColor);
    visit(kKeyForeColor, s.ForeColor);
}

// Reads each field with its current value as the default; stops at the first failure.
class FieldReader {
public:
    explicit FieldReader(const PropertyBag& bag) : bag_(bag) {}

    void operator()(const QString& key, std::int32_t& v) { Take(bag_.ReadInt32(key, v), v); }
    void operator()(const QString& key, QString& v) { Take(bag_.ReadText(key, v), v); }
    void operator()(const QString& key, bool& v) { Take(bag_.ReadBool(key, v), v); }
    // A colour travels as a 32-bit integer with the same bits.
    void operator()(const QString& key, host::Colour& v) {
        auto bits = static_cast<std::int32_t>(v);
        Take(bag_.ReadInt32(key, bits), bits);
        v = static_cast<host::Colour>(bits);
    }
    // Absent, there is no font: the surface keeps its own.
    void operator()(const QString& key, std::optional<SavedFont>& v) {
        SavedFont font;
        if (bag_.Contains(key) && Take(bag_.ReadFont(key, font), font)) {
            v = std::move(font);
        }
    }

    Status status;

private:
    template <typename T>
    bool Take(host::Result<T> read, T& target) {
        if (status && !read) {
            status = Status::Failure(read.error());
        }
        if (!status) {
            return false;
        }
        target = std::move(read).value();
        return true;
    }

    const PropertyBag& bag_;
};

// Writes each field with its type; keeps the first failure.
class FieldWriter {
public:
    explicit FieldWriter(PropertyBag& bag) : bag_(bag) {}

    void operator()(const QString& key, std::int32_t v) { Put(bag_.WriteInt32(key, v)); }
    void operator()(const QString& key, const QString& v) { Put(bag_.WriteText(key, v)); }
    void operator()(const QString& key, bool v) { Put(bag_.WriteBool(key, v)); }
    void operator()(const QString& key, host::Colour v) {
        Put(bag_.WriteInt32(key, static_cast<std::int32_t>(v)));
    }
    void operator()(const QString& key, const std::optional<SavedFont>& v) {
        if (v) {
            Put(bag_.WriteFont(key, *v));
        }
    }

    Status status;

private:
    void Put(Status written) {
        if (status && !written) {
            status = std::move(written);
        }
    }

    PropertyBag& bag_;
};

} // namespace

SavedButton DefaultSavedButton() {
    SavedButton defaults;
    defaults.BackColor = host::GetSysColor(host::COLOR_BTNFACE);
    defaults.ForeColor = host::GetSysColor(host::COLOR_BTNTEXT);
    return defaults;
}

host::Result<SavedButton> ReadSavedButton(const PropertyBag& bag) {
    SavedButton values = DefaultSavedButton();
    FieldReader reader(bag);
    ForEachField(values, reader);
    if (!reader.status) {
        return host::Result<SavedButton>::Failure(reader.status.error());
    }
    return host::Result<SavedButton>::Success(std::move(values));
}

Status WriteSavedButton(const SavedButton& values, PropertyBag& bag) {
    PropertyBag updated = bag;
    FieldWriter writer(updated);
    ForEachField(values, writer);
    if (writer.status) {
        bag = std::move(updated);
    }
    return writer.status;
}

} // namespace korven::xpbutton
