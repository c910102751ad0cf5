#include "UserStore.h"

#include "modMySQL_Func.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace asv {

QString UserStore::quoted(const QString& text)
{
    return u'\'' + SQLQuote(text) + u'\'';
}

QString UserStore::loginPassword(const QString& loginId)
{
    return DBGetValue(u"SELECT loginpwd FROM local_user WHERE loginid = "_s + quoted(loginId));
}

std::optional<UserRecord> UserStore::byLoginId(const QString& loginId)
{
    RecordSetPtr rs;
    if (DBOpenRS(rs, u"SELECT u.code, u.name FROM local_user AS u WHERE loginid = "_s + quoted(loginId)) <= 0
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
    if (DBOpenRS(rs, u"SELECT * FROM local_user WHERE code = "_s + quoted(code)) <= 0 || !rs || rs->eof())
        return std::nullopt;
    UserRecord u;
    u.code = rs->field(u"code"_s);
    u.loginId = rs->field(u"loginid"_s);
    u.password = rs->field(u"loginpwd"_s);
    u.name = rs->field(u"name"_s);
    u.telno = rs->field(u"telno"_s);
    u.hpno = rs->field(u"hpno"_s);
    u.serial = rs->field(u"serial"_s);
    u.zipcode = rs->field(u"zipcode"_s);
    u.addr1 = rs->field(u"addr1"_s);
    u.addr2 = rs->field(u"addr2"_s);
    u.bigo = rs->field(u"bigo"_s);
    u.pdaUse = rs->field(u"pdause"_s) == u"1"_s;
    u.consult = rs->field(u"consult"_s) == u"1"_s;
    CloseRS(rs);
    return u;
}

bool UserStore::isConsultant(const QString& code)
{
    return DBGetValue(u"SELECT consult FROM local_user WHERE code = "_s + quoted(code)) == u"1"_s;
}

bool UserStore::codeExists(const QString& code)
{
    return DBCheckDup(u"local_user"_s, u"code"_s, code);
}

bool UserStore::loginIdTaken(const QString& loginId, const QString& exceptCode)
{
    return DBCheckDup(u"local_user"_s, u"loginid"_s, loginId,
                      exceptCode.isEmpty() ? QString() : u"code <> "_s + quoted(exceptCode));
}

QString UserStore::nextCode(const QString& prefix)
{
    return NextCode(u"local_user"_s, u"code"_s, 2, prefix);
}

int UserStore::insert(const UserRecord& u)
{
    const QString sql = u"INSERT INTO local_user (code, loginid, name, loginpwd, serial, zipcode, addr1, addr2, "
                        u"telno, hpno, bigo, pdause) VALUES ("_s
        + QStringList{quoted(u.code), quoted(u.loginId), quoted(u.name), quoted(u.password), quoted(u.serial),
                      quoted(u.zipcode), quoted(u.addr1), quoted(u.addr2), quoted(u.telno), quoted(u.hpno),
                      quoted(u.bigo), u.pdaUse ? u"1"_s : u"0"_s}
              .join(u", "_s)
        + u')';
    return DBExecute(sql);
}

int UserStore::update(const UserRecord& u)
{
    const QString sql = u"UPDATE local_user SET name = "_s + quoted(u.name) + u", loginid = "_s + quoted(u.loginId)
        + u", loginpwd = "_s + quoted(u.password) + u", serial = "_s + quoted(u.serial) + u", zipcode = "_s
        + quoted(u.zipcode) + u", addr1 = "_s + quoted(u.addr1) + u", addr2 = "_s + quoted(u.addr2)
        + u", telno = "_s + quoted(u.telno) + u", hpno = "_s + quoted(u.hpno) + u", bigo = "_s + quoted(u.bigo)
        + u", pdause = "_s + (u.pdaUse ? u"1"_s : u"0"_s) + u", consult = "_s + (u.consult ? u"1"_s : u"0"_s)
        + u" WHERE code = "_s + quoted(u.code);
    return DBExecute(sql);
}

int UserStore::remove(const QString& code)
{
    return DBExecute(u"DELETE FROM local_user WHERE code = "_s + quoted(code));
}

QString UserStore::listSql(const QString& operatorCode, const QString& condition)
{
    QString sql = u"SELECT u.code, u.loginid, u.name, u.telno, u.hpno, u.bigo, u.pdause, u.consult "
                  u"FROM local_user AS u WHERE u.hidden = 0"_s;
    if (operatorCode != administratorCode())
        sql += u" AND u.code= "_s + quoted(operatorCode);
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

const QList<UserStore::Reference>& UserStore::references()
{
    static const QList<Reference> refs{
        {u"customer"_s, u"charge"_s, u"거래처담당자"_s}, {u"aslist_m"_s, u"charge"_s, u"AS 내역"_s},
        {u"sale"_s, u"charge"_s, u"매출전표"_s},         {u"sale"_s, u"regucode"_s, u"매출전표"_s},
        {u"receive"_s, u"charge"_s, u"입금전표"_s},      {u"receive"_s, u"regucode"_s, u"입금전표"_s},
        {u"rsvconsult"_s, u"regucode"_s, u"상담내역"_s},
    };
    return refs;
}

} // namespace asv
