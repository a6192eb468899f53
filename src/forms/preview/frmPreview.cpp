#include "forms/preview/frmPreview.h"

#include "host/toolkit/Windows.h"
#include "korven/Artwork.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QVBoxLayout>
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

frmPreview* frmPreview::Instance() {
    return openWindow.Get();
}

frmPreview* frmPreview::ShowModeless(const app::ConversionSettings& settings) {
    frmPreview* window = openWindow.Load([] { return new frmPreview(); });
    window->Follow(settings);
    host::ShowModeless(window);
    return window;
}

frmPreview::frmPreview() : QDialog(nullptr) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("PREVIEW"));
    setWindowIcon(assets::ApplicationIcon());
    setModal(false);
    CreateControls();
}

frmPreview::~frmPreview() = default;

void frmPreview::CreateControls() {
    view_ = new PreviewCanvasView(this);
    view_->setObjectName(QStringLiteral("Canvas"));
    view_->SetZoom(1);

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

    auto* facts = new QFormLayout;
    facts->addRow(QStringLiteral("Zoom:"), zoom_);
    facts->addRow(QStringLiteral("Characters held:"), held_);
    facts->addRow(QStringLiteral("File size:"), fileSize_);
    auto* side = new QVBoxLayout;
    side->addLayout(facts);
    side->addWidget(new QLabel(QStringLiteral("Characters left out:"), this));
    side->addWidget(leftOut_, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(view_);
    left->addWidget(userLine_);
    left->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(side);
    top->setSizeConstraint(QLayout::SetFixedSize);
}

void frmPreview::Follow(const app::ConversionSettings& settings) {
    canvas_.SetState(model_.Update(settings));
    view_->SetImage(canvas_.Image());
    ShowFacts();
}

void frmPreview::UserLine_Change() {
    canvas_.SetUserLine(userLine_->text());
    view_->SetImage(canvas_.Image());
}

void frmPreview::Zoom_Click() {
    view_->SetZoom(zoom_->currentData().toInt());
}

void frmPreview::ShowFacts() {
    const preview::PreviewState& state = canvas_.State();
    if (!state.font) {
        held_->setText(QStringLiteral("-"));
        fileSize_->setText(QStringLiteral("-"));
        leftOut_->clear();
        return;
    }
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
