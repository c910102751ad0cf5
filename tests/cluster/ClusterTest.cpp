#include "AsJobStore.h"
#include "BaseSchema.h"
#include "ClusterStructure.h"
#include "DbError.h"
#include "Paths.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "TrigramIndex.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <signal.h>
#include <thread>

using namespace Qt::StringLiterals;
using namespace asv;

// The three nodes of scripts/testdb cluster; each test has its own database, made on the first.
class Cluster : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_nodes = qEnvironmentVariable("ASV_TEST_CLUSTER_NODES").split(u',', Qt::SkipEmptyParts);
        if (m_nodes.size() < 2)
            GTEST_SKIP() << "no test cluster: scripts/testdb cluster start, then eval its env";
        Paths::setProgramFolder(m_home.path());
        m_admin.real_connect(m_nodes[0], qEnvironmentVariable("ASV_TEST_CLUSTER_USER"),
                             qEnvironmentVariable("ASV_TEST_CLUSTER_PASSWORD"), {}, 3306, {}, 0, u"euckr"_s);
        m_database = u"asvc_%1_%2"_s.arg(QCoreApplication::applicationPid()).arg(QRandomGenerator::global()->bounded(1000000));
        m_admin.query(u"CREATE DATABASE "_s + m_database + u" DEFAULT CHARACTER SET euckr"_s, false);
    }
    void TearDown() override
    {
        DBClose();
        if (m_database.isEmpty())
            return;
        for (const QString& account : m_accounts)
            m_admin.query(u"DROP USER IF EXISTS "_s + account, true);
        m_admin.query(u"DROP DATABASE IF EXISTS "_s + m_database, true);
    }

    // The program's account as an office administrator makes it: its database and no SUPER.
    QString ownAccount(const QString& name, const QString& requirement = {})
    {
        const QString user = name + u"_"_s + QString::number(QCoreApplication::applicationPid());
        const QString account = u"'"_s + user + u"'@'%'"_s;
        m_admin.query(u"CREATE USER "_s + account + u" IDENTIFIED BY 'own-pw' "_s + requirement, false);
        m_admin.query(u"GRANT ALL ON "_s + m_database + u".* TO "_s + account, false);
        m_accounts << account;
        // Another node applies the account a moment later: a read there that waits for the
        // cluster's commits lets the test log in on it at once.
        cMySQL second;
        second.real_connect(m_nodes[1], qEnvironmentVariable("ASV_TEST_CLUSTER_USER"),
                            qEnvironmentVariable("ASV_TEST_CLUSTER_PASSWORD"), {}, 3306, {}, 0, u"euckr"_s);
        second.query(u"SET SESSION wsrep_sync_wait = 1"_s, false);
        second.query(u"SELECT 1"_s, false);
        return user;
    }

    static QString sslVersion(cMySQL& c)
    {
        const RecordSetPtr rs = c.query(u"SHOW SESSION STATUS LIKE 'Ssl_version'"_s, false);
        return rs && rs->rowCount() == 1 ? rs->value(0, 1) : QString();
    }

    QStringList m_nodes;
    QTemporaryDir m_home;
    cMySQL m_admin;
    QString m_database;
    QStringList m_accounts;
    asv::test::ScriptedPrompter m_prompter;
};

TEST_F(Cluster, TheProgramsAccountBuildsTheStructureAndACustomerWrittenOnOneNodeIsFoundByItsPiecesOnAnother)
{
    const QString user = ownAccount(u"asvown"_s);
    ASSERT_TRUE(DBInit(m_nodes[0], user, u"own-pw"_s, m_database));
    // The triggers included: the nodes trust the creators of routines.
    EXPECT_TRUE(BaseSchema::installCurrent());
    EXPECT_EQ(ClusterStructure::lacks(), QStringList());
    DBExecute(u"INSERT INTO customer (code, compname, nowmoney) VALUES ('000501', '한빛전자서비스', 0)"_s);
    ASSERT_FALSE(DBLastFailed());

    ASSERT_TRUE(DBInit(m_nodes[1], user, u"own-pw"_s, m_database));
    // Reads on this node wait for what the others committed before.
    DBExecute(u"SET SESSION wsrep_sync_wait = 1"_s);
    TrigramIndex::forget();
    const QString condition = TrigramIndex::containsCondition(u"customer"_s, u"code"_s, u"compname"_s, u"빛전자"_s);
    EXPECT_TRUE(condition.contains(u"customer_trigram"_s)) << condition.toStdString();
    EXPECT_EQ(DBGetValue(u"SELECT code FROM customer WHERE "_s + condition), u"000501"_s);
    EXPECT_EQ(m_prompter.count(asv::test::ScriptedPrompter::Kind::Error), 0);
}

TEST_F(Cluster, AnAccountRequiringTlsConnectsWithTheCaAndIsRefusedInClearWithAKoreanMessage)
{
    const QString ca = qEnvironmentVariable("ASV_TEST_CLUSTER_CA");
    if (ca.isEmpty())
        GTEST_SKIP() << "the test cluster runs without TLS: scripts/testdb cluster start --tls";
    const QString user = ownAccount(u"asvtls"_s, u"REQUIRE SSL"_s);

    cMySQL secured;
    secured.setTls({true, ca});
    ASSERT_NO_THROW(secured.real_connect(m_nodes[1], user, u"own-pw"_s, m_database, 3306, {}, 0, u"euckr"_s));
    EXPECT_FALSE(sslVersion(secured).isEmpty());
    // A second connection for long work is encrypted as well.
    EXPECT_FALSE(sslVersion(*secured.connectAnother()).isEmpty());

    // The program's own connection, as the profile gives it.
    ASSERT_TRUE(DBInit(m_nodes[0], user, u"own-pw"_s, m_database, {}, 0, u"euckr"_s, {true, ca}));
    EXPECT_FALSE(sslVersion(*DBConnection(0)).isEmpty());
    DBClose();

    const auto refusal = [&](const ConnectionTls& tls) {
        cMySQL c;
        c.setTls(tls);
        try {
            c.real_connect(m_nodes[1], user, u"own-pw"_s, m_database, 3306, {}, 0, u"euckr"_s);
        } catch (const DbError& e) {
            return std::pair{e.number(), e.description()};
        }
        return std::pair{0L, QString()};
    };
    const auto [clearNumber, clearText] = refusal({});
    EXPECT_EQ(clearNumber, 1045);
    EXPECT_TRUE(clearText.contains(u"\"TLS 암호화 사용\"을 켜고 CA 파일을 지정해 주세요"_s)) << clearText.toStdString();
    const auto [caNumber, caText] = refusal({true, m_home.filePath(u"missing-ca.pem"_s)});
    EXPECT_NE(caNumber, 0);
    EXPECT_TRUE(caText.contains(u"TLS 암호화 접속을 만들 수 없습니다."_s)) << caText.toStdString();
}

// Each node sees only its own locks: two desks that read the job's customer under a lock on two
// nodes at once both commit unless their writes share a row. With the third node paused both
// commits wait together, as they do whenever the cluster is slow.
TEST_F(Cluster, AJobMovedToAnotherCustomerWhileALineIsChargedOnAnotherNodeKeepsTheChargeWithTheJob)
{
    const QString user = ownAccount(u"asvjob"_s);
    ASSERT_TRUE(DBInit(m_nodes[0], user, u"own-pw"_s, m_database));
    ASSERT_TRUE(BaseSchema::installCurrent());
    DBExecute(u"INSERT INTO customer (code, compname) VALUES ('000601', '이전고객'), ('000602', '새고객')"_s);
    DBExecute(u"INSERT INTO aslist_m (code, ccode, dealdate) VALUES (1, '000601', '2026-12-07')"_s);
    // A first line already there: the first line of a job writes the job's row anyway.
    DBExecute(u"INSERT INTO aslist_d (code, seq, amount, isfree) VALUES (1, 1, 0, 1)"_s);
    ASSERT_FALSE(DBLastFailed());

    const auto connect = [&](const QString& node) {
        auto c = std::make_unique<cMySQL>();
        c->real_connect(node, user, u"own-pw"_s, m_database, 3306, {}, 0, u"euckr"_s);
        c->query(u"SET SESSION wsrep_sync_wait = 1"_s, false);
        c->query(u"SELECT 1"_s, false);
        c->query(u"SET SESSION wsrep_sync_wait = 0"_s, false);
        return c;
    };
    const std::unique_ptr<cMySQL> moving = connect(m_nodes[0]);
    const std::unique_ptr<cMySQL> charging = connect(m_nodes[1]);
    std::optional<AsJobRecord> job = AsJobStore(moving.get()).load(1);
    ASSERT_TRUE(job);
    job->ccode = u"000602"_s;
    AsLineRecord line;
    line.code = 1;
    line.amount = 3000;

    QFile pidFile(test::clusterSetting(u"PIDFILE_3"_s));
    ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
    const pid_t pid = pidFile.readAll().trimmed().toInt();
    ASSERT_GT(pid, 0);
    ASSERT_EQ(::kill(pid, SIGSTOP), 0);
    bool moved = false;
    int charged = 0;
    std::thread move([&] { moved = AsJobStore(moving.get()).update(*job); });
    std::thread charge([&] { charged = AsJobStore(charging.get()).saveLine(line); });
    QThread::msleep(1500);
    ::kill(pid, SIGCONT);
    move.join();
    charge.join();
    EXPECT_TRUE(moved);
    EXPECT_EQ(charged, 2);

    DBExecute(u"SET SESSION wsrep_sync_wait = 1"_s);
    EXPECT_EQ(DBGetValue(u"SELECT ccode FROM aslist_m WHERE code = 1"_s), u"000602"_s);
    EXPECT_EQ(DBGetValue(u"SELECT nowmoney FROM customer WHERE code = '000601'"_s).toDouble(), 0);
    EXPECT_EQ(DBGetValue(u"SELECT nowmoney FROM customer WHERE code = '000602'"_s).toDouble(), 3000);
}
