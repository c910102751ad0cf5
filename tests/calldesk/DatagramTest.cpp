#include "Cp949.h"
#include "Datagram.h"
#include "Mutator.h"
#include "UdpRelayPeer.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

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
        {"12;01;\xc8\xb8\xc0\xc7; 10\xbd\xc3", true, 12, u"01;회의; 10시"_s}, // the old desks' code page
        {"1;", true, 1, {}},
        {"040;x", true, 40, u"x"_s},
        // Not a type any desk sends: dropped, never taken for type 0.
        {";x", true, Datagram::Unknown, u"x"_s},
        {"abc;x", true, Datagram::Unknown, u"x"_s},
        {" 40;x", true, Datagram::Unknown, u"x"_s},
        {"-1;x", true, Datagram::Unknown, u"x"_s},
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
        if (c.type != Datagram::Unknown && c.bytes[0] != '0') {
            EXPECT_EQ(Datagram(c.type, c.payload).encode(), c.bytes);
        }
    }
    EXPECT_EQ(Datagram::parse("100;0212345678;03").fields(), (QStringList{u"0212345678"_s, u"03"_s}));
    EXPECT_THROW(Datagram(12, u"01;🙂"_s).encode(), std::exception);
}

TEST(UdpRelayPeer, AddressesAndTheNetworkWideAddress)
{
    const QList<UdpRelayPeer> peers = UdpRelayPeer::listFromText(u" 10.0.0.2, 10.0.0.3:17000;pc7  10.0.0.4"_s, 16500);
    ASSERT_EQ(peers.size(), 3);
    EXPECT_EQ(peers[0], (UdpRelayPeer{QHostAddress(u"10.0.0.2"_s), 16500}));
    EXPECT_EQ(peers[1], (UdpRelayPeer{QHostAddress(u"10.0.0.3"_s), 17000}));
    for (const QString& bad : {u"::1"_s, u"10.0.0.1:0"_s, u"10.0.0.1:70000"_s, u"10.0.0.1:1:2"_s, u"10.0.0.256"_s})
        EXPECT_FALSE(UdpRelayPeer::fromText(bad, 16500)) << bad.toStdString();

    // What userstate keeps: the standard port goes unsaid, so the old desks can read it.
    EXPECT_EQ(peers[0].text(16500) + u' ' + peers[1].text(16500), u"10.0.0.2 10.0.0.3:17000"_s);
    EXPECT_EQ(UdpRelayPeer::broadcastOf(QHostAddress(u"192.168.10.37"_s)), QHostAddress(u"192.168.10.255"_s));
}

// Random and mutated datagrams: parsing never fails, splits where the text says, and what it
// keeps survives being sent on.
TEST(Datagram, FuzzedInputIsParsedConsistently)
{
    test::Mutator inputs({"40;0212345678", "100;0212345678;01", "12;01;hello", "0;", "hello",
                          "140;7;02-123-4567;10:15;01", "13;02;\xc8\xb8\xc0\xc7\xc1\xdf"});
    const auto check = [](const QByteArray& bytes) {
        const Datagram d = Datagram::parse(bytes);
        const qsizetype separator = d.text().indexOf(u';');
        ASSERT_EQ(d.isFramed(), separator >= 0) << bytes.toHex().left(80).toStdString();
        if (!d.isFramed())
            return;
        ASSERT_EQ(d.payload(), d.text().mid(separator + 1));
        if (d.type() == Datagram::Unknown || Cp949::firstUnencodable(d.payload()) >= 0)
            return;
        const Datagram again = Datagram::parse(d.encode());
        ASSERT_EQ(again.type(), d.type());
        ASSERT_EQ(again.payload(), d.payload());
    };
    // The largest datagrams UDP carries as well.
    check(QByteArray(65507, '4'));
    check(inputs.noise(65507));
    inputs.run(3000, check);
}
