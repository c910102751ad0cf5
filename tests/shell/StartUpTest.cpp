#include "AppState.h"
#include "Clock.h"
#include "ConnectionProfile.h"
#include "FrmDBConnect.h"
#include "FrmDbIndex.h"
#include "Paths.h"
#include "ScriptedPrompter.h"
#include "SearchIndexes.h"
#include "SingleInstance.h"
#include "TelSuffixIndex.h"
#include "TestDatabase.h"
#include "UserSettings.h"
#include "cMySQL.h"
#include "modMain.h"
#include "modMySQL_Func.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;
using Kind = asv::test::ScriptedPrompter::Kind;

namespace {

void setVersion(int ver)
{
    DBExecute(u"UPDATE dbversion SET ver = "_s + QString::number(ver) + u" WHERE dbid = 'main'"_s);
}

// A test database and a connection profile pointing at it, as the connection dialog would write.
struct StartUp : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;

    StartUp()
    {
        const auto server = asv::test::testServer();
        ConnectionProfile{server.host, server.user, db.name(), server.password, false}.write();
    }
    int subMain(bool measureStartup = false) const
    {
        StartOptions options;
        options.home = db.programFolder();
        options.measureStartup = measureStartup;
        return SubMain(options);
    }
};

} // namespace

TEST(StartUpProfile, ProfileDefaultsTheOlderToolsPasswordsAndTheConnectionDialog)
{
    QTemporaryDir home;
    Paths::setProgramFolder(home.path());
    ScriptedPrompter prompter;
    const ConnectionProfile p = ConnectionProfile::read();
    EXPECT_EQ(QStringList({p.host, p.user, p.database, p.password}),
              QStringList({u"localhost"_s, u"Ostra"_s, u"Ostradb"_s, u"eeee"_s}));
    EXPECT_FALSE(p.localServer);

    // The product section is used when the shared one names no host; the Windows tool stores the
    // password's code-page bytes.
    UserSettings::write(ConnectionProfile::application(), u"서버정보_VelmoraCS"_s, u"IP"_s, u"10.1.2.3"_s);
    UserSettings::write(ConnectionProfile::application(), u"서버정보_VelmoraCS"_s, u"PWD"_s, u"uvG50A=="_s);
    EXPECT_EQ(ConnectionProfile::read().host, u"10.1.2.3"_s);
    EXPECT_EQ(ConnectionProfile::read().password, u"비밀"_s);
    EXPECT_EQ(ConnectionProfile::encodePassword(u"비밀"_s), u"uvG50A=="_s);

    FrmDBConnect dialog;
    EXPECT_EQ(dialog.findChild<QLineEdit*>(u"txtHost"_s)->text(), u"10.1.2.3"_s);
    dialog.findChild<QLineEdit*>(u"txtDB"_s)->clear();
    EXPECT_FALSE(dialog.save());
    EXPECT_EQ(prompter.texts(), QStringList{u"서버 주소, 계정, DB명은 필수 입력 사항입니다."_s});
    dialog.findChild<QLineEdit*>(u"txtHost"_s)->setText(u"192.168.0.10:3307"_s);
    dialog.findChild<QLineEdit*>(u"txtDB"_s)->setText(u"Ostradb"_s);
    dialog.findChild<QLineEdit*>(u"txtPassword"_s)->setText(u"p@ss'word"_s);
    dialog.findChild<QCheckBox*>(u"chkLocalServer"_s)->setChecked(true);
    EXPECT_TRUE(dialog.save());
    const ConnectionProfile saved = ConnectionProfile::read();
    EXPECT_EQ(saved.host + u' ' + saved.password, u"192.168.0.10:3307 p@ss'word"_s);
    EXPECT_TRUE(saved.localServer);
    // Base64, as the older tool keeps it.
    EXPECT_EQ(UserSettings::read(ConnectionProfile::application(), u"서버정보"_s, u"PWD"_s),
              QString::fromLatin1(QByteArray("p@ss'word").toBase64()));
}

TEST(StartUpProfile, ConnectionDialogKeepsTheEncryptionAndRefusesACaFileItCannotRead)
{
    QTemporaryDir home;
    Paths::setProgramFolder(home.path());
    ScriptedPrompter prompter;
    EXPECT_FALSE(ConnectionProfile::read().tls.required);
    const QString ca = home.filePath(u"사무실 CA.pem"_s);
    {
        FrmDBConnect dialog;
        auto* tls = dialog.findChild<QCheckBox*>(u"chkTLS"_s);
        auto* caFile = dialog.findChild<QLineEdit*>(u"txtTlsCa"_s);
        ASSERT_TRUE(tls && caFile);
        EXPECT_EQ(tls->text(), u"TLS 암호화 사용"_s);
        EXPECT_FALSE(caFile->isEnabled());
        tls->setChecked(true);
        EXPECT_TRUE(caFile->isEnabled());
        // Nothing to encrypt on this machine's own server.
        dialog.findChild<QCheckBox*>(u"chkLocalServer"_s)->setChecked(true);
        EXPECT_FALSE(tls->isEnabled() || caFile->isEnabled());
        dialog.findChild<QCheckBox*>(u"chkLocalServer"_s)->setChecked(false);
        dialog.findChild<QLineEdit*>(u"txtHost"_s)->setText(u"branch.example:3306"_s);
        caFile->setText(ca);
        // A missing file is named before any server is asked.
        EXPECT_FALSE(dialog.saveTested());
        EXPECT_EQ(prompter.texts(), QStringList{u"CA 파일을 읽을 수 없습니다: "_s + ca});
        EXPECT_TRUE(dialog.save());
    }
    const ConnectionProfile saved = ConnectionProfile::read();
    EXPECT_TRUE(saved.tls.required);
    EXPECT_EQ(saved.tls.caFile, ca);
    FrmDBConnect reopened;
    EXPECT_TRUE(reopened.findChild<QCheckBox*>(u"chkTLS"_s)->isChecked());
    EXPECT_EQ(reopened.findChild<QLineEdit*>(u"txtTlsCa"_s)->text(), ca);
}

TEST_F(StartUp, SecondInstanceIsRefused)
{
    SingleInstance first;
    ASSERT_TRUE(first.acquire());
    EXPECT_EQ(subMain(), 1);
    EXPECT_EQ(prompter.texts(), QStringList{u"이미 프로그램이 실행 중입니다."_s});
}

TEST_F(StartUp, OlderStructureIsUpgradedAfterYes)
{
    DBExecute(u"ALTER TABLE sale DROP COLUMN receiptmemo"_s);
    setVersion(13);
    ReadConnectionProfile();
    prompter.answer(MsgAnswer::Yes);
    ASSERT_TRUE(InitApp());
    EXPECT_EQ(prompter.count(Kind::YesNo), 1);
    EXPECT_EQ(prompter.count(Kind::Error), 0);
    EXPECT_EQ(DBGetValue(u"SELECT ver FROM dbversion WHERE dbid='main'"_s), u"14"_s);
    DestroyApp();
}

TEST_F(StartUp, NewerStructureEndsWithTheReinstallMessages)
{
    setVersion(15);
    EXPECT_EQ(subMain(), 1);
    ASSERT_EQ(prompter.messages().size(), 2);
    EXPECT_TRUE(prompter.messages()[0].text.startsWith(u"데이터베이스 구조가 업그레이드 되었습니다."_s));
    EXPECT_EQ(prompter.messages()[1].text,
              u"업그레이드 프로그램을 찾을 수 없습니다.\r\n경로: "_s + db.programFolder() + u"/재설치.exe"_s);
    EXPECT_TRUE(App().NeedsProgramUpgrade);
    App().NeedsProgramUpgrade = false;
}

TEST(StartUpProfile, UnreachableServerEndsWithTheInitialisationMessage)
{
    QTemporaryDir home;
    Paths::setProgramFolder(home.path());
    ScriptedPrompter prompter;
    ConnectionProfile{u"127.0.0.1:1"_s, u"Ostra"_s, u"Ostradb"_s, u"x"_s, false}.write();
    StartOptions options;
    options.home = home.path();
    EXPECT_EQ(SubMain(options), 1);
    ASSERT_EQ(prompter.messages().size(), 2);
    EXPECT_EQ(prompter.messages()[0].kind, Kind::Error);
    EXPECT_EQ(prompter.messages()[1].text, u"프로그램 초기화에 실패하여 종료합니다."_s);
}

TEST_F(StartUp, LoginLeadsToTheMainWindowAndBackOut)
{
    UserSettings::set(u"Config"_s, u"NoMsg"_s, u"1"_s);
    EXPECT_EQ(subMain(true), 0);
    EXPECT_EQ(App().LoginId, u"ADMIN"_s);
    EXPECT_EQ(App().UserCode, u"00"_s);
    EXPECT_EQ(App().CompanyName, u"OstraSoft(본사)"_s);
    EXPECT_FALSE(DBIsOpen());
}

TEST_F(StartUp, CurrentDatabaseStartsWithoutAStructureStatementOrSetNamesAndOffersTheIndexesToTheAdministrator)
{
    // As a database the older program keeps using: no reversed numbers for telno1, one index less.
    DBExecute(u"ALTER TABLE customer DROP COLUMN telno1_rev"_s);
    DBExecute(u"ALTER TABLE sale DROP INDEX idx_sale_dealdate"_s);
    UserSettings::set(u"Config"_s, u"SQLLogLevel"_s, 2);
    ReadConnectionProfile();
    ASSERT_TRUE(InitApp());
    QStringList logged;
    const QDir logs(Paths::logFolder());
    for (const QString& name : logs.entryList({u"SQLLog_*_full_*.dat"_s}, QDir::Files)) {
        QFile f(logs.filePath(name));
        f.open(QIODevice::ReadOnly);
        logged += QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    EXPECT_TRUE(logged.join(u'\n').contains(u"SELECT ver FROM dbversion"_s));
    const QRegularExpression structure(u"\\b(ALTER|CREATE|DROP|RENAME|TRUNCATE)\\b"_s,
                                       QRegularExpression::CaseInsensitiveOption);
    for (const QString& line : logged)
        EXPECT_FALSE(structure.match(line).hasMatch()) << line.toStdString();
    // The connection is already Korean: no SET NAMES either.
    EXPECT_EQ(DBGetValue(u"SELECT VARIABLE_VALUE FROM information_schema.SESSION_STATUS "
                         "WHERE VARIABLE_NAME = 'Com_set_option'"_s),
              u"0"_s);

    App().UserCode = u"01"_s;
    EXPECT_TRUE(FrmDbIndex::dueStatements().isEmpty());
    App().UserCode = u"00"_s;
    const QStringList due = FrmDbIndex::dueStatements();
    EXPECT_EQ(due.size(), 3);
    {
        FrmDbIndex offer(due);
        offer.findChild<QPushButton*>(u"btnLater"_s)->click();
    }
    EXPECT_TRUE(FrmDbIndex::dueStatements().isEmpty());
    Clock::setFixed(Clock::now().addDays(FrmDbIndex::kAskAgainDays - 1));
    EXPECT_TRUE(FrmDbIndex::dueStatements().isEmpty());
    Clock::setFixed(Clock::now().addDays(1));
    EXPECT_EQ(FrmDbIndex::dueStatements(), due);
    Clock::clearFixed();
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
    DestroyApp();
}

TEST_F(StartUp, IndexesAreAddedWhileAnotherDeskKeepsInsertingCustomers)
{
    // Enough customers that the work takes a while.
    DBExecute(u"INSERT INTO customer (code, compname, telno1, hpno) SELECT LPAD(seq, 6, '0'), CONCAT('고객', seq), "
              u"CONCAT('02-', seq), CONCAT('010-', seq) FROM seq_1_to_50000"_s);
    DBExecute(u"ALTER TABLE customer DROP COLUMN telno1_rev, DROP COLUMN telno2_rev, DROP COLUMN telno3_rev, "
              u"DROP COLUMN telno4_rev, DROP COLUMN fax_rev, DROP COLUMN hpno_rev"_s);
    const QStringList statements = SearchIndexes::missingStatements();
    ASSERT_EQ(statements.size(), 7);

    cMySQL& desk = db.admin();
    desk.query(u"USE `"_s + db.name() + u"`"_s, false);
    FrmDbIndex offer(statements);
    offer.show();
    offer.findChild<QPushButton*>(u"btnAddNow"_s)->click();
    ASSERT_TRUE(offer.isWorking());
    int insertedMeanwhile = 0;
    qint64 slowest = 0;
    while (offer.isWorking()) {
        QElapsedTimer timer;
        timer.start();
        desk.query(u"INSERT INTO customer (code, compname) VALUES ('9%1', '다른 PC')"_s.arg(insertedMeanwhile, 5, 10, QChar(u'0')),
                   true);
        ASSERT_EQ(desk.lastErrno(), 0u) << desk.lastError().toStdString();
        slowest = std::max(slowest, timer.elapsed());
        ++insertedMeanwhile;
        QCoreApplication::processEvents();
    }
    EXPECT_GT(insertedMeanwhile, 20);
    EXPECT_LT(slowest, 2000);
    EXPECT_TRUE(offer.failures().isEmpty());
    EXPECT_TRUE(SearchIndexes::missingStatements().isEmpty());
    EXPECT_TRUE(TelSuffixIndex::present());
    EXPECT_EQ(prompter.texts(), QStringList{u"검색 인덱스를 추가했습니다."_s});
}
