#include "DailySalesColumns.h"
#include "DbFixture.h"
#include "FrmOstraGraph.h"
#include "FrmRPT_graphA.h"
#include "FrmRPT_recv_date.h"
#include "FrmRPT_sale_date.h"
#include "FrmSlip_recv.h"
#include "GraphPoints.h"
#include "Grid.h"
#include "GridDriver.h"
#include "HCTerm.h"
#include "HCText.h"
#include "OstraGraphSettings.h"
#include "PeriodReportCommands.h"
#include "RegistryGuard.h"
#include "ReportsScreens.h"
#include "UserSettings.h"
#include "WidgetDriver.h"
#include "modMySQL_Func.h"
#include "ucFindBox.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::column;
using Kind = asv::test::ScriptedPrompter::Kind;
using Col = asv::DailySalesColumns::Col;

namespace {

// Two salespeople, each the main salesperson of one customer, two products of different classes,
// the clock in March 2026.
struct PeriodReports : test::DbFixture {
    PeriodReports() : DbFixture(QDateTime(QDate(2026, 3, 20), QTime(10, 0)))
    {
        sql(QStringLiteral("INSERT INTO local_user (code, name) VALUES ('01', '김영업'), ('02', '이영업')"));
        sql(QStringLiteral("INSERT INTO customer (code, compname, compalias, charge) VALUES "
                           "('C00001', '한빛상사', '한빛', '01'), ('C00002', '다른상사', '다른', '02')"));
        sql(QStringLiteral("INSERT INTO product (code, name, norm, unit, classname) VALUES "
                           "('P00001', '세탁기', 'WM-10', '대', '가전'), ('P00002', '필터', 'F-1', '개', '부품')"));
        sql(QStringLiteral("INSERT INTO pclass (code, name) VALUES ('0001', '가전'), ('0002', '부품')"));
    }

    // A sale line entered by the salesperson `charge`; total = amount + tax.
    static void sale(const QString& ccode, const QString& date, double qnt, double amount,
                     const QString& charge = QStringLiteral("01"), const QString& pcode = QStringLiteral("P00001"))
    {
        const double tax = amount / 10;
        sql(QStringLiteral("INSERT INTO sale (ccode, pcode, pname, qnt, price, amount, tax, total, dealdate, charge) "
                           "SELECT '%1', code, name, %2, %3 / %2, %3, %4, %3 + %4, '%5', '%6' FROM product "
                           "WHERE code = '%7'")
                .arg(ccode, QString::number(qnt), QString::number(amount), QString::number(tax), date, charge,
                     pcode));
    }
};

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

namespace {

using SalesGraph = PeriodReports;

QChart* chartOf(const QWidget& window)
{
    return window.findChild<QChartView*>()->chart();
}

QStringList labels(const QWidget& window)
{
    return qobject_cast<QBarCategoryAxis*>(chartOf(window)->axes(Qt::Horizontal).value(0))->categories();
}

QAbstractSeries* drawnSeries(const QWidget& window)
{
    for (QAbstractSeries* series : chartOf(window)->series()) {
        if (series->isVisible())
            return series;
    }
    return nullptr;
}

QList<double> values(const QWidget& window)
{
    QList<double> shown;
    QAbstractSeries* series = drawnSeries(window);
    if (auto* bars = qobject_cast<QBarSeries*>(series)) {
        for (int i = 0; i < bars->barSets().value(0)->count(); ++i)
            shown << bars->barSets().value(0)->at(i);
    } else if (auto* line = qobject_cast<QLineSeries*>(series)) {
        for (const QPointF& point : line->points())
            shown << point.y();
    }
    return shown;
}

// Saves what the window shows as a PNG and counts the pixels of the colour in the file.
int pixelsOf(QWidget& window, const QString& path, const QColor& colour)
{
    if (!window.grab().save(path, "PNG"))
        return -1;
    const QImage image(path);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    }
    return count;
}

// Every text the chart draws: axis labels and value labels.
QStringList drawnTexts(const QWidget& window)
{
    QStringList texts;
    for (QGraphicsItem* item : window.findChild<QChartView*>()->scene()->items()) {
        if (!item->isVisible())
            continue;
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item))
            texts << text->toPlainText();
        else if (auto* simple = dynamic_cast<QGraphicsSimpleTextItem*>(item))
            texts << simple->text();
    }
    return texts;
}

void query(FrmRPT_graphA& graph, const QString& source, const QString& grouping)
{
    graph.findChild<QRadioButton*>(source)->click();
    graph.findChild<QRadioButton*>(grouping)->click();
    graph.query();
}

// As the operator does: Enter leaves the field.
void typeInto(HCText* field, const QString& text)
{
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

} // namespace

TEST_F(SalesGraph, DaysMonthsAndYearsRenderAsBarsAndAsALineWithRoundedSumsAndNoFreeAsLine)
{
    sale(u"C00001"_s, u"2025-11-10"_s, 1, 1000);
    sale(u"C00002"_s, u"2025-11-20"_s, 1, 500.5);
    sale(u"C00001"_s, u"2026-02-03"_s, 1, 2000);
    sale(u"C00001"_s, u"2026-02-04"_s, 1, 300, u"01"_s, u"P00002"_s);
    sale(u"C00001"_s, u"2026-03-01"_s, 1, 7000); // after the period
    sql(u"INSERT INTO aslist_m (code, ccode, pcode, dealdate) VALUES (1, 'C00001', 'P00001', '2026-02-02'), "
        "(2, 'C00002', 'P00001', '2026-02-05')"_s);
    sql(u"INSERT INTO aslist_d (code, seq, pcode, amount, isfree) VALUES (1, 1, 'P00001', 30000, 0), "
        "(1, 2, 'P00002', 10000, 1), (1, 3, 'P00002', 4000, 0), (2, 1, 'P00001', 8000, 1)"_s);

    FrmRPT_graphA graph;
    graph.resize(1000, 640);
    graph.show();
    auto* period = graph.findChild<HCTerm*>(u"hmDate"_s);
    period->SetText1(u"2025-11-01"_s);
    period->SetText2(u"2026-02-28"_s);
    const QString folder = db.programFolder() + u'/';

    const struct {
        QString grouping;
        QStringList labels;
        QList<double> sums;
    } groupings[] = {
        {u"optType0"_s, {u"11-10"_s, u"11-20"_s, u"02-03"_s, u"02-04"_s}, {1100, 551, 2200, 330}},
        // Months without a sale stand on the axis too.
        {u"optType1"_s, {u"2025-11"_s, u"2025-12"_s, u"2026-01"_s, u"2026-02"_s}, {1651, 0, 0, 2530}},
        {u"optType2"_s, {u"2025"_s, u"2026"_s}, {1651, 2530}},
    };
    for (const auto& g : groupings) {
        SCOPED_TRACE(g.grouping.toStdString());
        query(graph, u"optCustType0"_s, g.grouping);
        EXPECT_EQ(labels(graph), g.labels);
        EXPECT_EQ(values(graph), g.sums);
        EXPECT_GT(pixelsOf(graph, folder + g.grouping + u".png"_s, Qt::red), 100);
        EXPECT_EQ(graph.findChild<QLabel*>(u"lblCount"_s)->text(), u"총 %1건"_s.arg(g.labels.size()));
    }

    // The scale in thousands as written; ticked, every bar carries its value, an empty month its 0.
    query(graph, u"optCustType0"_s, u"optType1"_s);
    EXPECT_TRUE(drawnTexts(graph).contains(u"2,000"_s)) << drawnTexts(graph).join(u' ').toStdString();
    EXPECT_FALSE(drawnTexts(graph).contains(u"1,651"_s));
    graph.findChild<QCheckBox*>(u"chkGrpStat0"_s)->click();
    for (const QString& value : {u"1,651"_s, u"2,530"_s})
        EXPECT_TRUE(drawnTexts(graph).contains(value)) << value.toStdString();
    EXPECT_EQ(drawnTexts(graph).count(u"0"_s), 3) << "the scale's 0 and two empty months";
    graph.findChild<QCheckBox*>(u"chkGrpStat0"_s)->click();

    // A line in the line colour; the choice belongs to the graph control's settings.
    query(graph, u"optCustType0"_s, u"optType1"_s);
    graph.findChild<QComboBox*>(u"cboGraphType"_s)->setCurrentIndex(1);
    EXPECT_NE(qobject_cast<QLineSeries*>(drawnSeries(graph)), nullptr);
    EXPECT_EQ(values(graph), QList<double>({1651, 0, 0, 2530}));
    EXPECT_GT(pixelsOf(graph, folder + u"line.png"_s, Qt::blue), 20);
    EXPECT_EQ(pixelsOf(graph, folder + u"line.png"_s, Qt::red), 0);
    EXPECT_EQ(UserSettings::read(u"OstraGraphOCX"_s, u"Config"_s, u"GraphType"_s, {}), u"1"_s);

    // The grouping is remembered.
    FrmRPT_graphA reopened;
    EXPECT_TRUE(reopened.findChild<QRadioButton*>(u"optType1"_s)->isChecked());

    graph.findChild<QComboBox*>(u"cboGraphType"_s)->setCurrentIndex(0);
    query(graph, u"optCustType1"_s, u"optType0"_s);
    EXPECT_EQ(labels(graph), QStringList({u"02-02"_s}));
    EXPECT_EQ(values(graph), QList<double>({34000}));
}

TEST(GraphPointsRule, MonthsAndYearsOfThePeriodAllStandOnTheAxis)
{
    using G = PeriodReportStore::Grouping;
    using P = GraphPoints::Point;
    const QDate from(2025, 11, 15);
    const QDate to(2026, 2, 3);
    EXPECT_EQ(GraphPoints::of(G::Month, from, to, {{u"2025-11"_s, 10.4}, {u"2026-02"_s, 2.5}}),
              (QList<P>{{u"2025-11"_s, 10}, {u"2025-12"_s, 0}, {u"2026-01"_s, 0}, {u"2026-02"_s, 3}}));
    EXPECT_EQ(GraphPoints::of(G::Year, from, to, {{u"2026"_s, 7}}), (QList<P>{{u"2025"_s, 0}, {u"2026"_s, 7}}));
    // Days come as they are; a month across a year's end keeps its order.
    EXPECT_EQ(GraphPoints::of(G::Day, from, to, {{u"2025-12-31"_s, 1}, {u"2026-01-02"_s, 2}}),
              (QList<P>{{u"12-31"_s, 1}, {u"01-02"_s, 2}}));
    EXPECT_EQ(GraphPoints::of(G::Month, QDate(2026, 1, 31), QDate(2026, 3, 1), {}).size(), 3);
}

TEST_F(SalesGraph, MaximumColumnsTakeOnlyNumbersOfOneOrMoreAndPageTheBars)
{
    FrmOstraGraph window;
    for (const QString& label : {u"a"_s, u"b"_s, u"c"_s})
        window.AddData(label, 10);
    window.ReDrawGraph();
    ASSERT_TRUE(test::showActive(window));
    auto* maxColumns = window.findChild<HCText*>(u"htMax0"_s);
    EXPECT_EQ(maxColumns->text(), u"50"_s);

    typeInto(maxColumns, u"0"_s);
    EXPECT_EQ(prompter.texts(Kind::Info), QStringList({u"1이상의 수치만 입력가능합니다."_s}));
    EXPECT_EQ(OstraGraphSettings::MaxColumns.get(), 50);
    EXPECT_EQ(maxColumns->text(), u"50"_s);

    typeInto(maxColumns, u"2"_s);
    EXPECT_EQ(UserSettings::read(u"OstraGraphOCX"_s, u"Config"_s, u"MaxCols"_s, {}), u"2"_s);
    auto* previous = window.findChild<QPushButton*>(u"cmdMovePage0"_s);
    auto* next = window.findChild<QPushButton*>(u"cmdMovePage1"_s);
    EXPECT_EQ(window.findChild<QLabel*>(u"lblPage"_s)->text(), u"1/2"_s);
    EXPECT_FALSE(previous->isEnabled());
    next->click();
    EXPECT_EQ(window.findChild<QLabel*>(u"lblPage"_s)->text(), u"2/2"_s);
    EXPECT_EQ(labels(window), QStringList({u"c"_s}));
    EXPECT_FALSE(next->isEnabled());
    EXPECT_TRUE(previous->isEnabled());
}
