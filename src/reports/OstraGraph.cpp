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
#include <QGraphicsSimpleTextItem>
#include <QLocale>
#include <QValueAxis>
#include <cmath>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

constexpr int kMarginUnitsPerPixel = 15;

// Amounts read as the operator writes them: with thousands separators, decimals only where a unit
// left some.
const QLocale kNumbers(QLocale::Korean, QLocale::SouthKorea);

QString valueText(double value)
{
    return kNumbers.toString(value, 'f', value == std::floor(value) ? 0 : 2);
}

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
    chart->setLocale(kNumbers);
    chart->setLocalizeNumbers(true);
    chart->addAxis(m_labels, Qt::AlignBottom);
    chart->addAxis(m_scale, Qt::AlignLeft);
    m_labels->setGridLineVisible(false);
    m_scale->setLabelFormat(u"%.0f"_s);
    // The separators make a label wider than the axis reserves for it at first.
    m_scale->setTruncateLabels(false);
    m_barSeries->append(m_bars);
    m_line->setPointsVisible(true);
    for (QAbstractSeries* series : std::initializer_list<QAbstractSeries*>{m_barSeries, m_line}) {
        chart->addSeries(series);
        series->attachAxis(m_labels);
        series->attachAxis(m_scale);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins({});
    layout->addWidget(m_view);
    connect(chart, &QChart::plotAreaChanged, this, &OstraGraph::placeValueLabels);
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
    m_line->replace(points);
    m_line->setPen(QPen(m_lineColour, 2));
    m_barSeries->setVisible(m_kind == Kind::Bar);
    m_line->setVisible(m_kind == Kind::Line);

    qDeleteAll(m_valueLabels);
    m_valueLabels.clear();
    m_shownPoints = m_showValues ? points : QList<QPointF>();
    for (const QPointF& p : std::as_const(m_shownPoints))
        m_valueLabels << new QGraphicsSimpleTextItem(valueText(p.y()), chart);
    placeValueLabels();
}

void OstraGraph::placeValueLabels()
{
    QChart* chart = m_view->chart();
    QAbstractSeries* series = m_kind == Kind::Bar ? static_cast<QAbstractSeries*>(m_barSeries) : m_line;
    for (qsizetype i = 0; i < m_valueLabels.size(); ++i) {
        QGraphicsSimpleTextItem* label = m_valueLabels[i];
        const QPointF top = chart->mapToPosition(m_shownPoints[i], series);
        const QRectF box = label->boundingRect();
        label->setPos(top.x() - box.width() / 2, top.y() - box.height() - 2);
    }
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
