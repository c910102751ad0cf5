#include "NodeFailback.h"

#include "cMySQL.h"

namespace asv {

NodeFailback::NodeFailback(cMySQL& db, std::function<void(const QString& node)> shown, int intervalMs)
    : m_db(db), m_shown(std::move(shown))
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    m_timer.start(intervalMs);
    m_lastShown = m_db.node();
    m_shown(m_lastShown);
}

NodeFailback::~NodeFailback()
{
    if (m_check.valid())
        m_check.wait();
}

void NodeFailback::tick()
{
    const QString first = m_db.nodes().first();
    if (m_check.valid() && m_check.wait_for(std::chrono::seconds(0)) == std::future_status::ready
        && m_check.get())
        m_db.returnToFirstNode();
    if (m_db.node() != m_lastShown) {
        m_lastShown = m_db.node();
        m_shown(m_lastShown);
    }
    if (!m_check.valid() && m_db.node() != first)
        m_check = std::async(std::launch::async,
                             [login = std::shared_ptr<const cMySQL>(m_db.loginCopy()), first] {
                                 return login->nodeSynced(first);
                             });
}

} // namespace asv
