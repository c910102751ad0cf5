#pragma once

#include <QString>

namespace asv {

// One payment as the entry screen and the store pass it around.
struct ReceiveRecord {
    int code = 0;
    QString dealdate;
    QString ccode;
    double amount = 0;
    double dc = 0;
    int type = 0; // position in the kind list: 0 cash, 1 card
    QString charge;
    QString bigo;
    QString regucode;
    QString deallistno;
    QString dealtime;

    // What the payment takes off the customer's balance.
    double total() const { return amount + dc; }
};

} // namespace asv
