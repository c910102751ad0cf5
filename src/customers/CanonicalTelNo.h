#pragma once

#include <QString>

namespace asv {

// The one text form in which callers are stored and matched: area code, exchange and the last
// four digits joined by "-" (02-123-4567, 031-123-4567, 1588-1234). Unlike FormatTelNo it knows
// no 4-digit prefixes, so that every desk turns the same number into the same text.
QString CanonicalTelNo(const QString& text);

// The number after the area code in canonical form ("1234-5678" for "0212345678" as for
// "12345678"), for matching numbers stored with or without their area code; "" when text is not
// a run of at least 5 digits.
QString TelLocalPart(const QString& text);

} // namespace asv
