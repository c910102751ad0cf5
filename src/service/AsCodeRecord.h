#pragma once

#include "FieldTable.h"

#include <QString>

namespace asv {

// One AS code: a reception, cause or result code of a product, or a consultation class. The code
// is the server's number, never changed and never reused.
struct AsCodeRecord {
    // The kinds of code, stored in part.
    enum Part { Reception = 0, Cause = 1, Result = 2, ConsultClass = 9 };

    int code = 0;
    QString pcode;
    int part = Reception;
    QString name;
    double amount = 0;

    // The columns of the code lists' cells.
    static const FieldTable<AsCodeRecord>& fields();
};

} // namespace asv
