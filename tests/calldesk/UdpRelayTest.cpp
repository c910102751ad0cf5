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
    QList<QString> calls;
    QList<QString> mine;
    CallArrival lastArrival;

    explicit Heard(UdpRelay& relay)
    {
        QObject::connect(&relay, &UdpRelay::callAnnounced, &relay, [this](const QString& n, CallArrival at) {
            calls << n;
            lastArrival = at;
        });
        QObject::connect(&relay, &UdpRelay::callAssignedToMe, &relay, [this](const QString& n) { mine << n; });
    }
};

struct UdpRelayFixture : ::testing::Test {
    void SetUp() override { Paths::setProgramFolder(home.path()); }

    static void inject(QUdpSocket& raw, const QByteArray& bytes, const UdpRelayPeer& to)
    {
        raw.writeDatagram(bytes, to.address, to.port);
    }
    // Everything the raw socket receives within the time.
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

} // namespace

TEST_F(UdpRelayFixture, CallsReachTheOtherDesksAndAssignedCallsOnlyTheirUser)
{
    QUdpSocket raw;
    RelayDesks desks({u"01"_s, u"02"_s, u"03"_s}, &raw);
    Heard heard[] = {Heard(desks[0]), Heard(desks[1]), Heard(desks[2])};

    const CallArrival before = std::chrono::steady_clock::now();
    desks[0].announceCall(u"0212345678"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard[1].calls.size() == 1 && heard[2].calls.size() == 1; }, 2000));
    EXPECT_EQ(heard[1].calls[0], u"0212345678"_s);
    EXPECT_TRUE(heard[0].calls.isEmpty());
    EXPECT_GE(heard[2].lastArrival, before);
    EXPECT_EQ(overhear(raw, 0), QList<QByteArray>{"40;0212345678"});

    for (size_t i = 0; i < 3; ++i)
        inject(raw, "100;0311112222;02", desks.peer(i));
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard[1].mine.size() == 1; }, 2000));
    QTest::qWait(50);
    EXPECT_EQ(heard[1].mine[0], u"0311112222"_s);
    EXPECT_TRUE(heard[0].mine.isEmpty() && heard[2].mine.isEmpty());
    EXPECT_EQ(heard[1].calls.size(), 1) << "type 100 is not a plain call";

    QStringList taken;
    QObject::connect(&desks[2], &UdpRelay::callTaken, &desks[2],
                     [&](const QString& c, const QString& n, const QString& t, const QString& u) { taken = {c, n, t, u}; });
    desks[1].announceTaken(u"5521"_s, u"02-123-4567"_s, u"10:15"_s, u"02"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !taken.isEmpty(); }, 2000));
    EXPECT_EQ(taken, (QStringList{u"5521"_s, u"02-123-4567"_s, u"10:15"_s, u"02"_s}));
}

TEST_F(UdpRelayFixture, BadDatagramsNeitherCrashNorBlockTheDesk)
{
    QUdpSocket raw;
    RelayDesks desks({u"01"_s, u"02"_s}, &raw);
    Heard heard(desks[1]);
    QStringList unknown;
    QObject::connect(&desks[1], &UdpRelay::unknownProtocol, &desks[1], [&](const QString& t) { unknown << t; });

    inject(raw, "hello", desks.peer(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !unknown.isEmpty(); }, 2000));
    EXPECT_EQ(unknown, QStringList{u"hello"_s});

    std::mt19937 random(7);
    QByteArray noise(65507, '\0');
    std::generate(noise.begin(), noise.end(), [&] { return static_cast<char>(random()); });
    for (const QByteArray& bytes : {QByteArray(65507, 'x'), noise, QByteArray("999;x"), QByteArray("140;too;few"),
                                    QByteArray("100;only"), QByteArray("40;"), QByteArray("0;"), QByteArray("\0;\xff", 3)}) {
        inject(raw, bytes, desks.peer(1));
        QTest::qWait(5);
    }
    for (int i = 0; i < 200; ++i) {
        QByteArray b = "40;0212345678";
        b[static_cast<qsizetype>(random() % 13)] = static_cast<char>(random());
        inject(raw, b, desks.peer(1));
    }
    QTest::qWait(100);
    EXPECT_TRUE(std::all_of(unknown.begin(), unknown.end(), [](const QString& t) { return t.size() <= 256; }));
    EXPECT_TRUE(heard.mine.isEmpty());

    heard.calls.clear();
    desks[0].announceCall(u"0311112222"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.calls == QList<QString>{u"0311112222"_s}; }, 2000));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(UdpRelayFixture, MessagesToOneDeskWaitForItsAnswerAndLaterOnesQueue)
{
    QUdpSocket raw;
    RelayDesks desks({u"01"_s}, &raw);
    const UdpRelayPeer rawPeer{QHostAddress(QHostAddress::LocalHost), raw.localPort()};

    desks[0].send(Datagram::Text, u"01;점심"_s, rawPeer);
    EXPECT_EQ(overhear(raw, 100), QList<QByteArray>{"1;"});
    inject(raw, "0;", desks.peer(0));
    EXPECT_EQ(overhear(raw, 100), QList<QByteArray>{Datagram(12, u"01;점심"_s).encode()});
    inject(raw, "1;", desks.peer(0));
    EXPECT_EQ(overhear(raw, 100), QList<QByteArray>{"0;"});

    // Unanswered: dropped after the time-out, and the queued message goes out.
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
