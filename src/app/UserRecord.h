#pragma once

#include "FieldTable.h"

#include <QString>

namespace asv {

// One row of local_user as the user editor shows it.
struct UserRecord {
    QString code;
    QString loginId;
    QString password;
    QString name;
    QString telno;
    QString hpno;
    QString serial;
    QString zipcode;
    QString addr1;
    QString addr2;
    QString bigo;
    bool pdaUse = false;
    bool consult = false;

    // The columns in the order of the editor's fields.
    static const FieldTable<UserRecord>& fields();
};

} // namespace asv
