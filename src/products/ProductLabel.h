#pragma once

#include "BarcodePainter.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace asv {

// What one price label shows of a product.
struct ProductLabel {
    QString code;
    QString name;
    QString norm;
    double price = 0;
    QString barcode;

    // EAN-13 or EAN-8 only when the code is such a number with a valid check digit, so that a
    // scanner reads back exactly what is stored; anything else goes out as Code 128.
    static BarcodeKind barcodeKind(const QString& barcode);
    // The products of those codes, in the order given; unknown codes are left out. Throws DbError.
    static QList<ProductLabel> load(const QStringList& codes);
};

} // namespace asv
