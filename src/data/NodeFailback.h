#pragma once

#include <QString>
#include <QTimer>
#include <functional>
#include <future>

namespace asv {

class cMySQL;

// Brings a connection that moved to another node of a cluster back to the office's own node once
// that is Synced again. The node is asked on a thread of its own, so one that does not answer
// never holds the desk; the move waits until no transaction is open. shown hears the node in use
// whenever it changes, and once at the start.
class NodeFailback {
public:
    NodeFailback(cMySQL& db, std::function<void(const QString& node)> shown, int intervalMs = 5000);
    ~NodeFailback();
    NodeFailback(const NodeFailback&) = delete;
    NodeFailback& operator=(const NodeFailback&) = delete;

    // One round at once, for tests: the answer of a check that ran, then the next check.
    void tick();

private:
    cMySQL& m_db;
    std::function<void(const QString&)> m_shown;
    QTimer m_timer;
    std::future<bool> m_check;
    QString m_lastShown;
};

} // namespace asv
