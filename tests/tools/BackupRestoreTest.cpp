#include "AppState.h"
#include "BackupFile.h"
#include "Clock.h"
#include "ConnectionProfile.h"
#include "DatabaseBackup.h"
#include "DumpTools.h"
#include "FrmTool_Backup.h"
#include "SampleDataGenerator.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "WidgetDriver.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

namespace {

using Kind = ScriptedPrompter::Kind;

const QDateTime kAt(QDate(2026, 12, 6), QTime(22, 15));
// Everything an option file treats specially.
const QString kAwkwardPassword = u"p\"a#s s\\w'o;rd"_s;

// Every table's rows and checksum, as "name rows checksum". The server's checksum of a table with
// virtual columns changes with what was read last, so it is taken of a copy of the stored ones.
QStringList fingerprint(cMySQL& admin, const QString& database)
{
    QStringList out;
    const RecordSetPtr tables = admin.query(
        u"SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = '"_s + database + u"' ORDER BY 1"_s, false);
    for (int row = 0; tables && row < tables->rowCount(); ++row) {
        const QString table = u"`"_s + database + u"`.`"_s + tables->value(row, 0) + u"`"_s;
        const QString copy = u"`"_s + database + u"`.asv_fingerprint"_s;
        const RecordSetPtr count = admin.query(u"SELECT COUNT(*) FROM "_s + table, false);
        admin.query(u"CREATE TEMPORARY TABLE "_s + copy + u" AS SELECT * FROM "_s + table, false);
        const RecordSetPtr sum = admin.query(u"CHECKSUM TABLE "_s + copy, false);
        admin.query(u"DROP TEMPORARY TABLE "_s + copy, false);
        out << tables->value(row, 0) + u' ' + count->value(0, 0) + u' ' + sum->value(0, 1);
    }
    return out;
}

// A dump program on PATH that records how it was started, then does the real work.
QString recordingDumpFolder(const QTemporaryDir& dir)
{
    const QString script = dir.filePath(u"mariadb-dump"_s);
    QFile f(script);
    f.open(QIODevice::WriteOnly);
    f.write(("#!/bin/sh\n"
             "log=" + dir.filePath(u"started.log"_s).toUtf8() + "\n"
             "echo \"$@\" > \"$log\"\n"
             "env >> \"$log\"\n"
             "stat -c 'mode %a' \"${1#--defaults-extra-file=}\" >> \"$log\"\n"
             "exec " + DumpTools::find({u"mariadb-dump"_s}).toUtf8() + " \"$@\"\n"));
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return dir.path();
}

class BackupRestore : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::setFixed(kAt);
        const asv::test::ServerAccount server = asv::test::testServer();
        m_user = u"asvbk_%1"_s.arg(QCoreApplication::applicationPid());
        for (const QString& host : {u"'%'"_s, u"'127.0.0.1'"_s, u"'localhost'"_s}) {
            const QString account = u"'"_s + m_user + u"'@"_s + host;
            m_db.admin().query(
                u"CREATE OR REPLACE USER "_s + account + u" IDENTIFIED BY '"_s + SQLQuote(kAwkwardPassword) + u"'"_s, false);
            m_db.admin().query(u"GRANT ALL PRIVILEGES ON *.* TO "_s + account, false);
        }
        m_login = {server.host, m_user, kAwkwardPassword, m_db.name()};
        App().DbHost = m_login.host;
        App().DbUser = m_login.user;
        App().DbPassword = m_login.password;
        App().DbName = m_login.database;
        App().UserCode = u"00"_s;
    }
    void TearDown() override
    {
        for (const QString& host : {u"'%'"_s, u"'127.0.0.1'"_s, u"'localhost'"_s})
            m_db.admin().query(u"DROP USER IF EXISTS '"_s + m_user + u"'@"_s + host, true);
        Clock::clearFixed();
    }

    // A backup made through the window.
    QString backUpThroughWindow(ScriptedPrompter& prompter, FrmTool_Backup& window)
    {
        prompter.answer(MsgAnswer::Yes);
        asv::test::click(window, u"btnBackUp"_s);
        return BackupFile::folder() + u"/"_s + BackupFile::fileName(kAt);
    }

    TestDatabase m_db;
    QString m_user;
    ServerLogin m_login;
};

} // namespace

TEST(DumpTools, ServerVersionsChooseTheirToolsOrAreRefused)
{
    struct Case {
        const char* version;
        const char* firstDump;
    };
    const Case cases[]{
        {"4.0.27-standard", "mysqldump"},    {"5.1.73-log", "mysqldump"},       {"5.5.62", "mysqldump"},
        {"5.7.44", "mysqldump"},             {"10.11.19-MariaDB-0+deb12u1", "mariadb-dump"},
        {"11.4.2-MariaDB", "mariadb-dump"},  {"5.5.68-MariaDB", "mariadb-dump"},
        {"5.0.96-community", nullptr},       {"8.0.36", nullptr},               {"4.1.22", nullptr},
        {"12.0.1-MariaDB", nullptr},         {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        const DumpTools tools = DumpTools::forServer(QString::fromLatin1(c.version));
        EXPECT_EQ(tools.supported(), c.firstDump != nullptr);
        if (c.firstDump) {
            EXPECT_EQ(tools.dumpNames.value(0), QString::fromLatin1(c.firstDump));
        }
    }
    EXPECT_EQ(DumpTools::forServer(u"5.0.96-community"_s).refusal(), u"지원되지 않는 MySQL버전입니다.(5.0.)"_s);
}

TEST_F(BackupRestore, RestoredCopyEqualsTheOriginalAndTheLoginStaysPrivate)
{
    ScriptedPrompter prompter;
    ASSERT_TRUE(SampleDataGenerator(3, QDate(2026, 11, 30)).generate(SampleDataGenerator::Size::demo()));
    DBExecute(u"UPDATE customer SET bigo = '"_s + SQLQuote(u"O'Brien \\ 똠뷁\n\t\"끝\""_s) + u"' LIMIT 1"_s);
    QTemporaryDir tools;
    QTemporaryDir temp;
    const QByteArray path = qgetenv("PATH");
    const auto restoreEnvironment = qScopeGuard([&] {
        qputenv("PATH", path);
        qunsetenv("TMPDIR");
        qunsetenv("MYSQL_PWD");
    });
    qputenv("PATH", recordingDumpFolder(tools).toUtf8() + ':' + path);
    qputenv("TMPDIR", temp.path().toUtf8());
    qputenv("MYSQL_PWD", kAwkwardPassword.toUtf8());

    FrmTool_Backup window;
    backUpThroughWindow(prompter, window);
    Clock::setFixed(kAt.addSecs(20 * 60));
    const QString file = backUpThroughWindow(prompter, window);
    EXPECT_EQ(prompter.texts(Kind::Info), QStringList(2, u"백업이 완료되었습니다."_s));
    // The same hour's second backup took the first one's place.
    EXPECT_EQ(QDir(BackupFile::folder()).entryList(QDir::Files), QStringList{u"26120622.dat"_s});
    const QString log = window.findChild<QPlainTextEdit*>(u"txtLog"_s)->toPlainText();
    for (const QString& line : {u"백업경로: "_s + file, u"시작시각: 2026-12-06 22:35:00"_s, u"백업 진행중..."_s,
                                u"종료시각: 2026-12-06 22:35:00"_s})
        EXPECT_TRUE(log.contains(line)) << line.toStdString();

    QFile started(tools.filePath(u"started.log"_s));
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    const QString seen = QString::fromUtf8(started.readAll());
    EXPECT_FALSE(seen.contains(kAwkwardPassword));
    EXPECT_TRUE(seen.contains(u"mode 600"_s));
    EXPECT_TRUE(seen.contains(u" -q -e -c "_s));
    EXPECT_TRUE(QDir(temp.path()).isEmpty()) << "the option file outlived the run";

    const QString copy = m_db.name() + u"_copy"_s;
    m_db.admin().query(u"CREATE DATABASE `"_s + copy + u"` DEFAULT CHARACTER SET euckr"_s, false);
    const auto dropCopy = qScopeGuard([&] { m_db.admin().query(u"DROP DATABASE `"_s + copy + u"`"_s, true); });
    ServerLogin intoCopy = m_login;
    intoCopy.database = copy;
    ASSERT_TRUE(DatabaseBackup(intoCopy, {}).restore(file));
    const QStringList original = fingerprint(m_db.admin(), m_db.name());
    EXPECT_GT(original.size(), 20);
    EXPECT_EQ(fingerprint(m_db.admin(), copy), original);
    EXPECT_TRUE(prompter.texts(Kind::Warn).isEmpty());
}

TEST_F(BackupRestore, DamagedForeignAndUnconfirmedRestoresLeaveTheDatabaseAlone)
{
    ScriptedPrompter prompter;
    FrmTool_Backup window;
    const QString file = backUpThroughWindow(prompter, window);
    ASSERT_TRUE(QFile::exists(file));
    // Changes after the backup that a restore would undo.
    DBExecute(u"UPDATE local_user SET name = '나중' WHERE code = '00'"_s);
    const QStringList before = fingerprint(m_db.admin(), m_db.name());

    QFile whole(file);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    const QString truncated = QDir(m_db.programFolder()).filePath(u"truncated.dat"_s);
    const QString foreign = QDir(m_db.programFolder()).filePath(u"foreign.dat"_s);
    QFile cut(truncated);
    cut.open(QIODevice::WriteOnly);
    cut.write(bytes.left(bytes.size() - 40));
    cut.close();
    // A dump of the same database by hand: sound SQL, but not one of ours.
    QFile other(foreign);
    other.open(QIODevice::WriteOnly);
    other.write(bytes.mid(bytes.indexOf('\n') + 1).chopped(BackupFile::completionLine().size()));
    other.close();

    auto* fileBox = window.findChild<QLineEdit*>(u"txtRestoreFile"_s);
    EXPECT_EQ(fileBox->text(), file);
    for (const QString& damaged : {truncated, foreign}) {
        SCOPED_TRACE(damaged.toStdString());
        prompter.clear();
        fileBox->setText(damaged);
        asv::test::click(window, u"btnRestore"_s);
        ASSERT_EQ(prompter.count(Kind::Info), 1);
        EXPECT_TRUE(prompter.texts(Kind::Info).first().contains(u"복원할 수 없습니다."_s));
        EXPECT_EQ(prompter.count(Kind::YesNo), 0);
        EXPECT_EQ(fingerprint(m_db.admin(), m_db.name()), before);
    }
    // The question's default is No.
    prompter.clear();
    fileBox->setText(file);
    prompter.pressEnter();
    asv::test::click(window, u"btnRestore"_s);
    EXPECT_EQ(prompter.count(Kind::YesNo), 1);
    EXPECT_EQ(fingerprint(m_db.admin(), m_db.name()), before);

    // Another user is told the restore is the administrator's.
    App().UserCode = u"01"_s;
    prompter.clear();
    asv::test::click(window, u"btnRestore"_s);
    EXPECT_EQ(prompter.count(Kind::YesNo), 0);
    EXPECT_TRUE(prompter.texts(Kind::Info).value(0).startsWith(u"이 기능은 관리자(ADMIN)로"_s));
    App().UserCode = u"00"_s;

    prompter.clear();
    prompter.answer(MsgAnswer::Yes);
    asv::test::click(window, u"btnRestore"_s);
    EXPECT_EQ(prompter.texts(Kind::Info), QStringList{u"복원이 완료되었습니다."_s});
    EXPECT_EQ(DBGetValue(u"SELECT name FROM local_user WHERE code = '00'"_s), u"관리자"_s);
}

TEST_F(BackupRestore, FailedBackupsLeaveTheEarlierFileAndTheCommandLineRestoresOnlyWholeFiles)
{
    ScriptedPrompter prompter;
    const QString file = DatabaseBackup(m_login, {}).backUp();
    ASSERT_FALSE(file.isEmpty());
    QFile earlier(file);
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    const QByteArray bytes = earlier.readAll();

    ServerLogin refused = m_login;
    refused.password = u"not the password"_s;
    EXPECT_TRUE(DatabaseBackup(refused, {}).backUp().isEmpty());
    EXPECT_EQ(prompter.count(Kind::Warn), 1);
    {
        QTemporaryDir empty;
        const QByteArray path = qgetenv("PATH");
        const auto restorePath = qScopeGuard([&] { qputenv("PATH", path); });
        qputenv("PATH", empty.path().toUtf8());
        FrmTool_Backup window;
        backUpThroughWindow(prompter, window);
        EXPECT_EQ(prompter.texts(Kind::Info),
                  QStringList{u"PATH: mariadb-dump, mysqldump\r\n\r\nmariadb-dump 파일을 찾을 수 없습니다."_s});
    }
    EXPECT_EQ(QDir(BackupFile::folder()).entryList(QDir::Files), QStringList{QFileInfo(file).fileName()});
    earlier.seek(0);
    EXPECT_EQ(earlier.readAll(), bytes);

    ConnectionProfile{m_login.host, m_login.user, m_login.database, m_login.password}.write();
    const auto ctl = [&](const QStringList& args, QString* printed = nullptr) {
        QProcess p;
        p.start(QStringLiteral(ASV_CTL), QStringList{u"--home"_s, m_db.programFolder()} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        if (printed)
            *printed = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        return p.exitCode();
    };
    const QString adminName = u"SELECT name FROM local_user WHERE code = '00'"_s;
    DBExecute(u"UPDATE local_user SET name = '나중' WHERE code = '00'"_s);
    QFile::copy(file, file + u".cut"_s);
    QFile::resize(file + u".cut"_s, QFileInfo(file).size() / 2);
    EXPECT_EQ(ctl({u"restore"_s, file + u".cut"_s}), 1);
    EXPECT_EQ(DBGetValue(adminName), u"나중"_s);
    EXPECT_EQ(ctl({u"restore"_s, file}), 0);
    EXPECT_EQ(DBGetValue(adminName), u"관리자"_s);

    QString printed;
    ASSERT_EQ(ctl({u"backup"_s}, &printed), 0);
    EXPECT_TRUE(printed.startsWith(BackupFile::folder())) << printed.toStdString();
    EXPECT_EQ(BackupFile::problem(printed), QString());
}
