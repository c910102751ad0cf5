#include "ConfigKeys.h"
#include "MailSettings.h"
#include "Paths.h"
#include "UserSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

TEST(MailSettings, ServerValuesArePerKindWithThePlainKeyBehindAndThePasswordScrambled)
{
    QTemporaryDir home;
    Paths::setProgramFolder(home.path());
    ConfigKeys::MailServerValue(u"SMTP_URL"_s).setText(u"mail.old.example"_s);
    ConfigKeys::MailServerValue(u"SMTP_PORT"_s).setText(u"587"_s);

    MailSettings s = MailSettings::load();
    EXPECT_EQ(s.host, u"mail.old.example"_s);
    EXPECT_EQ(s.port, u"587"_s);
    s.port = u"465"_s;
    s.user = u"desk"_s;
    s.password = u"비밀pass"_s;
    s.ssl = true;
    s.save();

    const MailSettings again = MailSettings::load();
    EXPECT_EQ(again.host, u"mail.old.example"_s);
    EXPECT_EQ(again.port, u"465"_s);
    EXPECT_EQ(again.password, u"비밀pass"_s);
    EXPECT_TRUE(again.ssl);
    EXPECT_EQ(ConfigKeys::MailServerValue(u"SMTP_PORT"_s).text(), u"587"_s);
    QFile ini(UserSettings::fileOf(UserSettings::appTitle()));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_FALSE(QString::fromUtf8(ini.readAll()).contains(u"pass"_s));

    // The maker's server brings its own account, whatever was typed.
    MailSettings makers = again;
    makers.serverKind = MailSettings::MakersServer;
    makers.applyServerKind();
    EXPECT_NE(makers.host, again.host);
    EXPECT_EQ(makers.port, u"25"_s);
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

} // namespace
