#include "host/control/ControlWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using korven::host::ControlWindow;

// Records every notification as text.
class Recorder final : public ControlWindow {
public:
    using ControlWindow::ControlWindow;
    std::vector<std::string> log;

protected:
    void OnMouseDown(std::int16_t b, std::int16_t s, float x, float y) override {
        Add("down", b, s, x, y);
    }
    void OnMouseMove(std::int16_t b, std::int16_t s, float x, float y) override {
        Add("move", b, s, x, y);
    }
    void OnMouseUp(std::int16_t b, std::int16_t s, float x, float y) override {
        Add("up", b, s, x, y);
    }
    void OnClick() override { log.push_back("click"); }
    void OnDblClick() override { log.push_back("dblclick"); }
    void OnKeyDown(std::int16_t k, std::int16_t s) override {
        log.push_back("keydown " + std::to_string(k) + " " + std::to_string(s));
    }
    void OnKeyPress(std::int16_t k) override { log.push_back("keypress " + std::to_string(k)); }
    void OnKeyUp(std::int16_t k, std::int16_t s) override {
        log.push_back("keyup " + std::to_string(k) + " " + std::to_string(s));
    }
    void OnAccessKeyPress(std::int16_t k) override { log.push_back("access " + std::to_string(k)); }
    void OnAmbientChanged(const QString& name) override {
        log.push_back("ambient " + name.toStdString());
    }
    void OnResize(int w, int h) override {
        log.push_back("resize " + std::to_string(w) + "x" + std::to_string(h));
    }

private:
    void Add(const char* what, int b, int s, float x, float y) {
        log.push_back(std::string(what) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
                      std::to_string(static_cast<int>(x)) + "," +
                      std::to_string(static_cast<int>(y)));
    }
};

class ControlWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(300, 200);
        control_ = new Recorder(window_.get());
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        control_->setGeometry(10, 10, 60, 20);
        control_->log.clear();
    }
    std::unique_ptr<QWidget> window_;
    Recorder* control_ = nullptr;
};

TEST_F(ControlWindowTest, ResizeGivesTheImageTheClientSizeFirst) {
    control_->resize(61, 23);
    EXPECT_EQ(control_->log, (std::vector<std::string>{"resize 61x23"}));
    EXPECT_EQ(control_->Image().clientWidth(), 61);
    EXPECT_EQ(control_->Image().clientHeight(), 23);
}

TEST_F(ControlWindowTest, ClickOnlyWhenPressedAndReleasedOverTheVisiblePart) {
    // Cut the top-left corner out of the window.
    korven::host::Region outline = korven::host::Region::rectangle({0, 0, 60, 20});
    outline.subtract({0, 0, 3, 3});
    control_->Surface().setWindowOutline(outline);

    QTest::mouseClick(control_, Qt::LeftButton, {}, {5, 5});
    QTest::mouseClick(control_, Qt::RightButton, Qt::ShiftModifier, {5, 5});
    QTest::mousePress(control_, Qt::LeftButton, {}, {5, 5});
    QTest::mouseRelease(control_, Qt::LeftButton, {}, {1, 1}); // in the cut corner
    QTest::mousePress(control_, Qt::LeftButton, {}, {5, 5});
    QTest::mouseRelease(control_, Qt::LeftButton, {}, {60, 5}); // just right of the window
    EXPECT_EQ(control_->log,
              (std::vector<std::string>{"down 1 0 5,5", "up 1 0 5,5", "click", "down 2 1 5,5",
                                        "up 2 1 5,5", "click", "down 1 0 5,5", "up 1 0 1,1",
                                        "down 1 0 5,5", "up 1 0 60,5"}));
}

TEST_F(ControlWindowTest, KeysArriveAsClassicCodesAndTypedCharacters) {
    QTest::keyClick(control_, Qt::Key_A, Qt::ShiftModifier);
    QTest::keyClick(control_, Qt::Key_F5);
    QTest::keyClick(control_, Qt::Key_5, Qt::KeypadModifier);
    // The Shift key itself is a key too.
    EXPECT_EQ(control_->log,
              (std::vector<std::string>{"keydown 16 1", "keydown 65 1", "keypress 97", "keyup 65 1",
                                        "keyup 16 0", "keydown 116 0", "keyup 116 0",
                                        "keydown 101 0", "keypress 53", "keyup 101 0"}));
    EXPECT_EQ(korven::host::VirtualKeyCode(Qt::Key_Delete, {}), 46);
    EXPECT_EQ(korven::host::VirtualKeyCode(Qt::Key_Comma, {}), 188);
    EXPECT_EQ(korven::host::VirtualKeyCode(Qt::Key_unknown, {}), 0);
}

TEST_F(ControlWindowTest, AccessKeyNeedsAltAndFollowsTheRegisteredKey) {
    control_->Surface().setAccessKeys(QStringLiteral("k"));
    QTest::keyClick(window_.get(), Qt::Key_K);
    QTest::keyClick(window_.get(), Qt::Key_K, Qt::AltModifier);
    EXPECT_EQ(control_->log, (std::vector<std::string>{"access 107"}));
    control_->log.clear();
    control_->Surface().setAccessKeys(QString());
    QTest::keyClick(window_.get(), Qt::Key_K, Qt::AltModifier);
    EXPECT_TRUE(control_->log.empty());
}

TEST_F(ControlWindowTest, DefaultFlagComesFromTheContainerAndReportsAChange) {
    auto* second = new Recorder(window_.get());
    ControlWindow::MakeDefaultButton(window_.get(), control_);
    ControlWindow::MakeDefaultButton(window_.get(), control_);
    EXPECT_EQ(control_->Surface().displayAsDefault(), korven::host::kTrue);
    ControlWindow::MakeDefaultButton(window_.get(), second);
    EXPECT_EQ(control_->Surface().displayAsDefault(), korven::host::kFalse);
    EXPECT_EQ(control_->log,
              (std::vector<std::string>{"ambient DisplayAsDefault", "ambient DisplayAsDefault"}));
}

TEST_F(ControlWindowTest, OnlyTheTwoFocusSequencesAreInjected) {
    auto* second = new Recorder(window_.get());
    second->setGeometry(100, 10, 60, 20);
    second->show();
    control_->setFocus();
    QTRY_VERIFY(control_->hasFocus());
    control_->SendKeys(QStringLiteral("{Enter}"));
    control_->SendKeys(QStringLiteral("x"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(control_->hasFocus());
    control_->SendKeys(QStringLiteral("{Tab}"));
    QTRY_VERIFY(second->hasFocus());
    second->SendKeys(QStringLiteral("+{Tab}"));
    QTRY_VERIFY(control_->hasFocus());
}

TEST_F(ControlWindowTest, DisabledWindowGetsNoInput) {
    control_->Surface().setAccessKeys(QStringLiteral("k"));
    control_->Surface().setEnabled(false);
    QTest::mouseClick(control_, Qt::LeftButton, {}, {5, 5});
    QTest::keyClick(control_, Qt::Key_Space);
    QTest::keyClick(window_.get(), Qt::Key_K, Qt::AltModifier);
    EXPECT_TRUE(control_->log.empty());
    EXPECT_FALSE(control_->Image().enabled());
}

} // namespace

namespace {

// A control whose screen density a test sets, as a move to another screen would change it.
class DensityProbe final : public ControlWindow {
public:
    qreal ratio = 1;
    int redraws = 0;

protected:
    int metric(PaintDeviceMetric m) const override {
        if (m == PdmDevicePixelRatio)
            return int(ratio);
        if (m == PdmDevicePixelRatioScaled)
            return int(ratio * devicePixelRatioFScale());
        return ControlWindow::metric(m);
    }
    void OnResize(int, int) override { ++redraws; }
};

TEST(ControlWindowDensity, AScreenOfAnotherDensityRedrawsTheLookForIt) {
    DensityProbe control;
    control.resize(40, 20);
    QEvent moved(QEvent::ScreenChangeInternal);
    QApplication::sendEvent(&control, &moved);
    EXPECT_EQ(control.redraws, 0) << "the same density needs no redraw";

    control.ratio = 2;
    QApplication::sendEvent(&control, &moved);
    EXPECT_EQ(control.redraws, 1);
    EXPECT_EQ(control.Image().devicePixelRatio(), 2.0);
    EXPECT_EQ(control.Image().clientWidth(), 40);
}

} // namespace
