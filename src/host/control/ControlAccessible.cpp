// How assistive technology sees a self-drawn control: a push button named by the control,
// with its access key as the keyboard shortcut. Enabled and focus state come from the widget.

#include "host/control/ControlWindow.h"

#include <QAccessibleWidget>
#include <QKeySequence>

namespace korven::host {

namespace {

class ControlAccessible final : public QAccessibleWidget {
public:
    explicit ControlAccessible(ControlWindow* window)
        : QAccessibleWidget(window, QAccessible::PushButton) {}

    QString text(QAccessible::Text t) const override {
        const auto* window = static_cast<const ControlWindow*>(widget());
        switch (t) {
        case QAccessible::Name:
            return window->AccessibleName();
        case QAccessible::Accelerator:
            return window->AccessKeySequence().toString(QKeySequence::NativeText);
        default:
            return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface* MakeControlAccessible(const QString&, QObject* object) {
    if (auto* window = qobject_cast<ControlWindow*>(object)) {
        return new ControlAccessible(window);
    }
    return nullptr;
}

} // namespace

void InstallControlAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&MakeControlAccessible);
        return true;
    }();
    (void)installed;
}

} // namespace korven::host
