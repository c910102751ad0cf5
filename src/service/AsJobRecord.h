#pragma once

#include "FieldTable.h"

#include <QString>

namespace asv {

// One AS job: who reported what about which product, the visit wanted and planned, and who is in
// charge. The first result line saved completes it.
struct AsJobRecord {
    enum State { Received = 0, Confirmed = 2, Completed = 9 };

    int code = 0;
    QString ccode;
    QString pcode;
    QString pserial;
    QString dealdate;
    QString dealtime;
    QString regucode;
    QString dealbigo;
    int typecode0 = 0;
    QString resvdate1;
    QString resvtime1 = QStringLiteral("00:00");
    QString resvdate2;
    QString resvtime2 = QStringLiteral("00:00");
    QString charge;
    int state = Received;
    QString workdate;
    QString worktime;

    // The name the lists give a state: "접수", "확인", "완료"; "" for any other value.
    static QString stateName(int state);
    static const FieldTable<AsJobRecord>& fields();
};

} // namespace asv
