#pragma once

#include "CallerIdSource.h"

#include <QByteArray>
#include <QTimer>

class QTcpSocket;

namespace asv {

// A caller-ID server on the network, read line by line; connects again after a break, every
// few seconds, so that a server restarted overnight is picked up without the operator.
class CallerIdTcpSource : public CallerIdSource {
    Q_OBJECT
public:
    bool usesPorts() const override { return false; }
    bool openLine(int line, int port) override;
    bool closeLine(int line) override;
    QString placeOf(int line, int port) const override;

    void setRetryInterval(int milliseconds) { m_retry.setInterval(milliseconds); }

protected:
    CallerIdTcpSource(const QString& logName, QString host, int port, QObject* parent);

    virtual void connected() = 0;
    virtual void lineRead(QByteArrayView line, CallArrival arrived) = 0;
    void send(QByteArrayView bytes);
    // Emits the status only when it changes, so a server that stays away is reported once.
    void reportStatus(const QString& status);
    void disconnectFromServer(const QString& why);

private:
    void connectToServer();
    void read();
    void lost(const QString& why);

    QString m_logName;
    QString m_host;
    int m_port;
    QTcpSocket* m_socket = nullptr;
    QByteArray m_buffer;
    QTimer m_retry;
    QString m_status;
    bool m_open = false;
};

} // namespace asv
