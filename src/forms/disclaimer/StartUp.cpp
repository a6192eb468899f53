#include "forms/disclaimer/StartUp.h"

#include "forms/disclaimer/frmSplash.h"
#include "forms/main/Form1.h"
#include "host/toolkit/Windows.h"

namespace korven::forms {

frmSplash* StartProgram(host::HostServices services) {
    SplashServices splash;
    splash.continueToMain = [services] {
        // One main window per run: a second request shows the one already loaded.
        static host::SingleWindow<Form1> main;
        host::ShowModeless(main.Load([&services] { return new Form1(services); }));
    };
    return frmSplash::LoadAndShow(std::move(splash));
}

} // namespace korven::forms
