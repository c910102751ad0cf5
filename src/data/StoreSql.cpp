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

QString StoreSql::codeOtherThan(const QString& code)
{
    return code.isEmpty() ? QString() : u"code <> "_s + quoted(code);
}

QStringList StoreSql::columnList(const QString& columns)
{
    return columns.split(u", "_s);
}

QString StoreSql::quotedList(const QStringList& values)
{
    QStringList quotedValues;
    quotedValues.reserve(values.size());
    for (const QString& value : values)
        quotedValues << quoted(value);
    return quotedValues.join(u',');
}

void StoreSql::warnNotDeleted()
{
    MsgWarn(u"자료를 삭제 할 수 없습니다."_s + vbCrLf + vbCrLf + u"이미 삭제되었거나, 삭제할 수 없는 경우가 발생했습니다."_s);
}

StoreSql::StoreSql(cMySQL* db, const QString& store) : m_db(db ? *db : DBMainConnection()), m_store(store) {}

int StoreSql::execute(const QString& sql) const
{
    int affected = 0;
    DBExecute(m_db, sql, false, &affected);
    return failed() ? 0 : affected;
}

bool StoreSql::removeCode(const QString& table, const QString& codeLiteral) const
{
    if (execute(u"DELETE FROM "_s + table + u" WHERE code = "_s + codeLiteral) > 0)
        return true;
    warnNotDeleted();
    return false;
}

int StoreSql::insertUnderFreeCode(QString& code, const std::function<QString()>& nextCode,
                                  const std::function<QString(const QString&)>& insertSql) const
{
    // Each desk that took a code first passes it over once; more than this many at one moment is
    // something else.
    constexpr int kAttempts = 20;
    for (int attempt = 1;; ++attempt) {
        int affected = 0;
        DBExecute(m_db, insertSql(code), true, &affected);
        if (!failed())
            return affected;
        if (m_db.lastErrno() != ER_DUP_ENTRY || attempt == kAttempts)
            break;
        const QString next = nextCode();
        // The same code again: the duplicate is of another unique column.
        if (next.isEmpty() || next == code)
            break;
        code = next;
    }
    m_db.reportLastFailure();
    return 0;
}

void StoreSql::throwIfFailed(const QString& operation) const
{
    if (!failed())
        return;
    const auto err = static_cast<long>(m_db.lastErrno());
    if (err == Cp949::kUnencodable)
        throw ReportedDbError(err, m_store + u"::"_s + operation, u"자료를 읽지 못했습니다."_s);
    throw DbError(err, m_store + u"::"_s + operation, u"자료를 읽지 못했습니다."_s);
}

RecordSetPtr StoreSql::read(const QString& sql, const QString& operation, bool silent) const
{
    RecordSetPtr rs;
    DBOpenRS(m_db, rs, sql, silent);
    // Silent, the refusal of a character has not been shown yet: the guard shows it.
    if (silent && failed() && m_db.lastErrno() == Cp949::kUnencodable)
        throw DbError(static_cast<long>(m_db.lastErrno()), m_store + u"::"_s + operation, m_db.lastError());
    throwIfFailed(operation);
    return rs ? rs : std::make_shared<RecordSet>();
}

QStringList StoreSql::firstColumn(const QString& sql, const QString& operation, bool silent) const
{
    const RecordSetPtr rs = read(sql, operation, silent);
    const int n = rs->rowCount();
    QStringList values;
    for (int row = 0; row < n; ++row)
        values << rs->value(row, 0);
    return values;
}

bool StoreSql::taken(const QString& table, const QString& field, const QString& value, const QString& where,
                     const QString& operation) const
{
    const bool exists = DBCheckDup(m_db, table, field, value, where);
    throwIfFailed(operation);
    return exists;
}

QString StoreSql::value(const QString& sql, const QString& operation) const
{
    const RecordSetPtr rs = read(sql, operation);
    return rs->rowCount() > 0 ? rs->value(0, 0) : QString();
}

bool StoreSql::failed() const
{
    return m_db.lastErrno() != 0;
}

} // namespace asv
