// The main window as loaded: start-up state, layout in pixels, tab order, the link label,
// the About window, and the drive lists (messages and polling).

#include "Form1Fixture.h"
#include "controls/xpbutton/XPButton.h"
#include "forms/main/CharactersMenu.h"
#include "forms/main/Form1Layout.h"
#include "forms/main/FramePanel.h"
#include "forms/main/LinkLabel.h"
#include "host/seams/Timer.h"
#include "host/toolkit/DesignFonts.h"
#include "host/toolkit/DriveListBox.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <cerrno>

namespace korven::forms::testing {
namespace {

class Form1WindowTest : public Form1Fixture {};

TEST_F(Form1WindowTest, LoadSetsUpTheSettingsTheSizesAndThePolling) {
    Form1& form = Load();
    const app::ConversionSettings& s = form.Settings();
    EXPECT_EQ(s.ProgramFolder, programFolder_);
    EXPECT_EQ(QDir::currentPath(), programFolder_);
    EXPECT_EQ(s.ProgramDriveRoot, QStringLiteral("/"));
    EXPECT_EQ(s.KnownDriveCount, 1);
    EXPECT_TRUE(s.FontFile.isEmpty());
    EXPECT_TRUE(s.FontSize.isEmpty());
    EXPECT_TRUE(s.ShadowValue.isEmpty());
    // The source pane follows the program's drive down to the program folder.
    EXPECT_EQ(s.SourceFolder, programFolder_);

    QStringList sizes;
    for (int i = 0; i < form.Combo1()->count(); ++i) {
        sizes << form.Combo1()->itemText(i);
    }
    EXPECT_EQ(sizes.size(), 17);
    EXPECT_EQ(sizes.first(), "6");
    EXPECT_EQ(sizes.last(), "22");
    EXPECT_EQ(form.Combo1()->currentIndex(), -1);
    EXPECT_TRUE(form.Combo1()->currentText().isEmpty());
    EXPECT_FALSE(form.Combo1()->isEditable());

    EXPECT_TRUE(form.Timer1()->IsRunning());
    EXPECT_EQ(form.Timer1()->Interval(), 500);
    EXPECT_EQ(form.Timer1()->Index(), 0);
    EXPECT_FALSE(form.Timer2()->Enabled());
    EXPECT_EQ(form.Timer2()->Interval(), 5000);
    EXPECT_TRUE(form.Label6()->isHidden());
}

TEST_F(Form1WindowTest, InstalledTheSourcePaneOpensOnTheUsersFonts) {
    const QString home = MakeFolder(QStringLiteral("home"));
    const QString fonts = MakeFolder(QStringLiteral("home/.local/share/fonts"));
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home));
    host_.programFolder = QStringLiteral("/usr/bin");
    Form1& form = Load();
    qputenv("HOME", savedHome);
    EXPECT_EQ(form.Dir1()->Path(), fonts);
    EXPECT_EQ(form.Settings().SourceFolder, fonts);
    // The converter is still the one beside the program.
    EXPECT_EQ(form.Settings().ProgramFolder, QStringLiteral("/usr/bin"));
}

TEST_F(Form1WindowTest, TheDestinationShownAtStartIsTheOneWrittenTo) {
    // Launched from another folder than the program's: the destination pane shows it.
    const QString launch = MakeFolder(QStringLiteral("launch"));
    const QString fonts = MakeFolder(QStringLiteral("fonts"));
    WriteFile(fonts + "/Arial.ttf");
    ASSERT_TRUE(QDir::setCurrent(launch));
    Form1& form = Load();
    EXPECT_EQ(form.Dir2()->Path(), launch);
    EXPECT_EQ(form.Settings().DestinationFolder, launch + "/");

    PickFont(fonts, QStringLiteral("Arial.ttf"));
    form.Combo1()->setCurrentText(QStringLiteral("12"));
    form.Combo1_Click();
    form.Text1()->setText(QStringLiteral("2"));
    form.XPButton2_Click();
    ASSERT_EQ(host_.processes.started.size(), 1);
    EXPECT_EQ(host_.processes.started[0].arguments.at(1), launch + "/ltn0.pgf");
}

TEST_F(Form1WindowTest, SizeAndShadowAreCopiedOnlyByTheirHandlers) {
    Form1& form = Load();
    form.Combo1()->setCurrentIndex(3);
    EXPECT_TRUE(form.Settings().FontSize.isEmpty());
    form.Combo1_Click();
    EXPECT_EQ(form.Settings().FontSize, "9");
    form.Text1()->setText(" 2.5 ");
    EXPECT_EQ(form.Settings().ShadowValue, " 2.5 ");
}

TEST_F(Form1WindowTest, EveryLabelsTextFitsItsDesignedBoxAndTheLinkIsOneLine) {
    host::RegisterDesignFonts();
    Form1& form = Load();
    const struct {
        QLabel* label;
        layout::TwipsRect box;
    } labels[] = {
        {form.Label2(), layout::kLabel2}, {form.Label3(), layout::kLabel3},
        {form.Label4(), layout::kLabel4}, {form.Label5(), layout::kLabel5},
        {form.Label6(), layout::kLabel6},
    };
    for (const auto& l : labels) {
        SCOPED_TRACE(qPrintable(l.label->objectName()));
        const QFontMetrics metrics(l.label->font());
        const QRect box = layout::ToPixels(l.box);
        // A framed label keeps half an "x" clear on its left.
        const int indent = metrics.horizontalAdvance(QLatin1Char('x')) / 2;
        const int frame = 2 * l.label->frameWidth();
        EXPECT_LE(metrics.horizontalAdvance(l.label->text()) + indent + frame, box.width());
        EXPECT_LE(metrics.height() + frame, box.height());
        // Nothing runs into the edge of the frame that holds it.
        EXPECT_LT(l.label->geometry().right(), l.label->parentWidget()->width() - 1);
    }
    const QFontMetrics link(form.Label1()->font());
    const QRect inside = form.Label1()->contentsRect();
    EXPECT_LE(link.horizontalAdvance(form.Label1()->text()), inside.width());
    EXPECT_LE(link.height(), inside.height());
    // ...and as large as fits: a quarter point more would not.
    QFont larger = form.Label1()->font();
    if (larger.pointSizeF() < 12.0) {
        larger.setPointSizeF(larger.pointSizeF() + 0.25);
        EXPECT_GT(QFontMetrics(larger).horizontalAdvance(form.Label1()->text()), inside.width());
    }
}

TEST_F(Form1WindowTest, ListsAndBoxesKeepTheStandardControlColoursInsideTheColouredFrames) {
    Form1& form = Load();
    form.show();
    const QColor blue = form.Client()->palette().color(QPalette::Window);
    const QList<QWidget*> controls{form.Drive1(), form.Dir1(),  form.File1(),  form.Drive2(),
                                   form.Dir2(),   form.File2(), form.Combo1(), form.Text1()};
    for (QWidget* control : controls) {
        SCOPED_TRACE(qPrintable(control->objectName()));
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::Dark}) {
            EXPECT_EQ(control->palette().color(role), QApplication::palette(control).color(role));
        }
        // Not one pixel of the window's blue, not even in a border or a corner.
        const QImage image = control->grab().toImage();
        int bluePixels = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c(image.pixel(x, y));
                bluePixels += c.blue() > 100 && c.red() < 60 && c.green() < 60;
            }
        }
        EXPECT_EQ(bluePixels, 0);
        EXPECT_NE(blue, control->palette().color(QPalette::Window));
    }
}

struct Placement {
    const char* name;
    QRect pixels; // relative to the parent: the client area or the frame
};

TEST_F(Form1WindowTest, ControlsSitAtTheirPlacesInPixels) {
    Form1& form = Load();
    EXPECT_EQ(form.Client()->size(), QSize(488, 435));
    const Placement placements[] = {
        {"Frame1", {8, 72, 233, 249}},      {"Frame2", {248, 72, 233, 249}},
        {"Frame3", {8, 328, 233, 73}},      {"Label6", {144, 184, 201, 33}},
        {"Image2", {0, 8, 287, 57}},        {"Label1", {312, 24, 153, 33}},
        {"XPButton2", {248, 328, 105, 33}}, {"XPButton1", {376, 384, 105, 33}},
        {"Drive1", {8, 16, 217, 21}},       {"Dir1", {8, 48, 217, 96}},
        {"File1", {8, 152, 217, 84}},       {"Drive2", {8, 16, 217, 21}},
        {"Dir2", {8, 48, 217, 96}},         {"File2", {8, 152, 217, 84}},
        {"Label3", {8, 15, 65, 17}},        {"Combo1", {80, 13, 65, 21}},
        {"Label4", {8, 39, 65, 17}},        {"Text1", {80, 38, 65, 19}},
    };
    for (const Placement& p : placements) {
        SCOPED_TRACE(p.name);
        auto* widget = form.findChild<QWidget*>(QString::fromLatin1(p.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), p.pixels);
    }
    EXPECT_EQ(form.Drive1()->parentWidget(), form.Frame1());
    EXPECT_EQ(form.File2()->parentWidget(), form.Frame2());
    EXPECT_EQ(form.Text1()->parentWidget(), form.Frame3());
    // The two self-sizing labels keep their place.
    EXPECT_EQ(form.Label5()->pos(), QPoint(152, 16));
    EXPECT_EQ(form.Label2()->pos(), QPoint(152, 40));
}

TEST_F(Form1WindowTest, FirstShowCentresTheFixedSizeWindowOnTheScreen) {
    Form1& form = Load();
    form.show();
    const QPoint centre = form.screen()->availableGeometry().center();
    EXPECT_LE((form.frameGeometry().center() - centre).manhattanLength(), 2);
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(Form1WindowTest, TextsColoursAndPatternsAreThoseOfTheLayout) {
    Form1& form = Load();
    EXPECT_EQ(form.windowTitle(), "KORVEN FONTS CONVERTER 1.1(GUI)  by ZQ");
    EXPECT_EQ(form.Frame1()->caption(), "SOURCE FONT");
    EXPECT_EQ(form.Frame2()->caption(), "DESTINATION FONT");
    EXPECT_EQ(form.Frame3()->caption(), "OPTIONS");
    EXPECT_EQ(form.Frame1()->background(), QColor(0, 255, 0));
    EXPECT_EQ(form.Frame2()->background(), QColor(255, 0, 0));
    EXPECT_EQ(form.Frame3()->background(), QColor(255, 255, 0));
    EXPECT_TRUE(form.Frame1()->captionFont().bold());
    EXPECT_EQ(form.Client()->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_EQ(form.Label6()->text(), "    Please Wait");
    EXPECT_TRUE(form.Label6()->font().bold());
    EXPECT_EQ(form.Label3()->text(), "FONT SIZE:");
    EXPECT_EQ(form.Label4()->text(), "SHADOW :");
    EXPECT_EQ(form.Label5()->text(), "Max Value: 22");
    EXPECT_EQ(form.Label2()->text(), "Value:   1 - 4.0");
    // Wider than the designed "*.ttf" on purpose: every kind of font the converter reads.
    EXPECT_EQ(form.File1()->Pattern(), "*.ttf;*.otf;*.ttc");
    EXPECT_EQ(form.File2()->Pattern(), "*.pgf");
    // The designed items first; added menus only after them.
    ASSERT_GE(form.menuBar()->actions().size(), 2);
    EXPECT_EQ(form.menuBar()->actions()[0]->text(), "INFO");
    EXPECT_EQ(form.menuBar()->actions()[1]->text(), "&PREVIEW");
    EXPECT_FALSE(form.Image2()->pixmap().isNull());
    EXPECT_TRUE(form.Image2()->hasScaledContents());
    EXPECT_FALSE(form.windowIcon().isNull());
}

TEST_F(Form1WindowTest, ButtonsComeFromTheirSavedPropertySets) {
    Form1& form = Load();
    struct Expected {
        xpbutton::XPButton* button;
        const char* caption;
        double points;
    };
    for (const Expected& e : {Expected{form.XPButton2(), "&Convert Font", 8.25},
                              Expected{form.XPButton1(), "&Exit", 9.75}}) {
        ASSERT_NE(e.button, nullptr);
        SCOPED_TRACE(e.caption);
        EXPECT_EQ(e.button->Caption(), e.caption);
        EXPECT_EQ(e.button->ButtonType(), 3);
        EXPECT_EQ(e.button->ColorScheme(), 1);
        EXPECT_TRUE(e.button->ShowFocusRect());
        EXPECT_TRUE(e.button->Enabled());
        EXPECT_EQ(e.button->BackColor(), 0x00E3DFE0u);
        EXPECT_EQ(e.button->ForeColor(), 0u);
        EXPECT_TRUE(e.button->Font().bold());
        EXPECT_DOUBLE_EQ(e.button->Font().pointSizeF(), e.points);
    }
}

TEST_F(Form1WindowTest, ConvertAndExitButtonsRunTheirHandlers) {
    Form1& form = Load();
    form.show();
    emit form.XPButton2()->Click();
    ASSERT_EQ(host_.messages.shown.size(), 1);
    EXPECT_EQ(host_.messages.shown[0].text, "Please select a font");
    emit form.XPButton1()->Click();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(Form1WindowTest, TabWalksTheControlsInOrderStartingOnTheDestinationFiles) {
    Form1& form = Load();
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ASSERT_EQ(QApplication::focusWidget(), form.File2());

    const QList<QWidget*> expected{form.Dir2(),      form.Drive2(), form.File1(), form.Dir1(),
                                   form.Drive1(),    form.Combo1(), form.Text1(), form.XPButton1(),
                                   form.XPButton2(), form.File2()};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next)
            << "expected " << next->objectName().toStdString() << ", got "
            << QApplication::focusWidget()->objectName().toStdString();
    }
}

TEST_F(Form1WindowTest, LinkLightsUpOverItselfAndGoesPlainOnlyOverTheBareSurface) {
    Form1& form = Load();
    LinkLabel* link = form.Label1();
    EXPECT_EQ(link->toolTip(), "visita il nostro sito");
    EXPECT_EQ(link->cursor().shape(), Qt::BitmapCursor);
    EXPECT_TRUE(link->font().italic());
    EXPECT_FALSE(link->font().underline());
    EXPECT_EQ(link->textColor(), QColor(0, 255, 0));

    auto moveOver = [](QWidget* target, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), target->mapToGlobal(QPointF(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    };
    moveOver(link, QPoint(5, 5));
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->textColor(), QColor(255, 255, 0));

    // Over a frame the pointer is not on the bare surface: the link stays lit.
    moveOver(form.Client(), form.Frame3()->geometry().center());
    EXPECT_TRUE(link->font().underline());

    moveOver(form.Client(), QPoint(300, 3));
    EXPECT_FALSE(link->font().underline());
    EXPECT_EQ(link->textColor(), QColor(0, 255, 0));
}

TEST_F(Form1WindowTest, LinkClickOpensTheAddressItShows) {
    Form1& form = Load();
    QTest::mouseClick(form.Label1(), Qt::LeftButton);
    ASSERT_EQ(host_.urls.opened.size(), 1);
    EXPECT_EQ(host_.urls.opened[0].url, QStringLiteral(KORVEN_LINK_URL));
    EXPECT_EQ(form.Label1()->text(), QStringLiteral(KORVEN_LINK_URL));
    EXPECT_EQ(host_.urls.opened[0].directory, form.Settings().ProgramDriveRoot);
    EXPECT_TRUE(host_.messages.shown.isEmpty());

    // No web browser: the address is shown rather than nothing happening.
    host_.urls.accepts = false;
    QTest::mouseClick(form.Label1(), Qt::LeftButton);
    ASSERT_EQ(host_.messages.shown.size(), 1);
    EXPECT_TRUE(host_.messages.shown[0].secondary.contains(QStringLiteral(KORVEN_LINK_URL)));
}

TEST_F(Form1WindowTest, InfoAsksForTheAboutWindowEachTime) {
    int shown = 0;
    Form1& form = Load();
    QObject::connect(&form, &Form1::aboutRequested, [&] { ++shown; });
    form.INFO()->trigger();
    form.INFO()->trigger();
    EXPECT_EQ(shown, 2);
}

TEST_F(Form1WindowTest, PreviewGetsTheChoicesAndEveryChange) {
    QStringList seen;
    auto record = [&](const char* what) {
        return [&seen, what](const app::ConversionSettings& s) {
            seen << QStringLiteral("%1 %2 %3 %4")
                        .arg(QLatin1String(what), s.FontFile, s.FontSize, s.ShadowValue);
        };
    };
    const QString fonts = MakeFolder(QStringLiteral("fonts"));
    WriteFile(fonts + QStringLiteral("/A.ttf"));
    Form1& form = Load();
    QObject::connect(&form, &Form1::previewRequested, record("show"));
    QObject::connect(&form, &Form1::settingsChanged, record("changed"));
    PickFont(fonts, QStringLiteral("A.ttf"));
    form.Combo1()->setCurrentText(QStringLiteral("20"));
    form.Combo1_Click();
    form.Text1()->setText(QStringLiteral("3"));
    form.PREVIEW()->trigger();
    EXPECT_EQ(
        seen,
        QStringList({QStringLiteral("changed /A.ttf  "), QStringLiteral("changed /A.ttf 20 "),
                     QStringLiteral("changed /A.ttf 20 3"), QStringLiteral("show /A.ttf 20 3")}));

    // The pick dropped by another source folder, and the pick a job consumes, are changes too.
    seen.clear();
    ASSERT_EQ(form.Dir1()->SetPath(programFolder_), host::FolderError::None);
    PickFont(fonts, QStringLiteral("A.ttf"));
    form.XPButton2_Click();
    ASSERT_EQ(host_.processes.started.size(), 1);
    EXPECT_EQ(seen,
              QStringList({QStringLiteral("changed  20 3"), QStringLiteral("changed /A.ttf 20 3"),
                           QStringLiteral("changed  20 3")}));
}

TEST_F(Form1WindowTest, ClosingTheMainWindowClosesEveryOtherWindow) {
    // Exit and the close button alike: no window may stay behind to keep the program alive.
    for (bool byExit : {true, false}) {
        SCOPED_TRACE(byExit ? "Exit" : "close button");
        Form1& form = Load();
        form.show();
        QPointer<QWidget> other = new QWidget;
        other->setAttribute(Qt::WA_DeleteOnClose);
        other->show();
        if (byExit) {
            form.XPButton1_Click();
        } else {
            form.close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(other.isNull());
        for (QWidget* window : QApplication::topLevelWidgets()) {
            EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
        }
        delete form_.data();
    }
}

TEST_F(Form1WindowTest, CharactersMenuChoiceReachesSettingsAndPreview) {
    QStringList seen;
    Form1& form = Load();
    QObject::connect(&form, &Form1::settingsChanged, [&](const app::ConversionSettings& s) {
        seen << s.ExtraCharacterSets.join(QLatin1Char(','));
    });
    CharactersMenu* menu = form.CHARACTERS();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(form.menuBar()->actions().indexOf(menu->menuAction()), 3);
    EXPECT_EQ(menu->title(), "C&HARACTERS");
    const char* const names[] = {"latin-extended", "greek", "cyrillic"};
    ASSERT_EQ(menu->actions().size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QAction* item = menu->actions()[i];
        EXPECT_EQ(item->objectName(), names[i]);
        EXPECT_TRUE(item->isCheckable());
        EXPECT_FALSE(item->isChecked());
        EXPECT_TRUE(item->text().startsWith(QLatin1Char('&'))) << item->text().toStdString();
    }
    EXPECT_TRUE(form.Settings().ExtraCharacterSets.isEmpty());
    menu->Item(QStringLiteral("cyrillic"))->trigger();
    menu->Item(QStringLiteral("greek"))->trigger();
    menu->Item(QStringLiteral("cyrillic"))->trigger();
    EXPECT_EQ(seen, QStringList({"cyrillic", "greek,cyrillic", "greek"}));
    EXPECT_EQ(form.Settings().ExtraCharacterSets, QStringList{"greek"});
}

TEST_F(Form1WindowTest, UnreadableDrivesAreReportedAndTheFolderStays) {
    struct Case {
        const char* name;
        int error;
        const char* message; // nullptr: no message
    };
    const Case cases[] = {
        {"not ready", EIO, "Not ready disc"},
        {"unavailable", ENODEV, " Peripheral not available "},
        {"other", EACCES, nullptr},
    };
    const QString media = QStringLiteral("/media/korven-test-usb");
    host_.drives.roots = {QStringLiteral("/"), media};
    Form1& form = Load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host_.folders.failures = {{media, c.error}};
        host_.messages.shown.clear();
        for (int pane = 1; pane <= 2; ++pane) {
            host::DriveListBox* drive = pane == 1 ? form.Drive1() : form.Drive2();
            host::DirListBox* dir = pane == 1 ? form.Dir1() : form.Dir2();
            const QString folderBefore = dir->Path();
            const app::ConversionSettings before = form.Settings();
            ASSERT_TRUE(drive->SetDrive(media));
            EXPECT_EQ(drive->Drive(), media);
            EXPECT_EQ(dir->Path(), folderBefore);
            EXPECT_EQ(form.Settings().SourceFolder, before.SourceFolder);
            EXPECT_EQ(form.Settings().DestinationFolder, before.DestinationFolder);
            ASSERT_TRUE(drive->SetDrive(QStringLiteral("/")));
        }
        const qsizetype expected = c.message != nullptr ? 2 : 0;
        ASSERT_EQ(host_.messages.shown.size(), expected);
        for (const auto& box : host_.messages.shown) {
            EXPECT_EQ(box.text, QString::fromLatin1(c.message));
            EXPECT_EQ(box.flags, 0);
            EXPECT_TRUE(box.title.isEmpty());
        }
    }
}

TEST_F(Form1WindowTest, PollingRefreshesOnlyTheDestinationDrivesWhenTheCountChanges) {
    Form1& form = Load();
    const QStringList sourceDrives = form.Drive1()->Drives();
    const QString usb = QStringLiteral("/media/usb-a");

    host_.drives.roots.append(usb);
    form.Timer1()->Fire();
    EXPECT_TRUE(form.Drive2()->Drives().contains(usb));
    EXPECT_EQ(form.Drive1()->Drives(), sourceDrives);
    EXPECT_EQ(form.Settings().KnownDriveCount, 2);

    // One drive gone and another come between two ticks: same count, no refresh.
    host_.drives.roots = {QStringLiteral("/"), QStringLiteral("/media/usb-b")};
    form.Timer1()->Fire();
    EXPECT_TRUE(form.Drive2()->Drives().contains(usb));

    host_.drives.roots = {QStringLiteral("/")};
    form.Timer1()->Fire();
    EXPECT_EQ(form.Drive2()->Drives(), QStringList{QStringLiteral("/")});
    EXPECT_EQ(form.Settings().KnownDriveCount, 1);

    // A failed enumeration counts as no drives; the next good one counts again.
    host_.drives.failing = true;
    form.Timer1()->Fire();
    EXPECT_EQ(form.Settings().KnownDriveCount, 0);
    host_.drives.failing = false;
    host_.drives.roots.append(usb);
    form.Timer1()->Fire();
    EXPECT_EQ(form.Settings().KnownDriveCount, 2);
    EXPECT_TRUE(form.Drive2()->Drives().contains(usb));
    EXPECT_EQ(form.Drive1()->Drives(), sourceDrives);
}

TEST_F(Form1WindowTest, AFolderThatCannotBeOpenedIsReportedAndTheListStays) {
    const QString parent = MakeFolder(QStringLiteral("fonts"));
    const QString locked = MakeFolder(QStringLiteral("fonts/locked"));
    Form1& form = Load();
    for (host::DirListBox* dir : {form.Dir1(), form.Dir2()}) {
        ASSERT_EQ(dir->SetPath(parent), host::FolderError::None);
        host_.folders.failures = {{locked, EIO}};
        host_.messages.shown.clear();
        const int row = dir->count() - 1; // the only subfolder comes last
        ASSERT_GE(row, 0);
        dir->setCurrentRow(row);
        QTest::keyClick(dir, Qt::Key_Return);
        EXPECT_EQ(dir->Path(), parent);
        ASSERT_EQ(host_.messages.shown.size(), 1);
        EXPECT_TRUE(host_.messages.shown[0].text.contains(locked));
        EXPECT_TRUE(host_.messages.shown[0].text.contains(QStringLiteral("not ready")));
        EXPECT_EQ(host_.messages.shown[0].flags, 16);
        host_.folders.failures.clear();
    }
}

} // namespace
} // namespace korven::forms::testing
