#pragma once

#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QStringList>

namespace asv::test {

// The customers (all, or those of codes) whose running balance differs from what their documents
// add up to: opening balance + sales + charged AS lines − payments and discounts. Each as
// "code running≠computed"; empty when every one agrees. Worked out apart from the program's own sums.
inline QStringList balancesOffTheDocuments(const QStringList& codes = {})
{
    const QString only = codes.isEmpty() ? QString()
                                         : QStringLiteral(" WHERE c.code IN ('") + codes.join(QStringLiteral("','"))
                                               + QStringLiteral("')");
    RecordSetPtr rs;
    DBOpenRS(rs, QStringLiteral("SELECT code, nowmoney, computed FROM (SELECT c.code, c.nowmoney, c.basemoney"
                                " + IFNULL((SELECT SUM(s.total) FROM sale s WHERE s.ccode = c.code), 0)"
                                " + IFNULL((SELECT SUM(d.amount) FROM aslist_m m JOIN aslist_d d ON d.code = m.code"
                                " WHERE m.ccode = c.code AND d.isfree = 0), 0)"
                                " - IFNULL((SELECT SUM(r.amount + r.dc) FROM receive r WHERE r.ccode = c.code), 0)"
                                " AS computed FROM customer c")
                     + only + QStringLiteral(") AS b WHERE nowmoney <> computed ORDER BY code"));
    QStringList off;
    for (; rs && !rs->eof(); rs->moveNext())
        off << rs->field(0) + u' ' + rs->field(1) + QChar(0x2260) + rs->field(2);
    return off;
}

} // namespace asv::test
