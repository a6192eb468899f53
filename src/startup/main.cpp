#include "korven/Version.h"
#include "startup/ProgramOptions.h"
#include "startup/StartUp.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(KORVEN_VERSION));
    QApplication::setDesktopFileName(QString::fromLatin1(korven::startup::kDesktopFileName));

    QCommandLineParser parser;
    korven::startup::DescribeCommandLine(parser);
    // --help and --version print and end the program here, as does an unknown option.
    parser.process(app);
    korven::startup::StartProgram(korven::host::HostServices::Real(),
                                  parser.positionalArguments().value(0));
    return app.exec();
}
