#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QCommandLineParser;

namespace korven::startup {

// The name of the program's desktop entry, without ".desktop", so that the desktop matches
// the windows to its menu entry and icon.
inline constexpr char kDesktopFileName[] = "korven-font-converter";

// The program's name as the help and the refusals print it, whatever folder it was started
// from.
inline constexpr char kProgramName[] = "korven-font-converter";

// The exit status of a command-line mistake, the same as the converter's.
inline constexpr int kExitUsage = 2;

// Describes the program's own command line to `parser`: --help, --version and the optional
// FONT to open. QApplication takes its own options (-platform and the like) out before the
// parser sees the arguments.
void DescribeCommandLine(QCommandLineParser& parser);

// `arguments` (the program's first) without the options the window system takes for
// itself, so that they can be judged before a window system is started.
QStringList WithoutToolkitOptions(const QStringList& arguments);

// What is wrong with the command line, in one line for the terminal, or nothing when the
// program can start. Needs no application object, so that a mistake is answered in a
// terminal without a display. `parser` is described by DescribeCommandLine.
std::optional<QString> CommandLineMistake(QCommandLineParser& parser, const QStringList& arguments);

} // namespace korven::startup
