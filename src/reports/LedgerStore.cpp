#include "LedgerStore.h"

#include "StoreSql.h"
#include "modMySQL_Func.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kStore = u"LedgerStore"_s;

RecordSetPtr read(const QString& sql, const QString& operation)
{
    return StoreSql::read(sql, kStore, operation);
}

// In the statements below the documents lead the join: left to itself the server starts from the
// customers or the products and fetches a year's lines one by one through their keys, which took
// two to three times as long as reading the documents through (1M sale lines, 200,000 payments).
QString customerCondition(const LedgerStore::Filter& filter)
{
    return filter.ccode.isEmpty() ? u" AND c.hidden = 0"_s : u" AND c.code = "_s + StoreSql::quoted(filter.ccode);
}

QString periodCondition(const LedgerStore::Filter& filter)
{
    if (!filter.period)
        return {};
    return u" AND s.dealdate BETWEEN %1 AND %2"_s.arg(StoreSql::quoted(filter.from), StoreSql::quoted(filter.to));
}

} // namespace

QString LedgerStore::Filter::cutoff() const
{
    if (!period)
        return u"0000-00-00"_s;
    return QDate::fromString(from, u"yyyy-MM-dd"_s).addDays(-1).toString(u"yyyy-MM-dd"_s);
}

QString LedgerStore::customersSql(const Filter& filter)
{
    return u"SELECT c.code AS code, c.basemoney AS basebaln, c.compname, c.compalias AS compalias, c.telno1, c.fax, "
           "c.ceoname, c.addr1, c.addr2, c.bigo FROM customer AS c WHERE 1=1"_s
        + customerCondition(filter) + u" ORDER BY compalias, code"_s;
}

QString LedgerStore::carriedSql(const Filter& filter)
{
    const QString upTo = u" AND s.dealdate <= "_s + StoreSql::quoted(filter.cutoff()) + customerCondition(filter);
    return u"SELECT STRAIGHT_JOIN s.ccode, SUM(s.total) AS sumtot FROM sale AS s, customer AS c WHERE s.ccode = c.code"_s + upTo
        + u" GROUP BY s.ccode UNION ALL SELECT STRAIGHT_JOIN s.ccode, SUM(d.amount) AS sumtot FROM aslist_m AS s, aslist_d AS d, "
          "customer AS c WHERE s.code = d.code AND s.ccode = c.code AND d.isfree = 0"_s
        + upTo
        + u" GROUP BY s.ccode UNION ALL SELECT STRAIGHT_JOIN s.ccode, SUM(s.amount + s.dc)*-1 AS sumtot FROM receive AS s, "
          "customer AS c WHERE s.ccode = c.code"_s
        + upTo + u" GROUP BY s.ccode ORDER BY ccode"_s;
}

QString LedgerStore::debitsSql(const Filter& filter)
{
    const QString limits = periodCondition(filter) + customerCondition(filter);
    return u"SELECT STRAIGHT_JOIN s.ccode, s.dealdate, s.code, s.prnbigo, s.pcode, p.bcode, s.pname, s.pnorm, s.price, s.qnt, "
           "p.unit AS punit, s.total FROM sale AS s, customer AS c, product AS p WHERE s.ccode = c.code "
           "AND s.pcode = p.code"_s
        + limits
        + u" UNION ALL SELECT STRAIGHT_JOIN s.ccode, s.dealdate, s.code, 'AS                       ' AS prnbigo, d.pcode, p.bcode, "
          "p.name AS pname, p.norm AS pnorm, d.amount AS price, 1 AS qnt, p.unit AS punit, d.amount AS total "
          "FROM aslist_m AS s, aslist_d AS d, customer AS c, product AS p WHERE s.code = d.code AND s.ccode = c.code "
          "AND d.pcode = p.code AND d.isfree = 0"_s
        + limits + u" ORDER BY 1, 2,3"_s;
}

QString LedgerStore::creditsSql(const Filter& filter)
{
    return u"SELECT STRAIGHT_JOIN s.ccode, s.dealdate, s.type, s.amount+s.dc AS amount, s.bigo FROM receive AS s, customer AS c "
           "WHERE s.ccode = c.code"_s
        + periodCondition(filter) + customerCondition(filter) + u" ORDER BY s.ccode, s.dealdate, s.code"_s;
}

RecordSetPtr LedgerStore::customers(const Filter& filter)
{
    return read(customersSql(filter), u"customers"_s);
}

RecordSetPtr LedgerStore::carried(const Filter& filter)
{
    return read(carriedSql(filter), u"carried"_s);
}

RecordSetPtr LedgerStore::debits(const Filter& filter)
{
    return read(debitsSql(filter), u"debits"_s);
}

RecordSetPtr LedgerStore::credits(const Filter& filter)
{
    return read(creditsSql(filter), u"credits"_s);
}

} // namespace asv
