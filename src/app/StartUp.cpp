#include "app/StartUp.h"

#include "forms/about/frmAbout.h"
#include "forms/disclaimer/frmSplash.h"
#include "forms/main/Form1.h"
#include "forms/preview/frmPreview.h"
#include "host/toolkit/DesignFonts.h"
#include "host/toolkit/Windows.h"

namespace korven::app {

forms::frmSplash* StartProgram(host::HostServices services) {
    host::RegisterDesignFonts();
    forms::SplashServices splash;
    splash.continueToMain = [services] {
        // One main window per run: a second request shows the one already loaded.
        static host::SingleWindow<forms::Form1> main;
        host::ShowModeless(main.Load([&services] {
            forms::Form1Links links;
            links.unloadPrevious = forms::frmSplash::UnloadIfLoaded;
            links.showAbout = forms::frmAbout::ShowModeless;
            links.showPreview = [](const ConversionSettings& settings) {
                forms::frmPreview::ShowModeless(settings);
            };
            links.settingsChanged = [](const ConversionSettings& settings) {
                if (forms::frmPreview* preview = forms::frmPreview::Instance()) {
                    preview->Follow(settings);
                }
            };
            return new forms::Form1(services, std::move(links));
        }));
    };
    return forms::frmSplash::LoadAndShow(std::move(splash));
}

} // namespace korven::app
