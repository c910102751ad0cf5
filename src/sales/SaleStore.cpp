#include "SaleStore.h"

#include "CustomerBalance.h"
#include "DbTransaction.h"
#include "SqlNumber.h"
#include "StoreSql.h"
#include "ProductPrices.h"
#include "ProductStore.h"
#include "modMath.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

QString q(const QString& text)
{
    return StoreSql::quoted(text);
}

QString monthPattern(const QString& month)
{
    return StoreSql::likePattern(month + u'%');
}

} // namespace

void SaleLine::priceAs(int vatType, const VatOptions& vat)
{
    CalcVAT(vatType, qnt, price, amount, tax, vat);
    total = amount + tax;
}

SaleStore::SaleStore(cMySQL* db) : StoreSql(db, u"SaleStore"_s) {}

SaleChange SaleChange::repriced(int vatType, double qty, double price, double oldAmount, double oldTax)
{
    return repriced(vatType, qty, price, oldAmount, oldTax, VatOptions::current());
}

SaleChange SaleChange::repriced(int vatType, double qty, double price, double oldAmount, double oldTax,
                                const VatOptions& vat)
{
    double amount = 0;
    double tax = 0;
    CalcVAT(vatType, qty, price, amount, tax, vat);
    SaleChange change;
    change.amount = amount - oldAmount;
    change.tax = tax - oldTax;
    return change;
}

void SaleStore::priceLine(SaleLine& line)
{
    line.priceAs(ProductPrices().vatMode(line.ccode, line.pcode), VatOptions::current());
}

RecordSetPtr SaleStore::monthLines(const QString& ccode, const QString& month, const QString& pcode)
{
    QString sql = u"SELECT s.code, s.ccode, s.pcode, s.pname, s.pnorm, s.qnt, s.price, s.tax, s.amount, s.total, "
                  u"s.dealdate, s.dealtime, s.deallistno, s.taxlistno, s.charge, s.prnbigo, p.unit, p.bcode, "
                  u"s.pserial, s.receiptname, s.receiptmemo FROM sale AS s LEFT JOIN product AS p ON s.pcode = p.code "
                  u"WHERE s.ccode = "_s
        + q(ccode) + u" AND s.dealdate LIKE "_s + monthPattern(month);
    if (!pcode.isEmpty())
        sql += u" AND s.pcode = "_s + q(pcode);
    sql += u" ORDER BY s.dealdate, s.dealtime, s.code"_s;
    RecordSetPtr rs;
    DBOpenRS(m_db, rs, sql);
    throwIfFailed(u"monthLines"_s);
    return rs;
}

SaleStore::MonthSums SaleStore::monthSums(const QString& ccode, const QString& month)
{
    const QString where = u" WHERE dealdate LIKE "_s + monthPattern(month) + u" AND ccode = "_s + q(ccode);
    RecordSetPtr rs;
    DBOpenRS(m_db, rs, u"SELECT Sum(amount) AS SSale, Sum(tax) AS SVat, Sum(total) AS STrade FROM sale"_s + where);
    throwIfFailed(u"monthSums"_s);
    MonthSums sums;
    if (rs && rs->rowCount() > 0) {
        sums.sale = rs->value(0, 0).toDouble();
        sums.vat = rs->value(0, 1).toDouble();
        sums.total = rs->value(0, 2).toDouble();
    }
    DBOpenRS(m_db, rs, u"SELECT Sum(amount) AS SAmt, Sum(dc) AS SDc FROM receive"_s + where);
    throwIfFailed(u"monthSums"_s);
    if (rs && rs->rowCount() > 0) {
        sums.received = rs->value(0, 0).toDouble();
        sums.discount = rs->value(0, 1).toDouble();
    }
    sums.balance = value(u"SELECT SUM(nowmoney) AS summoney FROM customer WHERE code = "_s + q(ccode), u"monthSums"_s).toDouble(); // an empty sum reads as ""
    return sums;
}

SaleStore::CustomerInfo SaleStore::customerInfo(const QString& ccode)
{
    RecordSetPtr rs;
    DBOpenRS(m_db, rs, u"SELECT compname, Addr2, ceoname, telno1, Charge, taxmode, hpno, fax FROM customer Where code = "_s
                     + q(ccode));
    throwIfFailed(u"customerInfo"_s);
    CustomerInfo info;
    if (!rs || rs->rowCount() == 0)
        return info;
    info.found = true;
    info.compname = rs->value(0, 0);
    info.addr2 = rs->value(0, 1);
    info.ceoname = rs->value(0, 2);
    info.telno1 = rs->value(0, 3);
    info.charge = rs->value(0, 4);
    info.taxmode = rs->value(0, 5).toInt();
    info.hpno = rs->value(0, 6);
    info.fax = rs->value(0, 7);
    return info;
}

QHash<QString, QString> SaleStore::userNames()
{
    RecordSetPtr rs;
    const int n = DBOpenRS(m_db, rs, u"SELECT code, name FROM local_user"_s);
    throwIfFailed(u"userNames"_s);
    QHash<QString, QString> names;
    for (int row = 0; row < n; ++row)
        names.insert(rs->value(row, 0), rs->value(row, 1));
    return names;
}

QString SaleStore::taxInvoiceOf(int code)
{
    const QString no = DBGetValue(m_db, u"SELECT taxlistno FROM sale WHERE CODE = "_s + QString::number(code));
    throwIfFailed(u"taxInvoiceOf"_s);
    return no;
}

// The customer's row is locked first, so that writes moving one balance queue there instead of
// locking each other in turn.
bool SaleStore::inTransaction(const QString& ccode, const std::function<bool()>& body)
{
    return DbTransaction::run(m_db, [&] { return CustomerBalance(&m_db).lock(ccode) && body(); });
}

// A desk failing between the line and the balance would leave the balance off by the line for
// good, so the two are written together.
int SaleStore::insert(SaleLine& line)
{
    const QString sql =
        u"INSERT INTO sale (ccode, pcode, pname, pnorm, qnt, price, amount, tax, total, dealdate, charge,regucode, "
        u"dealtime, receiptname, receiptmemo) VALUES ( "_s
        + QStringList{q(line.ccode), q(line.pcode), q(line.pname), q(line.pnorm), SqlNumber(line.qnt),
                      SqlNumber(line.price), SqlNumber(line.amount), SqlNumber(line.tax), SqlNumber(line.total),
                      q(line.dealdate), q(line.charge), q(line.regucode), q(line.dealtime), q(line.receiptname),
                      q(line.receiptmemo)}
              .join(u',')
        + u" )"_s;
    int code = 0;
    ProductStore::Hold product = ProductStore::Hold::Held;
    const bool done = inTransaction(line.ccode, [&] {
        product = ProductStore(&m_db).holdFor(line.pcode);
        if (product != ProductStore::Hold::Held || execute(sql) != 1)
            return false;
        code = static_cast<int>(DBInsertId(m_db));
        return CustomerBalance(&m_db).move(line.ccode, line.total);
    });
    if (product == ProductStore::Hold::Gone)
        ProductStore::sayGone();
    line.code = done ? code : 0;
    return line.code;
}

bool SaleStore::update(int code, const QString& ccode, const SaleChange& change)
{
    QStringList set;
    for (const auto& [column, text] : change.texts)
        set << column + u" = "_s + q(text);
    const auto add = [&set](const QString& column, double delta) {
        if (delta != 0)
            set << column + u" = "_s + column + u" + "_s + SqlNumber(delta);
    };
    add(u"qnt"_s, change.qnt);
    add(u"price"_s, change.price);
    add(u"amount"_s, change.amount);
    add(u"tax"_s, change.tax);
    add(u"total"_s, change.total());
    if (set.isEmpty())
        return false;
    const QString sql = u"UPDATE sale SET "_s + set.join(u',') + u" WHERE code = "_s + QString::number(code);
    const auto newProduct = std::find_if(change.texts.cbegin(), change.texts.cend(),
                                         [](const auto& text) { return text.first == u"pcode"_s; });
    if (change.total() == 0 && newProduct == change.texts.cend())
        return execute(sql) > 0;
    // The line and the balance move together (see insert), the line under its new product's hold.
    ProductStore::Hold product = ProductStore::Hold::Held;
    const bool done = inTransaction(ccode, [&] {
        if (newProduct != change.texts.cend())
            product = ProductStore(&m_db).holdFor(newProduct->second);
        return product == ProductStore::Hold::Held && execute(sql) > 0
            && CustomerBalance(&m_db).move(ccode, change.total());
    });
    if (product == ProductStore::Hold::Gone)
        ProductStore::sayGone();
    return done;
}

// The stored total, not the one on screen: another desk may have changed the line meanwhile.
bool SaleStore::remove(int code, const QString& ccode)
{
    const QString where = u" WHERE code = "_s + QString::number(code);
    return inTransaction(ccode, [&] {
        RecordSetPtr rs;
        if (DBOpenRS(m_db, rs, u"SELECT total FROM sale"_s + where + u" FOR UPDATE"_s) != 1)
            return false;
        const double total = rs->value(0, 0).toDouble();
        return execute(u"DELETE FROM sale"_s + where) == 1 && CustomerBalance(&m_db).move(ccode, -total);
    });
}

} // namespace asv
