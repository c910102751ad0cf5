#include "StoreSql.h"

#include "Cp949.h"
#include "ReportedDbError.h"
#include "cMySQL.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <mysqld_error.h>

using namespace Qt::StringLiterals;

namespace asv {

QString StoreSql::quoted(const QString& text)
{
    return u'\'' + SQLQuote(text) + u'\'';
}

QString StoreSql::likePattern(const QString& pattern)
{
    QString text = pattern;
    return u'\'' + SQLQuoteLike(text) + u'\'';
}

QString StoreSql::containing(const QString& text)
{
    return likePattern(u'%' + text + u'%');
}

int StoreSql::execute(const QString& sql)
{
    int affected = 0;
    DBExecute(sql, false, &affected);
    return DBLastFailed() ? 0 : affected;
}

int StoreSql::insertUnderFreeCode(QString& code, const std::function<QString()>& nextCode,
                                  const std::function<QString(const QString&)>& insertSql)
{
    // Each desk that took a code first passes it over once; more than this many at one moment is
    // something else.
    constexpr int kAttempts = 20;
    for (int attempt = 1;; ++attempt) {
        int affected = 0;
        DBExecute(insertSql(code), true, &affected);
        if (!DBLastFailed())
            return affected;
        if (DBLastErrno() != ER_DUP_ENTRY || attempt == kAttempts)
            break;
        const QString next = nextCode();
        // The same code again: the duplicate is of another unique column.
        if (next.isEmpty() || next == code)
            break;
        code = next;
    }
    DBConnection(0)->reportLastFailure();
    return 0;
}

void StoreSql::throwIfFailed(const QString& store, const QString& operation)
{
    if (DBLastFailed() && DBLastErrno() == Cp949::kUnencodable)
        throw ReportedDbError(static_cast<long>(DBLastErrno()), store + u"::"_s + operation, u"자료를 읽지 못했습니다."_s);
    if (DBLastFailed())
        throw DbError(static_cast<long>(DBLastErrno()), store + u"::"_s + operation, u"자료를 읽지 못했습니다."_s);
}

void StoreSql::warnNotDeleted()
{
    MsgWarn(u"자료를 삭제 할 수 없습니다."_s + vbCrLf + vbCrLf + u"이미 삭제되었거나, 삭제할 수 없는 경우가 발생했습니다."_s);
}

RecordSetPtr StoreSql::read(const QString& sql, const QString& store, const QString& operation, bool silent)
{
    RecordSetPtr rs;
    DBOpenRS(rs, sql, silent);
    // Silent, the refusal of a character has not been shown yet: the guard shows it.
    if (silent && DBLastFailed() && DBLastErrno() == Cp949::kUnencodable)
        throw DbError(static_cast<long>(DBLastErrno()), store + u"::"_s + operation, DBConnection(0)->lastError());
    throwIfFailed(store, operation);
    return rs ? rs : std::make_shared<RecordSet>();
}

QStringList StoreSql::firstColumn(const QString& sql, const QString& store, const QString& operation)
{
    const RecordSetPtr rs = read(sql, store, operation);
    const int n = rs->rowCount();
    QStringList values;
    for (int row = 0; row < n; ++row)
        values << rs->value(row, 0);
    return values;
}

} // namespace asv
