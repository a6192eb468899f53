#include "startup/StartUp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // QApplication has taken its own options (-platform and the like) out already; what is
    // left after the program's name is the font to open, if any.
    const QStringList arguments = QApplication::arguments();
    korven::startup::StartProgram(korven::host::HostServices::Real(), arguments.value(1));
    return app.exec();
}
