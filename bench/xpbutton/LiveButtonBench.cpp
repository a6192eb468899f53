// The live button under a held mouse button: every move the toolkit reports runs the whole
// input step (button and modifier bits, the inside test, the redraw decision), and a move
// that changes nothing must stay cheap.
#include "controls/xpbutton/XPButton.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

using korven::xpbutton::XPButton;

// Opens the notification entry that the toolkit calls, so the benchmark can call it the same
// way without the toolkit's event routing around it.
class HeldButton final : public XPButton {
public:
    using XPButton::mouseMoveEvent;
    using XPButton::XPButton;
};

struct Held {
    QWidget window;
    HeldButton* button = new HeldButton(&window);

    Held() {
        window.resize(300, 120);
        button->InitProperties();
        button->SetCaption(QStringLiteral("&Convert Font"));
        button->SetButtonType(3);
        window.show();
        button->setGeometry(10, 10, 105, 33);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 15), QPointF(30, 25),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &press);
    }
};

void BM_MouseMoveInsideHeldButton(benchmark::State& st) {
    Held held;
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 16), QPointF(50, 26), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    for (auto _ : st) {
        held.button->mouseMoveEvent(&move);
        benchmark::DoNotOptimize(held.button->State().DrawnState);
    }
    if (held.button->State().DrawnState != korven::xpbutton::Pressed) {
        st.SkipWithError("the button is not held");
    }
}
BENCHMARK(BM_MouseMoveInsideHeldButton);

// The same move delivered through the toolkit's event dispatch, for comparison.
void BM_MouseMoveInsideHeldButtonDispatched(benchmark::State& st) {
    Held held;
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 16), QPointF(50, 26), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    for (auto _ : st) {
        QApplication::sendEvent(held.button, &move);
        benchmark::DoNotOptimize(held.button->State().DrawnState);
    }
}
BENCHMARK(BM_MouseMoveInsideHeldButtonDispatched);

} // namespace
