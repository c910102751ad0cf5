#include "LoadFaults.h"

#include "LoadDocument.h"
#include "LoadServer.h"
#include "TestDatabase.h"
#include "cMySQL.h"
#include "RecordSet.h"

#include <QThread>

using namespace Qt::StringLiterals;

namespace asv::test {

namespace {

// Longer than the server's lock wait timeout the test starts it with.
constexpr int kHoldMs = 3000;
constexpr qint64 kLastFaultMs = 240000;

} // namespace

LoadFaults::LoadFaults(const QString& database, LoadServer& server, quint64 seed)
    : m_database(database), m_server(server), m_rng(seed)
{
    // Every kind early, in an order of the seed, so that a short run still meets each; then mostly
    // killed connections, and a restart every eight to twelve seconds.
    QList<Kind> first{KillConnection, LockWait, Deadlock, Restart};
    std::shuffle(first.begin(), first.end(), m_rng);
    qint64 at = 400;
    for (Kind kind : first) {
        m_schedule.append({at, kind});
        at += 400 + static_cast<qint64>(m_rng() % 600);
    }
    qint64 nextRestart = at + 8000;
    while (at < kLastFaultMs) {
        at += 100 + static_cast<qint64>(m_rng() % 400);
        const int roll = static_cast<int>(m_rng() % 100);
        Kind kind = roll < 88 ? KillConnection : roll < 95 ? Deadlock : LockWait;
        if (at >= nextRestart) {
            kind = Restart;
            nextRestart = at + 8000 + static_cast<qint64>(m_rng() % 4000);
        }
        m_schedule.append({at, kind});
    }
}

LoadFaults::~LoadFaults() = default;

void LoadFaults::runDue(qint64 elapsedMs)
{
    while (m_next < m_schedule.size() && m_schedule[m_next].atMs <= elapsedMs) {
        const Kind kind = m_schedule[m_next++].kind;
        if (kind == KillConnection)
            killConnection();
        else if (kind == Restart)
            m_server.killAndRestart();
        else if (kind == LockWait)
            holdLock();
        else
            provokeDeadlock();
        ++m_injected[kind];
    }
}

cMySQL& LoadFaults::session(int index)
{
    std::unique_ptr<cMySQL>& s = m_sessions[index];
    if (!s) {
        const ServerAccount a = testServer();
        s = std::make_unique<cMySQL>();
        s->real_connect(a.host, a.user, a.password, m_database, 3306, {}, 0, u"euckr"_s);
    }
    return *s;
}

QString LoadFaults::anyCustomer()
{
    return loadCustomer(static_cast<int>(m_rng() % kLoadCustomers));
}

// One of the desks' connections, whatever it is doing.
void LoadFaults::killConnection()
{
    cMySQL& s = session(0);
    const RecordSetPtr rs =
        s.query(u"SELECT ID FROM information_schema.PROCESSLIST WHERE DB = '%1' AND ID <> CONNECTION_ID()"
                u" AND ID <> %2"_s.arg(m_database)
                    .arg(session(1).thread_id()),
                true);
    if (!rs || rs->rowCount() == 0)
        return;
    const QString id = rs->value(static_cast<int>(m_rng() % static_cast<quint64>(rs->rowCount())), 0);
    s.query(u"KILL "_s + id, true);
}

// Desks writing for this customer wait on its row until the server gives up on them.
void LoadFaults::holdLock()
{
    cMySQL& s = session(1);
    s.query(u"START TRANSACTION"_s, true);
    s.query(u"SELECT code FROM customer WHERE code = '%1' FOR UPDATE"_s.arg(anyCustomer()), true);
    QThread::msleep(kHoldMs);
    s.query(u"ROLLBACK"_s, true);
}

// The desks take a payment's row before its customer's; this takes the customer first, then the
// customer's payments. Rows written first make this transaction the heavier one, so the server
// picks the desk's as the victim.
void LoadFaults::provokeDeadlock()
{
    cMySQL& s = session(1);
    const int before = serverDeadlocks();
    const QString customer = anyCustomer();
    s.query(u"SET SESSION innodb_lock_wait_timeout = 10"_s, true);
    s.query(u"START TRANSACTION"_s, true);
    s.query(u"INSERT INTO load_weight (n) SELECT seq FROM seq_1_to_300"_s, true);
    s.query(u"SELECT code FROM customer WHERE code = '%1' FOR UPDATE"_s.arg(customer), true);
    QThread::msleep(700);
    s.query(u"SELECT code FROM receive WHERE ccode = '%1' FOR UPDATE"_s.arg(customer), true);
    s.query(u"ROLLBACK"_s, true);
    m_deadlocksSeen += std::max(0, serverDeadlocks() - before);
}

int LoadFaults::serverDeadlocks()
{
    const RecordSetPtr rs = session(0).query(u"SHOW GLOBAL STATUS LIKE 'Innodb_deadlocks'"_s, true);
    return rs && rs->rowCount() > 0 ? rs->value(0, 1).toInt() : 0;
}

} // namespace asv::test
