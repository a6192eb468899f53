#include "host/toolkit/Windows.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace korven::host {

void ShowModeless(QWidget* window) {
    if (window == nullptr)
        return;
    window->setWindowModality(Qt::NonModal);
    window->show();
    window->raise();
    window->activateWindow();
}

namespace {

// Moves a window down and right once the window manager has framed it, when its title bar
// came to lie off the available area. Until a window is framed nobody knows how tall its
// title bar is, and a window taller than the screen is placed by its inside; this waits for
// the frame (its first expose) and then deletes itself.
class TitleBarKeeper : public QObject {
public:
    TitleBarKeeper(QWidget* window, const QRect& available)
        : QObject(window), window_(window), available_(available) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QWindow* handle = window_->windowHandle();
        if (watched == window_ &&
            (event->type() == QEvent::Show || event->type() == QEvent::Move ||
             event->type() == QEvent::UpdateRequest || event->type() == QEvent::Paint) &&
            handle != nullptr && !handle->frameMargins().isNull()) {
            const QRect frame = window_->frameGeometry();
            const QPoint topLeft(std::max(frame.left(), available_.left()),
                                 std::max(frame.top(), available_.top()));
            deleteLater();
            window_->removeEventFilter(this);
            if (topLeft != frame.topLeft())
                window_->move(topLeft);
        }
        return false;
    }

private:
    QWidget* window_;
    QRect available_;
};

} // namespace

void CentreOnScreen(QWidget* window) {
    if (window == nullptr)
        return;
    const QScreen* screen = window->screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect available = screen->availableGeometry();
    window->move(CentredTopLeft(window->frameGeometry().size(), available));
    const QWindow* handle = window->windowHandle();
    if (handle == nullptr || handle->frameMargins().isNull())
        new TitleBarKeeper(window, available);
}

QPoint CentredTopLeft(QSize size, const QRect& available) {
    QRect frame(QPoint(0, 0), size);
    frame.moveCenter(available.center());
    return {std::max(frame.left(), available.left()), std::max(frame.top(), available.top())};
}

void Unload(QWidget* window) {
    if (window == nullptr)
        return;
    // Deleting later lets a handler of the window unload its own window and still return.
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->close();
}

void CloseOtherWindows(const QWidget* keep) {
    // Closing one window may close or delete another, so each is checked again just before
    // it is closed.
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget>& window : windows) {
        if (!window.isNull() && window != keep && window->isVisible())
            window->close();
    }
}

} // namespace korven::host
