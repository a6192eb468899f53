#pragma once

// The self-drawn push button as a live control.
//
// Placing one in a window:
//
//     auto* b = new korven::xpbutton::XPButton(parent);             // creation
//     korven::host::Status loaded = b->ReadProperties(savedBag);    // or b->InitProperties()
//     b->setGeometry(x, y, w, h);    // the resize: outline and released look
//     QObject::connect(b, &korven::xpbutton::XPButton::Click, form, [] { ... });
//
// PlaceFromSavedSet does the first three steps for a window's own buttons. A saved set for a
// button holds the keys BTYPE (int32), TX (text), ENAB (bool), FONT (font), COLTYPE (int32),
// FOCUSR (bool), BCOL and FCOL (int32 colours 0x00BBGGRR); absent keys take the defaults of
// a new button (ButtonProperties.h).
//
// Property writes redraw at once and then emit PropertyChanged(key) with the property's saved
// key. They do not rebuild the window outline: a new ButtonType shows its look at once and
// its corners at the next resize. The resize notification arrives when the widget gets its
// size while visible, or when it is shown; until then the button has no size and draws
// nothing.
//
// The events are Qt signals whose arguments are references (connect them directly, not
// queued). The button never reads the arguments back. A handler may delete the button; the
// button then does nothing more for that input.

#include "controls/xpbutton/ButtonInput.h"
#include "controls/xpbutton/appearance/ButtonState.h"
#include "host/control/ControlWindow.h"
#include "host/control/PropertyBag.h"

#include <QFont>
#include <QString>
#include <cstdint>

namespace korven::xpbutton {

struct SavedButton;

class XPButton : public host::ControlWindow, private ButtonHost {
    Q_OBJECT
public:
    // Creation: the record with its palette from the system colours; type and scheme 0 and no
    // size until first placement or loading and the first resize.
    explicit XPButton(QWidget* parent = nullptr);
    ~XPButton() override;

    // --- life cycle ---------------------------------------------------------------------
    // First placement of a new button: enabled, focus cue shown, the surface's font, type 2,
    // scheme 1, the system button colours, empty caption; the widget gets the design size
    // 190 x 48. Nothing is drawn until the resize.
    void InitProperties();
    // Loading: reads the eight keys (absent ones take their default), then applies them all,
    // recomputes palette and access key and redraws released. When a value cannot be read
    // the result names the key and value and the button is left exactly as it was.
    host::Status ReadProperties(const host::PropertyBag& bag);
    // Saving: writes all eight keys into bag (other keys in bag stay). Fails, leaving bag as
    // it was, only for a font the set cannot hold (no face name or no size).
    host::Status WriteProperties(host::PropertyBag& bag) const;

    // --- properties (read returns the stored value) ---------------------------------------
    host::Colour BackColor() const { return state_.BackColor; }
    void SetBackColor(host::Colour theCol);
    host::Colour ForeColor() const { return state_.ForeColor; }
    void SetForeColor(host::Colour theCol);
    std::int32_t ButtonType() const { return state_.ButtonType; }
    void SetButtonType(std::int32_t newValue);
    QString Caption() const { return state_.Caption; }
    void SetCaption(const QString& newValue);
    // Writing false draws the disabled look, then disables the window: no mouse, key or
    // access-key input reaches the button until it is enabled again. QWidget::setEnabled on
    // the button itself does the same as SetEnabled.
    bool Enabled() const { return state_.Enabled == kTrue; }
    void SetEnabled(bool newValue);
    QFont Font() const { return state_.Font; }
    // The character set saved with the font is kept.
    void SetFont(const QFont& newFont);
    std::int32_t ColorScheme() const { return state_.ColorScheme; }
    void SetColorScheme(std::int32_t newValue);
    bool ShowFocusRect() const { return state_.ShowFocusRect == kTrue; }
    void SetShowFocusRect(bool newValue);
    // The native window that shows the button (child widgets share their top-level's window
    // unless made native; asking does not make one).
    WId hwnd() const { return effectiveWinId(); }

    // The whole record, for tests and tools (DrawnState is the look on screen).
    const ButtonState& State() const { return state_; }
    // The caption as shown: "&" marks resolved.
    QString AccessibleName() const override;

signals:
    void Click();
    void MouseDown(qint16& Button, qint16& Shift, float& X, float& Y);
    void MouseUp(qint16& Button, qint16& Shift, float& X, float& Y);
    void KeyPress(qint16& KeyAscii);
    void KeyDown(qint16& KeyCode, qint16& Shift);
    void KeyUp(qint16& KeyCode, qint16& Shift);

protected:
    void OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y) override;
    void OnMouseMove(std::int16_t buttons, std::int16_t shift, float x, float y) override;
    void OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y) override;
    void OnClick() override;
    void OnDblClick() override;
    void OnKeyDown(std::int16_t keyCode, std::int16_t shift) override;
    void OnKeyPress(std::int16_t keyAscii) override;
    void OnKeyUp(std::int16_t keyCode, std::int16_t shift) override;
    void OnAccessKeyPress(std::int16_t keyAscii) override;
    void OnGotFocus() override;
    void OnLostFocus() override;
    void OnAmbientChanged(const QString& name) override;
    void OnResize(int width, int height) override;
    void changeEvent(QEvent* event) override;

private:
    // ButtonHost
    host::DrawingSurface& Canvas() override { return Surface(); }
    bool RaiseClick() override;
    bool RaiseMouseDown(std::int16_t button, std::int16_t shift, float x, float y) override;
    bool RaiseMouseUp(std::int16_t button, std::int16_t shift, float x, float y) override;
    bool RaiseKeyPress(std::int16_t keyAscii) override;
    bool RaiseKeyDown(std::int16_t keyCode, std::int16_t shift) override;
    bool RaiseKeyUp(std::int16_t keyCode, std::int16_t shift) override;
    void InjectKeys(const QString& keys) override { SendKeys(keys); }

    // The saved fields into the record, and back. Without a font the surface's font stays,
    // with the character set saved with it.
    void Store(const SavedButton& values);
    SavedButton Saved() const;

    void Redraw(std::uint8_t look);
    void Announce(const QString& key);
    void AnnounceName();

    ButtonState state_;
    int fontCharset_ = 0;
};

} // namespace korven::xpbutton
