#include "AppState.h"
#include "BackupFile.h"
#include "Clock.h"
#include "ConnectionProfile.h"
#include "CustomerImport.h"
#include "DatabaseBackup.h"
#include "DatabaseFingerprint.h"
#include "DumpTools.h"
#include "FrmTool_Backup.h"
#include "RestrictedAccount.h"
#include "LocalServer.h"
#include "Paths.h"
#include "SampleDataGenerator.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "TrigramIndex.h"
#include "WidgetDriver.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

namespace {

using Kind = ScriptedPrompter::Kind;

const QDateTime kAt(QDate(2026, 12, 6), QTime(22, 15));
// Everything an option file treats specially.
const QString kAwkwardPassword = u"p\"a#s s\\w'o;rd"_s;

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

// The codes a "contains" search of the customer names finds through the name pieces alone.
QStringList foundByPieces(const QString& text)
{
    const QString narrowed = TrigramIndex::candidates(u"customer"_s, u"code"_s, u"compname"_s, text);
    if (narrowed.isEmpty())
        return {u"(no side table)"_s};
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT code FROM customer WHERE "_s + narrowed + u" ORDER BY code"_s);
    QStringList out;
    for (; rs && !rs->eof(); rs->moveNext())
        out << rs->field(0);
    return out;
}

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

class BackupRestore : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::setFixed(kAt);
        App().UserCode = u"00"_s;
    }
    void TearDown() override { Clock::clearFixed(); }

    // A backup made through the window.
    QString backUpThroughWindow(ScriptedPrompter& prompter, FrmTool_Backup& window)
    {
        prompter.answer(MsgAnswer::Yes);
        asv::test::click(window, u"btnBackUp"_s);
        return BackupFile::folder() + u"/"_s + BackupFile::fileName(kAt);
    }

    int ctl(const QStringList& args, QString* printed = nullptr)
    {
        ConnectionProfile{m_login.host, m_login.user, m_login.database, m_login.password}.write();
        QProcess p;
        p.start(QStringLiteral(ASV_CTL), QStringList{u"--home"_s, m_db.programFolder()} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        if (printed)
            *printed = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        return p.exitCode();
    }

    QStringList fingerprint() { return asv::test::fingerprint(m_db.admin(), m_db.name()); }
    void allow(const QString& database) { m_account.allow(database); }
    static void connectAs(const ServerLogin& login) { asv::test::RestrictedAccount::connectAs(login); }

    TestDatabase m_db;
    asv::test::RestrictedAccount m_account{m_db, kAwkwardPassword};
    const ServerLogin& m_login = m_account.login();
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

TEST_F(BackupRestore, RestoreReplacesEveryTableAtOnceAndCanBeUndone)
{
    ScriptedPrompter prompter;
    ASSERT_TRUE(SampleDataGenerator(3, QDate(2026, 11, 30)).generate(SampleDataGenerator::Size::demo()));
    FrmTool_Backup window;
    EXPECT_FALSE(window.findChild<QPushButton*>(u"btnUndoRestore"_s)->isEnabled());
    const QString file = backUpThroughWindow(prompter, window);
    const QStringList backedUp = fingerprint();
    const QStringList triggers = asv::test::triggersOf(m_db.admin(), m_db.name());
    EXPECT_EQ(triggers.size(), 6);
    EXPECT_FALSE(readFile(file).contains("TRIGGER")) << "triggers name their maker's account";

    // Work after the backup: a payment moving a balance, an imported customer.
    const QString payer = DBGetValue(u"SELECT code FROM customer WHERE code <> '000000' ORDER BY code LIMIT 1"_s);
    ASSERT_EQ(ctl({u"payment"_s, u"add"_s, payer, u"12345"_s}), 0);
    CustomerImport import({{u"N00001"_s, u"뒤늦은수입상사"_s}}, {0, 1});
    ASSERT_EQ(import.run(1, 1, {[](const QString&) {}, [](int) {}, [](int) {}}).imported, 1);
    EXPECT_EQ(foundByPieces(u"늦은수입"_s), QStringList{u"N00001"_s});
    const QStringList worked = fingerprint();
    ASSERT_NE(worked, backedUp);

    const auto restoreThroughWindow = [&] {
        prompter.clear();
        window.findChild<QLineEdit*>(u"txtRestoreFile"_s)->setText(file);
        prompter.answer(MsgAnswer::Yes);
        asv::test::click(window, u"btnRestore"_s);
        EXPECT_EQ(prompter.texts(Kind::Info), QStringList{u"복원이 완료되었습니다."_s}) << prompter.texts().join(u'\n').toStdString();
    };
    restoreThroughWindow();
    EXPECT_EQ(fingerprint(), backedUp);
    EXPECT_EQ(asv::test::triggersOf(m_db.admin(), m_db.name()), triggers);
    EXPECT_EQ(foundByPieces(u"늦은수입"_s), QStringList{});
    DBExecute(u"INSERT INTO customer (code, compname) VALUES ('N00002', '복원뒤새고객')"_s);
    EXPECT_EQ(foundByPieces(u"뒤새고"_s), QStringList{u"N00002"_s});
    DBExecute(u"DELETE FROM customer WHERE code = 'N00002'"_s);
    EXPECT_EQ(foundByPieces(u"뒤새고"_s), QStringList{});

    // Undo brings the work back, a second undo the restored state: the two swap places.
    auto* undo = window.findChild<QPushButton*>(u"btnUndoRestore"_s);
    ASSERT_TRUE(undo->isEnabled());
    prompter.clear();
    prompter.answer(MsgAnswer::Yes);
    undo->click();
    EXPECT_EQ(prompter.texts(Kind::Info), QStringList{u"복원을 되돌렸습니다."_s});
    EXPECT_EQ(fingerprint(), worked);
    EXPECT_EQ(foundByPieces(u"늦은수입"_s), QStringList{u"N00001"_s});
    QString printed;
    EXPECT_EQ(ctl({u"restore"_s, u"--undo"_s}, &printed), 0);
    EXPECT_EQ(fingerprint(), backedUp);

    // A second restore keeps only what it replaced; the next backup drops that too.
    restoreThroughWindow();
    EXPECT_EQ(fingerprint(), backedUp);
    const RecordSetPtr beside = m_db.admin().query(
        u"SELECT COUNT(*) FROM information_schema.SCHEMATA WHERE LEFT(SCHEMA_NAME, "_s
            + QString::number(m_db.name().size() + 1) + u") = '"_s + m_db.name() + u"_'"_s,
        false);
    EXPECT_EQ(beside->value(0, 0), u"1"_s);
    backUpThroughWindow(prompter, window);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(ctl({u"restore"_s, u"--undo"_s}), 1);
    EXPECT_EQ(fingerprint(), backedUp);
}

TEST_F(BackupRestore, ABackupRestoresIntoAFreshDatabaseAndTheLoginStaysPrivate)
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
    const QStringList original = fingerprint();
    EXPECT_GT(original.size(), 20);

    const QString folder = Paths::programFolder();
    TestDatabase fresh(TestDatabase::Structure::Empty);
    Paths::setProgramFolder(folder);
    allow(fresh.name());
    ServerLogin intoFresh = m_login;
    intoFresh.database = fresh.name();
    connectAs(intoFresh);
    QElapsedTimer took;
    took.start();
    ASSERT_TRUE(DatabaseBackup(intoFresh, {}).restore(file)) << prompter.texts().join(u'\n').toStdString();
    std::cout << "restored " << QFileInfo(file).size() << " bytes in " << took.elapsed() << " ms\n";
    QStringList restored = asv::test::fingerprint(m_db.admin(), fresh.name());
    EXPECT_EQ(restored, original);
    EXPECT_EQ(asv::test::triggersOf(m_db.admin(), fresh.name()), asv::test::triggersOf(m_db.admin(), m_db.name()));
    EXPECT_TRUE(prompter.texts(Kind::Warn).isEmpty());
}

TEST_F(BackupRestore, FailedRestoresChangeNothingAndSayWhyInKorean)
{
    ScriptedPrompter prompter;
    FrmTool_Backup window;
    const QString file = backUpThroughWindow(prompter, window);
    ASSERT_TRUE(QFile::exists(file));
    // Changes after the backup that a restore would undo.
    DBExecute(u"UPDATE local_user SET name = '나중' WHERE code = '00'"_s);
    const QStringList before = fingerprint();

    const QByteArray bytes = readFile(file);
    const QByteArray end = BackupFile::completionLine();
    const QDir folder(m_db.programFolder());
    const QString truncated = writeFile(folder.filePath(u"truncated.dat"_s), bytes.left(bytes.size() - 40));
    // A dump of the same database by hand: sound SQL, but not one of ours.
    const QString foreign = writeFile(folder.filePath(u"foreign.dat"_s), bytes.mid(bytes.indexOf('\n') + 1).chopped(end.size()));
    auto* fileBox = window.findChild<QLineEdit*>(u"txtRestoreFile"_s);
    EXPECT_EQ(fileBox->text(), file);
    for (const QString& refused : {truncated, foreign}) {
        SCOPED_TRACE(refused.toStdString());
        prompter.clear();
        fileBox->setText(refused);
        asv::test::click(window, u"btnRestore"_s);
        ASSERT_EQ(prompter.count(Kind::Info), 1);
        EXPECT_TRUE(prompter.texts(Kind::Info).first().contains(u"복원할 수 없습니다."_s));
        EXPECT_EQ(prompter.count(Kind::YesNo), 0);
        EXPECT_EQ(fingerprint(), before);
    }

    // Whole files of ours the server refuses half way: a damaged line, a trigger of another
    // account (what earlier backups held), a backup without its users.
    const qsizetype middle = bytes.indexOf("DROP TABLE IF EXISTS `sale`");
    ASSERT_GT(middle, 0);
    const QByteArray definer = "CREATE DEFINER=`root`@`localhost` TRIGGER t_x AFTER INSERT ON sale FOR EACH ROW SET @x = 1;\n";
    const qsizetype usersAt = bytes.indexOf("INSERT INTO `local_user`");
    const struct {
        QString file;
        QString why;
    } broken[]{
        {writeFile(folder.filePath(u"damaged.dat"_s), bytes.left(middle) + "INSERT INTO `sale` VALUES (;\n" + bytes.mid(middle)),
         u"번째 줄에서: 서버가 오류 번호 1064(으)로 거부했습니다."_s},
        {writeFile(folder.filePath(u"definer.dat"_s), bytes.chopped(end.size()) + definer + end),
         u"접속 계정에 필요한 권한이 없습니다(오류 번호 1227)."_s},
        {writeFile(folder.filePath(u"nousers.dat"_s), bytes.left(usersAt) + bytes.mid(bytes.indexOf('\n', usersAt) + 1)),
         u"백업 파일에 관리자(ADMIN) 사용자가 없습니다."_s},
    };
    for (const auto& b : broken) {
        SCOPED_TRACE(b.file.toStdString());
        prompter.clear();
        fileBox->setText(b.file);
        prompter.answer(MsgAnswer::Yes);
        asv::test::click(window, u"btnRestore"_s);
        ASSERT_EQ(prompter.count(Kind::Warn), 1);
        const QString said = prompter.texts(Kind::Warn).first();
        EXPECT_TRUE(said.contains(b.why)) << said.toStdString();
        EXPECT_TRUE(said.endsWith(u"지금의 자료는 바뀌지 않았습니다."_s));
        for (const char* raw : {"INSERT", "ERROR", "sale", "DEFINER"})
            EXPECT_FALSE(said.contains(QString::fromLatin1(raw))) << raw;
        EXPECT_EQ(fingerprint(), before);
        EXPECT_EQ(asv::test::triggersOf(m_db.admin(), m_db.name()).size(), 6);
    }

    // The server out of the client's reach.
    prompter.clear();
    ServerLogin gone = m_login;
    gone.host = u"127.0.0.1:1"_s;
    EXPECT_FALSE(DatabaseBackup(gone, {}).restore(file));
    EXPECT_TRUE(prompter.texts(Kind::Warn).value(0).contains(u"서버에 연결할 수 없거나 연결이 끊어졌습니다."_s));
    EXPECT_EQ(fingerprint(), before);

    // The question's default is No.
    prompter.clear();
    fileBox->setText(file);
    prompter.pressEnter();
    asv::test::click(window, u"btnRestore"_s);
    EXPECT_EQ(prompter.count(Kind::YesNo), 1);
    EXPECT_EQ(fingerprint(), before);

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
    const QByteArray bytes = readFile(file);

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
    EXPECT_EQ(readFile(file), bytes);

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
