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
#include <QFontMetrics>
#include <QValueAxis>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

constexpr int kMarginUnitsPerPixel = 15;

} // namespace

// One chart, axes and series for the control's life: a draw only refills them.
OstraGraph::OstraGraph(QWidget* parent)
    : QWidget(parent), m_view(new QChartView(this)), m_labels(new QBarCategoryAxis), m_scale(new QValueAxis),
      m_bars(new QBarSet({})), m_barSeries(new QBarSeries), m_line(new QLineSeries)
{
    m_view->setObjectName(u"chartView"_s);
    m_view->setRenderHint(QPainter::Antialiasing);
    QChart* chart = m_view->chart();
    chart->legend()->hide();
    chart->addAxis(m_labels, Qt::AlignBottom);
    chart->addAxis(m_scale, Qt::AlignLeft);
    m_labels->setGridLineVisible(false);
    m_scale->setLabelFormat(u"%.0f"_s);
    m_barSeries->append(m_bars);
    m_barSeries->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    m_line->setPointsVisible(true);
    m_line->setPointLabelsFormat(u"@yPoint"_s);
    for (QAbstractSeries* series : std::initializer_list<QAbstractSeries*>{m_barSeries, m_line}) {
        chart->addSeries(series);
        series->attachAxis(m_labels);
        series->attachAxis(m_scale);
    }
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
    chart->setTitle(m_title);
    QMargins margins = chart->margins();
    margins.setBottom(m_bottomMargin / kMarginUnitsPerPixel);
    chart->setMargins(margins);

    const qsizetype first = qsizetype(m_page) * m_maxColumns;
    const qsizetype last = std::min<qsizetype>(m_points.size(), first + m_maxColumns);
    QStringList labels;
    QList<qreal> shown;
    QList<QPointF> points;
    for (qsizetype i = first; i < last; ++i) {
        labels << m_points[i].label;
        shown << m_points[i].value / m_unitDivisor;
        points << QPointF(double(i - first), shown.last());
    }
    const double highest = shown.isEmpty() ? 0 : *std::max_element(shown.cbegin(), shown.cend());

    m_labels->clear();
    m_labels->append(labels);
    // Labels wider than their bar would be cut to "2…": they stand upright then, as ticked.
    const QFontMetrics metrics(m_labels->labelsFont());
    qreal widest = 0;
    for (const QString& label : std::as_const(labels))
        widest = std::max<qreal>(widest, metrics.horizontalAdvance(label));
    const bool crowded = !labels.isEmpty() && widest * labels.size() > chart->plotArea().width() * 0.9;
    m_labels->setTruncateLabels(false);
    m_labels->setLabelsAngle(m_rotatedLabels || crowded ? -90 : 0);
    m_scale->setLabelFormat(u"%.0f"_s);
    m_scale->setRange(0, m_maxY > 0 ? m_maxY : std::max(5.0, highest * 1.1));
    if (m_maxY <= 0)
        m_scale->applyNiceNumbers(); // steps a reader can take in at a glance
    m_scale->setGridLineVisible(m_gridLines);
    m_scale->setTitleText(m_unitName.isEmpty() ? QString() : u"(단위: %1)"_s.arg(m_unitName));

    m_bars->remove(0, m_bars->count());
    m_bars->append(shown);
    m_bars->setPen(QPen(m_barColour));
    m_bars->setBrush(m_filled ? QBrush(m_barColour) : QBrush(Qt::NoBrush));
    m_barSeries->setLabelsVisible(m_showValues);
    m_line->replace(points);
    m_line->setPen(QPen(m_lineColour, 2));
    m_line->setPointLabelsVisible(m_showValues);
    m_barSeries->setVisible(m_kind == Kind::Bar);
    m_line->setVisible(m_kind == Kind::Line);
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
