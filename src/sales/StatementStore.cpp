#include "StatementStore.h"

#include "OfficeStore.h"
#include "StoreSql.h"
#include "RecordSet.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

QString joinedAddress(const QString& a, const QString& b)
{
    return (a.trimmed() + u' ' + b.trimmed()).trimmed();
}

} // namespace

StatementStore::StatementStore(cMySQL* db) : StoreSql(db, u"StatementStore"_s) {}

double StatementStore::balanceBefore(const QString& ccode, const QString& date)
{
    const QString c = StoreSql::quoted(ccode);
    const QString d = StoreSql::quoted(date);
    return value(u"SELECT (SELECT basemoney FROM customer WHERE code = "_s + c
                     + u") + (SELECT IFNULL(SUM(total), 0) FROM sale WHERE ccode = "_s + c + u" AND dealdate < "_s + d
                     + u") + (SELECT IFNULL(SUM(d.amount), 0) FROM aslist_m AS s, aslist_d AS d WHERE s.code = d.code "
                       u"AND d.isfree = 0 AND s.ccode = "_s
                     + c + u" AND s.dealdate < "_s + d + u") - (SELECT IFNULL(SUM(amount + dc), 0) FROM receive "
                                                            u"WHERE ccode = "_s
                     + c + u" AND dealdate < "_s + d + u')',
                 u"balanceBefore"_s).toDouble();
}

double StatementStore::receivedWithin(const QString& ccode, const QString& from, const QString& to)
{
    return value(u"SELECT IFNULL(SUM(amount + dc), 0) FROM receive WHERE ccode = "_s + StoreSql::quoted(ccode)
                     + u" AND dealdate BETWEEN "_s + StoreSql::quoted(from) + u" AND "_s + StoreSql::quoted(to),
                 u"receivedWithin"_s).toDouble();
}

Statement StatementStore::forPeriod(const QString& ccode, const QString& from, const QString& to)
{
    Statement s = statement(ccode, u"dealdate BETWEEN "_s + StoreSql::quoted(from) + u" AND "_s + StoreSql::quoted(to));
    s.from = from;
    s.to = to;
    // Charged AS work is owed like a sale, so a period's statement lists it too.
    const RecordSetPtr as = read(
        u"SELECT s.dealdate, p.name, p.norm, d.amount FROM aslist_m AS s, aslist_d AS d, product AS p WHERE s.code = d.code "
        u"AND d.isfree = 0 AND d.pcode = p.code AND s.ccode = "_s
            + StoreSql::quoted(ccode) + u" AND s.dealdate BETWEEN "_s + StoreSql::quoted(from) + u" AND "_s
            + StoreSql::quoted(to) + u" ORDER BY s.dealdate, d.code, d.seq"_s, u"forPeriod"_s);
    for (int row = 0; row < as->rowCount(); ++row) {
        const double amount = as->value(row, u"amount"_s).toDouble();
        const QString norm = as->value(row, u"norm"_s);
        s.lines.append({as->value(row, u"dealdate"_s), as->value(row, u"name"_s),
                        norm.isEmpty() ? u"A/S"_s : u"A/S "_s + norm, 1, amount, amount, 0});
    }
    std::stable_sort(s.lines.begin(), s.lines.end(),
                     [](const StatementLine& a, const StatementLine& b) { return a.date < b.date; });
    s.previousBalance = balanceBefore(ccode, from);
    s.received = receivedWithin(ccode, from, to);
    return s;
}

Statement StatementStore::forLines(const QString& ccode, const QList<int>& codes)
{
    QStringList numbers;
    for (int code : codes)
        numbers.append(QString::number(code));
    Statement s = statement(ccode, u"code IN ("_s + (numbers.isEmpty() ? u"0"_s : numbers.join(u',')) + u')');
    if (s.lines.isEmpty())
        return s;
    s.from = s.lines.first().date;
    s.to = s.lines.last().date;
    s.previousBalance = balanceBefore(ccode, s.from);
    s.received = receivedWithin(ccode, s.from, s.to);
    return s;
}

RecordSetPtr StatementStore::invoiceLines(const QString& from, const QString& to, const QString& ccode)
{
    return read(
        u"SELECT s.dealdate, s.taxlistno, c.compname, c.compsn, s.pname, s.pnorm, s.qnt, s.price, s.amount, s.tax, "
        u"s.total FROM sale AS s, customer AS c WHERE s.ccode = c.code AND s.taxlistno <> '' AND s.dealdate BETWEEN "_s
            + StoreSql::quoted(from) + u" AND "_s + StoreSql::quoted(to)
            + (ccode.isEmpty() ? QString() : u" AND s.ccode = "_s + StoreSql::quoted(ccode))
            + u" ORDER BY s.dealdate, s.dealtime, s.code"_s, u"invoiceLines"_s);
}

QStringList StatementStore::invoiceLineCaptions()
{
    return {u"일자"_s, u"계산서번호"_s, u"거래처"_s, u"사업자번호"_s, u"상품명"_s, u"규격"_s,
            u"수량"_s, u"단가"_s,       u"공급가액"_s, u"세액"_s,      u"합계"_s};
}

Statement StatementStore::statement(const QString& ccode, const QString& lineCondition)
{
    Statement s;
    s.ccode = ccode;
    const OfficeStore::Record office = OfficeStore(&m_db).load();
    s.supplier = {office.value(u"compname"_s), office.value(u"compsn"_s),  office.value(u"ceoname"_s),
                  joinedAddress(office.value(u"addr1"_s), office.value(u"addr2"_s)),
                  office.value(u"status"_s),   office.value(u"item"_s),    office.value(u"telno1"_s)};

    const RecordSetPtr customer =
        read(u"SELECT compname, compsn, ceoname, addr1, addr2, status, item, telno1, email FROM customer "
             u"WHERE code = "_s
                 + StoreSql::quoted(ccode), u"read"_s);
    if (customer->rowCount() > 0) {
        auto v = [&](const char16_t* col) { return customer->value(0, QString::fromUtf16(col)); };
        s.recipient = {v(u"compname"), v(u"compsn"), v(u"ceoname"), joinedAddress(v(u"addr1"), v(u"addr2")),
                       v(u"status"),   v(u"item"),   v(u"telno1")};
        s.email = v(u"email").trimmed();
    }

    const RecordSetPtr rs = read(
        u"SELECT dealdate, pname, pnorm, qnt, price, amount, tax FROM sale WHERE ccode = "_s + StoreSql::quoted(ccode)
            + u" AND "_s + lineCondition + u" ORDER BY dealdate, dealtime, code"_s, u"read"_s);
    for (int row = 0; row < rs->rowCount(); ++row) {
        s.lines.append({rs->value(row, u"dealdate"_s), rs->value(row, u"pname"_s), rs->value(row, u"pnorm"_s),
                        rs->value(row, u"qnt"_s).toDouble(), rs->value(row, u"price"_s).toDouble(),
                        rs->value(row, u"amount"_s).toDouble(), rs->value(row, u"tax"_s).toDouble()});
    }
    return s;
}

} // namespace asv
