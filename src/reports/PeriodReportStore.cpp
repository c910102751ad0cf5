#include "PeriodReportStore.h"

#include "StoreSql.h"
#include "modMySQL_Func.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kOrder = u" ORDER BY s.dealdate, c.compalias, c.compname, s.ccode, s.code"_s;

QString between(const QString& from, const QString& to)
{
    return u"s.dealdate BETWEEN %1 AND %2"_s.arg(StoreSql::quoted(from), StoreSql::quoted(to));
}

QString equals(const QString& column, const QString& value)
{
    return value.isEmpty() ? QString() : u" AND "_s + column + u" = "_s + StoreSql::quoted(value);
}

QString columnContains(const QString& column, const QString& part)
{
    return part.isEmpty() ? QString() : u" AND "_s + column + u" LIKE "_s + StoreSql::containing(part);
}

QString chargeColumn(PeriodReportStore::ChargeOf chargeOf)
{
    return chargeOf == PeriodReportStore::ChargeOf::Customer ? u"c.charge"_s : u"s.charge"_s;
}

} // namespace

PeriodReportStore::PeriodReportStore(cMySQL* db) : StoreSql(db, u"PeriodReportStore"_s) {}

QString PeriodReportStore::salesSql(const SalesFilter& filter)
{
    QString sql = u"SELECT s.dealdate, s.ccode, c.compalias, c.compname, s.pname, s.pnorm, s.code, p.unit, s.qnt, "
                  "s.price, s.tax, s.amount, s.total, s.prnbigo, s.pserial, s.receiptname "
                  "FROM sale AS s, product AS p, customer AS c WHERE s.pcode = p.code AND s.ccode = c.code AND "_s
        + between(filter.from, filter.to) + equals(u"s.ccode"_s, filter.ccode)
        + columnContains(u"s.pserial"_s, filter.serial) + columnContains(u"s.prnbigo"_s, filter.memo)
        + equals(chargeColumn(filter.chargeOf), filter.charge);
    if (!filter.pcode.isEmpty())
        sql += equals(u"s.pcode"_s, filter.pcode);
    else if (!filter.productName.isEmpty())
        sql += u" AND s.pname LIKE "_s + StoreSql::likePattern(filter.productName);
    return sql + equals(u"p.classname"_s, filter.productClass) + kOrder;
}

RecordSetPtr PeriodReportStore::sales(const SalesFilter& filter)
{
    return read(salesSql(filter), u"sales"_s);
}

QString PeriodReportStore::receiptsSql(const ReceiptFilter& filter)
{
    return u"SELECT s.dealdate, s.ccode, c.compalias, s.amount, s.dc, s.bigo, s.code, s.type "
           "FROM receive AS s, customer AS c WHERE s.ccode = c.code AND "_s
        + between(filter.from, filter.to) + equals(u"s.ccode"_s, filter.ccode)
        + equals(chargeColumn(filter.chargeOf), filter.charge) + kOrder;
}

RecordSetPtr PeriodReportStore::receipts(const ReceiptFilter& filter)
{
    return read(receiptsSql(filter), u"receipts"_s);
}

QString PeriodReportStore::graphSql(const GraphFilter& filter)
{
    const bool sales = filter.source == GraphSource::Sales;
    const QString key = filter.grouping == Grouping::Day     ? u"s.dealdate"_s
                        : filter.grouping == Grouping::Month ? u"LEFT(s.dealdate,7)"_s
                                                             : u"LEFT(s.dealdate,4)"_s;
    const QString from = sales ? u"sale AS s WHERE "_s
                               : u"aslist_m AS s, aslist_d AS d WHERE s.code = d.code AND d.isfree = 0 AND "_s;
    return u"SELECT %1, SUM(%2) AS sumval FROM "_s.arg(key, sales ? u"s.total"_s : u"d.amount"_s) + from
        + between(filter.from, filter.to) + equals(sales ? u"s.pcode"_s : u"d.pcode"_s, filter.pcode)
        + u" GROUP BY "_s + key + u" ORDER BY "_s + key;
}

RecordSetPtr PeriodReportStore::graph(const GraphFilter& filter)
{
    return read(graphSql(filter), u"graph"_s);
}

} // namespace asv
