#include "forms/main/Form1.h"
#include "host/toolkit/HostServices.h"
#include "host/toolkit/Windows.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    auto* form = new korven::forms::Form1(korven::host::HostServices::Real());
    form->setAttribute(Qt::WA_DeleteOnClose);
    korven::host::ShowModeless(form);
    return app.exec();
}
