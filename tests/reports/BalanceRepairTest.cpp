#include "BalanceFixture.h"
#include "CtlProgram.h"
#include "DocumentBalances.h"
#include "FrmTool_Repair.h"
#include "WidgetDriver.h"

#include <QListWidget>
#include <QProgressBar>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::BalanceFixture;

namespace {

struct BalanceRepairTest : BalanceFixture {
    BalanceRepairTest()
    {
        // Fractions that doubles cannot add exactly: 0.1 + 0.2 - 0.3 is not 0 in binary.
        sql(u"INSERT INTO customer (code, compname, charge) VALUES ('C00006', '소수상사', '01')"_s);
        sale(u"C00006"_s, u"2026-03-01"_s, u"0.1"_s);
        asLine(u"C00006"_s, u"2026-03-01"_s, u"0.2"_s, u"0"_s);
        receive(u"C00006"_s, u"2026-03-01"_s, u"0.3"_s, u"0"_s);
        // More wrong balances than one repair statement takes.
        sql(u"INSERT INTO customer (code, compname, charge, basemoney, nowmoney) SELECT CONCAT('B', LPAD(seq, 5, '0')),"
            " CONCAT('대량', seq), '01', seq, 0 FROM seq_1_to_1500"_s);
        sql(u"UPDATE customer SET nowmoney = 0 WHERE code IN ('C00001', 'C00003', 'C00004', 'C00005')"_s);
        sql(u"UPDATE customer SET nowmoney = 123.4567 WHERE code = 'C00002'"_s);
    }
};

TEST_F(BalanceRepairTest, TheRepairBringsEveryBalanceToItsDocumentsAndTheCheckThenFindsNothing)
{
    const QStringList wrong = test::balancesOffTheDocuments();
    ASSERT_EQ(wrong.size(), 1504);
    EXPECT_FALSE(wrong.join(u' ').contains(u"C00006"_s));

    const test::CtlRun check = test::runCtl(db, {u"repair"_s, u"balances"_s, u"--check"_s});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_TRUE(check.out.contains(u"C00001 가나상사 0 -> 4,900"_s)) << check.out.toStdString();
    EXPECT_EQ(test::balancesOffTheDocuments(), wrong);

    FrmTool_Repair window;
    test::click(window, u"btnRun"_s);
    auto* log = window.findChild<QListWidget*>(u"lstLog"_s);
    ASSERT_EQ(log->count(), 1504);
    // 가나: 1,000 + 5,000 + 300 + 1,000 + 200 - 2,100 - 500; the free lines count nowhere.
    EXPECT_EQ(log->item(0)->text(), u"[☆복구] 거래처 잔액: 대량1 0 -> 1"_s);
    EXPECT_EQ(log->findItems(u"가나상사"_s, Qt::MatchContains).value(0)->text(),
              u"[☆복구] 거래처 잔액: 가나상사 0 -> 4,900"_s);
    EXPECT_EQ(log->findItems(u"다라상사"_s, Qt::MatchContains).value(0)->text(),
              u"[☆복구] 거래처 잔액: 다라상사 123.4567 -> 0"_s);
    auto* progress = window.findChild<QProgressBar*>(u"prgBar"_s);
    EXPECT_EQ(progress->value(), progress->maximum());
    EXPECT_TRUE(test::balancesOffTheDocuments().isEmpty());

    EXPECT_EQ(test::runCtl(db, {u"repair"_s, u"balances"_s, u"--check"_s}).exitCode, 0);
    test::click(window, u"btnRun"_s);
    EXPECT_EQ(log->item(log->count() - 1)->text(), u"[○정상] 모든 미수자료가 정상입니다."_s);
}

TEST_F(BalanceFixture, TheCommandLineListsTheReceivablesOfThePeriod)
{
    const test::CtlRun run = test::runCtl(
        db, {u"report"_s, u"receivables"_s, u"--from"_s, u"2026-03-01"_s, u"--to"_s, u"2026-03-31"_s, u"--csv"_s});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.split(u'\n'), (QStringList{u"거래처코드,약칭,담당자,전기이월,매출액,AS금액,입금액,잔액"_s,
                                                 u"C00001,가나,김영업,4200,1000,200,500,4900"_s,
                                                 u"C00005,나사,김영업,300,0,0,0,300"_s, {}}));
}

} // namespace
