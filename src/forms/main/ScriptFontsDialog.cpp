#include "forms/main/ScriptFontsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korven::forms {

ScriptFontsDialog::ScriptFontsDialog(const app::ConversionSettings& settings,
                                     FontQuestion chooseFont, QWidget* parent)
    : QDialog(parent), chooseFont_(std::move(chooseFont)) {
    setObjectName(QStringLiteral("ScriptFonts"));
    setWindowTitle(QStringLiteral("Japanese and Korean too"));
    if (!settings.FontFile.isEmpty())
        picked_ = settings.SourceFolder + settings.FontFile;

    auto* grid = new QGridLayout;
    for (int script = 0; script < app::kScriptFileCount; ++script) {
        ScriptRow& row = rows_[Row(script)];
        const QString title = app::ScriptTitle(script);
        row.make = new QCheckBox(
            QStringLiteral("Make %1 (%2)").arg(app::ScriptFileName(script), title), this);
        row.make->setObjectName(QStringLiteral("Make") + title);
        row.font = new QLabel(this);
        row.font->setObjectName(title + QStringLiteral("Font"));
        row.font->setWordWrap(true);
        row.font->setMinimumWidth(320);
        row.usePicked = new QPushButton(QStringLiteral("Use the picked font"), this);
        row.usePicked->setObjectName(title + QStringLiteral("UsePicked"));
        row.usePicked->setEnabled(!picked_.isEmpty());
        row.choose = new QPushButton(QStringLiteral("Choose a font…"), this);
        row.choose->setObjectName(title + QStringLiteral("Choose"));
        connect(row.usePicked, &QPushButton::clicked, this,
                [this, script] { UsePicked_Click(script); });
        connect(row.choose, &QPushButton::clicked, this, [this, script] { Choose_Click(script); });

        const int top = script * 2;
        grid->addWidget(row.make, top, 0);
        grid->addWidget(row.usePicked, top, 1);
        grid->addWidget(row.choose, top, 2);
        grid->addWidget(row.font, top + 1, 0, 1, 3);

        // What was chosen before stays; otherwise the picked font is offered, not yet ticked,
        // when it draws the script.
        const QString chosen = app::ScriptFont(settings, script);
        if (!chosen.isEmpty())
            Offer(script, chosen, true);
        else if (!picked_.isEmpty() && app::ScriptFaceOf(picked_, script).covers)
            Offer(script, picked_, false);
        else
            Offer(script, QString(), false);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addWidget(new QLabel(QStringLiteral("SET can also make the handheld's Japanese and Korean "
                                             "system fonts, at the same size and shadow:"),
                              this));
    top->addLayout(grid);
    top->addWidget(buttons);
}

QString ScriptFontsDialog::Font(int script) const {
    const ScriptRow& row = rows_[Row(script)];
    return row.make->isChecked() ? row.path : QString();
}

void ScriptFontsDialog::UsePicked_Click(int script) {
    if (!picked_.isEmpty())
        Offer(script, picked_, true);
}

void ScriptFontsDialog::Choose_Click(int script) {
    if (!chooseFont_)
        return; // a host without file dialogs: the picked font is still offered
    const QString& current = rows_[Row(script)].path;
    const QString start = QFileInfo(current.isEmpty() ? picked_ : current).path();
    const QString path =
        chooseFont_(this, QStringLiteral("A font for %1").arg(app::ScriptFileName(script)), start);
    if (!path.isEmpty())
        Offer(script, path, true);
}

void ScriptFontsDialog::Offer(int script, const QString& path, bool make) {
    ScriptRow& row = rows_[Row(script)];
    row.path = path;
    row.make->setEnabled(!path.isEmpty());
    row.make->setChecked(make && !path.isEmpty());
    if (path.isEmpty()) {
        row.font->setText(QStringLiteral("No font chosen."));
        return;
    }
    // The face the converter will take, so that a collection's choice is seen before the run.
    const app::ScriptFace face = app::ScriptFaceOf(path, script);
    QString text = QStringLiteral("From %1").arg(app::ScriptFaceWords(path, face));
    if (face.count == 0)
        text += QStringLiteral(" (not readable as a font)");
    else if (!face.covers)
        text += QStringLiteral(" (it does not draw %1: the file would hold its Latin letters)")
                    .arg(app::ScriptTitle(script));
    row.font->setText(text);
}

} // namespace korven::forms
