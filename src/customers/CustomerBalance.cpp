#include "CustomerBalance.h"

#include "SqlNumber.h"
#include "cMySQL.h"
#include "modMath.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace asv {

CustomerBalance::CustomerBalance(cMySQL* db) : m_db(db ? *db : DBMainConnection()) {}

bool CustomerBalance::lock(const QString& ccode)
{
    RecordSetPtr rs;
    return DBOpenRS(m_db, rs, u"SELECT code FROM customer WHERE code = '"_s + SQLQuote(ccode) + u"' FOR UPDATE"_s) == 1;
}

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

bool CustomerBalance::moveEach(const QList<std::pair<QString, QString>>& differences)
{
    QStringList rows;
    for (const auto& [code, diff] : differences)
        rows << (rows.isEmpty() ? u"SELECT '"_s + SQLQuote(code) + u"' AS code, CAST("_s + diff + u" AS DECIMAL(18,4)) AS diff"_s
                                : u"SELECT '"_s + SQLQuote(code) + u"', "_s + diff);
    if (rows.isEmpty())
        return true;
    DBExecute(m_db, u"UPDATE customer AS c JOIN ("_s + rows.join(u" UNION ALL "_s)
                        + u") AS n ON c.code = n.code SET c.nowmoney = c.nowmoney + n.diff"_s);
    return m_db.lastErrno() == 0;
}

bool CustomerBalance::recomputeAll()
{
    DBExecute(m_db,
              u"UPDATE customer AS c "
              u"LEFT JOIN (SELECT ccode, SUM(total) AS v FROM sale GROUP BY ccode) AS s ON s.ccode = c.code "
              u"LEFT JOIN (SELECT m.ccode, SUM(d.amount) AS v FROM aslist_m AS m JOIN aslist_d AS d ON d.code = m.code "
              u"WHERE d.isfree = 0 GROUP BY m.ccode) AS a ON a.ccode = c.code "
              u"LEFT JOIN (SELECT ccode, SUM(amount + dc) AS v FROM receive GROUP BY ccode) AS r ON r.ccode = c.code "
              u"SET c.nowmoney = c.basemoney + COALESCE(s.v, 0) + COALESCE(a.v, 0) - COALESCE(r.v, 0)"_s);
    return m_db.lastErrno() == 0;
}

QString CustomerBalance::clearAllSql()
{
    return u"UPDATE customer SET nowmoney = 0, basemoney = 0"_s;
}

} // namespace asv
