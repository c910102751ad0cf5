#pragma once

#include "FieldTable.h"

#include <QString>

namespace asv {

// One row of customer as the editor reads and writes it. Text columns hold "" rather than NULL.
struct CustomerRecord {
    QString code;
    QString compname;
    QString compalias;
    QString ceoname;
    QString compsn;
    QString telno1;
    QString telno2;
    QString telno3;
    QString telno4;
    QString fax;
    QString hpno;
    QString charge;
    int taxmode = 1;
    QString zipcode;
    QString addr1;
    QString addr2;
    QString status;
    QString item;
    QString regdate;
    double basemoney = 0;
    double nowmoney = 0;
    QString bigo;
    bool hidden = false;
    QString email;
    QString modelname;
    // The customised edition's own columns.
    QString agency;
    QString giftname;
    QString setupuser;
    QString buydate;
    QString serialnumber;

    // The columns in the order of the editor's fields.
    static const FieldTable<CustomerRecord>& fields();
};

} // namespace asv
