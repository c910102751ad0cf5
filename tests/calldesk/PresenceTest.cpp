#include "FrmAS_Msg.h"
#include "PresencePanel.h"
#include "RelayDesks.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "WidgetDriver.h"
#include "modMySQL_Func.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::RelayDesks;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

namespace {

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
        asv::test::click(window, u"btnSend"_s);
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

TEST_F(PresenceFixture, ColleaguesShowTheirPresenceAndASilentDeskDropsOut)
{
    RelayDesks desks({u"01"_s, u"02"_s});
    const PresencePanel::Timings fast{std::chrono::milliseconds(200), std::chrono::milliseconds(300), 1};
    PresencePanel kim(&desks[0]);
    auto lee = std::make_unique<PresencePanel>(&desks[1]);
    kim.setTimings(fast);
    lee->setTimings(fast);
    lee->start();
    kim.start();
    EXPECT_TRUE(shows(kim, {u"이상담(접속중)"_s, u"박상담 (미접속)"_s}));
    EXPECT_TRUE(shows(*lee, {u"김상담(접속중)"_s, u"박상담 (미접속)"_s}));
    EXPECT_EQ(DBGetValue(u"SELECT ipaddr FROM userstate WHERE code = '02'"_s), desks[1].ownAddressText());

    // Killed: no goodbye, the heartbeat just stops.
    lee.reset();
    EXPECT_TRUE(shows(kim, {u"이상담 (미접속)"_s, u"박상담 (미접속)"_s}, 8000));

    kim.stop();
    EXPECT_EQ(DBRecordCount(u"userstate"_s), 0);
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(PresenceFixture, PresenceTravelsBetweenDesksWithoutWaitingForTheDatabase)
{
    RelayDesks desks({u"01"_s, u"02"_s});
    PresencePanel kim(&desks[0]);
    PresencePanel lee(&desks[1]);
    lee.start();
    EXPECT_EQ(colleagues(lee), (QStringList{u"김상담 (미접속)"_s, u"박상담 (미접속)"_s}));

    // The newcomer asks; the others answer and learn of him in turn.
    kim.start();
    EXPECT_EQ(colleagues(kim), (QStringList{u"이상담(접속중)"_s, u"박상담 (미접속)"_s}));
    EXPECT_TRUE(shows(lee, {u"김상담(접속중)"_s, u"박상담 (미접속)"_s}));

    auto* state = lee.findChild<QComboBox*>(u"cmbState"_s);
    QTest::keyClick(state, Qt::Key_Down);
    ASSERT_EQ(state->currentText(), u"회의중"_s);
    EXPECT_EQ(DBGetValue(u"SELECT state FROM userstate WHERE code = '02'"_s), u"회의중"_s);
    EXPECT_TRUE(shows(kim, {u"이상담(회의중)"_s, u"박상담 (미접속)"_s}));
    EXPECT_TRUE(prompter.texts(ScriptedPrompter::Kind::Notice).isEmpty()) << "equal echoes are released quietly";
}

TEST_F(PresenceFixture, ATextMessageIsDeliveredAfterItsEchoAndCanBeAnswered)
{
    RelayDesks desks({u"01"_s, u"02"_s});
    PresencePanel kim(&desks[0]);
    PresencePanel lee(&desks[1]);
    lee.start();
    kim.start();

    doubleClick(kim, 1);
    EXPECT_EQ(prompter.texts(), QStringList{u"박상담 님은 접속중이 아닙니다."_s});
    EXPECT_EQ(messageWindow(kim), nullptr);

    doubleClick(kim, 0);
    ASSERT_NE(messageWindow(kim), nullptr);
    EXPECT_EQ(looks(*messageWindow(kim)), u"메세지(송신) 수신인 이상담 "_s);
    write(*messageWindow(kim), u"3시 회의; 회의실 B"_s);

    ASSERT_TRUE(QTest::qWaitFor([&] { return messageWindow(lee) != nullptr; }, 3000));
    FrmAS_Msg& in = *messageWindow(lee);
    EXPECT_EQ(looks(in), u"메세지(수신) 발신인 김상담 3시 회의; 회의실 B"_s);
    EXPECT_TRUE(in.findChild<QPlainTextEdit*>(u"txtMsg"_s)->isReadOnly());
    EXPECT_TRUE(prompter.texts(ScriptedPrompter::Kind::Notice).contains(kSent));

    asv::test::click(in, u"btnReply"_s);
    EXPECT_EQ(looks(in), u"메세지(송신) 수신인 김상담 "_s);
    write(in, u"네"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return kim.findChildren<FrmAS_Msg*>().size() == 1 && messageWindow(kim)->isVisible(); }, 3000));
    EXPECT_EQ(looks(*messageWindow(kim)), u"메세지(수신) 발신인 이상담 네"_s);
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
