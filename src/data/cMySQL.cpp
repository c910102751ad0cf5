#include "cMySQL.h"

#include "Clock.h"
#include "Cp949.h"
#include "DbError.h"
#include "DataLog.h"
#include "LogFile.h"
#include "Paths.h"
#include "SqlSecrets.h"
#include "UserSettings.h"
#include "modMsgBox.h"
#include "RecordSet.h"
#include "Prompter.h"

#include <QDir>
#include <QSettings>
#include <QThread>
#include <algorithm>
#include <optional>
#include <mysql.h>
#include <mysqld_error.h>
#include <errmsg.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

constexpr unsigned int kCompressFlag = 32;
const QString kLostInTransaction =
    QStringLiteral("the connection was lost inside a transaction; the server kept nothing it had not committed");
const QString kRolledBackAfterDeadlock =
    QStringLiteral("a deadlock made the server roll the transaction back; the rest of it was not sent");
// A COMMIT without its answer may have been stored: the operator checks before entering it again.
const QString kCommitOutcomeUnknown = QStringLiteral(
    "저장하는 중에 서버와의 연결이 끊어져 저장되었는지 알 수 없습니다. 다시 입력하기 전에 자료를 다시 조회하여 확인하세요.");
// MariaDB answers a killed idle connection with "connection was killed" before closing it;
// MySQL 8 says why it closed an idle one ("disconnected by the server because of inactivity").
constexpr unsigned int kConnectionKilled = 1927;
constexpr unsigned int kIdleDisconnected = 4031;
// A cluster node out of its primary component refuses every statement, running none of it.
constexpr unsigned int kNodeNotReady = 1047;

bool isLoopback(const QString& host)
{
    return host.isEmpty() || host == u"localhost"_s || host.startsWith(u"127."_s) || host == u"::1"_s;
}

// The client's own port of a TCP connection, 0 for a local socket.
quint16 localPort(MYSQL* h)
{
    sockaddr_storage address{};
    socklen_t size = sizeof address;
    if (getsockname(mysql_get_socket(h), reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return 0;
    if (address.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in*>(&address)->sin_port);
    if (address.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6*>(&address)->sin6_port);
    return 0;
}

// Statements that change nothing: running one again after the connection broke under it is harmless.
bool repeatable(const QByteArray& sql)
{
    static const QList<QByteArray> reads{"SELECT", "SHOW", "SET", "START", "BEGIN", "ROLLBACK", "DESC", "EXPLAIN", "USE"};
    const QByteArray head = sql.trimmed().left(8).toUpper();
    return std::any_of(reads.begin(), reads.end(), [&head](const QByteArray& r) { return head.startsWith(r); });
}

bool startsWith(const QByteArray& sql, const QByteArray& word)
{
    return sql.trimmed().left(word.size()).toUpper() == word;
}

QString libraryText(MYSQL* h)
{
    return Cp949::decode(QByteArray(mysql_error(h)));
}

// Whether a node of a cluster may serve: in its primary component (wsrep_ready), or also caught
// up with the others (Synced). A server that is no cluster node always may.
bool inState(MYSQL* h, cMySQL::NodeState state)
{
    if (state == cMySQL::NodeState::Any)
        return true;
    const char* sql = state == cMySQL::NodeState::Ready ? "SHOW STATUS LIKE 'wsrep_ready'"
                                                        : "SHOW STATUS LIKE 'wsrep_local_state_comment'";
    if (mysql_query(h, sql) != 0)
        return false;
    MYSQL_RES* result = mysql_store_result(h);
    const MYSQL_ROW row = result ? mysql_fetch_row(result) : nullptr;
    const bool in = !row || (row[1] && qstrcmp(row[1], state == cMySQL::NodeState::Ready ? "ON" : "Synced") == 0);
    if (result)
        mysql_free_result(result);
    return in;
}

} // namespace

bool cMySQL::isLostConnection(unsigned int err)
{
    return err == CR_SERVER_GONE_ERROR || err == CR_SERVER_LOST || err == kConnectionKilled
        || err == kIdleDisconnected || err == kNodeNotReady;
}

cMySQL::cMySQL()
{
    m_handle = mysql_init(nullptr);
    if (!m_handle)
        throw DbError(0, u"cMysql::Initialize"_s, u"Cannot Initialize a mysql record::Fatal"_s);
}

cMySQL::~cMySQL()
{
    close();
}

void cMySQL::close()
{
    if (m_handle) {
        mysql_close(m_handle);
        m_handle = nullptr;
    }
}

QString cMySQL::connectFailureText(unsigned int number, const QString& library)
{
    QString message;
    // Connector/C reports a refused TCP connection as 2002 where the old library said 2003.
    if (number == CR_CONN_HOST_ERROR || number == CR_CONNECTION_ERROR) {
        message = u"데이터베이스 서버에 접속할 수 없습니다."_s + vbCrLf + vbCrLf
            + u"인터넷이 연결되어 있는지 확인 해 주세요."_s + vbCrLf + vbCrLf
            + u"인터넷이 연결되어 있다면 방화벽이나 각종 스파이웨어 차단 프로그램이 가동중인지 확인해 주세요."_s + vbCrLf
            + u"관련 프로그램이 데이터베이스 접속을 방해하는 경우 일 수도 있습니다."_s;
    }
    // A server requiring encryption from the account refuses it in clear just as a wrong password.
    if (number == ER_ACCESS_DENIED_ERROR)
        message = u"서버가 접속을 거부했습니다. 계정과 비밀번호를 확인해 주세요."_s + vbCrLf
            + u"서버가 이 계정에 암호화 접속을 요구한다면 접속 설정에서 \"TLS 암호화 사용\"을 켜고 CA 파일을 지정해 주세요."_s;
    if (number == CR_SSL_CONNECTION_ERROR)
        message = u"TLS 암호화 접속을 만들 수 없습니다."_s + vbCrLf
            + u"서버가 TLS를 쓰는지, 접속 설정의 CA 파일이 있고 서버 인증서를 발급한 기관의 것인지, 서버 주소가 인증서의 이름과 같은지 확인해 주세요."_s;
    return message + vbCrLf + vbCrLf + library;
}

bool cMySQL::real_connect(const QString& host, const QString& user, const QString& password,
                          const QString& database, quint32 port, const QString& unixSocket, quint32 flags,
                          const QString& charset)
{
    m_host = host;
    m_user = user;
    m_password = password;
    m_database = database;
    if (port != 3306)
        m_port = port;
    m_unixSocket = unixSocket;
    m_charset = charset;
    m_clientFlags = flags | kCompressFlag;

    close();
    // Of a cluster's nodes, the office's own first, the first that is in the cluster serves.
    const QStringList list = nodes();
    std::optional<DbError> refused;
    for (const QString& node : list) {
        try {
            m_handle = openNode(node, list.size() > 1 ? NodeState::Ready : NodeState::Any, &m_lastError);
            adoptNode(node);
            return true;
        } catch (const DbError& e) {
            refused = e;
        }
    }
    m_lastErrno = static_cast<unsigned int>(refused->number());
    m_lastError = QString::number(refused->number()) + u" : "_s + m_lastError;
    throw *refused;
}

QStringList cMySQL::nodes() const
{
    // A path is a local server's socket, commas and all.
    if (m_host.startsWith(u'/'))
        return {m_host};
    QStringList list;
    for (const QString& node : m_host.split(u',')) {
        if (!node.trimmed().isEmpty())
            list << node.trimmed();
    }
    return list.isEmpty() ? QStringList{QString()} : list;
}

MYSQL* cMySQL::openNode(const QString& node, NodeState state, QString* failure) const
{
    QString hostName = node;
    QString socketPath = m_unixSocket;
    quint32 hostPort = m_port;
    // A host given as a path is the socket of a server on this machine.
    if (node.startsWith(u'/')) {
        hostName = u"localhost"_s;
        socketPath = node;
    } else if (const qsizetype colon = node.lastIndexOf(u':'); colon > 0 && !node.contains(u"::"_s)) {
        hostName = node.left(colon);
        hostPort = node.mid(colon + 1).toUInt();
    }
    // Compression only costs on the same machine (a 100k-row list fetches four times slower).
    const quint32 sentFlags = isLoopback(hostName) ? (m_clientFlags & ~kCompressFlag) : m_clientFlags;

    MYSQL* handle = mysql_init(nullptr);
    if (!handle)
        throw DbError(0, u"cMysql::Initialize"_s, u"Cannot Initialize a mysql record::Fatal"_s);
    if (!m_charset.isEmpty()) {
        const QByteArray cs = m_charset.toLatin1();
        mysql_options(handle, MYSQL_SET_CHARSET_NAME, cs.constData());
    }
    const unsigned int timeout = 10;
    mysql_options(handle, MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
    m_tls.apply(handle);

    const QByteArray h = Cp949::encode(hostName), u = Cp949::encode(m_user), p = Cp949::encode(m_password),
                     d = Cp949::encode(m_database), s = Cp949::encode(socketPath);
    if (!mysql_real_connect(handle, h.constData(), u.constData(), p.constData(), d.constData(), hostPort,
                            s.isEmpty() ? nullptr : s.constData(), sentFlags)) {
        const unsigned int number = mysql_errno(handle);
        const QString text = libraryText(handle);
        mysql_close(handle);
        if (failure)
            *failure = text;
        throw DbError(number, u"cMysql::real_connect"_s, connectFailureText(number, text));
    }
    if (!inState(handle, state)) {
        mysql_close(handle);
        const QString text = node + u": 클러스터에 참여하지 않은 노드입니다 (동기화 중이거나 분리됨)."_s;
        if (failure)
            *failure = text;
        throw DbError(kNodeNotReady, u"cMysql::real_connect"_s, text);
    }
    return handle;
}

void cMySQL::adoptNode(const QString& node)
{
    m_node = node;
    // A desk that moved to another node reads there what it saved a moment ago on its own: each
    // read waits until the node has applied what the cluster committed before. On its own node a
    // read stays local (the wait would cost a round of the cluster per read).
    const QStringList list = nodes();
    if (list.size() > 1 && node != list.first())
        mysql_query(m_handle, "SET SESSION wsrep_sync_wait = 1");
    m_threadId = static_cast<quint32>(mysql_thread_id(m_handle));
    m_localPort = localPort(m_handle);
    if (m_recordsThreadId)
        recordThreadId();
    if (!m_charset.isEmpty())
        applyCharset();
}

bool cMySQL::nodeSynced(const QString& node) const
{
    try {
        mysql_close(openNode(node, NodeState::Synced));
        return true;
    } catch (const DbError&) {
        return false;
    }
}

std::unique_ptr<cMySQL> cMySQL::loginCopy() const
{
    auto copy = std::make_unique<cMySQL>();
    copy->m_host = m_host;
    copy->m_user = m_user;
    copy->m_password = m_password;
    copy->m_database = m_database;
    copy->m_port = m_port;
    copy->m_unixSocket = m_unixSocket;
    copy->m_clientFlags = m_clientFlags & ~kCompressFlag;
    copy->m_charset = m_charset;
    copy->m_tls = m_tls;
    copy->m_recordsThreadId = false;
    return copy;
}

bool cMySQL::returnToFirstNode()
{
    const QStringList list = nodes();
    if (list.size() < 2 || m_node == list.first() || inTransaction())
        return false;
    MYSQL* handle = nullptr;
    try {
        handle = openNode(list.first(), NodeState::Synced);
    } catch (const DbError&) {
        return false;
    }
    close();
    m_handle = handle;
    adoptNode(list.first());
    // What the desk saved on the other node may not be applied here yet: one read that waits for the
    // cluster's commits brings this node up to them before reads stay local again.
    mysql_query(m_handle, "SET SESSION wsrep_sync_wait = 1");
    if (mysql_query(m_handle, "SELECT 1") == 0)
        mysql_free_result(mysql_store_result(m_handle));
    mysql_query(m_handle, "SET SESSION wsrep_sync_wait = 0");
    return true;
}

bool cMySQL::inTransaction() const
{
    return m_transactionLost || m_transactionRolledBack
        || (m_handle && (m_handle->server_status & SERVER_STATUS_IN_TRANS) != 0);
}

std::unique_ptr<cMySQL> cMySQL::connectAnother() const
{
    auto other = loginCopy();
    other->real_connect(m_host, m_user, m_password, m_database, m_port, m_unixSocket, m_clientFlags & ~kCompressFlag,
                        m_charset);
    return other;
}

void cMySQL::recordThreadId()
{
    QSettings ini(Paths::configIni(), QSettings::IniFormat);
    const QString old = ini.value(u"LPID/"_s + m_user).toString();
    ini.setValue(u"LPID2/"_s + m_user, old);
    ini.setValue(u"LPID/"_s + m_user, QString::number(m_threadId));
}

bool cMySQL::applyCharset()
{
    // The handshake already asks for the character set; this repairs servers that ignore it.
    auto rs = query(u"SHOW VARIABLES like 'character_set_client'"_s, true);
    if (rs && rs->rowCount() > 0 && rs->value(0, 1).compare(m_charset, Qt::CaseInsensitive) != 0)
        query(u"set names "_s + m_charset, true);
    return true;
}

bool cMySQL::reconnect()
{
    const quint32 oldThread = m_threadId;
    const quint16 oldPort = m_localPort;
    close();
    try {
        real_connect(m_host, m_user, m_password, m_database, m_port, m_unixSocket,
                     m_clientFlags & ~kCompressFlag, m_charset);
    } catch (const DbError& e) {
        qCWarning(lcData) << "reconnect failed:" << e.description();
        return false;
    }
    ++m_reconnects;
    // A restarted server numbers its threads afresh, and the old number may now be another desk's
    // connection: over TCP only a thread still connected from our old port is ours to kill.
    if (oldPort == 0 || connectedFrom(oldThread, oldPort))
        kill(oldThread);
    return true;
}

bool cMySQL::connectedFrom(quint32 threadId, quint16 port)
{
    const RecordSetPtr rs =
        query(u"SELECT HOST FROM information_schema.PROCESSLIST WHERE ID = "_s + QString::number(threadId), true);
    return rs && rs->rowCount() > 0 && rs->value(0, 0).endsWith(u':' + QString::number(port));
}

// An idle connection receives nothing unless the server closed it (a KILL, a restart): found before
// sending, the statement goes to a fresh connection instead of being lost with the old one, and
// nobody has to guess whether it ran.
bool cMySQL::droppedWhileIdle() const
{
    const my_socket fd = mysql_get_socket(m_handle);
    if (fd < 0)
        return true;
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0;
}

RecordSetPtr cMySQL::query(const QString& sql, bool silent)
{
    m_affected = -1;
    QByteArray bytes;
    // Text the code page cannot hold is refused before sending: the server would keep it as "?"
    // for good, and the operator would learn it only on reading the record back.
    try {
        bytes = Cp949::encode(sql);
    } catch (const AppError& e) {
        m_lastErrno = static_cast<unsigned int>(e.number());
        m_lastError = e.description();
        if (!silent)
            MsgWarn(e.description());
        return nullptr;
    }

    // Inside a transaction the server has rolled the whole of it back on a deadlock or a lost
    // connection: running the last statement again on its own would keep half a document (a
    // balance move without its sale line). The caller's transaction fails instead.
    const bool inTransaction = this->inTransaction();
    // After the loss or the deadlock the session is in autocommit: what the caller's transaction still
    // sends up to its end would be stored alone, so it is refused unsent.
    if (m_transactionLost || m_transactionRolledBack) {
        if (startsWith(bytes, "ROLLBACK") || startsWith(bytes, "START") || startsWith(bytes, "BEGIN")) {
            m_transactionLost = m_transactionRolledBack = false;
        } else {
            m_lastErrno = m_transactionLost ? CR_SERVER_GONE_ERROR : ER_LOCK_DEADLOCK;
            m_lastError = m_transactionLost ? kLostInTransaction : kRolledBackAfterDeadlock;
            m_affected = -1;
            // The caller's COMMIT ends its transaction all the same: what it sends next is its own.
            if (!m_transactionLost && startsWith(bytes, "COMMIT"))
                m_transactionRolledBack = false;
            return nullptr;
        }
    }
    bool reconnectTried = false;
    if (m_handle && droppedWhileIdle()) {
        reconnectTried = true;
        if (!reconnect())
            return unreachable();
        if (inTransaction) {
            m_transactionLost = !startsWith(bytes, "ROLLBACK");
            m_lastErrno = CR_SERVER_GONE_ERROR;
            m_lastError = kLostInTransaction;
            return fail(sql, silent, inTransaction);
        }
    }
    int deadlockRetries = 0;
    for (;;) {
        if (m_handle && mysql_real_query(m_handle, bytes.constData(), static_cast<unsigned long>(bytes.size())) == 0) {
            MYSQL_RES* result = mysql_store_result(m_handle);
            // Columns sent without their rows: the statement failed while it ran (a deadlock's victim,
            // a cluster's abort, the connection lost) and is handled as any failed statement, never
            // as a read that found nothing.
            if (result || mysql_field_count(m_handle) == 0) {
                m_lastErrno = 0;
                m_lastError.clear();
                return resultOf(result);
            }
        }
        const unsigned int err = !m_handle ? CR_SERVER_GONE_ERROR
            : mysql_errno(m_handle) != 0 ? mysql_errno(m_handle)
                                         : CR_UNKNOWN_ERROR;
        m_lastErrno = err;
        m_lastError = m_handle ? libraryText(m_handle) : u"not connected"_s;

        if (err == ER_LOCK_DEADLOCK) {
            m_transactionRolledBack = inTransaction && !startsWith(bytes, "COMMIT") && !startsWith(bytes, "ROLLBACK");
            QDir().mkpath(Paths::logFolder());
            LogFile::appendLine(Paths::logFolder() + u"/Deadlock_log.txt"_s,
                       Clock::now().toString(u"yyyy-MM-dd hh:mm:ss"_s) + u' ' + SqlSecrets::masked(sql));
        }
        if (isLostConnection(err) && !reconnectTried) {
            reconnectTried = true;
            if (!reconnect())
                return unreachable();
            // The server may have carried out a statement whose answer was lost: a write is reported,
            // never sent again (nor a COMMIT, which is inside a transaction).
            if (!inTransaction && (err != CR_SERVER_LOST || repeatable(bytes)))
                continue;
            // A COMMIT or ROLLBACK cut off has ended the transaction one way or the other.
            m_transactionLost = inTransaction && !startsWith(bytes, "COMMIT") && !startsWith(bytes, "ROLLBACK");
            m_lastErrno = err;
            m_lastError = startsWith(bytes, "COMMIT") ? kCommitOutcomeUnknown
                : inTransaction
                ? kLostInTransaction
                : u"the connection was lost while the server ran the statement; it was not sent again"_s;
            return fail(sql, silent, inTransaction);
        }
        // A cluster node that lost its peers during a COMMIT cannot tell whether the others stored it.
        if (err == ER_ERROR_DURING_COMMIT && startsWith(bytes, "COMMIT"))
            m_lastError = kCommitOutcomeUnknown + u" ("_s + m_lastError + u')';
        if (err == ER_LOCK_DEADLOCK && deadlockRetries < kDeadlockRetries && !inTransaction) {
            ++deadlockRetries;
            QThread::msleep(kDeadlockWaitMs);
            if (!reconnect())
                return unreachable();
            continue;
        }
        return fail(sql, silent, inTransaction);
    }
}

// The server cannot be reached again: nothing comes back, and the error stays for the caller.
RecordSetPtr cMySQL::unreachable()
{
    m_affected = -1;
    return nullptr;
}

RecordSetPtr cMySQL::fail(const QString& sql, bool silent, bool inTransaction)
{
    m_affected = -1;
    m_failedSql = sql;
    const bool retried = m_retryingTransaction && inTransaction
        && (m_lastErrno == ER_LOCK_DEADLOCK || isLostConnection(m_lastErrno));
    if (!retried)
        reportFailure(sql, silent);
    return nullptr;
}

void cMySQL::reportLastFailure()
{
    reportFailure(m_failedSql, false);
}

RecordSetPtr cMySQL::resultOf(MYSQL_RES* res)
{
    m_affected = static_cast<qint32>(static_cast<quint32>(mysql_affected_rows(m_handle)));
    if (!res)
        return nullptr;
    const unsigned int cols = mysql_num_fields(res);
    const MYSQL_FIELD* fields = mysql_fetch_fields(res);
    QStringList labels;
    labels.reserve(static_cast<qsizetype>(cols));
    for (unsigned int c = 0; c < cols; ++c)
        labels.append(Cp949::decode(fields[c].name, static_cast<qsizetype>(fields[c].name_length)));

    auto rs = std::make_shared<RecordSet>();
    rs->setFields(labels);
    rs->adopt(res);
    rs->finish();
    return rs;
}

void cMySQL::reportFailure(const QString& sql, bool silent)
{
    qCWarning(lcData) << "statement failed:" << m_lastErrno << m_lastError;
    if (silent)
        return;
    Prompter::current().error(StdErrorText(m_lastErrno, m_lastError, u"query"_s, u"Module"_s, u"cMySQL"_s)
                                  + vbCrLf + vbCrLf + SqlSecrets::masked(sql),
                              UserSettings::appTitle());
}

qint32 cMySQL::insert_id() const
{
    return m_handle ? static_cast<qint32>(static_cast<quint32>(mysql_insert_id(m_handle))) : 0;
}

int cMySQL::ping()
{
    return m_handle ? mysql_ping(m_handle) : -1;
}

int cMySQL::kill(quint32 threadId)
{
    if (!m_handle || threadId == 0)
        return -1;
    const QByteArray sql = "KILL " + QByteArray::number(threadId);
    return mysql_real_query(m_handle, sql.constData(), static_cast<unsigned long>(sql.size()));
}

QString cMySQL::get_server_info() const
{
    return m_handle ? QString::fromLatin1(mysql_get_server_info(m_handle)) : QString();
}

QString cMySQL::get_client_info()
{
    return QString::fromLatin1(mysql_get_client_info());
}

} // namespace asv
