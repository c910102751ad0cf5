#include "AsJobColumns.h"
#include "AsListFixture.h"
#include "AsListStore.h"
#include "FrmAS_admin.h"
#include "FrmAS_Result.h"
#include "FrmAS_admin2.h"
#include "FrmAS_save2.h"
#include "FrmRPT_ASList.h"
#include "Grid.h"
#include "GridDriver.h"
#include "HCTerm.h"
#include "WidgetDriver.h"
#include "ucFindBox.h"
#include "RecordSet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <numeric>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::amounts;
using asv::test::AsListFixture;
using asv::test::SavedReception;
using asv::test::column;
using Kind = asv::test::ScriptedPrompter::Kind;

namespace {

// Cells without a colour of their own are drawn in the list's black.
QColor drawn(const Grid* grid, int row, int col)
{
    const QColor own = grid->cells().foreground(row, col);
    return own.isValid() ? own : QColor(Qt::black);
}

QString footer(const QWidget& window)
{
    return window.findChild<QLabel*>(u"LabTotal"_s)->text();
}

} // namespace

// Codes are named as the server compares them (case, trailing blanks).
TEST_F(AsListFixture, TheLedgerNamesCountsAndColoursThePeriodsJobsAndShowsTheActiveRowsCustomer)
{
    const int received = job(u"C00001"_s, u"2026-03-02"_s, 0);
    const int confirmed = job(u"C00001"_s, u"2026-03-03"_s, 2);
    const int done = job(u"C00002"_s, u"2026-03-04"_s, 9);
    const int odd = job(u"C00002"_s, u"2026-03-05"_s, 5);
    const int otherCase = job(u"c00002 "_s, u"2026-03-06"_s, 0, u"p00002"_s);
    job(u"C00001"_s, u"2026-02-28"_s, 9); // before the period
    sql(u"UPDATE aslist_m SET workdate = '2026-03-07', worktime = '16:05' WHERE code = %1"_s.arg(done));
    sql(u"UPDATE customer SET telno1 = '02-111-2222', hpno = '010-3333-4444', bigo = '단골' WHERE code = 'C00002'"_s);
    sql(u"INSERT INTO sale (ccode, pname, pnorm, dealdate) VALUES ('C00002', '세탁기', 'WM-10', '2026-01-05'), "
        "('C00002', '건조기', '', '2026-02-07'), ('C00001', '건조기', '', '2026-02-08')"_s);

    FrmAS_admin ledger;
    Grid* grid = ledger.list();
    EXPECT_EQ(column(grid, u"코드"_s),
              QStringList({QString::number(received), QString::number(confirmed), QString::number(done),
                           QString::number(odd), QString::number(otherCase)}));
    EXPECT_EQ(column(grid, u"상황"_s), QStringList({u"접수"_s, u"확인"_s, u"완료"_s, QString(), u"접수"_s}));
    EXPECT_EQ(footer(ledger), u"대기 : 3 건 / 확인 : 1 건 / 완료 : 1 건"_s);
    QList<QColor> colours;
    for (int row = 0; row < 4; ++row)
        colours << drawn(grid, row, AsJobColumns::State);
    EXPECT_EQ(colours, QList<QColor>({Qt::black, Qt::blue, Qt::red, Qt::black}));
    EXPECT_EQ(grid->text(2, AsJobColumns::Completed), u"03-07 16:05"_s);
    EXPECT_EQ(grid->text(0, AsJobColumns::Completed), QString());
    EXPECT_EQ(grid->text(0, AsJobColumns::Product), u"세탁기(WM-10)"_s);
    QStringList otherCaseNames;
    for (const QString& caption : {u"고객명"_s, u"상품명"_s, u"접수자"_s, u"담당자"_s, u"접수코드"_s})
        otherCaseNames << column(grid, caption).value(4);
    EXPECT_EQ(otherCaseNames, QStringList({u"다른"_s, u"건조기"_s, u"이접수"_s, u"김기사"_s, u"소음"_s}));
    // One job's names are read by its codes, not from the whole tables.
    EXPECT_EQ(AsListStore().job(otherCase, false)->value(0, u"compalias"_s), u"다른"_s);

    // Choosing a state queries at once, and the counts follow the list; colours do not linger.
    ledger.findChild<QComboBox*>(u"cmbState"_s)->setCurrentIndex(3);
    EXPECT_EQ(column(grid, u"코드"_s), QStringList({QString::number(done)}));
    EXPECT_EQ(footer(ledger), u"대기 : 0 건 / 확인 : 0 건 / 완료 : 1 건"_s);

    // The active row's customer: contacts and purchases, newest first.
    grid->setCurrentIndex(grid->cells().index(0, 0));
    EXPECT_EQ(ledger.findChild<ucFindBox*>(u"fbCustInfo"_s)->code(), u"C00002"_s);
    QStringList shownTexts;
    for (const QLabel* label : ledger.findChildren<QLabel*>())
        shownTexts << label->text();
    for (const QString& value : {u"02-111-2222"_s, u"010-3333-4444"_s, u"단골"_s, u"김기사"_s})
        EXPECT_TRUE(shownTexts.contains(value)) << value.toStdString();
    const auto* sales = ledger.findChild<QListWidget*>(u"lstSale"_s);
    ASSERT_EQ(sales->count(), 2);
    EXPECT_EQ(sales->item(0)->text(), u"2026-02-07 건조기"_s);
    EXPECT_EQ(sales->item(1)->text(), u"2026-01-05 세탁기 WM-10"_s);

    ledger.findChild<QComboBox*>(u"cmbState"_s)->setCurrentIndex(1);
    EXPECT_EQ(drawn(grid, 0, AsJobColumns::State), QColor(Qt::black));
}

// A job is the period's whatever became of the rows it names: saved without staff, its customer,
// product, receiver or codes deleted since, it is listed with empty names and counted, in the
// ledger, the status screen and the result list alike.
TEST_F(AsListFixture, JobsWhoseNamedRowsAreMissingAreListedWithEmptyNamesAndCounted)
{
    const int complete = job(u"C00001"_s, u"2026-03-02"_s, 0);
    const int noCustomer = job(u"C09999"_s, u"2026-03-03"_s, 9);
    const int noProduct = job(u"C00001"_s, u"2026-03-04"_s, 2, u"P09999"_s);
    const int noStaff = job(u"C00002"_s, u"2026-03-05"_s, 0);
    const int nothing = job(u"C00002"_s, u"2026-03-06"_s, 9);
    sql(u"UPDATE aslist_m SET charge = '' WHERE code = %1"_s.arg(noStaff));
    sql(u"UPDATE aslist_m SET charge = '09', regucode = '09', typecode0 = 2 WHERE code = %1"_s.arg(nothing));
    line(noCustomer, 1, 1000, false);
    line(noProduct, 1, 2000, false, u"P09999"_s);
    line(nothing, 1, 4000, false);
    sql(u"UPDATE aslist_d SET typecode1 = 98, typecode2 = 99 WHERE code = %1"_s.arg(nothing));
    const QStringList all{QString::number(complete), QString::number(noCustomer), QString::number(noProduct),
                          QString::number(noStaff), QString::number(nothing)};

    FrmAS_admin ledger;
    Grid* grid = ledger.list();
    EXPECT_EQ(column(grid, u"코드"_s), all);
    EXPECT_EQ(footer(ledger), u"대기 : 2 건 / 확인 : 1 건 / 완료 : 2 건"_s);
    EXPECT_EQ(column(grid, u"고객명"_s), QStringList({u"한빛"_s, QString(), u"한빛"_s, u"다른"_s, u"다른"_s}));
    EXPECT_EQ(column(grid, u"상품명"_s).value(2), QString());
    EXPECT_EQ(column(grid, u"담당자"_s), QStringList({u"김기사"_s, u"김기사"_s, u"김기사"_s, QString(), QString()}));
    EXPECT_EQ(column(grid, u"접수자"_s).value(4), QString());
    EXPECT_EQ(column(grid, u"접수코드"_s).value(4), QString());
    ledger.findChild<QComboBox*>(u"cmbState"_s)->setCurrentIndex(1);
    EXPECT_EQ(column(grid, u"코드"_s), QStringList({QString::number(complete), QString::number(noStaff)}));

    FrmAS_admin2 status;
    EXPECT_EQ(column(status.list(), u"코드"_s), all);
    status.list()->setCurrentIndex(status.list()->cells().index(4, 0));
    EXPECT_EQ(column(status.details(), u"코드"_s), QStringList({u"1"_s}));
    EXPECT_EQ(status.details()->text(0, FrmAS_admin2::DetCause), QString());
    status.list()->setCurrentIndex(status.list()->cells().index(2, 0));
    EXPECT_EQ(column(status.details(), u"코드"_s), QStringList({u"1"_s}));

    FrmRPT_ASList report;
    EXPECT_EQ(amounts(report.list()), QList<double>({1000, 2000, 4000, 7000}));
}

TEST_F(AsListFixture, TheLedgerByPlannedVisitListsOnlyJobsPlannedInThePeriod)
{
    job(u"C00001"_s, u"2026-02-10"_s, 0, u"P00001"_s, u"2026-03-15"_s);
    job(u"C00001"_s, u"2026-03-10"_s, 0);
    job(u"C00001"_s, u"2026-03-11"_s, 0, u"P00001"_s, u"2026-04-01"_s);

    FrmAS_admin ledger;
    ASSERT_EQ(ledger.list()->rowCount(), 2);
    ledger.findChild<QComboBox*>(u"cmbDateType"_s)->setCurrentIndex(1);
    EXPECT_EQ(column(ledger.list(), u"방문예정"_s), QStringList({u"03-15 00:00"_s}));
}

// The footer counts what the list shows after every change, without asking the server again.
TEST_F(AsListFixture, ASavedJobIsAddedOrRewrittenAndDeletedRowsLeaveServerAndListWithTheCountsFollowing)
{
    const int first = job(u"C00001"_s, u"2026-03-02"_s, 2);
    FrmAS_admin ledger;
    Grid* grid = ledger.list();

    const int added = job(u"C00002"_s, u"2026-03-03"_s, 9, u"P00002"_s);
    SavedReception addedDialog(added);
    ledger.SyncUpdateAS(&addedDialog, 1);
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->text(1, AsJobColumns::CustName), u"다른"_s);
    EXPECT_EQ(drawn(grid, 1, AsJobColumns::State), QColor(Qt::red));
    EXPECT_EQ(footer(ledger), u"대기 : 0 건 / 확인 : 1 건 / 완료 : 1 건"_s);

    // Back to waiting: the rewritten state is no longer coloured as the one first listed.
    sql(u"UPDATE aslist_m SET dealbigo = '소리가 남', state = 0 WHERE code = %1"_s.arg(first));
    grid->setCurrentIndex(grid->cells().index(0, 0));
    SavedReception editedDialog(first);
    ledger.SyncUpdateAS(&editedDialog, 2);
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->text(0, AsJobColumns::Contents), u"소리가 남"_s);
    EXPECT_EQ(drawn(grid, 0, AsJobColumns::State), QColor(Qt::black));
    EXPECT_EQ(footer(ledger), u"대기 : 1 건 / 확인 : 0 건 / 완료 : 1 건"_s);

    test::selectCodes(grid, {QString::number(first), QString::number(added)});
    prompter.answer(MsgAnswer::Yes);
    test::click(ledger, u"btnRecDel"_s);
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_EQ(footer(ledger), u"대기 : 0 건 / 확인 : 0 건 / 완료 : 0 건"_s);
    EXPECT_EQ(DBGetValue(u"SELECT COUNT(*) FROM aslist_m"_s), u"0"_s);
    EXPECT_EQ(prompter.texts(Kind::Notice).last(), u"2건의 자료를 삭제하였습니다."_s);
}

// A result saved on the screen the ledger opened shows the job completed there at once, whichever
// row is active; so does one saved on the status screen.
TEST_F(AsListFixture, AResultSavedShowsItsJobCompletedInTheListThatOpenedIt)
{
    job(u"C00001"_s, u"2026-03-02"_s, 0);
    job(u"C00002"_s, u"2026-03-03"_s, 0);
    const auto saveLine = [](FrmAS_save2* d) {
        for (auto [name, code] : {std::pair{u"Combo10"_s, 2}, {u"Combo11"_s, 3}}) {
            auto* codes = d->findChild<QComboBox*>(name);
            codes->setCurrentIndex(codes->findData(code));
        }
        d->findChild<QCheckBox*>(u"chkContinueAdd"_s)->setChecked(false);
        test::click(*d, u"btnSave"_s);
        if (d->isVisible())
            d->done(QDialog::Rejected);
    };

    FrmAS_admin ledger;
    Grid* grid = ledger.list();
    grid->setCurrentIndex(grid->cells().index(0, 0));
    test::whenModal<FrmAS_save2>(saveLine);
    ledger.openResults(1);
    const QStringList completed{u"접수"_s, u"완료"_s};
    EXPECT_TRUE(QTest::qWaitFor([&] { return column(grid, u"상황"_s) == completed; }))
        << column(grid, u"상황"_s).join(u',').toStdString();
    EXPECT_FALSE(grid->text(1, AsJobColumns::Completed).isEmpty());
    EXPECT_EQ(drawn(grid, 1, AsJobColumns::State), QColor(Qt::red));
    EXPECT_EQ(grid->activeRow(), 0);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<FrmAS_Result*>(w))
            w->close();
    }

    sql(u"DELETE FROM aslist_d"_s);
    sql(u"UPDATE aslist_m SET state = 0, workdate = '', worktime = ''"_s);
    FrmAS_admin2 status;
    status.list()->setCurrentIndex(status.list()->cells().index(1, 0));
    test::whenModal<FrmAS_save2>(saveLine);
    QTest::keyClick(&status, Qt::Key_F2);
    EXPECT_EQ(column(status.list(), u"상황"_s), completed);
    EXPECT_EQ(column(status.details(), u"코드"_s), QStringList({u"1"_s}));
}

TEST_F(AsListFixture, TheStatusScreenShowsTheLinesOfTheActiveJobAndDeletesOneWithItsCharge)
{
    const int empty = job(u"C00001"_s, u"2026-03-02"_s, 0);
    const int charged = job(u"C00002"_s, u"2026-03-03"_s, 9);
    line(charged, 1, 30000, false);
    line(charged, 2, 10000, true);
    sql(u"UPDATE customer SET nowmoney = 30000 WHERE code = 'C00002'"_s);

    FrmAS_admin2 status;
    Grid* jobs = status.list();
    Grid* lines = status.details();
    ASSERT_EQ(column(jobs, u"코드"_s), QStringList({QString::number(empty), QString::number(charged)}));
    EXPECT_EQ(lines->rowCount(), 0);

    jobs->setCurrentIndex(jobs->cells().index(1, 0));
    EXPECT_EQ(column(lines, u"코드"_s), QStringList({u"1"_s, u"2"_s}));
    EXPECT_EQ(lines->text(0, FrmAS_admin2::DetProduct), u"세탁기(WM-10)"_s);

    lines->setCurrentIndex(lines->cells().index(0, 0));
    prompter.answer(MsgAnswer::Yes);
    QTest::keyClick(&status, Qt::Key_F4);
    EXPECT_EQ(column(lines, u"코드"_s), QStringList({u"2"_s}));
    EXPECT_EQ(DBGetValue(u"SELECT nowmoney FROM customer WHERE code = 'C00002'"_s).toDouble(), 0.0);

    // Lines are added to a job only once one is listed.
    status.period()->SetText1(u"2026-01-01"_s);
    status.period()->SetText2(u"2026-01-31"_s);
    status.query();
    prompter.clear();
    QTest::keyClick(&status, Qt::Key_F2);
    EXPECT_EQ(prompter.texts(Kind::Info), QStringList({u"먼저 A/S접수자료부터 조회하세요."_s}));
}

// The total adds the billed amounts and nothing of free lines; filters by customer, serial, a chosen
// product before a typed name, and otherwise the product class.
TEST_F(AsListFixture, TheResultListTotalsTheBilledLinesOfItsFilters)
{
    const int washer = job(u"C00001"_s, u"2026-03-02"_s, 9);
    sql(u"UPDATE aslist_m SET pserial = 'WM10-778899' WHERE code = %1"_s.arg(washer));
    line(washer, 1, 30000, false);
    line(washer, 2, 10000, true);
    line(washer, 3, 2000, false, u"P00002"_s);
    const int other = job(u"C00002"_s, u"2026-03-04"_s, 9);
    line(other, 1, 5000, false, u"P00002"_s);
    sql(u"INSERT INTO pclass (code, name) VALUES ('0001', '가전'), ('0002', '건조')"_s);

    FrmRPT_ASList report;
    EXPECT_EQ(amounts(report.list()), QList<double>({30000, 0, 2000, 5000, 37000}));
    EXPECT_EQ(report.list()->text(4, FrmRPT_ASList::ColDate), u"[합 계]"_s);
    auto* customer = report.findChild<ucFindBox*>(u"fbCust"_s);
    auto* serial = report.findChild<QLineEdit*>(u"htPSerial"_s);
    auto* product = report.findChild<ucFindBox*>(u"fbProd"_s);
    const auto shown = [&] {
        report.query();
        QList<double> values = amounts(report.list());
        EXPECT_EQ(values.value(values.size() - 1), std::accumulate(values.begin(), values.end() - 1, 0.0));
        return values.mid(0, values.size() - 1);
    };
    customer->setRecord(u"C00002"_s, u"다른"_s);
    EXPECT_EQ(shown(), QList<double>({5000}));
    customer->clear();
    serial->setText(u"7788"_s);
    EXPECT_EQ(shown(), QList<double>({30000, 0, 2000}));
    serial->clear();
    product->setRecord(u"P00001"_s, u"건조기"_s); // the code wins over the name shown
    EXPECT_EQ(shown(), QList<double>({30000, 0}));
    product->clear();
    product->editor()->setText(u"건조%"_s);
    EXPECT_EQ(shown(), QList<double>({2000, 5000}));
    product->clear();
    report.findChild<QComboBox*>(u"cmbPCls"_s)->setCurrentText(u"건조"_s);
    EXPECT_EQ(shown(), QList<double>({2000, 5000}));
}
