#include "BalanceFixture.h"
#include "ConnectionProfile.h"
#include "FrmTool_Repair.h"
#include "WidgetDriver.h"

#include <QListWidget>
#include <QProcess>
#include <QProgressBar>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::BalanceFixture;

namespace {

// The customers whose running balance is not what their documents add up to, computed here in
// one statement of its own.
QStringList offTheDocuments()
{
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT c.code FROM customer AS c"
                 " LEFT JOIN (SELECT ccode, SUM(total) AS v FROM sale GROUP BY ccode) AS s ON s.ccode = c.code"
                 " LEFT JOIN (SELECT m.ccode, SUM(d.amount) AS v FROM aslist_m AS m JOIN aslist_d AS d"
                 "   ON d.code = m.code AND d.isfree = 0 GROUP BY m.ccode) AS a ON a.ccode = c.code"
                 " LEFT JOIN (SELECT ccode, SUM(amount + dc) AS v FROM receive GROUP BY ccode) AS r ON r.ccode = c.code"
                 " WHERE c.nowmoney <> c.basemoney + COALESCE(s.v, 0) + COALESCE(a.v, 0) - COALESCE(r.v, 0)"
                 " ORDER BY c.code"_s);
    QStringList codes;
    for (int row = 0; rs && row < rs->rowCount(); ++row)
        codes << rs->value(row, 0);
    return codes;
}

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

    int ctl(const QStringList& args)
    {
        const test::ServerAccount server = test::testServer();
        ConnectionProfile{server.host, server.user, db.name(), server.password}.write();
        QProcess p;
        p.start(QStringLiteral(ASV_CTL), QStringList{u"--home"_s, db.programFolder()} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        m_output = QString::fromUtf8(p.readAllStandardOutput());
        return p.exitCode();
    }
    QString m_output;
};

TEST_F(BalanceRepairTest, TheRepairBringsEveryBalanceToItsDocumentsAndTheCheckThenFindsNothing)
{
    const QStringList wrong = offTheDocuments();
    ASSERT_EQ(wrong.size(), 1504);
    EXPECT_FALSE(wrong.contains(u"C00006"_s));

    EXPECT_EQ(ctl({u"repair"_s, u"balances"_s, u"--check"_s}), 1);
    EXPECT_TRUE(m_output.contains(u"C00001 가나상사 0 -> 4,900"_s)) << m_output.toStdString();
    EXPECT_EQ(offTheDocuments(), wrong);

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
    EXPECT_TRUE(offTheDocuments().isEmpty());

    EXPECT_EQ(ctl({u"repair"_s, u"balances"_s, u"--check"_s}), 0);
    test::click(window, u"btnRun"_s);
    EXPECT_EQ(log->item(log->count() - 1)->text(), u"[○정상] 모든 미수자료가 정상입니다."_s);
}

TEST_F(BalanceFixture, TheCommandLineListsTheReceivablesOfThePeriod)
{
    const test::ServerAccount server = test::testServer();
    ConnectionProfile{server.host, server.user, db.name(), server.password}.write();
    QProcess p;
    p.start(QStringLiteral(ASV_CTL), {u"--home"_s, db.programFolder(), u"report"_s, u"receivables"_s, u"--from"_s,
                                       u"2026-03-01"_s, u"--to"_s, u"2026-03-31"_s, u"--csv"_s});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()).split(u'\n'),
              (QStringList{u"거래처코드,약칭,담당자,전기이월,매출액,AS금액,입금액,잔액"_s,
                           u"C00001,가나,김영업,4200,1000,200,500,4900"_s, u"C00005,나사,김영업,300,0,0,0,300"_s, {}}));
}

} // namespace
