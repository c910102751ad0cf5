#include "ClusterFaults.h"
#include "LoadRun.h"
#include "RecordSet.h"
#include "TestDatabase.h"
#include "cMySQL.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using namespace asv::test;

namespace {

// Every table's row count and the sum of its rows' checksums on one node, once the node has applied
// what the cluster committed. CHECKSUM TABLE will not do: it reads the unset buffers of virtual
// columns, and differs between nodes holding the same rows.
QString rowSums(const QString& node, const ServerAccount& account, const QString& database)
{
    cMySQL c;
    c.real_connect(node, account.user, account.password, database, 3306, {}, 0, u"euckr"_s);
    c.query(u"SET SESSION wsrep_sync_wait = 1"_s, false);
    const RecordSetPtr columns = c.query(
        u"SELECT TABLE_NAME, GROUP_CONCAT(CONCAT('IFNULL(`', COLUMN_NAME, '`, 0x00)') ORDER BY ORDINAL_POSITION) "
        u"FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() AND GENERATION_EXPRESSION IS NULL "
        u"GROUP BY TABLE_NAME ORDER BY TABLE_NAME"_s,
        false);
    QStringList sums;
    for (int t = 0; columns && t < columns->rowCount(); ++t) {
        const RecordSetPtr sum = c.query(u"SELECT COUNT(*), SUM(CRC32(CONCAT_WS(0x1f, %1))) FROM `%2`"_s.arg(
                                             columns->value(t, 1), columns->value(t, 0)),
                                         false);
        sums << columns->value(t, 0) + u'=' + (sum ? sum->value(0, 0) + u'/' + sum->value(0, 1) : u"?"_s);
    }
    return sums.join(u' ');
}

} // namespace

// The same desks spread over the three nodes of the test cluster, each preferring its own, while
// one node is paused past the cluster's patience and another is killed and started again: every
// node ends with the same rows, and nothing is lost or counted twice.
TEST(Load, TenDesksOnAClusterLoseNothingWhenANodeDiesOrStalls)
{
    if (testCluster().user.isEmpty())
        GTEST_SKIP() << "the test cluster is not running (scripts/testdb cluster start)";
    const quint64 seed = settingOr("ASV_LOAD_SEED", 20261206);
    // Twice the single server's: the faults follow one another and must fall inside the run.
    const int operations = static_cast<int>(settingOr("ASV_LOAD_OPS", 20000));
    ServerAccount nodes = testCluster();
    const auto preferring = [](int node) {
        QStringList order;
        for (int n = 0; n < 3; ++n)
            order << clusterNode((node - 1 + n) % 3 + 1);
        return order.join(u',');
    };
    nodes.host = preferring(1);
    TestDatabase db(TestDatabase::Structure::Current, nodes);
    setUpCustomersAndProducts(seed);

    ClusterFaults faults(2, 3);
    const DeskRun run(db.name(), seed, operations, [&preferring](int desk) { return preferring(desk % 3 + 1); },
                      [&faults](qint64 elapsedMs) { faults.runDue(elapsedMs); });
    ASSERT_TRUE(faults.settle()) << qPrintable(faults.failure());
    const Afterwards after(run.journal);
    QStringList sums;
    for (int node = 1; node <= 3; ++node)
        sums << rowSums(clusterNode(node), nodes, db.name());
    std::printf("[ cluster load seed %llu: %d operations in %.1f s, %d succeeded, %d failed (error×count: %s); "
                "%d node killed and restarted, %d paused (%s)%s; differences: %lld documents, %lld half-written, "
                "%lld balances ]\n",
                static_cast<unsigned long long>(seed), run.journal.operations, double(run.runMs) / 1000.0,
                run.journal.succeeded, run.journal.operations - run.journal.succeeded, qPrintable(run.failures()),
                faults.killed(), faults.paused(), qPrintable(faults.timeline()),
                faults.runaway().isEmpty() ? "" : qPrintable(u"; "_s + faults.runaway() + u" and started again"_s), static_cast<long long>(after.documents.size()),
                static_cast<long long>(run.journal.halves.size()), static_cast<long long>(after.corrections.size()));
    after.expectKept(run.journal, operations);
    EXPECT_GE(faults.nodesLost(), 1);
    EXPECT_EQ(faults.paused(), 1);
    EXPECT_FALSE(sums[0].isEmpty());
    EXPECT_EQ(sums[1], sums[0]);
    EXPECT_EQ(sums[2], sums[0]);
}
