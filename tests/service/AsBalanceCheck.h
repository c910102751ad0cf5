#pragma once

#include "modMySQL_Func.h"

#include <QStringList>

namespace asv::test {

// The customers among codes whose running balance differs from what their documents add up to
// (opening balance + sales + charged AS lines of their jobs − payments and discounts), as
// "code nowmoney≠computed"; empty when every one agrees.
inline QStringList balancesOffTheDocuments(const QStringList& codes)
{
    RecordSetPtr rs;
    DBOpenRS(rs, QStringLiteral(
                     "SELECT c.code, c.nowmoney, c.basemoney"
                     " + COALESCE((SELECT SUM(s.total) FROM sale AS s WHERE s.ccode = c.code), 0)"
                     " + COALESCE((SELECT SUM(d.amount) FROM aslist_m AS s, aslist_d AS d"
                     "   WHERE s.code = d.code AND d.isfree = 0 AND s.ccode = c.code), 0)"
                     " - COALESCE((SELECT SUM(r.amount + r.dc) FROM receive AS r WHERE r.ccode = c.code), 0) AS computed"
                     " FROM customer AS c WHERE c.code IN ('")
                     + codes.join(QStringLiteral("','")) + QStringLiteral("') HAVING c.nowmoney <> computed"));
    QStringList off;
    for (; rs && !rs->eof(); rs->moveNext())
        off << rs->field(0) + u' ' + rs->field(1) + QChar(0x2260) + rs->field(2);
    return off;
}

} // namespace asv::test
