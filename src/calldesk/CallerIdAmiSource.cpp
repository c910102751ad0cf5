#include "CallerIdAmiSource.h"

#include "CallerIdLog.h"
#include "CallerIdSettings.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

constexpr int kKeepAliveMilliseconds = 30000;
const QString kLoginId = u"login"_s;

} // namespace

CallerIdAmiSource::CallerIdAmiSource(QObject* parent)
    : CallerIdTcpSource(u"pbx"_s, CallerIdSettings::PbxHost.get(), CallerIdSettings::PbxPort.get(), parent),
      m_user(CallerIdSettings::PbxUser.get()), m_secret(CallerIdSettings::PbxSecret.get()),
      m_ring(CallerIdSettings::PbxExtension.get())
{
    m_keepAlive.setInterval(kKeepAliveMilliseconds);
    connect(&m_keepAlive, &QTimer::timeout, this, [this] { send("Action: Ping\r\nActionID: ping\r\n\r\n"); });
}

void CallerIdAmiSource::connected()
{
    m_loggedIn = false;
    m_reader = {};
    const QString login = u"Action: Login\r\nActionID: "_s + kLoginId + u"\r\nUsername: "_s + m_user
        + u"\r\nSecret: "_s + m_secret + u"\r\nEvents: call\r\n\r\n"_s;
    send(login.toUtf8());
    qCInfo(lcCallerId) << "pbx login as" << m_user;
}

void CallerIdAmiSource::lineRead(QByteArrayView line, CallArrival arrived)
{
    const auto message = m_reader.feed(line);
    if (!message)
        return;
    if (message->contains(u"response"_s)) {
        answered(*message);
        return;
    }
    if (const auto number = m_ring.callerOf(*message))
        emit callerNumber(*number, 1, arrived);
}

void CallerIdAmiSource::answered(const CallerIdAmiReader::Message& message)
{
    if (m_loggedIn || message.value(u"actionid"_s) != kLoginId)
        return;
    if (message.value(u"response"_s).compare(u"Success"_s, Qt::CaseInsensitive) == 0) {
        m_loggedIn = true;
        m_keepAlive.start();
        reportStatus(u"CONNECT"_s);
        return;
    }
    m_keepAlive.stop();
    const QString why = message.value(u"message"_s, u"로그인 실패"_s);
    disconnectFromServer(why);
}

} // namespace asv
