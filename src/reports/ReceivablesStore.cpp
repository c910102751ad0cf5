#include "ReceivablesStore.h"

#include "CodeKey.h"
#include "CodeRows.h"
#include "ReceivablesMonthSplit.h"
#include "ReportDatabase.h"
#include "StoreSql.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <charconv>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kTable = u"balnlist"_s;

QString dateText(const QDate& date)
{
    return date.toString(u"yyyy-MM-dd"_s);
}

// Sales, charged AS lines and payments with discounts of the customers in a date range, per
// customer: the three sums every balance is made of. extraColumn adds a grouping (the month).
// The documents lead the join: left to itself the server walks the customers and reaches each
// one's lines through the index, twice as slow as reading the covering index in order.
QStringList documentSums(const QString& range, const QString& condition, bool paymentsNegated,
                         const QString& extraColumn = {})
{
    const QString group = extraColumn.isEmpty() ? u" GROUP BY s.ccode"_s : u" GROUP BY s.ccode, 2"_s;
    const QString column = extraColumn.isEmpty() ? QString() : extraColumn + u", "_s;
    return {u"SELECT s.ccode, "_s + column + u"SUM(s.total) FROM sale AS s STRAIGHT_JOIN customer AS c WHERE s.ccode = c.code"
                u" AND s.dealdate BETWEEN "_s + range + condition + group,
            u"SELECT s.ccode, "_s + column + u"SUM(d.amount) FROM aslist_m AS s STRAIGHT_JOIN aslist_d AS d STRAIGHT_JOIN customer AS c"
                u" WHERE s.code = d.code AND s.ccode = c.code AND s.dealdate BETWEEN "_s + range
                + u" AND d.isfree = 0"_s + condition + group,
            u"SELECT s.ccode, "_s + column + (paymentsNegated ? u"SUM(s.amount + s.dc)*-1"_s : u"SUM(s.amount+s.dc)"_s)
                + u" FROM receive AS s STRAIGHT_JOIN customer AS c"
                u" WHERE s.ccode = c.code AND s.dealdate BETWEEN "_s + range + condition + group};
}

// The customer row of each sum, -1 where there is none (no such customer, or a NULL sum). The server
// grouped a customer's documents under whichever spelling of its code it met first.
std::vector<int> owners(const RecordSet& sums, const RecordSet& customers, const CodeRows& customerRows)
{
    std::vector<int> rows(static_cast<size_t>(sums.rowCount()), -1);
    for (int row = 0; row < sums.rowCount(); ++row) {
        const int customer = customerRows.row(sums.bytes(row, 0));
        if (customer >= 0 && !customers.bytes(customer, 0).isEmpty() && !sums.isNull(row, 1))
            rows[static_cast<size_t>(row)] = customer;
    }
    return rows;
}

// The sums of the given customers under the customers' own codes, as the scratch store compares
// codes exactly; the bytes are passed on as the server sent them.
RecordSetPtr underCustomerCodes(const RecordSet& sums, const std::vector<int>& owners, const RecordSet& customers,
                                const std::vector<bool>& wanted)
{
    auto keyed = std::make_shared<RecordSet>();
    keyed->setFields({u"ccode"_s, u"sumval"_s});
    for (int row = 0; row < sums.rowCount(); ++row) {
        const int customer = owners[static_cast<size_t>(row)];
        if (customer < 0 || !wanted[static_cast<size_t>(customer)])
            continue;
        const QByteArrayView code = customers.bytes(customer, 0);
        const QByteArrayView sum = sums.bytes(row, 1);
        const char* const values[] = {code.data(), sum.data()};
        const unsigned long lengths[] = {static_cast<unsigned long>(code.size()), static_cast<unsigned long>(sum.size())};
        keyed->appendRow(values, lengths);
    }
    keyed->finish();
    return keyed;
}

// A sum as the server sent it, read without making a text of it first: the report reads tens of
// thousands of them.
double sumValue(QByteArrayView bytes)
{
    double value = 0;
    std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
    return value;
}

// A scratch column with one sum added, rounded as every addition is; unchanged when the sum is NULL.
QString added(const QString& column, int parameter, int decimals)
{
    return u"CASE WHEN ?%2 IS NULL THEN %1 ELSE ROUND(%1 + ?%2, %3) END"_s.arg(column, QString::number(parameter),
                                                                               QString::number(decimals));
}

QString range(const QString& from, const QString& to)
{
    return StoreSql::quoted(from) + u" AND "_s + StoreSql::quoted(to);
}

} // namespace

ReceivablesStore::ReceivablesStore(cMySQL* db) : StoreSql(db, u"ReceivablesStore"_s) {}

QString ReceivablesStore::customerCondition(const Filter& filter)
{
    QString condition;
    if (!filter.ccode.isEmpty())
        condition += u" AND c.code = "_s + StoreSql::quoted(filter.ccode);
    if (!filter.charge.isEmpty())
        condition += u" AND c.charge = "_s + StoreSql::quoted(filter.charge);
    return condition;
}

QStringList ReceivablesStore::sourceStatements(const Filter& filter)
{
    const QString condition = customerCondition(filter);
    // Only the customers read first get a scratch row, so the sums are limited to them as well.
    return QStringList{u"SELECT c.code, c.compname, c.compalias, c.telno1, c.ceoname, c.addr1, c.addr2, c.bigo,"
                       u" u.name AS uname, c.basemoney AS basebaln FROM customer AS c, local_user AS u"
                       u" WHERE c.charge = u.code"_s + condition}
           + documentSums(range(u"0000-00-00"_s, dateText(filter.from.addDays(-1))), condition, true)
           + documentSums(range(dateText(filter.from), dateText(filter.to)), condition, false);
}

RecordSetPtr ReceivablesStore::CreateReport(const Filter& filter, ReportDatabase& db)
{
    const QStringList statements = sourceStatements(filter);
    const RecordSetPtr customers = read(statements[0], u"CreateReport"_s);
    const CodeRows customerRows(*customers, customers->fieldName(0));
    const auto count = static_cast<size_t>(customers->rowCount());
    // Each customer's sums go into its scratch row as it is inserted, one per statement. One with
    // two sums in a statement takes them one by one afterwards, in the order they always were.
    QList<QList<std::optional<double>>> numbers(customers->rowCount(), QList<std::optional<double>>(6));
    std::vector<bool> oneByOne(count, false);
    QList<RecordSetPtr> sums;
    QList<std::vector<int>> sumOwners;
    for (const QString& sql : statements.mid(1)) {
        sums << read(sql, u"CreateReport"_s);
        sumOwners << owners(*sums.last(), *customers, customerRows);
        const qsizetype statement = sums.size() - 1;
        for (int row = 0; row < sums.last()->rowCount(); ++row) {
            if (const int customer = sumOwners.last()[static_cast<size_t>(row)]; customer >= 0) {
                std::optional<double>& number = numbers[customer][statement];
                oneByOne[static_cast<size_t>(customer)] = oneByOne[static_cast<size_t>(customer)] || number.has_value();
                number = sumValue(sums.last()->bytes(row, 1));
            }
        }
    }
    for (size_t customer = 0; customer < count; ++customer) {
        if (oneByOne[customer])
            numbers[static_cast<qsizetype>(customer)] = QList<std::optional<double>>(6);
    }
    const int d = filter.decimals;

    db.begin();
    try {
        db.ClearTable(kTable);
        db.executeEach(u"INSERT INTO balnlist (ccode, cname, calias, tel, ceoname, addr1, addr2, bigo, prebaln, dname,"
                       u" tot, tot2, recv) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, %1, ?10, %2, %3, %4)"_s.arg(
                           added(added(added(u"?9"_s, 11, d), 12, d), 13, d), added(u"0"_s, 14, d),
                           added(u"0"_s, 15, d), added(u"0"_s, 16, d)),
                       *customers, {0, 1, 2, 3, 4, 5, 6, 7, 9, 8}, numbers);
        const QStringList columns = {u"prebaln"_s, u"prebaln"_s, u"prebaln"_s, u"tot"_s, u"tot2"_s, u"recv"_s};
        for (qsizetype statement = 0; statement < sums.size(); ++statement) {
            const RecordSetPtr keyed = underCustomerCodes(*sums[statement], sumOwners[statement], *customers, oneByOne);
            if (keyed->rowCount() > 0)
                db.RPTUpdate(*keyed, kTable, u"ccode"_s, columns[statement], d);
        }
        // Rounded again so that decimals leave no trace of binary fractions behind "baln <> 0".
        db.execute(u"UPDATE balnlist SET baln = ROUND(prebaln + tot + tot2 - recv, %1)"_s.arg(d));
        db.commit();
    } catch (...) {
        db.rollback();
        throw;
    }
    return db.query(listingSql(filter));
}

QString ReceivablesStore::listingSql(const Filter& filter)
{
    QStringList conditions;
    if (filter.movedOnly)
        conditions << u" (prebaln<>0 OR tot<>0 OR tot2<>0 OR recv<>0)"_s;
    if (!filter.withZero)
        conditions << u" baln <> 0"_s;
    QString sql = u"SELECT ccode, cname, calias, tel, ceoname, addr1, addr2, bigo, prebaln, suply, vat, dc, tot, tot2,"
                  u" recv, baln, dname FROM balnlist"_s;
    if (!conditions.isEmpty())
        sql += u" WHERE"_s + conditions.join(u" AND"_s);
    return sql + (filter.byAlias ? u" ORDER BY calias, ccode"_s : u" ORDER BY ccode"_s);
}

QString ReceivablesStore::mobileNumber(const QString& ccode)
{
    const RecordSetPtr rs = read(u"SELECT hpno FROM customer WHERE code = "_s + StoreSql::quoted(ccode), u"mobileNumber"_s);
    return rs->rowCount() > 0 ? rs->value(0, 0) : QString();
}

QHash<QString, QList<FixedMoney>> ReceivablesStore::monthSplit(const Filter& filter, int count,
                                                               const RecordSet& listing)
{
    const QStringList months = ReceivablesMonthSplit::months(filter.from, count);
    QHash<QString, QList<FixedMoney>> split;
    if (months.isEmpty())
        return split;
    const QString window = range(months.first() + u"-01"_s, dateText(filter.from.addDays(-1)));
    QHash<QString, QList<ReceivablesMonthSplit::Movement>> movements;
    for (const QString& sql : documentSums(window, customerCondition(filter), true, u"LEFT(s.dealdate, 7)"_s)) {
        const RecordSetPtr rs = read(sql, u"monthSplit"_s);
        for (int row = 0; row < rs->rowCount(); ++row) {
            const qsizetype month = months.indexOf(rs->value(row, 1));
            const FixedMoney sum = FixedMoney::parse(rs->value(row, 2)).value_or(FixedMoney());
            if (month < 0 || sum.isZero())
                continue;
            auto& perMonth = movements[CodeKey::of(rs->value(row, 0))];
            perMonth.resize(months.size());
            // Payments come negated: whatever lowers the balance is a credit of its month.
            if (sum > FixedMoney())
                perMonth[month].debits += sum;
            else
                perMonth[month].credits -= sum;
        }
    }
    for (int row = 0; row < listing.rowCount(); ++row) {
        const QString ccode = listing.value(row, u"ccode"_s);
        QList<ReceivablesMonthSplit::Movement> own = movements.value(CodeKey::of(ccode));
        own.resize(months.size());
        split.insert(ccode, ReceivablesMonthSplit::split(
                                FixedMoney::parse(listing.value(row, u"prebaln"_s)).value_or(FixedMoney()), own));
    }
    return split;
}

} // namespace asv
