#pragma once

// Pieces of the property set's text form shared by the parser, the writer and the reads.

#include "host/control/PropertyBag.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace korven::host::detail {

// The text form of one value, without its type name ("-1", "\"A\\\"B\"", "\"Face\" size=9").
QString FormatValue(const PropertyValue& value);
// A quoted, escaped text.
QString QuoteText(QStringView text);
// A value shortened and made printable for an error message.
QString ShowInMessage(QStringView raw);
// An integer in the text form's syntax (decimal with sign, or 0x hex of at most hexDigits
// digits giving the bit pattern of a bits-wide integer); nullopt when malformed or out of
// range.
std::optional<qint64> ParseInteger(QStringView text, int bits);
// Why a font cannot be saved; empty when it can.
QString CheckFont(const SavedFont& font);

// The value of one hexadecimal digit, or -1 when c is not one.
int HexValue(char16_t c);

} // namespace korven::host::detail
