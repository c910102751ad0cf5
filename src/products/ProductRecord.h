#pragma once

#include "FieldTable.h"

#include <QString>

namespace asv {

// One row of product as the editor reads and writes it. Text columns hold "" rather than NULL.
struct ProductRecord {
    QString code;
    QString bcode;
    QString name;
    QString norm;
    int taxmode = 1;
    QString classname;
    QString unit;
    QString regdate;
    QString bigo;
    bool hidden = false;
    double saleprice = 0;

    // The columns in the order of the editor's fields. The byte limits of barcode, name and norm
    // are the options' defaults; the editor applies the options' values.
    static const FieldTable<ProductRecord>& fields();
};

} // namespace asv
