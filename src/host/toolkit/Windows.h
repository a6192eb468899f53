#pragma once

#include <QPointer>
#include <QWidget>

namespace korven::host {

// Shows a window modeless, in front of the others.
void ShowModeless(QWidget* window);

// Moves a window so that its frame sits in the middle of the screen it is on (or the
// primary screen), as CentredTopLeft places it. Does nothing when there is no screen.
void CentreOnScreen(QWidget* window);

// The top-left corner of a frame of `size` centred in `available`. A frame larger than the
// area keeps its top-left corner in it instead, so that its title bar and menu bar stay on the
// screen and only its bottom or right is cut off.
QPoint CentredTopLeft(QSize size, const QRect& available);

// Closes a window and deletes it once the events already under way are done. When no
// window is left visible the program ends (the application quits on the last close).
void Unload(QWidget* window);

// Closes every window on screen except `keep`, each as its own close button would.
void CloseOtherWindows(const QWidget* keep);

// At most one instance of a window. Load() creates it through `create` when none is loaded
// and hands back the same one while it lives. The window is deleted when it closes, so the
// next Load() after an unload starts afresh and nothing typed into the old one survives.
template <class W>
class SingleWindow {
public:
    template <class Create>
    W* Load(Create&& create) {
        if (window_.isNull()) {
            window_ = create();
            window_->setAttribute(Qt::WA_DeleteOnClose);
        }
        return window_;
    }
    // The loaded window, or nullptr when there is none.
    W* Get() const { return window_.data(); }
    void Unload() {
        if (!window_.isNull())
            korven::host::Unload(window_);
    }

private:
    QPointer<W> window_;
};

} // namespace korven::host
