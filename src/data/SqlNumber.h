#pragma once

#include <QString>

namespace asv {

// A number as a statement literal: every digit the double holds, never an exponent, so that
// DECIMAL(18,4) columns receive exactly what the program computed. Throws AppError for NaN and
// infinities, which no column can take.
QString SqlNumber(double value);

} // namespace asv
