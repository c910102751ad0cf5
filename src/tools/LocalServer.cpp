#include "LocalServer.h"

#include "BaseSchema.h"
#include "ConnectionProfile.h"
#include "DbError.h"
#include "Paths.h"
#include "TableSwap.h"
#include "UserSettings.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// The server's "access denied" answers, with and without a password given.
constexpr long kAccessDenied = 1045;
constexpr long kAccessDeniedNoPassword = 1698;

// Lets the event loop run for a moment without returning to the caller.
void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QString program(const QString& name)
{
    const QString found = QStandardPaths::findExecutable(name);
    if (!found.isEmpty())
        return found;
    return QStandardPaths::findExecutable(name, {u"/usr/sbin"_s, u"/usr/bin"_s, u"/usr/local/sbin"_s});
}

QString quoted(const QString& text)
{
    return u"'"_s + SQLQuote(text) + u"'"_s;
}

// The program's account answers on both ways a client reaches the server here.
QStringList accountNames(const QString& user)
{
    return {quoted(user) + u"@'localhost'"_s, quoted(user) + u"@'127.0.0.1'"_s};
}

} // namespace

LocalServer::LocalServer(QString folder, QObject* parent)
    : QObject(parent), m_folder(folder.isEmpty() ? Paths::file(u"localdb"_s) : std::move(folder))
{
}

LocalServer::~LocalServer()
{
    stop();
}

QString LocalServer::ownAccount()
{
    return u"asvelmora"_s;
}

QString LocalServer::administrator()
{
    const passwd* pw = ::getpwuid(::geteuid());
    return pw ? QString::fromLocal8Bit(pw->pw_name) : u"root"_s;
}

// Servers sharing a temporary folder overwrite each other's internal temporary tables and crash
// (seen with several servers on one machine, e.g. a test server beside the program's own).
QString LocalServer::tempFolder() const
{
    return m_folder + u"/tmp"_s;
}

QString LocalServer::host() const
{
    return u"127.0.0.1:"_s + QString::number(m_port);
}

QString LocalServer::socketPath() const
{
    return m_folder + u"/mysqld.sock"_s;
}

qint64 LocalServer::runningPid() const
{
    QFile f(m_folder + u"/mysqld.pid"_s);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const qint64 pid = f.readAll().trimmed().toLongLong();
    if (pid <= 0)
        return 0;
    QFile status(u"/proc/%1/status"_s.arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray s = status.readAll();
    // A zombie still answers kill(0); it is not a server.
    return s.contains("State:\tZ") ? 0 : pid;
}

bool LocalServer::isRunning() const
{
    return m_process.state() != QProcess::NotRunning || runningPid() != 0;
}

quint16 LocalServer::choosePort() const
{
    const quint16 remembered = static_cast<quint16>(UserSettings::get(u"LocalServer"_s, u"Port"_s, u"0"_s).toUInt());
    QTcpServer probe;
    if (remembered != 0 && probe.listen(QHostAddress::LocalHost, remembered)) {
        probe.close();
        return remembered;
    }
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

bool LocalServer::initialise()
{
    if (QFile::exists(m_folder + u"/data/mysql"_s))
        return true;
    const QString installer = program(u"mariadb-install-db"_s);
    if (installer.isEmpty()) {
        m_error = u"MariaDB 서버가 설치되어 있지 않습니다. (mariadb-install-db를 찾을 수 없습니다.)"_s;
        return false;
    }
    QDir(m_folder + u"/data"_s).removeRecursively();
    QDir().mkpath(tempFolder());
    QProcess init;
    init.setProcessChannelMode(QProcess::MergedChannels);
    QStringList args{u"--no-defaults"_s, u"--datadir="_s + m_folder + u"/data"_s, u"--tmpdir="_s + tempFolder(),
                     u"--auth-root-authentication-method=socket"_s,
                     u"--auth-root-socket-user="_s + administrator(), u"--skip-test-db"_s,
                     u"--skip-name-resolve"_s};
    if (::geteuid() == 0)
        args << u"--user=root"_s;
    init.start(installer, args);
    QDeadlineTimer deadline(60000);
    while (init.state() != QProcess::NotRunning && !deadline.hasExpired())
        pause(50);
    if (init.state() != QProcess::NotRunning || init.exitCode() != 0) {
        m_error = u"데이터베이스 초기화에 실패했습니다."_s + u"\n"_s + QString::fromLocal8Bit(init.readAll());
        init.kill();
        return false;
    }
    return true;
}

bool LocalServer::start(int timeoutMs, bool detached)
{
    m_error.clear();
    if (runningPid() != 0) {
        m_port = static_cast<quint16>(UserSettings::get(u"LocalServer"_s, u"Port"_s, u"0"_s).toUInt());
        return waitUntilAnswering(timeoutMs) && secureAdministrator();
    }
    if (!initialise())
        return false;
    const QString server = program(u"mariadbd"_s);
    if (server.isEmpty()) {
        m_error = u"MariaDB 서버가 설치되어 있지 않습니다. (mariadbd를 찾을 수 없습니다.)"_s;
        return false;
    }
    m_port = choosePort();
    UserSettings::set(u"LocalServer"_s, u"Port"_s, m_port);
    QDir().mkpath(tempFolder());
    QStringList args{u"--no-defaults"_s,
                     u"--datadir="_s + m_folder + u"/data"_s,
                     u"--tmpdir="_s + tempFolder(),
                     u"--socket="_s + socketPath(),
                     u"--pid-file="_s + m_folder + u"/mysqld.pid"_s,
                     u"--port="_s + QString::number(m_port),
                     u"--bind-address=127.0.0.1"_s,
                     u"--log-error="_s + m_folder + u"/mysqld.err"_s,
                     u"--skip-name-resolve"_s,
                     u"--innodb-buffer-pool-size=128M"_s,
                     u"--innodb-log-file-size=32M"_s};
    if (::geteuid() == 0)
        args << u"--user=root"_s;
    if (detached) {
        if (!QProcess::startDetached(server, args)) {
            m_error = u"데이터베이스 서버를 시작할 수 없습니다."_s;
            return false;
        }
        return waitUntilAnswering(timeoutMs) && secureAdministrator();
    }
    // Only an abnormal end of the program reaches the server this way (a normal one stops it first).
    // The server ignores SIGTERM while it opens its socket, so it is killed; committed work is
    // safe in its log all the same.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(server, args);
    if (!m_process.waitForStarted(5000)) {
        m_error = u"데이터베이스 서버를 시작할 수 없습니다: "_s + m_process.errorString();
        return false;
    }
    m_startedHere = true;
    return waitUntilAnswering(timeoutMs) && secureAdministrator();
}

bool LocalServer::waitUntilAnswering(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (m_startedHere && m_process.state() == QProcess::NotRunning) {
            QFile log(m_folder + u"/mysqld.err"_s);
            log.open(QIODevice::ReadOnly);
            m_error = u"데이터베이스 서버가 시작 도중 종료되었습니다."_s + u"\n"_s
                + QString::fromLocal8Bit(log.readAll().right(2000));
            return false;
        }
        if (QFile::exists(socketPath())) {
            try {
                cMySQL probe;
                probe.real_connect(socketPath(), administrator(), {}, {}, 3306, {}, 0, {});
                return true;
            } catch (const DbError& e) {
                // A refused account is an answer too: an older folder still has to be secured.
                if (e.number() == kAccessDenied || e.number() == kAccessDeniedNoPassword)
                    return true;
            }
        }
        pause(50);
    }
    m_error = u"데이터베이스 서버가 응답하지 않습니다."_s;
    return false;
}

// Folders made before the administrator was bound to the socket still have root without a
// password; they are reached that way once, until secureAdministrator() has run.
std::unique_ptr<cMySQL> LocalServer::connectAdministrator()
{
    auto root = std::make_unique<cMySQL>();
    try {
        root->real_connect(socketPath(), administrator(), {}, {}, 3306, {}, 0, u"euckr"_s);
    } catch (const DbError&) {
        root->real_connect(socketPath(), u"root"_s, {}, {}, 3306, {}, 0, u"euckr"_s);
    }
    return root;
}

bool LocalServer::runRootStatements(const QStringList& statements)
{
    try {
        const std::unique_ptr<cMySQL> root = connectAdministrator();
        for (const QString& sql : statements) {
            root->query(sql, true);
            if (root->lastErrno() != 0) {
                m_error = root->lastError() + u"\n"_s + sql;
                return false;
            }
        }
        return true;
    } catch (const std::exception& e) {
        m_error = QString::fromLocal8Bit(e.what());
        return false;
    }
}

// Idempotent, so every start also repairs a folder made before: root and the operating-system
// user log in only through the socket as that user, and no administrator answers over TCP.
bool LocalServer::secureAdministrator()
{
    const QString admin = quoted(administrator()) + u"@'localhost'"_s;
    QStringList statements;
    if (administrator() != u"root"_s)
        statements << u"CREATE USER IF NOT EXISTS "_s + admin + u" IDENTIFIED VIA unix_socket"_s
                   << u"GRANT ALL PRIVILEGES ON *.* TO "_s + admin + u" WITH GRANT OPTION"_s;
    statements << u"ALTER USER 'root'@'localhost' IDENTIFIED VIA mysql_native_password USING 'invalid' OR unix_socket"_s;
    try {
        const std::unique_ptr<cMySQL> root = connectAdministrator();
        const RecordSetPtr others = root->query(
            u"SELECT CONCAT(QUOTE(User), '@', QUOTE(Host)) FROM mysql.user "
            u"WHERE (User = 'root' OR User = '') AND NOT (User = 'root' AND Host = 'localhost')"_s,
            true);
        for (; others && !others->eof(); others->moveNext())
            statements << u"DROP USER "_s + others->field(0);
    } catch (const std::exception& e) {
        m_error = QString::fromLocal8Bit(e.what());
        return false;
    }
    return runRootStatements(statements);
}

QStringList LocalServer::grants(const QString& who, const QString& database)
{
    return {u"GRANT ALL PRIVILEGES ON `"_s + database + u"`.* TO "_s + who,
            u"GRANT ALL PRIVILEGES ON `"_s + TableSwap::besidePattern(database) + u"`.* TO "_s + who};
}

QStringList LocalServer::accountStatements(const QString& who, const QString& password, const QString& database)
{
    const QString identified = u" IDENTIFIED BY "_s + quoted(password);
    return QStringList{u"CREATE USER IF NOT EXISTS "_s + who + identified, u"ALTER USER "_s + who + identified}
        + grants(who, database);
}

bool LocalServer::prepare(const Account& account)
{
    // The port answers every local process: no account of ours opens it without a password.
    if (account.password.isEmpty()) {
        m_error = u"로컬 서버의 계정에는 암호가 있어야 합니다."_s;
        return false;
    }
    const QString db = u"`"_s + account.database + u"`"_s;
    QStringList statements{u"CREATE DATABASE IF NOT EXISTS "_s + db + u" DEFAULT CHARACTER SET euckr"_s};
    for (const QString& who : accountNames(account.user))
        statements << accountStatements(who, account.password, account.database);
    if (!runRootStatements(statements))
        return false;
    if (!DBInit(socketPath(), administrator(), {}, account.database, {}, 0, u"euckr"_s)) {
        m_error = u"데이터베이스에 연결할 수 없습니다."_s;
        return false;
    }
    // An installation, not an upgrade of someone's data: a new database gets the current structure.
    bool ok = true;
    if (DBGetValue(u"SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE()"_s).toInt() == 0)
        ok = BaseSchema::installCurrent();
    DBClose();
    if (!ok)
        m_error = u"데이터베이스 구조를 만들지 못했습니다."_s;
    return ok;
}

bool LocalServer::prepare(ConnectionProfile& profile)
{
    const QString shared = ConnectionProfile::sharedAccount();
    const bool onShared = profile.user == shared;
    if (!onShared && !profile.password.isEmpty())
        return prepare(Account{profile.user, profile.password, profile.database});
    ConnectionProfile own = profile;
    if (onShared)
        own.user = ownAccount();
    own.password = ConnectionProfile::generatePassword();
    own.localServer = true;
    if (!prepare(Account{own.user, own.password, own.database}))
        return false;
    if (onShared && !runRootStatements({u"DROP USER IF EXISTS "_s + accountNames(shared).join(u", "_s)}))
        return false;
    own.write();
    profile = own;
    return true;
}

bool LocalServer::stopAny(int timeoutMs)
{
    if (m_startedHere) {
        stop();
        return true;
    }
    const qint64 pid = runningPid();
    if (pid == 0)
        return true;
    runRootStatements({u"SHUTDOWN"_s});
    QDeadlineTimer deadline(timeoutMs);
    while (runningPid() != 0 && !deadline.hasExpired())
        pause(50);
    if (runningPid() != 0)
        ::kill(static_cast<pid_t>(pid), SIGKILL);
    return runningPid() == 0;
}

void LocalServer::stop()
{
    if (!m_startedHere)
        return;
    m_startedHere = false;
    runRootStatements({u"SHUTDOWN"_s});
    if (!m_process.waitForFinished(15000)) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }
    m_process.waitForFinished(2000);
}

} // namespace asv
