#include "UdpRelayPeer.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace asv {

QString UdpRelayPeer::text(quint16 standardPort) const
{
    const QString host = address.toString();
    return port == standardPort ? host : host + u':' + QString::number(port);
}

std::optional<UdpRelayPeer> UdpRelayPeer::fromText(const QString& text, quint16 officePort)
{
    const QStringList parts = text.trimmed().split(u':');
    if (parts.size() > 2)
        return std::nullopt;
    QHostAddress address;
    if (!address.setAddress(parts[0]) || address.protocol() != QAbstractSocket::IPv4Protocol)
        return std::nullopt;
    quint16 port = officePort;
    if (parts.size() == 2) {
        bool ok = false;
        const uint n = parts[1].toUInt(&ok);
        if (!ok || n == 0 || n > 65535)
            return std::nullopt;
        port = static_cast<quint16>(n);
    }
    return UdpRelayPeer{address, port};
}

QList<UdpRelayPeer> UdpRelayPeer::listFromText(const QString& text, quint16 officePort)
{
    static const QRegularExpression separators(u"[,;\\s]+"_s);
    QList<UdpRelayPeer> peers;
    for (const QString& entry : text.split(separators, Qt::SkipEmptyParts)) {
        if (auto peer = fromText(entry, officePort))
            peers << *peer;
    }
    return peers;
}

QHostAddress UdpRelayPeer::broadcastOf(const QHostAddress& host)
{
    return QHostAddress((host.toIPv4Address() & 0xFFFFFF00u) | 0xFFu);
}

} // namespace asv
