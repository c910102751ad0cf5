#pragma once

#include <QString>

namespace asv {

// The telephone text of the editors' fields: area code, exchange and the last four digits joined
// by "-". Knows the 4-digit prefixes 0505 and 0303, unlike the caller-ID intake.
QString FormatTelNo(const QString& text);

} // namespace asv
