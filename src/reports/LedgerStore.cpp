#include "LedgerStore.h"

#include "StoreSql.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace asv {

namespace {


// The documents are not joined to the customers: the merge keeps the lines of the customers it
// lists, so the hidden ones drop out there, and a year of the whole book is read straight through
// instead of with a key look-up per line.
QString documentCustomer(const LedgerStore::Filter& filter)
{
    return filter.ccode.isEmpty() ? QString() : u" AND s.ccode = "_s + StoreSql::quoted(filter.ccode);
}

QString periodCondition(const LedgerStore::Filter& filter)
{
    if (!filter.period)
        return {};
    return u" AND s.dealdate BETWEEN %1 AND %2"_s.arg(StoreSql::quoted(filter.from), StoreSql::quoted(filter.to));
}

QString lineConditions(const LedgerStore::Filter& filter)
{
    return periodCondition(filter) + documentCustomer(filter);
}

const QString kAsItemsFrom = u" FROM aslist_m AS s, aslist_d AS d WHERE s.code = d.code AND d.isfree = 0"_s;

const QString kSaleLines = u"SELECT s.ccode, s.dealdate, s.code, s.pcode, s.prnbigo, s.pname, s.pnorm, s.price, s.qnt, "
                           "s.total FROM sale AS s WHERE 1=1"_s;

// Sale numbers grow with the dates, so a period's lines lie in one stretch of the table: bounded
// by the dates' first and last number (from the date index alone) the server reads that stretch
// instead of every sale, half the pages for the last year of two.
QString boundedSaleLines(const QString& dates)
{
    const QString numbers = u" FROM sale WHERE "_s + dates + u")"_s;
    return kSaleLines + u" AND "_s + dates + u" AND s.code BETWEEN (SELECT MIN(code)"_s + numbers
        + u" AND (SELECT MAX(code)"_s + numbers;
}

} // namespace

LedgerStore::LedgerStore(cMySQL* db) : StoreSql(db, u"LedgerStore"_s) {}

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
        + (filter.ccode.isEmpty() ? u" AND c.hidden = 0"_s : u" AND c.code = "_s + StoreSql::quoted(filter.ccode))
        + u" ORDER BY compalias, code"_s;
}

QString LedgerStore::carriedSql(const Filter& filter)
{
    const QString upTo = u" AND s.dealdate <= "_s + StoreSql::quoted(filter.cutoff()) + documentCustomer(filter);
    return u"SELECT s.ccode, SUM(s.total) AS sumtot FROM sale AS s WHERE 1=1"_s + upTo
        + u" GROUP BY s.ccode UNION ALL SELECT s.ccode, SUM(d.amount) AS sumtot"_s + kAsItemsFrom + upTo
        + u" GROUP BY s.ccode UNION ALL SELECT s.ccode, SUM(s.amount + s.dc)*-1 AS sumtot FROM receive AS s WHERE 1=1"_s
        + upTo + u" GROUP BY s.ccode"_s;
}

QStringList LedgerStore::salesSql(const Filter& filter)
{
    if (!filter.period || !filter.ccode.isEmpty())
        return {kSaleLines + lineConditions(filter)};
    const QDate from = QDate::fromString(filter.from, u"yyyy-MM-dd"_s);
    const QDate to = QDate::fromString(filter.to, u"yyyy-MM-dd"_s);
    const QString quotedFrom = StoreSql::quoted(filter.from);
    const QString quotedTo = StoreSql::quoted(filter.to);
    if (!from.isValid() || !to.isValid() || from >= to)
        return {boundedSaleLines(u"dealdate BETWEEN %1 AND %2"_s.arg(quotedFrom, quotedTo))};
    // Split as text, so that a date not written as the calendar's falls into one of the halves.
    const QString second = StoreSql::quoted(from.addDays(from.daysTo(to) / 2 + 1).toString(u"yyyy-MM-dd"_s));
    return {boundedSaleLines(u"dealdate >= %1 AND dealdate < %2"_s.arg(quotedFrom, second)),
            boundedSaleLines(u"dealdate >= %1 AND dealdate <= %2"_s.arg(second, quotedTo))};
}

QString LedgerStore::asItemsSql(const Filter& filter)
{
    return u"SELECT s.ccode, s.dealdate, s.code, d.pcode, d.amount"_s + kAsItemsFrom + lineConditions(filter);
}

QString LedgerStore::productsSql(const Filter& filter)
{
    const QString all = u"SELECT p.code, p.name, p.norm, p.unit FROM product AS p"_s;
    if (filter.ccode.isEmpty())
        return all;
    // One customer names a handful of the products.
    return all + u", (SELECT s.pcode FROM sale AS s WHERE 1=1"_s + lineConditions(filter)
        + u" UNION SELECT d.pcode"_s + kAsItemsFrom + lineConditions(filter) + u") AS u WHERE p.code = u.pcode"_s;
}

QString LedgerStore::creditsSql(const Filter& filter)
{
    return u"SELECT s.ccode, s.dealdate, s.code, s.type, s.amount+s.dc AS amount, s.bigo FROM receive AS s WHERE 1=1"_s
        + lineConditions(filter);
}

QStringList LedgerStore::statements(const Filter& filter)
{
    return QStringList{customersSql(filter), carriedSql(filter)} + salesSql(filter)
        + QStringList{asItemsSql(filter), productsSql(filter), creditsSql(filter)};
}

RecordSetPtr LedgerStore::customers(const Filter& filter)
{
    return read(customersSql(filter), u"customers"_s);
}

RecordSetPtr LedgerStore::carried(const Filter& filter)
{
    return read(carriedSql(filter), u"carried"_s);
}

LedgerStore::Debits LedgerStore::debits(const Filter& filter)
{
    Debits debits{{}, read(asItemsSql(filter), u"asItems"_s), read(productsSql(filter), u"products"_s)};
    for (const QString& sql : salesSql(filter))
        debits.sales << read(sql, u"sales"_s);
    return debits;
}

RecordSetPtr LedgerStore::credits(const Filter& filter)
{
    return read(creditsSql(filter), u"credits"_s);
}

} // namespace asv
