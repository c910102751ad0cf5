#include "AppState.h"
#include "ConnectionProfile.h"
#include "DbError.h"
#include "FrmLUser_save.h"
#include "HCText.h"
#include "LocalServer.h"
#include "Paths.h"
#include "RecordSet.h"
#include "ScriptedPrompter.h"
#include "SqlLog.h"
#include "SqlSecrets.h"
#include "TestDatabase.h"
#include "WorkDataClearing.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

bool connectsOverTcp(const QString& host, const QString& user)
{
    try {
        cMySQL c;
        return c.real_connect(host, user, {}, {});
    } catch (const DbError&) {
        return false;
    }
}

QByteArray everyFileBelow(const QString& folder)
{
    QByteArray all;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            all += f.readAll();
    }
    return all;
}

QByteArray procFile(qint64 pid, const char* name)
{
    QFile f(u"/proc/%1/%2"_s.arg(pid).arg(QString::fromLatin1(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(Secrets, PasswordLiteralsAreMaskedAndNothingElse)
{
    const struct {
        QString sql;
        QString logged;
    } cases[] = {
        {u"UPDATE local_user SET name = '김', loginpwd = 'pw1', bigo = 'x' WHERE code = '01'"_s,
         u"UPDATE local_user SET name = '김', loginpwd = '****', bigo = 'x' WHERE code = '01'"_s},
        {u"INSERT INTO local_user (code, loginpwd, name) VALUES ('01', 'it''s\\'pw', 'a, b'), ('02', '', 'c')"_s,
         u"INSERT INTO local_user (code, loginpwd, name) VALUES ('01', '****', 'a, b'), ('02', '****', 'c')"_s},
        {u"SELECT COUNT(*) FROM local_user WHERE loginid = 'ADMIN' AND u.`LoginPwd`='pw'"_s,
         u"SELECT COUNT(*) FROM local_user WHERE loginid = 'ADMIN' AND u.`LoginPwd`='****'"_s},
        {u"CREATE USER IF NOT EXISTS 'a'@'localhost' IDENTIFIED BY 'pw'"_s,
         u"CREATE USER IF NOT EXISTS 'a'@'localhost' IDENTIFIED BY '****'"_s},
        {u"ALTER USER 'root'@'localhost' IDENTIFIED VIA mysql_native_password USING PASSWORD('pw')"_s,
         u"ALTER USER 'root'@'localhost' IDENTIFIED VIA mysql_native_password USING PASSWORD('****')"_s},
        // A password column named inside a text is text.
        {u"UPDATE customer SET bigo = 'loginpwd = ''x''' WHERE code = 'pwd'"_s,
         u"UPDATE customer SET bigo = 'loginpwd = ''x''' WHERE code = 'pwd'"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql.toStdString());
        EXPECT_EQ(SqlSecrets::masked(c.sql), c.logged);
    }
}

// The statement logs at their most talkative level see a password change and the clearing check.
TEST(Secrets, StatementLogsHoldNoPasswordOfTheUsers)
{
    test::ScriptedPrompter prompter;
    test::TestDatabase db;
    SqlLog::start(2);
    App().UserCode = u"00"_s;
    const QString password = u"Pw-7731-비밀"_s;
    {
        FrmLUser_save editor;
        editor.SetFormMode(FrmLUser_save::EditRecord, u"00"_s);
        editor.findChild<HCText*>(u"htPassword"_s)->SetText(password);
        editor.findChild<QPushButton*>(u"btnSave"_s)->click();
    }
    ASSERT_EQ(DBGetValue(u"SELECT loginpwd FROM local_user WHERE code = '00'"_s), password);
    EXPECT_TRUE(WorkDataClearing::isAdministratorPassword(password));
    EXPECT_FALSE(WorkDataClearing::isAdministratorPassword(u"guess-4411"_s));
    SqlLog::start(0);

    const QByteArray logs = everyFileBelow(Paths::logFolder());
    EXPECT_TRUE(logs.contains("loginpwd = '****'"));
    EXPECT_FALSE(logs.contains(password.toUtf8()));
    EXPECT_FALSE(logs.contains("guess-4411"));
}

// A profile without a password would open the port to every process on the machine; the tests'
// own server is held to the same.
TEST(Secrets, NeitherTheLocalNorTheTestServerAnswersTcpLoginWithoutPasswordAndNoneShowsInTheProcess)
{
    const test::ServerAccount account = test::testServer();
    for (const QString& user : {u"root"_s, account.user, QString()})
        EXPECT_FALSE(connectsOverTcp(account.host, user)) << user.toStdString();

    test::ScriptedPrompter prompter;
    QTemporaryDir home;
    Paths::setProgramFolder(home.path());
    LocalServer server;
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    ConnectionProfile profile{server.host(), u"desk"_s, u"Ostradb"_s, {}};
    ASSERT_TRUE(server.prepare(profile)) << server.error().toStdString();
    EXPECT_EQ(profile.user, u"desk"_s);
    EXPECT_GE(profile.password.size(), 20);
    EXPECT_EQ(ConnectionProfile::read().password, profile.password);
    EXPECT_FALSE(server.prepare(LocalServer::Account{u"open"_s, {}, u"Ostradb"_s}));

    for (const QString& user : {u"root"_s, u"desk"_s, LocalServer::ownAccount(), QString()})
        EXPECT_FALSE(connectsOverTcp(server.host(), user)) << user.toStdString();
    cMySQL admin;
    ASSERT_TRUE(admin.real_connect(server.socketPath(), LocalServer::administrator(), {}, {}));
    const RecordSetPtr open = admin.query(
        u"SELECT CONCAT(User, '@', Host) FROM mysql.global_priv WHERE Host <> '' "
        "AND IFNULL(JSON_VALUE(Priv, '$.authentication_string'), '') = '' "
        "AND IFNULL(JSON_VALUE(Priv, '$.plugin'), '') <> 'unix_socket' "
        "AND IFNULL(JSON_EXTRACT(Priv, '$.account_locked'), 'false') <> 'true' "
        "AND NOT JSON_CONTAINS_PATH(Priv, 'one', '$.auth_or')"_s,
        true);
    ASSERT_TRUE(open);
    EXPECT_EQ(open->rowCount(), 0) << open->field(0).toStdString();

    const qint64 pid = server.runningPid();
    ASSERT_GT(pid, 0);
    EXPECT_FALSE(procFile(pid, "cmdline").contains(profile.password.toLatin1()));
    EXPECT_FALSE(procFile(pid, "environ").contains(profile.password.toLatin1()));
    server.stop();
}
