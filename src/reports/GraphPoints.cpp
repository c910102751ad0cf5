#include "GraphPoints.h"

#include <QMap>
#include <cmath>

using namespace Qt::StringLiterals;

namespace asv {

QList<GraphPoints::Point> GraphPoints::of(PeriodReportStore::Grouping grouping, const QDate& from, const QDate& to,
                                          const QList<Sum>& sums)
{
    using G = PeriodReportStore::Grouping;
    QMap<QString, double> byKey;
    if (grouping != G::Day && from.isValid() && to.isValid()) {
        const QString format = grouping == G::Month ? u"yyyy-MM"_s : u"yyyy"_s;
        for (QDate d(from.year(), grouping == G::Month ? from.month() : 1, 1); d <= to;
             d = grouping == G::Month ? d.addMonths(1) : d.addYears(1))
            byKey.insert(d.toString(format), 0);
    }
    for (const Sum& s : sums)
        byKey[s.key] += s.value;
    QList<Point> points;
    points.reserve(byKey.size());
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
        points.append({grouping == G::Day ? it.key().mid(5) : it.key(), std::round(it.value())});
    return points;
}

} // namespace asv
