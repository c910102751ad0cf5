#include "Cp949.h"
#include "Datagram.h"
#include "FrmAS_Msg.h"
#include "Mutator.h"
#include "Paths.h"
#include "PresencePanel.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "UdpRelay.h"
#include "UdpRelayPeer.h"
#include "UdpRelaySettings.h"
#include "UserSettings.h"
#include "WidgetDriver.h"
#include "modMySQL_Func.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

namespace {

// Desks of one process, each on a loopback port of its own and naming all of them as its peers
// (a desk drops what it sends itself): nothing leaves the machine, even with one desk. A raw
// socket, when given, is everybody's peer too, to inject and overhear datagrams.
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
    static QString loopback(quint16 port) { return u"127.0.0.1:"_s + QString::number(port); }

    std::vector<std::unique_ptr<UdpRelay>> m_relays;
};

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

const QString kSent = u"메세지 송신이 정상적으로 완료되었습니다."_s;
const QString kRetry = u"메세지 송신을 다시 시도합니다."_s;

struct PresenceFixture : ::testing::Test {
    void SetUp() override
    {
        DBExecute(u"UPDATE local_user SET consult = 0"_s);
        DBExecute(u"INSERT INTO local_user (code, loginid, name, consult) VALUES ('01', 'kim', '김상담', 1), "
                  "('02', 'lee', '이상담', 1), ('03', 'park', '박상담', 1), ('04', 'choi', '최영업', 0)"_s);
    }

    static QStringList colleagues(const PresencePanel& panel)
    {
        const auto* list = panel.findChild<QListWidget*>(u"spListRegu"_s);
        QStringList rows;
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        return rows;
    }
    static bool shows(const PresencePanel& panel, const QStringList& rows, int milliseconds = 3000)
    {
        return QTest::qWaitFor([&] { return colleagues(panel) == rows; }, milliseconds);
    }
    static void doubleClick(PresencePanel& panel, int row)
    {
        auto* list = panel.findChild<QListWidget*>(u"spListRegu"_s);
        emit list->itemDoubleClicked(list->item(row));
    }
    static FrmAS_Msg* messageWindow(const PresencePanel& panel)
    {
        const auto windows = panel.findChildren<FrmAS_Msg*>();
        return windows.isEmpty() ? nullptr : windows.last();
    }
    static void write(FrmAS_Msg& window, const QString& text)
    {
        window.findChild<QPlainTextEdit*>(u"txtMsg"_s)->setPlainText(text);
        test::click(window, u"btnSend"_s);
    }
    // Caption, person label, person and text.
    static QString looks(const FrmAS_Msg& w)
    {
        return QStringList{w.windowTitle(), w.findChild<QLabel*>(u"lblPerson"_s)->text(),
                           w.findChild<QLineEdit*>(u"txtPerson"_s)->text(), w.findChild<QPlainTextEdit*>(u"txtMsg"_s)->toPlainText()}
            .join(u' ');
    }

    TestDatabase db;
    ScriptedPrompter prompter;
};

// The raw socket plays a desk: answers "are you there" and returns what followed.
QByteArray answerAndReceive(QUdpSocket& raw, const UdpRelayPeer& desk)
{
    auto next = [&raw]() -> QByteArray {
        if (!QTest::qWaitFor([&raw] { return raw.hasPendingDatagrams(); }, 2000))
            return {};
        return raw.receiveDatagram().data();
    };
    if (const QByteArray first = next(); first != "1;")
        return "expected 1; got " + first;
    raw.writeDatagram("0;", desk.address, desk.port);
    return next();
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

TEST_F(UdpRelayFixture, PeersWrittenIntoTheSettingsFileByHandWithoutQuotesAreEachReached)
{
    QUdpSocket first, second;
    ASSERT_TRUE(first.bind(QHostAddress::LocalHost, 0) && second.bind(QHostAddress::LocalHost, 0));
    UdpRelaySettings::Port.set(static_cast<int>(first.localPort()));
    QFile ini(UserSettings::fileOf(UserSettings::appTitle()));
    ASSERT_TRUE(ini.open(QIODevice::Append | QIODevice::Text));
    ini.write(QStringLiteral("UdpPeers=127.0.0.1, 127.0.0.1:%1\n").arg(second.localPort()).toUtf8());
    ini.close();

    UdpRelay relay;
    relay.prepareToSend();
    relay.announceCall(u"0212345678"_s);
    for (QUdpSocket* peer : {&first, &second})
        EXPECT_EQ(overhear(*peer, 50), QList<QByteArray>{"40;0212345678"});
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

TEST_F(UdpRelayFixture, CallsReachTheOtherDesksAndAssignedCallsOnlyTheirUserWhateverBadDatagramsCameBefore)
{
    QUdpSocket raw;
    RelayDesks desks({u"01"_s, u"02"_s, u"03"_s}, &raw);
    Heard heard[] = {Heard(desks[0]), Heard(desks[1]), Heard(desks[2])};

    // Bad datagrams neither crash nor block a desk; what it cannot read is told, shortened.
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
    QTest::qWait(100);
    EXPECT_TRUE(std::all_of(unknown.begin(), unknown.end(), [](const QString& t) { return t.size() <= 256; }));
    EXPECT_TRUE(heard[1].mine.isEmpty());
    heard[1].calls.clear();
    overhear(raw, 0);

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

TEST_F(PresenceFixture, PresenceAndMessagesTravelBetweenDesksWithoutWaitingForTheDatabaseAndASilentDeskDropsOut)
{
    RelayDesks desks({u"01"_s, u"02"_s});
    // Both desks answer "are you there" from this one event loop: on a loaded machine the answer can
    // come after the wire's second, and the message would be dropped as unanswered.
    for (size_t desk = 0; desk < 2; ++desk)
        desks[desk].setHandshakeTimings(std::chrono::seconds(10), std::chrono::milliseconds(300));
    // Silent for three seconds, not one: a second's stall of this shared event loop on a loaded
    // machine would put a live colleague out, and his reply would be refused as to someone away.
    const PresencePanel::Timings fast{std::chrono::milliseconds(200), std::chrono::milliseconds(300), 3};
    PresencePanel kim(&desks[0]);
    auto lee = std::make_unique<PresencePanel>(&desks[1]);
    kim.setTimings(fast);
    lee->setTimings(fast);
    lee->start();
    EXPECT_EQ(colleagues(*lee), (QStringList{u"김상담 (미접속)"_s, u"박상담 (미접속)"_s}));

    // The newcomer asks; the others answer and learn of him in turn.
    kim.start();
    EXPECT_EQ(colleagues(kim), (QStringList{u"이상담(접속중)"_s, u"박상담 (미접속)"_s}));
    EXPECT_TRUE(shows(*lee, {u"김상담(접속중)"_s, u"박상담 (미접속)"_s}));
    EXPECT_EQ(DBGetValue(u"SELECT ipaddr FROM userstate WHERE code = '02'"_s), desks[1].ownAddressText());

    // A text message goes to a present colleague only, is delivered after its echo and can be answered.
    doubleClick(kim, 1);
    EXPECT_EQ(prompter.texts(), QStringList{u"박상담 님은 접속중이 아닙니다."_s});
    EXPECT_EQ(messageWindow(kim), nullptr);
    doubleClick(kim, 0);
    ASSERT_NE(messageWindow(kim), nullptr);
    EXPECT_EQ(looks(*messageWindow(kim)), u"메세지(송신) 수신인 이상담 "_s);
    write(*messageWindow(kim), u"3시 회의; 회의실 B"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return messageWindow(*lee) != nullptr; }, 10000));
    FrmAS_Msg& in = *messageWindow(*lee);
    EXPECT_EQ(looks(in), u"메세지(수신) 발신인 김상담 3시 회의; 회의실 B"_s);
    EXPECT_TRUE(in.findChild<QPlainTextEdit*>(u"txtMsg"_s)->isReadOnly());
    EXPECT_TRUE(prompter.texts(ScriptedPrompter::Kind::Notice).contains(kSent));
    test::click(in, u"btnReply"_s);
    EXPECT_EQ(looks(in), u"메세지(송신) 수신인 김상담 "_s);
    write(in, u"네"_s);
    // Generous: on a loaded machine the echo and the reply take their turns with the other tests.
    const auto windowsOfKim = [&kim, this] {
        QStringList seen;
        for (const FrmAS_Msg* w : kim.findChildren<FrmAS_Msg*>())
            seen << looks(*w) + (w->isVisible() ? u" (shown)"_s : u" (hidden)"_s);
        return (seen.join(u" | "_s) + u" || told: "_s + prompter.texts().join(u" / "_s)).toStdString();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const FrmAS_Msg* last = messageWindow(kim);
        return last && last->isVisible() && looks(*last) == u"메세지(수신) 발신인 이상담 네"_s;
    }, 10000)) << windowsOfKim();
    // The window of the message sent has closed.
    EXPECT_TRUE(QTest::qWaitFor([&] { return kim.findChildren<FrmAS_Msg*>().size() == 1; }, 5000)) << windowsOfKim();
    prompter.clear();

    auto* state = lee->findChild<QComboBox*>(u"cmbState"_s);
    QTest::keyClick(state, Qt::Key_Down);
    ASSERT_EQ(state->currentText(), u"회의중"_s);
    EXPECT_EQ(DBGetValue(u"SELECT state FROM userstate WHERE code = '02'"_s), u"회의중"_s);
    EXPECT_TRUE(shows(kim, {u"이상담(회의중)"_s, u"박상담 (미접속)"_s}));

    // Killed: no goodbye, the heartbeat just stops.
    lee.reset();
    EXPECT_TRUE(shows(kim, {u"이상담 (미접속)"_s, u"박상담 (미접속)"_s}, 8000));
    kim.stop();
    EXPECT_EQ(DBRecordCount(u"userstate"_s), 0);
    EXPECT_TRUE(prompter.messages().isEmpty()) << "equal echoes are released quietly";
}

TEST_F(PresenceFixture, AChangedEchoIsSentAgain)
{
    QUdpSocket raw;
    RelayDesks desks({u"01"_s}, &raw);
    DBExecute(u"INSERT INTO userstate (code, ucode, chkdate, chktime, unixtime, state, ipaddr) VALUES "
              "('02', '02', curdate(), curtime(), unix_timestamp(), '접속중', '127.0.0.1:"_s
              + QString::number(raw.localPort()) + u"')"_s);
    PresencePanel kim(&desks[0]);
    kim.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return raw.hasPendingDatagrams(); }, 2000));
    EXPECT_EQ(raw.receiveDatagram().data(), "10;01");

    doubleClick(kim, 0);
    write(*messageWindow(kim), u"hello"_s);
    const UdpRelayPeer desk = desks.peer(0);
    EXPECT_EQ(answerAndReceive(raw, desk), "12;01;hello");

    raw.writeDatagram("22;01;hellX", desk.address, desk.port);
    EXPECT_EQ(answerAndReceive(raw, desk), "12;01;hello");
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Notice), QStringList{kRetry});

    raw.writeDatagram("22;01;hello", desk.address, desk.port);
    EXPECT_EQ(answerAndReceive(raw, desk), "32;01");
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Notice), (QStringList{kRetry, kSent}));
}

TEST_F(PresenceFixture, ALostTableIsReportedOnceNotAtEveryTick)
{
    RelayDesks desks({u"01"_s});
    PresencePanel kim(&desks[0]);
    kim.setTimings({std::chrono::milliseconds(20), std::chrono::milliseconds(30), 1});
    DBExecute(u"DROP TABLE userstate"_s);
    kim.start();
    QTest::qWait(300);
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Error), 1);
    kim.stop();
}
