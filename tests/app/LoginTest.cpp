#include "AppState.h"
#include "FrmLogin.h"
#include "GetLoginUserInfo.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

namespace {

const QString kMismatch = u"입력하신 암호가 일치하지 않습니다.\r\n \r\n암호를 확인 후 재시도 하십시오."_s;

struct LoginFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;
    FrmLogin dialog;

    LoginFixture()
    {
        DBExecute(u"INSERT INTO local_user (code, loginid, loginpwd, name) VALUES ('01', 'KIM', 'Secret', '김상담')"_s);
        dialog.show();
    }
    QLineEdit* user() { return dialog.findChild<QLineEdit*>(u"txtUser"_s); }
    QLineEdit* pass() { return dialog.findChild<QLineEdit*>(u"txtPass"_s); }
    void chooseUser(const QString& id)
    {
        user()->clear();
        QTest::keyClicks(user(), id);
        QTest::keyClick(user(), Qt::Key_Return);
    }
    void typePassword(const QString& pw)
    {
        pass()->selectAll();
        QTest::keyClicks(pass(), pw);
        QTest::keyClick(pass(), Qt::Key_Return);
    }
};

} // namespace

TEST_F(LoginFixture, EmptyPasswordLogsInByEnterOnAnEmptyBoxAndAnUnknownIdIsTheAdministrator)
{
    EXPECT_EQ(user()->text(), u"ADMIN"_s);
    // The hint is shown, never typed: the box itself starts empty.
    EXPECT_EQ(pass()->text(), QString());
    EXPECT_EQ(pass()->placeholderText(), u"엔터 치세요"_s);
    EXPECT_EQ(pass()->echoMode(), QLineEdit::Password);
    QTest::keyClick(pass(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(App().LoginId, u"ADMIN"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());

    GetLoginUserInfo(App().LoginId);
    EXPECT_EQ(App().UserCode, u"00"_s);
    EXPECT_EQ(App().UserName, u"관리자"_s);
    EXPECT_EQ(App().CompanyName, u"OstraSoft(본사)"_s);

    // An unknown login id is the administrator.
    DBExecute(u"UPDATE office SET compname = 'A&B 상사' WHERE code = 1"_s);
    GetLoginUserInfo(u"nobody'"_s);
    EXPECT_EQ(App().UserCode, u"00"_s);
    EXPECT_EQ(App().UserName, QString());
    EXPECT_EQ(App().CompanyName, u"A&B 상사"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(LoginFixture, TheHintOfAnotherIdAndTwoWrongPasswordsEndTheLogin)
{
    // The id is changed without leaving the field: the empty box opens no account with a password.
    user()->setText(u"KIM"_s);
    dialog.findChild<QPushButton*>(u"btnLogin"_s)->click();
    EXPECT_EQ(App().LoginId, u"-1"_s);

    chooseUser(u"KIM"_s);
    EXPECT_EQ(pass()->placeholderText(), QString());
    EXPECT_EQ(pass()->text(), QString());
    typePassword(u"secret"_s); // case counts
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(App().LoginId, u"-1"_s);
    EXPECT_EQ(prompter.texts(), (QStringList{kMismatch, kMismatch}));
    typePassword(u"y"_s);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(App().LoginId, u"-1"_s);
    EXPECT_EQ(prompter.texts().last(), u"암호입력 3회 오류로 프로그램을 종료 합니다."_s);
    // The end needs no confirmation.
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::YesNo), 0);
}

TEST_F(LoginFixture, TwoWrongThenTheRightOneSucceeds)
{
    chooseUser(u"KIM"_s);
    typePassword(u"a"_s);
    typePassword(u"b"_s);
    typePassword(u"Secret"_s);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(App().LoginId, u"KIM"_s);
    GetLoginUserInfo(App().LoginId);
    EXPECT_EQ(App().UserCode, u"01"_s);
    EXPECT_EQ(App().UserName, u"김상담"_s);
}

TEST_F(LoginFixture, AnythingTypedForAUserWithoutPasswordIsWrongAndEscapeAsksBeforeEnding)
{
    QTest::keyClicks(pass(), u"z"_s);
    EXPECT_EQ(pass()->text(), u"z"_s);
    QTest::keyClick(pass(), Qt::Key_Return);
    EXPECT_EQ(App().LoginId, u"-1"_s);

    // Escape asks before ending.
    prompter.answer(MsgAnswer::No);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    prompter.answer(MsgAnswer::Yes);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(App().LoginId, u"-1"_s);
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::YesNo),
              (QStringList{u"프로그램을 종료하시겠습니까?"_s, u"프로그램을 종료하시겠습니까?"_s}));
}
