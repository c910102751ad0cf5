#pragma once

#include <QString>

namespace asv {

// The display format of quantities, prices and amounts: "#,##0.##", "#,###", "0.00", ...
// Trailing zeros after the point follow the "소수이하0표시" setting unless given explicitly.
QString GetDecFormat(int decimals, bool thousands, bool showZero);
QString GetDecFormat(int decimals, bool thousands, bool showZero, bool trailingZeros);

// Renders value by a format of the shape above: "," groups thousands, "0" is a digit always shown,
// "#" one shown only when needed (so "#,###" shows zero as empty). Halves round away from zero.
// An empty format gives the plain number.
QString FormatNumber(double value, const QString& format);

} // namespace asv
