#include "AsJobStore.h"
#include "DocumentBalances.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::balancesOffTheDocuments;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

namespace {

const QString kAlpha = u"C00001"_s;
const QString kBeta = u"C00002"_s;

struct AsJobStoreFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;

    AsJobStoreFixture()
    {
        // Opening balances, and a sale and a payment already carried in them.
        DBExecute(u"INSERT INTO customer (code, compname, basemoney, nowmoney) VALUES ('C00001', '가나', 1000, 5500), "
                  u"('C00002', '다라', 0, 0)"_s);
        DBExecute(u"INSERT INTO sale (ccode, total, dealdate) VALUES ('C00001', 5000, '2026-01-02')"_s);
        DBExecute(u"INSERT INTO receive (ccode, amount, dc, dealdate) VALUES ('C00001', 400, 100, '2026-01-03')"_s);
    }

    static int job(const QString& ccode)
    {
        AsJobRecord j;
        j.ccode = ccode;
        j.pcode = u"000001"_s;
        j.dealdate = u"2026-12-06"_s;
        j.dealbigo = u"소음 '심함'"_s;
        return AsJobStore::insert(j);
    }
    static int addLine(int jobCode, double amount, bool isfree = false)
    {
        AsLineRecord l;
        l.code = jobCode;
        l.pcode = u"000001"_s;
        l.amount = amount;
        l.isfree = isfree;
        return AsJobStore::saveLine(l);
    }
    static bool editLine(int jobCode, int seq, double amount, bool isfree)
    {
        AsLineRecord l = *AsJobStore::loadLine(jobCode, seq);
        l.amount = amount;
        l.isfree = isfree;
        return AsJobStore::saveLine(l) == seq;
    }
    static double balance(const QString& ccode)
    {
        return DBGetValue(u"SELECT nowmoney FROM customer WHERE code = '%1'"_s.arg(ccode)).toDouble();
    }
    static QString seqs(int jobCode)
    {
        return StoreSql::firstColumn(u"SELECT seq FROM aslist_d WHERE code = %1 ORDER BY seq"_s.arg(jobCode), {}, {})
            .join(u',');
    }
};

} // namespace

// The first line completes the job once, by the server's clock; charged lines move the balance by
// their change, free ones never; line numbers continue from the highest left.
TEST_F(AsJobStoreFixture, LinesCompleteTheJobOnceMoveTheBalanceByTheirChangeAndNumberOnFromTheHighest)
{
    const int j = job(kAlpha);
    ASSERT_GT(j, 0);
    EXPECT_EQ(AsJobStore::load(j)->state, AsJobRecord::Received);
    EXPECT_EQ(AsJobStore::load(j)->dealbigo, u"소음 '심함'"_s);
    const double start = balance(kAlpha);
    ASSERT_EQ(addLine(j, 0, true), 1);
    const AsJobRecord done = *AsJobStore::load(j);
    EXPECT_EQ(done.state, AsJobRecord::Completed);
    EXPECT_EQ(done.workdate, DBGetValue(u"SELECT DATE_FORMAT(CURDATE(),'%Y-%m-%d')"_s));
    EXPECT_EQ(done.worktime.size(), 5);
    DBExecute(u"UPDATE aslist_m SET workdate = '2000-01-01', worktime = '01:02' WHERE code = %1"_s.arg(j));

    ASSERT_EQ(addLine(j, 30000), 2);
    EXPECT_EQ(balance(kAlpha), start + 30000);
    const struct {
        double amount;
        bool isfree;
        double moved;
    } edits[] = {{50000, false, 50000}, {50000, true, 0}, {70000, true, 0}, {30000.25, false, 30000.25},
                 {30000, false, 30000}};
    for (const auto& e : edits) {
        ASSERT_TRUE(editLine(j, 2, e.amount, e.isfree));
        EXPECT_EQ(balance(kAlpha), start + e.moved) << e.amount << (e.isfree ? " free" : "");
    }
    // Saving a line unchanged stores nothing and moves nothing.
    EXPECT_FALSE(editLine(j, 2, 30000, false));
    ASSERT_EQ(addLine(j, 12000, true), 3);
    EXPECT_EQ(addLine(job(kBeta), 10), 1);
    EXPECT_TRUE(AsJobStore::removeLine(j, 3));
    EXPECT_EQ(balance(kAlpha), start + 30000);
    EXPECT_EQ(addLine(j, 10), 3);
    EXPECT_TRUE(AsJobStore::removeLine(j, 1));
    EXPECT_EQ(addLine(j, 10), 4);
    EXPECT_EQ(seqs(j), u"2,3,4"_s);
    EXPECT_EQ(AsJobStore::lineCount(j), 3);
    EXPECT_TRUE(AsJobStore::removeLine(j, 2));
    EXPECT_EQ(balance(kAlpha), start + 20);
    EXPECT_FALSE(AsJobStore::removeLine(j, 2));
    EXPECT_EQ(balance(kAlpha), start + 20);
    // Later lines, edits and deletions leave the stamp alone.
    const AsJobRecord after = *AsJobStore::load(j);
    EXPECT_EQ(after.state, AsJobRecord::Completed);
    EXPECT_EQ(after.workdate + after.worktime, u"2000-01-0101:02"_s);
    EXPECT_TRUE(balancesOffTheDocuments({kAlpha, kBeta}).isEmpty());
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}

TEST_F(AsJobStoreFixture, ALineChangedAtAnotherDeskSinceItWasReadIsNeitherRewrittenNorCountedAgain)
{
    const int j = job(kAlpha);
    addLine(j, 30000);
    AsLineRecord seenHere = *AsJobStore::loadLine(j, 1);
    ASSERT_TRUE(editLine(j, 1, 50000, false)); // the other desk
    seenHere.isfree = true;
    // The edit goes from the stored 50000, whatever this desk read.
    EXPECT_EQ(AsJobStore::saveLine(seenHere), 1);
    EXPECT_TRUE(balancesOffTheDocuments({kAlpha}).isEmpty());

    // Both desks delete the same line: the charge comes off once.
    ASSERT_TRUE(editLine(j, 1, 8000, false));
    EXPECT_TRUE(AsJobStore::removeLine(j, 1));
    EXPECT_FALSE(AsJobStore::removeLine(j, 1));
    EXPECT_TRUE(balancesOffTheDocuments({kAlpha}).isEmpty());
}

TEST_F(AsJobStoreFixture, JobsTakeTheirChargesAlongWhenTheCustomerChangesAndWhenDeleted)
{
    const int j = job(kAlpha);
    const int kept = job(kAlpha);
    addLine(j, 30000);
    addLine(j, 5000, true);
    addLine(j, 700);
    addLine(kept, 900);
    AsJobRecord moved = *AsJobStore::load(j);
    moved.ccode = kBeta;
    ASSERT_TRUE(AsJobStore::update(moved));
    EXPECT_EQ(balance(kBeta), 30700);
    EXPECT_FALSE(AsJobStore::update(moved)); // nothing changed
    EXPECT_TRUE(balancesOffTheDocuments({kAlpha, kBeta}).isEmpty());

    ASSERT_TRUE(AsJobStore::remove(j));
    EXPECT_FALSE(AsJobStore::load(j));
    EXPECT_EQ(AsJobStore::lineCount(j), 0);
    EXPECT_EQ(balance(kBeta), 0);
    EXPECT_EQ(AsJobStore::lineCount(kept), 1);
    EXPECT_TRUE(balancesOffTheDocuments({kAlpha, kBeta}).isEmpty());
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}
