#include "controls/xpbutton/XPButton.h"

#include "controls/xpbutton/ButtonProperties.h"
#include "controls/xpbutton/appearance/AccessKey.h"
#include "controls/xpbutton/appearance/DrawButton.h"
#include "controls/xpbutton/appearance/Palette.h"
#include "host/surface/CaptionText.h"

#include <QAccessible>
#include <QEvent>
#include <QPointer>

namespace korven::xpbutton {

namespace {
constexpr int kDesignWidth = 190;
constexpr int kDesignHeight = 48;
} // namespace

XPButton::XPButton(QWidget* parent) : ControlWindow(parent) {
    // The record starts with the creation values, palette included.
    state_ = CreateButtonState(Surface());
}

XPButton::~XPButton() = default;

// --- life cycle -----------------------------------------------------------------------------

void XPButton::InitProperties() {
    Store(DefaultSavedButton());
    resize(kDesignWidth, kDesignHeight);
}

host::Status XPButton::ReadProperties(const host::PropertyBag& bag) {
    const host::Result<SavedButton> read = ReadSavedButton(bag);
    if (!read) {
        return host::Status::Failure(read.error());
    }
    Store(read.value());
    Surface().setEnabled(state_.Enabled == kTrue);
    Surface().setFont(state_.Font);
    LoadPalette(state_);
    UpdateAccessKey(state_, Surface());
    AnnounceName();
    Redraw(Normal);
    return host::Status::Success();
}

host::Status XPButton::WriteProperties(host::PropertyBag& bag) const {
    return WriteSavedButton(Saved(), bag);
}

void XPButton::Store(const SavedButton& values) {
    state_.ButtonType = values.ButtonType;
    state_.Caption = values.Caption;
    state_.Enabled = values.Enabled ? kTrue : kFalse;
    state_.Font = values.Font ? values.Font->ToQFont() : Surface().font();
    fontCharset_ = values.Font ? values.Font->charset : fontCharset_;
    state_.ColorScheme = values.ColorScheme;
    state_.ShowFocusRect = values.ShowFocusRect ? kTrue : kFalse;
    state_.BackColor = values.BackColor;
    state_.ForeColor = values.ForeColor;
}

SavedButton XPButton::Saved() const {
    return SavedButton{
        .ButtonType = state_.ButtonType,
        .Caption = state_.Caption,
        .Enabled = state_.Enabled == kTrue,
        .Font = host::SavedFont::FromQFont(state_.Font, fontCharset_),
        .ColorScheme = state_.ColorScheme,
        .ShowFocusRect = state_.ShowFocusRect == kTrue,
        .BackColor = state_.BackColor,
        .ForeColor = state_.ForeColor,
    };
}

// --- properties -----------------------------------------------------------------------------

void XPButton::SetBackColor(host::Colour theCol) {
    state_.BackColor = theCol;
    LoadPalette(state_);
    Redraw(state_.DrawnState);
    Announce(kKeyBackColor);
}

void XPButton::SetForeColor(host::Colour theCol) {
    state_.ForeColor = theCol;
    LoadPalette(state_);
    Redraw(state_.DrawnState);
    Announce(kKeyForeColor);
}

void XPButton::SetButtonType(std::int32_t newValue) {
    state_.ButtonType = newValue;
    Redraw(Normal);
    Announce(kKeyButtonType);
}

void XPButton::SetCaption(const QString& newValue) {
    state_.Caption = newValue;
    UpdateAccessKey(state_, Surface());
    Redraw(Normal);
    AnnounceName();
    Announce(kKeyCaption);
}

void XPButton::SetEnabled(bool newValue) {
    state_.Enabled = newValue ? kTrue : kFalse;
    Redraw(Normal);
    Surface().setEnabled(newValue);
    Announce(kKeyEnabled);
}

void XPButton::SetFont(const QFont& newFont) {
    state_.Font = newFont;
    Surface().setFont(newFont);
    Redraw(Normal);
    Announce(kKeyFont);
}

void XPButton::SetColorScheme(std::int32_t newValue) {
    state_.ColorScheme = newValue;
    LoadPalette(state_);
    Redraw(Normal);
    Announce(kKeyColorScheme);
}

void XPButton::SetShowFocusRect(bool newValue) {
    state_.ShowFocusRect = newValue ? kTrue : kFalse;
    Redraw(state_.DrawnState);
    Announce(kKeyShowFocusRect);
}

QString XPButton::AccessibleName() const {
    return host::resolveMnemonics(state_.Caption).shown;
}

void XPButton::Redraw(std::uint8_t look) {
    DrawButton(state_, Surface(), look, true);
}

void XPButton::Announce(const QString& key) {
    emit PropertyChanged(key);
}

void XPButton::AnnounceName() {
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void XPButton::changeEvent(QEvent* event) {
    ControlWindow::changeEvent(event);
    // A container that disables the button through the widget's own setEnabled gets the same
    // as writing Enabled. Only the button's own flag counts: a disabled parent does not
    // change the saved property.
    if (event->type() == QEvent::EnabledChange) {
        const bool own = !testAttribute(Qt::WA_ForceDisabled);
        if (own != Enabled()) {
            SetEnabled(own);
        }
    }
}

// --- notifications --------------------------------------------------------------------------

void XPButton::OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
    MousePress(state_, *this, button, shift, x, y);
}

void XPButton::OnMouseMove(std::int16_t buttons, std::int16_t, float x, float y) {
    MouseMove(state_, *this, buttons, x, y);
}

void XPButton::OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
    MouseRelease(state_, *this, button, shift, x, y);
}

void XPButton::OnClick() {
    ClickSteps(state_, *this);
}

void XPButton::OnDblClick() {
    DoubleClick(state_, *this);
}

void XPButton::OnKeyDown(std::int16_t keyCode, std::int16_t shift) {
    xpbutton::KeyDown(state_, *this, keyCode, shift);
}

void XPButton::OnKeyPress(std::int16_t keyAscii) {
    xpbutton::KeyPress(state_, *this, keyAscii);
}

void XPButton::OnKeyUp(std::int16_t keyCode, std::int16_t shift) {
    xpbutton::KeyUp(state_, *this, keyCode, shift);
}

void XPButton::OnAccessKeyPress(std::int16_t) {
    AccessKeyPress(state_, *this);
}

void XPButton::OnGotFocus() {
    GotFocus(state_, *this);
}

void XPButton::OnLostFocus() {
    LostFocus(state_, *this);
}

void XPButton::OnAmbientChanged(const QString&) {
    AmbientChanged(state_, *this);
}

void XPButton::OnResize(int width, int height) {
    Resize(state_, *this, width, height);
}

// --- events ---------------------------------------------------------------------------------
// Each event gets copies, so a handler that changes its arguments changes nothing here.

bool XPButton::RaiseClick() {
    const QPointer<XPButton> alive(this);
    emit Click();
    return !alive.isNull();
}

bool XPButton::RaiseMouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
    const QPointer<XPButton> alive(this);
    qint16 b = button;
    qint16 s = shift;
    emit MouseDown(b, s, x, y);
    return !alive.isNull();
}

bool XPButton::RaiseMouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
    const QPointer<XPButton> alive(this);
    qint16 b = button;
    qint16 s = shift;
    emit MouseUp(b, s, x, y);
    return !alive.isNull();
}

bool XPButton::RaiseKeyPress(std::int16_t keyAscii) {
    const QPointer<XPButton> alive(this);
    qint16 k = keyAscii;
    emit KeyPress(k);
    return !alive.isNull();
}

bool XPButton::RaiseKeyDown(std::int16_t keyCode, std::int16_t shift) {
    const QPointer<XPButton> alive(this);
    qint16 k = keyCode;
    qint16 s = shift;
    emit KeyDown(k, s);
    return !alive.isNull();
}

bool XPButton::RaiseKeyUp(std::int16_t keyCode, std::int16_t shift) {
    const QPointer<XPButton> alive(this);
    qint16 k = keyCode;
    qint16 s = shift;
    emit KeyUp(k, s);
    return !alive.isNull();
}

} // namespace korven::xpbutton
