// The PREVIEW window's file list: Convert's file, or any of the sixteen SET writes, or its
// jpn0.pgf and kr0.pgf, each named with its family, style and size in words.

#include "app/CommandLine.h"
#include "app/FontSetJob.h"
#include "app/SetScripts.h"
#include "converter/core/SystemFontSlots.h"
#include "forms/preview/frmPreview.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace korven::forms {

namespace {

// Characters of a file's name the closed list shows: "ltn12.pgf: sans-serif, b…".
constexpr int kSetFileShownLength = 22;

// "ltn4.pgf: sans-serif, bold, 18 px"; without a valid size, "ltn12.pgf: sans-serif, bold,
// small size".
QString SetFileName(const converter::SystemFontSlot& slot, const QString& size) {
    if (app::IsFontSize(size))
        return QString::fromStdString(converter::slotDescription(slot, size.toInt()));
    return QStringLiteral("%1: %2%3")
        .arg(QString::fromStdString(converter::slotFileName(slot.number)),
             QString::fromStdString(converter::slotKind(slot)),
             slot.small ? QStringLiteral(", small size") : QString());
}

// "jpn0.pgf: Japanese, 18 px"; without a valid size, "jpn0.pgf: Japanese".
QString ScriptFileName(int script, const QString& size) {
    const QString name =
        QStringLiteral("%1: %2").arg(app::ScriptFileName(script), app::ScriptTitle(script));
    if (!app::IsFontSize(size))
        return name;
    const converter::ScriptFontSlot& slot =
        converter::scriptFontSlots()[static_cast<std::size_t>(script)];
    return name + QStringLiteral(", %1 px").arg(converter::slotPixelSize(size.toInt(), slot.small));
}

} // namespace

void frmPreview::AddSetFileList(QVBoxLayout* side) {
    setFile_ = new QComboBox(this);
    setFile_->setObjectName(QStringLiteral("SetFile"));
    setFile_->addItem(QStringLiteral("ltn0.pgf as Convert writes it"), preview::kConvertFile);
    for (const converter::SystemFontSlot& slot : converter::systemFontSlots())
        setFile_->addItem(SetFileName(slot, QString()), slot.number);
    for (int script = 0; script < app::kScriptFileCount; ++script)
        setFile_->addItem(ScriptFileName(script, QString()), preview::kFirstScriptFile + script);
    // The column stays narrow so that the canvas keeps the room on a small or scaled screen;
    // the open list is as wide as its longest name.
    setFile_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setFile_->setMinimumContentsLength(kSetFileShownLength);
    setFile_->view()->setMinimumWidth(setFile_->view()->sizeHintForColumn(0));
    connect(setFile_, &QComboBox::activated, this, &frmPreview::SetFile_Click);

    madeFrom_ = new QLabel(QStringLiteral("-"), this);
    madeFrom_->setObjectName(QStringLiteral("MadeFrom"));
    // Wrapped to the width the list gives the column, never widening it: a long font file
    // name would otherwise push the canvas off a small screen.
    madeFrom_->setWordWrap(true);
    madeFrom_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Minimum);
    madeFrom_->setMinimumHeight(2 * madeFrom_->fontMetrics().lineSpacing());
    madeFrom_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    side->addWidget(new QLabel(QStringLiteral("File:"), this));
    side->addWidget(setFile_);
    side->addWidget(madeFrom_);
}

void frmPreview::NameSetFiles() {
    // The sizes in the names follow the size list; the items stay, and so does the choice.
    for (const converter::SystemFontSlot& slot : converter::systemFontSlots())
        setFile_->setItemText(slot.number + 1, SetFileName(slot, settings_.FontSize));
    for (int script = 0; script < app::kScriptFileCount; ++script)
        setFile_->setItemText(setFile_->findData(preview::kFirstScriptFile + script),
                              ScriptFileName(script, settings_.FontSize));
}

} // namespace korven::forms
