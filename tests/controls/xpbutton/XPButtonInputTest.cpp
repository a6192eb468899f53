#include "ButtonFixture.h"
#include "controls/xpbutton/ButtonInput.h"
#include "controls/xpbutton/appearance/Outline.h"

#include <QMouseEvent>
#include <QPointer>

namespace korven::xpbutton::testing {
namespace {

using Log = std::vector<std::string>;

using MouseSequences = ButtonFixture;

TEST_F(MouseSequences, LeftClickPressesReleasesThenShowsReleasedBeforeClick) {
    const int refreshesBefore = button_->Image().refreshCount();
    Press(Qt::LeftButton, {10, 12});
    log_->MarkLook();
    Release(Qt::LeftButton, {11, 13});
    EXPECT_EQ(log_->Take(), (Log{"MouseDown(1,0,10,12)@2", "look 2", "MouseUp(1,0,11,13)@0",
                                 "Click@0 refreshed=" + std::to_string(refreshesBefore + 1)}));
}

TEST_F(MouseSequences, ModifiersArriveAsShiftBits) {
    QTest::mousePress(button_, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, {3, 4});
    QTest::mouseRelease(button_, Qt::LeftButton, Qt::AltModifier, {3, 4});
    const Log log = log_->Take();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "MouseDown(1,3,3,4)@2");
    EXPECT_EQ(log[1], "MouseUp(1,4,3,4)@0");
}

TEST_F(MouseSequences, RightClickChangesNoLookAndDisarmsClickUntilLeftPress) {
    Press(Qt::RightButton);
    log_->MarkLook();
    Release(Qt::RightButton);
    EXPECT_EQ(log_->Take(), (Log{"MouseDown(2,0,10,10)@0", "look 0", "MouseUp(2,0,10,10)@0"}));

    // The access key is disarmed too.
    QTest::keyClick(other_, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(log_->Count("Click"), 0);

    Press(Qt::LeftButton);
    Release(Qt::LeftButton);
    EXPECT_EQ(log_->Count("Click"), 1);
    log_->Take();
    QTest::keyClick(other_, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(log_->Take(),
              (Log{"Click@0 refreshed=" + std::to_string(button_->Image().refreshCount())}));
}

TEST_F(MouseSequences, SpaceKeyUpRearmsAfterRightClick) {
    Press(Qt::RightButton);
    Release(Qt::RightButton);
    log_->Take();
    Key(QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    Key(QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(log_->Count("Click"), 1);
}

TEST_F(MouseSequences, MiddlePressShowsPressedButNeverClicks) {
    Press(Qt::MiddleButton);
    EXPECT_EQ(Look(), Pressed);
    Release(Qt::MiddleButton);
    EXPECT_EQ(log_->Take(), (Log{"MouseDown(4,0,10,10)@2", "MouseUp(4,0,10,10)@0"}));
}

TEST_F(MouseSequences, DragOutAndBackSwitchesLooksAndReleaseOutsideDoesNotClick) {
    Press(Qt::LeftButton);
    MoveHeld({-5, 10});
    log_->MarkLook();
    MoveHeld({60, 20});
    log_->MarkLook();
    MoveHeld({60, 300});
    log_->MarkLook();
    Release(Qt::LeftButton, {60, 300});
    EXPECT_EQ(log_->Take(), (Log{"MouseDown(1,0,10,10)@2", "look 0", "look 2", "look 0",
                                 "MouseUp(1,0,60,300)@0"}));
    // Back inside before the release: the host sees a click.
    Press(Qt::LeftButton);
    MoveHeld({-5, 10});
    MoveHeld({5, 10});
    Release(Qt::LeftButton, {5, 10});
    EXPECT_EQ(log_->Count("Click"), 1);
}

TEST_F(MouseSequences, DoubleClickRaisesOneClickAndAnInnerPress) {
    Press(Qt::LeftButton, {7, 8});
    Release(Qt::LeftButton, {7, 8});
    // The toolkit replaces the second press by the double click.
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(7, 8), button_->mapToGlobal(QPointF(7, 8)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button_, &dbl);
    log_->MarkLook();
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(7, 8), button_->mapToGlobal(QPointF(7, 8)),
                   Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(button_, &up);
    const Log log = log_->Take();
    ASSERT_EQ(log.size(), 6u) << ::testing::PrintToString(log);
    EXPECT_EQ(log[0], "MouseDown(1,0,7,8)@2");
    EXPECT_EQ(log[1], "MouseUp(1,0,7,8)@0");
    EXPECT_EQ(log[2].substr(0, 7), "Click@0");
    EXPECT_EQ(log[3], "MouseDown(1,1,1,1)@2");
    EXPECT_EQ(log[4], "look 2");
    EXPECT_EQ(log[5], "MouseUp(1,0,7,8)@0");
}

TEST_F(MouseSequences, DoubleClickAfterRightPressDoesNothing) {
    Press(Qt::RightButton);
    Release(Qt::RightButton);
    log_->Take();
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(7, 8), button_->mapToGlobal(QPointF(7, 8)),
                    Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(button_, &dbl);
    EXPECT_TRUE(log_->Take().empty());
    EXPECT_EQ(Look(), Normal);
}

TEST_F(MouseSequences, HandlerArgumentsAreNotReadBack) {
    QObject::connect(button_, &XPButton::MouseDown, [](qint16& b, qint16&, float& x, float&) {
        b = 2;
        x = -100;
    });
    Press(Qt::LeftButton);
    Release(Qt::LeftButton);
    EXPECT_EQ(button_->State().LastMouseButton, 1);
    EXPECT_EQ(log_->Count("Click"), 1);
}

TEST(InsideTest, BoundsAreInclusiveAndNegativeIsOutside) {
    ButtonState state;
    state.ButtonWidth = 120;
    state.ButtonHeight = 40;
    EXPECT_TRUE(IsInside(state, 120.0f, 40.0f));
    EXPECT_TRUE(IsInside(state, 0.0f, 0.0f));
    EXPECT_FALSE(IsInside(state, 120.01f, 10.0f));
    EXPECT_FALSE(IsInside(state, 10.0f, 40.5f));
    EXPECT_FALSE(IsInside(state, -0.01f, 10.0f));
    EXPECT_FALSE(IsInside(state, 10.0f, -1.0f));
}

using KeyboardSequences = ButtonFixture;

TEST_F(KeyboardSequences, HeldSpaceRepeatsInnerPressAndReleasesOnce) {
    Key(QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    Key(QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "), true);
    // Some platforms send a release before each repeated press.
    Key(QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "), true);
    Key(QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "), true);
    Key(QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    const Log log = log_->Take();
    const Log expected{"MouseDown(1,1,1,1)@2", "KeyDown(32,0)@2", "KeyPress(32)",
                       "MouseDown(1,1,1,1)@2", "KeyDown(32,0)@2", "KeyPress(32)",
                       "MouseDown(1,1,1,1)@2", "KeyDown(32,0)@2", "KeyPress(32)",
                       "MouseUp(1,1,1,1)@0"};
    ASSERT_EQ(log.size(), expected.size() + 2) << ::testing::PrintToString(log);
    EXPECT_EQ(Log(log.begin(), log.begin() + 10), expected);
    EXPECT_EQ(log[10].substr(0, 7), "Click@0");
    EXPECT_EQ(log[11], "KeyUp(32,0)@0");
}

TEST_F(KeyboardSequences, ArrowsMoveFocusAfterRaisingKeyDown) {
    button_->setFocus();
    QTRY_VERIFY(button_->hasFocus());
    QTest::keyClick(button_, Qt::Key_Right);
    // The focus moves only once the handler has returned.
    EXPECT_TRUE(button_->hasFocus());
    QTRY_VERIFY(other_->hasFocus());
    EXPECT_EQ(log_->Take(), (Log{"KeyDown(39,0)@0", "KeyUp(39,0)@0"}));

    QTest::keyClick(other_, Qt::Key_Up);
    QTRY_VERIFY(button_->hasFocus());
    QTest::keyClick(button_, Qt::Key_Down);
    QTRY_VERIFY(other_->hasFocus());
    QTest::keyClick(other_, Qt::Key_Left);
    QTRY_VERIFY(button_->hasFocus());
}

TEST_F(KeyboardSequences, EnterAndEscapeAreOrdinaryKeys) {
    Key(QEvent::KeyPress, Qt::Key_Return, QStringLiteral("\r"));
    Key(QEvent::KeyRelease, Qt::Key_Return, QStringLiteral("\r"));
    Key(QEvent::KeyPress, Qt::Key_Escape, QStringLiteral("\x1b"));
    Key(QEvent::KeyRelease, Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_EQ(log_->Take(), (Log{"KeyDown(13,0)@0", "KeyPress(13)", "KeyUp(13,0)@0",
                                 "KeyDown(27,0)@0", "KeyPress(27)", "KeyUp(27,0)@0"}));
}

TEST_F(KeyboardSequences, AccessKeyWorksFromAnywhereInTheWindow) {
    other_->setFocus();
    QTRY_VERIFY(other_->hasFocus());
    QTest::keyClick(other_, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(log_->Count("Click@0"), 1);
    // The other button's own key goes to it, not to this one.
    int otherClicks = 0;
    QObject::connect(other_, &XPButton::Click, [&otherClicks] { ++otherClicks; });
    QTest::keyClick(button_, Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(log_->Count("Click"), 1);
}

using DisabledButton = ButtonFixture;

TEST_F(DisabledButton, NoInputReachesItAndClickStepsDoNothing) {
    button_->SetEnabled(false);
    EXPECT_FALSE(button_->isEnabled());
    Press(Qt::LeftButton);
    Release(Qt::LeftButton);
    QTest::keyClick(other_, Qt::Key_O, Qt::AltModifier);
    Key(QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    Key(QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_TRUE(log_->Take().empty());

    button_->SetEnabled(true);
    QTest::keyClick(other_, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(log_->Count("Click"), 1);
}

TEST_F(DisabledButton, ClickStepsCheckTheStoredFlagEvenWhenInputArrives) {
    // A stored Enabled of 1 is not true: the click steps must refuse it.
    class Host final : public ButtonHost {
    public:
        host::ImageSurface surface{60, 20};
        int clicks = 0;
        host::DrawingSurface& Canvas() override { return surface; }
        bool RaiseClick() override { return ++clicks, true; }
        bool RaiseMouseDown(std::int16_t, std::int16_t, float, float) override { return true; }
        bool RaiseMouseUp(std::int16_t, std::int16_t, float, float) override { return true; }
        bool RaiseKeyPress(std::int16_t) override { return true; }
        bool RaiseKeyDown(std::int16_t, std::int16_t) override { return true; }
        bool RaiseKeyUp(std::int16_t, std::int16_t) override { return true; }
        void InjectKeys(const QString&) override {}
    } host;
    ButtonState state = CreateButtonState(host.surface);
    state.Enabled = 1;
    KeyDown(state, host, kKeySpace, 0);
    KeyUp(state, host, kKeySpace, 0);
    AccessKeyPress(state, host);
    EXPECT_EQ(host.clicks, 0);
    state.Enabled = kTrue;
    AccessKeyPress(state, host);
    EXPECT_EQ(host.clicks, 1);
}

using FocusAndResize = ButtonFixture;

TEST_F(FocusAndResize, FocusRedrawsInTheCurrentLookAndShowFocusRectTogglesTheCue) {
    other_->setFocus();
    QTRY_VERIFY(!button_->hasFocus());
    const QImage unfocused = button_->Image().image().copy();

    button_->setFocus();
    QTRY_VERIFY(button_->hasFocus());
    EXPECT_EQ(button_->State().HasFocus, kTrue);
    const QImage focused = button_->Image().image().copy();
    EXPECT_NE(focused, unfocused);

    button_->SetShowFocusRect(false);
    EXPECT_EQ(button_->Image().image(), unfocused);
    EXPECT_EQ(button_->State().HasFocus, kTrue);
    button_->SetShowFocusRect(true);
    EXPECT_EQ(button_->Image().image(), focused);

    // While pressed, losing the focus keeps the pressed look.
    Key(QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    other_->setFocus();
    QTRY_VERIFY(!button_->hasFocus());
    EXPECT_EQ(button_->State().HasFocus, kFalse);
    EXPECT_EQ(Look(), Pressed);
}

TEST_F(FocusAndResize, AmbientDefaultChangeRedrawsInCurrentLook) {
    button_->SetButtonType(2);
    other_->setFocus();
    QTRY_VERIFY(!button_->hasFocus());
    const QImage plain = button_->Image().image().copy();
    host::ControlWindow::MakeDefaultButton(window_.get(), button_);
    EXPECT_TRUE(button_->DisplayAsDefault());
    EXPECT_FALSE(other_->DisplayAsDefault());
    EXPECT_NE(button_->Image().image(), plain);
    EXPECT_EQ(Look(), Normal);
    host::ControlWindow::MakeDefaultButton(window_.get(), other_);
    EXPECT_EQ(button_->Image().image(), plain);
}

TEST_F(FocusAndResize, ResizeRebuildsOutlineAndReleasesEvenWhileHeld) {
    Press(Qt::LeftButton);
    ASSERT_EQ(Look(), Pressed);
    button_->resize(90, 30);
    EXPECT_EQ(Look(), Normal);
    EXPECT_EQ(button_->State().ButtonWidth, 90);
    EXPECT_EQ(button_->State().ButtonHeight, 30);
    EXPECT_EQ(button_->State().FocusRect, (host::Rect{4, 4, 86, 26}));
    EXPECT_EQ(button_->mask(), OutlineFor(1, 90, 30).toQRegion());
    Release(Qt::LeftButton);
}

TEST_F(FocusAndResize, NewButtonTypeKeepsTheOutlineUntilTheNextResize) {
    button_->SetButtonType(2);
    const QRegion before = button_->mask();
    EXPECT_EQ(before, OutlineFor(1, 120, 40).toQRegion());
    button_->SetButtonType(4);
    EXPECT_EQ(button_->mask(), before);
    button_->resize(121, 40);
    EXPECT_EQ(button_->mask(), OutlineFor(4, 121, 40).toQRegion());
}

using HandlerLifetime = ButtonFixture;

TEST_F(HandlerLifetime, AHandlerMayDeleteTheButton) {
    QPointer<XPButton> watched(button_);
    QObject::connect(button_, &XPButton::Click, button_, [this] { delete button_; });
    Key(QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    Key(QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_TRUE(watched.isNull());
    // The key up is not raised on a button that no longer exists.
    const Log log = log_->Take();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().substr(0, 5), "Click");
}

} // namespace
} // namespace korven::xpbutton::testing
