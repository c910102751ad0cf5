#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>
#include <optional>

namespace asv {

// Where a datagram goes or came from: an IPv4 address and a port.
struct UdpRelayPeer {
    QHostAddress address;
    quint16 port = 0;

    // "<address>" on the standard port, else "<address>:<port>": what userstate keeps.
    QString text(quint16 standardPort) const;
    // Identifies a desk in the stored messages.
    QString key() const { return address.toString() + u':' + QString::number(port); }
    bool operator==(const UdpRelayPeer&) const = default;

    // "<address>[:<port>]", a missing port being officePort; nullopt for anything else.
    static std::optional<UdpRelayPeer> fromText(const QString& text, quint16 officePort);
    // A list separated by commas, semicolons or blanks; unreadable entries are left out.
    static QList<UdpRelayPeer> listFromText(const QString& text, quint16 officePort);
    // The old desks assume a /24 network: the host's address with its last part 255.
    static QHostAddress broadcastOf(const QHostAddress& host);
};

} // namespace asv
