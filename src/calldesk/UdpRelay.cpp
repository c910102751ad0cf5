#include "UdpRelay.h"

#include "AppError.h"
#include "AppState.h"
#include "UdpRelaySettings.h"
#include "modMsgBox.h"

#include <QLoggingCategory>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QUdpSocket>
#include <algorithm>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcRelay, "asv.calldesk.relay")

namespace asv {

namespace {

constexpr int kWaitSteps = 40;
// The text of a datagram without ";" is shown to the operator: a screenful is enough.
constexpr qsizetype kShownTextLength = 256;

QHostAddress hostAddress()
{
    const QList<QHostAddress> all = QNetworkInterface::allAddresses();
    const auto found = std::find_if(all.begin(), all.end(), [](const QHostAddress& a) {
        return a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback();
    });
    return found != all.end() ? *found : QHostAddress(QHostAddress::LocalHost);
}

} // namespace

UdpRelay::UdpRelay(QObject* parent)
    : QObject(parent), m_socket(new QUdpSocket(this)), m_answerTimer(new QTimer(this)), m_waitTimer(new QTimer(this)),
      m_userCode(App().UserCode)
{
    m_answerTimer->setObjectName(u"tmrTimeOut"_s);
    m_answerTimer->setSingleShot(true);
    m_answerTimer->setInterval(1000);
    m_waitTimer->setInterval(100);
    connect(m_socket, &QUdpSocket::readyRead, this, &UdpRelay::readDatagrams);
    connect(m_answerTimer, &QTimer::timeout, this, &UdpRelay::answerTimedOut);
    connect(m_waitTimer, &QTimer::timeout, this, &UdpRelay::waitStep);
}

UdpRelay::~UdpRelay() = default;

bool UdpRelay::isOpen() const
{
    return m_socket->state() == QAbstractSocket::BoundState;
}

bool UdpRelay::open()
{
    if (isOpen())
        return true;
    const QHostAddress bindTo = configure();
    if (!m_socket->bind(bindTo, m_port)) {
        qCWarning(lcRelay) << "cannot bind" << bindTo.toString() << m_port << m_socket->errorString();
        return false;
    }
    qCInfo(lcRelay) << "listening on" << bindTo.toString() << m_port << "as" << ownAddressText();
    return true;
}

void UdpRelay::prepareToSend()
{
    configure();
}

QHostAddress UdpRelay::configure()
{
    const int port = UdpRelaySettings::Port.get();
    m_port = port > 0 && port <= 65535 ? static_cast<quint16>(port) : static_cast<quint16>(UdpRelaySettings::Port.defaultValue());
    m_peers = UdpRelayPeer::listFromText(UdpRelaySettings::Peers.get(), m_port);
    // A lone PC on its private server has no colleagues, and peers all on this PC are desks of
    // this PC: neither has a reason to listen on the office network.
    const bool loopbackOnly = App().UseLocalServer
        || (!m_peers.isEmpty()
            && std::all_of(m_peers.begin(), m_peers.end(), [](const UdpRelayPeer& p) { return p.address.isLoopback(); }));
    m_self = {loopbackOnly ? QHostAddress(QHostAddress::LocalHost) : hostAddress(), m_port};
    m_broadcast = loopbackOnly ? m_self.address : UdpRelayPeer::broadcastOf(m_self.address);
    const QString configured = UdpRelaySettings::BroadcastAddress.get();
    if (!loopbackOnly && !configured.isEmpty()) {
        if (QHostAddress address; address.setAddress(configured))
            m_broadcast = address;
        else
            qCWarning(lcRelay) << "broadcast address not understood, using" << m_broadcast.toString() << configured;
    }
    return loopbackOnly ? QHostAddress(QHostAddress::LocalHost) : QHostAddress(QHostAddress::AnyIPv4);
}

QString UdpRelay::ownAddressText() const
{
    if (!isOpen())
        return {};
    // The old desks all listen on the standard port and read a bare address.
    return m_self.text(static_cast<quint16>(UdpRelaySettings::Port.defaultValue()));
}

void UdpRelay::setHandshakeTimings(std::chrono::milliseconds answerTimeout, std::chrono::milliseconds waitStep)
{
    m_answerTimer->setInterval(answerTimeout);
    m_waitTimer->setInterval(waitStep);
}

void UdpRelay::announceCall(const QString& rawNumber)
{
    broadcast(Datagram::Call, rawNumber);
}

void UdpRelay::announceTaken(const QString& callCode, const QString& number, const QString& time,
                             const QString& userCode)
{
    broadcast(Datagram::CallTaken, QStringList{callCode, number, time, userCode}.join(u';'));
}

void UdpRelay::send(int type, const QString& payload, const UdpRelayPeer& to)
{
    enqueue({Datagram(type, payload), {to}});
}

void UdpRelay::broadcast(int type, const QString& payload)
{
    enqueue({Datagram(type, payload), everyone()});
}

QList<UdpRelayPeer> UdpRelay::everyone() const
{
    return m_peers.isEmpty() ? QList<UdpRelayPeer>{{m_broadcast, m_port}} : m_peers;
}

void UdpRelay::enqueue(Outgoing message)
{
    if (!m_awaitingAnswer && m_queue.isEmpty()) {
        transmit(message);
        return;
    }
    m_queue << std::move(message);
    if (!m_waitTimer->isActive()) {
        m_waitedSteps = 0;
        m_waitTimer->start();
    }
}

void UdpRelay::transmit(const Outgoing& message)
{
    if (message.to.size() == 1 && Datagram::needsHandshake(message.datagram.type())) {
        m_awaitingAnswer = message;
        write(Datagram(Datagram::AreYouThere, {}), message.to.first());
        m_answerTimer->start();
        return;
    }
    for (const UdpRelayPeer& peer : message.to)
        write(message.datagram, peer);
}

void UdpRelay::answered(const UdpRelayPeer& from)
{
    if (!m_awaitingAnswer || m_awaitingAnswer->to.first() != from)
        return;
    const Outgoing message = *std::exchange(m_awaitingAnswer, std::nullopt);
    m_answerTimer->stop();
    write(message.datagram, from);
    flushQueue();
}

void UdpRelay::answerTimedOut()
{
    if (!m_awaitingAnswer)
        return;
    qCInfo(lcRelay) << "no answer from" << m_awaitingAnswer->to.first().key() << "dropped type" << m_awaitingAnswer->datagram.type();
    m_awaitingAnswer.reset();
    flushQueue();
}

void UdpRelay::flushQueue()
{
    while (!m_awaitingAnswer && !m_queue.isEmpty())
        transmit(m_queue.takeFirst());
    m_waitedSteps = 0;
    if (m_queue.isEmpty())
        m_waitTimer->stop();
}

void UdpRelay::waitStep()
{
    if (++m_waitedSteps < kWaitSteps)
        return;
    m_waitedSteps = 0;
    if (!m_queue.isEmpty()) {
        qCWarning(lcRelay) << "gave up sending type" << m_queue.first().datagram.type();
        m_queue.removeFirst();
        MsgWarn(u"전달되지 못한 데이터가 있습니다. 잠시후 다시 보내세요."_s);
    }
    if (m_queue.isEmpty())
        m_waitTimer->stop();
}

void UdpRelay::write(const Datagram& d, const UdpRelayPeer& to)
{
    try {
        if (m_socket->writeDatagram(d.encode(), to.address, to.port) < 0)
            qCWarning(lcRelay) << "cannot send to" << to.key() << m_socket->errorString();
    } catch (const AppError& e) {
        qCWarning(lcRelay) << "not sent:" << e.description();
    }
}

void UdpRelay::readDatagrams()
{
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram received = m_socket->receiveDatagram();
        const CallArrival arrived = std::chrono::steady_clock::now();
        const UdpRelayPeer from{QHostAddress(received.senderAddress().toIPv4Address()),
                                static_cast<quint16>(received.senderPort())};
        // Our own broadcast comes back to us.
        if (from == m_self)
            continue;
        dispatch(Datagram::parse(received.data()), from, arrived);
    }
}

void UdpRelay::dispatch(const Datagram& d, const UdpRelayPeer& from, CallArrival arrived)
{
    if (!d.isFramed()) {
        emit unknownProtocol(d.text().left(kShownTextLength));
        return;
    }
    const QStringList fields = d.fields();
    switch (d.type()) {
    case Datagram::Acknowledge:
        answered(from);
        return;
    case Datagram::AreYouThere:
        write(Datagram(Datagram::Acknowledge, {}), from);
        return;
    case Datagram::Call:
        if (!d.payload().isEmpty())
            emit callAnnounced(d.payload(), arrived);
        return;
    case Datagram::CallForUser:
        if (fields.size() >= 2 && !fields[0].isEmpty() && !m_userCode.isEmpty() && fields[1].trimmed() == m_userCode)
            emit callAssignedToMe(fields[0], arrived);
        return;
    case Datagram::CallTaken:
        if (fields.size() >= 4)
            emit callTaken(fields[0], fields[1], fields[2], fields[3]);
        return;
    default:
        if (d.type() > Datagram::Acknowledge && d.type() < Datagram::Call)
            emit messageReceived(d.type(), d.payload(), from);
        return;
    }
}

} // namespace asv
