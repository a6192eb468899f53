// PREVIEW's jpn0.pgf and kr0.pgf: thousands of glyphs each, made on another thread so that the
// window keeps answering (typing, zooming, another file) while they are made. The converter
// core is safe for this: each conversion has its own FreeType instance.

#include "app/SetScripts.h"
#include "forms/preview/frmPreview.h"

#include <QComboBox>
#include <QtConcurrent/QtConcurrentRun>

namespace korven::forms {

void frmPreview::ShowLongFile(int setFile) {
    if (std::optional<preview::PreviewState> missing =
            preview::PreviewModel::MissingChoice(settings_)) {
        waiting_.reset();
        ShowState(*missing);
        return;
    }
    const preview::PreviewKey key = preview::PreviewModel::KeyOf(settings_, setFile);
    if (const preview::PreviewState* kept = model_.Kept(key)) {
        waiting_.reset();
        ShowState(*kept);
        return;
    }
    // Said in words meanwhile: the picture of other choices would show the wrong file.
    const int script = setFile - preview::kFirstScriptFile;
    ShowState({preview::PreviewState::Kind::Missing,
               QStringLiteral("Making %1 (%2)…")
                   .arg(app::ScriptFileName(script), app::ScriptTitle(script)),
               nullptr});
    if (making_ && making_->key == key) {
        waiting_.reset();
        return;
    }
    waiting_ = MakeRequest{settings_, setFile, key};
    if (!making_)
        MakeNext();
}

void frmPreview::MakeNext() {
    making_ = std::move(waiting_);
    waiting_.reset();
    if (maker_ == nullptr) {
        maker_ = new QFutureWatcher<preview::PreviewState>(this);
        connect(maker_, &QFutureWatcherBase::finished, this, &frmPreview::Made);
    }
    // The flag is shared: the conversion may outlive this window, which sets it as it goes.
    maker_->setFuture(QtConcurrent::run(
        [settings = making_->settings, file = making_->setFile, stop = stopMaking_] {
            return preview::PreviewModel::Make(settings, file, *stop);
        }));
}

void frmPreview::Made() {
    const MakeRequest done = std::move(*making_);
    making_.reset();
    model_.Keep(done.key, maker_->result());
    if (waiting_) {
        MakeNext();
        return;
    }
    const int file = setFile_->currentData().toInt();
    if (file == done.setFile && preview::PreviewModel::KeyOf(settings_, file) == done.key)
        ShowState(*model_.Kept(done.key));
}

} // namespace korven::forms
