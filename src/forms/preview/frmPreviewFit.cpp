// What PREVIEW shows of fitting: how many glyphs of the file were changed to fit the box the
// FIT menu chose, and a switch for the box's guide on the user's line.

#include "forms/preview/frmPreview.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>

namespace korven::forms {

void frmPreview::AddFitFacts(QFormLayout* facts) {
    fitted_ = new QLabel(QStringLiteral("-"), this);
    fitted_->setObjectName(QStringLiteral("Fitted"));
    fitted_->setWordWrap(true);
    guide_ = new QCheckBox(QStringLiteral("Show the &box"), this);
    guide_->setObjectName(QStringLiteral("Guide"));
    guide_->setChecked(canvas_.GuideShown());
    connect(guide_, &QCheckBox::toggled, this, &frmPreview::Guide_Click);
    facts->addRow(QStringLiteral("Changed to fit:"), fitted_);
    facts->addRow(QString(), guide_);
}

void frmPreview::Guide_Click() {
    canvas_.SetGuide(guide_->isChecked());
    view_->SetImage(canvas_.Image());
}

void frmPreview::ShowFit() {
    const preview::PreviewState& state = canvas_.State();
    const bool fitted = state.font && state.font->fit;
    guide_->setEnabled(fitted);
    if (!fitted) {
        fitted_->setText(state.font ? QStringLiteral("not fitted") : QStringLiteral("-"));
        return;
    }
    const std::size_t changed = state.font->fitted.size();
    QString text = changed == 0   ? QStringLiteral("no glyph")
                   : changed == 1 ? QStringLiteral("1 glyph")
                                  : QStringLiteral("%1 glyphs").arg(changed);
    if (state.font->reducedEm > 0)
        text += QStringLiteral(", all at %1 px").arg(state.font->reducedEm / 64.0, 0, 'f', 2);
    fitted_->setText(text);
}

} // namespace korven::forms
