#include "CallerIdTcpSource.h"

#include "CallerIdLog.h"

#include <QPointer>
#include <QTcpSocket>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

constexpr int kRetryMilliseconds = 10000;
constexpr qsizetype kMaxLine = 65536;

} // namespace

CallerIdTcpSource::CallerIdTcpSource(const QString& logName, QString host, int port, QObject* parent)
    : CallerIdSource(parent), m_logName(logName), m_host(std::move(host).trimmed()), m_port(port)
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryMilliseconds);
    connect(&m_retry, &QTimer::timeout, this, &CallerIdTcpSource::connectToServer);
}

QString CallerIdTcpSource::placeOf(int, int) const
{
    return m_host + u':' + QString::number(m_port);
}

bool CallerIdTcpSource::openLine(int, int)
{
    if (m_host.isEmpty() || m_port <= 0 || m_port > 65535)
        return false;
    m_open = true;
    connectToServer();
    return true;
}

bool CallerIdTcpSource::closeLine(int)
{
    if (!m_open)
        return false;
    m_open = false;
    m_retry.stop();
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
        m_socket->deleteLater();
        m_socket = nullptr;
    }
    return true;
}

void CallerIdTcpSource::connectToServer()
{
    if (!m_open)
        return;
    if (m_socket)
        m_socket->deleteLater();
    m_buffer.clear();
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::connected, this, [this] {
        qCInfo(lcCallerId) << m_logName << "connected to" << placeOf(1, 0);
        connected();
    });
    connect(m_socket, &QTcpSocket::readyRead, this, &CallerIdTcpSource::read);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this] { lost(m_socket->errorString()); });
    m_socket->connectToHost(m_host, static_cast<quint16>(m_port));
}

void CallerIdTcpSource::lost(const QString& why)
{
    qCWarning(lcCallerId) << m_logName << placeOf(1, 0) << why;
    m_socket->disconnect(this);
    m_socket->abort();
    if (m_open)
        m_retry.start();
    reportStatus(why);
}

void CallerIdTcpSource::disconnectFromServer(const QString& why)
{
    lost(why);
}

void CallerIdTcpSource::send(QByteArrayView bytes)
{
    if (m_socket && m_socket->state() == QAbstractSocket::ConnectedState)
        m_socket->write(bytes.data(), bytes.size());
}

void CallerIdTcpSource::reportStatus(const QString& status)
{
    if (status == m_status)
        return;
    m_status = status;
    emit lineStatus(1, status);
}

void CallerIdTcpSource::read()
{
    const CallArrival arrived = std::chrono::steady_clock::now();
    QTcpSocket* socket = m_socket;
    m_buffer += socket->readAll();
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype end = m_buffer.indexOf('\n'); end >= 0; end = m_buffer.indexOf('\n', start)) {
        lines << m_buffer.sliced(start, end - start);
        start = end + 1;
    }
    m_buffer.remove(0, start);
    if (m_buffer.size() > kMaxLine)
        m_buffer.clear();
    // A number may open a window or a message box, and with it close this source.
    const QPointer<CallerIdTcpSource> alive(this);
    for (const QByteArray& line : lines) {
        if (!alive || m_socket != socket)
            return;
        const QByteArrayView text = QByteArrayView(line).trimmed();
        if (!text.isEmpty())
            CallerIdLog::rawLine(m_logName, text);
        lineRead(text, arrived);
    }
}

} // namespace asv
