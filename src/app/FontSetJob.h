#pragma once

#include "app/CommandLine.h"
#include "app/ConversionSettings.h"
#include "app/JobVerdict.h"

#include <QString>
#include <QStringList>

// The whole set of sixteen system fonts, with jpn0.pgf and kr0.pgf when fonts were chosen for
// them, converted at once by `ttf2pgf --set` from the same choices Convert uses: its command
// and the files it replaces. ConverterJob runs and judges it.
namespace korven::app {

inline constexpr int kSetFileCount = 16;

// "ltn0.pgf" to "ltn15.pgf", in slot order.
const QStringList& SetFileNames();
// The files SET writes for these choices: the sixteen, then jpn0.pgf and kr0.pgf when a font
// was chosen for them.
QStringList SetFileNames(const ConversionSettings& settings);

// The folder the set is written into: DestinationFolder without its trailing separator
// (kept at a root).
QString SetFolder(const ConversionSettings& settings);

// What is started: the converter with "--set", the picked font, the folder, the size and
// "i" with the shadow, then "--characters SETS" when extra character sets are chosen, the
// FIT menu's SetFitArguments, the fonts chosen for jpn0.pgf and kr0.pgf and for the serif
// files, and "--backup-dir" with `backupFolder` when one is given. Size and shadow are
// checked before a start, so they are passed whole.
ConverterInvocation BuildSetInvocation(const ConversionSettings& settings,
                                       const CommandLineStyle& style = PlatformCommandLineStyle(),
                                       const QString& backupFolder = QString());
// The set's files (`names`, the sixteen when not given) that already exist in `folder` and
// would be replaced, in slot order.
QStringList ExistingSetFiles(const QString& folder, const QStringList& names = SetFileNames());

// The question asked once before replacing them, saying how many; `total` files are written.
QString ReplaceSetQuestion(int existing, const QString& folder, int total = kSetFileCount);

} // namespace korven::app
