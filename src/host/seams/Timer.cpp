#include "host/seams/Timer.h"

#include <QPointer>

namespace korven::host {

Timer::Timer(QObject* parent, int index) : QObject(parent), index_(index) {
    clock_.setTimerType(Qt::CoarseTimer);
    connect(&clock_, &QTimer::timeout, this, [this] { Fire(); });
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Reschedule();
}

void Timer::SetInterval(int milliseconds) {
    interval_ = milliseconds < 0 ? 0 : milliseconds;
    Reschedule();
}

void Timer::Reschedule() {
    // Any change of the settings restarts the count from now, as a classic timer does.
    if (IsRunning())
        clock_.start(interval_);
    else
        clock_.stop();
}

bool Timer::Fire() {
    if (!IsRunning() || inTick_)
        return false;
    inTick_ = true;
    // The handler may end the window that owns this timer, and the timer with it.
    const QPointer<Timer> alive(this);
    emit Tick(index_);
    if (alive)
        inTick_ = false;
    return true;
}

} // namespace korven::host
