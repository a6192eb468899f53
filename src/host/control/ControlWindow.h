#pragma once

#include "host/surface/ImageSurface.h"

#include <QKeySequence>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

class QShortcut;

namespace korven::host {

class ControlWindow;

// Mouse buttons as a bit set, as the control's notifications report them.
enum MouseButtonBits : std::int16_t { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
// Modifier keys as a bit set.
enum ShiftBits : std::int16_t { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

// The drawing surface of one ControlWindow: the persistent image plus the window facilities,
// which act on the widget as well as being remembered.
class WindowSurface final : public ImageSurface {
public:
    explicit WindowSurface(ControlWindow& window);

    void clear() override;
    void refresh() override;
    void setEnabled(bool enabled) override;
    void setAccessKeys(const QString& keys) override;
    void setWindowOutline(const Region& outline) override;
    VbBool displayAsDefault() const override;

private:
    ControlWindow& window_;
};

// The host side of a self-drawn control: a borderless child window that shows the persistent
// image of its surface and turns the toolkit's input into the control's notifications.
//
// - Painting: the window only copies the image; a redraw that clears the image schedules a
//   repaint, refresh() repaints at once.
// - Mouse: buttons as the bits 1 left, 2 right, 4 middle; modifiers as 1 Shift, 2 Ctrl,
//   4 Alt; positions in pixels from the top-left corner. A button pressed on the control
//   keeps the mouse captured until it is released, so moves and the release arrive even
//   outside. A press and release of the same button over the control is followed by the
//   click notification; a double click arrives in the order press, release, click,
//   double click, release (the second press is not reported).
// - Keys: classic virtual-key codes (Space 32, Left 37, Up 38, Right 39, Down 40, letters
//   65-90, digits 48-57...); key press carries the character code of the typed text. Keys
//   without a code raise no key down or key up. Tab and Shift+Tab move the focus and do not
//   reach the control. Held keys repeat key down (and key press) without key up.
// - Access key: Alt + the access key anywhere in the control's top-level window.
// - While the window is disabled no mouse or key input and no access key reaches it.
// - The resize notification comes when the toolkit delivers the size: at once for a visible
//   window, on showing for a hidden one.
class ControlWindow : public QWidget {
    Q_OBJECT
public:
    explicit ControlWindow(QWidget* parent = nullptr);
    ~ControlWindow() override;

    DrawingSurface& Surface() { return *surface_; }
    const ImageSurface& Image() const { return *surface_; }

    // Posts the focus-moving keystrokes "{Tab}" or "+{Tab}" to the active window; they are
    // handled after the current notification has returned. Other sequences are ignored.
    void SendKeys(const QString& keys);

    // The container's side of the ambient default flag. A change is reported to the control
    // as an ambient property change named "DisplayAsDefault".
    void SetDisplayAsDefault(bool value);
    bool DisplayAsDefault() const { return displayAsDefault_; }
    // Makes button the container's one default button: the flag is set on it and cleared on
    // every other ControlWindow inside container.
    static void MakeDefaultButton(QWidget* container, ControlWindow* button);

    // The access key registered by the surface (empty for none).
    const QString& AccessKey() const { return accessKey_; }
    // Alt + the access key's upper-case form, the toolkit's name for it; empty without a key.
    QKeySequence AccessKeySequence() const;

    // How assistive technology names the control; a control overrides it.
    virtual QString AccessibleName() const { return QString(); }

signals:
    // The property saved under key changed; the containing layout is now modified.
    void PropertyChanged(const QString& key);

protected:
    // The notifications of the control. They run on the user-interface thread, one at a
    // time. The defaults do nothing.
    virtual void OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    virtual void OnMouseMove(std::int16_t buttons, std::int16_t shift, float x, float y);
    virtual void OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    virtual void OnClick();
    virtual void OnDblClick();
    virtual void OnKeyDown(std::int16_t keyCode, std::int16_t shift);
    virtual void OnKeyPress(std::int16_t keyAscii);
    virtual void OnKeyUp(std::int16_t keyCode, std::int16_t shift);
    virtual void OnAccessKeyPress(std::int16_t keyAscii);
    virtual void OnGotFocus();
    virtual void OnLostFocus();
    virtual void OnAmbientChanged(const QString& name);
    // Called after the image has taken the new client size (and been cleared).
    virtual void OnResize(int width, int height);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class WindowSurface;
    void RegisterAccessKey(const QString& key);
    void ActivateAccessKey();
    bool IsOverControl(const QPointF& position) const;

    std::unique_ptr<WindowSurface> surface_;
    QPointer<QShortcut> shortcut_;
    QString accessKey_;
    bool displayAsDefault_ = false;
    // Buttons (bit set) pressed on this control and not yet released; only those can click.
    std::int16_t pressedButtons_ = 0;
};

// Lets assistive technology see every ControlWindow as a push button; called by each
// ControlWindow, installs once.
void InstallControlAccessibility();

// The classic virtual-key code of a toolkit key, or 0 when it has none.
std::int16_t VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
// The classic modifier bit set.
std::int16_t ShiftBitsOf(Qt::KeyboardModifiers modifiers);
// The bit of one mouse button, or 0 for buttons the control does not know.
std::int16_t MouseButtonBit(Qt::MouseButton button);
std::int16_t MouseButtonBits(Qt::MouseButtons buttons);

} // namespace korven::host
