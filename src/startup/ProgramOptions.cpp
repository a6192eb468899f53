#include "startup/ProgramOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <array>

namespace korven::startup {

namespace {

// The options the window system and the widgets take out of the command line themselves,
// with one or two leading dashes. Those in the first list take the next argument as value.
constexpr std::array kToolkitOptionsWithValue = {"platform",
                                                 "platformpluginpath",
                                                 "platformtheme",
                                                 "plugin",
                                                 "qwindowgeometry",
                                                 "geometry",
                                                 "qwindowtitle",
                                                 "title",
                                                 "qwindowicon",
                                                 "icon",
                                                 "session",
                                                 "display",
                                                 "name",
                                                 "visual",
                                                 "style",
                                                 "stylesheet"};
constexpr std::array kToolkitFlags = {"reverse", "testability", "nograb",
                                      "dograb",  "sync",        "widgetcount"};
constexpr std::array kToolkitOptionsJoined = {"style=", "stylesheet=", "qmljsdebugger="};

// The option's name without its one or two dashes, or an empty string for a non-option.
QString OptionName(const QString& argument) {
    if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
        return {};
    }
    return argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
}

template <std::size_t N>
bool Names(const std::array<const char*, N>& list, const QString& name) {
    for (const char* entry : list) {
        if (name == QLatin1String(entry)) {
            return true;
        }
    }
    return false;
}

} // namespace

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

QStringList WithoutToolkitOptions(const QStringList& arguments) {
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (i > 0 && arguments[i] == QLatin1String("--")) {
            // After "--" every argument is a file name.
            kept += arguments.mid(i);
            break;
        }
        const QString name = i == 0 ? QString() : OptionName(arguments[i]);
        if (Names(kToolkitOptionsWithValue, name)) {
            ++i;
            continue;
        }
        bool joined = false;
        for (const char* prefix : kToolkitOptionsJoined) {
            joined = joined || name.startsWith(QLatin1String(prefix));
        }
        if (!joined && !Names(kToolkitFlags, name)) {
            kept += arguments[i];
        }
    }
    return kept;
}

std::optional<QString> CommandLineMistake(QCommandLineParser& parser,
                                          const QStringList& arguments) {
    if (!parser.parse(WithoutToolkitOptions(arguments))) {
        return parser.errorText();
    }
    const QStringList fonts = parser.positionalArguments();
    if (fonts.size() > 1) {
        return QCoreApplication::translate(
                   "main", "only one FONT can be opened, got %1 (\"%2\" and \"%3\")")
            .arg(fonts.size())
            .arg(fonts[0], fonts[1]);
    }
    return std::nullopt;
}

} // namespace korven::startup
