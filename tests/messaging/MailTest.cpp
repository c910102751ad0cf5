#include "Clock.h"
#include "ConfigKeys.h"
#include "CustomerRecord.h"
#include "CustomerStore.h"
#include "FrmSendMail.h"
#include "FrmSendMailMulti.h"
#include "Grid.h"
#include "GridPrinter.h"
#include "LoopbackServer.h"
#include "MailChecks.h"
#include "MailCommands.h"
#include "MailMessage.h"
#include "MailSenderProgram.h"
#include "MailSending.h"
#include "MailSettings.h"
#include "MessagingScreens.h"
#include "Paths.h"
#include "RegistryGuard.h"
#include "ScreenOpener.h"
#include "ScriptedPrompter.h"
#include "StoreSql.h"
#include "TestDatabase.h"
#include "UserSettings.h"
#include "WidgetDriver.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::LoopbackServer;
using Kind = asv::test::ScriptedPrompter::Kind;

namespace {

// A program folder of its own and the settings that reach the loopback SMTP server's account.
class MailTest : public ::testing::Test {
protected:
    void SetUp() override { Paths::setProgramFolder(m_home.path()); }

    static MailSettings settingsFor(int port)
    {
        MailSettings s;
        s.host = u"127.0.0.1"_s;
        s.port = QString::number(port);
        s.user = u"desk"_s;
        s.password = u"secret"_s;
        s.senderAddress = u"desk@asv.example"_s;
        return s;
    }
    QString writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile f(m_home.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
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

    QTemporaryDir m_home;
    test::ScriptedPrompter m_prompter;
};

} // namespace

TEST_F(MailTest, ServerValuesArePerKindWithThePlainKeyBehindAndThePasswordScrambled)
{
    ConfigKeys::MailServerValue(u"SMTP_URL"_s).setText(u"mail.old.example"_s);
    ConfigKeys::MailServerValue(u"SMTP_PORT"_s).setText(u"587"_s);
    MailSettings s = MailSettings::load();
    EXPECT_EQ(s.host + u':' + s.port, u"mail.old.example:587"_s);
    s.port = u"465"_s;
    s.password = u"비밀pass"_s;
    s.ssl = true;
    s.save();

    const MailSettings again = MailSettings::load();
    EXPECT_EQ(again.host + u':' + again.port + u' ' + again.password, u"mail.old.example:465 비밀pass"_s);
    EXPECT_TRUE(again.ssl);
    EXPECT_EQ(ConfigKeys::MailServerValue(u"SMTP_PORT"_s).text(), u"587"_s);
    QFile ini(UserSettings::fileOf(UserSettings::appTitle()));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_FALSE(QString::fromUtf8(ini.readAll()).contains(u"pass"_s));
}

TEST(MailSettings, ProblemsAreFoundInOrderAndAddressesNeedTheirShape)
{
    MailSettings s;
    s.method = MailSettings::SenderProgram;
    EXPECT_EQ(s.problem(u"사무실PC"_s), u"내컴퓨터명이 한글인 경우, [닷넷방식]을 사용하면 전송오류가 발생합니다.\n내컴퓨터명: 사무실PC"_s);
    EXPECT_EQ(s.problem(u"desk1"_s), u"[보내는 메일서버]가 입력되지 않았습니다."_s);
    s.host = u"mail.example"_s;
    s.port = u"25"_s;
    s.user = u"desk"_s;
    EXPECT_EQ(s.problem(u"desk1"_s), u"[암호]가 입력되지 않았습니다."_s);
    s.password = u"x"_s;
    s.senderAddress = u"desk@example"_s;
    EXPECT_TRUE(s.problem(u"desk1"_s).startsWith(u"[메일주소] 형식이 잘못되었습니다.\n("_s));
    s.senderAddress = u"desk@example.co.kr"_s;
    EXPECT_EQ(s.problem(u"desk1"_s), QString());

    for (const QString& bad : {u"desk@example."_s, u"desk@.example"_s, u"@example.com"_s, u"de sk@example.com"_s,
                               u"a;b@example.com"_s, u"a&b@example.com"_s, u"desk.example.com"_s})
        EXPECT_FALSE(MailSettings::isValidAddress(bad)) << bad.toStdString();
    EXPECT_TRUE(MailSettings::isValidAddress(u"d@e.f"_s));
}

TEST_F(MailTest, SmtpDeliversKoreanMailWithAttachmentToEveryRecipientAndTellsWhyItCannot)
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

    // A bad address, a refused login and a server that is down are told, and nothing more arrives.
    MailMessage ccWrong = koreanMail();
    ccWrong.ccAddresses[1] = u"park"_s;
    EXPECT_FALSE(MailSending::send(settingsFor(server.port()), ccWrong));
    EXPECT_EQ(m_prompter.texts(Kind::Info), QStringList{u"참조 메일주소가 잘못되었습니다.\npark"_s});
    MailSettings wrong = settingsFor(server.port());
    wrong.password = u"guess"_s;
    int stoppedPort = 0;
    {
        const LoopbackServer stopped(LoopbackServer::Kind::Smtp);
        stoppedPort = stopped.port();
    }
    EXPECT_FALSE(MailSending::send(wrong, koreanMail()));
    EXPECT_FALSE(MailSending::send(settingsFor(stoppedPort), koreanMail()));
    const QStringList errors = m_prompter.texts(Kind::Error);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[0].startsWith(u"오류가 발생하였습니다.\n오류번호: 0x43\n"_s)) << errors[0].toStdString();
    EXPECT_TRUE(errors[1].startsWith(u"오류가 발생하였습니다.\n오류번호: 0x7\n"_s)) << errors[1].toStdString();
    EXPECT_FALSE(m_prompter.saw(u"guess"_s));
    EXPECT_EQ(server.mails().size(), 1);
}

TEST_F(MailTest, WebFormPostsTheFieldsWithTheNoReplyLineAfterTheBody)
{
    LoopbackServer receiver(LoopbackServer::Kind::HttpPost);
    MailSettings settings = settingsFor(0);
    settings.webForm = true;
    settings.webFormUrl = u"http://127.0.0.1:%1/send"_s.arg(receiver.port());
    const MailMessage mail = koreanMail();
    ASSERT_TRUE(MailSending::send(settings, mail)) << m_prompter.texts().join(u'\n').toStdString();

    EXPECT_EQ(receiver.posted(u"type"_s), "application/x-www-form-urlencoded");
    const QUrlQuery form(QString::fromLatin1(receiver.posted(u"body"_s)));
    const QList<std::pair<QString, QString>> fields{
        {u"fromname"_s, mail.fromName}, {u"frommail"_s, mail.fromAddress}, {u"toname"_s, mail.toName},
        {u"tomail"_s, mail.toAddress},  {u"subject"_s, mail.subject},
        {u"memo"_s, mail.body + u"\n[본 메일은 회신이 불가능 하므로 담당자에게 전화로 연락 바랍니다.]"_s}};
    for (const auto& [name, value] : fields)
        EXPECT_EQ(form.queryItemValue(name, QUrl::FullyDecoded), value) << name.toStdString();
}

TEST_F(MailTest, SenderProgramGetsItsDataFilesAndItsExitCodeDecides)
{
    MailSettings settings = settingsFor(25);
    settings.method = MailSettings::SenderProgram;
    MailMessage mail = koreanMail();
    mail.files = {u"/tmp/a.pdf"_s, u"/tmp/b.pdf"_s};
    EXPECT_FALSE(MailSending::send(settings, mail));
    EXPECT_EQ(m_prompter.texts(Kind::Info),
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

TEST_F(MailTest, TheWindowSendsWithTheDefaultCopyAndTellsTheOutcome)
{
    LoopbackServer server(LoopbackServer::Kind::Smtp);
    settingsFor(server.port()).save();
    FrmSendMail window;
    EXPECT_EQ(window.findChild<QLineEdit*>(u"txtFromMail"_s)->text(), u"desk@asv.example"_s);
    fillMail(window);
    type(window, u"txtRegCcName"_s, u"이영희"_s);
    type(window, u"txtRegCcMail"_s, u"lee@asv.example"_s);
    test::click(window, u"btnRegCcSave"_s);
    test::click(window, u"chkCcMail"_s);
    // The choice is kept at once, the copy recipient by its own save.
    EXPECT_TRUE(ConfigKeys::MailUseCc.get());
    EXPECT_EQ(ConfigKeys::MailCcAddress.get(), u"lee@asv.example"_s);
    window.setAttachments({writeFile(u"견적서.pdf"_s, QByteArray(MailChecks::kAttachmentLimit, 'x'))});
    test::click(window, u"btnSend"_s);

    EXPECT_EQ(m_prompter.texts(Kind::Info), QStringList{u"이메일을 전송하였습니다."_s});
    const QList<QJsonObject> mails = server.mails();
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0][u"rcpt"_s].toString(), u"kim@customer.example, lee@asv.example"_s);
    EXPECT_EQ(mails[0][u"attachments"_s].toArray().size(), 1);
}

TEST_F(MailTest, EveryCheckOfTheWindowStopsTheMailWithItsMessage)
{
    LoopbackServer server(LoopbackServer::Kind::Smtp);
    settingsFor(server.port()).save();
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
    window.setAttachments({writeFile(u"big.pdf"_s, QByteArray(MailChecks::kAttachmentLimit + 1, 'x'))});
    test::click(window, u"btnSend"_s);
    window.findChild<QCheckBox*>(u"chkWebMail"_s)->setChecked(true);
    window.setAttachments({writeFile(u"small.pdf"_s, "x")});
    test::click(window, u"btnSend"_s);

    EXPECT_EQ(m_prompter.texts(Kind::Info),
              QStringList({u"보내는 사람 명을 입력하세요."_s, u"제목을 입력하세요."_s, u"참조 명을 입력하세요."_s,
                           u"받는 사람 메일을 하나만 설정해주세요."_s, u"첨부파일 설정 오류!!!"_s,
                           u"파일의 용량이 커서 전송할수 없습니다.\n용량제한 : 1MB"_s,
                           u"웹전송방식은 첨부파일이 지원되지 않습니다!!!"_s}));
    EXPECT_TRUE(server.mails().isEmpty());
}

TEST_F(MailTest, SettingsPanelChecksAndSavesAndTheTestMailArrivesFromTheCommandLineAndThePanel)
{
    LoopbackServer server(LoopbackServer::Kind::Smtp);
    EXPECT_EQ(mailTest(u"me@asv.example"_s), 1);
    EXPECT_TRUE(m_prompter.saw(u"[보내는 메일서버]가 입력되지 않았습니다."_s));

    FrmSendMail window;
    const QList<std::pair<QString, QString>> typed{{u"txtSmtpUrl"_s, u"127.0.0.1"_s},
                                                   {u"txtSmtpPort"_s, QString::number(server.port())},
                                                   {u"txtSmtpId"_s, u"desk"_s},
                                                   {u"txtSmtpPwd"_s, u"secret"_s},
                                                   {u"txtSmtpEmail"_s, u"desk@asv"_s}};
    for (const auto& [name, text] : typed)
        type(window, name, text);
    test::click(window, u"btnSettingsSave"_s);
    EXPECT_TRUE(m_prompter.saw(u"[메일주소] 형식이 잘못되었습니다."_s));
    EXPECT_NE(MailSettings::load().host, u"127.0.0.1"_s);
    type(window, u"txtSmtpEmail"_s, u"desk@asv.example"_s);
    test::click(window, u"btnSettingsSave"_s);
    EXPECT_EQ(m_prompter.texts(Kind::Notice), QStringList{u"저장하였습니다."_s});
    EXPECT_EQ(MailSettings::load().port, QString::number(server.port()));
    EXPECT_EQ(window.findChild<QLineEdit*>(u"txtFromMail"_s)->text(), u"desk@asv.example"_s);

    // Through the command line, with the settings as stored, and from the panel.
    ASSERT_EQ(mailTest(u"me@asv.example"_s), 0) << m_prompter.texts().join(u'\n').toStdString();
    EXPECT_TRUE(m_prompter.saw(u"[me@asv.example]메일을 확인해보세요.\n메일이 보이지 않을 경우 스팸함을 확인해 보세요."_s));
    m_prompter.answerInput(u"me@asv.example"_s);
    test::click(window, u"btnMailTest"_s);
    const QList<QJsonObject> mails = server.mails();
    ASSERT_EQ(mails.size(), 2);
    for (const QJsonObject& mail : mails) {
        EXPECT_EQ(mail[u"subject"_s].toString(), u"테스트 메일입니다."_s);
        EXPECT_TRUE(mail[u"body"_s].toString().startsWith(u"[본 메일은 테스트입니다. 보낸시각: 20"_s));
    }
    MailSettings webForm = MailSettings::load();
    webForm.webForm = true;
    EXPECT_FALSE(MailSending::sendTest(webForm, u"me@asv.example"_s));
    EXPECT_TRUE(m_prompter.saw(u"웹 전송 방식은 [메일 전송 테스트]를 지원하지 않습니다."_s));
    EXPECT_EQ(server.mails().size(), 2);

    // The maker's server brings its own account and fixes the sender.
    auto* kind = window.findChild<QComboBox*>(u"cboSmtpType"_s);
    kind->setCurrentIndex(MailSettings::MakersServer);
    emit kind->activated(MailSettings::MakersServer);
    EXPECT_EQ(window.findChild<QLineEdit*>(u"txtSmtpPort"_s)->text(), u"25"_s);
    EXPECT_TRUE(window.findChild<QLineEdit*>(u"txtSmtpUrl"_s)->isReadOnly());
}

TEST_F(MailTest, EachCustomerGetsItsLedgerAndAFailureDoesNotStopTheRun)
{
    test::TestDatabase db;
    LoopbackServer server(LoopbackServer::Kind::Smtp);
    settingsFor(server.port()).save();
    for (const QString& code : {u"000001"_s, u"000002"_s, u"000003"_s}) {
        CustomerRecord c;
        c.code = code;
        c.compname = c.compalias = u"고객"_s + code;
        ASSERT_EQ(CustomerStore().insert(c, false), 1);
    }
    const QString ledger = writeFile(u"원장_000001.pdf"_s, "ledger");
    const QString missing = m_home.filePath(u"없음.pdf"_s);
    Clock::setFixed(QDateTime(QDate(2026, 6, 30), QTime(9, 5, 7)));

    FrmSendMailMulti window;
    type(window, u"txtFromName"_s, u"한빛상사"_s);
    type(window, u"txtSubject"_s, u"6월 원장"_s);
    window.addCustomer(u"000001"_s, u"고객000001"_s, u"one@customer.example"_s, ledger);
    window.addCustomer(u"000002"_s, u"고객000002"_s, u"two@customer.example"_s, missing);
    window.addCustomer(u"000003"_s, u"고객000003"_s, u"three.customer.example"_s, ledger);
    EXPECT_EQ(window.send(), 1);
    Clock::clearFixed();

    EXPECT_EQ(m_prompter.texts(Kind::Info),
              QStringList({u"원장 첨부파일 설정 오류!!!\n"_s + missing, u"받는사람 메일주소가 잘못되었습니다.\nthree.customer.example"_s,
                           u"[고객000003] 거래처에 이메일을 전송하지 못했습니다."_s}));
    ASSERT_EQ(server.mails().size(), 1);
    EXPECT_EQ(server.mails()[0][u"rcpt"_s].toString(), u"one@customer.example"_s);
    EXPECT_EQ(StoreSql(nullptr, u"test"_s).firstColumn(u"SELECT lastemaildate FROM customer ORDER BY code"_s, u"read"_s),
              QStringList({u"2026-06-30 09:05:07"_s, QString(), QString()}));
}

TEST_F(MailTest, APrintedListIsMailedAsItsPdfFromThePreviewAndTheSettingsOpenOnTheirOwn)
{
    test::RegistryGuard guard({}, {kMailScreen, kMailSettingsScreen});
    MessagingScreens::registerAll();
    LoopbackServer server(LoopbackServer::Kind::Smtp);
    settingsFor(server.port()).save();
    Grid grid;
    grid.setColumns({u"상호"_s, u"금액"_s});
    grid.cells().setRowCount(2);
    grid.setText(0, 0, u"가나상사"_s);
    grid.setText(1, 0, u"다라상사"_s);

    QString subject, attached;
    bool previewHadMail = false;
    QTimer::singleShot(0, [&] {
        QWidget* preview = QApplication::activeModalWidget();
        auto* mail = preview ? preview->findChild<QAction*>(u"actMail"_s) : nullptr;
        previewHadMail = mail != nullptr;
        if (mail) {
            // Waits for the mail screen to be the one asking.
            std::function<void()> fillAndSend = [&] {
                QWidget* screen = QApplication::activeModalWidget();
                if (screen->objectName() != u"FrmSendMail"_s) {
                    QTimer::singleShot(10, fillAndSend);
                    return;
                }
                subject = screen->findChild<QLineEdit*>(u"txtSubject"_s)->text();
                attached = screen->findChild<QLineEdit*>(u"txtPathFile"_s)->text();
                fillMail(*screen);
                test::click(*screen, u"btnSend"_s);
                screen->close();
            };
            QTimer::singleShot(0, fillAndSend);
            mail->trigger();
        }
        preview->close();
    });
    GridPrinter(grid, u"거래처 리스트"_s).preview(nullptr);

    ASSERT_TRUE(previewHadMail);
    EXPECT_EQ(subject, u"거래처 리스트"_s);
    EXPECT_TRUE(attached.endsWith(u".pdf"_s)) << attached.toStdString();
    EXPECT_TRUE(attached.startsWith(Paths::file(u"Mail/거래처_리스트_"_s))) << attached.toStdString();
    EXPECT_EQ(m_prompter.texts(Kind::Info), QStringList{u"이메일을 전송하였습니다."_s});
    const QList<QJsonObject> mails = server.mails();
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0][u"attachments"_s].toArray().size(), 1);

    // The options open the settings alone.
    std::unique_ptr<QWidget> settings(ScreenRegistry::find(kMailSettingsScreen)->create(nullptr));
    EXPECT_EQ(settings->findChild<QLineEdit*>(u"txtSmtpUrl"_s)->text(), u"127.0.0.1"_s);
}
