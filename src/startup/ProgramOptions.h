#pragma once

class QCommandLineParser;

namespace korven::startup {

// The name of the program's desktop entry, without ".desktop", so that the desktop matches
// the windows to its menu entry and icon.
inline constexpr char kDesktopFileName[] = "korven-font-converter";

// Describes the program's own command line to `parser`: --help, --version and the optional
// FONT to open. QApplication takes its own options (-platform and the like) out before the
// parser sees the arguments.
void DescribeCommandLine(QCommandLineParser& parser);

} // namespace korven::startup
