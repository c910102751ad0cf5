#include "CustomerBalance.h"

#include "SqlNumber.h"
#include "cMySQL.h"
#include "modMath.h"
#include "modMySQL_Func.h"

using namespace Qt::StringLiterals;

namespace asv {

CustomerBalance::CustomerBalance(cMySQL* db) : m_db(db ? *db : *DBConnection(0)) {}

bool CustomerBalance::move(const QString& ccode, double delta)
{
    // A difference of doubles carries binary noise beyond the column's decimals.
    const double amount = RoundNum(delta, 4);
    if (amount == 0)
        return true;
    m_db.query(u"UPDATE customer SET nowmoney = nowmoney + "_s + SqlNumber(amount) + u" WHERE code = '"_s
                   + SQLQuote(ccode) + u"'"_s,
               false);
    return m_db.lastErrno() == 0;
}

} // namespace asv
