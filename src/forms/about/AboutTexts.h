#pragma once

#include <QString>

namespace korven::forms::about {

// The text box's content exactly as shown on every opening: seven lines, each ended by
// a carriage return and line feed, the fourth empty.
QString DisclaimerText();

inline constexpr char kCaption[] = "INFO";
inline constexpr char kOkCaption[] = "OK";
inline constexpr char kFlashWarning[] = "Warning: ... This program modify the FLASH0 of your PSP.";

} // namespace korven::forms::about
