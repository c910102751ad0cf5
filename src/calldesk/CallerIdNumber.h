#pragma once

#include <QString>
#include <QStringView>

namespace asv {

// A caller's number as a domestic dialling text: digits and "*" only, a "+82"/"82" country prefix
// turned back into the leading 0 and a leading 0 that a trunk dropped put back. "" when the text
// carries no number (withheld, out of area, all zeros, words, line noise).
QString NormalizeCallerNumber(QStringView text);

} // namespace asv
