#include "ClusterFaults.h"

#include "TestDatabase.h"
#include "cMySQL.h"
#include "RecordSet.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <signal.h>

using namespace Qt::StringLiterals;

namespace asv::test {

namespace {

// Early: ten thousand operations take the desks about fifteen seconds here.
constexpr qint64 kKillAtMs = 1500;
constexpr qint64 kRestartAtMs = 4000;
constexpr qint64 kPauseAtMs = 6000;
// Past the cluster's five seconds of suspicion and the eviction that follows.
constexpr qint64 kPausedMs = 8000;

QString status(const QString& node, const QString& name)
{
    try {
        const ServerAccount a = testCluster();
        cMySQL c;
        c.real_connect(node, a.user, a.password, {}, 3306, {}, 0, u"euckr"_s);
        const RecordSetPtr rs = c.query(u"SHOW STATUS LIKE '"_s + name + u'\'', true);
        return rs && rs->rowCount() > 0 ? rs->value(0, 1) : QString();
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace

ClusterFaults::ClusterFaults(int killedNode, int pausedNode) : m_killedNode(killedNode), m_pausedNode(pausedNode) {}

ClusterFaults::~ClusterFaults()
{
    if (m_pausedPid > 0)
        ::kill(static_cast<pid_t>(m_pausedPid), SIGCONT);
    m_restart.waitForFinished(300000);
}

qint64 ClusterFaults::pid(int node)
{
    QFile f(clusterSetting(u"PIDFILE_%1"_s.arg(node)));
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toLongLong() : 0;
}

void ClusterFaults::runDue(qint64 elapsedMs)
{
    const qint64 due[] = {kKillAtMs, kRestartAtMs, kPauseAtMs, kPauseAtMs + kPausedMs};
    if (m_step < 4 && elapsedMs >= due[m_step])
        step(true);
}

void ClusterFaults::step(bool counted)
{
    switch (m_step++) {
    case 0:
        if (const qint64 node = pid(m_killedNode); node > 0 && ::kill(static_cast<pid_t>(node), SIGKILL) == 0)
            m_killed += counted;
        break;
    case 1:
        m_restart.start(QStringLiteral(ASV_SOURCE_DIR) + u"/scripts/testdb"_s,
                        {u"cluster"_s, u"restart-node"_s, QString::number(m_killedNode)});
        break;
    case 2:
        m_pausedPid = pid(m_pausedNode);
        if (m_pausedPid > 0)
            ::kill(static_cast<pid_t>(m_pausedPid), SIGSTOP);
        break;
    case 3:
        if (m_pausedPid > 0 && ::kill(static_cast<pid_t>(m_pausedPid), SIGCONT) == 0)
            m_paused += counted;
        m_pausedPid = 0;
        break;
    }
}

bool ClusterFaults::settle()
{
    // What the desks did not live to see is done now, and not counted.
    while (m_step < 4)
        step(false);
    if (m_restart.state() != QProcess::NotRunning)
        m_restart.waitForFinished(300000);
    if (m_restart.state() != QProcess::NotRunning || m_restart.exitStatus() != QProcess::NormalExit
        || m_restart.exitCode() != 0)
        return false;
    QElapsedTimer clock;
    clock.start();
    const auto synced = [] {
        for (int node = 1; node <= 3; ++node) {
            if (status(clusterNode(node), u"wsrep_local_state_comment"_s) != u"Synced"_s
                || status(clusterNode(node), u"wsrep_cluster_size"_s) != u"3"_s)
                return false;
        }
        return true;
    };
    while (!synced()) {
        if (clock.elapsed() > 120000)
            return false;
        QThread::msleep(200);
    }
    return true;
}

} // namespace asv::test
