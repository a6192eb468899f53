#pragma once

// A real button in a shown window, with every event and the look at the moment of each event
// written into one log, so a test can compare whole sequences.

#include "controls/xpbutton/XPButton.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace korven::xpbutton::testing {

inline std::string Num(float v) {
    QString s = QString::number(static_cast<double>(v));
    return s.toStdString();
}

// Connects to all six events of a button and logs them with the look shown at that moment
// ("MouseDown(1,0,5,6)@2"). Click also logs how many refreshes the window had by then.
class EventLog {
public:
    explicit EventLog(XPButton& button) : button_(button) {
        QObject::connect(&button, &XPButton::Click, [this] {
            Add("Click@" + Look() + " refreshed=" + std::to_string(button_.Image().refreshCount()));
        });
        QObject::connect(&button, &XPButton::MouseDown,
                         [this](qint16& b, qint16& s, float& x, float& y) {
                             Add("MouseDown(" + std::to_string(b) + "," + std::to_string(s) + "," +
                                 Num(x) + "," + Num(y) + ")@" + Look());
                         });
        QObject::connect(&button, &XPButton::MouseUp,
                         [this](qint16& b, qint16& s, float& x, float& y) {
                             Add("MouseUp(" + std::to_string(b) + "," + std::to_string(s) + "," +
                                 Num(x) + "," + Num(y) + ")@" + Look());
                         });
        QObject::connect(&button, &XPButton::KeyDown, [this](qint16& k, qint16& s) {
            Add("KeyDown(" + std::to_string(k) + "," + std::to_string(s) + ")@" + Look());
        });
        QObject::connect(&button, &XPButton::KeyPress,
                         [this](qint16& k) { Add("KeyPress(" + std::to_string(k) + ")"); });
        QObject::connect(&button, &XPButton::KeyUp, [this](qint16& k, qint16& s) {
            Add("KeyUp(" + std::to_string(k) + "," + std::to_string(s) + ")@" + Look());
        });
    }

    // Logs the look now, between events ("look 2").
    void MarkLook() { Add("look " + Look()); }
    std::vector<std::string> Take() { return std::exchange(entries_, {}); }
    int Count(const std::string& prefix) const {
        int n = 0;
        for (const auto& e : entries_) {
            n += e.rfind(prefix, 0) == 0 ? 1 : 0;
        }
        return n;
    }

private:
    std::string Look() const { return std::to_string(button_.State().DrawnState); }
    void Add(std::string entry) { entries_.push_back(std::move(entry)); }

    XPButton& button_;
    std::vector<std::string> entries_;
};

// A fresh window with one placed, sized, shown button "&OK" (type 1, so corners are cut)
// and a second button after it in the tab order.
class ButtonFixture : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(400, 200);
        button_ = new XPButton(window_.get());
        button_->InitProperties();
        button_->SetCaption(QStringLiteral("&OK"));
        button_->SetButtonType(1);
        other_ = new XPButton(window_.get());
        other_->InitProperties();
        other_->SetCaption(QStringLiteral("&Next"));
        other_->setGeometry(200, 20, 120, 40);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        button_->setGeometry(20, 20, 120, 40);
        log_ = std::make_unique<EventLog>(*button_);
    }

    void TearDown() override {
        log_.reset();
        window_.reset();
    }

    void Press(Qt::MouseButton b, QPoint at = {10, 10}) { QTest::mousePress(button_, b, {}, at); }
    void Release(Qt::MouseButton b, QPoint at = {10, 10}) {
        QTest::mouseRelease(button_, b, {}, at);
    }
    void MoveHeld(QPoint at) { QTest::mouseMove(button_, at); }
    // A key event as the platform sends it; repeat marks auto-repeat.
    void Key(QEvent::Type type, int key, const QString& text = {}, bool repeat = false,
             Qt::KeyboardModifiers mods = {}) {
        QKeyEvent event(type, key, mods, text, repeat);
        QApplication::sendEvent(button_, &event);
    }
    std::uint8_t Look() const { return button_->State().DrawnState; }

    std::unique_ptr<QWidget> window_;
    XPButton* button_ = nullptr;
    XPButton* other_ = nullptr;
    std::unique_ptr<EventLog> log_;
};

} // namespace korven::xpbutton::testing
