#pragma once

#include "ConnectionTls.h"
#include "RecordSetPtr.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

struct st_mysql;
struct st_mysql_res;

namespace asv {

// One connection to the server. Statements and results pass code page 949 text; a lost
// connection is repaired once per statement and a deadlock is retried, both by reconnecting and
// killing the old server thread. A statement is never run twice: one the server may have carried
// out before the connection broke fails instead.
class cMySQL {
public:
    static constexpr int kDeadlockRetries = 5;
    static constexpr int kDeadlockWaitMs = 500;
    static bool isLostConnection(unsigned int err);

    cMySQL();
    ~cMySQL();
    cMySQL(const cMySQL&) = delete;
    cMySQL& operator=(const cMySQL&) = delete;

    // host may carry ":port", or be the path of a local server's socket; a cluster's nodes are
    // listed separated by commas, the office's own first, and the first in the cluster serves.
    // Throws DbError on failure, after recording it in lastError().
    bool real_connect(const QString& host, const QString& user, const QString& password,
                      const QString& database, quint32 port = 3306, const QString& unixSocket = {},
                      quint32 flags = 0, const QString& charset = {});

    // The whole result, or nullptr for statements without one and for failures (lastErrno() tells).
    RecordSetPtr query(const QString& sql, bool silent);
    RecordSetPtr real_query(const QString& sql, bool silent) { return query(sql, silent); }
    // Encryption for the next real_connect() and every reconnect after it.
    void setTls(const ConnectionTls& tls) { m_tls = tls; }
    const ConnectionTls& tls() const { return m_tls; }
    // A further connection with this one's arguments, for long work on a thread of its own; it
    // leaves the recorded thread id of this program alone. Throws DbError.
    std::unique_ptr<cMySQL> connectAnother() const;
    void free_result() {}

    qint32 affected_rows() const { return m_affected; }
    qint32 insert_id() const;
    quint32 thread_id() const { return m_threadId; }
    unsigned int lastErrno() const { return m_lastErrno; }
    const QString& lastError() const { return m_lastError; }
    int ping();
    int kill(quint32 threadId);
    QString get_server_info() const;
    static QString get_client_info();
    const QString& host() const { return m_host; }
    const QString& user() const { return m_user; }
    const QString& database() const { return m_database; }
    quint32 clientFlags() const { return m_clientFlags; }

    // The message for a failed connect, as shown to the operator.
    static QString connectFailureText(unsigned int number, const QString& libraryText);

    // What a cluster node is asked before it serves.
    enum class NodeState { Any, Ready, Synced };
    // The nodes of host, and the one in use.
    QStringList nodes() const;
    const QString& node() const { return m_node; }
    // Whether a node is Synced, asked on a connection of its own.
    bool nodeSynced(const QString& node) const;
    // An unconnected copy of this connection's login, to ask from a thread of its own.
    std::unique_ptr<cMySQL> loginCopy() const;
    // Moves to the first node when it is Synced and no transaction is open here.
    bool returnToFirstNode();
    bool inTransaction() const;
    // The open transaction's session was lost before its COMMIT was sent: nothing of it is stored,
    // and its statements are refused until the caller rolls it back.
    bool transactionLost() const { return m_transactionLost; }

    // Lets tests and the deadlock log see the reconnects.
    int reconnectCount() const { return m_reconnects; }

    // While set, a deadlock or a lost connection inside a transaction is not shown: the caller
    // runs the transaction again and shows it with reportLastFailure() when it gives up.
    void setRetryingTransaction(bool on) { m_retryingTransaction = on; }
    void reportLastFailure();

private:
    bool reconnect();
    // A connection to one node; throws DbError, and gives the library's text in failure.
    st_mysql* openNode(const QString& node, NodeState state, QString* failure = nullptr) const;
    void adoptNode(const QString& node);
    bool droppedWhileIdle() const;
    bool connectedFrom(quint32 threadId, quint16 port);
    RecordSetPtr fail(const QString& sql, bool silent, bool inTransaction);
    RecordSetPtr unreachable();
    void close();
    bool applyCharset();
    void recordThreadId();
    RecordSetPtr resultOf(st_mysql_res* result);
    void reportFailure(const QString& sql, bool silent);

    st_mysql* m_handle = nullptr;
    QString m_host;
    QString m_node;
    QString m_user;
    QString m_password;
    QString m_database;
    quint32 m_port = 3306;
    QString m_unixSocket;
    quint32 m_clientFlags = 32;
    QString m_charset;
    ConnectionTls m_tls;
    quint32 m_threadId = 0;
    quint16 m_localPort = 0;
    qint32 m_affected = 0;
    unsigned int m_lastErrno = 0;
    QString m_lastError;
    int m_reconnects = 0;
    bool m_recordsThreadId = true;
    bool m_retryingTransaction = false;
    bool m_transactionLost = false;
    // A deadlock (on a cluster, another node's abort) made the server roll back the open transaction.
    bool m_transactionRolledBack = false;
    QString m_failedSql;
};

} // namespace asv
