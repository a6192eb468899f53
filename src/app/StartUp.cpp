#include "app/StartUp.h"

#include "forms/about/frmAbout.h"
#include "forms/disclaimer/frmSplash.h"
#include "forms/main/Form1.h"
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
            return new forms::Form1(services, std::move(links));
        }));
    };
    return forms::frmSplash::LoadAndShow(std::move(splash));
}

} // namespace korven::app
