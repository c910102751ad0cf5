#pragma once

#include <QString>

namespace asv {

// Some scanners send a prefix character ("&", "+" or ";") before the code; it is dropped.
QString ConvBarCode(const QString& barcode);

} // namespace asv
