#pragma once

#include "host/seams/ProgramInfo.h"

#include <QString>

namespace korven::forms::splash {

inline constexpr char kGuiCaption[] = "(GUI)";
// The blanks are part of the texts: two after the colon and one at the end of the
// Italian line; two leading and four after the colon in the English one.
inline constexpr char kItalianWarning[] = "Attenzione:  USATE A VOSTRO RISCHIO E PERICOLO! ";
inline constexpr char kEnglishWarning[] = "  Warning:    USE AT YOUR OWN RISK AND DANGER !";
// What the two self-sizing labels show before the window's load step fills them.
inline constexpr char kVersionPlaceholder[] = "Version";
inline constexpr char kProductPlaceholder[] = "Product";

// "Version " and the three numbers in plain decimal, joined by dots: 1, 1, 0 give
// "Version 1.1.0"; 10, 2, 15 give "Version 10.2.15".
QString VersionCaption(const host::ProgramVersion& version);

} // namespace korven::forms::splash
