#include "Clock.h"
#include "CustomerRecord.h"
#include "CustomerStore.h"
#include "FrmSendMailMulti.h"
#include "LoopbackServer.h"
#include "MailSettings.h"
#include "Paths.h"
#include "ScriptedPrompter.h"
#include "StoreSql.h"
#include "TestDatabase.h"
#include "WidgetDriver.h"

#include <QFile>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::LoopbackServer;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

TEST(FrmSendMailMulti, EachCustomerGetsItsLedgerAndAFailureDoesNotStopTheRun)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    LoopbackServer server(LoopbackServer::Kind::Smtp);
    MailSettings settings;
    settings.host = u"127.0.0.1"_s;
    settings.port = QString::number(server.port());
    settings.user = u"desk"_s;
    settings.password = u"secret"_s;
    settings.senderAddress = u"desk@asv.example"_s;
    settings.save();
    for (const QString& code : {u"000001"_s, u"000002"_s, u"000003"_s}) {
        CustomerRecord c;
        c.code = code;
        c.compname = c.compalias = u"고객"_s + code;
        ASSERT_EQ(CustomerStore::insert(c, false), 1);
    }
    QFile ledger(db.programFolder() + u"/원장_000001.pdf"_s);
    ASSERT_TRUE(ledger.open(QIODevice::WriteOnly));
    ledger.write("ledger");
    ledger.close();
    Clock::setFixed(QDateTime(QDate(2026, 6, 30), QTime(9, 5, 7)));

    FrmSendMailMulti window;
    window.findChild<QLineEdit*>(u"txtFromName"_s)->setText(u"한빛상사"_s);
    window.findChild<QLineEdit*>(u"txtSubject"_s)->setText(u"6월 원장"_s);
    window.addCustomer(u"000001"_s, u"고객000001"_s, u"one@customer.example"_s, ledger.fileName());
    window.addCustomer(u"000002"_s, u"고객000002"_s, u"two@customer.example"_s, db.programFolder() + u"/없음.pdf"_s);
    window.addCustomer(u"000003"_s, u"고객000003"_s, u"three.customer.example"_s, ledger.fileName());
    EXPECT_EQ(window.send(), 1);
    Clock::clearFixed();

    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Info),
              QStringList({u"원장 첨부파일 설정 오류!!!\n"_s + db.programFolder() + u"/없음.pdf"_s,
                           u"받는사람 메일주소가 잘못되었습니다.\nthree.customer.example"_s,
                           u"[고객000003] 거래처에 이메일을 전송하지 못했습니다."_s}));
    ASSERT_EQ(server.mails().size(), 1);
    EXPECT_EQ(server.mails()[0][u"rcpt"_s].toString(), u"one@customer.example"_s);
    EXPECT_EQ(StoreSql::firstColumn(u"SELECT lastemaildate FROM customer ORDER BY code"_s, u"test"_s, u"read"_s),
              QStringList({u"2026-06-30 09:05:07"_s, QString(), QString()}));
}
