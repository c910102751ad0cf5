#pragma once

#include <QString>
#include <QTemporaryDir>

namespace asv::test {

// The load test's own server, started by scripts/testdb in a folder of the test, so that killing
// and restarting it never touches the server the other tests share. While it lives, the test
// account variables of this process (and of the desks it starts) point at it.
class LoadServer {
public:
    // options: extra server options. Throws when the server does not start.
    explicit LoadServer(const QString& options);
    ~LoadServer();
    LoadServer(const LoadServer&) = delete;
    LoadServer& operator=(const LoadServer&) = delete;

    // SIGKILL, as a power cut would, and the start again on the same port. Throws when it does
    // not come back.
    void killAndRestart();

private:
    QString script(const QString& command) const;
    qint64 pid() const;

    QTemporaryDir m_dir;
    QString m_options;
    QString m_port;
};

} // namespace asv::test
