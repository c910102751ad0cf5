#include "CustomerStore.h"

#include "Clock.h"
#include "CustomerRules.h"
#include "DbTransaction.h"
#include "StoreSql.h"
#include "modMain_SQL.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kTable = u"customer"_s;

// The columns both writes carry, in the order of the insert's column list: the details after the
// code, and the trailing ones after the balances.
const QStringList kDetailColumns =
    StoreSql::columnList(u"compname, compalias, ceoname, compsn, telno1, telno2, telno3, telno4, "
                         u"fax, hpno, charge, taxmode, zipcode, addr1, addr2, status, item"_s);
const QStringList kTrailingColumns = StoreSql::columnList(u"bigo, hidden, email, modelname"_s);

QStringList trailingColumns(bool withEditionColumns)
{
    return withEditionColumns ? kTrailingColumns + CustomerStore::editionColumns() : kTrailingColumns;
}

CustomerRecord forStorage(CustomerRecord c)
{
    c.zipcode = ZipcodeForStorage(c.zipcode);
    return c;
}

QString insertSql(const CustomerRecord& customer, bool withEditionColumns)
{
    CustomerRecord c = forStorage(customer);
    c.regdate = Clock::today().toString(u"yyyy-MM-dd"_s);
    c.nowmoney = c.basemoney;
    const QStringList columns = QStringList{u"code"_s} + kDetailColumns
        + QStringList{u"regdate"_s, u"basemoney"_s, u"nowmoney"_s} + trailingColumns(withEditionColumns);
    return CustomerRecord::fields().insertSql(kTable, columns, c);
}

} // namespace

CustomerStore::CustomerStore(cMySQL* db) : StoreSql(db, u"CustomerStore"_s) {}

QString CustomerStore::bulkInsertHead(const QStringList& columns)
{
    return u"INSERT INTO customer ( "_s + columns.join(u", "_s) + u" ) VALUES "_s;
}

QString CustomerStore::deleteAllSql()
{
    return u"DELETE FROM customer"_s;
}

const QStringList& CustomerStore::editionColumns()
{
    static const QStringList columns = StoreSql::columnList(u"agency, giftname, setupuser, buydate, serialnumber"_s);
    return columns;
}

std::optional<CustomerRecord> CustomerStore::load(const QString& code)
{
    return CustomerRecord::fields().load(*this, kTable, code);
}

bool CustomerStore::codeExists(const QString& code)
{
    return taken(kTable, u"code"_s, code, {}, u"codeExists"_s);
}

QString CustomerStore::nextCode(const QString& prefix)
{
    const QString code = NextCode(m_db, kTable, u"code"_s, kCodeLength, prefix);
    throwIfFailed(u"nextCode"_s);
    return code;
}

bool CustomerStore::nameTaken(const QString& compname, const QString& exceptCode)
{
    return taken(kTable, u"compname"_s, compname, codeOtherThan(exceptCode), u"nameTaken"_s);
}

bool CustomerStore::aliasTaken(const QString& compalias, const QString& exceptCode)
{
    return taken(kTable, u"compalias"_s, compalias, codeOtherThan(exceptCode), u"aliasTaken"_s);
}

long CustomerStore::telephoneCount(const QString& telno, const QString& exceptCode)
{
    const QString t = StoreSql::quoted(telno);
    QString sql = u"SELECT COUNT(*) FROM customer WHERE (telno1 = %1 OR telno2 = %1 OR telno3 = %1 OR telno4 = %1 "
                  u"OR hpno = %1)"_s.arg(t);
    if (!exceptCode.isEmpty())
        sql += u" AND "_s + codeOtherThan(exceptCode);
    const long n = DBGetValue(m_db, sql).toLong();
    throwIfFailed(u"telephoneCount"_s);
    return n;
}

int CustomerStore::insert(const CustomerRecord& customer, bool withEditionColumns)
{
    return execute(insertSql(customer, withEditionColumns));
}

int CustomerStore::insertUnderNextCode(CustomerRecord& customer, const QString& prefix, bool withEditionColumns)
{
    return insertUnderFreeCode(
        customer.code, [this, &prefix] { return nextCode(prefix); },
        [&customer, withEditionColumns](const QString& code) {
            CustomerRecord c = customer;
            c.code = code;
            return insertSql(c, withEditionColumns);
        });
}

int CustomerStore::setCharge(const QString& code, const QString& userCode)
{
    return execute(u"UPDATE customer SET charge = "_s + StoreSql::quoted(userCode) + u" WHERE code = "_s
                   + StoreSql::quoted(code));
}

int CustomerStore::setLastMailed(const QString& code, const QDateTime& when)
{
    return execute(u"UPDATE customer SET lastemaildate = "_s
                   + StoreSql::quoted(when.toString(u"yyyy-MM-dd HH:mm:ss"_s)) + u" WHERE code = "_s
                   + StoreSql::quoted(code));
}

int CustomerStore::update(const CustomerRecord& customer, bool withEditionColumns)
{
    const CustomerRecord c = forStorage(customer);
    // Left to right: the current balance moves by the change before the opening balance is replaced.
    const QStringList columns =
        kDetailColumns + QStringList{u"nowmoney"_s, u"basemoney"_s} + trailingColumns(withEditionColumns);
    const auto& fields = CustomerRecord::fields();
    return execute(fields.updateSql(kTable, columns, c, u"code"_s,
                          {{u"nowmoney"_s, u"nowmoney - basemoney + "_s + fields.sqlValue(u"basemoney"_s, c)}}));
}

const QList<CodeReference>& CustomerStore::references()
{
    static const QList<CodeReference> refs{
        {u"sale"_s, u"ccode"_s, u"매출전표(샘플출고)"_s},
        {u"receive"_s, u"ccode"_s, u"입금전표"_s},
        {u"rsvconsult"_s, u"ccode"_s, u"상담내역"_s},
        {u"aslist_m"_s, u"ccode"_s, u"AS 내역"_s},
    };
    return refs;
}

// A desk storing a sale locks the customer's row first. The delete does the same before it asks
// for documents, so a sale being stored is waited for and then found, never left without its
// customer. Which document holds it is said once the lock is let go: a message must not keep the
// other desks' sales waiting.
bool CustomerStore::remove(const QString& code)
{
    return CodeReference::removeUnlessHeld(m_db, u"CustomerStore"_s, kTable, code, references());
}

} // namespace asv
