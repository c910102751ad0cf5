#include "Cp949.h"
#include "CtlProgram.h"
#include "DbFixture.h"
#include "DocumentBalances.h"
#include "FrmRPT_baln.h"
#include "FrmTool_Repair.h"
#include "Grid.h"
#include "GridDriver.h"
#include "HCTerm.h"
#include "Paths.h"
#include "PeriodCustomerReceiver.h"
#include "ReceivablesMonthSplit.h"
#include "RegistryGuard.h"
#include "ReportDatabase.h"
#include "ScreenOpener.h"
#include "WidgetDriver.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::column;
using Kind = asv::test::ScriptedPrompter::Kind;

namespace {

// March 2026 is the period. 가나 owes 1,000 from the start, buys for 5,000, pays 2,000 with 100
// discount and is charged 300 for an AS line (a free one of 700 beside it) in February: 4,200
// carried; in March it buys for 1,000, is charged 200 and pays 500. 다라 has nothing, 마바 buys
// and pays 1,000 in March, 나사 carries its opening 300 only, and 자차's salesperson is gone.
struct BalanceFixture : test::DbFixture {
    BalanceFixture() : DbFixture(QDateTime(QDate(2026, 4, 2), QTime(10, 0)))
    {
        sql(u"INSERT INTO local_user (code, name) VALUES ('01', '김영업')"_s);
        sql(u"INSERT INTO customer (code, compname, compalias, charge, basemoney, hpno) VALUES "
            "('C00001', '가나상사', '가나', '01', 1000, '010-1111-2222'), ('C00002', '다라상사', '다라', '01', 0, ''), "
            "('C00003', '마바상사', '마바', '01', 0, ''), ('C00004', '자차상사', '자차', '99', 500, ''), "
            "('C00005', '나사상사', '나사', '01', 300, '')"_s);
        sale(u"C00001"_s, u"2026-02-10"_s, u"5000"_s);
        receive(u"C00001"_s, u"2026-02-20"_s, u"2000"_s, u"100"_s);
        asLine(u"C00001"_s, u"2026-02-15"_s, u"300"_s, u"700"_s);
        sale(u"C00001"_s, u"2026-03-05"_s, u"1000"_s);
        asLine(u"C00001"_s, u"2026-03-06"_s, u"200"_s, u"0"_s);
        receive(u"C00001"_s, u"2026-03-07"_s, u"500"_s, u"0"_s);
        sale(u"C00003"_s, u"2026-03-10"_s, u"1000"_s);
        receive(u"C00003"_s, u"2026-03-10"_s, u"1000"_s, u"0"_s);
        sale(u"C00004"_s, u"2026-03-10"_s, u"800"_s);
    }

    static void sale(const QString& ccode, const QString& date, const QString& total)
    {
        sql(u"INSERT INTO sale (ccode, pcode, dealdate, amount, total) VALUES ('%1', '000000', '%2', %3, %3)"_s.arg(
            ccode, date, total));
    }
    static void receive(const QString& ccode, const QString& date, const QString& amount, const QString& dc)
    {
        sql(u"INSERT INTO receive (ccode, dealdate, amount, dc) VALUES ('%1', '%2', %3, %4)"_s.arg(ccode, date,
                                                                                                   amount, dc));
    }
    // A job with a charged line and a free one.
    static void asLine(const QString& ccode, const QString& date, const QString& charged, const QString& free)
    {
        sql(u"INSERT INTO aslist_m (ccode, pcode, dealdate) VALUES ('%1', '000000', '%2')"_s.arg(ccode, date));
        const QString job = QString::number(DBInsertId());
        sql(u"INSERT INTO aslist_d (code, seq, pcode, amount, isfree) VALUES (%1, 1, '000000', %2, 0), "
            "(%1, 2, '000000', %3, 1)"_s.arg(job, charged, free));
    }
};

struct Receivables : FrmRPT_baln {
    Receivables()
    {
        period()->SetText1(u"2026-03-01"_s);
        period()->SetText2(u"2026-03-31"_s);
    }
    void tick(const QString& box, bool on) { findChild<QCheckBox*>(box)->setChecked(on); }
    QStringList codes() { return column(list(), ColCode); }
    QStringList row(const QString& ccode, const QList<int>& cols)
    {
        const int r = static_cast<int>(codes().indexOf(ccode));
        QStringList values;
        for (int col : cols)
            values << (r < 0 ? u"-"_s : list()->cells().displayText(r, col));
        return values;
    }
};

const QList<int> kMoney = {FrmRPT_baln::ColCarried, FrmRPT_baln::ColSales, FrmRPT_baln::ColAs, FrmRPT_baln::ColRecv,
                           FrmRPT_baln::ColBalance};

TEST_F(BalanceFixture, ReceivablesCarryTheDocumentsAndFilterByBalanceAndMovement)
{
    Receivables window;
    window.tick(u"chkZeroView"_s, false);
    window.tick(u"chkSetup(2)"_s, false);
    window.query();
    // Customers whose salesperson is gone are never listed; the balance box hides the zeros.
    EXPECT_EQ(window.codes(), (QStringList{u"C00001"_s, u"C00005"_s, u"[합 계]"_s}));
    EXPECT_EQ(window.row(u"C00001"_s, kMoney), (QStringList{u"4,200"_s, u"1,000"_s, u"200"_s, u"500"_s, u"4,900"_s}));
    EXPECT_EQ(window.row(u"[합 계]"_s, kMoney), (QStringList{u"4,500"_s, u"1,000"_s, u"200"_s, u"500"_s, u"5,200"_s}));

    window.tick(u"chkZeroView"_s, true);
    window.query();
    EXPECT_EQ(window.codes(), (QStringList{u"C00001"_s, u"C00002"_s, u"C00003"_s, u"C00005"_s, u"[합 계]"_s}));

    window.tick(u"chkSetup(2)"_s, true);
    window.findChild<QComboBox*>(u"cmbOrderBy"_s)->setCurrentIndex(1);
    window.query();
    // 다라 has neither a carried balance nor a movement; the rest by alias.
    EXPECT_EQ(window.codes(), (QStringList{u"C00001"_s, u"C00005"_s, u"C00003"_s, u"[합 계]"_s}));

    window.findChild<QComboBox*>(u"cmbOrderBy"_s)->setCurrentIndex(0);
    window.tick(u"chkZeroView"_s, false);
    window.period()->SetText1(u"2026-02-16"_s);
    window.query();
    // The AS line of the 15th is carried, the sale of the 10th too; the payment of the 20th is not.
    EXPECT_EQ(window.row(u"C00001"_s, kMoney), (QStringList{u"6,300"_s, u"1,000"_s, u"200"_s, u"2,600"_s, u"4,900"_s}));
}

// Each sum is added to the scratch row rounded to the amount decimals; a balance nothing is added to
// keeps its fraction until the closing balance is rounded.
TEST_F(BalanceFixture, EveryAddedSumIsRoundedAndAnUntouchedBalanceIsNot)
{
    sql(u"INSERT INTO customer (code, compname, compalias, charge, basemoney) VALUES "
        "('C00006', '소수상사', '소수', '01', 10.4), ('C00007', '반올림상사', '반올림', '01', 300.5)"_s);
    sale(u"C00006"_s, u"2026-02-11"_s, u"0.3"_s);
    sale(u"C00006"_s, u"2026-03-11"_s, u"2.5"_s);
    receive(u"C00006"_s, u"2026-03-12"_s, u"0.4"_s, u"0"_s);
    ReceivablesStore::Filter filter;
    filter.from = QDate(2026, 3, 1);
    filter.to = QDate(2026, 3, 31);
    filter.withZero = true;
    const std::unique_ptr<ReportDatabase> scratch = ReportDatabase::CreateRPTFile();
    ASSERT_TRUE(scratch);
    const RecordSetPtr listing = ReceivablesStore().CreateReport(filter, *scratch);
    QStringList rows;
    for (int r = 0; r < listing->rowCount(); ++r) {
        if (listing->value(r, u"ccode"_s) >= u"C00006"_s) {
            QStringList values;
            for (const QString& field : {u"prebaln"_s, u"tot"_s, u"recv"_s, u"baln"_s})
                values << listing->value(r, field);
            rows << values.join(u' ');
        }
    }
    EXPECT_EQ(rows, (QStringList{u"11.0 3.0 0.0 14.0"_s, u"300.5 0.0 0.0 301.0"_s}));
}

TEST_F(BalanceFixture, TheCarriedBalanceSplitsIntoMonthsWithTheOldestDebtsPaidFirst)
{
    Receivables window;
    window.tick(u"chkZeroView"_s, false);
    window.findChild<QComboBox*>(u"cmbMonth"_s)->setCurrentIndex(2);
    window.query();
    Grid* grid = window.list();
    const int jan = FrmRPT_baln::ColMonthFirst;
    EXPECT_EQ(grid->cells().caption(jan), u"1월분 미수"_s);
    EXPECT_EQ(grid->cells().caption(jan + 1), u"2월분 미수"_s);
    EXPECT_FALSE(grid->isColumnHidden(jan + 1));
    EXPECT_TRUE(grid->isColumnHidden(jan + 2));
    // The opening 1,000 is older than January and the first to be paid: February's 5,300 keeps 4,200.
    EXPECT_EQ(window.row(u"C00001"_s, {jan, jan + 1}), (QStringList{u"0"_s, u"4,200"_s}));
    // Nothing moved in the two months: the opening balance stays in the oldest column.
    EXPECT_EQ(window.row(u"C00005"_s, {jan, jan + 1}), (QStringList{u"300"_s, u"0"_s}));
    EXPECT_EQ(window.row(u"[합 계]"_s, {jan, jan + 1}), (QStringList{u"300"_s, u"4,200"_s}));
}

TEST(ReceivablesMonthSplitRule, MonthsAndTheirShares)
{
    EXPECT_EQ(ReceivablesMonthSplit::months(QDate(2026, 3, 1), 3), (QStringList{u"2025-12"_s, u"2026-01"_s, u"2026-02"_s}));
    // From the middle of a month its first days are before the period too.
    EXPECT_EQ(ReceivablesMonthSplit::months(QDate(2026, 3, 15), 1), (QStringList{u"2026-02"_s, u"2026-03"_s}));
    EXPECT_TRUE(ReceivablesMonthSplit::months(QDate(2026, 3, 15), 0).isEmpty());

    const auto won = [](qint64 w) { return FixedMoney::fromUnits(w * FixedMoney::kScale); };
    using Movement = ReceivablesMonthSplit::Movement;
    struct Case {
        const char* what;
        qint64 carried;
        QList<Movement> movements;
        QList<qint64> expected;
    } cases[] = {
        {"a payment settles the older month before its own", 700,
         {{won(500), won(0)}, {won(400), won(200)}}, {300, 400}},
        {"more paid than owed leaves a credit in the paying month", -100,
         {{won(300), won(0)}, {won(0), won(400)}}, {0, -100}},
        {"an earlier credit pays the next debts", 200,
         {{won(0), won(500)}, {won(700), won(0)}}, {0, 200}},
        {"debts older than the months stay in the oldest", 1500,
         {{won(0), won(0)}, {won(200), won(0)}}, {1300, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QList<qint64> got;
        for (FixedMoney m : ReceivablesMonthSplit::split(won(c.carried), c.movements))
            got << m.units() / FixedMoney::kScale;
        EXPECT_EQ(got, c.expected);
    }
}

TEST(FixedMoneyRule, ColumnTextsAreReadExactlyOrRefused)
{
    EXPECT_EQ(FixedMoney::parse(u"1234.5000"_s)->units(), 12345000);
    EXPECT_EQ(FixedMoney::parse(u"-0.0001"_s)->units(), -1);
    EXPECT_EQ(FixedMoney::parse(u"7.10000"_s)->units(), 71000);
    EXPECT_EQ(FixedMoney::parse(u""_s)->units(), 0);
    for (const QString& bad : {u"0.12345"_s, u"1e5"_s, u"."_s, u"12,000"_s})
        EXPECT_FALSE(FixedMoney::parse(bad)) << bad.toStdString();
    EXPECT_EQ(FixedMoney::parse(u"-1234567.5"_s)->grouped(), u"-1,234,567.5"_s);
    EXPECT_EQ(FixedMoney::parse(u"-123"_s)->grouped(), u"-123"_s);
    EXPECT_EQ(FixedMoney::parse(u"0.0500"_s)->text(), u"0.05"_s);
}

TEST_F(BalanceFixture, TheReportDatabaseTellsAMissingTemplateOrWorkingCopyAndIsEmptiedOnClose)
{
    {
        Receivables window;
        window.query();
        ASSERT_GT(window.list()->rowCount(), 0);
        window.close();
    }
    std::unique_ptr<ReportDatabase> scratch = ReportDatabase::CreateRPTFile();
    ASSERT_TRUE(scratch);
    EXPECT_EQ(scratch->query(u"SELECT COUNT(*) FROM balnlist"_s)->value(0, 0), u"0"_s);
    scratch.reset();

    ASSERT_TRUE(QFile::remove(ReportDatabase::templatePath()));
    Receivables window;
    window.query();
    EXPECT_EQ(window.list()->rowCount(), 0);
    ASSERT_EQ(prompter.count(Kind::Warn), 1);
    EXPECT_EQ(prompter.messages().last().text, ReportDatabase::templatePath() + u"\r\n원본 레포트DB파일이 없어졌거나 "
                                                                                 u"옮겨졌습니다.\r\n원본 레포트DB파일을 확인하세요."_s);
    EXPECT_EQ(prompter.messages().last().title, u"파일 오류"_s);

    // A new installation's template is made again once its folder is gone too, but the working
    // copy cannot be made where a folder stands in its way.
    ASSERT_TRUE(QDir(QFileInfo(ReportDatabase::templatePath()).path()).removeRecursively());
    ASSERT_TRUE(QFile::remove(ReportDatabase::workingPath()));
    ASSERT_TRUE(QDir().mkpath(ReportDatabase::workingPath()));
    window.query();
    EXPECT_EQ(window.list()->rowCount(), 0);
    EXPECT_TRUE(QFileInfo(ReportDatabase::templatePath()).isFile());
    EXPECT_EQ(prompter.messages().last().text, u"레포트DB파일이 없어졌거나 옮겨졌습니다.\r\n레포트DB파일을 확인하세요."_s);

    // Nor can a file that is no database serve.
    ASSERT_TRUE(QDir(ReportDatabase::workingPath()).removeRecursively());
    QFile garbage(ReportDatabase::workingPath());
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    prompter.clear();
    window.query();
    EXPECT_EQ(window.list()->rowCount(), 0);
    EXPECT_EQ(prompter.texts(Kind::Warn), QStringList{u"레포트DB파일이 없어졌거나 옮겨졌습니다.\r\n레포트DB파일을 확인하세요."_s});
}

struct DailySales : QWidget, PeriodCustomerReceiver {
    static inline QStringList shown;
    void showCustomerPeriod(const QString& ccode, const QDate& from, const QDate& to) override
    {
        shown = {ccode, from.toString(Qt::ISODate), to.toString(Qt::ISODate)};
    }
};

// A double click opens the daily sales of the row's customer and period; the selected customers
// with a mobile number go to the SMS program.
TEST_F(BalanceFixture, TheRowsLeadToTheirDailySalesAndTheirMobilesToTheSmsProgram)
{
    test::RegistryGuard guard({}, {u"mnuAS_Report_10"_s});
    ScreenRegistry::add(u"mnuAS_Report_10"_s, {[](QWidget*) { return new DailySales; }, false});
    QFile sender(Paths::file(u"OstraSMS.exe"_s));
    ASSERT_TRUE(sender.open(QIODevice::WriteOnly));
    sender.write("#!/bin/sh\nexit 0\n");
    sender.close();
    sender.setPermissions(sender.permissions() | QFileDevice::ExeOwner);
    Receivables window;
    window.query();
    Grid* grid = window.list();
    emit grid->doubleClicked(grid->model()->index(grid->rowCount() - 1, 0));
    EXPECT_TRUE(DailySales::shown.isEmpty());
    emit grid->doubleClicked(grid->model()->index(1, 0));
    EXPECT_EQ(DailySales::shown, (QStringList{u"C00005"_s, u"2026-03-01"_s, u"2026-03-31"_s}));
    for (QWidget* w : QApplication::topLevelWidgets())
        if (dynamic_cast<DailySales*>(w))
            w->close();

    // 가나, 나사 (no mobile number) and the totals row.
    for (int row = 0; row < grid->rowCount(); ++row)
        grid->selectionModel()->select(grid->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    test::click(window, u"btnSMS"_s);
    QFile list(Paths::file(u"ExternTelNo.txt"_s));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), Cp949::encode(u"010-1111-2222,가나상사\r\n"_s));
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

// An older program wrote some documents with the customer's code in another letter case or with
// blanks behind it; the server joins them to the customer, so every balance must count them.
TEST_F(BalanceFixture, CodesTheServerTreatsAsEqualGiveOneBalanceInLedgerReceivablesAndRepair)
{
    sql(u"INSERT INTO customer (code, compname, compalias, charge, basemoney, nowmoney) VALUES "
        "('K1', '케이상사', '케이', '01', 100, 2850)"_s);
    sale(u"k1"_s, u"2026-02-10"_s, u"1000"_s);
    sale(u"K1 "_s, u"2026-03-05"_s, u"2000"_s);
    receive(u"k1  "_s, u"2026-03-06"_s, u"500"_s, u"50"_s);
    asLine(u"k1"_s, u"2026-03-07"_s, u"300"_s, u"0"_s);
    ASSERT_EQ(test::balancesOffTheDocuments({u"K1"_s}), QStringList());

    Receivables window;
    window.query();
    EXPECT_EQ(window.row(u"K1"_s, kMoney), (QStringList{u"1,100"_s, u"2,000"_s, u"300"_s, u"550"_s, u"2,850"_s}));

    const test::CtlRun ledger = test::runCtl(db, {u"report"_s, u"ledger"_s, u"--customer"_s, u"K1"_s});
    const QStringList subtotal = ledger.out.split(u'\n').filter(u"[소 계]"_s);
    ASSERT_EQ(subtotal.size(), 1) << ledger.out.toStdString();
    EXPECT_EQ(subtotal[0].split(u'\t').value(8), u"2850"_s);

    const test::CtlRun check = test::runCtl(db, {u"repair"_s, u"balances"_s, u"--check"_s});
    EXPECT_FALSE(check.out.contains(u"K1"_s)) << check.out.toStdString();
    FrmTool_Repair repair;
    test::click(repair, u"btnRun"_s);
    EXPECT_TRUE(test::balancesOffTheDocuments().isEmpty());
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
