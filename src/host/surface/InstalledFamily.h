#pragma once

#include <QFont>

namespace korven::host {

// `font` naming only the family the toolkit would draw it with: the first of its families,
// then of their substitutes, that is installed. The toolkit finds the same face itself, but
// whenever a font names a family that is missing, or lists more than one, it also asks
// fontconfig for a sorted list of every installed font and sieves it against its own list,
// a cost that grows with the square of the installed fonts (several milliseconds a font on a
// font-heavy desktop) and is paid again for each new family, style and script. A font
// naming its one installed family skips that. A font none of whose families is installed,
// or that names one family with no substitutes, is returned as it is.
QFont WithInstalledFamily(const QFont& font);

} // namespace korven::host
