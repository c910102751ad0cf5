#pragma once

#include "PeriodReportStore.h"

#include <QDate>
#include <QList>
#include <QString>

namespace asv {

// The sales graph's points of a period, from the sums per day, month or year.
class GraphPoints {
public:
    struct Point {
        QString label;
        double value = 0;
        friend bool operator==(const Point&, const Point&) = default;
    };
    struct Sum {
        QString key; // "yyyy-mm-dd", "yyyy-mm" or "yyyy", as grouped
        double value = 0;
    };

    // Every month or year of the period stands on the axis, at 0 when nothing was sold, so that a
    // gap reads as a gap; days only as they come, a long period of days being mostly empty pages.
    // Values are rounded to whole numbers; days are labelled "mm-dd".
    static QList<Point> of(PeriodReportStore::Grouping grouping, const QDate& from, const QDate& to,
                           const QList<Sum>& sums);
};

} // namespace asv
