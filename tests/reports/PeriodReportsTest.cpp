#include "DailySalesColumns.h"
#include "FrmRPT_recv_date.h"
#include "FrmRPT_sale_date.h"
#include "FrmSlip_recv.h"
#include "Grid.h"
#include "GridDriver.h"
#include "HCTerm.h"
#include "PeriodReportCommands.h"
#include "PeriodReportFixture.h"
#include "RegistryGuard.h"
#include "ReportsScreens.h"
#include "WidgetDriver.h"
#include "ucFindBox.h"

#include <QComboBox>
#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::column;
using Kind = asv::test::ScriptedPrompter::Kind;
using Col = asv::DailySalesColumns::Col;

namespace {

using PeriodReports = test::PeriodReportFixture;

void setPeriod(QWidget& window, const QString& from, const QString& to)
{
    auto* period = window.findChild<HCTerm*>(u"hmDate"_s);
    period->SetText1(from);
    period->SetText2(to);
}

void chooseSalesperson(QWidget& window, const QString& code, const QString& name, int chargeOf)
{
    window.findChild<ucFindBox*>(u"fbUser"_s)->setRecord(code, name);
    window.findChild<QComboBox*>(u"cboChType"_s)->setCurrentIndex(chargeOf);
}

} // namespace

TEST_F(PeriodReports, EveryDateClosesWithItsSubtotalAndTheGrandTotalAddsEveryLine)
{
    sale(u"C00001"_s, u"2026-03-02"_s, 1, 1000);
    sale(u"C00002"_s, u"2026-03-02"_s, 2, 3000);
    sale(u"C00001"_s, u"2026-03-05"_s, 1, 500, u"01"_s, u"P00002"_s);
    sale(u"C00002"_s, u"2026-03-09"_s, 4, 2000);
    sale(u"C00001"_s, u"2026-04-01"_s, 9, 9000); // after the period

    FrmRPT_sale_date report;
    setPeriod(report, u"2026-03-01"_s, u"2026-03-31"_s);
    report.Refresh_Sheet();
    const Grid* grid = report.list();
    EXPECT_EQ(column(grid, Col::Date),
              QStringList({u"2026-03-02"_s, u"2026-03-02"_s, u"[소 계]"_s, u"2026-03-05"_s, u"[소 계]"_s,
                           u"2026-03-09"_s, u"[소 계]"_s, u"[합 계]"_s}));
    EXPECT_DOUBLE_EQ(grid->cells().number(2, Col::Total), 4400);
    EXPECT_DOUBLE_EQ(grid->cells().number(2, Col::Quantity), 3);
    EXPECT_DOUBLE_EQ(grid->cells().number(7, Col::Total),
                     DBGetValue(u"SELECT SUM(total) FROM sale WHERE dealdate < '2026-04-01'"_s).toDouble());
    EXPECT_DOUBLE_EQ(grid->cells().number(7, Col::Tax), 650);

    // The command line gives the same rows in the same columns.
    QString csv;
    QTextStream out(&csv);
    ASSERT_EQ(reportSales(out, {u"--from"_s, u"2026-03-01"_s, u"--to"_s, u"2026-03-31"_s, u"--csv"_s}), 0);
    const QStringList lines = csv.trimmed().split(u'\n');
    ASSERT_EQ(lines.size(), grid->rowCount() + 1);
    QStringList lastRow;
    for (int col = 0; col < DailySalesColumns::Count; ++col)
        lastRow << grid->text(7, col);
    EXPECT_EQ(lines.last(), lastRow.join(u','));
    EXPECT_EQ(reportSales(out, {u"--from"_s, u"2026-03-01"_s}), 2);

    // Another report opens it through the menu entry for one customer and period.
    test::RegistryGuard guard({}, {u"mnuAS_Report_10"_s, u"mnuAS_Report_20"_s, u"mnuAS_Report_60"_s});
    ReportsScreens::registerAll();
    std::unique_ptr<QWidget> opened(ScreenRegistry::find(u"mnuAS_Report_10"_s)->create(nullptr));
    auto* receiver = dynamic_cast<PeriodCustomerReceiver*>(opened.get());
    ASSERT_NE(receiver, nullptr);
    receiver->showCustomerPeriod(u"C00002"_s, QDate(2026, 3, 1), QDate(2026, 3, 8));
    EXPECT_EQ(column(static_cast<FrmRPT_sale_date*>(opened.get())->list(), Col::Date),
              QStringList({u"2026-03-02"_s, u"[소 계]"_s, u"[합 계]"_s}));

    // The class filter, and a period without lines says so and shows nothing.
    report.findChild<QComboBox*>(u"cmbPCls"_s)->setCurrentText(u"부품"_s);
    report.Refresh_Sheet();
    EXPECT_EQ(column(grid, Col::Date), QStringList({u"2026-03-05"_s, u"[소 계]"_s, u"[합 계]"_s}));
    setPeriod(report, u"2026-05-01"_s, u"2026-05-31"_s);
    report.Refresh_Sheet();
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_EQ(prompter.texts(Kind::Notice), QStringList({u"검색된 결과가 없습니다."_s}));
}

TEST_F(PeriodReports, TheSalespersonFilterGoesByCustomerOrDocumentAndEachReportKeepsItsChoice)
{
    sale(u"C00001"_s, u"2026-03-02"_s, 1, 100, u"01"_s);
    sale(u"C00001"_s, u"2026-03-03"_s, 1, 200, u"02"_s);
    sale(u"C00002"_s, u"2026-03-04"_s, 1, 300, u"01"_s);
    const auto lineTotals = [](const Grid* grid) {
        QList<double> totals;
        for (int row = 0; row < grid->rowCount(); ++row) {
            if (grid->cells().sourceRow(row) >= 0)
                totals << grid->cells().number(row, Col::Amount);
        }
        return totals;
    };
    {
        FrmRPT_sale_date report;
        chooseSalesperson(report, u"01"_s, u"김영업"_s, 0);
        report.Refresh_Sheet();
        EXPECT_EQ(lineTotals(report.list()), QList<double>({100, 200}));
        report.findChild<QComboBox*>(u"cboChType"_s)->setCurrentIndex(1);
        report.Refresh_Sheet();
        EXPECT_EQ(lineTotals(report.list()), QList<double>({100, 300}));
    }
    FrmRPT_sale_date reopened;
    EXPECT_EQ(reopened.findChild<QComboBox*>(u"cboChType"_s)->currentIndex(), 1);
    // The receipts report keeps a choice of its own.
    FrmRPT_recv_date receipts;
    EXPECT_EQ(receipts.findChild<QComboBox*>(u"cboChType"_s)->currentIndex(), 0);
}

TEST_F(PeriodReports, ReceiptsShowKindAndAmountPlusDiscountAndOnlyARealPaymentOpensForEditing)
{
    sql(u"INSERT INTO receive (dealdate, ccode, amount, dc, type, charge) VALUES "
        "('2026-03-02', 'C00001', 10000, 500, 0, '02'), ('2026-03-02', 'C00002', 3000, 0, 1, '02'), "
        "('2026-03-06', 'C00002', 2000, 100, 0, '01')"_s);
    FrmRPT_recv_date report;
    report.findChild<ucFindBox*>(u"fbUser"_s)->setRecord(u"02"_s, u"이영업"_s);
    report.findChild<QComboBox*>(u"cboChType"_s)->setCurrentIndex(1);
    setPeriod(report, u"2026-03-01"_s, u"2026-03-31"_s);
    report.Refresh_Sheet();
    Grid* grid = report.list();
    EXPECT_EQ(column(grid, FrmRPT_recv_date::ColKind), QStringList({u"카드"_s, u"현금"_s, QString(), QString()}));
    EXPECT_EQ(column(grid, FrmRPT_recv_date::ColTotal), QStringList({u"3000"_s, u"10500"_s, u"13500"_s, u"13500"_s}));
    EXPECT_EQ(grid->text(3, FrmRPT_recv_date::ColDate), u"[합 계]"_s);

    grid->setCurrentIndex(grid->cells().index(2, 0));
    test::click(report, u"btnEdit"_s);
    EXPECT_EQ(prompter.texts(Kind::Info), QStringList({u"먼저 그리드에서 수정할 자료를 선택하세요."_s}));
    EXPECT_EQ(report.findChild<FrmSlip_recv*>(), nullptr);

    grid->setCurrentIndex(grid->cells().index(1, 0));
    test::click(report, u"btnEdit"_s);
    auto* editor = report.findChild<FrmSlip_recv*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->mode(), RecordEditor::EditRecord);
    editor->close();
}
