// The conversion end to end with real child processes: small shell scripts stand in for the
// converter in a temporary program folder. Nothing here waits on a clock; the completion
// timer is fired by hand and only the child's own end is waited for.

#include "Form1Fixture.h"
#include "forms/main/FramePanel.h"
#include "host/seams/ProcessStarter.h"
#include "host/seams/Timer.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

namespace korven::forms::testing {
namespace {

class Form1ConverterProcessTest : public Form1Fixture {
protected:
    host::HostServices Services() override {
        host::HostServices services = host_.Services();
        services.processes = &realStarter_;
        return services;
    }

    // Puts a converter script into the program folder.
    void InstallConverter(const QByteArray& body, bool executable = true) {
        const QString path = programFolder_ + QStringLiteral("/ttf2pgf");
        WriteFile(path, "#!/bin/sh\n" + body);
        QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner;
        if (executable) {
            perms |= QFile::ExeOwner;
        }
        QFile::setPermissions(path, perms);
    }

    void Choose(const QString& fontFolder, const QString& fontName, const QString& out) {
        PickFont(fontFolder, fontName);
        PickDestination(out);
        form_->Combo1()->setCurrentText(QStringLiteral("12"));
        form_->Combo1_Click();
        form_->Text1()->setText(QStringLiteral("2"));
    }

    // Waits for the converter to end on its own, then delivers the completion tick when the
    // designed wait is still on (after it, the end itself gives the report).
    void WaitForConverterThenTick() {
        ASSERT_NE(form_->Job(), nullptr);
        host::ProcessHandle& handle = form_->Job()->Handle();
        if (handle.State() == host::ProcessState::Running) {
            QSignalSpy ended(&handle, &host::ProcessHandle::Finished);
            ASSERT_TRUE(ended.wait(10000));
        }
        if (form_->Timer2()->Enabled()) {
            ASSERT_TRUE(form_->Timer2()->Fire());
        }
    }

    QString LastBoxText() const {
        return host_.messages.shown.isEmpty() ? QString() : host_.messages.shown.last().text;
    }

    host::QtProcessStarter realStarter_;
};

TEST_F(Form1ConverterProcessTest, AWorkingConverterGetsTheReportAndItsArgumentsArriveWhole) {
    // Blanks, quotes, shell characters and non-ASCII letters in both folders and the name.
    const QString fonts = MakeFolder(QString::fromUtf8("font's \"dir\" $HOME; & `id` é"));
    const QString out = MakeFolder(QString::fromUtf8("out dir | > ñ"));
    const QString fontName = QString::fromUtf8("My $(Font) ; x&y 'z'.ttf");
    WriteFile(fonts + "/" + fontName, "FONTDATA");
    InstallConverter(
        "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$(dirname \"$0\")/args\"\n"
        "cp \"$1\" \"$2\" && echo \"wrote $2: 1 glyph, 8 bytes\"\n");
    Load();
    Choose(fonts, fontName, out);

    form_->XPButton2_Click();
    EXPECT_TRUE(form_->Frame1()->isHidden());
    WaitForConverterThenTick();

    ASSERT_EQ(host_.messages.shown.size(), 1);
    EXPECT_EQ(LastBoxText(), "operation concluded correctly");
    QFile args(programFolder_ + "/args");
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(args.readAll()),
              fonts + "/" + fontName + "\n" + out + "/ltn0.pgf\n12\ni2\n");
    QFile written(out + "/ltn0.pgf");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "FONTDATA");
    EXPECT_FALSE(form_->Frame1()->isHidden());
}

TEST_F(Form1ConverterProcessTest, AFailingConverterIsReportedWithItsExitCodeAndLastErrorLine) {
    const QString fonts = MakeFolder("fonts");
    WriteFile(fonts + "/a.ttf");
    InstallConverter("echo 'reading font' >&2\necho 'a.ttf: no cmap table' >&2\nexit 1\n");
    Load();
    Choose(fonts, "a.ttf", MakeFolder("out"));
    form_->XPButton2_Click();
    WaitForConverterThenTick();

    ASSERT_EQ(host_.messages.shown.size(), 1);
    EXPECT_EQ(host_.messages.shown[0].flags, 16);
    EXPECT_TRUE(LastBoxText().contains("stopped with this message"));
    EXPECT_TRUE(LastBoxText().contains("a.ttf: no cmap table"));
    EXPECT_FALSE(form_->Frame2()->isHidden());
    EXPECT_TRUE(form_->Label6()->isHidden());
}

TEST_F(Form1ConverterProcessTest, AConverterThatOutlivesTheWaitIsReportedWhenItEnds) {
    const QString fonts = MakeFolder("fonts");
    WriteFile(fonts + "/a.ttf");
    // Runs until the test lets it go (with its own limit, so it never lingers).
    InstallConverter(
        "dir=$(dirname \"$0\")\ni=0\n"
        "while [ ! -e \"$dir/go\" ] && [ $i -lt 400 ]; do sleep 0.05; i=$((i+1)); done\n"
        "cp \"$1\" \"$2\" && echo \"wrote $2: 1 glyph, 8 bytes\"\n");
    Load();
    Choose(fonts, "a.ttf", MakeFolder("out"));
    form_->XPButton2_Click();

    ASSERT_TRUE(form_->Timer2()->Fire());
    EXPECT_TRUE(host_.messages.shown.isEmpty());
    EXPECT_TRUE(form_->Frame1()->isHidden());
    EXPECT_FALSE(form_->Label6()->isHidden());
    EXPECT_FALSE(form_->Timer2()->Enabled()) << "no more looking: the end reports it";

    WriteFile(programFolder_ + "/go");
    WaitForConverterThenTick();
    ASSERT_EQ(host_.messages.shown.size(), 1);
    EXPECT_EQ(LastBoxText(), "operation concluded correctly");
}

TEST_F(Form1ConverterProcessTest, AMissingOrNonExecutableConverterIsNamedAndNothingWaits) {
    const QString fonts = MakeFolder("fonts");
    WriteFile(fonts + "/a.ttf");
    Load();
    for (bool present : {false, true}) {
        SCOPED_TRACE(present ? "not executable" : "missing");
        if (present) {
            InstallConverter("exit 0\n", false);
        }
        host_.messages.shown.clear();
        Choose(fonts, "a.ttf", MakeFolder("out"));
        form_->XPButton2_Click();
        ASSERT_EQ(host_.messages.shown.size(), 1);
        EXPECT_EQ(host_.messages.shown[0].flags, 16);
        EXPECT_EQ(LastBoxText(),
                  present ? "The converter ttf2pgf in " + programFolder_ + " could not be run."
                          : "The converter ttf2pgf was not found in " + programFolder_ + ".");
        // A line to run by hand only when there is something to run.
        EXPECT_EQ(host_.messages.shown[0].secondary.startsWith("To run it by hand:\n"), present);
        EXPECT_FALSE(form_->Frame1()->isHidden());
        EXPECT_TRUE(form_->Label6()->isHidden());
        EXPECT_FALSE(form_->Timer2()->Enabled());
        EXPECT_EQ(form_->Settings().FontFile, "/a.ttf");
    }
}

} // namespace
} // namespace korven::forms::testing
