#include "korven/Version.h"
#include "startup/ProgramOptions.h"
#include "startup/StartUp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <string_view>

namespace {

// --help and --version only print, so they must work in a terminal without a display, where
// the window system cannot start.
bool AsksOnlyForText(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        for (const std::string_view option :
             {"-h", "-?", "--help", "--help-all", "-v", "--version"}) {
            if (argument == option) {
                return true;
            }
        }
    }
    return false;
}

void NameProgram() {
    QCoreApplication::setApplicationVersion(QStringLiteral(KORVEN_VERSION));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(korven::startup::kDesktopFileName));
}

} // namespace

int main(int argc, char** argv) {
    QCommandLineParser parser;
    korven::startup::DescribeCommandLine(parser);
    if (AsksOnlyForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        NameProgram();
        // Prints and ends the program.
        parser.process(app);
        return 0;
    }

    QApplication app(argc, argv);
    NameProgram();
    // An unknown option is said and ends the program here.
    parser.process(app);
    korven::startup::StartProgram(korven::host::HostServices::Real(),
                                  parser.positionalArguments().value(0));
    return app.exec();
}
