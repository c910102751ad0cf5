#include "CustomerStore.h"

#include "Clock.h"
#include "CustomerRules.h"
#include "DbError.h"
#include "SqlNumber.h"
#include "modMain_SQL.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kTable = u"customer"_s;

QString quoted(const QString& text)
{
    return u'\'' + SQLQuote(text) + u'\'';
}

QString flag(bool on)
{
    return on ? u"1"_s : u"0"_s;
}

QString exceptCondition(const QString& exceptCode)
{
    return exceptCode.isEmpty() ? QString() : u"code <> "_s + quoted(exceptCode);
}

void throwIfFailed(const QString& operation)
{
    if (DBLastFailed())
        throw DbError(static_cast<long>(DBLastErrno()), u"CustomerStore::"_s + operation,
                      u"고객 자료를 읽지 못했습니다."_s);
}

// The columns both writes carry, in the order of the insert's column list after code.
QList<std::pair<QString, QString>> commonValues(const CustomerRecord& c)
{
    return {
        {u"compname"_s, quoted(c.compname)}, {u"compalias"_s, quoted(c.compalias)}, {u"ceoname"_s, quoted(c.ceoname)},
        {u"compsn"_s, quoted(c.compsn)},     {u"telno1"_s, quoted(c.telno1)},       {u"telno2"_s, quoted(c.telno2)},
        {u"telno3"_s, quoted(c.telno3)},     {u"telno4"_s, quoted(c.telno4)},       {u"fax"_s, quoted(c.fax)},
        {u"hpno"_s, quoted(c.hpno)},         {u"charge"_s, quoted(c.charge)},
        {u"taxmode"_s, QString::number(c.taxmode)},
        {u"zipcode"_s, quoted(ZipcodeForStorage(c.zipcode))},
        {u"addr1"_s, quoted(c.addr1)},       {u"addr2"_s, quoted(c.addr2)},         {u"status"_s, quoted(c.status)},
        {u"item"_s, quoted(c.item)},
    };
}

QList<std::pair<QString, QString>> trailingValues(const CustomerRecord& c, bool withEditionColumns)
{
    QList<std::pair<QString, QString>> values{
        {u"bigo"_s, quoted(c.bigo)},
        {u"hidden"_s, flag(c.hidden)},
        {u"email"_s, quoted(c.email)},
        {u"modelname"_s, quoted(c.modelname)},
    };
    if (withEditionColumns) {
        values += {{u"agency"_s, quoted(c.agency)},
                   {u"giftname"_s, quoted(c.giftname)},
                   {u"setupuser"_s, quoted(c.setupuser)},
                   {u"buydate"_s, quoted(c.buydate)},
                   {u"serialnumber"_s, quoted(c.serialnumber)}};
    }
    return values;
}

int execute(const QString& sql)
{
    int affected = 0;
    DBExecute(sql, false, &affected);
    return DBLastFailed() ? 0 : affected;
}

} // namespace

std::optional<CustomerRecord> CustomerStore::load(const QString& code)
{
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT * FROM customer WHERE code = "_s + quoted(code));
    throwIfFailed(u"load"_s);
    if (!rs || rs->eof())
        return std::nullopt;
    CustomerRecord c;
    c.code = rs->field(u"code"_s);
    c.compname = rs->field(u"compname"_s);
    c.compalias = rs->field(u"compalias"_s);
    c.ceoname = rs->field(u"ceoname"_s);
    c.compsn = rs->field(u"compsn"_s);
    c.telno1 = rs->field(u"telno1"_s);
    c.telno2 = rs->field(u"telno2"_s);
    c.telno3 = rs->field(u"telno3"_s);
    c.telno4 = rs->field(u"telno4"_s);
    c.fax = rs->field(u"fax"_s);
    c.hpno = rs->field(u"hpno"_s);
    c.charge = rs->field(u"charge"_s);
    c.taxmode = rs->field(u"taxmode"_s).toInt();
    c.zipcode = rs->field(u"zipcode"_s);
    c.addr1 = rs->field(u"addr1"_s);
    c.addr2 = rs->field(u"addr2"_s);
    c.status = rs->field(u"status"_s);
    c.item = rs->field(u"item"_s);
    c.regdate = rs->field(u"regdate"_s);
    c.basemoney = rs->field(u"basemoney"_s).toDouble();
    c.nowmoney = rs->field(u"nowmoney"_s).toDouble();
    c.bigo = rs->field(u"bigo"_s);
    c.hidden = rs->field(u"hidden"_s).toInt() != 0;
    c.email = rs->field(u"email"_s);
    c.modelname = rs->field(u"modelname"_s);
    c.agency = rs->field(u"agency"_s);
    c.giftname = rs->field(u"giftname"_s);
    c.setupuser = rs->field(u"setupuser"_s);
    c.buydate = rs->field(u"buydate"_s);
    c.serialnumber = rs->field(u"serialnumber"_s);
    CloseRS(rs);
    return c;
}

bool CustomerStore::codeExists(const QString& code)
{
    const bool exists = DBCheckDup(kTable, u"code"_s, code);
    throwIfFailed(u"codeExists"_s);
    return exists;
}

QString CustomerStore::nextCode(const QString& prefix)
{
    const QString code = NextCode(kTable, u"code"_s, kCodeLength, prefix);
    throwIfFailed(u"nextCode"_s);
    return code;
}

bool CustomerStore::nameTaken(const QString& compname, const QString& exceptCode)
{
    const bool taken = DBCheckDup(kTable, u"compname"_s, compname, exceptCondition(exceptCode));
    throwIfFailed(u"nameTaken"_s);
    return taken;
}

bool CustomerStore::aliasTaken(const QString& compalias, const QString& exceptCode)
{
    const bool taken = DBCheckDup(kTable, u"compalias"_s, compalias, exceptCondition(exceptCode));
    throwIfFailed(u"aliasTaken"_s);
    return taken;
}

long CustomerStore::telephoneCount(const QString& telno, const QString& exceptCode)
{
    const QString t = quoted(telno);
    QString sql = u"SELECT COUNT(*) FROM customer WHERE (telno1 = %1 OR telno2 = %1 OR telno3 = %1 OR telno4 = %1 "
                  u"OR hpno = %1)"_s.arg(t);
    if (!exceptCode.isEmpty())
        sql += u" AND "_s + exceptCondition(exceptCode);
    const long n = DBGetValue(sql).toLong();
    throwIfFailed(u"telephoneCount"_s);
    return n;
}

int CustomerStore::insert(const CustomerRecord& customer, bool withEditionColumns)
{
    const QString base = SqlNumber(customer.basemoney);
    QStringList columns{u"code"_s};
    QStringList values{quoted(customer.code)};
    auto append = [&](const QList<std::pair<QString, QString>>& pairs) {
        for (const auto& [column, value] : pairs) {
            columns << column;
            values << value;
        }
    };
    append(commonValues(customer));
    append({{u"regdate"_s, quoted(Clock::today().toString(u"yyyy-MM-dd"_s))},
            {u"basemoney"_s, base},
            {u"nowmoney"_s, base}});
    append(trailingValues(customer, withEditionColumns));
    return execute(u"INSERT INTO customer ("_s + columns.join(u", "_s) + u") VALUES ("_s + values.join(u", "_s)
                   + u')');
}

int CustomerStore::update(const CustomerRecord& customer, bool withEditionColumns)
{
    const QString base = SqlNumber(customer.basemoney);
    QStringList assignments;
    auto append = [&](const QList<std::pair<QString, QString>>& pairs) {
        for (const auto& [column, value] : pairs)
            assignments << column + u" = "_s + value;
    };
    append(commonValues(customer));
    // Left to right: the current balance moves by the change before the opening balance is replaced.
    append({{u"nowmoney"_s, u"nowmoney - basemoney + "_s + base}, {u"basemoney"_s, base}});
    append(trailingValues(customer, withEditionColumns));
    return execute(u"UPDATE customer SET "_s + assignments.join(u", "_s) + u" WHERE code = "_s
                   + quoted(customer.code));
}

bool CustomerStore::remove(const QString& code)
{
    const QList<std::pair<QString, QString>> users{
        {u"sale"_s, u"매출전표(샘플출고)"_s},
        {u"receive"_s, u"입금전표"_s},
        {u"rsvconsult"_s, u"상담내역"_s},
    };
    for (const auto& [table, label] : users) {
        if (IsUsedData(table, u"ccode"_s, code, true, {}, label))
            return false;
    }
    if (execute(u"DELETE FROM customer WHERE code = "_s + quoted(code)) > 0)
        return true;
    MsgWarn(u"자료를 삭제 할 수 없습니다."_s + vbCrLf + vbCrLf + u"이미 삭제되었거나, 삭제할 수 없는 경우가 발생했습니다."_s);
    return false;
}

} // namespace asv
