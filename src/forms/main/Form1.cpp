#include "forms/main/Form1.h"

#include "controls/xpbutton/XPButton.h"
#include "forms/main/CharactersMenu.h"
#include "forms/main/FitMenu.h"
#include "forms/main/Form1Buttons.h"
#include "forms/main/Form1Layout.h"
#include "forms/main/Form1Texts.h"
#include "forms/main/FramePanel.h"
#include "forms/main/LinkLabel.h"
#include "host/seams/Timer.h"
#include "host/toolkit/DesignFonts.h"
#include "host/toolkit/DirListBox.h"
#include "host/toolkit/DriveListBox.h"
#include "host/toolkit/FileListBox.h"
#include "host/toolkit/Windows.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <korven/Artwork.h>

namespace korven::forms {

namespace {

using layout::ColorFromBgr;
using layout::ToPixels;

QFont DialogFont(const char* face, double points, bool bold, bool italic = false) {
    return host::DesignFont(QString::fromLatin1(face), points, bold, italic);
}

// A label with a flat one-pixel border in the given colours.
QLabel* MakeLabel(const char* text, QWidget* parent, const layout::TwipsRect& where,
                  const QColor& back, const QColor& fore) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setGeometry(ToPixels(where));
    label->setFrameShape(QFrame::Box);
    label->setLineWidth(1);
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::WindowText, fore);
    label->setPalette(pal);
    return label;
}

// Gives `control` the toolkit's standard colours in every role, so that the window's
// coloured surfaces around it do not leak into its border, scroll bars or corner.
void UseStandardColours(QWidget* control) {
    const QPalette standard = QApplication::palette(control);
    QPalette own;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            if (r == QPalette::NoRole) {
                continue;
            }
            own.setBrush(g, r, standard.brush(g, r));
        }
    }
    control->setPalette(own);
}

// The address is the build's to choose and may be longer than the box was drawn for: it
// keeps the designed size when it fits and otherwise gets the largest size, in quarter points
// down to 6 pt, that keeps it on one line, rather than wrapping and losing its lower half.
// Each size measured costs the toolkit a font lookup, a few milliseconds on a desktop with many
// fonts, so the first size tried is the designed one scaled to the room, then corrected.
void FitOnOneLine(QLabel* label) {
    constexpr double kStep = 0.25;
    constexpr double kSmallest = 6.0;
    QFont font = label->font();
    const double designed = font.pointSizeF();
    const int room = label->contentsRect().width();
    const auto sizeAfter = [designed](int steps) { return designed - steps * kStep; };
    const auto fitsAfter = [&](int steps) {
        font.setPointSizeF(sizeAfter(steps));
        return QFontMetrics(font).horizontalAdvance(label->text()) <= room;
    };
    // The first size at or below the smallest, where the search stops.
    const int lastStep = std::max(0, static_cast<int>(std::ceil((designed - kSmallest) / kStep)));
    font.setPointSizeF(designed);
    const int designedWidth = QFontMetrics(font).horizontalAdvance(label->text());
    int steps = 0;
    if (designedWidth > room && lastStep > 0) {
        const double scaled = designed * room / designedWidth;
        steps = std::clamp(static_cast<int>(std::ceil((designed - scaled) / kStep)), 1, lastStep);
        if (fitsAfter(steps)) {
            while (steps > 1 && fitsAfter(steps - 1)) {
                --steps;
            }
        } else {
            do {
                ++steps;
            } while (steps < lastStep && !fitsAfter(steps));
        }
    }
    font.setPointSizeF(sizeAfter(steps));
    label->setFont(font);
}

} // namespace

Form1::Form1(host::HostServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), destinationDrives_(*services_.drives) {
    SetUpWindow();
    CreateMenu();
    CreateTimers();
    CreateButtons();
    CreateFrames();
    CreatePanes();
    CreateOptions();
    CreatePicturesAndLabels();
    SetTabOrder();
    for (QWidget* control :
         QList<QWidget*>{drive1_, dir1_, file1_, drive2_, dir2_, file2_, combo1_, text1_}) {
        UseStandardColours(control);
    }
    ConnectHandlers();
    Form_Load();
}

Form1::~Form1() {
    ShowBusyPointer(false);
}

void Form1::SetUpWindow() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(texts::kCaption));
    // A fixed dialog frame: title bar and close button only, no resizing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(assets::ApplicationIcon());
    // The controls without a font of their own use the window's: the classic dialog face,
    // or its platform substitute, at the size the layout was drawn for.
    setFont(DialogFont("MS Sans Serif", 8.25, false));

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("Client"));
    client_->setFixedSize(layout::ToPixels(layout::kClientWidth),
                          layout::ToPixels(layout::kClientHeight));
    client_->setAutoFillBackground(true);
    QPalette pal = client_->palette();
    pal.setColor(QPalette::Window, ColorFromBgr(layout::kFormBackColor));
    pal.setColor(QPalette::WindowText, Qt::black);
    client_->setPalette(pal);
    // The bare surface reports pointer moves so the link label can go back to plain.
    client_->setMouseTracking(true);
    client_->installEventFilter(this);
    // A font file dragged from a file manager is picked as if clicked in the source pane.
    setAcceptDrops(true);
    setCentralWidget(client_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Form1::CreateMenu() {
    info_ = menuBar()->addAction(QString::fromLatin1(texts::kMenuInfo));
    info_->setObjectName(QStringLiteral("INFO"));
    preview_ = menuBar()->addAction(QString::fromLatin1(texts::kMenuPreview));
    preview_->setObjectName(QStringLiteral("PREVIEW"));
    // Added after the designed items, which keep their places.
    CreateSetMenu();
    characters_ = new CharactersMenu(this);
    menuBar()->addMenu(characters_);
    fit_ = new FitMenu(this);
    menuBar()->addMenu(fit_);
    menuBar()->addMenu(setFonts_);
    defaults_ = menuBar()->addAction(QStringLiteral("&DEFAULTS"));
    defaults_->setObjectName(QStringLiteral("DEFAULTS"));
    defaults_->setToolTip(QStringLiteral("Clear the choices of CHARACTERS, FIT and SET FONTS"));
    CreateRestoreMenu();
}

void Form1::CreateTimers() {
    timer1_ = new host::Timer(this, 0);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer2_ = new host::Timer(this);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->SetInterval(layout::kTimer2Interval);
}

void Form1::CreateButtons() {
    xpButton2_ = PlaceButton(kXPButton2Saved, QStringLiteral("XPButton2"), client_,
                             ToPixels(layout::kXPButton2), [this] { XPButton2_Click(); });
    xpButton1_ = PlaceButton(kXPButton1Saved, QStringLiteral("XPButton1"), client_,
                             ToPixels(layout::kXPButton1), [this] { XPButton1_Click(); });
}

void Form1::CreateFrames() {
    const QFont captionFont = DialogFont("MS Sans Serif", 8.25, true);
    auto makeFrame = [&](const char* name, const char* caption, const layout::TwipsRect& where,
                         std::uint32_t back) {
        auto* frame = new FramePanel(QString::fromLatin1(caption), ColorFromBgr(back), client_);
        frame->setObjectName(QString::fromLatin1(name));
        frame->setCaptionFont(captionFont);
        frame->setGeometry(ToPixels(where));
        return frame;
    };
    frame1_ = makeFrame("Frame1", texts::kFrame1, layout::kFrame1, layout::kFrame1BackColor);
    frame2_ = makeFrame("Frame2", texts::kFrame2, layout::kFrame2, layout::kFrame2BackColor);
    frame3_ = makeFrame("Frame3", texts::kFrame3, layout::kFrame3, layout::kFrame3BackColor);
}

void Form1::CreatePanes() {
    auto makePane = [this](FramePanel* frame, const char* suffix, const char* pattern,
                           host::DriveSource& drives, host::DriveListBox*& drive,
                           host::DirListBox*& dir, host::FileListBox*& file) {
        drive = new host::DriveListBox(drives, frame);
        drive->setObjectName(QStringLiteral("Drive") + QLatin1String(suffix));
        drive->setGeometry(ToPixels(layout::kDriveList));
        dir = new host::DirListBox(drives, *services_.folders, frame);
        dir->setObjectName(QStringLiteral("Dir") + QLatin1String(suffix));
        dir->setGeometry(ToPixels(layout::kFolderList));
        file = new host::FileListBox(*services_.folders, frame);
        file->setObjectName(QStringLiteral("File") + QLatin1String(suffix));
        file->setGeometry(ToPixels(layout::kFileList));
        file->SetPattern(QString::fromLatin1(pattern));
    };
    makePane(frame1_, "1", texts::kSourcePattern, *services_.drives, drive1_, dir1_, file1_);
    // Only the destination offers the emulator's memory stick: fonts are written there.
    makePane(frame2_, "2", texts::kDestinationPattern, destinationDrives_, drive2_, dir2_, file2_);
    // The highlighted destination folder is the one written to: a single click or a key that
    // moves the highlight chooses it, as Convert, SET and PREVIEW then use it.
    dir2_->SetPathFollowsHighlight(true);
}

void Form1::CreateOptions() {
    const QColor optionBack = ColorFromBgr(layout::kOptionLabelBackColor);
    const QColor windowText = palette().color(QPalette::WindowText);
    const QColor windowBack = palette().color(QPalette::Base);

    label3_ = MakeLabel(texts::kFontSizeLabel, frame3_, layout::kLabel3, optionBack, windowText);
    label3_->setObjectName(QStringLiteral("Label3"));

    combo1_ = new QComboBox(frame3_);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setEditable(false); // a choice from the list only
    combo1_->setGeometry(ToPixels(layout::kCombo1));

    label5_ = MakeLabel(texts::kMaxValueLabel, frame3_, layout::kLabel5, windowBack, windowText);
    label5_->setObjectName(QStringLiteral("Label5"));
    label5_->adjustSize(); // this label sizes itself to its text

    label4_ = MakeLabel(texts::kShadowLabel, frame3_, layout::kLabel4, optionBack, windowText);
    label4_->setObjectName(QStringLiteral("Label4"));

    text1_ = new QLineEdit(frame3_);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(ToPixels(layout::kText1));

    label2_ = MakeLabel(texts::kShadowRangeLabel, frame3_, layout::kLabel2, windowBack, windowText);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->adjustSize();
}

void Form1::CreatePicturesAndLabels() {
    label6_ =
        MakeLabel(texts::kPleaseWait, client_, layout::kLabel6,
                  ColorFromBgr(layout::kLabel6BackColor), palette().color(QPalette::WindowText));
    label6_->setObjectName(QStringLiteral("Label6"));
    label6_->setFont(DialogFont("MS Sans Serif", 18, true));
    label6_->hide();
    // The wait label is painted on the window's own surface, under the frames.
    label6_->lower();

    image2_ = new QLabel(client_);
    image2_->setObjectName(QStringLiteral("Image2"));
    image2_->setGeometry(ToPixels(layout::kImage2));
    image2_->setScaledContents(true);
    // The picture drawn for the screen's density: a scaled screen gets more pixels, not an
    // enlargement, in the same room.
    image2_->setPixmap(assets::LoadPicture(assets::kBannerPath, devicePixelRatio()));

    const QString url = LinkUrl();
    label1_ = new LinkLabel(url, client_);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(ToPixels(layout::kLabel1));
    label1_->setAlignment(Qt::AlignCenter);
    label1_->setFont(DialogFont("Comic Sans MS", 12, false, true));
    FitOnOneLine(label1_);
    QPalette pal = label1_->palette();
    pal.setColor(QPalette::Window, ColorFromBgr(layout::kLinkBackColor));
    label1_->setPalette(pal);
    label1_->setLook(false, ColorFromBgr(layout::kLinkPlainColor));
    label1_->setToolTip(QString::fromLatin1(texts::kLinkToolTip));
    label1_->setCursor(assets::HandPointerCursor());
}

void Form1::SetTabOrder() {
    // Only these controls take the focus; frames, labels and pictures never do.
    const QList<QWidget*> noFocus{label1_, label2_, label3_, label4_, label5_,
                                  label6_, image2_, frame1_, frame2_, frame3_};
    for (QWidget* widget : noFocus) {
        widget->setFocusPolicy(Qt::NoFocus);
    }
    QList<QWidget*> order{file2_, dir2_, drive2_, file1_, dir1_, drive1_, combo1_, text1_};
    if (xpButton1_ != nullptr) {
        order.append(xpButton1_);
    }
    if (xpButton2_ != nullptr) {
        order.append(xpButton2_);
    }
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
    file2_->setFocus();
}

void Form1::ConnectHandlers() {
    connect(info_, &QAction::triggered, this, &Form1::INFO_Click);
    connect(preview_, &QAction::triggered, this, &Form1::PREVIEW_Click);
    connect(characters_, &CharactersMenu::ChoiceChanged, this, &Form1::CHARACTERS_Click);
    connect(fit_, &FitMenu::FitChanged, this, &Form1::FIT_Click);
    connect(fit_, &FitMenu::LikeRequested, this, &Form1::LIKE_Click);
    connect(defaults_, &QAction::triggered, this, &Form1::DEFAULTS_Click);
    connect(timer1_, &host::Timer::Tick, this, &Form1::Timer1_Timer);
    connect(timer2_, &host::Timer::Tick, this, &Form1::Timer2_Timer);
    connect(drive1_, &host::DriveListBox::Change, this, &Form1::Drive1_Change);
    connect(dir1_, &host::DirListBox::Change, this, &Form1::Dir1_Change);
    connect(file1_, &host::FileListBox::Click, this, &Form1::File1_Click);
    // A picked font that went from the disk is no longer picked: the list shows nothing.
    connect(file1_, &host::FileListBox::SelectedFileGone, this, &Form1::File1_Click);
    connect(drive2_, &host::DriveListBox::Change, this, &Form1::Drive2_Change);
    connect(dir2_, &host::DirListBox::Change, this, &Form1::Dir2_Change);
    connect(dir1_, &host::DirListBox::OpenFailed, this, &Form1::ReportFolderOpenFailure);
    connect(dir2_, &host::DirListBox::OpenFailed, this, &Form1::ReportFolderOpenFailure);
    connect(combo1_, &QComboBox::activated, this, &Form1::Combo1_Click);
    connect(text1_, &QLineEdit::textChanged, this, &Form1::Text1_Change);
    connect(label1_, &LinkLabel::mouseMoved, this, &Form1::Label1_MouseMove);
    connect(label1_, &LinkLabel::clicked, this, &Form1::Label1_Click);
    text1_->installEventFilter(this);
    combo1_->installEventFilter(this);
}

void Form1::showEvent(QShowEvent* event) {
    // Centred on the screen the first time it is shown; after that it stays where the user
    // put it.
    if (!placed_) {
        placed_ = true;
        adjustSize();
        host::CentreOnScreen(this);
    }
    QMainWindow::showEvent(event);
}

void Form1::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (!event->isAccepted()) {
        return;
    }
    // The program is this window: whatever it opened (PREVIEW, the About window) closes with
    // it, so no window is left and the program ends, however this one was closed.
    host::CloseOtherWindows(this);
    emit closing();
}

namespace {

// An Alt chord is a command (an access key, or nothing), never typing: without this the
// text box and the size list take Alt+letter for the letter. Ctrl+Alt stays typing, as it
// is how some keyboards write characters such as @.
bool IsTypedAltChord(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers();
    return mods.testFlag(Qt::AltModifier) && !mods.testFlag(Qt::ControlModifier) &&
           !key->text().isEmpty() && key->text().at(0).isPrint();
}

} // namespace

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == text1_ || watched == combo1_) && IsTypedAltChord(event)) {
        return true;
    }
    // Only moves over the bare surface count; moves over a child are the child's own.
    if (watched == client_ && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (client_->childAt(move->position().toPoint()) == nullptr) {
            Form_MouseMove();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace korven::forms
