#include "BaseSchema.h"
#include "ClusterStructure.h"
#include "CtlProgram.h"
#include "DbFixture.h"
#include "SearchIndexes.h"
#include "TrigramIndex.h"
#include "cMySQL.h"
#include "modMain_dbPatch.h"
#include "RecordSet.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::CtlRun;
using asv::test::DbFixture;
using asv::test::TestDatabase;

namespace {

const QString kOlderUserstate =
    u"CREATE TABLE userstate (code char(2) NOT NULL default '', ucode char(2) NOT NULL default '', "
    "chkdate varchar(10) NOT NULL default '', chktime varchar(8) NOT NULL default '', "
    "unixtime varchar(15) NOT NULL default '', state varchar(10) NOT NULL default '', "
    "ipaddr varchar(20) NOT NULL default '') ENGINE=InnoDB"_s;

bool mentions(const QStringList& lines, const QString& text)
{
    return std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(text); });
}

} // namespace

using ClusterStructureTest = DbFixture;

TEST(ClusterStructureBase, EveryTableTheStructureAndTheUpgradeCreateIsInnoDbWithAKey)
{
    TestDatabase db{TestDatabase::Structure::Base};
    ASSERT_TRUE(UpgradeStructure(1));
    EXPECT_EQ(ClusterStructure::lacks(), QStringList());
    EXPECT_EQ(ClusterStructure::missingStatements(), QStringList());
    // The side tables of the search indexes too.
    EXPECT_TRUE(SearchIndexes::addMissing().isEmpty());
    EXPECT_EQ(ClusterStructure::lacks(), QStringList());
    // The key stays out of the older program's sight.
    EXPECT_EQ(DBRecordCount(u"information_schema.COLUMNS"_s,
                            u"TABLE_SCHEMA = DATABASE() AND TABLE_NAME = 'userstate' AND COLUMN_NAME = 'asv_row_id' "
                            u"AND EXTRA LIKE '%INVISIBLE%'"_s),
              1);

    // Servers without invisible columns keep the older table rather than show the key to SELECT *.
    EXPECT_TRUE(UpgradeStepStatements(3, u"10.11.19-MariaDB-0+deb12u1"_s).first().contains(u"INVISIBLE PRIMARY KEY"_s));
    for (const QString& older : {u"5.7.44-log"_s, u"8.0.22"_s, u"10.3.2-MariaDB"_s, u"5.5.68-MariaDB"_s})
        EXPECT_FALSE(UpgradeStepStatements(3, older).first().contains(u"asv_row_id"_s)) << older.toStdString();
    EXPECT_TRUE(ClusterStructure::takesInvisibleKey(u"8.0.23"_s));
}

TEST_F(ClusterStructureTest, OlderTablesGetTheKeyAndInnoDbAndTheOlderProgramsStatementsStillWork)
{
    sql(u"DROP TABLE userstate"_s);
    sql(kOlderUserstate);
    sql(u"INSERT INTO userstate VALUES ('01', '01', '2026-12-01', '09:00:00', '1', 'on', '10.0.0.1')"_s);
    sql(u"ALTER TABLE tamberlog ENGINE=MyISAM"_s);
    const QStringList lacking = ClusterStructure::lacks();
    EXPECT_EQ(lacking.size(), 2) << lacking.join(u'\n').toStdString();
    EXPECT_TRUE(mentions(lacking, u"userstate: 기본 키가 없습니다"_s));
    EXPECT_TRUE(mentions(lacking, u"tamberlog: 저장 엔진이 MyISAM입니다"_s));

    const CtlRun check = runCtl(db, {u"db"_s, u"check-cluster"_s});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_TRUE(check.out.contains(u"userstate"_s) && check.out.contains(u"tamberlog"_s)) << check.out.toStdString();

    const CtlRun index = runCtl(db, {u"db"_s, u"index"_s});
    EXPECT_EQ(index.exitCode, 0) << index.out.toStdString();
    EXPECT_EQ(runCtl(db, {u"db"_s, u"check-cluster"_s}).exitCode, 0);
    EXPECT_EQ(DBGetValue(u"SELECT ENGINE FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = "
                         u"'tamberlog'"_s),
              u"InnoDB"_s);

    // As the older program writes and reads the table: no column list, SELECT *.
    sql(u"INSERT INTO userstate VALUES ('02', '02', '2026-12-01', '09:01:00', '2', 'on', '10.0.0.2')"_s);
    RecordSetPtr rs;
    ASSERT_EQ(DBOpenRS(rs, u"SELECT * FROM userstate ORDER BY code"_s), 2);
    EXPECT_EQ(rs->fieldCount(), 7);
    EXPECT_EQ(rs->value(1, 6), u"10.0.0.2"_s);
    sql(u"DELETE FROM userstate WHERE code = '01'"_s);
    EXPECT_EQ(DBGetValue(u"SELECT GROUP_CONCAT(asv_row_id) FROM userstate"_s), u"2"_s);
}

// A server with binary logging refuses the name-piece triggers to an account without SUPER, as
// every node of a cluster does: the administrator is told what to do, and can do it once.
class BinaryLogServer : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        ASSERT_TRUE(s_dir->isValid());
        QString printed;
        ASSERT_EQ(script(u"start"_s, &printed), 0);
        // The test's databases go to this server for the suite.
        for (const QString& line : printed.split(u'\n', Qt::SkipEmptyParts)) {
            const QString assignment = line.section(u' ', 1);
            const QByteArray key = assignment.section(u'=', 0, 0).toLatin1();
            s_saved.append({key, qgetenv(key.constData())});
            qputenv(key.constData(), assignment.section(u'=', 1).toUtf8());
        }
    }
    static void TearDownTestSuite()
    {
        script(u"stop"_s);
        for (const auto& [key, value] : s_saved)
            qputenv(key.constData(), value);
        s_saved.clear();
        delete s_dir;
    }
    static int script(const QString& action, QString* printed = nullptr)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"ASV_TESTDB_DIR"_s, s_dir->path());
        env.insert(u"ASV_TESTDB_OPTIONS"_s, u"--log-bin=binlog --server-id=1"_s);
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ASV_SOURCE_DIR) + u"/scripts/testdb"_s, {action});
        p.waitForFinished(120000);
        if (printed)
            *printed = QString::fromUtf8(p.readAllStandardOutput());
        return p.exitCode();
    }

    // The program's own account, as an office administrator gives it: its database and no more.
    void useOwnAccount()
    {
        const QString who = u"'"_s + m_user + u"'@'%'"_s;
        m_db.admin().query(u"CREATE USER "_s + who + u" IDENTIFIED BY 'own-pw'"_s, false);
        m_db.admin().query(u"GRANT ALL ON `"_s + m_db.name() + u"`.* TO "_s + who, false);
        ConnectionProfile{asv::test::testServer().host, m_user, m_db.name(), u"own-pw"_s}.write();
    }
    ~BinaryLogServer() override { m_db.admin().query(u"DROP USER IF EXISTS '"_s + m_user + u"'@'%'"_s, true); }

    TestDatabase m_db{TestDatabase::Structure::Base};
    QString m_user = u"asvown_%1"_s.arg(QCoreApplication::applicationPid());

    static inline QTemporaryDir* s_dir = nullptr;
    static inline QList<std::pair<QByteArray, QByteArray>> s_saved;
};

TEST_F(BinaryLogServer, RefusedTriggersSayWhatIsNeededAndAnAdministratorBuildsThemForTheProgramsAccount)
{
    ASSERT_EQ(DBGetValue(u"SELECT @@log_bin"_s), u"1"_s);
    ASSERT_TRUE(UpgradeStructure(1));
    useOwnAccount();
    const QString home = m_db.programFolder();

    const CtlRun refused = asv::test::runCtlIn(home, {u"db"_s, u"index"_s});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.contains(u"1419"_s)) << refused.out.toStdString();
    for (const QString& advice : {u"log_bin_trust_function_creators=1"_s, u"asvelmora-ctl db index --admin"_s,
                                  u"SUPER 권한이 없는 계정"_s})
        EXPECT_TRUE(refused.out.contains(advice)) << advice.toStdString();
    const CtlRun check = asv::test::runCtlIn(home, {u"db"_s, u"check-cluster"_s});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_TRUE(check.out.contains(u"검색용 이름 조각 트리거가 없습니다"_s)) << check.out.toStdString();

    // A wrong administrator password changes nothing.
    const CtlRun wrong = asv::test::runCtlIn(home, {u"db"_s, u"index"_s, u"--admin"_s, u"asvtest"_s}, "not-it\n");
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_TRUE(wrong.out.contains(u"관리자 계정으로 서버에 접속할 수 없습니다."_s)) << wrong.out.toStdString();

    const CtlRun admin = asv::test::runCtlIn(home, {u"db"_s, u"index"_s, u"--admin"_s, u"asvtest"_s},
                                             asv::test::testServer().password.toUtf8() + "\n");
    EXPECT_EQ(admin.exitCode, 0) << admin.out.toStdString();
    EXPECT_EQ(asv::test::runCtlIn(home, {u"db"_s, u"check-cluster"_s}).exitCode, 0);
    EXPECT_FALSE(admin.out.contains(u"asv-test-pw"_s));

    // The triggers are the program's account's and work for it: a customer it writes is found
    // through its pieces.
    EXPECT_EQ(DBGetValue(u"SELECT GROUP_CONCAT(DISTINCT DEFINER) FROM information_schema.TRIGGERS WHERE TRIGGER_SCHEMA = "
                         u"DATABASE()"_s)
                  .section(u'@', 0, 0),
              m_user);
    ASSERT_TRUE(DBInit(asv::test::testServer().host, m_user, u"own-pw"_s, m_db.name()));
    DBExecute(u"INSERT INTO customer (code, compname, nowmoney) VALUES ('000077', '한빛전자서비스', 0)"_s);
    ASSERT_FALSE(DBLastFailed());
    TrigramIndex::forget();
    const QString condition = TrigramIndex::containsCondition(u"customer"_s, u"code"_s, u"compname"_s, u"빛전자"_s);
    EXPECT_TRUE(condition.contains(u"customer_trigram"_s)) << condition.toStdString();
    EXPECT_EQ(DBGetValue(u"SELECT code FROM customer WHERE "_s + condition), u"000077"_s);
    m_db.reopen();
}
