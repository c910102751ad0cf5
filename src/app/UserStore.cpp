#include "UserStore.h"

#include "StoreSql.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kTable = u"local_user"_s;

} // namespace

UserStore::UserStore(cMySQL* db) : StoreSql(db, u"UserStore"_s) {}

QString UserStore::loginPassword(const QString& loginId)
{
    return DBGetValue(m_db, u"SELECT loginpwd FROM local_user WHERE loginid = "_s + StoreSql::quoted(loginId));
}

std::optional<UserRecord> UserStore::byLoginId(const QString& loginId)
{
    RecordSetPtr rs;
    if (DBOpenRS(m_db, rs, u"SELECT u.code, u.name FROM local_user AS u WHERE loginid = "_s + StoreSql::quoted(loginId)) <= 0
        || !rs || rs->eof())
        return std::nullopt;
    UserRecord user;
    user.code = rs->field(u"code"_s);
    user.name = rs->field(u"name"_s);
    user.loginId = loginId;
    CloseRS(rs);
    return user;
}

std::optional<UserRecord> UserStore::load(const QString& code)
{
    RecordSetPtr rs;
    if (DBOpenRS(m_db, rs, u"SELECT * FROM local_user WHERE code = "_s + StoreSql::quoted(code)) <= 0 || !rs || rs->eof())
        return std::nullopt;
    UserRecord u = UserRecord::fields().fromRow(*rs);
    CloseRS(rs);
    return u;
}

bool UserStore::isConsultant(const QString& code)
{
    return DBGetValue(m_db, u"SELECT consult FROM local_user WHERE code = "_s + StoreSql::quoted(code)) == u"1"_s;
}

bool UserStore::codeExists(const QString& code)
{
    return DBCheckDup(m_db, kTable, u"code"_s, code);
}

bool UserStore::loginIdTaken(const QString& loginId, const QString& exceptCode)
{
    return DBCheckDup(m_db, kTable, u"loginid"_s, loginId, StoreSql::codeOtherThan(exceptCode));
}

QString UserStore::nextCode(const QString& prefix)
{
    return NextCode(m_db, kTable, u"code"_s, 2, prefix);
}

int UserStore::insert(const UserRecord& user)
{
    // consult is left to its column default: a new user is no consultant until edited.
    return DBExecute(m_db, UserRecord::fields().insertSql(
        kTable, u"code, loginid, name, loginpwd, serial, zipcode, addr1, addr2, telno, hpno, bigo, pdause"_s.split(u", "_s),
        user));
}

int UserStore::update(const UserRecord& user)
{
    return DBExecute(m_db, UserRecord::fields().updateSql(
        kTable,
        u"name, loginid, loginpwd, serial, zipcode, addr1, addr2, telno, hpno, bigo, pdause, consult"_s.split(u", "_s),
        user, u"code"_s));
}

int UserStore::remove(const QString& code)
{
    return DBExecute(m_db, u"DELETE FROM local_user WHERE code = "_s + StoreSql::quoted(code));
}

QString UserStore::listSql(const QString& operatorCode, const QString& condition)
{
    QString sql = u"SELECT u.code, u.loginid, u.name, u.telno, u.hpno, u.bigo, u.pdause, u.consult "
                  u"FROM local_user AS u WHERE u.hidden = 0"_s;
    if (operatorCode != administratorCode())
        sql += u" AND u.code= "_s + StoreSql::quoted(operatorCode);
    if (!condition.isEmpty())
        sql += u" AND ("_s + condition + u')';
    return sql + u" ORDER BY u.code"_s;
}

QString UserStore::pickerSql(const QString& condition)
{
    QString sql = u"SELECT code, name, telno, hpno, addr1, addr2, bigo FROM local_user WHERE hidden = 0"_s;
    if (!condition.isEmpty())
        sql += u" AND ("_s + condition + u')';
    return sql + u" ORDER BY name, code"_s;
}

bool UserStore::inUse(const QString& code)
{
    return CodeReference::anyHolds(m_db, references(), code);
}

const QList<CodeReference>& UserStore::references()
{
    static const QList<CodeReference> refs{
        {u"customer"_s, u"charge"_s, u"거래처담당자"_s}, {u"aslist_m"_s, u"charge"_s, u"AS 내역"_s},
        {u"sale"_s, u"charge"_s, u"매출전표"_s},         {u"sale"_s, u"regucode"_s, u"매출전표"_s},
        {u"receive"_s, u"charge"_s, u"입금전표"_s},      {u"receive"_s, u"regucode"_s, u"입금전표"_s},
        {u"rsvconsult"_s, u"regucode"_s, u"상담내역"_s},
    };
    return refs;
}

} // namespace asv
