#include "forms/main/FitMenu.h"

#include <QDir>

namespace korven::forms {

namespace {
const QString kLikeText = QStringLiteral("&Like my handheld's files…");
} // namespace

FitMenu::FitMenu(QWidget* parent) : QMenu(QStringLiteral("&FIT"), parent) {
    setObjectName(QStringLiteral("FIT"));
    fit_ = addAction(QStringLiteral("&Fit the handheld's own sizes"));
    fit_->setObjectName(QStringLiteral("FitHandheld"));
    fit_->setCheckable(true);
    like_ = addAction(kLikeText);
    like_->setObjectName(QStringLiteral("LikeOwnFiles"));
    like_->setCheckable(true);
    connect(fit_, &QAction::toggled, this, &FitMenu::FitChanged);
    connect(like_, &QAction::triggered, this, [this] {
        // Checked or not is the folder's to say, once the user has chosen.
        like_->setChecked(!like_->isChecked());
        emit LikeRequested();
    });
}

bool FitMenu::FitChosen() const {
    return fit_->isChecked();
}

void FitMenu::ShowOwnFolder(const QString& folder) {
    like_->setChecked(!folder.isEmpty());
    like_->setText(folder.isEmpty() ? kLikeText
                                    : QStringLiteral("&Like my handheld's files in %1")
                                          .arg(QDir::toNativeSeparators(folder)));
}

} // namespace korven::forms
