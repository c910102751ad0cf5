#include "CallerIdService.h"

#include "CallerIdSource.h"
#include "ConfigKeys.h"
#include "modMsgBox.h"

using namespace Qt::StringLiterals;

namespace asv {

using namespace ConfigKeys;

CallerIdService::CallerIdService(QObject* parent) : QObject(parent) {}

CallerIdService::~CallerIdService()
{
    // No signal from here: its receiver, the main window, may be half destroyed already.
    closeLines();
}

void CallerIdService::open()
{
    close();
    m_openedWith = CallerIdSource::configuration();
    CallerIdSource* source = CallerIdSource::create(CallerIdDevice.get(), this);
    if (!source)
        return;
    QList<std::pair<int, int>> lines; // line, port
    if (source->usesPorts()) {
        for (int i = 0; i < CallerIdPorts.size(); ++i) {
            if (const int port = CallerIdPorts[i].get(); port > 0)
                lines.append({i + 1, port});
        }
    } else {
        lines.append({1, 0});
    }
    if (lines.isEmpty()) {
        delete source;
        return;
    }
    m_source = source;
    connect(source, &CallerIdSource::callerNumber, this, &CallerIdService::callerNumber);
    connect(source, &CallerIdSource::lineStatus, this, &CallerIdService::lineStatusChanged);
    emit deviceOpened();
    emit answering(false);
    for (const auto& [line, port] : lines) {
        if (!source->openLine(line, port)) {
            MsgInfo(u"포트 "_s + source->placeOf(line, port) + u"으로 SEE ID OPEN에 실패했습니다."_s);
            continue;
        }
        m_ports.insert(line, port);
        // A server is only known to answer once it says so.
        if (source->usesPorts())
            emit answering(true);
    }
}

void CallerIdService::close()
{
    if (closeLines())
        emit answering(false);
}

bool CallerIdService::closeLines()
{
    if (!m_source)
        return false;
    // Closing is not a failure to report as one.
    m_source->disconnect(this);
    for (auto it = m_ports.cbegin(); it != m_ports.cend(); ++it) {
        if (!m_source->closeLine(it.key()))
            MsgInfo(u"포트 "_s + m_source->placeOf(it.key(), it.value()) + u"으로 SEE ID CLOSE에 실패했습니다."_s);
    }
    m_ports.clear();
    // The source may be inside one of its own signals (a number opened the desk, the desk closed it).
    m_source->deleteLater();
    m_source = nullptr;
    return true;
}

void CallerIdService::reopenIfSettingsChanged()
{
    if (CallerIdSource::configuration() != m_openedWith)
        open();
}

void CallerIdService::lineStatusChanged(int line, const QString& status)
{
    const bool connected = status == u"CONNECT"_s;
    emit answering(connected);
    if (!connected)
        MsgInfo(u"포트 ["_s + m_source->placeOf(line, m_ports.value(line)) + u"] 으로 SEE ID OPEN에 실패했습니다."_s);
}

} // namespace asv
