#include "forms/preview/frmPreview.h"

#include "host/toolkit/Windows.h"
#include "korven/Artwork.h"
#include "preview/PreviewPlacement.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace korven::forms {

namespace {
host::SingleWindow<frmPreview> openWindow;
} // namespace

PreviewCanvasView::PreviewCanvasView(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void PreviewCanvasView::SetImage(const QImage& image) {
    image_ = image;
    update();
}

void PreviewCanvasView::SetZoom(int zoom) {
    zoom_ = zoom;
    setFixedSize(sizeHint());
    update();
}

QSize PreviewCanvasView::sizeHint() const {
    return QSize(preview::kCanvasWidth, preview::kCanvasHeight) * zoom_;
}

void PreviewCanvasView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // No smoothing: each of the handheld's pixels stays a sharp square.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), image_);
}

QSize PreviewScroller::sizeHint() const {
    const int frame = 2 * frameWidth();
    const QSize canvas = widget() != nullptr ? widget()->sizeHint() : QSize();
    return canvas + QSize(frame, frame);
}

QSize PreviewScroller::minimumSizeHint() const {
    // Enough for a corner of the canvas between the two scroll bars.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int frame = 2 * frameWidth();
    return QSize(6 * bar + frame, 4 * bar + frame);
}

frmPreview* frmPreview::Instance() {
    return openWindow.Get();
}

frmPreview* frmPreview::ShowModeless(const app::ConversionSettings& settings,
                                     const PreviewOpening& opening) {
    frmPreview* window = openWindow.Load([&opening] { return new frmPreview(opening); });
    window->Follow(settings);
    host::ShowModeless(window);
    return window;
}

frmPreview::frmPreview(const PreviewOpening& opening) : QDialog(nullptr), opening_(opening) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("PREVIEW"));
    setWindowIcon(assets::ApplicationIcon());
    setModal(false);
    CreateControls();
    Recall();
}

// A file still being made is no longer wanted: stopped, it does not keep the program from
// ending (which waits for every conversion under way) or take a core for nothing.
frmPreview::~frmPreview() {
    stopMaking_->store(true);
}

void frmPreview::CreateControls() {
    view_ = new PreviewCanvasView(this);
    view_->setObjectName(QStringLiteral("Canvas"));
    view_->SetZoom(1);
    scroller_ = new PreviewScroller(this);
    scroller_->setObjectName(QStringLiteral("CanvasScroller"));
    scroller_->setWidget(view_);
    scroller_->setAlignment(Qt::AlignCenter);

    zoom_ = new QComboBox(this);
    zoom_->setObjectName(QStringLiteral("Zoom"));
    for (int factor : {1, 2, 3})
        zoom_->addItem(QStringLiteral("%1 %").arg(factor * 100), factor);
    connect(zoom_, &QComboBox::activated, this, &frmPreview::Zoom_Click);

    held_ = new QLabel(this);
    held_->setObjectName(QStringLiteral("Held"));
    fileSize_ = new QLabel(this);
    fileSize_->setObjectName(QStringLiteral("FileSize"));
    leftOut_ = new QPlainTextEdit(this);
    leftOut_->setObjectName(QStringLiteral("LeftOut"));
    leftOut_->setReadOnly(true);
    leftOut_->setFixedWidth(180);

    userLine_ = new QLineEdit(this);
    userLine_->setObjectName(QStringLiteral("UserLine"));
    userLine_->setPlaceholderText(QStringLiteral("Type your own line here"));
    connect(userLine_, &QLineEdit::textChanged, this, &frmPreview::UserLine_Change);
    notHeld_ = new QLabel(this);
    notHeld_->setObjectName(QStringLiteral("NotHeld"));
    notHeld_->setWordWrap(true);
    // Room for two lines at all times, so that the canvas keeps its room when the note comes
    // and goes; and no height for each width, which would make the window's least height
    // follow the canvas, past the bottom of the screen.
    notHeld_->setMinimumHeight(2 * notHeld_->fontMetrics().lineSpacing());
    notHeld_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    notHeld_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* facts = new QFormLayout;
    facts->addRow(QStringLiteral("Zoom:"), zoom_);
    facts->addRow(QStringLiteral("Characters held:"), held_);
    facts->addRow(QStringLiteral("File size:"), fileSize_);
    AddFitFacts(facts);
    auto* side = new QVBoxLayout;
    AddSetFileList(side);
    side->addLayout(facts);
    side->addWidget(new QLabel(QStringLiteral("Characters left out:"), this));
    side->addWidget(leftOut_, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(scroller_, 1);
    left->addWidget(userLine_);
    left->addWidget(notHeld_);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(side);
}

void frmPreview::Recall() {
    if (opening_.memory == nullptr)
        return;
    userLine_->setText(opening_.memory->userLine);
    const int index = zoom_->findData(opening_.memory->zoom);
    if (index >= 0) {
        zoom_->setCurrentIndex(index);
        view_->SetZoom(opening_.memory->zoom);
    }
}

void frmPreview::Remember() {
    if (opening_.memory == nullptr)
        return;
    opening_.memory->userLine = userLine_->text();
    opening_.memory->zoom = view_->Zoom();
    // Measured with the margins it was placed with (see showEvent), not as the window system
    // gives its frame now, which may differ by a pixel or a few and would grow, shrink or move
    // it at each opening.
    const QMargins margins = placed_ ? placedWith_ : FrameMargins();
    opening_.memory->frame = geometry().marginsAdded(margins);
    opening_.memory->frameMargins = margins;
}

QMargins frmPreview::FrameMargins() const {
    // The window system's own figures: the widget's frame rectangle can lag behind a resize.
    const QMargins own = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    // Until the window manager has framed this window, the main window's frame is the best
    // guess: the same manager frames both.
    return own.isNull() ? opening_.frameMargins : own;
}

QRect frmPreview::AvailableArea() const {
    const QScreen* on = opening_.mainFrame.isNull()
                            ? screen()
                            : QGuiApplication::screenAt(opening_.mainFrame.center());
    if (on == nullptr)
        on = QGuiApplication::primaryScreen();
    return on != nullptr ? preview::UsableArea(on->availableGeometry(), on->devicePixelRatio())
                         : QRect();
}

void frmPreview::showEvent(QShowEvent* event) {
    // Placed once, the first time it shows: where it was left, or beside the main window.
    if (!placed_) {
        placed_ = true;
        const bool remembered = opening_.memory != nullptr && !opening_.memory->frame.isNull();
        const QMargins margins = remembered ? opening_.memory->frameMargins : FrameMargins();
        const QSize wanted = sizeHint().grownBy(margins);
        const QSize minimum = minimumSizeHint().grownBy(margins);
        const QRect available = AvailableArea();
        QRect frame(pos(), wanted);
        if (remembered)
            frame = preview::KeepOnScreen(opening_.memory->frame, minimum, available);
        else if (!opening_.mainFrame.isNull())
            frame = preview::PlaceBeside(wanted, minimum, opening_.mainFrame, opening_.followed,
                                         available);
        else if (!available.isNull())
            frame = preview::KeepOnScreen(frame, minimum, available);
        PlaceFrame(frame, margins);
    }
    QDialog::showEvent(event);
}

void frmPreview::hideEvent(QHideEvent* event) {
    // Every way of closing hides the window first, Escape included.
    Remember();
    QDialog::hideEvent(event);
}

void frmPreview::FitToCanvas() {
    const QMargins margins = FrameMargins();
    const QRect available = AvailableArea();
    QRect frame(frameGeometry().topLeft(), sizeHint().grownBy(margins));
    if (!available.isNull())
        frame = preview::KeepOnScreen(frame, minimumSizeHint().grownBy(margins), available);
    PlaceFrame(frame, margins);
}

void frmPreview::PlaceFrame(const QRect& frame, const QMargins& margins) {
    // The window's own rectangle, inside the frame: before the window manager has framed the
    // window, a position given for the frame would be taken for the window's own.
    setGeometry(frame.marginsRemoved(margins));
    placedWith_ = margins;
}

void frmPreview::Follow(const app::ConversionSettings& settings) {
    settings_ = settings;
    NameSetFiles();
    ShowFile();
}

void frmPreview::SetFile_Click() {
    ShowFile();
}

void frmPreview::ShowFile() {
    const int file = setFile_->currentData().toInt();
    if (preview::TakesLong(file)) {
        ShowLongFile(file);
        return;
    }
    waiting_.reset(); // a long file asked for earlier is no longer wanted
    ShowState(model_.Update(settings_, file));
}

void frmPreview::ShowState(const preview::PreviewState& state) {
    canvas_.SetState(state);
    view_->SetImage(canvas_.Image());
    ShowFacts();
    ShowNotHeld();
}

void frmPreview::UserLine_Change() {
    canvas_.SetUserLine(userLine_->text());
    view_->SetImage(canvas_.Image());
    ShowNotHeld();
}

void frmPreview::Zoom_Click() {
    view_->SetZoom(zoom_->currentData().toInt());
    // The canvas's new size reaches the window's wish only through its layouts, which keep
    // their old figures until they are worked out again.
    scroller_->updateGeometry();
    layout()->activate();
    FitToCanvas();
}

void frmPreview::ShowNotHeld() {
    const preview::PreviewState& state = canvas_.State();
    const QString note =
        state.font ? preview::NotHeldNote(*state.font, userLine_->text()) : QString();
    notHeld_->setText(note);
}

void frmPreview::ShowFacts() {
    ShowFit();
    const preview::PreviewState& state = canvas_.State();
    if (!state.font) {
        held_->setText(QStringLiteral("-"));
        fileSize_->setText(QStringLiteral("-"));
        madeFrom_->setText(QStringLiteral("-"));
        leftOut_->clear();
        return;
    }
    madeFrom_->setText(QStringLiteral("Made from %1")
                           .arg(state.font->madeFrom.isEmpty() ? QStringLiteral("the picked font")
                                                               : state.font->madeFrom));
    held_->setText(QString::number(state.font->heldCount));
    fileSize_->setText(QStringLiteral("%1 bytes").arg(state.font->bytes.size()));
    // Too large for the format, or in a chosen character set but not in the font.
    std::vector<char32_t> leftOut = state.font->leftOut;
    leftOut.insert(leftOut.end(), state.font->absent.begin(), state.font->absent.end());
    std::sort(leftOut.begin(), leftOut.end());
    QStringList names;
    for (char32_t c : leftOut)
        names << preview::CharacterName(c);
    leftOut_->setPlainText(names.isEmpty() ? QStringLiteral("none") : names.join(QLatin1Char(' ')));
}

} // namespace korven::forms
