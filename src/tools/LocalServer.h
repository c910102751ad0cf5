#pragma once

#include <QObject>
#include <QStringList>
#include <memory>
#include <QProcess>
#include <QString>

namespace asv {

struct ConnectionProfile;
class cMySQL;

// A private MariaDB server under the program folder for an office of one PC: its own data
// directory, socket and loopback port. It is started by the program and stopped when it ends.
// Its administrator accounts answer only on the socket and only to the operating-system user
// (unix_socket); the program works through an account of the installation's own.
class LocalServer : public QObject {
    Q_OBJECT
public:
    struct Account {
        QString user;
        QString password;
        QString database;
    };

    explicit LocalServer(QString folder = {}, QObject* parent = nullptr);
    ~LocalServer() override;

    // Initialises the data directory when needed and starts the server; the event loop keeps
    // running while it waits, so windows stay responsive. False with error() on failure.
    // Every start also makes sure no administrator answers over TCP (see secureAdministrator).
    // A server started detached outlives this process (the command-line tool starts one that
    // way); otherwise it ends with the program, even one that is killed.
    bool start(int timeoutMs = 20000, bool detached = false);
    // Creates the database in euckr and the account when missing (the account's password is set
    // to the given one), installs the current structure into a new database; true when the
    // database is ready.
    bool prepare(const Account& account);
    // prepare() for the connection profile. A profile still on the maker's shared account (a new
    // installation, or one made before local servers had their own) is moved to an account of its
    // own with a generated password, written back to the profile, and the shared account is
    // removed from this server; a profile without a password gets a generated one the same way.
    bool prepare(ConnectionProfile& profile);

    // What the program's account who (as 'user'@'host') may do: everything in the database, and in
    // the databases beside it that a restore loads into and keeps the replaced tables in.
    static QStringList grants(const QString& who, const QString& database);
    // Creates the account who when missing, sets its password and gives it grants().
    static QStringList accountStatements(const QString& who, const QString& password, const QString& database);
    // The account the program connects as on a local server.
    static QString ownAccount();
    // The operating-system user, whose account administers the server through the socket.
    static QString administrator();
    // Stops the server this object started.
    void stop();
    // Stops whatever server runs on this folder, started here or elsewhere.
    bool stopAny(int timeoutMs = 20000);

    bool isRunning() const;
    quint16 port() const { return m_port; }
    // "127.0.0.1:<port>" for the connection profile.
    QString host() const;
    QString socketPath() const;
    QString folder() const { return m_folder; }
    const QString& error() const { return m_error; }

    // A server another process of ours started on this folder (pid file alive), or 0.
    qint64 runningPid() const;

private:
    bool initialise();
    bool waitUntilAnswering(int timeoutMs);
    std::unique_ptr<cMySQL> connectAdministrator();
    bool runRootStatements(const QStringList& statements);
    bool secureAdministrator();
    quint16 choosePort() const;
    QString tempFolder() const;

    QString m_folder;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
    bool m_startedHere = false;
};

} // namespace asv
