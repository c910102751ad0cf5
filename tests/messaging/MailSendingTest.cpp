#include "LoopbackServer.h"
#include "MailCommands.h"
#include "MailFixture.h"
#include "MailMessage.h"
#include "MailSenderProgram.h"
#include "MailSending.h"
#include "MailSettings.h"
#include "Paths.h"
#include "ScriptedPrompter.h"
#include "WebMailForm.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::LoopbackServer;
using asv::test::ScriptedPrompter;

namespace {

class MailSendingTest : public test::MailFixture {
protected:

    static MailMessage koreanMail()
    {
        MailMessage m;
        m.fromName = u"한빛상사(본사)"_s;
        m.fromAddress = u"desk@asv.example"_s;
        m.toName = u"김철수"_s;
        m.toAddress = u"kim@customer.example"_s;
        m.ccNames = {u"이영희"_s, u"박민수"_s};
        m.ccAddresses = {u"lee@customer.example"_s, u"park@customer.example"_s};
        m.subject = u"6월 거래명세서 보내드립니다"_s;
        m.body = u"안녕하세요.\n첨부한 명세서를 확인해 주십시오.\n감사합니다."_s;
        return m;
    }

};

TEST_F(MailSendingTest, SmtpDeliversKoreanMailWithAttachmentToEveryRecipient)
{
    LoopbackServer server(LoopbackServer::Kind::Smtp);
    QByteArray ledger;
    for (int i = 0; i < 3000; ++i)
        ledger += char(i * 7);
    MailMessage mail = koreanMail();
    mail.files = {writeFile(u"원장_김철수.pdf"_s, ledger)};

    ASSERT_TRUE(MailSending::send(settingsFor(server.port()), mail)) << m_prompter.texts().join(u'\n').toStdString();

    const QList<QJsonObject> mails = server.mails();
    ASSERT_EQ(mails.size(), 1);
    const QJsonObject got = mails[0];
    EXPECT_EQ(got[u"subject"_s].toString(), mail.subject);
    EXPECT_EQ(got[u"body"_s].toString(), u"[본 메일은 회신이 가능합니다.]\n"_s + mail.body);
    // Any server but the one that needs UTF-8 gets the old Korean code page.
    EXPECT_EQ(got[u"charset"_s].toString(), u"ks_c_5601-1987"_s);
    // Parentheses of a name travel as blanks.
    EXPECT_EQ(got[u"from"_s].toString(), u"한빛상사 본사 <desk@asv.example>"_s);
    EXPECT_EQ(got[u"to"_s].toString(), u"김철수 <kim@customer.example>"_s);
    EXPECT_EQ(got[u"cc"_s].toString(), u"이영희 <lee@customer.example>, 박민수 <park@customer.example>"_s);
    EXPECT_EQ(got[u"rcpt"_s].toString(), u"kim@customer.example, lee@customer.example, park@customer.example"_s);
    const QJsonArray files = got[u"attachments"_s].toArray();
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(files[0][u"name"_s].toString(), u"원장_김철수.pdf"_s);
    EXPECT_EQ(QByteArray::fromBase64(files[0][u"data"_s].toString().toLatin1()), ledger);
}

TEST_F(MailSendingTest, RefusedLoginAndServerDownAreToldAndNothingArrives)
{
    LoopbackServer server(LoopbackServer::Kind::Smtp);
    MailSettings wrong = settingsFor(server.port());
    wrong.password = u"guess"_s;
    EXPECT_FALSE(MailSending::send(wrong, koreanMail()));
    ASSERT_EQ(m_prompter.count(ScriptedPrompter::Kind::Error), 1);
    EXPECT_TRUE(m_prompter.texts(ScriptedPrompter::Kind::Error)[0].startsWith(u"오류가 발생하였습니다.\n오류번호: 0x43\n"_s))
        << m_prompter.texts(ScriptedPrompter::Kind::Error)[0].toStdString();
    EXPECT_FALSE(m_prompter.saw(u"guess"_s));
    EXPECT_TRUE(server.mails().isEmpty());

    m_prompter.clear();
    int stoppedPort = 0;
    {
        const LoopbackServer stopped(LoopbackServer::Kind::Smtp);
        stoppedPort = stopped.port();
    }
    const MailSettings down = settingsFor(stoppedPort);
    EXPECT_FALSE(MailSending::send(down, koreanMail()));
    ASSERT_EQ(m_prompter.count(ScriptedPrompter::Kind::Error), 1);
    EXPECT_TRUE(m_prompter.texts(ScriptedPrompter::Kind::Error)[0].startsWith(u"오류가 발생하였습니다.\n오류번호: 0x7\n"_s));
}

TEST_F(MailSendingTest, AnAddressWithoutAtIsRefusedBeforeAnythingIsSent)
{
    LoopbackServer server(LoopbackServer::Kind::Smtp);
    MailMessage toWrong = koreanMail();
    toWrong.toAddress = u"kim.customer.example"_s;
    EXPECT_FALSE(MailSending::send(settingsFor(server.port()), toWrong));
    MailMessage ccWrong = koreanMail();
    ccWrong.ccAddresses[1] = u"park"_s;
    EXPECT_FALSE(MailSending::send(settingsFor(server.port()), ccWrong));

    EXPECT_EQ(m_prompter.texts(ScriptedPrompter::Kind::Info),
              QStringList({u"받는사람 메일주소가 잘못되었습니다.\nkim.customer.example"_s,
                           u"참조 메일주소가 잘못되었습니다.\npark"_s}));
    EXPECT_TRUE(server.mails().isEmpty());
}

TEST_F(MailSendingTest, WebFormPostsTheFieldsWithTheNoReplyLineAfterTheBody)
{
    LoopbackServer receiver(LoopbackServer::Kind::HttpPost);
    MailSettings settings = settingsFor(0);
    settings.webForm = true;
    settings.webFormUrl = u"http://127.0.0.1:%1/send"_s.arg(receiver.port());
    const MailMessage mail = koreanMail();

    ASSERT_TRUE(MailSending::send(settings, mail)) << m_prompter.texts().join(u'\n').toStdString();

    EXPECT_EQ(receiver.postedType(), u"application/x-www-form-urlencoded"_s);
    const QUrlQuery form(QString::fromLatin1(receiver.postedBody()));
    const auto field = [&](const QString& name) { return form.queryItemValue(name, QUrl::FullyDecoded); };
    EXPECT_EQ(field(u"fromname"_s), mail.fromName);
    EXPECT_EQ(field(u"frommail"_s), mail.fromAddress);
    EXPECT_EQ(field(u"toname"_s), mail.toName);
    EXPECT_EQ(field(u"tomail"_s), mail.toAddress);
    EXPECT_EQ(field(u"subject"_s), mail.subject);
    EXPECT_EQ(field(u"memo"_s), mail.body + u"\n[본 메일은 회신이 불가능 하므로 담당자에게 전화로 연락 바랍니다.]"_s);
}

// Through the command line, with the settings as stored.
TEST_F(MailSendingTest, TestMailArrivesAndIsRefusedForTheWebForm)
{
    LoopbackServer server(LoopbackServer::Kind::Smtp);
    EXPECT_EQ(mailTest(u"me@asv.example"_s), 1);
    EXPECT_TRUE(m_prompter.saw(u"[보내는 메일서버]가 입력되지 않았습니다."_s));
    MailSettings settings = settingsFor(server.port());
    settings.save();
    ASSERT_EQ(mailTest(u"me@asv.example"_s), 0) << m_prompter.texts().join(u'\n').toStdString();
    const QList<QJsonObject> mails = server.mails();
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0][u"subject"_s].toString(), u"테스트 메일입니다."_s);
    EXPECT_TRUE(mails[0][u"body"_s].toString().startsWith(u"[본 메일은 테스트입니다. 보낸시각: 20"_s));
    EXPECT_TRUE(m_prompter.saw(u"[me@asv.example]메일을 확인해보세요.\n메일이 보이지 않을 경우 스팸함을 확인해 보세요."_s));

    settings.webForm = true;
    EXPECT_FALSE(MailSending::sendTest(settings, u"me@asv.example"_s));
    EXPECT_TRUE(m_prompter.saw(u"웹 전송 방식은 [메일 전송 테스트]를 지원하지 않습니다."_s));
    EXPECT_EQ(server.mails().size(), 1);
}

TEST_F(MailSendingTest, SenderProgramGetsItsDataFilesAndItsExitCodeDecides)
{
    MailSettings settings = settingsFor(25);
    settings.method = MailSettings::SenderProgram;
    MailMessage mail = koreanMail();
    mail.files = {u"/tmp/a.pdf"_s, u"/tmp/b.pdf"_s};

    EXPECT_FALSE(MailSending::send(settings, mail));
    EXPECT_EQ(m_prompter.texts(ScriptedPrompter::Kind::Info),
              QStringList{u"메일 전송 프로그램을 찾을 수 없습니다.\n"_s + MailSenderProgram::programPath()});

    // The program keeps what it was handed, then answers with the exit code in "code".
    const QString program = writeFile(u"OstraEmailSender.exe"_s,
                                      "#!/bin/sh\n[ \"$1\" = Ostra ] || exit 1\n"
                                      "cp OstraEmailSender_Data.dat seen.dat\nexit $(cat code)\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    writeFile(u"code"_s, "0");
    EXPECT_TRUE(MailSending::send(settings, mail));
    QFile seen(m_home.filePath(u"seen.dat"_s));
    ASSERT_TRUE(seen.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(seen.readAll()).split(u"\r\n"_s);
    QStringList keys;
    for (const QString& line : lines)
        keys << line.section(u'=', 0, 0);
    EXPECT_EQ(keys, QStringList({u"fr_addr"_s, u"fr_name"_s, u"to_addr"_s, u"to_name"_s, u"cc_addrs"_s, u"cc_names"_s,
                                 u"subject"_s, u"files"_s, u"is_html"_s, u"smtp_host"_s, u"smtp_port"_s, u"smtp_ssl"_s,
                                 u"smtp_id"_s, u"smtp_pwd"_s, QString()}));
    EXPECT_EQ(lines[4], u"cc_addrs=lee@customer.example;park@customer.example"_s);
    EXPECT_EQ(lines[7], u"files=/tmp/a.pdf;/tmp/b.pdf"_s);
    EXPECT_EQ(MailSettings::unscramble(lines[13].section(u'=', 1)), u"secret"_s);
    EXPECT_FALSE(lines[13].contains(u"secret"_s));

    writeFile(u"code"_s, "1");
    EXPECT_FALSE(MailSending::send(settings, mail));
}

} // namespace
