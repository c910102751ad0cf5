#include "ConnectionProfile.h"
#include "Paths.h"
#include "TestDatabase.h"
#include "cMySQL.h"
#include "modMain_dbPatch.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QCoreApplication>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

struct CtlResult {
    int exitCode;
    QString out;
};

// The command as a script runs it: the administrator's password on standard input.
CtlResult createAs(const QString& home, const QString& admin, const QString& password)
{
    QProcess p;
    p.start(QStringLiteral(ASV_CTL), {u"--home"_s, home, u"db"_s, u"create"_s, u"--admin"_s, admin});
    p.write(password.toUtf8() + "\n");
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput())};
}

} // namespace

// The test server's account has every right, so it plays the office server's administrator.
TEST(OfficeDatabase, CreatesDatabaseAndAccountOnceAndLeavesAnExistingOneAlone)
{
    const test::ServerAccount server = test::testServer();
    const QString pid = QString::number(QCoreApplication::applicationPid());
    const ConnectionProfile profile{server.host, u"asvoffice_"_s + pid, u"asvofficedb_"_s + pid, u"o'ffice\\pw"_s};
    cMySQL admin;
    admin.real_connect(server.host, server.user, server.password, {}, 3306, {}, 0, u"euckr"_s);
    const auto cleanUp = qScopeGuard([&] {
        DBClose();
        admin.query(u"DROP DATABASE IF EXISTS `"_s + profile.database + u"`"_s, true);
        admin.query(u"DROP USER IF EXISTS '"_s + profile.user + u"'@'%'"_s, true);
    });
    QTemporaryDir home;
    Paths::setProgramFolder(home.path());
    profile.write();

    const CtlResult refused = createAs(home.path(), server.user, u"wrong"_s);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(admin.query(u"SHOW DATABASES LIKE '"_s + profile.database + u"'"_s, true)->rowCount(), 0);

    const CtlResult created = createAs(home.path(), server.user, server.password);
    ASSERT_EQ(created.exitCode, 0) << created.out.toStdString();
    EXPECT_EQ(admin.query(u"SELECT DEFAULT_CHARACTER_SET_NAME FROM information_schema.SCHEMATA WHERE SCHEMA_NAME = '"_s
                              + profile.database + u"'"_s,
                          true)
                  ->value(0, 0),
              u"euckr"_s);
    // The profile's own account was kept, with its password.
    EXPECT_EQ(ConnectionProfile::read().user, profile.user);

    ASSERT_TRUE(DBInit(server.host, profile.user, profile.password, profile.database));
    EXPECT_EQ(DBStructureVersion(), 14);
    // The account may not reach other databases.
    EXPECT_EQ(DBGetValue(u"SELECT COUNT(*) FROM information_schema.SCHEMATA WHERE SCHEMA_NAME = 'mysql'"_s), u"0"_s);
    DBExecute(u"INSERT INTO dbversion (dbid, ver) VALUES ('probe', 1)"_s);
    DBClose();

    const CtlResult again = createAs(home.path(), server.user, server.password);
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.out.contains(u"이미 만들어져 있습니다"_s)) << again.out.toStdString();
    ASSERT_TRUE(DBInit(server.host, profile.user, profile.password, profile.database));
    EXPECT_EQ(DBGetValue(u"SELECT ver FROM dbversion WHERE dbid = 'probe'"_s), u"1"_s);
}
