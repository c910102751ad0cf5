#include "AppState.h"
#include "CallerIdAmiSource.h"
#include "CallerIdLibrarySource.h"
#include "CallerIdLog.h"
#include "CallerIdNcidSource.h"
#include "CallerIdSerialSource.h"
#include "CallerIdSettings.h"
#include "Clock.h"
#include "ConfigKeys.h"
#include "Paths.h"
#include "PtyPair.h"
#include "RegistryGuard.h"
#include "ScreenRegistry.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "frmMain.h"

#include <QFile>
#include <QLabel>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QWidget>
#include <ctime>
#include <dlfcn.h>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::string_view_literals;
using namespace asv;
using asv::test::PtyPair;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

namespace {

// What a source reported, and on which thread.
struct Recorder {
    explicit Recorder(CallerIdSource& source)
    {
        QObject::connect(&source, &CallerIdSource::callerNumber, [this](const QString& n, int, CallArrival) {
            numbers << n;
            onGuiThread = onGuiThread && QThread::currentThread() == qApp->thread();
        });
        QObject::connect(&source, &CallerIdSource::lineStatus, [this](int, const QString& s) { statuses << s; });
    }
    QStringList numbers;
    QStringList statuses;
    bool onGuiThread = true;
};

// The controls of the fake device library, reached through a handle of the test's own.
class FakeLibrary {
public:
    FakeLibrary() : m_handle(dlopen(ASV_FAKE_CALLERID_LIBRARY, RTLD_NOW | RTLD_LOCAL))
    {
        CallerIdSettings::LibraryPath.set(QString::fromLocal8Bit(ASV_FAKE_CALLERID_LIBRARY));
    }
    ~FakeLibrary() { dlclose(m_handle); }
    void refuse(long port, bool open, bool close)
    {
        reinterpret_cast<void (*)(long, int, int)>(dlsym(m_handle, "FakeRefuse"))(port, open, close);
    }
    // A notification of the given kind for line 1 with a 10-digit number; false when nobody listens.
    bool raise(char kind, const QByteArray& number = "0212345678")
    {
        QByteArray m = "\x01" "1" + QByteArray(1, kind) + "26120611350" + QByteArray(1, char(number.size())) + number;
        m.resize(kCallerIdMessageSize, '\0');
        return reinterpret_cast<int (*)(long, const char*, int)>(dlsym(m_handle, "FakeRaise"))(1, m.constData(), int(m.size())) != 0;
    }

private:
    void* m_handle;
};

// The consult desk stand-in: records the numbers the main window hands over.
class RecordingDesk : public QWidget, public CallerIdReceiver {
public:
    using QWidget::QWidget;
    void InputCID(const QString& number, bool isLocal, CallArrival) override
    {
        if (isLocal)
            s_numbers << number;
    }
    static inline QStringList s_numbers;
};

class CallerIdSources : public ::testing::Test {
protected:
    void SetUp() override { Paths::setProgramFolder(m_home.path()); }
    QTemporaryDir m_home;
};

void respondOnEveryConnection(QTcpServer& server, std::function<void(QTcpSocket*)> talk)
{
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&server, talk] {
        while (QTcpSocket* socket = server.nextPendingConnection())
            talk(socket);
    });
}

} // namespace

TEST_F(CallerIdSources, ModemLinesGiveExactlyTheCallersNumbers)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ready());
    CallerIdSettings::DevicePaths[0].set(pty.device());
    CallerIdSerialSource source(CallerIdSerialSource::Kind::Modem);
    Recorder seen(source);
    ASSERT_TRUE(source.openLine(1, 9));

    // A modem that does not know the common caller-ID command gets the other makers' one.
    EXPECT_EQ(pty.nextCommand(), "AT Z S0=0 E1 V1 Q0");
    pty.write("AT Z S0=0 E1 V1 Q0\r\r\nOK\r\n");
    EXPECT_EQ(pty.nextCommand(), "AT+VCID=1");
    pty.write("\r\nERROR\r\n");
    EXPECT_EQ(pty.nextCommand(), "AT#CID=1");
    QTest::qWait(50);
    EXPECT_TRUE(seen.statuses.isEmpty());
    pty.write("\r\nOK\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !seen.statuses.isEmpty(); }, 3000));
    EXPECT_EQ(seen.statuses, QStringList{u"CONNECT"_s});

    pty.write("\r\nRING\r\n\r\nDATE = 0321\r\nTIME = 1405\r\nNMB");
    pty.write("R = 0212345678\r\nNAME = HONG GILDONG\r\nNMBR = 0299999999\r\n\r\nRING\r\n");
    const std::string_view noise = "\x01\x02\xfe\xff\x00 noise \x7f\r\nNMB\xffR = 0277777777\r\nMESG = CALID_202\r\n"sv;
    pty.write(QByteArray(noise.data(), qsizetype(noise.size())));
    pty.write("802501083033323131343035020B3031303938373635343332070C484F4E472047494C444F4E4715\r\n");
    const QStringList expected{u"0212345678"_s, u"01098765432"_s};
    EXPECT_TRUE(QTest::qWaitFor([&] { return seen.numbers.size() >= expected.size(); }, 3000));
    QTest::qWait(100);
    EXPECT_EQ(seen.numbers, expected);

    // Every line is in the day's device log with its time, odd bytes readable.
    QFile log(CallerIdLog::fileFor(Clock::today()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString logged = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(logged.contains(u"line1 NMBR = 0212345678"_s));
    EXPECT_TRUE(logged.contains(u"NMB\\xffR = 0277777777"_s));

    EXPECT_TRUE(source.closeLine(1));
    EXPECT_FALSE(source.closeLine(1));
}

TEST_F(CallerIdSources, ACutLineIsReportedAtOnceAndLeftAlone)
{
    for (const auto kind : {CallerIdSerialSource::Kind::Box, CallerIdSerialSource::Kind::Modem}) {
        auto pty = std::make_unique<PtyPair>();
        ASSERT_TRUE(pty->ready());
        CallerIdSettings::DevicePaths[0].set(pty->device());
        CallerIdSerialSource source(kind);
        Recorder seen(source);
        ASSERT_TRUE(source.openLine(1, 9));
        QTest::qWait(50);
        pty.reset();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !seen.statuses.isEmpty(); }, 500));
        EXPECT_NE(seen.statuses.value(0), u"CONNECT"_s);
        // A hung-up port left open signals again at once, for ever: a core spent for nothing.
        const std::clock_t before = std::clock();
        QTest::qWait(300);
        EXPECT_LT(double(std::clock() - before) / CLOCKS_PER_SEC, 0.05);
        EXPECT_EQ(seen.statuses.size(), 1);
    }
}

TEST_F(CallerIdSources, DeviceLibraryCallersReachTheGuiThreadAndOtherKindsNothing)
{
    FakeLibrary fake;
    fake.refuse(4, true, false);
    CallerIdLibrarySource source;
    Recorder seen(source);
    EXPECT_TRUE(source.openLine(1, 3));
    EXPECT_FALSE(source.openLine(2, 4));

    ASSERT_TRUE(fake.raise('C'));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !seen.numbers.isEmpty(); }, 2000));
    EXPECT_EQ(seen.numbers, QStringList{u"0212345678"_s});
    EXPECT_TRUE(seen.onGuiThread);
    ASSERT_TRUE(fake.raise('H'));
    QTest::qWait(100);
    EXPECT_EQ(seen.numbers.size(), 1);

    // Closed, the library no longer calls us.
    EXPECT_TRUE(source.closeLine(1));
    EXPECT_FALSE(fake.raise('C'));

    CallerIdSettings::LibraryPath.set(m_home.path() + u"/missing.so"_s);
    CallerIdLibrarySource missing;
    EXPECT_FALSE(missing.openLine(1, 3));
}

TEST_F(CallerIdSources, LanServerLiveCallsOnly)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    respondOnEveryConnection(server, [](QTcpSocket* socket) {
        socket->write("200 Server: test 1.0\r\n"
                      "CIDLOG: *DATE*05042011*TIME*2149*LINE*VOIP*NMBR*0299999999*MESG*NONE*NAME*OLD*\r\n"
                      "300 End of call log\r\n"
                      "CID: *DATE*05042011*TIME*2150*LINE*VOIP*NMBR*0212345678*MESG*NONE*NAME*HONG*\r\n"
                      "OUT: *DATE*05042011*TIME*2151*LINE*VOIP*NMBR*0311112222*MESG*NONE*NAME*-*\r\n");
    });
    CallerIdSettings::NcidHost.set(u"127.0.0.1"_s);
    CallerIdSettings::NcidPort.set(server.serverPort());
    CallerIdNcidSource source;
    Recorder seen(source);
    EXPECT_FALSE(source.usesPorts());
    ASSERT_TRUE(source.openLine(1, 0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !seen.numbers.isEmpty(); }, 3000));
    EXPECT_EQ(seen.numbers, QStringList{u"0212345678"_s});
    EXPECT_EQ(seen.statuses, QStringList{u"CONNECT"_s});

    EXPECT_TRUE(source.closeLine(1));
}

TEST_F(CallerIdSources, PbxManagerLogsInAndReportsTheExtensionsCallersSecretUnlogged)
{
    const QString secret = u"s3cr3t-Pw"_s;
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QByteArray login;
    int logins = 0;
    respondOnEveryConnection(server, [&login, &logins, secret](QTcpSocket* socket) {
        socket->write("Asterisk Call Manager/5.0.3\r\n");
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, &login, &logins, secret] {
            login += socket->readAll();
            if (!login.endsWith("\r\n\r\n"))
                return;
            ++logins;
            if (!login.contains("Secret: " + secret.toUtf8() + "\r\n")) {
                socket->write("Response: Error\r\nActionID: login\r\nMessage: Authentication failed\r\n\r\n");
                socket->disconnectFromHost();
                return;
            }
            socket->write(
                "Response: Success\r\nActionID: login\r\nMessage: Authentication accepted\r\n\r\n"
                "Event: DialBegin\r\nDestChannel: PJSIP/101-00000002\r\nCallerIDNum: 821012345678\r\nDestUniqueid: 1.2\r\n\r\n"
                "Event: Newstate\r\nChannel: PJSIP/101-00000002\r\nChannelStateDesc: Ringing\r\n"
                "ConnectedLineNum: 821012345678\r\nUniqueid: 1.2\r\n\r\n");
        });
    });
    CallerIdSettings::PbxHost.set(u"127.0.0.1"_s);
    CallerIdSettings::PbxPort.set(server.serverPort());
    CallerIdSettings::PbxUser.set(u"desk"_s);
    CallerIdSettings::PbxSecret.set(secret);
    CallerIdSettings::PbxExtension.set(u"101"_s);
    {
        CallerIdAmiSource source;
        Recorder seen(source);
        ASSERT_TRUE(source.openLine(1, 0));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !seen.numbers.isEmpty(); }, 3000));
        QTest::qWait(50);
        EXPECT_EQ(seen.numbers, QStringList{u"01012345678"_s});
        EXPECT_EQ(seen.statuses, QStringList{u"CONNECT"_s});
        EXPECT_TRUE(login.contains("Username: desk\r\n"));
    }

    // A wrong secret is reported once, although the client keeps trying.
    login.clear();
    logins = 0;
    CallerIdSettings::PbxSecret.set(u"wrong"_s);
    CallerIdAmiSource refused;
    refused.setRetryInterval(30);
    Recorder seen(refused);
    ASSERT_TRUE(refused.openLine(1, 0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return logins >= 3; }, 3000));
    EXPECT_EQ(seen.statuses, QStringList{u"Authentication failed"_s});
    refused.closeLine(1);

    QFile log(CallerIdLog::fileFor(Clock::today()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString logged = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(logged.contains(u"Authentication accepted"_s));
    EXPECT_FALSE(logged.contains(secret));
}

TEST(CallerIdMainWindow, EachFailedLineIsReportedAndTheOtherStillServes)
{
    using namespace ConfigKeys;
    TestDatabase db;
    ScriptedPrompter prompter;
    test::RegistryGuard guard({}, {u"mnuSlipCon"_s});
    ScreenRegistry::add(u"mnuSlipCon"_s, {[](QWidget* parent) { return new RecordingDesk(parent); }, false});
    App().UserCode = u"00"_s;
    RecordingDesk::s_numbers.clear();
    auto picture = [](const frmMain& w) {
        const QLabel* cid = w.findChild<QLabel*>(u"cid"_s);
        return cid->isHidden() ? QString() : cid->property("picture").toString();
    };

    CallerIdDevice.set(CallerIdSettings::DeviceLibrary);
    {
        frmMain w;
        EXPECT_TRUE(prompter.texts().isEmpty());
        EXPECT_EQ(picture(w), QString());
    }

    // The serial box: line 1's device is missing, line 2 still takes calls.
    PtyPair pty;
    ASSERT_TRUE(pty.ready());
    CallerIdDevice.set(CallerIdSettings::SerialBox);
    CallerIdPorts[0].set(3);
    CallerIdPorts[1].set(4);
    CallerIdSettings::DevicePaths[0].set(db.programFolder() + u"/no-such-tty"_s);
    CallerIdSettings::DevicePaths[1].set(pty.device());
    frmMain w;
    EXPECT_EQ(prompter.texts(), QStringList{u"포트 "_s + db.programFolder() + u"/no-such-tty으로 SEE ID OPEN에 실패했습니다."_s});
    EXPECT_EQ(picture(w), u"cidon"_s);
    pty.write("RING\r\nNMBR = 0212345678\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !RecordingDesk::s_numbers.isEmpty(); }, 3000));
    EXPECT_EQ(RecordingDesk::s_numbers, QStringList{u"0212345678"_s});

    // The library: port 5 refuses to open, port 6 to close.
    prompter.clear();
    FakeLibrary fake;
    fake.refuse(5, true, false);
    fake.refuse(6, false, true);
    CallerIdDevice.set(CallerIdSettings::DeviceLibrary);
    CallerIdPorts[0].set(5);
    CallerIdPorts[1].set(6);
    w.OpenSeeID();
    EXPECT_EQ(prompter.texts(), QStringList{u"포트 COM5으로 SEE ID OPEN에 실패했습니다."_s});
    EXPECT_EQ(picture(w), u"cidon"_s);
    w.CloseSeeID();
    EXPECT_EQ(prompter.texts().value(1), u"포트 COM6으로 SEE ID CLOSE에 실패했습니다."_s);
    EXPECT_EQ(picture(w), u"cidoff"_s);

    // The modem that refuses both caller-ID commands: opened, then reported by its status.
    prompter.clear();
    pty.drain();
    CallerIdDevice.set(CallerIdSettings::ModemControl);
    CallerIdPorts[0].set(0);
    CallerIdPorts[1].set(7);
    w.OpenSeeID();
    EXPECT_EQ(picture(w), u"cidon"_s);
    for (const char* command : {"AT Z S0=0 E1 V1 Q0", "AT+VCID=1", "AT#CID=1"}) {
        EXPECT_EQ(pty.nextCommand(), command);
        pty.write(command == QByteArray("AT Z S0=0 E1 V1 Q0") ? "OK\r\n" : "ERROR\r\n");
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return !prompter.texts().isEmpty(); }, 3000));
    EXPECT_EQ(prompter.texts(), QStringList{u"포트 ["_s + pty.device() + u"] 으로 SEE ID OPEN에 실패했습니다."_s});
    EXPECT_EQ(picture(w), u"cidoff"_s);
}
