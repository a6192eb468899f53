#include "app/StartUp.h"

#include "forms/about/frmAbout.h"
#include "forms/disclaimer/frmSplash.h"
#include "forms/main/Form1.h"
#include "forms/main/FramePanel.h"
#include "forms/preview/frmPreview.h"
#include "host/toolkit/DesignFonts.h"
#include "host/toolkit/Windows.h"

#include <QFileInfo>
#include <QMetaObject>

namespace korven::app {

namespace {

// PREVIEW opens beside the main window and keeps clear of the source pane and the options,
// the panes it follows; it remembers its line, zoom and place while the program runs.
forms::PreviewOpening PreviewBeside(const forms::Form1* form) {
    static forms::PreviewMemory memory;
    forms::PreviewOpening opening;
    opening.memory = &memory;
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

} // namespace

forms::frmSplash* StartProgram(host::HostServices services, const QString& fontToOpen) {
    host::RegisterDesignFonts();
    forms::SplashServices splash;
    QString font = fontToOpen.isEmpty() ? QString() : QFileInfo(fontToOpen).absoluteFilePath();
    splash.continueToMain = [services, font]() mutable {
        // One main window per run: a second request shows the one already loaded.
        static host::SingleWindow<forms::Form1> main;
        forms::Form1* form = main.Load([&services] {
            forms::Form1Links links;
            links.unloadPrevious = forms::frmSplash::UnloadIfLoaded;
            links.showAbout = forms::frmAbout::ShowModeless;
            links.showPreview = [](const ConversionSettings& settings) {
                forms::frmPreview::ShowModeless(settings, PreviewBeside(main.Get()));
            };
            links.settingsChanged = [](const ConversionSettings& settings) {
                if (forms::frmPreview* preview = forms::frmPreview::Instance()) {
                    preview->Follow(settings);
                }
            };
            return new forms::Form1(services, std::move(links));
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

} // namespace korven::app
