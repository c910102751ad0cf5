#include "DbTransaction.h"
#include "NodeFailback.h"
#include "RecordSet.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <signal.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::ServerAccount;
using asv::test::TestDatabase;
using asv::test::clusterNode;

namespace {

struct ClusterFixture : ::testing::Test {
    ScriptedPrompter prompter;

    void SetUp() override
    {
        if (test::testCluster().user.isEmpty())
            GTEST_SKIP() << "the test cluster is not running (scripts/testdb cluster start)";
    }

    // The cluster's account on these nodes, the first one preferred.
    static ServerAccount on(const QStringList& nodes)
    {
        ServerAccount account = test::testCluster();
        account.host = nodes.join(u',');
        return account;
    }
    static std::unique_ptr<cMySQL> connect(const QString& node, const QString& database = {})
    {
        const ServerAccount a = on({node});
        auto c = std::make_unique<cMySQL>();
        c->real_connect(a.host, a.user, a.password, database, 3306, {}, 0, u"euckr"_s);
        return c;
    }
    static QString status(cMySQL& node, const QString& name)
    {
        const RecordSetPtr rs = node.query(u"SHOW STATUS LIKE '"_s + name + u'\'', true);
        return rs && rs->rowCount() > 0 ? rs->value(0, 1) : QString();
    }
    // Whether until() came true within the seconds, asked every tenth of a second.
    static bool within(int seconds, const std::function<bool()>& until)
    {
        QElapsedTimer clock;
        clock.start();
        while (!until()) {
            if (clock.elapsed() > seconds * 1000)
                return false;
            QThread::msleep(100);
        }
        return true;
    }
};

// The node put out of the cluster for a test, always let back in.
struct Isolated {
    explicit Isolated(cMySQL& node) : m_node(node) { set(1); }
    ~Isolated() { set(0); }
    void set(int on) { m_node.query(u"SET GLOBAL wsrep_provider_options = 'gmcast.isolate=%1'"_s.arg(on), false); }
    cMySQL& m_node;
};

} // namespace

// Another node changed the row first: the cluster refuses this node's COMMIT as a deadlock, and
// the document is written again whole, on top of the other change, never twice.
TEST_F(ClusterFixture, ACommitRefusedForAnotherNodesChangeOfTheSameRowRunsAgainWhole)
{
    TestDatabase db(TestDatabase::Structure::Empty, on({clusterNode(2)}));
    DBExecute(u"CREATE TABLE t (id INT PRIMARY KEY, n INT NOT NULL)"_s);
    DBExecute(u"INSERT INTO t VALUES (1, 0)"_s);
    const auto other = connect(clusterNode(1), db.name());
    other->query(u"SET SESSION wsrep_sync_wait = 1"_s, false);

    int runs = 0;
    const bool stored = DbTransaction::run([&] {
        ++runs;
        DBExecute(u"UPDATE t SET n = n + 1 WHERE id = 1"_s);
        if (runs == 1)
            other->query(u"UPDATE t SET n = n + 10 WHERE id = 1"_s, false);
        return true;
    });
    EXPECT_TRUE(stored);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(other->query(u"SELECT n FROM t"_s, false)->value(0, 0), u"11"_s);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}

// The office's own node leaves the cluster (its link is cut): the statement it refuses runs on the
// next node, and the desk goes back to its own node once that has caught up.
TEST_F(ClusterFixture, ADeskWhoseNodeLeavesTheClusterCarriesOnAndReturnsWhenItIsSynced)
{
    const QString own = clusterNode(3);
    TestDatabase db(TestDatabase::Structure::Empty, on({own, clusterNode(1), clusterNode(2)}));
    cMySQL& desk = *DBConnection(0);
    ASSERT_EQ(desk.node(), own);
    DBExecute(u"CREATE TABLE t (id INT PRIMARY KEY)"_s);
    QStringList shown;
    NodeFailback failback(desk, [&shown](const QString& node) { shown << node; }, 3600 * 1000);
    {
        const auto ownNode = connect(own);
        Isolated cut(*ownNode);
        ASSERT_TRUE(within(60, [&] { return status(*ownNode, u"wsrep_ready"_s) == u"OFF"_s; }));
        EXPECT_EQ(DBExecute(u"INSERT INTO t VALUES (1)"_s), 1);
        EXPECT_EQ(desk.node(), clusterNode(1));
        failback.tick();
        EXPECT_EQ(desk.node(), clusterNode(1));
    }
    EXPECT_TRUE(within(120, [&] {
        failback.tick();
        return desk.node() == own;
    }));
    EXPECT_EQ(shown, QStringList({own, clusterNode(1), own}));
    EXPECT_EQ(DBGetValue(u"SELECT COUNT(*) FROM t"_s), u"1"_s);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}

// The node a desk works on is killed: the next statement finds the connection gone and runs on the
// next node; restarted, the node catches up and the desk returns to it.
TEST_F(ClusterFixture, ADeskWhoseNodeIsKilledCarriesOnAndReturnsWhenItHasRejoined)
{
    const QString own = clusterNode(3);
    TestDatabase db(TestDatabase::Structure::Empty, on({own, clusterNode(2), clusterNode(1)}));
    cMySQL& desk = *DBConnection(0);
    DBExecute(u"CREATE TABLE t (id INT PRIMARY KEY)"_s);
    QFile pidFile(test::clusterSetting(u"PIDFILE_3"_s));
    ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
    const pid_t pid = pidFile.readAll().trimmed().toInt();
    ASSERT_GT(pid, 0);
    ASSERT_EQ(::kill(pid, SIGKILL), 0);
    ASSERT_TRUE(within(30, [pid] { return ::kill(pid, 0) != 0; }));

    EXPECT_EQ(DBExecute(u"INSERT INTO t VALUES (1)"_s), 1);
    EXPECT_EQ(desk.node(), clusterNode(2));

    QProcess restart;
    restart.start(QStringLiteral(ASV_SOURCE_DIR) + u"/scripts/testdb"_s, {u"cluster"_s, u"restart-node"_s, u"3"_s});
    ASSERT_TRUE(restart.waitForFinished(300 * 1000));
    ASSERT_EQ(restart.exitCode(), 0) << restart.readAllStandardError().toStdString();

    NodeFailback failback(desk, [](const QString&) {}, 3600 * 1000);
    EXPECT_TRUE(within(60, [&] {
        failback.tick();
        return desk.node() == own;
    }));
    EXPECT_EQ(DBGetValue(u"SELECT COUNT(*) FROM t"_s), u"1"_s);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}
