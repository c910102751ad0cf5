#pragma once

#include "RunawayGuard.h"

#include <QList>
#include <QProcess>
#include <QString>

namespace asv::test {

// The faults of the load test on the test cluster: one node paused (SIGSTOP) past the cluster's
// suspect timeout and let go again, so that it finds itself out of the cluster and rejoins; once it
// is back, another killed (SIGKILL, as a power cut) and started again once the others have put it
// out, so that it rejoins by incremental state transfer.
class ClusterFaults {
public:
    ClusterFaults(int killedNode, int pausedNode);
    ~ClusterFaults();

    void runDue(qint64 elapsedMs);
    // After the desks: waits until the restart ended and every node is Synced in a cluster of
    // three; false when that does not happen.
    bool settle();

    // The faults that began and ended while the desks worked.
    int killed() const { return m_killed; }
    // A node killed for running away counts as a node lost, though not on schedule.
    int nodesLost() const { return m_killed + m_runawayKills; }
    int paused() const { return m_paused; }
    // When each fault began and ended, for the report.
    QString timeline() const;
    // A node that grew past all reason, was killed before it took the machine's memory and was
    // started again; empty when none did.
    QString runaway() const { return m_runaway; }
    // Why settle() failed.
    QString failure() const { return m_failure; }

private:
    void step(bool counted);
    void stopRunaway();
    bool restartFinished();
    void restart(int node);
    bool killedNodeDropped() const;
    bool viewHeld(qint64 elapsedMs);
    static qint64 pid(int node);

    int m_killedNode;
    int m_pausedNode;
    int m_step = 0;
    int m_killed = 0;
    int m_paused = 0;
    qint64 m_pausedPid = 0;
    qint64 m_lastStepAtMs = 0; // so that the pause lasts from its start
    QList<qint64> m_stepsAtMs;
    QProcess m_restart;
    RunawayGuard m_guard;
    QString m_runaway;
    QString m_failure;
    int m_runawayNode = 0;
    int m_runawayKills = 0;
    bool m_runawayRestarted = false;
    QString m_view; // the view the three were last seen in together, and since when
    qint64 m_viewSinceMs = 0;
};

} // namespace asv::test
