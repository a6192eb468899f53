#include "startup/ProgramOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace korven::startup {

void DescribeCommandLine(QCommandLineParser& parser) {
    parser.setApplicationDescription(QCoreApplication::translate(
        "main", "Turns a TrueType or OpenType font into the handheld's system font file."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("FONT"),
        QCoreApplication::translate("main", "The font file to pick once the main window is up."),
        QStringLiteral("[FONT]"));
}

} // namespace korven::startup
