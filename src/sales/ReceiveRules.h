#pragma once

#include "ReceiveRecord.h"

#include <QString>

namespace asv {

// The arithmetic of the payment screen's balance panels.
class ReceiveRules {
public:
    // An amount as the panels show it: the amount decimals of the options, after a space.
    static QString panelText(double value);
    // What to add to the customer's balance so that it reads as before the payment being edited:
    // nothing for a new payment, for another customer, or for a balance taken as of a date
    // (asOfDate, "yyyy-mm-dd") before the payment's own.
    static double addedBack(const ReceiveRecord& loaded, const QString& ccode, const QString& asOfDate);
};

} // namespace asv
