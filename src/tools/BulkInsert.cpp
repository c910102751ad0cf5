#include "BulkInsert.h"

#include "modMySQL_Func.h"

#include <algorithm>
#include <charconv>

using namespace Qt::StringLiterals;

namespace asv {

BulkInsert::BulkInsert(const QString& table, const QString& columns, int rowsPerStatement)
    : m_head(u"INSERT INTO "_s + table + u" ("_s + columns + u") VALUES "_s)
    , m_perStatement(rowsPerStatement)
{
}

void BulkInsert::beginValue()
{
    if (m_rowOpen) {
        m_sql += u',';
        return;
    }
    if (m_pending == 0)
        m_sql = m_head;
    else
        m_sql += u',';
    m_sql += u'(';
    m_rowOpen = true;
}

void BulkInsert::appendQuoted(QString& sql, QStringView value)
{
    sql += u'\'';
    // Quoting allocates; most generated and imported values have nothing to quote.
    const auto needsQuoting = [](QChar c) { return c == u'\'' || c == u'\\' || c == QChar(u'\0'); };
    if (std::any_of(value.begin(), value.end(), needsQuoting))
        sql += SQLQuote(value.toString());
    else
        sql += value;
    sql += u'\'';
}

BulkInsert& BulkInsert::text(QStringView value)
{
    beginValue();
    appendQuoted(m_sql, value);
    return *this;
}

BulkInsert& BulkInsert::number(qint64 value)
{
    beginValue();
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    m_sql += QLatin1StringView(digits, end - digits);
    return *this;
}

void BulkInsert::endRow()
{
    m_sql += u')';
    m_rowOpen = false;
    ++m_pending;
    ++m_rows;
    if (m_pending >= m_perStatement)
        flush();
}

bool BulkInsert::flush()
{
    if (m_pending > 0) {
        DBExecute(m_sql, false);
        m_failed = m_failed || DBLastFailed();
        m_pending = 0;
        m_sql.resize(0);
    }
    return !m_failed;
}

} // namespace asv
