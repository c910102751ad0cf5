#pragma once

#include "UdpRelay.h"
#include "UdpRelayPeer.h"
#include "UdpRelaySettings.h"

#include <QStringList>
#include <QUdpSocket>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace asv::test {

// Desks of one process, each on a loopback port of its own and naming all of them as its peers
// (a desk drops what it sends itself): nothing leaves the machine, even with one desk. A raw socket, when given, is everybody's peer too, to inject and
// overhear datagrams. Settings go to the program folder the test has set.
class RelayDesks {
public:
    explicit RelayDesks(const QStringList& users, QUdpSocket* raw = nullptr)
    {
        QStringList addresses;
        for (qsizetype i = 0; i < users.size(); ++i)
            addresses << loopback(freePort());
        if (raw) {
            EXPECT_TRUE(raw->bind(QHostAddress::LocalHost, 0));
            addresses << loopback(raw->localPort());
        }
        for (qsizetype i = 0; i < users.size(); ++i) {
            UdpRelaySettings::Port.set(addresses[i].section(u':', 1).toInt());
            UdpRelaySettings::Peers.set(addresses.join(u','));
            auto relay = std::make_unique<UdpRelay>();
            relay->setUserCode(users[i]);
            EXPECT_TRUE(relay->open());
            m_relays.push_back(std::move(relay));
        }
    }

    UdpRelay& operator[](size_t i) { return *m_relays[i]; }
    UdpRelayPeer peer(size_t i) const { return {QHostAddress(QHostAddress::LocalHost), m_relays[i]->officePort()}; }

    static quint16 freePort()
    {
        QUdpSocket probe;
        probe.bind(QHostAddress::LocalHost, 0);
        return probe.localPort();
    }

private:
    static QString loopback(quint16 port) { return QStringLiteral("127.0.0.1:") + QString::number(port); }

    std::vector<std::unique_ptr<UdpRelay>> m_relays;
};

} // namespace asv::test
