#include "forms/disclaimer/StartUp.h"
#include "forms/main/Form1.h"
#include "host/toolkit/HostServices.h"
#include "host/toolkit/Windows.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    korven::forms::StartProgram();
    return app.exec();
}
