#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

struct st_mysql;

namespace asv {

// A plain client-library connection to a database of the test server, with the program's
// character set: the floor our own record sets are measured against.
class BareConnection {
public:
    explicit BareConnection(const QString& database);
    ~BareConnection();
    BareConnection(const BareConnection&) = delete;
    BareConnection& operator=(const BareConnection&) = delete;

    // Runs the statement (code page bytes) and walks every row as the library hands it over; the
    // number of rows, -1 on failure.
    int fetchAll(const QByteArray& sql);
    // The values of the first row (empty when there is none); nullopt on failure.
    std::optional<QList<QByteArray>> firstRow(const QByteArray& sql);
    // A statement without result: rows changed, -1 on failure.
    qint64 execute(const QByteArray& sql);
    quint64 insertId() const;
    const char* error() const;

private:
    st_mysql* m_handle;
};

} // namespace asv
