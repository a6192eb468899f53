#include "korven/Version.h"
#include "startup/ProgramOptions.h"
#include "startup/StartUp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

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

QStringList ArgumentList(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments += QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    QCommandLineParser parser;
    korven::startup::DescribeCommandLine(parser);
    // Every mistake is answered here, before a window system is needed, so that a terminal
    // without a display hears what is wrong instead of the window system's failure.
    if (const auto mistake =
            korven::startup::CommandLineMistake(parser, ArgumentList(argc, argv))) {
        std::fprintf(stderr, "%s: %s\n", korven::startup::kProgramName,
                     mistake->toLocal8Bit().constData());
        return korven::startup::kExitUsage;
    }
    if (AsksOnlyForText(argc, argv)) {
        // The help's usage line names the program, not the folder it was started from.
        std::vector<char*> named(argv, argv + argc);
        std::string name = korven::startup::kProgramName;
        named[0] = name.data();
        int namedCount = argc;
        QCoreApplication app(namedCount, named.data());
        NameProgram();
        // Prints and ends the program.
        parser.process(app);
        return 0;
    }

    QApplication app(argc, argv);
    NameProgram();
    parser.process(app);
    korven::startup::StartProgram(korven::host::HostServices::Real(),
                                  parser.positionalArguments().value(0));
    return app.exec();
}
