#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QChartView;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QPrinter;
class QValueAxis;

namespace asv {

// The graph control: labelled values drawn as bars or a line, a page of at most "max columns"
// points at a time. Setters take effect at the next draw.
class OstraGraph : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Bar = 0, Line = 1 };

    explicit OstraGraph(QWidget* parent = nullptr);

    void addPoint(const QString& label, double value);
    void clear();
    int pointCount() const { return static_cast<int>(m_points.size()); }
    int pageCount() const;
    // 0-based; kept within the pages there are.
    int page() const { return m_page; }
    void setPage(int page);
    void draw();
    // The current page on one sheet; false when the printer could not be opened.
    bool print(QPrinter& printer);

    void setMaxColumns(int columns) { m_maxColumns = std::max(columns, 1); }
    // 0: the scale follows the largest value of the page.
    void setMaxY(double maxY) { m_maxY = maxY; }
    // In the control's stored unit, 15 to a pixel.
    void setBottomMargin(int margin) { m_bottomMargin = margin; }
    void setShowValues(bool on) { m_showValues = on; }
    void setGridLines(bool on) { m_gridLines = on; }
    void setFilled(bool on) { m_filled = on; }
    void setRotatedLabels(bool on) { m_rotatedLabels = on; }
    void setKind(Kind kind) { m_kind = kind; }
    // Values are shown divided by the divisor, with the unit's name on the value axis.
    void setUnit(const QString& name, double divisor);
    void setBarColour(const QColor& colour) { m_barColour = colour; }
    void setLineColour(const QColor& colour) { m_lineColour = colour; }
    void setTitle(const QString& title) { m_title = title; }

    QSize sizeHint() const override { return {800, 480}; }

private:
    // Above each bar or point of the page, placed again whenever the plot area moves.
    void placeValueLabels();

    struct Point {
        QString label;
        double value;
    };

    QList<Point> m_points;
    QChartView* m_view;
    QBarCategoryAxis* m_labels;
    QValueAxis* m_scale;
    QBarSet* m_bars;
    QBarSeries* m_barSeries;
    QLineSeries* m_line;
    QList<QGraphicsSimpleTextItem*> m_valueLabels;
    QList<QPointF> m_shownPoints;
    int m_page = 0;
    int m_maxColumns = 50;
    double m_maxY = 0;
    int m_bottomMargin = 500;
    bool m_showValues = false;
    bool m_gridLines = true;
    bool m_filled = true;
    bool m_rotatedLabels = false;
    Kind m_kind = Kind::Bar;
    QString m_unitName;
    double m_unitDivisor = 1;
    QColor m_barColour = Qt::red;
    QColor m_lineColour = Qt::blue;
    QString m_title;
};

} // namespace asv
