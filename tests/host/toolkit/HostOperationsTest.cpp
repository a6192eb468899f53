#include "host/seams/HostOperations.h"

#include "host/seams/ProgramInfo.h"
#include "host/seams/Timer.h"
#include "host/toolkit/QtMessageBox.h"
#include "host/toolkit/Windows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace korven::host {
namespace {

TEST(HostOperations, FileNameIsTheLastComponent) {
    EXPECT_EQ(GetFileName("/home/u/Arial Bold.ttf"), "Arial Bold.ttf");
    EXPECT_EQ(GetFileName("Arial.ttf"), "Arial.ttf");
    EXPECT_EQ(GetFileName("E:\\Fonts\\Arial.ttf"), "Arial.ttf");
    EXPECT_EQ(GetFileName("/home/u/"), "u");
    EXPECT_EQ(GetFileName("/"), "");
    EXPECT_EQ(GetFileName("C:\\"), "");
    EXPECT_EQ(GetFileName(""), "");
}

TEST(HostOperations, FileExistsIsForFilesResolvedAgainstTheCurrentDirectory) {
    QTemporaryDir tmp;
    QFile(tmp.filePath("ltn0.pgf")).open(QIODevice::WriteOnly);
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(ChangeCurrentDirectory(tmp.path()));
    EXPECT_TRUE(FileExists("ltn0.pgf"));
    EXPECT_FALSE(FileExists("other.pgf"));
    EXPECT_FALSE(FileExists(tmp.path())); // a folder is not a file
    EXPECT_FALSE(FileExists(""));
    ASSERT_TRUE(ChangeCurrentDirectory(saved));
    EXPECT_FALSE(FileExists("ltn0.pgf"));
    EXPECT_FALSE(ChangeCurrentDirectory(tmp.filePath("no such folder")));
}

TEST(ProgramInfo, TitleVersionAndFolderOfTheBuild) {
    EXPECT_EQ(ProgramTitle(), "KORVEN_Font_Coverter");
    const ProgramVersion v = Version();
    EXPECT_EQ(v.major, 1);
    EXPECT_EQ(v.minor, 1);
    EXPECT_EQ(v.revision, 0);
    const QString folder = SystemProgramFolder();
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_FALSE(folder.endsWith(QDir::separator()) && folder.size() > 1);
}

TEST(TimerTest, TicksOnlyWhenEnabledWithAnIntervalCarryingItsIndex) {
    Timer timer(nullptr, 0);
    QSignalSpy ticks(&timer, &Timer::Tick);
    EXPECT_FALSE(timer.Fire());
    timer.SetEnabled(true); // enabled first, interval later, as the main window does
    EXPECT_FALSE(timer.Fire());
    timer.SetInterval(500);
    EXPECT_TRUE(timer.Fire());
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Fire());
    ASSERT_EQ(ticks.count(), 1);
    EXPECT_EQ(ticks[0][0].toInt(), 0);
}

TEST(TimerTest, ATickDueDuringItsOwnHandlerIsDropped) {
    Timer timer;
    timer.SetInterval(5000);
    timer.SetEnabled(true);
    int handled = 0;
    bool nestedDelivered = true;
    QObject::connect(&timer, &Timer::Tick, [&](int index) {
        EXPECT_EQ(index, -1);
        ++handled;
        nestedDelivered = timer.Fire(); // as if the interval passed while a box is open
    });
    EXPECT_TRUE(timer.Fire());
    EXPECT_EQ(handled, 1);
    EXPECT_FALSE(nestedDelivered);
}

TEST(TimerTest, HandlerMayDestroyItsOwnTimer) {
    auto* timer = new Timer;
    timer->SetInterval(500);
    timer->SetEnabled(true);
    QObject::connect(timer, &Timer::Tick, [timer] { delete timer; });
    EXPECT_TRUE(timer->Fire()); // AddressSanitizer reports a write to the freed timer
}

TEST(TimerTest, RealClockTicks) {
    Timer timer;
    QSignalSpy ticks(&timer, &Timer::Tick);
    timer.SetEnabled(true);
    timer.SetInterval(1);
    EXPECT_TRUE(ticks.wait(2000));
}

// How a real box looked while it was open.
struct BoxLook {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    int buttons = 0;
};

TEST(MessageBoxTest, QuestionWithStopIconAndNoAsDefault) {
    QtMessageBoxService real;
    MessageBoxService& service = real;
    BoxLook look;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        look = {box->windowTitle(), box->text(), box->icon(),
                box->standardButton(box->defaultButton()), static_cast<int>(box->buttons().size())};
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(service.Show("the file already exist to replace it", MessageBoxFlags::fromInt(276),
                           "QUESTION"),
              MessageBoxResult::Yes);
    EXPECT_EQ(look.title, "QUESTION");
    EXPECT_EQ(look.text, "the file already exist to replace it");
    EXPECT_EQ(look.icon, QMessageBox::Critical);
    EXPECT_EQ(look.defaultButton, QMessageBox::No);
    EXPECT_EQ(look.buttons, 2);
}

TEST(MessageBoxTest, EscapeOnAQuestionIsNotYes) {
    QtMessageBoxService real;
    MessageBoxService& service = real;
    QTimer::singleShot(0,
                       [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    EXPECT_EQ(service.Show("replace?", MessageBoxFlags::fromInt(4 + 16 + 256), "QUESTION"),
              MessageBoxResult::No);
}

TEST(MessageBoxTest, NoTitleMeansTheProgramTitle) {
    QtMessageBoxService real;
    MessageBoxService& service = real;
    BoxLook look;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        look = {box->windowTitle(), box->text(), box->icon(),
                box->standardButton(box->defaultButton()), static_cast<int>(box->buttons().size())};
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(service.Show(" Peripheral not available ", MessageBoxFlags::fromInt(0)),
              MessageBoxResult::Ok);
    EXPECT_EQ(look.title, "KORVEN_Font_Coverter");
    EXPECT_EQ(look.text, " Peripheral not available ");
    EXPECT_EQ(look.icon, QMessageBox::NoIcon);
    EXPECT_EQ(look.buttons, 1);
}

// Centred where it fits; a window taller or wider than the screen (the main window at scale 2
// on a 1280 x 800 screen) keeps its title bar and menu bar on it.
TEST(Windows, CentredUnlessTheTopLeftWouldLeaveTheScreen) {
    const struct {
        const char* name;
        QSize size;
        QRect available;
        QPoint expected;
    } rows[] = {
        {"fits", {500, 400}, {0, 0, 1280, 776}, {390, 188}},
        {"under a top panel", {500, 400}, {0, 24, 1280, 776}, {390, 212}},
        {"taller than the screen", {504, 520}, {0, 0, 640, 388}, {68, 0}},
        {"larger both ways", {700, 520}, {0, 24, 640, 376}, {0, 24}},
        {"on a second screen", {700, 520}, {1280, 0, 640, 400}, {1280, 0}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CentredTopLeft(row.size, row.available), row.expected) << row.name;
}

TEST(Windows, SingleWindowIsOneInstanceUntilUnloaded) {
    int created = 0;
    const auto create = [&] {
        ++created;
        return new QWidget;
    };
    SingleWindow<QWidget> window;
    QWidget* first = window.Load(create);
    ShowModeless(first);
    EXPECT_EQ(window.Load(create), first);
    EXPECT_EQ(created, 1);
    EXPECT_TRUE(first->isVisible());

    window.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.Get(), nullptr);
    window.Load(create)->close(); // closing any other way unloads it too
    EXPECT_EQ(created, 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.Get(), nullptr);
}

} // namespace
} // namespace korven::host
