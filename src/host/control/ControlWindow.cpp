#include "host/control/ControlWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

namespace korven::host {

WindowSurface::WindowSurface(ControlWindow& window) : window_(window) {
    ImageSurface::setFont(window.font());
}

void WindowSurface::clear() {
    ImageSurface::clear();
    // Every redraw starts by clearing, so this is where the window learns it must repaint.
    window_.update();
}

void WindowSurface::refresh() {
    ImageSurface::refresh();
    window_.repaint();
}

void WindowSurface::setEnabled(bool enabled) {
    ImageSurface::setEnabled(enabled);
    window_.QWidget::setEnabled(enabled);
}

void WindowSurface::setAccessKeys(const QString& keys) {
    ImageSurface::setAccessKeys(keys);
    window_.RegisterAccessKey(keys);
}

void WindowSurface::setWindowOutline(const Region& outline) {
    ImageSurface::setWindowOutline(outline);
    // The widget keeps its own copy of the mask; the previous one is simply replaced.
    window_.setMask(outline.toQRegion());
    window_.update();
}

VbBool WindowSurface::displayAsDefault() const {
    return window_.DisplayAsDefault() ? kTrue : kFalse;
}

ControlWindow::ControlWindow(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    surface_ = std::make_unique<WindowSurface>(*this);
    surface_->setDevicePixelRatio(devicePixelRatioF());
    InstallControlAccessibility();
}

ControlWindow::~ControlWindow() = default;

void ControlWindow::SendKeys(const QString& keys) {
    bool backwards = false;
    if (keys == QLatin1String("+{Tab}")) {
        backwards = true;
    } else if (keys != QLatin1String("{Tab}")) {
        return;
    }
    // Queued, so the keystroke reaches the active window after the current handler, as if
    // the user had typed it then.
    QMetaObject::invokeMethod(
        qApp,
        [backwards] {
            QWidget* target = QApplication::focusWidget();
            if (target == nullptr) {
                return;
            }
            const Qt::KeyboardModifiers mods = backwards ? Qt::ShiftModifier : Qt::NoModifier;
            const int key = backwards ? Qt::Key_Backtab : Qt::Key_Tab;
            QKeyEvent press(QEvent::KeyPress, key, mods);
            QApplication::sendEvent(target, &press);
            if (QWidget* now = QApplication::focusWidget()) {
                QKeyEvent release(QEvent::KeyRelease, key, mods);
                QApplication::sendEvent(now, &release);
            }
        },
        Qt::QueuedConnection);
}

void ControlWindow::SetDisplayAsDefault(bool value) {
    if (value == displayAsDefault_) {
        return;
    }
    displayAsDefault_ = value;
    OnAmbientChanged(QStringLiteral("DisplayAsDefault"));
}

void ControlWindow::MakeDefaultButton(QWidget* container, ControlWindow* button) {
    if (container != nullptr) {
        for (ControlWindow* other : container->findChildren<ControlWindow*>()) {
            if (other != button) {
                other->SetDisplayAsDefault(false);
            }
        }
    }
    if (button != nullptr) {
        button->SetDisplayAsDefault(true);
    }
}

void ControlWindow::RegisterAccessKey(const QString& key) {
    if (key == accessKey_) {
        return;
    }
    accessKey_ = key;
    delete shortcut_;
    if (key.size() != 1) {
        return;
    }
    shortcut_ = new QShortcut(AccessKeySequence(), this);
    shortcut_->setContext(Qt::WindowShortcut);
    connect(shortcut_, &QShortcut::activated, this, &ControlWindow::ActivateAccessKey);
}

QKeySequence ControlWindow::AccessKeySequence() const {
    if (accessKey_.size() != 1) {
        return QKeySequence();
    }
    return QKeySequence(
        QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(accessKey_[0].toUpper().unicode())));
}

void ControlWindow::ActivateAccessKey() {
    if (!isEnabled() || !isVisible() || accessKey_.isEmpty()) {
        return;
    }
    OnAccessKeyPress(static_cast<std::int16_t>(accessKey_[0].unicode()));
}

bool ControlWindow::IsOverControl(const QPointF& position) const {
    const QPoint p = position.toPoint();
    if (!rect().contains(p)) {
        return false;
    }
    return mask().isEmpty() || mask().contains(p);
}

void ControlWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // At a higher pixel density the image has as many pixels as the screen area it covers,
    // so it is copied one to one rather than stretched.
    painter.drawImage(QPointF(0, 0), surface_->deviceImage());
}

void ControlWindow::resizeEvent(QResizeEvent*) {
    // The density is read here: every resize redraws, so the next look is drawn for it.
    surface_->setDevicePixelRatio(devicePixelRatioF());
    surface_->resize(width(), height());
    OnResize(width(), height());
}

bool ControlWindow::event(QEvent* event) {
    // The window moved to a screen of another density (or, from Qt 6.6, its screen's density
    // changed): the look is drawn afresh for it, as a resize would.
    bool densityMayChange = event->type() == QEvent::ScreenChangeInternal;
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    densityMayChange = densityMayChange || event->type() == QEvent::DevicePixelRatioChange;
#endif
    const bool handled = QWidget::event(event);
    if (densityMayChange && devicePixelRatioF() != surface_->devicePixelRatio()) {
        surface_->setDevicePixelRatio(devicePixelRatioF());
        surface_->resize(width(), height());
        OnResize(width(), height());
        update();
    }
    return handled;
}

void ControlWindow::mousePressEvent(QMouseEvent* event) {
    const std::int16_t bit = MouseButtonBit(event->button());
    if (bit == 0) {
        return;
    }
    pressedButtons_ |= bit;
    OnMouseDown(bit, ShiftBitsOf(event->modifiers()), static_cast<float>(event->position().x()),
                static_cast<float>(event->position().y()));
}

void ControlWindow::mouseMoveEvent(QMouseEvent* event) {
    OnMouseMove(MouseButtonBits(event->buttons()), ShiftBitsOf(event->modifiers()),
                static_cast<float>(event->position().x()),
                static_cast<float>(event->position().y()));
}

void ControlWindow::mouseReleaseEvent(QMouseEvent* event) {
    const std::int16_t bit = MouseButtonBit(event->button());
    if (bit == 0) {
        return;
    }
    const bool clicked = (pressedButtons_ & bit) != 0 && IsOverControl(event->position());
    pressedButtons_ &= static_cast<std::int16_t>(~bit);
    // A handler may delete this window (a Close button); nothing runs on it afterwards.
    const QPointer<ControlWindow> alive(this);
    OnMouseUp(bit, ShiftBitsOf(event->modifiers()), static_cast<float>(event->position().x()),
              static_cast<float>(event->position().y()));
    if (clicked && alive) {
        OnClick();
    }
}

void ControlWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    // The toolkit sends this in place of the second press; the release that follows is
    // reported but gives no click.
    if (MouseButtonBit(event->button()) != 0) {
        OnDblClick();
    }
}

void ControlWindow::keyPressEvent(QKeyEvent* event) {
    const std::int16_t code = VirtualKeyCode(event->key(), event->modifiers());
    const QString text = event->text();
    const QPointer<ControlWindow> alive(this);
    if (code != 0) {
        OnKeyDown(code, ShiftBitsOf(event->modifiers()));
    }
    if (alive && text.size() == 1) {
        OnKeyPress(static_cast<std::int16_t>(text[0].unicode()));
    }
}

void ControlWindow::keyReleaseEvent(QKeyEvent* event) {
    // Auto-repeat comes as release/press pairs on some platforms; a held key must look like
    // one long press that repeats, ending in a single key up.
    if (event->isAutoRepeat()) {
        return;
    }
    const std::int16_t code = VirtualKeyCode(event->key(), event->modifiers());
    if (code != 0) {
        OnKeyUp(code, ShiftBitsOf(event->modifiers()));
    }
}

void ControlWindow::focusInEvent(QFocusEvent*) {
    OnGotFocus();
}

void ControlWindow::focusOutEvent(QFocusEvent*) {
    OnLostFocus();
}

void ControlWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        OnAmbientChanged(QStringLiteral("Palette"));
    }
}

void ControlWindow::OnMouseDown(std::int16_t, std::int16_t, float, float) {}
void ControlWindow::OnMouseMove(std::int16_t, std::int16_t, float, float) {}
void ControlWindow::OnMouseUp(std::int16_t, std::int16_t, float, float) {}
void ControlWindow::OnClick() {}
void ControlWindow::OnDblClick() {}
void ControlWindow::OnKeyDown(std::int16_t, std::int16_t) {}
void ControlWindow::OnKeyPress(std::int16_t) {}
void ControlWindow::OnKeyUp(std::int16_t, std::int16_t) {}
void ControlWindow::OnAccessKeyPress(std::int16_t) {}
void ControlWindow::OnGotFocus() {}
void ControlWindow::OnLostFocus() {}
void ControlWindow::OnAmbientChanged(const QString&) {}
void ControlWindow::OnResize(int, int) {}

} // namespace korven::host
