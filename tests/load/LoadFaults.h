#pragma once

#include <QList>
#include <QString>
#include <memory>
#include <random>

namespace asv {
class cMySQL;
}

namespace asv::test {

class LoadServer;

// The faults the load test injects while the desks work, on a schedule drawn from the seed: the
// desks' connections killed, the server killed and restarted, a customer's row held beyond the lock
// wait timeout, and a lock taken against the desks' order so that a deadlock strikes them.
class LoadFaults {
public:
    enum Kind { KillConnection, Restart, LockWait, Deadlock, KindCount };

    LoadFaults(const QString& database, LoadServer& server, quint64 seed);
    ~LoadFaults();

    // Injects the faults due at this many milliseconds since the start.
    void runDue(qint64 elapsedMs);

    int injected(Kind kind) const { return m_injected[kind]; }
    // Deadlocks the server counted while the deadlock faults ran.
    int deadlocksSeen() const { return m_deadlocksSeen; }

private:
    struct Due {
        qint64 atMs;
        Kind kind;
    };

    cMySQL& session(int index);
    void killConnection();
    void holdLock();
    void provokeDeadlock();
    int serverDeadlocks();
    QString anyCustomer();

    QString m_database;
    LoadServer& m_server;
    std::mt19937_64 m_rng;
    QList<Due> m_schedule;
    qsizetype m_next = 0;
    std::unique_ptr<cMySQL> m_sessions[2];
    int m_injected[KindCount] = {};
    int m_deadlocksSeen = 0;
};

} // namespace asv::test
