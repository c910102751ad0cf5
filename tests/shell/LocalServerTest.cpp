#include "LocalServer.h"
#include "Paths.h"
#include "ScriptedPrompter.h"
#include "modMain_dbPatch.h"
#include "modMySQL_Func.h"

#include <QDir>
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

} // namespace

TEST(LocalServer, FirstStartInstallsTheCurrentStructureAndTheProgramLeavesNoServerBehind)
{
    asv::test::ScriptedPrompter prompter;
    QTemporaryDir home;
    Paths::setProgramFolder(home.path());
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
    }
    EXPECT_EQ(serversOn(home.path()), 0);

    // The real program: start, log in, close; the demo data are loaded once.
    const QStringList args{u"--home"_s, home.path(), u"--local-server"_s, u"--demo"_s, u"--measure-startup"_s};
    for (int run = 0; run < 2; ++run) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(ASV_PROGRAM), args);
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
        EXPECT_TRUE(program.readAllStandardOutput().contains("main window shown after"));
        EXPECT_EQ(serversOn(home.path()), 0);
    }
    LocalServer server;
    ASSERT_TRUE(server.start());
    ASSERT_TRUE(DBInit(server.host(), u"Ostra"_s, u"eeee"_s, u"Ostradb"_s));
    const long customers = DBRecordCount(u"customer"_s);
    EXPECT_GT(customers, 10);
    EXPECT_GT(DBRecordCount(u"sale"_s), customers);
    DBClose();
    server.stop();
    EXPECT_EQ(serversOn(home.path()), 0);
}

TEST(LocalServer, ProgramEndedDuringStartUpTakesItsServerAlong)
{
    QTemporaryDir home;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    program.setProcessEnvironment(env);
    // Without --measure-startup the program waits at the login dialog.
    program.start(QStringLiteral(ASV_PROGRAM), {u"--home"_s, home.path(), u"--local-server"_s});
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
