#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

namespace korven::host {

// Shows a window modeless, in front of the others.
void ShowModeless(QWidget* window);

// Moves a window so that its frame sits in the middle of the screen it is on (or the
// primary screen). Does nothing when there is no screen.
void CentreOnScreen(QWidget* window);

// Closes a window and deletes it once the events already under way are done. When no
// window is left visible the program ends (the application quits on the last close).
void Unload(QWidget* window);

// At most one instance of a window: Load() creates it the first time and hands back the
// same one while it lives; after it is unloaded the next Load() creates a fresh one, so
// nothing typed into the old one survives.
template <class W>
class SingleWindow {
public:
    explicit SingleWindow(std::function<W*()> create) : create_(std::move(create)) {}

    W* Load() {
        if (!window_) {
            window_ = create_();
            window_->setAttribute(Qt::WA_DeleteOnClose);
        }
        return window_;
    }
    bool IsLoaded() const { return !window_.isNull(); }
    W* Get() const { return window_; }
    void Unload() {
        if (window_)
            korven::host::Unload(window_);
    }

private:
    std::function<W*()> create_;
    QPointer<W> window_;
};

} // namespace korven::host
