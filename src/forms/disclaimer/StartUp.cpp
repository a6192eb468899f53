#include "forms/disclaimer/StartUp.h"

#include "forms/disclaimer/frmSplash.h"
#include "forms/main/Form1.h"
#include "host/toolkit/Windows.h"

#include <QPointer>

namespace korven::forms {

frmSplash* StartProgram(host::HostServices services) {
    SplashServices splash;
    splash.continueToMain = [services] {
        // One main window per run: a second request shows the one already loaded.
        static QPointer<Form1> main;
        if (main.isNull()) {
            main = new Form1(services);
            main->setAttribute(Qt::WA_DeleteOnClose);
        }
        host::ShowModeless(main);
    };
    return frmSplash::LoadAndShow(std::move(splash));
}

} // namespace korven::forms
