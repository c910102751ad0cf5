#include "OstraGraph.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPainter>
#include <QPrinter>
#include <QVBoxLayout>
#include <QValueAxis>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

constexpr int kMarginUnitsPerPixel = 15;

} // namespace

OstraGraph::OstraGraph(QWidget* parent) : QWidget(parent), m_view(new QChartView(this))
{
    m_view->setObjectName(u"chartView"_s);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->chart()->legend()->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins({});
    layout->addWidget(m_view);
}

void OstraGraph::addPoint(const QString& label, double value)
{
    m_points.append({label, value});
}

void OstraGraph::clear()
{
    m_points.clear();
    m_page = 0;
}

int OstraGraph::pageCount() const
{
    return std::max<int>(1, (pointCount() + m_maxColumns - 1) / m_maxColumns);
}

void OstraGraph::setPage(int page)
{
    m_page = std::clamp(page, 0, pageCount() - 1);
}

void OstraGraph::setUnit(const QString& name, double divisor)
{
    m_unitName = name;
    m_unitDivisor = divisor > 0 ? divisor : 1;
}

void OstraGraph::draw()
{
    setPage(m_page);
    QChart* chart = m_view->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(m_title);
    QMargins margins = chart->margins();
    margins.setBottom(m_bottomMargin / kMarginUnitsPerPixel);
    chart->setMargins(margins);

    const qsizetype first = qsizetype(m_page) * m_maxColumns;
    const qsizetype last = std::min<qsizetype>(m_points.size(), first + m_maxColumns);
    QStringList labels;
    double highest = 0;
    auto* bars = new QBarSet(m_title);
    auto* line = new QLineSeries;
    for (qsizetype i = first; i < last; ++i) {
        const double shown = m_points[i].value / m_unitDivisor;
        labels << m_points[i].label;
        bars->append(shown);
        line->append(double(i - first), shown);
        highest = std::max(highest, shown);
    }

    auto* categories = new QBarCategoryAxis;
    categories->append(labels);
    categories->setLabelsAngle(m_rotatedLabels ? -90 : 0);
    categories->setGridLineVisible(false);
    auto* values = new QValueAxis;
    values->setRange(0, m_maxY > 0 ? m_maxY : std::max(1.0, highest * 1.1));
    values->setGridLineVisible(m_gridLines);
    values->setLabelFormat(u"%.0f"_s);
    if (!m_unitName.isEmpty())
        values->setTitleText(u"(단위: %1)"_s.arg(m_unitName));
    chart->addAxis(categories, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);

    QAbstractSeries* series = nullptr;
    if (m_kind == Kind::Bar) {
        delete line;
        bars->setPen(QPen(m_barColour));
        bars->setBrush(m_filled ? QBrush(m_barColour) : QBrush(Qt::NoBrush));
        auto* barSeries = new QBarSeries;
        barSeries->append(bars);
        barSeries->setLabelsVisible(m_showValues);
        barSeries->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
        series = barSeries;
    } else {
        delete bars;
        line->setPen(QPen(m_lineColour, 2));
        line->setPointsVisible(true);
        line->setPointLabelsVisible(m_showValues);
        line->setPointLabelsFormat(u"@yPoint"_s);
        series = line;
    }
    chart->addSeries(series);
    series->attachAxis(categories);
    series->attachAxis(values);
}

bool OstraGraph::print(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = painter.viewport();
    QSize size = m_view->size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(m_view->rect());
    m_view->render(&painter);
    return painter.end();
}

} // namespace asv
