#include "AppState.h"
#include "ConnectionProfile.h"
#include "DbError.h"
#include "FrmLUser_save.h"
#include "FrmLogin.h"
#include "HCText.h"
#include "LocalServer.h"
#include "Paths.h"
#include "ScriptedPrompter.h"
#include "UserSettings.h"
#include "cMySQL.h"
#include "modMain.h"
#include "modMain_dbPatch.h"
#include "modMySQL_Func.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

// Server processes whose command line names the folder.
int serversOn(const QString& folder)
{
    int n = 0;
    for (const QString& pid : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
        QFile cmd(u"/proc/"_s + pid + u"/cmdline"_s);
        if (!cmd.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = cmd.readAll();
        if (line.contains("mariadbd") && line.contains(folder.toUtf8()))
            ++n;
    }
    return n;
}

bool connects(const QString& host, const QString& user, const QString& password)
{
    try {
        cMySQL c;
        return c.real_connect(host, user, password, {});
    } catch (const DbError&) {
        return false;
    }
}

// A data folder as the program made it before the administrator was bound to the socket.
void initialiseAsBefore(const QString& folder)
{
    QProcess init;
    QDir().mkpath(folder + u"/tmp"_s);
    init.start(u"mariadb-install-db"_s, {u"--no-defaults"_s, u"--datadir="_s + folder + u"/data"_s,
                                        u"--tmpdir="_s + folder + u"/tmp"_s, u"--user=root"_s,
                                        u"--auth-root-authentication-method=normal"_s, u"--skip-test-db"_s,
                                        u"--skip-name-resolve"_s});
    ASSERT_TRUE(init.waitForFinished(60000));
    ASSERT_EQ(init.exitCode(), 0);
}

// The real program, headless.
void startProgram(QProcess& program, const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(ASV_PROGRAM), args);
}

} // namespace

TEST(LocalServer, FirstStartInstallsTheCurrentStructureAndTheProgramLeavesNoServerBehind)
{
    asv::test::ScriptedPrompter prompter;
    QTemporaryDir home;
    Paths::setProgramFolder(home.path());
    initialiseAsBefore(home.path() + u"/localdb"_s);
    {
        LocalServer server;
        ASSERT_TRUE(server.start()) << server.error().toStdString();
        ASSERT_TRUE(server.prepare({u"Ostra"_s, u"eeee"_s, u"Ostradb"_s})) << server.error().toStdString();
        // The profile's account reaches the new database over loopback.
        ASSERT_TRUE(DBInit(server.host(), u"Ostra"_s, u"eeee"_s, u"Ostradb"_s));
        EXPECT_EQ(DBStructureVersion(), kProgramDbVersion);
        EXPECT_EQ(DBGetValue(u"SELECT compname FROM office WHERE code = 1"_s), u"OstraSoft(본사)"_s);
        DBClose();
        // Preparing again leaves the database as it is.
        EXPECT_TRUE(server.prepare({u"Ostra"_s, u"eeee"_s, u"Ostradb"_s}));
        EXPECT_EQ(serversOn(home.path()), 1);
        // Only the operating-system user reaches the administrator, through the socket.
        EXPECT_FALSE(connects(server.host(), u"root"_s, {}));
        EXPECT_TRUE(connects(server.socketPath(), LocalServer::administrator(), {}));
    }
    EXPECT_EQ(serversOn(home.path()), 0);

    // The real program: start, log in, close; the demo data are loaded once. The installation
    // made with the shared account moves to an account of its own at the first start.
    const QStringList args{u"--home"_s, home.path(), u"--local-server"_s, u"--demo"_s, u"--measure-startup"_s};
    for (int run = 0; run < 2; ++run) {
        QProcess program;
        startProgram(program, args);
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
        EXPECT_TRUE(program.readAllStandardOutput().contains("main window shown after"));
        EXPECT_EQ(serversOn(home.path()), 0);
    }
    const ConnectionProfile moved = ConnectionProfile::read();
    EXPECT_EQ(moved.user, LocalServer::ownAccount());
    EXPECT_TRUE(moved.localServer);
    LocalServer server;
    ASSERT_TRUE(server.start());
    EXPECT_FALSE(connects(server.host(), u"Ostra"_s, u"eeee"_s));
    ASSERT_TRUE(DBInit(server.host(), moved.user, moved.password, u"Ostradb"_s));
    EXPECT_EQ(DBGetValue(u"SELECT compname FROM office WHERE code = 1"_s), u"OstraSoft(본사)"_s);
    const long customers = DBRecordCount(u"customer"_s);
    EXPECT_GT(customers, 10);
    EXPECT_GT(DBRecordCount(u"sale"_s), customers);
    DBClose();
    server.stop();
    EXPECT_EQ(serversOn(home.path()), 0);

    // Ended while it waits at the login dialog (no --measure-startup), it takes its server along.
    QProcess program;
    startProgram(program, {u"--home"_s, home.path(), u"--local-server"_s});
    ASSERT_TRUE(program.waitForStarted());
    const QString socket = home.path() + u"/localdb/mysqld.sock"_s;
    for (int i = 0; i < 600 && !(serversOn(home.path()) == 1 && QFile::exists(socket)); ++i)
        QThread::msleep(50);
    ASSERT_EQ(serversOn(home.path()), 1);
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(10000));
    for (int i = 0; i < 200 && serversOn(home.path()) > 0; ++i)
        QThread::msleep(50);
    EXPECT_EQ(serversOn(home.path()), 0);
}

TEST(LocalServer, OnANewInstallationTheAdministratorsPasswordCanBeSetAndIsThenRequired)
{
    asv::test::ScriptedPrompter prompter;
    QTemporaryDir home;
    Paths::setProgramFolder(home.path());
    StartOptions options;
    options.localServer = true;
    ReadConnectionProfile();
    ASSERT_TRUE(StartLocalServerIfWanted(options)) << prompter.texts().join(u'\n').toStdString();
    const ConnectionProfile profile = ConnectionProfile::read();
    EXPECT_EQ(profile.user, LocalServer::ownAccount());
    EXPECT_GE(profile.password.size(), 20);
    EXPECT_EQ(UserSettings::read(ConnectionProfile::application(), u"서버정보"_s, u"PWD"_s),
              QString::fromLatin1(profile.password.toLatin1().toBase64()));
    EXPECT_FALSE(App().usesSharedAccount());
    EXPECT_FALSE(connects(RunningLocalServer()->host(), u"root"_s, {}));
    ASSERT_TRUE(InitApp());

    App().UserCode = u"00"_s;
    {
        FrmLUser_save editor;
        editor.SetFormMode(FrmLUser_save::EditRecord, u"00"_s);
        editor.findChild<HCText*>(u"htPassword"_s)->SetText(u"Adm1n-pw"_s);
        editor.findChild<QPushButton*>(u"btnSave"_s)->click();
    }
    EXPECT_EQ(DBGetValue(u"SELECT loginpwd FROM local_user WHERE code = '00'"_s), u"Adm1n-pw"_s)
        << prompter.texts().join(u'\n').toStdString();

    FrmLogin login;
    login.show();
    auto* password = login.findChild<QLineEdit*>(u"txtPass"_s);
    EXPECT_EQ(password->text(), QString());
    QTest::keyClick(password, Qt::Key_Return);
    EXPECT_EQ(App().LoginId, u"-1"_s);
    EXPECT_TRUE(login.isVisible());
    QTest::keyClicks(password, u"Adm1n-pw"_s);
    QTest::keyClick(password, Qt::Key_Return);
    EXPECT_EQ(App().LoginId, u"ADMIN"_s);
    DestroyApp();
    EXPECT_EQ(serversOn(home.path()), 0);
}
