#include "Cp949.h"
#include "Datagram.h"
#include "UdpRelayPeer.h"

#include <gtest/gtest.h>
#include <random>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

QByteArray cp949(const QString& text)
{
    return Cp949::encode(text);
}

} // namespace

TEST(Datagram, TypeAndPayloadAreSplitAtTheFirstSemicolon)
{
    struct Case {
        QByteArray bytes;
        bool framed;
        int type;
        QString payload;
    };
    const Case cases[] = {
        {"40;0212345678", true, 40, u"0212345678"_s},
        {"100;0212345678;03", true, 100, u"0212345678;03"_s},
        {cp949(u"12;01;회의는; 10시"_s), true, 12, u"01;회의는; 10시"_s},
        {"1;", true, 1, {}},
        {"040;x", true, 40, u"x"_s},
        {"140;;;;", true, 140, u";;;"_s},
        // Not a type any desk sends: such datagrams are dropped, never taken for type 0.
        {";x", true, Datagram::Unknown, u"x"_s},
        {"abc;x", true, Datagram::Unknown, u"x"_s},
        {" 40;x", true, Datagram::Unknown, u"x"_s},
        {"-1;x", true, Datagram::Unknown, u"x"_s},
        {"+40;x", true, Datagram::Unknown, u"x"_s},
        {"99999999999;x", true, Datagram::Unknown, u"x"_s},
        {"hello", false, Datagram::Unknown, {}},
        {"", false, Datagram::Unknown, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        const Datagram d = Datagram::parse(c.bytes);
        EXPECT_EQ(d.isFramed(), c.framed);
        EXPECT_EQ(d.type(), c.type);
        EXPECT_EQ(d.payload(), c.payload);
        EXPECT_EQ(d.text(), Cp949::decode(c.bytes));
    }
    EXPECT_EQ(Datagram::parse("100;0212345678;03").fields(), (QStringList{u"0212345678"_s, u"03"_s}));
}

TEST(Datagram, EncodesInTheCodePageOfTheOldDesks)
{
    EXPECT_EQ(Datagram(12, u"01;안녕"_s).encode(), QByteArray("12;01;\xbe\xc8\xb3\xe7"));
    EXPECT_EQ(Datagram(1, {}).encode(), QByteArray("1;"));
    EXPECT_THROW(Datagram(12, u"01;🙂"_s).encode(), std::exception);
}

TEST(Datagram, OnlyMessagesToOneDeskWaitForItsAnswer)
{
    for (int type = -1; type <= 200; ++type) {
        const bool expected = type == 12 || (type >= 20 && type <= 23) || (type >= 30 && type <= 33);
        EXPECT_EQ(Datagram::needsHandshake(type), expected) << type;
    }
}

TEST(UdpRelayPeer, AddressesAndTheNetworkWideAddress)
{
    const quint16 office = 16500;
    EXPECT_EQ(UdpRelayPeer::fromText(u" 192.168.0.7 "_s, office), (UdpRelayPeer{QHostAddress(u"192.168.0.7"_s), office}));
    EXPECT_EQ(UdpRelayPeer::fromText(u"127.0.0.1:16501"_s, office), (UdpRelayPeer{QHostAddress(u"127.0.0.1"_s), 16501}));
    for (const QString& bad : {u""_s, u"pc7"_s, u"::1"_s, u"10.0.0.1:0"_s, u"10.0.0.1:70000"_s, u"10.0.0.1:x"_s,
                               u"10.0.0.1:1:2"_s, u"10.0.0.256"_s}) {
        EXPECT_FALSE(UdpRelayPeer::fromText(bad, office)) << bad.toStdString();
    }
    const QList<UdpRelayPeer> peers = UdpRelayPeer::listFromText(u"10.0.0.2, 10.0.0.3:17000;bad  10.0.0.4"_s, office);
    ASSERT_EQ(peers.size(), 3);
    EXPECT_EQ(peers[1].port, 17000);
    EXPECT_EQ(peers[2].address, QHostAddress(u"10.0.0.4"_s));

    // What userstate keeps: the office's port goes unsaid, so the old desks can read it.
    EXPECT_EQ(peers[0].text(office), u"10.0.0.2"_s);
    EXPECT_EQ(peers[1].text(office), u"10.0.0.3:17000"_s);

    EXPECT_EQ(UdpRelayPeer::broadcastOf(QHostAddress(u"192.168.10.37"_s)), QHostAddress(u"192.168.10.255"_s));
    EXPECT_EQ(UdpRelayPeer::broadcastOf(QHostAddress(u"10.1.2.255"_s)), QHostAddress(u"10.1.2.255"_s));
    EXPECT_EQ(UdpRelayPeer::broadcastOf(QHostAddress(u"172.16.5.0"_s)), QHostAddress(u"172.16.5.255"_s));
}

// Random and mutated datagrams: parsing never fails, splits where the text says, and what it
// keeps survives being sent on.
TEST(Datagram, FuzzedInputIsParsedConsistently)
{
    std::mt19937 random(20261206);
    const QByteArray seeds[] = {"40;0212345678", "100;0212345678;01", "12;01;hello", "1;", "0;", "hello",
                                "140;7;02-123-4567;10:15;01", cp949(u"13;02;회의중"_s)};
    auto byte = [&] { return static_cast<char>(random() & 0xFF); };

    std::vector<QByteArray> inputs;
    inputs.push_back(QByteArray(65507, '4'));
    QByteArray big(65507, '\0');
    std::generate(big.begin(), big.end(), byte);
    inputs.push_back(big);
    for (int i = 0; i < 3000; ++i) {
        QByteArray b;
        if (i % 2 == 0) {
            b.resize(static_cast<qsizetype>(random() % 300));
            std::generate(b.begin(), b.end(), byte);
        } else {
            b = seeds[random() % std::size(seeds)];
            for (int edits = 1 + static_cast<int>(random() % 4); edits > 0 && !b.isEmpty(); --edits) {
                const qsizetype at = static_cast<qsizetype>(random() % static_cast<unsigned>(b.size()));
                switch (random() % 3) {
                case 0: b[at] = byte(); break;
                case 1: b.insert(at, byte()); break;
                default: b.remove(at, 1); break;
                }
            }
        }
        inputs.push_back(b);
    }

    for (const QByteArray& bytes : inputs) {
        const Datagram d = Datagram::parse(bytes);
        const qsizetype separator = d.text().indexOf(u';');
        ASSERT_EQ(d.isFramed(), separator >= 0) << bytes.toHex().left(80).toStdString();
        if (!d.isFramed())
            continue;
        ASSERT_EQ(d.payload(), d.text().mid(separator + 1));
        ASSERT_GE(d.type(), Datagram::Unknown);
        if (d.type() == Datagram::Unknown || Cp949::firstUnencodable(d.payload()) >= 0)
            continue;
        const Datagram again = Datagram::parse(d.encode());
        ASSERT_EQ(again.type(), d.type());
        ASSERT_EQ(again.payload(), d.payload());
    }
}
