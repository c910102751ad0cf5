#include "ConfigKeys.h"
#include "FrmSendMail.h"
#include "LoopbackServer.h"
#include "MailChecks.h"
#include "MailFixture.h"
#include "MailSettings.h"
#include "Paths.h"
#include "ScriptedPrompter.h"
#include "WidgetDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::LoopbackServer;
using asv::test::ScriptedPrompter;

namespace {

class FrmSendMailTest : public test::MailFixture {
protected:
    static void storeSettings(int port) { settingsFor(port).save(); }

    static void type(const QWidget& window, const QString& name, const QString& text)
    {
        window.findChild<QLineEdit*>(name)->setText(text);
    }

    static void fillMail(const QWidget& window)
    {
        type(window, u"txtFromName"_s, u"한빛상사"_s);
        type(window, u"txtToName"_s, u"김철수"_s);
        type(window, u"txtToMail"_s, u"kim@customer.example"_s);
        type(window, u"txtSubject"_s, u"견적서"_s);
        window.findChild<QPlainTextEdit*>(u"txtBody"_s)->setPlainText(u"견적서를 보내드립니다."_s);
    }

    QString fileOfSize(const QString& name, qint64 size) const { return writeFile(name, QByteArray(size, 'x')); }
};

TEST_F(FrmSendMailTest, SendsWithTheDefaultCopyAndTellsTheOutcome)
{
    LoopbackServer server(LoopbackServer::Kind::Smtp);
    storeSettings(server.port());
    FrmSendMail window;
    EXPECT_EQ(window.windowTitle(), u"EMail 전송 v2"_s);
    EXPECT_EQ(window.findChild<QLineEdit*>(u"txtFromMail"_s)->text(), u"desk@asv.example"_s);
    fillMail(window);
    type(window, u"txtRegCcName"_s, u"이영희"_s);
    type(window, u"txtRegCcMail"_s, u"lee@asv.example"_s);
    test::click(window, u"btnRegCcSave"_s);
    test::click(window, u"chkCcMail"_s);
    // The choice is kept at once, the copy recipient by its own save.
    EXPECT_TRUE(ConfigKeys::MailUseCc.get());
    EXPECT_EQ(ConfigKeys::MailCcAddress.get(), u"lee@asv.example"_s);
    window.setAttachments({fileOfSize(u"견적서.pdf"_s, MailChecks::kAttachmentLimit)});

    test::click(window, u"btnSend"_s);

    EXPECT_EQ(m_prompter.texts(ScriptedPrompter::Kind::Info), QStringList{u"이메일을 전송하였습니다."_s});
    const QList<QJsonObject> mails = server.mails();
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0][u"rcpt"_s].toString(), u"kim@customer.example, lee@asv.example"_s);
    EXPECT_EQ(mails[0][u"attachments"_s].toArray().size(), 1);
}

TEST_F(FrmSendMailTest, EveryCheckStopsTheMailWithItsMessage)
{
    LoopbackServer server(LoopbackServer::Kind::Smtp);
    storeSettings(server.port());
    FrmSendMail window;
    test::click(window, u"btnSend"_s);
    fillMail(window);
    type(window, u"txtSubject"_s, QString());
    test::click(window, u"btnSend"_s);
    type(window, u"txtSubject"_s, u"견적서"_s);
    type(window, u"txtCcMail"_s, u"lee@asv.example"_s);
    test::click(window, u"btnSend"_s);
    type(window, u"txtCcName"_s, u"이영희"_s);
    type(window, u"txtToMail"_s, u"kim@customer.example;park@customer.example"_s);
    test::click(window, u"btnSend"_s);
    type(window, u"txtToMail"_s, u"kim@customer.example"_s);
    window.setAttachments({m_home.filePath(u"없는파일.pdf"_s)});
    test::click(window, u"btnSend"_s);
    window.setAttachments({fileOfSize(u"big.pdf"_s, 1000001)});
    test::click(window, u"btnSend"_s);
    window.findChild<QCheckBox*>(u"chkWebMail"_s)->setChecked(true);
    window.setAttachments({fileOfSize(u"small.pdf"_s, 10)});
    test::click(window, u"btnSend"_s);

    EXPECT_EQ(m_prompter.texts(ScriptedPrompter::Kind::Info),
              QStringList({u"보내는 사람 명을 입력하세요."_s, u"제목을 입력하세요."_s, u"참조 명을 입력하세요."_s,
                           u"받는 사람 메일을 하나만 설정해주세요."_s, u"첨부파일 설정 오류!!!"_s,
                           u"파일의 용량이 커서 전송할수 없습니다.\n용량제한 : 1MB"_s,
                           u"웹전송방식은 첨부파일이 지원되지 않습니다!!!"_s}));
    EXPECT_TRUE(server.mails().isEmpty());
}

TEST_F(FrmSendMailTest, SettingsPanelChecksSavesAndSendsTheTestMail)
{
    LoopbackServer server(LoopbackServer::Kind::Smtp);
    FrmSendMail window;
    type(window, u"txtSmtpUrl"_s, u"127.0.0.1"_s);
    type(window, u"txtSmtpPort"_s, QString::number(server.port()));
    type(window, u"txtSmtpId"_s, u"desk"_s);
    type(window, u"txtSmtpPwd"_s, u"secret"_s);
    type(window, u"txtSmtpEmail"_s, u"desk@asv"_s);
    test::click(window, u"btnSettingsSave"_s);
    EXPECT_TRUE(m_prompter.texts(ScriptedPrompter::Kind::Info).value(0).startsWith(u"[메일주소] 형식이 잘못되었습니다."_s));
    EXPECT_NE(MailSettings::load().host, u"127.0.0.1"_s);

    type(window, u"txtSmtpEmail"_s, u"desk@asv.example"_s);
    test::click(window, u"btnSettingsSave"_s);
    EXPECT_EQ(m_prompter.texts(ScriptedPrompter::Kind::Notice), QStringList{u"저장하였습니다."_s});
    EXPECT_EQ(MailSettings::load().port, QString::number(server.port()));
    EXPECT_EQ(window.findChild<QLineEdit*>(u"txtFromMail"_s)->text(), u"desk@asv.example"_s);

    m_prompter.answerInput(u"me@asv.example"_s);
    test::click(window, u"btnMailTest"_s);
    ASSERT_EQ(server.mails().size(), 1);
    EXPECT_EQ(server.mails()[0][u"subject"_s].toString(), u"테스트 메일입니다."_s);

    // The maker's server brings its own account and fixes the sender.
    auto* kind = window.findChild<QComboBox*>(u"cboSmtpType"_s);
    kind->setCurrentIndex(MailSettings::MakersServer);
    emit kind->activated(MailSettings::MakersServer);
    EXPECT_EQ(window.findChild<QLineEdit*>(u"txtSmtpPort"_s)->text(), u"25"_s);
    EXPECT_TRUE(window.findChild<QLineEdit*>(u"txtSmtpUrl"_s)->isReadOnly());
}

} // namespace
