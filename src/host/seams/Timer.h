#pragma once

#include <QObject>
#include <QTimer>

namespace korven::host {

// A classic timer: it ticks on the user-interface thread while it is enabled and has a
// non-zero interval. An element of a timer group carries its index into every tick; a lone
// timer has index -1.
//
// A tick never re-enters its own handler: a tick that falls due while the previous one is
// still being handled (for instance while the handler shows a modal box) is dropped.
// Tests call Fire() to deliver a tick at once instead of waiting for the interval.
class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr, int index = -1);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }
    // Milliseconds; 0 means "no interval", and the timer does not tick.
    void SetInterval(int milliseconds);
    int Index() const { return index_; }
    // Enabled with a non-zero interval: ticks will come.
    bool IsRunning() const { return enabled_ && interval_ > 0; }

    // Delivers one tick now, as if the interval had passed. Does nothing (and returns false)
    // when the timer is not running or a tick is already being handled.
    bool Fire();

signals:
    void Tick(int index);

private:
    void Reschedule();

    QTimer clock_;
    int index_;
    int interval_ = 0;
    bool enabled_ = false;
    bool inTick_ = false;
};

} // namespace korven::host
