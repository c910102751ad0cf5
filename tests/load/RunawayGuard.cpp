#include "RunawayGuard.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <chrono>
#include <signal.h>

namespace asv::test {

RunawayGuard::RunawayGuard(std::function<qint64(int)> pidOf, qint64 limitKb)
    : m_pidOf(std::move(pidOf)), m_limitKb(limitKb), m_thread([this] { watch(); })
{
}

RunawayGuard::~RunawayGuard()
{
    m_stop = true;
    m_thread.join();
}

qint64 RunawayGuard::residentKb(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return 0;
}

void RunawayGuard::watch()
{
    while (!m_stop) {
        for (int node = 1; node <= 3; ++node) {
            const qint64 pid = m_pidOf(node);
            if (const qint64 kb = pid > 0 ? residentKb(pid) : 0; kb > m_limitKb) {
                ::kill(static_cast<pid_t>(pid), SIGKILL);
                const std::lock_guard lock(m_mutex);
                m_kills.append({node, kb / 1024});
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

std::optional<RunawayGuard::Kill> RunawayGuard::takeKill()
{
    const std::lock_guard lock(m_mutex);
    if (m_kills.isEmpty())
        return std::nullopt;
    return m_kills.takeFirst();
}

bool RunawayGuard::growing() const
{
    for (int node = 1; node <= 3; ++node)
        if (const qint64 pid = m_pidOf(node); pid > 0 && residentKb(pid) > m_limitKb / 2)
            return true;
    return false;
}

} // namespace asv::test
