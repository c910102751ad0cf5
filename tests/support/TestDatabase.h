#pragma once

#include "QtPrinters.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace asv {
class cMySQL;
}

namespace asv::test {

struct ServerAccount {
    QString host; // "127.0.0.1:<port>"
    QString user;
    QString password;
};

// The private server started by scripts/testdb, read from the environment or from its env file.
ServerAccount testServer();
// The cluster started by scripts/testdb cluster: host lists its three nodes; no user when it is
// not running. clusterNode(n) is node n alone (1-3); clusterSetting("PIDFILE_1") one of its variables.
ServerAccount testCluster();
QString clusterNode(int n);
QString clusterSetting(const QString& name);

// One uniquely named database for one test, opened as the program's connection (DBInit), in a
// program folder of its own; dropped again at the end.
class TestDatabase {
public:
    enum class Structure { Empty, Base, Current };

    // On the test server, or on the server (or cluster nodes) given.
    explicit TestDatabase(Structure structure = Structure::Current, std::optional<ServerAccount> server = {});
    ~TestDatabase();

    const QString& name() const { return m_name; }
    QString programFolder() const { return m_home.path(); }
    // A second connection for things the program's own must not do (KILL, checks).
    cMySQL& admin();
    // Reconnects the program's connection to this database.
    void reopen();

private:
    ServerAccount m_server;
    QString m_name;
    QTemporaryDir m_home;
    std::unique_ptr<cMySQL> m_admin;
};

} // namespace asv::test
