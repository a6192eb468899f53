#pragma once

#include "app/CommandLine.h"
#include "app/ConversionSettings.h"
#include "app/JobVerdict.h"

#include <QString>
#include <QStringList>

// The whole set of sixteen system fonts, converted at once by `ttf2pgf --set` from the same
// choices Convert uses: its command and the files it replaces. ConverterJob runs and judges it.
namespace korven::app {

inline constexpr int kSetFileCount = 16;

// "ltn0.pgf" to "ltn15.pgf", in slot order.
const QStringList& SetFileNames();

// The folder the set is written into: DestinationFolder without its trailing separator
// (kept at a root).
QString SetFolder(const ConversionSettings& settings);

// What is started: the converter with "--set", the picked font, the folder, the size and
// "i" with the shadow, then "--characters SETS" when extra character sets are chosen and the
// FIT menu's SetFitArguments, and "--backup-dir" with `backupFolder` when one is given. Size
// and shadow are checked before a start, so they are passed whole.
ConverterInvocation BuildSetInvocation(const ConversionSettings& settings,
                                       const CommandLineStyle& style = PlatformCommandLineStyle(),
                                       const QString& backupFolder = QString());
// The set's files that already exist in `folder` and would be replaced, in slot order.
QStringList ExistingSetFiles(const QString& folder);

// The question asked once before replacing them, saying how many.
QString ReplaceSetQuestion(int existing, const QString& folder);

} // namespace korven::app
