#include "OfficeDatabase.h"

#include "BaseSchema.h"
#include "DbError.h"
#include "LocalServer.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// The server's answers for an unknown database, a database the account may not use, and an
// unknown account (or its wrong password).
constexpr long kUnknownDatabase = 1049;
constexpr long kDatabaseDenied = 1044;
constexpr long kAccessDenied = 1045;

int tableCount(cMySQL& connection, const QString& database)
{
    const RecordSetPtr rs = connection.query(
        u"SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = '"_s + SQLQuote(database) + u"'"_s, true);
    return rs && !rs->eof() ? rs->field(0).toInt() : 0;
}

} // namespace

OfficeDatabase::Outcome OfficeDatabase::create(const ServerLogin& administrator, const ServerLogin& account,
                                               QString& message)
{
    // Names go into statements unquoted by the server; only plain ones are accepted.
    static const QRegularExpression plain(u"^[A-Za-z0-9_]{1,64}$"_s);
    if (!plain.match(account.database).hasMatch() || !plain.match(account.user).hasMatch()) {
        message = u"DB명과 계정은 영문, 숫자, 밑줄(_)로만 지정할 수 있습니다."_s;
        return Outcome::Failed;
    }
    if (account.password.isEmpty()) {
        message = u"프로그램 계정에는 암호가 있어야 합니다."_s;
        return Outcome::Failed;
    }
    try {
        cMySQL admin;
        admin.setTls(administrator.tls);
        admin.real_connect(administrator.host, administrator.user, administrator.password, {}, 3306, {}, 0, u"euckr"_s);
        if (tableCount(admin, account.database) > 0) {
            message = u"데이터베이스 %1은(는) 이미 만들어져 있습니다. 아무것도 바꾸지 않았습니다."_s.arg(account.database);
            return Outcome::Exists;
        }
        const QString db = u"`"_s + account.database + u"`"_s;
        // An empty database made by hand may have another character set; nothing in it is lost.
        const QStringList statements =
            QStringList{u"CREATE DATABASE IF NOT EXISTS "_s + db + u" DEFAULT CHARACTER SET euckr"_s,
                        u"ALTER DATABASE "_s + db + u" CHARACTER SET euckr"_s}
            + LocalServer::accountStatements(u"'"_s + account.user + u"'@'%'"_s, account.password, account.database);
        for (const QString& sql : statements) {
            admin.query(sql, true);
            if (admin.lastErrno() != 0) {
                message = u"데이터베이스를 만들지 못했습니다."_s + u"\n"_s + admin.lastError();
                return Outcome::Failed;
            }
        }
    } catch (const DbError& e) {
        message = u"관리자 계정으로 서버에 접속할 수 없습니다."_s + u"\n"_s + e.description();
        return Outcome::Failed;
    }
    if (!DBInit(administrator.host, administrator.user, administrator.password, account.database, {}, 0, u"euckr"_s,
                administrator.tls)) {
        message = u"데이터베이스에 연결할 수 없습니다."_s;
        return Outcome::Failed;
    }
    const bool ok = BaseSchema::installCurrent();
    DBClose();
    message = ok ? u"데이터베이스 %1을(를) 만들었습니다."_s.arg(account.database)
                 : u"데이터베이스 구조를 만들지 못했습니다."_s;
    return ok ? Outcome::Created : Outcome::Failed;
}

bool OfficeDatabase::missingOrEmpty(const ServerLogin& account)
{
    try {
        cMySQL probe;
        probe.setTls(account.tls);
        probe.real_connect(account.host, account.user, account.password, account.database, 3306, {}, 0, u"euckr"_s);
        return tableCount(probe, account.database) == 0;
    } catch (const DbError& e) {
        return e.number() == kUnknownDatabase || e.number() == kDatabaseDenied || e.number() == kAccessDenied;
    }
}

} // namespace asv
