#pragma once

#include "FieldTable.h"

#include <QString>

namespace asv {

// One result line of an AS job: a piece of work with its cause, result and charge. (code, seq)
// identifies it.
struct AsLineRecord {
    int code = 0;
    int seq = 0;
    QString pcode;
    int typecode1 = 0;
    int typecode2 = 0;
    QString workbigo;
    double amount = 0;
    bool isfree = false;
    QString senddate;

    // What the line adds to the customer's balance: a free line nothing.
    double billed() const { return isfree ? 0 : amount; }

    static const FieldTable<AsLineRecord>& fields();
};

} // namespace asv
