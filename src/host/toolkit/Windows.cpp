#include "host/toolkit/Windows.h"

namespace korven::host {

void ShowModeless(QWidget* window) {
    if (window == nullptr)
        return;
    window->setWindowModality(Qt::NonModal);
    window->show();
    window->raise();
    window->activateWindow();
}

void Unload(QWidget* window) {
    if (window == nullptr)
        return;
    // Deleting later lets a handler of the window unload its own window and still return.
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->close();
}

} // namespace korven::host
