#include "forms/about/AboutTexts.h"

namespace korven::forms::about {

QString DisclaimerText() {
    // Written with explicit code points so the file's own encoding cannot change the
    // accented letters.
    const QChar eGrave(0x00E8);
    return QStringLiteral(
               "The only part of the program made by me, was the gui interface.All the \r\n"
               "work is done by the ttf2pgf program embedded in this Gui Interface.\r\n"
               "USE AT YOUR OWN RISK AND DANGER !\r\n"
               "\r\n"
               "L'unica parte del programma fatto da me, %1 l'interfaccia GUI. Tutto il \r\n"
               "lavoro %1 fatto dal programma di ttf2pgf incluso in questa interfaccia GUI.\r\n"
               "USATE A VOSTRO RISCHIO E PERICOLO!\r\n")
        .arg(eGrave);
}

} // namespace korven::forms::about
