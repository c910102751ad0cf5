#include "BareConnection.h"

#include "TestDatabase.h"

#include <benchmark/benchmark.h>
#include <mysql.h>
#include <stdexcept>

namespace asv {

BareConnection::BareConnection(const QString& database) : m_handle(mysql_init(nullptr))
{
    const test::ServerAccount a = test::testServer();
    const QStringList hostPort = a.host.split(u':');
    mysql_options(m_handle, MYSQL_SET_CHARSET_NAME, "euckr");
    if (!mysql_real_connect(m_handle, hostPort[0].toLatin1().constData(), a.user.toLatin1().constData(),
                            a.password.toLatin1().constData(), database.toLatin1().constData(),
                            hostPort.value(1).toUInt(), nullptr, 0)) {
        const std::string message = mysql_error(m_handle);
        mysql_close(m_handle);
        throw std::runtime_error("bare connection: " + message);
    }
}

BareConnection::~BareConnection()
{
    mysql_close(m_handle);
}

int BareConnection::fetchAll(const QByteArray& sql)
{
    if (mysql_real_query(m_handle, sql.constData(), static_cast<unsigned long>(sql.size())) != 0)
        return -1;
    MYSQL_RES* res = mysql_store_result(m_handle);
    if (!res)
        return -1;
    const unsigned int cols = mysql_num_fields(res);
    unsigned long bytes = 0;
    int rows = 0;
    while (MYSQL_ROW row = mysql_fetch_row(res)) {
        const unsigned long* lengths = mysql_fetch_lengths(res);
        for (unsigned int c = 0; c < cols; ++c)
            bytes += lengths[c];
        benchmark::DoNotOptimize(row);
        ++rows;
    }
    mysql_free_result(res);
    benchmark::DoNotOptimize(bytes);
    return rows;
}

std::optional<QList<QByteArray>> BareConnection::firstRow(const QByteArray& sql)
{
    if (mysql_real_query(m_handle, sql.constData(), static_cast<unsigned long>(sql.size())) != 0)
        return std::nullopt;
    MYSQL_RES* res = mysql_store_result(m_handle);
    if (!res)
        return std::nullopt;
    QList<QByteArray> values;
    if (MYSQL_ROW row = mysql_fetch_row(res)) {
        const unsigned long* lengths = mysql_fetch_lengths(res);
        for (unsigned int c = 0; c < mysql_num_fields(res); ++c)
            values.append(QByteArray(row[c], static_cast<qsizetype>(lengths[c])));
    }
    mysql_free_result(res);
    return values;
}

qint64 BareConnection::execute(const QByteArray& sql)
{
    if (mysql_real_query(m_handle, sql.constData(), static_cast<unsigned long>(sql.size())) != 0)
        return -1;
    return static_cast<qint64>(mysql_affected_rows(m_handle));
}

quint64 BareConnection::insertId() const
{
    return mysql_insert_id(m_handle);
}

const char* BareConnection::error() const
{
    return mysql_error(m_handle);
}

} // namespace asv
