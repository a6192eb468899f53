#pragma once

#include "app/ConversionSettings.h"
#include "converter/rules/Ranges.h"

#include <QString>
#include <QStringList>

namespace korven::app {

// How converter paths are spelt: the separator that joins them and the converter's file
// name. Parameters so that the Windows spelling can be checked on any machine.
struct CommandLineStyle {
    QString separator;
    QString converterName;
};

// "\" and ttf2pgf.exe on Windows, "/" and ttf2pgf elsewhere.
CommandLineStyle PlatformCommandLineStyle();

// The output file name the converter is asked to write.
inline const QString OutputFileName = QStringLiteral("ltn0.pgf");

// Writes ConverterPath and ConverterCommandLine from the other fields:
//   {ProgramFolder}{sep}{converter} {SourceFolder}{FontFile} {DestinationFolder}ltn0.pgf
//   {FontSize} i{ShadowValue}
// on one line, with "--characters SETS" after the converter when extra character sets are
// chosen and then the FIT menu's arguments (FitArguments), never otherwise. Nothing is quoted or
// normalised: this text is for people to read (logs, messages), not for a shell.
void BuildCommandLine(ConversionSettings& settings,
                      const CommandLineStyle& style = PlatformCommandLineStyle());

// What is actually started: the converter and its arguments as a list. The two paths are
// passed whole, whatever characters they hold; the size and shadow pieces are split at
// blanks exactly as the one-line command splits them, so an empty size or shadow does
// not become an empty argument.
struct ConverterInvocation {
    QString program;
    QStringList arguments;
};

ConverterInvocation
BuildConverterInvocation(const ConversionSettings& settings,
                         const CommandLineStyle& style = PlatformCommandLineStyle());

// The converter's full path: beside this program.
QString ConverterProgram(const ConversionSettings& settings,
                         const CommandLineStyle& style = PlatformCommandLineStyle());

// "--characters" and its value for the chosen extra character sets ("latin,greek"), or
// nothing when none is chosen; for every command that converts.
QStringList CharactersArguments(const ConversionSettings& settings);

// What the FIT menu adds to Convert's command: "--like FOLDER/ltn0.pgf" when the user's own
// folder holds ltn0.pgf, "--fit" when it does not or when only fitting is chosen; nothing
// when neither is chosen.
QStringList FitArguments(const ConversionSettings& settings);

// The same for SET: "--like FOLDER" (the converter falls back to the handheld's sizes for a
// file the folder lacks), "--fit", or nothing.
QStringList SetFitArguments(const ConversionSettings& settings);

// The line a successful report adds when the files were fitted; empty when they were not.
QString FitReportLine(const ConversionSettings& settings);

// The invocation as one line for a POSIX shell, to run it by hand: every piece that holds
// anything but letters, digits and ".,/:@%+_-" is put in single quotes (a quote inside as
// '\''), so pasting the line runs exactly the program and arguments that were started.
QString ShellCommandLine(const ConverterInvocation& invocation);

// The path of the output file the converter is asked to write (the argument after the font).
QString OutputFilePath(const ConversionSettings& settings);

// The sizes the size list offers: the converter's own range.
inline constexpr int kMinFontSize = converter::kMinPixelSize;
inline constexpr int kMaxFontSize = converter::kMaxPixelSize;

// Whether the size and the shadow are values the converter takes, checked before anything
// starts so that the user hears about them in the window's words: a size is a whole number
// from 6 to 22; a shadow a plain decimal from 1 to 4.0 (no sign, blank or exponent).
bool IsFontSize(const QString& size);
bool IsShadowValue(const QString& shadow);

} // namespace korven::app
