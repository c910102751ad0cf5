#include "modBarCode.h"

namespace asv {

QString ConvBarCode(const QString& barcode)
{
    if (barcode.isEmpty())
        return barcode;
    const QChar first = barcode.front();
    if (first == u'&' || first == u'+' || first == u';')
        return barcode.mid(1);
    return barcode;
}

} // namespace asv
