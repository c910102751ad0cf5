#pragma once

#include "CallerIdAmiReader.h"
#include "CallerIdAmiRing.h"
#include "CallerIdTcpSource.h"

#include <QTimer>

namespace asv {

// The office PBX's manager interface: logs in with the desk's account and reports the callers
// ringing the operator's extension. The secret goes to the server only, never to a log.
class CallerIdAmiSource : public CallerIdTcpSource {
    Q_OBJECT
public:
    // Host, port, account and extension from the settings.
    explicit CallerIdAmiSource(QObject* parent = nullptr);

private:
    void connected() override;
    void lineRead(QByteArrayView line, CallArrival arrived) override;
    void answered(const CallerIdAmiReader::Message& message);

    QString m_user;
    QString m_secret;
    CallerIdAmiReader m_reader;
    CallerIdAmiRing m_ring;
    QTimer m_keepAlive;
    bool m_loggedIn = false;
};

} // namespace asv
