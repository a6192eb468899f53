#include "host/toolkit/Windows.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

namespace korven::host {

void ShowModeless(QWidget* window) {
    if (window == nullptr)
        return;
    window->setWindowModality(Qt::NonModal);
    window->show();
    window->raise();
    window->activateWindow();
}

void CentreOnScreen(QWidget* window) {
    if (window == nullptr)
        return;
    const QScreen* screen = window->screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect frame(QPoint(0, 0), window->frameGeometry().size());
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
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
