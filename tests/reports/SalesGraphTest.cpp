#include "FrmOstraGraph.h"
#include "FrmRPT_graphA.h"
#include "HCTerm.h"
#include "HCText.h"
#include "OstraGraphSettings.h"
#include "PeriodReportFixture.h"
#include "UserSettings.h"
#include "WidgetDriver.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace asv;
using Kind = asv::test::ScriptedPrompter::Kind;

namespace {

using SalesGraph = test::PeriodReportFixture;

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
        {u"optType1"_s, {u"2025-11"_s, u"2026-02"_s}, {1651, 2530}},
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

    // A line in the line colour; the choice belongs to the graph control's settings.
    query(graph, u"optCustType0"_s, u"optType1"_s);
    graph.findChild<QComboBox*>(u"cboGraphType"_s)->setCurrentIndex(1);
    EXPECT_NE(qobject_cast<QLineSeries*>(drawnSeries(graph)), nullptr);
    EXPECT_EQ(values(graph), QList<double>({1651, 2530}));
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
