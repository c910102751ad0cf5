#pragma once

#include "FixedMoney.h"

#include <QDate>
#include <QList>
#include <QStringList>

namespace asv {

// The carried-forward balance of the receivables status told by the month it arose in. Payments
// settle the oldest receivables first, so what is still owed is the latest debts: each month's
// column holds what remains unpaid of that month's sales and AS charges, and whatever is older
// than the months shown (the opening balance among it) stays in the oldest column. The columns
// always add up to the carried balance; a credit stays in the month its payment came.
class ReceivablesMonthSplit {
public:
    // "yyyy-MM" of every month from the first day of the month `count` months before `from` up
    // to the day before `from`, oldest first; none for a count of 0.
    static QStringList months(const QDate& from, int count);

    struct Movement {
        FixedMoney debits;  // sales and charged AS lines of the month
        FixedMoney credits; // payments and discounts of the month
    };
    // movements: one per month, oldest first.
    static QList<FixedMoney> split(FixedMoney carried, const QList<Movement>& movements);
};

} // namespace asv
