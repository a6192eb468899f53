#include "startup/StartUp.h"

#include "forms/about/frmAbout.h"
#include "forms/disclaimer/frmSplash.h"
#include "forms/main/Form1.h"
#include "forms/main/FramePanel.h"
#include "forms/preview/frmPreview.h"
#include "host/toolkit/DesignFonts.h"
#include "host/toolkit/Windows.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QSettings>
#include <memory>

namespace korven::startup {

using app::ConversionSettings;

namespace {

// What PREVIEW keeps while the program runs: its line, zoom and place.
forms::PreviewMemory& PreviewKept() {
    static forms::PreviewMemory memory;
    return memory;
}

// PREVIEW opens beside the main window and keeps clear of the source pane and the options,
// the panes it follows.
forms::PreviewOpening PreviewBeside(const forms::Form1* form) {
    forms::PreviewOpening opening;
    opening.memory = &PreviewKept();
    if (form == nullptr)
        return opening;
    const auto onScreen = [](const QWidget* pane) {
        return QRect(pane->mapToGlobal(QPoint(0, 0)), pane->size());
    };
    opening.mainFrame = form->frameGeometry();
    opening.followed = onScreen(form->Frame1()).united(onScreen(form->Frame3()));
    const QRect inner = form->geometry();
    opening.frameMargins = QMargins(
        inner.left() - opening.mainFrame.left(), inner.top() - opening.mainFrame.top(),
        opening.mainFrame.right() - inner.right(), opening.mainFrame.bottom() - inner.bottom());
    return opening;
}

// The user's choices from the last run, when the services name a file to keep them in: the
// main window's and PREVIEW's are taken back now, and kept again as the main window closes.
// DEFAULTS forgets them.
void RememberChoices(forms::Form1* form, const QString& file) {
    if (file.isEmpty())
        return;
    auto store = std::make_shared<QSettings>(file, QSettings::IniFormat);
    const app::RememberedChoices kept = app::LoadChoices(*store);
    PreviewKept().zoom = kept.previewZoom;
    PreviewKept().userLine = kept.previewLine;
    form->Recall(kept);
    QObject::connect(form, &forms::Form1::closing, [form, store] {
        app::RememberedChoices choices = form->Choices();
        choices.previewZoom = PreviewKept().zoom;
        choices.previewLine = PreviewKept().userLine;
        app::SaveChoices(*store, choices);
    });
    QObject::connect(form, &forms::Form1::defaultsRestored, [store] {
        app::ForgetChoices(*store);
        PreviewKept().zoom = 1;
        PreviewKept().userLine.clear();
    });
}

} // namespace

forms::frmSplash* StartProgram(host::HostServices services, const QString& fontToOpen) {
    host::RegisterDesignFonts();
    forms::SplashServices splash;
    QString font = fontToOpen.isEmpty() ? QString() : QFileInfo(fontToOpen).absoluteFilePath();
    splash.continueToMain = [services, font]() mutable {
        // One main window per run: a second request shows the one already loaded.
        static host::SingleWindow<forms::Form1> main;
        forms::Form1* form = main.Load([&services] {
            auto* loaded = new forms::Form1(services);
            QObject::connect(loaded, &forms::Form1::aboutRequested, &forms::frmAbout::ShowModeless);
            QObject::connect(
                loaded, &forms::Form1::previewRequested, [](const ConversionSettings& settings) {
                    forms::frmPreview::ShowModeless(settings, PreviewBeside(main.Get()));
                });
            QObject::connect(loaded, &forms::Form1::settingsChanged,
                             [](const ConversionSettings& settings) {
                                 if (forms::frmPreview* preview = forms::frmPreview::Instance()) {
                                     preview->Follow(settings);
                                 }
                             });
            RememberChoices(loaded, services.choicesFile);
            // The main window's load is done: the disclaimer that led here goes.
            forms::frmSplash::UnloadIfLoaded();
            return loaded;
        });
        host::ShowModeless(form);
        if (!font.isEmpty()) {
            // Once, after the window is up and the disclaimer's click is over, so that a
            // box about the path sits over the main window.
            QMetaObject::invokeMethod(
                form, [form, path = font] { form->OpenFontFile(path); }, Qt::QueuedConnection);
            font.clear();
        }
    };
    return forms::frmSplash::LoadAndShow(std::move(splash));
}

} // namespace korven::startup
