#include "AppState.h"
#include "Paths.h"
#include "RelayDesks.h"
#include "ScriptedPrompter.h"

#include <QNetworkDatagram>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <random>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::RelayDesks;
using asv::test::ScriptedPrompter;

namespace {

struct Heard {
    QString number;
    CallArrival arrived;
};

struct UdpRelayFixture : ::testing::Test {
    void SetUp() override { Paths::setProgramFolder(home.path()); }

    static void inject(QUdpSocket& raw, const QByteArray& bytes, const UdpRelayPeer& to)
    {
        raw.writeDatagram(bytes, to.address, to.port);
    }
    // Everything the raw socket has received within the time.
    static QList<QByteArray> overhear(QUdpSocket& raw, int milliseconds)
    {
        QList<QByteArray> heard;
        QTest::qWait(milliseconds);
        while (raw.hasPendingDatagrams())
            heard << raw.receiveDatagram().data();
        return heard;
    }

    QTemporaryDir home;
    ScriptedPrompter prompter;
};

void record(UdpRelay& relay, QList<Heard>& calls, QList<Heard>& mine)
{
    QObject::connect(&relay, &UdpRelay::callAnnounced, &relay,
                     [&calls](const QString& n, CallArrival at) { calls.append({n, at}); });
    QObject::connect(&relay, &UdpRelay::callAssignedToMe, &relay,
                     [&mine](const QString& n, CallArrival at) { mine.append({n, at}); });
}

} // namespace

TEST_F(UdpRelayFixture, CallsReachTheOtherDesksAndAssignedCallsOnlyTheirUser)
{
    QUdpSocket raw;
    RelayDesks desks({u"01"_s, u"02"_s, u"03"_s}, &raw);
    QList<Heard> calls[3], mine[3];
    for (size_t i = 0; i < 3; ++i)
        record(desks[i], calls[i], mine[i]);

    const CallArrival before = std::chrono::steady_clock::now();
    desks[0].announceCall(u"0212345678"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls[1].size() == 1 && calls[2].size() == 1; }, 2000));
    EXPECT_EQ(calls[1][0].number, u"0212345678"_s);
    EXPECT_GE(calls[2][0].arrived, before);
    EXPECT_LE(calls[2][0].arrived, std::chrono::steady_clock::now());
    EXPECT_EQ(overhear(raw, 0), QList<QByteArray>{"40;0212345678"});

    for (size_t i = 0; i < 3; ++i)
        inject(raw, "100;0311112222;02", desks.peer(i));
    inject(raw, "100;0311113333", desks.peer(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return mine[1].size() == 1; }, 2000));
    QTest::qWait(50);
    EXPECT_EQ(mine[1][0].number, u"0311112222"_s);
    EXPECT_TRUE(mine[0].isEmpty() && mine[2].isEmpty());
    EXPECT_EQ(calls[0].size() + calls[1].size() + calls[2].size(), 2) << "type 100 is not a plain call";

    QStringList taken;
    QObject::connect(&desks[2], &UdpRelay::callTaken, &desks[2],
                     [&](const QString& c, const QString& n, const QString& t, const QString& u) {
                         taken = {c, n, t, u};
                     });
    desks[1].announceTaken(u"5521"_s, u"02-123-4567"_s, u"10:15"_s, u"02"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !taken.isEmpty(); }, 2000));
    EXPECT_EQ(taken, (QStringList{u"5521"_s, u"02-123-4567"_s, u"10:15"_s, u"02"_s}));
}

TEST_F(UdpRelayFixture, BadDatagramsNeitherCrashNorBlockTheDesk)
{
    QUdpSocket raw;
    RelayDesks desks({u"01"_s, u"02"_s}, &raw);
    QList<Heard> calls, mine;
    record(desks[1], calls, mine);
    QStringList unknown;
    QObject::connect(&desks[1], &UdpRelay::unknownProtocol, &desks[1], [&](const QString& t) { unknown << t; });
    int messages = 0;
    QObject::connect(&desks[1], &UdpRelay::messageReceived, &desks[1], [&] { ++messages; });

    inject(raw, "hello", desks.peer(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !unknown.isEmpty(); }, 2000));
    EXPECT_EQ(unknown, QStringList{u"hello"_s});

    std::mt19937 random(7);
    QByteArray noise(65507, '\0');
    std::generate(noise.begin(), noise.end(), [&] { return static_cast<char>(random()); });
    const QByteArray bad[] = {QByteArray(65507, 'x'), noise, "999;x", "140;too;few", "100;only", "40;", "0;",
                              "abc;def", QByteArray("\0;\xff\xfe", 4), "12" /* no separator */};
    for (const QByteArray& bytes : bad) {
        inject(raw, bytes, desks.peer(1));
        QTest::qWait(5);
    }
    for (int i = 0; i < 200; ++i) {
        QByteArray b = "40;0212345678";
        b[static_cast<qsizetype>(random() % 13)] = static_cast<char>(random());
        inject(raw, b, desks.peer(1));
        if (i % 20 == 0)
            QTest::qWait(5);
    }
    QTest::qWait(100);
    calls.clear();
    for (const QString& t : std::as_const(unknown))
        EXPECT_LE(t.size(), 256);
    EXPECT_TRUE(mine.isEmpty());
    EXPECT_EQ(messages, 0);

    desks[0].announceCall(u"0311112222"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !calls.isEmpty(); }, 2000));
    EXPECT_EQ(calls[0].number, u"0311112222"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(UdpRelayFixture, MessagesToOneDeskWaitForItsAnswerAndLaterOnesQueue)
{
    QUdpSocket raw;
    RelayDesks desks({u"01"_s}, &raw);
    const UdpRelayPeer rawPeer{QHostAddress(QHostAddress::LocalHost), raw.localPort()};

    // Answered: the message follows the answer.
    desks[0].send(Datagram::Text, u"01;점심"_s, rawPeer);
    EXPECT_EQ(overhear(raw, 100), QList<QByteArray>{"1;"});
    inject(raw, "0;", desks.peer(0));
    EXPECT_EQ(overhear(raw, 100), QList<QByteArray>{Datagram(12, u"01;점심"_s).encode()});

    // "Are you there" is answered whatever else waits.
    inject(raw, "1;", desks.peer(0));
    EXPECT_EQ(overhear(raw, 100), QList<QByteArray>{"0;"});

    // Unanswered: the message is dropped after the time-out, and the queued one goes out.
    desks[0].setHandshakeTimings(std::chrono::milliseconds(200), std::chrono::milliseconds(100));
    desks[0].send(Datagram::Text, u"01;first"_s, rawPeer);
    desks[0].announceCall(u"0212345678"_s);
    EXPECT_EQ(overhear(raw, 100), QList<QByteArray>{"1;"});
    EXPECT_EQ(overhear(raw, 300), QList<QByteArray>{"40;0212345678"});
    inject(raw, "0;", desks.peer(0));
    EXPECT_TRUE(overhear(raw, 100).isEmpty()) << "a late answer sends nothing";

    // Still unanswered after the 40 steps of the wait: the queued message is given up.
    desks[0].setHandshakeTimings(std::chrono::seconds(10), std::chrono::milliseconds(5));
    desks[0].send(Datagram::Text, u"01;second"_s, rawPeer);
    desks[0].announceCall(u"0311112222"_s);
    EXPECT_EQ(overhear(raw, 1000), QList<QByteArray>{"1;"});
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Warn), QStringList{u"전달되지 못한 데이터가 있습니다. 잠시후 다시 보내세요."_s});
    inject(raw, "0;", desks.peer(0));
    EXPECT_EQ(overhear(raw, 100), QList<QByteArray>{"12;01;second"});
}

TEST_F(UdpRelayFixture, OnTheLocalServerTheRelayListensOnLoopbackAndIgnoresItsOwnAnnouncements)
{
    App().UseLocalServer = true;
    UdpRelaySettings::Port.set(RelayDesks::freePort());
    UdpRelay relay;
    const bool opened = relay.open();
    App().UseLocalServer = false;
    ASSERT_TRUE(opened);
    EXPECT_EQ(relay.ownAddressText(), u"127.0.0.1:"_s + QString::number(relay.officePort()));
    QList<Heard> calls, mine;
    record(relay, calls, mine);

    // What the command line sends to pop a call on the open desk.
    QUdpSocket tool;
    tool.writeDatagram("40;0212345678", QHostAddress::LocalHost, relay.officePort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls.size() == 1; }, 2000));

    relay.announceCall(u"0311112222"_s);
    QTest::qWait(100);
    EXPECT_EQ(calls.size(), 1);
}
