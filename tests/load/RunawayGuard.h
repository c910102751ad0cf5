#pragma once

#include <QList>
#include <QtGlobal>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace asv::test {

// Watches the resident size of the cluster's nodes on a thread of its own, ten times a second, and
// kills (SIGKILL) a node grown past the limit: the desks' loop can be held up for seconds by a node
// that does not answer, and a node was seen to grow by 400 MB a second.
class RunawayGuard {
public:
    struct Kill {
        int node;
        qint64 megabytes;
    };

    // pidOf(node) for nodes 1 to 3; 0 when the node has none.
    RunawayGuard(std::function<qint64(int)> pidOf, qint64 limitKb);
    ~RunawayGuard();
    RunawayGuard(const RunawayGuard&) = delete;
    RunawayGuard& operator=(const RunawayGuard&) = delete;

    // The kills not taken yet, oldest first.
    std::optional<Kill> takeKill();
    // Whether a node is past half the limit: on its way there.
    bool growing() const;

    // The resident size of a process, 0 when it is gone.
    static qint64 residentKb(qint64 pid);

private:
    void watch();

    std::function<qint64(int)> m_pidOf;
    qint64 m_limitKb;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    QList<Kill> m_kills;
    std::thread m_thread;
};

} // namespace asv::test
