#include "host/toolkit/Windows.h"

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

} // namespace korven::host
